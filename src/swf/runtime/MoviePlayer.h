#pragma once

#include "common/Result.h"
#include "swf/format/Movie.h"
#include "swf/runtime/ActionRunner.h"
#include "swf/runtime/CharacterDictionary.h"
#include "swf/runtime/DisplayList.h"
#include "swf/runtime/LoadedMovie.h"
#include "swf/runtime/LocalResourceLoader.h"
#include "swf/runtime/MovieLoads.h"
#include "swf/runtime/NullNavigator.h"
#include "swf/runtime/NullPlayerHost.h"
#include "swf/runtime/RuntimeLimits.h"
#include "swf/runtime/TimelineDefinition.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kf::swf {

class InputDispatcher;
struct InputEvent;
class PlayerContext;
class ScriptEngine;
class SpriteObject;

// One loaded movie and its playback: what the Flash control drives. Frames are 0-based.
// The host calls advanceFrame() once per frame period while isPlaying(); everything else
// (goto, play, stop) takes effect at once and runs the frame scripts it triggers.
class MoviePlayer {
public:
    // Null hosts are replaced by ones that ignore everything. Both must outlive the player.
    explicit MoviePlayer(Navigator* navigator = nullptr, PlayerHost* host = nullptr,
                         RuntimeLimits limits = {});
    ~MoviePlayer();
    MoviePlayer(const MoviePlayer&) = delete;
    MoviePlayer& operator=(const MoviePlayer&) = delete;

    // Takes the parsed movie and shows its first frame (running that frame's scripts).
    // `url` is where it came from: what _url answers and what the movies and variables it
    // loads are found relative to.
    Status load(Movie movie, std::string url = {});
    void unload();
    bool isLoaded() const { return m_root != nullptr; }

    // Of the movie at level 0.
    const Header& header() const { return m_movie->header(); }
    std::uint8_t version() const { return m_movie->version(); }
    const Rect& stageRect() const { return m_movie->header().frameSize; }
    double frameRate() const { return m_movie->header().frameRate.toDouble(); }
    // From SetBackgroundColor; white when the movie sets none.
    Rgba backgroundColor() const { return m_background; }

    void play();
    void stop();
    // False once stopped: by stop(), a script, or the end of a movie that does not loop.
    bool isPlaying() const;
    int currentFrame() const;
    int totalFrames() const;
    // A backward goto rebuilds the frame from the start and keeps every instance the rebuilt
    // frame places identically, so a sprite kept this way keeps its own playhead.
    void gotoFrame(int frame);
    bool gotoLabel(std::string_view label);
    void nextFrame();
    void previousFrame();
    const std::vector<TimelineLabel>& frameLabels() const;

    // Looping (on by default) wraps the main timeline to frame 1 after its last frame; off,
    // playback stops on the last frame.
    bool isLooping() const { return m_looping; }
    void setLooping(bool looping);

    // One frame period: every playing timeline moves on, then the frame scripts run.
    void advanceFrame();

    // Mouse and keyboard into the movie, each running the scripts it triggers at once.
    // Positions are stage twips (the movie's own coordinates, before the view scales them);
    // key codes are Flash Player's and `character` the UTF-16 unit typed, 0 for none.
    void mouseMove(double x, double y);
    void mouseDown(double x, double y);
    void mouseUp(double x, double y);
    void keyDown(int keyCode, char16_t character);
    void keyUp(int keyCode, char16_t character);
    // Whether the mouse is over a button or a clip that takes the mouse and wants the hand
    // pointer shown.
    bool wantsHandCursor();

    // Level 0's display list.
    const DisplayList& displayList() const;
    // What the stage shows: the main timeline of every level, level 0 lowest.
    const DisplayList& levels() const;
    SpriteObject* root() { return m_root; }
    const CharacterDictionary& dictionary() const { return m_movie->dictionary(); }

    void setNavigator(Navigator* navigator);
    void setHost(PlayerHost* host);
    // The interpreter for the movie's scripts; set before load(). Null keeps the built-in
    // SWF 3 actions only. The engine must outlive the player or be reset first.
    void setScriptEngine(ScriptEngine* engine) { m_scriptEngine = engine; }
    // Where loadMovie and loadVariables get addresses other than local files; null refuses
    // them. Must outlive the player.
    void setRemoteLoader(ResourceLoader* loader) { m_localLoader.setRemote(loader); }
    // Replaces the whole loader, local files included (tests, sandboxed hosts).
    void setResourceLoader(ResourceLoader* loader) { m_loader = loader ? loader : &m_localLoader; }

private:
    void start(std::shared_ptr<const LoadedMovie> movie);
    void clearStage();
    // At the end of a frame: carries out the loads that came due (MoviePlayerLoading.cpp).
    void completeLoads();
    void complete(LoadRequest& request, ResourceLoader::Bytes bytes);
    void loadIntoLevel(int level, std::shared_ptr<const LoadedMovie> movie);
    void unloadLevel(int level);
    SpriteObject* findTarget(const LoadTarget& target) const;
    void runQueuedActions();
    void dispatchInput(const InputEvent& event);
    ActionContext rootContext();

    Navigator* m_navigator;
    PlayerHost* m_host;
    NullNavigator m_nullNavigator;
    NullPlayerHost m_nullHost;
    RuntimeLimits m_limits;
    ActionRunner m_runner;
    ScriptEngine* m_scriptEngine = nullptr;
    bool m_looping = true;
    Rgba m_background{255, 255, 255, 255};

    LocalResourceLoader m_localLoader;
    ResourceLoader* m_loader = &m_localLoader;
    MovieLoads m_loads;

    std::shared_ptr<const LoadedMovie> m_movie;
    std::unique_ptr<PlayerContext> m_context;
    // Level 0's main timeline; the context's levels own it.
    SpriteObject* m_root = nullptr;
    std::unique_ptr<InputDispatcher> m_input;
    DisplayList m_emptyList;
};

} // namespace kf::swf
