#include "swf/runtime/MoviePlayer.h"

#include "swf/runtime/InputDispatcher.h"
#include "swf/runtime/PlayerContext.h"
#include "swf/runtime/ScriptEngine.h"
#include "swf/runtime/SpriteObject.h"

namespace kf::swf {

MoviePlayer::MoviePlayer(Navigator* navigator, PlayerHost* host, RuntimeLimits limits)
    : m_navigator(navigator ? navigator : &m_nullNavigator), m_host(host ? host : &m_nullHost),
      m_limits(limits), m_movie(std::make_unique<Movie>()) {}

MoviePlayer::~MoviePlayer() {
    unload();
}

Status MoviePlayer::load(Movie movie) {
    unload();
    auto owned = std::make_unique<const Movie>(std::move(movie));
    const std::vector<Tag>& tags = owned->tags;

    m_dictionary.addDefinitions(tags);
    m_rootTimeline = TimelineDefinition::fromTags(tags, owned->header.frameCount);
    bool backgroundSeen = false;
    for (const Tag& tag : tags) {
        if (const auto* background = std::get_if<SetBackgroundColorTag>(&tag.body);
            background && !backgroundSeen) {
            m_background = background->color;
            backgroundSeen = true;
        } else if (const auto* sceneData = std::get_if<DefineSceneAndFrameLabelDataTag>(&tag.body)) {
            for (const FrameLabelEntry& entry : sceneData->labels) {
                m_rootTimeline.addLabel(TimelineLabel{entry.label, static_cast<int>(entry.frameNumber)});
            }
        }
    }
    m_movie = std::move(owned);

    m_context = std::make_unique<PlayerContext>(m_dictionary, m_movie->header.version, m_limits);
    m_context->setScriptEngine(m_scriptEngine);
    m_context->addExports(m_movie->tags);
    m_root = std::make_unique<SpriteObject>(DisplayDepth{0}, CharacterId{0}, m_rootTimeline, *m_context, 0);
    m_root->setLoops(m_looping);
    m_context->startFrame();
    m_root->construct();
    // The main timeline's load event comes after its first frame's scripts.
    m_context->actionQueue().pushEvent(m_root.get(), static_cast<std::uint32_t>(ClipEvent::Load));
    runQueuedActions();
    return success();
}

void MoviePlayer::unload() {
    if (m_scriptEngine) {
        m_scriptEngine->movieUnloaded();
    }
    m_input.reset();
    m_root.reset();
    m_context.reset();
    m_rootTimeline = TimelineDefinition{};
    m_dictionary = CharacterDictionary{};
    m_movie = std::make_unique<Movie>();
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
    return m_rootTimeline.labels();
}

void MoviePlayer::setLooping(bool looping) {
    m_looping = looping;
    if (m_root) {
        m_root->setLoops(looping);
    }
}

void MoviePlayer::advanceFrame() {
    if (m_root) {
        m_context->startFrame();
        m_root->tick();
        runQueuedActions();
        if (m_scriptEngine) {
            // Timers come after the frame's queue; what they start (gotos) runs its scripts
            // in this frame too.
            ActionContext context = rootContext();
            m_scriptEngine->frameAdvanced(context);
            runQueuedActions();
        }
    }
}

const DisplayList& MoviePlayer::displayList() const {
    return m_root ? m_root->displayList() : m_emptyList;
}

void MoviePlayer::setNavigator(Navigator* navigator) {
    m_navigator = navigator ? navigator : &m_nullNavigator;
}

void MoviePlayer::setHost(PlayerHost* host) {
    m_host = host ? host : &m_nullHost;
}

ActionContext MoviePlayer::rootContext() {
    static const ActionBlock noActions;
    return ActionContext{*m_root, *m_root, m_root.get(), *m_context, *m_navigator, *m_host, noActions};
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
        ActionContext context{*m_root,
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
