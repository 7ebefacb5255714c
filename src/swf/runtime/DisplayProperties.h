#pragma once

#include "swf/format/Color.h"
#include "swf/format/Filters.h"
#include "swf/format/Geometry.h"
#include "swf/format/Tags.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kf::swf {

// Depth inside a display list. Timeline depths come from the file (1..65535); scripts may
// later use the whole signed range, so the runtime keeps 32 bits.
struct DisplayDepth {
    std::int32_t value = 0;
    constexpr auto operator<=>(const DisplayDepth&) const = default;
};

// The properties PlaceObject tags set on an instance; a replace carries them over to the
// new character.
struct DisplayProperties {
    Matrix matrix;
    ColorTransform colorTransform;
    std::uint16_t ratio = 0;
    std::string name;
    std::optional<DisplayDepth> clipDepth;
    BlendMode blendMode = BlendMode::Normal;
    std::vector<Filter> filters;
    bool cacheAsBitmap = false;
    bool visible = true;

    bool operator==(const DisplayProperties&) const = default;

    // Sets what the tag carries and leaves the rest, which is how a move keeps the rest.
    void apply(const PlaceObjectTag& tag);
};

} // namespace kf::swf
