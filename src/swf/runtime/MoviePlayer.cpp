#include "swf/runtime/MoviePlayer.h"

#include "swf/runtime/InputDispatcher.h"
#include "swf/runtime/PlayerContext.h"
#include "swf/runtime/ScriptEngine.h"
#include "swf/runtime/SpriteObject.h"

namespace kf::swf {

MoviePlayer::MoviePlayer(Navigator* navigator, PlayerHost* host, RuntimeLimits limits)
    : m_navigator(navigator ? navigator : &m_nullNavigator), m_host(host ? host : &m_nullHost),
      m_limits(limits), m_movie(LoadedMovie::create(Movie{}, {})) {}

MoviePlayer::~MoviePlayer() {
    unload();
}

Status MoviePlayer::load(Movie movie, std::string url) {
    unload();
    start(LoadedMovie::create(std::move(movie), std::move(url)));
    return success();
}

void MoviePlayer::start(std::shared_ptr<const LoadedMovie> movie) {
    m_movie = std::move(movie);
    m_background = m_movie->background().value_or(Rgba{255, 255, 255, 255});
    m_context = std::make_unique<PlayerContext>(m_movie, m_limits);
    m_context->setScriptEngine(m_scriptEngine);
    m_context->setMovieLoads(&m_loads);
    auto root =
        std::make_unique<SpriteObject>(DisplayDepth{0}, CharacterId{0}, m_movie->timeline(), *m_context, 0);
    root->setMovie(m_movie);
    root->setLoops(m_looping);
    m_root = root.get();
    m_context->levels().objects().emplace(DisplayDepth{0}, std::move(root));
    m_context->startFrame();
    m_root->construct();
    // The main timeline's load event comes after its first frame's scripts.
    m_context->actionQueue().pushEvent(m_root, static_cast<std::uint32_t>(ClipEvent::Load));
    runQueuedActions();
}

void MoviePlayer::clearStage() {
    if (m_scriptEngine) {
        m_scriptEngine->movieUnloaded();
    }
    m_input.reset();
    m_root = nullptr;
    m_context.reset();
}

void MoviePlayer::unload() {
    clearStage();
    m_loads.clear();
    m_movie = LoadedMovie::create(Movie{}, {});
    m_background = Rgba{255, 255, 255, 255};
}

void MoviePlayer::play() {
    if (m_root) {
        m_root->play();
    }
}

void MoviePlayer::stop() {
    if (m_root) {
        m_root->stop();
    }
}

bool MoviePlayer::isPlaying() const {
    return m_root && m_root->isPlaying();
}

int MoviePlayer::currentFrame() const {
    return m_root ? m_root->currentFrame() : 0;
}

int MoviePlayer::totalFrames() const {
    return m_root ? m_root->totalFrames() : 0;
}

void MoviePlayer::gotoFrame(int frame) {
    if (m_root) {
        m_context->startFrame();
        m_root->gotoFrame(frame);
        runQueuedActions();
    }
}

bool MoviePlayer::gotoLabel(std::string_view label) {
    if (!m_root) {
        return false;
    }
    m_context->startFrame();
    const bool found = m_root->gotoLabel(label);
    runQueuedActions();
    return found;
}

void MoviePlayer::nextFrame() {
    if (m_root) {
        m_context->startFrame();
        m_root->nextFrame();
        runQueuedActions();
    }
}

void MoviePlayer::previousFrame() {
    if (m_root) {
        m_context->startFrame();
        m_root->previousFrame();
        runQueuedActions();
    }
}

const std::vector<TimelineLabel>& MoviePlayer::frameLabels() const {
    return m_movie->timeline().labels();
}

void MoviePlayer::setLooping(bool looping) {
    m_looping = looping;
    if (m_root) {
        m_root->setLoops(looping);
    }
}

void MoviePlayer::advanceFrame() {
    if (m_root) {
        m_loads.startFrame();
        m_context->startFrame();
        std::vector<SpriteObject*> levels;
        for (auto& [depth, level] : m_context->levels().objects()) {
            levels.push_back(level->asSprite());
        }
        for (SpriteObject* level : levels) {
            level->tick();
        }
        runQueuedActions();
        if (m_scriptEngine) {
            // Timers come after the frame's queue; what they start (gotos) runs its scripts
            // in this frame too.
            ActionContext context = rootContext();
            m_scriptEngine->frameAdvanced(context);
            runQueuedActions();
        }
        completeLoads();
    }
}

const DisplayList& MoviePlayer::displayList() const {
    return m_root ? m_root->displayList() : m_emptyList;
}

const DisplayList& MoviePlayer::levels() const {
    return m_context ? m_context->levels() : m_emptyList;
}

void MoviePlayer::setNavigator(Navigator* navigator) {
    m_navigator = navigator ? navigator : &m_nullNavigator;
}

void MoviePlayer::setHost(PlayerHost* host) {
    m_host = host ? host : &m_nullHost;
}

ActionContext MoviePlayer::rootContext() {
    static const ActionBlock noActions;
    return ActionContext{*m_root, *m_root, m_root, *m_context, *m_navigator, *m_host, noActions};
}

void MoviePlayer::runQueuedActions() {
    if (m_scriptEngine) {
        ActionContext context = rootContext();
        m_scriptEngine->beforeFrameScripts(context);
    }
    ActionQueue& queue = m_context->actionQueue();
    std::size_t scripts = 0;
    std::size_t actions = 0;
    while (!queue.isEmpty()) {
        // Scripts that keep sending each other to new frames are cut off here; the frame
        // shows whatever state they reached.
        const bool cutOff = scripts >= m_limits.maxScriptsPerFrame ||
                            actions >= m_limits.maxActionsPerFrame || m_context->replayBudgetSpent();
        const QueuedActions entry = queue.takeFirst();
        // Clip events come at most once per clip and cause; only scripts can bounce forever.
        scripts += entry.actions ? 1 : 0;
        if (entry.clip->isRemoved()) {
            continue;
        }
        if (entry.detach) {
            // Even a cut-off queue lets clips waiting for their unload event leave.
            if (SpriteObject* parent = entry.clip->parent()) {
                parent->detachChild(*entry.clip);
            }
            continue;
        }
        // A clip on its way out runs its unload handlers and nothing else it had queued.
        if (cutOff || (entry.event != static_cast<std::uint32_t>(ClipEvent::Unload) &&
                       entry.clip->isInUnloadingClip())) {
            continue;
        }
        static const ActionBlock noActions;
        // _root is the main timeline of the clip's own level.
        SpriteObject* levelRoot = entry.clip;
        while (levelRoot->parent()) {
            levelRoot = levelRoot->parent();
        }
        ActionContext context{*levelRoot,
                              *entry.clip,
                              entry.clip,
                              *m_context,
                              *m_navigator,
                              *m_host,
                              entry.actions ? *entry.actions : noActions};
        context.event = entry.event;
        const std::size_t budget = m_limits.maxActionsPerFrame - actions;
        if (m_scriptEngine) {
            actions += m_scriptEngine->runActions(context, budget);
        } else if (entry.actions) {
            actions += m_runner.run(context, budget);
        }
    }
    m_context->releaseRetired();
}

} // namespace kf::swf
