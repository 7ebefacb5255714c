#pragma once

#include "swf/format/Boxed.h"
#include "swf/format/Color.h"
#include "swf/format/Geometry.h"
#include "swf/format/ShapeRecords.h"
#include "swf/format/Units.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kf::swf {

// One glyph of a font: its outline (a SHAPE whose fill style 1 is the text colour), the
// character it stands for and how far the pen moves after it, in the font's own units.
struct FontGlyph {
    Shape shape;
    std::uint16_t code = 0;   // from DefineFont2/3, or DefineFontInfo for DefineFont
    std::int16_t advance = 0; // DefineFont2/3 with layout; 0 otherwise
    bool operator==(const FontGlyph&) const = default;
};

// The layout block of DefineFont2/3. Kerning pairs are read past and dropped: Flash Player
// does not apply them to text either.
struct FontLayout {
    std::int16_t ascent = 0;
    std::int16_t descent = 0;
    std::int16_t leading = 0;
    bool operator==(const FontLayout&) const = default;
};

// DefineFont (outlines only), DefineFont2 and DefineFont3. DefineFont3 outlines are drawn
// on a 20480-unit EM square, the others on 1024.
struct DefineFontTag {
    CharacterId id;
    std::uint8_t version = 1; // 1 to 3
    bool shiftJis = false;
    bool smallText = false;
    bool ansi = false;
    bool wideCodes = false;
    bool italic = false;
    bool bold = false;
    std::uint8_t languageCode = 0;
    std::string name;
    std::vector<FontGlyph> glyphs;
    Boxed<FontLayout> layout; // DefineFont2/3 with the layout flag
    bool operator==(const DefineFontTag&) const = default;

    // Font units per EM square.
    double emSize() const { return version >= 3 ? 20480.0 : 1024.0; }
};

// DefineFontInfo and DefineFontInfo2: the name, style and character codes a DefineFont lacks.
struct DefineFontInfoTag {
    CharacterId fontId;
    std::uint8_t version = 1; // 1 or 2
    std::string name;
    bool smallText = false;
    bool shiftJis = false;
    bool ansi = false;
    bool italic = false;
    bool bold = false;
    bool wideCodes = false; // always set by version 2
    std::uint8_t languageCode = 0;
    std::vector<std::uint16_t> codes; // one per glyph of the font
    bool operator==(const DefineFontInfoTag&) const = default;
};

// DefineFontAlignZones: hints for drawing small text sharp. Read so the tag is checked; the
// renderer draws outlines as they are.
struct FontAlignZone {
    std::uint16_t left = 0; // half-precision floats, kept raw
    std::uint16_t width = 0;
    std::uint16_t bottom = 0;
    std::uint16_t height = 0;
    bool hasX = false;
    bool hasY = false;
    bool operator==(const FontAlignZone&) const = default;
};
struct DefineFontAlignZonesTag {
    CharacterId fontId;
    std::uint8_t thickness = 0; // 0 thin, 1 medium, 2 thick
    std::vector<FontAlignZone> zones;
    bool operator==(const DefineFontAlignZonesTag&) const = default;
};

struct DefineFontNameTag {
    CharacterId fontId;
    std::string name;
    std::string copyright;
    bool operator==(const DefineFontNameTag&) const = default;
};

struct GlyphEntry {
    std::uint32_t index = 0;  // into the font's glyphs
    std::int32_t advance = 0; // twips
    bool operator==(const GlyphEntry&) const = default;
};

// TEXTRECORD: a run of glyphs. Absent members keep the previous record's values.
struct TextRecord {
    std::optional<CharacterId> fontId;
    std::optional<Rgba> color;
    std::optional<Twips> xOffset;
    std::optional<Twips> yOffset;
    std::optional<std::uint16_t> height; // twips; present together with fontId
    std::vector<GlyphEntry> glyphs;
    bool operator==(const TextRecord&) const = default;
};

// DefineText (RGB colours) and DefineText2 (RGBA).
struct DefineTextTag {
    CharacterId id;
    std::uint8_t version = 1; // 1 or 2
    Rect bounds;
    Matrix matrix;
    std::vector<TextRecord> records;
    bool operator==(const DefineTextTag&) const = default;
};

enum class TextAlign : std::uint8_t { Left = 0, Right = 1, Center = 2, Justify = 3 };

struct EditTextLayout {
    TextAlign align = TextAlign::Left;
    std::uint16_t leftMargin = 0; // twips
    std::uint16_t rightMargin = 0;
    std::uint16_t indent = 0;
    std::int16_t leading = 0;
    bool operator==(const EditTextLayout&) const = default;
};

// DefineEditText. The rarely present strings are boxed to keep Tag small.
struct DefineEditTextTag {
    CharacterId id;
    Rect bounds;
    bool wordWrap = false;
    bool multiline = false;
    bool password = false;
    bool readOnly = false;
    bool autoSize = false;
    bool noSelect = false;
    bool border = false;
    bool wasStatic = false;
    bool html = false;
    bool useOutlines = false; // draw with the embedded font's glyphs
    std::optional<CharacterId> fontId;
    std::optional<std::uint16_t> fontHeight; // twips
    std::optional<Rgba> color;
    std::optional<std::uint16_t> maxLength;
    std::optional<EditTextLayout> layout;
    Boxed<std::string> fontClass;
    Boxed<std::string> initialText;
    std::string variableName;
    bool operator==(const DefineEditTextTag&) const = default;
};

} // namespace kf::swf
