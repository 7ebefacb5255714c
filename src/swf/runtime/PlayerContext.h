#pragma once

#include "swf/runtime/ActionQueue.h"
#include "swf/runtime/CharacterDictionary.h"
#include "swf/runtime/DisplayList.h"
#include "swf/runtime/DisplayObject.h"
#include "swf/runtime/LoadedMovie.h"
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

class MovieLoads;
class ScriptEngine;
class SpriteObject;

// What every timeline of the player shares: the levels, the queue of frame scripts, the
// objects removed during the current frame, and the movie at level 0. Clips instantiate
// from the movie their own timeline comes from.
class PlayerContext {
public:
    explicit PlayerContext(std::shared_ptr<const LoadedMovie> movie, RuntimeLimits limits = {});

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

    // The level 0 movie's.
    const LoadedMovie& movie() const { return *m_movie; }
    const CharacterDictionary& dictionary() const { return m_movie->dictionary(); }
    std::optional<CharacterId> exportedCharacter(std::string_view name) const {
        return m_movie->exportedCharacter(name);
    }
    // The main timelines of _level0, _level1...: each level's root at the depth of its number.
    DisplayList& levels() { return m_levels; }
    SpriteObject* level(int number) const;
    // Where scripts queue loadMovie, loadVariables and unloadMovie; null when the player
    // loads nothing.
    MovieLoads* movieLoads() const { return m_movieLoads; }
    void setMovieLoads(MovieLoads* loads) { m_movieLoads = loads; }
    // The interpreter, when the player has one: the timeline asks it about unload handlers.
    ScriptEngine* scriptEngine() const { return m_scriptEngine; }
    void setScriptEngine(ScriptEngine* engine) { m_scriptEngine = engine; }
    ActionQueue& actionQueue() { return m_actionQueue; }
    const RuntimeLimits& limits() const { return m_limits; }
    std::uint8_t swfVersion() const { return m_movie->version(); }
    // Instance names ignore case in movies before SWF 7.
    bool namesAreCaseSensitive() const { return swfVersion() >= 7; }
    std::size_t liveObjectCount() const { return m_liveObjects; }

    // Timeline tags applied since the frame began, against maxTagsReplayedPerFrame.
    void countReplayedTags(std::size_t count) { m_replayedTags += count; }
    bool replayBudgetSpent() const { return m_replayedTags >= m_limits.maxTagsReplayedPerFrame; }
    void startFrame() { m_replayedTags = 0; }

    // True the first time a DoInitAction block is offered: init actions run once per movie.
    bool firstRunOfInitActions(const ActionBlock* actions) { return m_initActionsRun.insert(actions).second; }

private:
    std::shared_ptr<const LoadedMovie> m_movie;
    RuntimeLimits m_limits;
    ActionQueue m_actionQueue;
    std::vector<std::unique_ptr<DisplayObject>> m_retired;
    std::size_t m_liveObjects = 0;
    std::size_t m_replayedTags = 0;
    std::unordered_set<const ActionBlock*> m_initActionsRun;
    ScriptEngine* m_scriptEngine = nullptr;
    MovieLoads* m_movieLoads = nullptr;
    std::uint64_t m_created = 0;
    int m_instanceNames = 0;
    // Last, so the levels go before anything their clips might still reach.
    DisplayList m_levels;
};

} // namespace kf::swf
