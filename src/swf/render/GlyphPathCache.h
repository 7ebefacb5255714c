#pragma once

#include <QPainterPath>
#include <cstddef>
#include <optional>
#include <vector>

namespace kf::swf {

class FontCharacter;

// The outlines of an embedded font as paths in font units, built the first time each glyph
// is drawn and hung on FontCharacter::renderCache: text redrawn every frame rebuilds nothing.
class GlyphPathCache {
public:
    // The outline of `glyph` of `font`; an empty path for an index the font does not have.
    static const QPainterPath& path(const FontCharacter& font, std::size_t glyph);

private:
    std::vector<std::optional<QPainterPath>> m_paths;
};

} // namespace kf::swf
