// The loads scripts queued (loadMovie, loadVariables, unloadMovie) carried out at the end
// of a frame.

#include "swf/format/MovieReader.h"
#include "swf/runtime/MoviePlayer.h"
#include "swf/runtime/PlayerContext.h"
#include "swf/runtime/ScriptEngine.h"
#include "swf/runtime/SpriteObject.h"

#include <string_view>

namespace kf::swf {

void MoviePlayer::completeLoads() {
    std::vector<LoadRequest> due = m_loads.takeDue();
    for (LoadRequest& request : due) {
        if (!m_root) {
            break; // an earlier request emptied the player
        }
        if (request.kind == LoadKind::Unload) {
            if (request.target.isLevel()) {
                unloadLevel(request.target.level);
            } else if (SpriteObject* clip = findTarget(request.target)) {
                clip->replaceContent(nullptr);
            }
            continue;
        }
        std::optional<Result<ResourceLoader::Bytes>> fetched =
            m_loader->fetch(request.url, m_limits.maxLoadedBytes);
        if (!fetched) {
            m_loads.putBack(std::move(request));
            continue;
        }
        // A missing or unreadable file leaves the target as it was.
        if (fetched->ok()) {
            complete(request, std::move(fetched->value()));
        }
    }
    if (m_root) {
        runQueuedActions();
    }
}

void MoviePlayer::complete(LoadRequest& request, ResourceLoader::Bytes bytes) {
    if (request.kind == LoadKind::Variables) {
        SpriteObject* clip = findTarget(request.target);
        if (!clip) {
            return;
        }
        const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        if (m_scriptEngine) {
            ActionContext context = rootContext();
            m_scriptEngine->variablesLoaded(context, *clip, parseUrlVariables(text));
        }
        m_context->actionQueue().pushEvent(clip, static_cast<std::uint32_t>(ClipEvent::Data));
        return;
    }
    ReadOptions options;
    options.maxUncompressedSize = std::min(options.maxUncompressedSize, m_limits.maxLoadedBytes * 8);
    Result<Movie> movie = readMovie(bytes, options);
    if (!movie) {
        return;
    }
    std::shared_ptr<const LoadedMovie> loaded = LoadedMovie::create(std::move(*movie), request.url);
    if (request.target.isLevel()) {
        loadIntoLevel(request.target.level, std::move(loaded));
        return;
    }
    if (SpriteObject* clip = findTarget(request.target)) {
        m_context->startFrame();
        clip->replaceContent(std::move(loaded));
        m_context->actionQueue().pushEvent(clip, static_cast<std::uint32_t>(ClipEvent::Load));
    }
}

void MoviePlayer::loadIntoLevel(int level, std::shared_ptr<const LoadedMovie> movie) {
    if (level == 0) {
        // A new movie at level 0 replaces everything on stage, every level included.
        clearStage();
        start(std::move(movie));
        return;
    }
    unloadLevel(level);
    if (const std::optional<Rgba> background = movie->background()) {
        m_background = *background;
    }
    auto root =
        std::make_unique<SpriteObject>(DisplayDepth{level}, CharacterId{0}, movie->timeline(), *m_context, 0);
    root->setMovie(std::move(movie));
    SpriteObject* added = root.get();
    m_context->levels().objects().emplace(DisplayDepth{level}, std::move(root));
    m_context->startFrame();
    added->construct();
    m_context->actionQueue().pushEvent(added, static_cast<std::uint32_t>(ClipEvent::Load));
}

void MoviePlayer::unloadLevel(int level) {
    if (level == 0) {
        // The stage empties but the player keeps its place: the frames tick on, showing nothing.
        std::vector<DisplayDepth> others;
        for (const auto& [depth, root] : m_context->levels().objects()) {
            if (depth.value != 0) {
                others.push_back(depth);
            }
        }
        for (DisplayDepth depth : others) {
            unloadLevel(depth.value);
        }
        m_root->replaceContent(nullptr);
        return;
    }
    auto& objects = m_context->levels().objects();
    if (auto found = objects.find(DisplayDepth{level}); found != objects.end()) {
        std::unique_ptr<DisplayObject> root = std::move(found->second);
        objects.erase(found);
        m_context->retire(std::move(root));
    }
}

SpriteObject* MoviePlayer::findTarget(const LoadTarget& target) const {
    SpriteObject* clip = m_context->level(target.level);
    const bool caseSensitive = m_context->namesAreCaseSensitive();
    for (const std::string& name : target.names) {
        DisplayObject* child = clip ? clip->displayList().findByName(name, caseSensitive) : nullptr;
        clip = child && !child->isRemoved() ? child->asSprite() : nullptr;
    }
    return clip;
}

} // namespace kf::swf
