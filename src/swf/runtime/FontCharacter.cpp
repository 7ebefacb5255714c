#include "swf/runtime/FontCharacter.h"

#include <algorithm>
#include <variant>

namespace kf::swf {

namespace {

// The horizontal extent of an outline, in font units.
double outlineWidth(const Shape& shape) {
    std::int32_t x = 0;
    std::int32_t smallest = 0;
    std::int32_t largest = 0;
    bool any = false;
    auto see = [&](std::int32_t value) {
        smallest = any ? std::min(smallest, value) : value;
        largest = any ? std::max(largest, value) : value;
        any = true;
    };
    for (const ShapeRecord& record : shape.records) {
        if (const auto* change = std::get_if<StyleChangeRecord>(&record)) {
            if (change->hasMoveTo()) {
                x = change->moveToX()->value;
                see(x);
            }
        } else if (const auto* line = std::get_if<StraightEdgeRecord>(&record)) {
            x += line->deltaX.value;
            see(x);
        } else if (const auto* curve = std::get_if<CurvedEdgeRecord>(&record)) {
            x += curve->controlDeltaX.value + curve->anchorDeltaX.value;
            see(x);
        }
    }
    return any ? static_cast<double>(largest) - std::min(0, smallest) : 0.0;
}

} // namespace

FontCharacter::FontCharacter(const DefineFontTag& definition, const DefineFontInfoTag* info)
    : m_definition(definition), m_name(definition.name), m_bold(definition.bold),
      m_italic(definition.italic) {
    if (info) {
        m_name = info->name;
        m_bold = info->bold;
        m_italic = info->italic;
    }
    for (std::size_t index = 0; index < definition.glyphs.size(); ++index) {
        // DefineFont keeps its codes in the DefineFontInfo; the later fonts carry their own.
        std::uint16_t code = definition.glyphs[index].code;
        if (definition.version == 1) {
            if (!info || index >= info->codes.size()) {
                continue;
            }
            code = info->codes[index];
        }
        m_glyphByCode.try_emplace(code, index);
    }
}

std::optional<std::size_t> FontCharacter::glyphFor(char32_t code) const {
    auto found = m_glyphByCode.find(code);
    if (found == m_glyphByCode.end()) {
        return std::nullopt;
    }
    return found->second;
}

double FontCharacter::advance(std::size_t glyph) const {
    if (glyph >= m_definition.glyphs.size()) {
        return 0.0;
    }
    if (hasLayout()) {
        return m_definition.glyphs[glyph].advance;
    }
    return outlineWidth(m_definition.glyphs[glyph].shape) + emSize() / 16.0;
}

double FontCharacter::ascent() const {
    return hasLayout() ? m_definition.layout->ascent : emSize() * 0.9;
}

double FontCharacter::descent() const {
    return hasLayout() ? m_definition.layout->descent : emSize() * 0.22;
}

double FontCharacter::leading() const {
    return hasLayout() ? m_definition.layout->leading : 0.0;
}

} // namespace kf::swf
