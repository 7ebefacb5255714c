#pragma once

#include "swf/format/TextTags.h"
#include "swf/runtime/Character.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>

namespace kf::swf {

// A DefineFont, DefineFont2 or DefineFont3 in the dictionary, with what a DefineFontInfo
// adds to it. Glyph outlines stay in the font's own units (emSize() per EM square); the
// renderer scales them to each run's height.
class FontCharacter : public Character {
public:
    // `definition` and `info` (may be null) must outlive the character.
    FontCharacter(const DefineFontTag& definition, const DefineFontInfoTag* info);

    CharacterKind kind() const override { return CharacterKind::Font; }
    CharacterId id() const override { return m_definition.id; }

    const DefineFontTag& definition() const { return m_definition; }
    const std::string& name() const { return m_name; }
    bool bold() const { return m_bold; }
    bool italic() const { return m_italic; }
    double emSize() const { return m_definition.emSize(); }
    std::size_t glyphCount() const { return m_definition.glyphs.size(); }

    // The glyph that draws `code`, if the font has one.
    std::optional<std::size_t> glyphFor(char32_t code) const;
    // Pen advance after `glyph`, in font units: the layout's, or, for fonts without one,
    // the outline's width plus a little, so text set in them still reads.
    double advance(std::size_t glyph) const;
    bool hasLayout() const { return m_definition.layout.hasValue(); }
    // In font units; fonts without a layout get the EM square's usual split.
    double ascent() const;
    double descent() const;
    double leading() const;

    // Owned and interpreted by the render library only (glyph paths).
    mutable std::shared_ptr<void> renderCache;

private:
    const DefineFontTag& m_definition;
    std::string m_name;
    bool m_bold = false;
    bool m_italic = false;
    std::unordered_map<char32_t, std::size_t> m_glyphByCode;
};

} // namespace kf::swf
