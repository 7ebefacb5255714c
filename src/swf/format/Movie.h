#pragma once

#include "swf/format/Geometry.h"
#include "swf/format/MovieAllocator.h"
#include "swf/format/Tags.h"
#include "swf/format/Units.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kf::swf {

enum class Compression : std::uint8_t { None, Zlib, Lzma }; // FWS, CWS, ZWS

struct Header {
    Compression compression = Compression::None;
    std::uint8_t version = 10;
    std::uint32_t fileLength = 0; // uncompressed length as the header declares it
    Rect frameSize;
    UFixed8 frameRate;
    std::uint16_t frameCount = 0;
    bool operator==(const Header&) const = default;
};

// A parsed movie: its header and its top-level tags in file order (the End tag included
// when the file has one).
struct Movie {
    Header header;
    std::vector<Tag> tags;
    // Holds the arena the tags' style and record arrays were read into; empty for a movie
    // made in code. Two movies are equal whatever their arenas.
    MovieAllocator<std::byte> arena;

    Movie() = default;
    Movie(const Movie&) = default;
    Movie& operator=(const Movie&) = default;
    // A moved-from movie lets go of the arena: a movie read on a loading thread and moved to
    // another leaves nothing behind whose destruction would count on the arena from there.
    Movie(Movie&& other) noexcept : header(other.header), tags(std::move(other.tags)), arena(other.arena) {
        other.arena = {};
    }
    Movie& operator=(Movie&& other) noexcept {
        header = other.header;
        tags = std::move(other.tags);
        arena = other.arena;
        other.arena = {};
        return *this;
    }
    ~Movie() = default;

    bool operator==(const Movie& other) const { return header == other.header && tags == other.tags; }
};

} // namespace kf::swf
