#pragma once

#include "swf/runtime/ClipDrawing.h"
#include "swf/runtime/DisplayList.h"
#include "swf/runtime/DisplayObject.h"
#include "swf/runtime/TimelineDefinition.h"

#include <memory>
#include <string_view>

namespace kf::swf {

class PlayerContext;
class SpriteCharacter;
class TimelineSlots;

// A timeline with its own display list and playhead: an instance of a DefineSprite, or the
// movie's main timeline at the root.
class SpriteObject : public DisplayObject {
public:
    SpriteObject(DisplayDepth depth, CharacterId characterId, const TimelineDefinition& timeline,
                 PlayerContext& context, int nestingLevel,
                 std::shared_ptr<const SpriteCharacter> character = {});

    DisplayObjectKind kind() const override { return DisplayObjectKind::Sprite; }
    const DisplayList* children() const override { return &m_displayList; }
    SpriteObject* asSprite() override { return this; }
    const SpriteObject* asSprite() const override { return this; }
    void markRemoved() override;

    DisplayList& displayList() { return m_displayList; }
    const DisplayList& displayList() const { return m_displayList; }
    const TimelineDefinition& timeline() const { return m_timeline; }
    // What scripts drew into the clip with the drawing API; drawn beneath its children.
    ClipDrawing& drawing() { return m_drawing; }
    const ClipDrawing& drawing() const { return m_drawing; }
    int nestingLevel() const { return m_nestingLevel; }

    // 0-based; -1 until the first frame has been shown.
    int currentFrame() const { return m_currentFrame; }
    int totalFrames() const { return m_timeline.frameCount(); }

    bool isPlaying() const { return m_playing; }
    void play() { m_playing = true; }
    void stop() { m_playing = false; }

    // Sprites always loop; the main timeline loops unless the host turns it off.
    bool loops() const { return m_loops; }
    void setLoops(bool loops) { m_loops = loops; }

    // Shows frame 1, as a sprite does the moment it is placed.
    void construct();

    // One frame of playback: this timeline moves on when playing, then every child sprite
    // that was already there before this frame (a sprite placed now showed its frame 1).
    void tick();

    // Goes to `frame` (clamped to the timeline) without changing the play state. Going to the
    // frame already shown does nothing, as in Flash Player.
    void gotoFrame(int frame);
    bool gotoLabel(std::string_view label);
    // AVM1's nextFrame and prevFrame: a goto that also stops; no wrap at either end.
    void nextFrame();
    void previousFrame();

private:
    void advance();
    void showFrame(int frame);
    TimelineSlots slotsFromDisplayList() const;
    void reconcile(const TimelineSlots& target);

    const TimelineDefinition& m_timeline;
    PlayerContext& m_context;
    int m_nestingLevel;
    std::shared_ptr<const SpriteCharacter> m_character;
    ClipDrawing m_drawing;
    DisplayList m_displayList{m_drawing};
    int m_currentFrame = -1;
    bool m_playing = true;
    bool m_loops = true;
};

} // namespace kf::swf
