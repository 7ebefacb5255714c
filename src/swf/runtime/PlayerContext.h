#pragma once

#include "swf/runtime/ActionQueue.h"
#include "swf/runtime/CharacterDictionary.h"
#include "swf/runtime/DisplayObject.h"
#include "swf/runtime/RuntimeLimits.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <utility>
#include <vector>

namespace kf::swf {

class ScriptEngine;
class SpriteObject;

// What every timeline of one movie shares: the dictionary to instantiate from, the queue of
// frame scripts, and the objects removed during the current frame.
class PlayerContext {
public:
    PlayerContext(const CharacterDictionary& dictionary, std::uint8_t swfVersion, RuntimeLimits limits = {});

    // A new instance of `id` for `parent`'s display list, or nullptr when the character is
    // missing, cannot be shown yet, or a limit is reached (the timeline then skips it, as
    // Flash Player skips a placement of an undefined character).
    std::unique_ptr<DisplayObject> instantiate(CharacterId id, DisplayDepth depth, SpriteObject& parent);
    // A sprite with one empty frame, as createEmptyMovieClip makes; nullptr at a limit.
    std::unique_ptr<SpriteObject> instantiateEmptySprite(DisplayDepth depth, SpriteObject& parent);
    // "instanceN", numbered across the movie, for a sprite placed without a name.
    std::string nextInstanceName() { return "instance" + std::to_string(++m_instanceNames); }

    // Removed objects stay alive until the frame's scripts have run, so a queued script may
    // still find its (now removed) timeline and skip itself.
    void retire(std::unique_ptr<DisplayObject> object);
    void releaseRetired() { m_retired.clear(); }

    const CharacterDictionary& dictionary() const { return m_dictionary; }
    // The symbols ExportAssets names, for attachMovie. The first export of a name wins.
    void addExports(const std::vector<Tag>& tags);
    std::optional<CharacterId> exportedCharacter(std::string_view name) const;
    // The interpreter, when the player has one: the timeline asks it about unload handlers.
    ScriptEngine* scriptEngine() const { return m_scriptEngine; }
    void setScriptEngine(ScriptEngine* engine) { m_scriptEngine = engine; }
    ActionQueue& actionQueue() { return m_actionQueue; }
    const RuntimeLimits& limits() const { return m_limits; }
    std::uint8_t swfVersion() const { return m_swfVersion; }
    // Instance names ignore case in movies before SWF 7.
    bool namesAreCaseSensitive() const { return m_swfVersion >= 7; }
    std::size_t liveObjectCount() const { return m_liveObjects; }

    // Timeline tags applied since the frame began, against maxTagsReplayedPerFrame.
    void countReplayedTags(std::size_t count) { m_replayedTags += count; }
    bool replayBudgetSpent() const { return m_replayedTags >= m_limits.maxTagsReplayedPerFrame; }
    void startFrame() { m_replayedTags = 0; }

    // True the first time a DoInitAction block is offered: init actions run once per movie.
    bool firstRunOfInitActions(const ActionBlock* actions) { return m_initActionsRun.insert(actions).second; }

private:
    const CharacterDictionary& m_dictionary;
    std::uint8_t m_swfVersion;
    RuntimeLimits m_limits;
    ActionQueue m_actionQueue;
    std::vector<std::unique_ptr<DisplayObject>> m_retired;
    std::size_t m_liveObjects = 0;
    std::size_t m_replayedTags = 0;
    std::unordered_set<const ActionBlock*> m_initActionsRun;
    ScriptEngine* m_scriptEngine = nullptr;
    std::vector<std::pair<std::string, CharacterId>> m_exports;
    std::uint64_t m_created = 0;
    int m_instanceNames = 0;
};

} // namespace kf::swf
