#include "swf/runtime/LoadedMovie.h"

#include "swf/runtime/TextCompare.h"

namespace kf::swf {

std::shared_ptr<const LoadedMovie> LoadedMovie::create(Movie movie, std::string url) {
    return std::shared_ptr<const LoadedMovie>(new LoadedMovie(std::move(movie), std::move(url)));
}

LoadedMovie::LoadedMovie(Movie movie, std::string url) : m_movie(std::move(movie)), m_url(std::move(url)) {
    // The definitions point into the tags, which stay put from here on.
    m_dictionary.addDefinitions(m_movie.tags);
    m_timeline = TimelineDefinition::fromTags(m_movie.tags, m_movie.header.frameCount);
    for (const Tag& tag : m_movie.tags) {
        if (const auto* background = std::get_if<SetBackgroundColorTag>(&tag.body);
            background && !m_background) {
            m_background = background->color;
        } else if (const auto* sceneData = std::get_if<DefineSceneAndFrameLabelDataTag>(&tag.body)) {
            for (const FrameLabelEntry& entry : sceneData->labels) {
                m_timeline.addLabel(TimelineLabel{entry.label, static_cast<int>(entry.frameNumber)});
            }
        }
    }
    addExports();
}

void LoadedMovie::addExports() {
    for (const Tag& tag : m_movie.tags) {
        const auto* body = std::get_if<UnknownTag>(&tag.body);
        if (tag.code != TagCode::ExportAssets || !body) {
            continue;
        }
        // UI16 count, then per symbol a UI16 character id and a NUL-terminated name.
        const std::vector<std::uint8_t>& bytes = body->body;
        std::size_t position = 2;
        const std::size_t count = bytes.size() >= 2 ? bytes[0] | (bytes[1] << 8) : 0;
        for (std::size_t index = 0; index < count && position + 2 < bytes.size(); ++index) {
            const CharacterId id{static_cast<std::uint16_t>(bytes[position] | (bytes[position + 1] << 8))};
            position += 2;
            std::string name;
            while (position < bytes.size() && bytes[position] != 0) {
                name.push_back(static_cast<char>(bytes[position++]));
            }
            ++position;
            if (!exportedCharacter(name)) {
                m_exports.emplace_back(std::move(name), id);
            }
        }
    }
}

std::optional<CharacterId> LoadedMovie::exportedCharacter(std::string_view name) const {
    const bool caseSensitive = version() >= 7;
    for (const auto& [exported, id] : m_exports) {
        if (caseSensitive ? exported == name : equalsIgnoringCase(exported, name)) {
            return id;
        }
    }
    return std::nullopt;
}

const DefineSoundTag* LoadedMovie::sound(CharacterId id) const {
    // Looked up when a script attaches a sound, which is seldom: no index is kept.
    for (const Tag& tag : m_movie.tags) {
        if (const auto* sound = std::get_if<DefineSoundTag>(&tag.body); sound && sound->id == id) {
            return sound;
        }
    }
    return nullptr;
}

} // namespace kf::swf
