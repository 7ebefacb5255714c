#pragma once

#include "swf/runtime/ClipDrawing.h"
#include "swf/runtime/DisplayList.h"
#include "swf/runtime/DisplayObject.h"
#include "swf/runtime/TimelineDefinition.h"

#include <algorithm>
#include <memory>
#include <string_view>
#include <vector>

namespace kf::swf {

class CharacterDictionary;
class LoadedMovie;
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
    const TimelineDefinition& timeline() const { return *m_timeline; }
    // The movie whose characters this clip's timeline places: the one it was defined in, or
    // the one loaded into it. Every clip of a player has one once it is on stage.
    const std::shared_ptr<const LoadedMovie>& movie() const { return m_movie; }
    void setMovie(std::shared_ptr<const LoadedMovie> movie) { m_movie = std::move(movie); }
    PlayerContext& context() const { return m_context; }
    // loadMovie into this clip: its children and drawing go, `movie`'s main timeline takes
    // the place of its own and shows its first frame. A null movie leaves the clip empty,
    // as unloadMovie does. Name, depth and transform stay.
    void replaceContent(std::shared_ptr<const LoadedMovie> movie);
    // What scripts drew into the clip with the drawing API; drawn beneath its children.
    ClipDrawing& drawing() { return m_drawing; }
    const ClipDrawing& drawing() const { return m_drawing; }
    int nestingLevel() const { return m_nestingLevel; }

    // 0-based; -1 until the first frame has been shown. The frame of tags after the last
    // ShowFrame counts as the last frame.
    int currentFrame() const { return std::min(m_currentFrame, totalFrames() - 1); }
    int totalFrames() const { return m_timeline->frameCount(); }
    // Every frame is in memory once the movie is loaded; a sprite without frames has none.
    int framesLoaded() const { return totalFrames(); }
    // WaitForFrame's question. Once everything is loaded Flash Player answers yes even past
    // the last frame, up to the 16000 frames a timeline may have.
    bool isFrameLoaded(int frame) const { return frame >= 0 && frame <= maximumFrameIndex; }

    bool isPlaying() const { return m_playing; }
    void play() { m_playing = true; }
    void stop() { m_playing = false; }

    // Sprites always loop; the main timeline loops unless the host turns it off.
    bool loops() const { return m_loops; }
    void setLoops(bool loops) { m_loops = loops; }

    // Shows frame 1, as a sprite does the moment it is placed.
    void construct();

    // One frame period for this timeline and every clip inside it. Flash Player visits the
    // clips newest first; each queues its enterFrame event and moves on when playing, so a
    // child's frame scripts run before its parent's. Clips placed during the pass wait.
    void tick();
    // This timeline alone moves on one frame when playing.
    void advance();

    // Set while a removed clip waits, below every other depth, for its unload event; the
    // timeline no longer touches it and it stops playing.
    bool isUnloading() const { return m_unloading; }
    // True for this clip or one it sits in.
    bool isInUnloadingClip() const;

    // The display list as scripts change it (depths here are the list's, not the scripts'
    // shifted ones). Placing over an occupied depth removes what stood there. A sprite
    // placed here gets its initialize and load events queued and shows its first frame.
    DisplayObject* addScriptChild(std::unique_ptr<DisplayObject> object);
    // Removes the object at `depth`. A sprite that has an unload handler, itself or inside,
    // moves to depth -1 - depth and leaves once its unload events have run.
    void removeChild(DisplayDepth depth);
    // The last step of such a removal, run from the queue.
    void detachChild(const DisplayObject& child);
    // swapDepths: exchanges what stands at the two depths (either may be empty). Moved
    // objects belong to scripts from then on: the timeline no longer moves or removes them.
    void swapChildren(DisplayDepth first, DisplayDepth second);

    // Goes to `frame` without changing the play state. Going to the frame already shown does
    // nothing, as in Flash Player; a negative frame is ignored and one past the end shows the
    // last frame without its scripts.
    void gotoFrame(int frame);
    bool gotoLabel(std::string_view label);
    // AVM1's nextFrame and prevFrame: a goto that also stops; no wrap at either end.
    void nextFrame();
    void previousFrame();

private:
    static constexpr int maximumFrameIndex = 16000;

    void showFrame(int frame, bool runScripts = true);
    TimelineSlots slotsFromDisplayList() const;
    // Brings the list in line with `target`; returns the sprites it created, in the order of
    // the tags that placed them, not yet announced or constructed.
    // `rebuilt`: the frame was replayed from the start (a backward goto).
    std::vector<SpriteObject*> reconcile(const TimelineSlots& target, bool rebuilt);
    // Queues a new sprite's initialize, construct (timeline placements only; scripts run
    // construct themselves) and load events, naming it first when it has no name.
    void announce(SpriteObject& sprite, bool placedByTimeline);
    void queueUnloadEvents();

    const CharacterDictionary& dictionary() const;

    const TimelineDefinition* m_timeline;
    std::shared_ptr<const LoadedMovie> m_movie;
    PlayerContext& m_context;
    int m_nestingLevel;
    std::shared_ptr<const SpriteCharacter> m_character;
    ClipDrawing m_drawing;
    DisplayList m_displayList{m_drawing};
    int m_currentFrame = -1;
    bool m_playing = true;
    bool m_loops = true;
    bool m_unloading = false;
};

} // namespace kf::swf
