#pragma once

#include "swf/format/Color.h"
#include "swf/format/Movie.h"
#include "swf/runtime/CharacterDictionary.h"
#include "swf/runtime/TimelineDefinition.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kf::swf {

// One SWF file as the player holds it: the parsed tags, the characters they define, the
// main timeline, and the address it came from. The movie at level 0 is one, and so is
// every movie loaded into a level or a clip; each clip instantiates from the movie its
// timeline belongs to, so loaded movies keep their own character ids.
class LoadedMovie {
public:
    // `url` is what _url answers and what relative addresses resolve against.
    static std::shared_ptr<const LoadedMovie> create(Movie movie, std::string url);

    LoadedMovie(const LoadedMovie&) = delete;
    LoadedMovie& operator=(const LoadedMovie&) = delete;

    const Header& header() const { return m_movie.header; }
    std::uint8_t version() const { return m_movie.header.version; }
    const std::vector<Tag>& tags() const { return m_movie.tags; }
    const CharacterDictionary& dictionary() const { return m_dictionary; }
    const TimelineDefinition& timeline() const { return m_timeline; }
    const std::string& url() const { return m_url; }
    // The first SetBackgroundColor of the file, if any.
    std::optional<Rgba> background() const { return m_background; }

    // The symbols ExportAssets names, for attachMovie and ImportAssets. The first export of
    // a name wins; names ignore case before SWF 7.
    std::optional<CharacterId> exportedCharacter(std::string_view name) const;
    // The event sound defined as `id`, if the movie has one.
    const DefineSoundTag* sound(CharacterId id) const;

private:
    LoadedMovie(Movie movie, std::string url);
    void addExports();

    Movie m_movie;
    std::string m_url;
    CharacterDictionary m_dictionary;
    TimelineDefinition m_timeline;
    std::optional<Rgba> m_background;
    std::vector<std::pair<std::string, CharacterId>> m_exports;
};

} // namespace kf::swf
