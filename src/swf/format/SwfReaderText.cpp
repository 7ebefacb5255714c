// The font and text half of SwfReader: DefineFont 1 to 3, their companion tags, DefineText
// and DefineEditText.
#include "swf/format/SwfReader.h"

namespace kf::swf {

namespace {

std::uint32_t readOffset(std::span<const std::uint8_t> bytes, std::size_t at, bool wide) {
    if (wide) {
        return static_cast<std::uint32_t>(bytes[at]) | (static_cast<std::uint32_t>(bytes[at + 1]) << 8) |
               (static_cast<std::uint32_t>(bytes[at + 2]) << 16) |
               (static_cast<std::uint32_t>(bytes[at + 3]) << 24);
    }
    return static_cast<std::uint32_t>(bytes[at]) | (static_cast<std::uint32_t>(bytes[at + 1]) << 8);
}

// A name after its length byte. Names are often stored with their terminating zero, which
// is not part of the name.
std::string readFontName(BitReader& bits) {
    const std::span<const std::uint8_t> bytes = bits.readBytes(bits.readU8());
    std::string name(bytes.begin(), bytes.end());
    while (!name.empty() && name.back() == '\0') {
        name.pop_back();
    }
    return name;
}

} // namespace

std::vector<FontGlyph> SwfReader::readGlyphTable(std::size_t glyphCount, bool wideOffsets,
                                                 std::uint32_t& tableEnd) {
    // The offsets count from the start of the offset table and every glyph ends where the
    // next begins; the last ends at `tableEnd` (the code table, or the tag's end). Each
    // outline is read by a reader bounded to its own bytes, so a bad offset cannot make one
    // glyph swallow the next.
    std::vector<FontGlyph> glyphs;
    const std::size_t offsetSize = wideOffsets ? 4 : 2;
    const std::size_t base = m_bits.absoluteOffset();
    const std::span<const std::uint8_t> table = BitReader(m_bits).readRest();
    if (glyphCount > table.size() / offsetSize || !charge(glyphCount, sizeof(FontGlyph))) {
        fail("glyph offset table runs past the tag");
        return glyphs;
    }
    if (tableEnd == 0 || tableEnd > table.size()) {
        tableEnd = static_cast<std::uint32_t>(table.size());
    }
    glyphs.reserve(glyphCount);
    for (std::size_t index = 0; index < glyphCount && !failed(); ++index) {
        const std::uint32_t start = readOffset(table, index * offsetSize, wideOffsets);
        const std::uint32_t end =
            index + 1 < glyphCount ? readOffset(table, (index + 1) * offsetSize, wideOffsets) : tableEnd;
        if (start < glyphCount * offsetSize || start > end || end > table.size()) {
            fail("glyph " + std::to_string(index) + " has offset " + std::to_string(start) +
                 " outside its table");
            break;
        }
        SwfReader glyphReader(*this, BitReader(table.subspan(start, end - start), base + start),
                              m_spriteDepth);
        FontGlyph glyph;
        if (end > start) {
            glyph.shape = glyphReader.readShape(1);
        }
        if (glyphReader.failed()) {
            fail(glyphReader.m_error ? *glyphReader.m_error
                                     : "truncated outline of glyph " + std::to_string(index));
            break;
        }
        glyphs.push_back(std::move(glyph));
    }
    return glyphs;
}

DefineFontTag SwfReader::readDefineFont(int fontVersion) {
    DefineFontTag tag;
    tag.version = static_cast<std::uint8_t>(fontVersion);
    tag.id = CharacterId{m_bits.readU16()};
    if (fontVersion == 1) {
        // DefineFont has no glyph count: the first offset is the offset table's size.
        const std::span<const std::uint8_t> peek = BitReader(m_bits).readBytes(2);
        const std::size_t count = peek.empty() ? 0 : readOffset(peek, 0, false) / 2;
        std::uint32_t end = 0;
        tag.glyphs = readGlyphTable(count, false, end);
        return tag;
    }
    const bool hasLayout = m_bits.readFlag();
    tag.shiftJis = m_bits.readFlag();
    tag.smallText = m_bits.readFlag();
    tag.ansi = m_bits.readFlag();
    const bool wideOffsets = m_bits.readFlag();
    tag.wideCodes = m_bits.readFlag();
    tag.italic = m_bits.readFlag();
    tag.bold = m_bits.readFlag();
    tag.languageCode = m_bits.readU8();
    if (hasLayout) {
        tag.layout = FontLayout{};
    }
    tag.name = readFontName(m_bits);
    const std::size_t count = m_bits.readU16();
    if (failed()) {
        return tag;
    }
    if (count == 0 && m_bits.remaining() < (wideOffsets ? 4u : 2u)) {
        return tag; // fonts without glyphs (device fonts) may stop after the count
    }
    // The code table offset follows the glyph offsets, relative to the same start.
    const std::size_t offsetSize = wideOffsets ? 4 : 2;
    const std::span<const std::uint8_t> head = BitReader(m_bits).readBytes((count + 1) * offsetSize);
    if (head.empty()) {
        fail("glyph offset table runs past the tag");
        return tag;
    }
    std::uint32_t codeTableOffset = readOffset(head, count * offsetSize, wideOffsets);
    if (codeTableOffset > m_bits.remaining() || codeTableOffset < (count + 1) * offsetSize) {
        fail("code table offset " + std::to_string(codeTableOffset) + " outside the tag");
        return tag;
    }
    tag.glyphs = readGlyphTable(count, wideOffsets, codeTableOffset);
    m_bits.skip(codeTableOffset);
    for (FontGlyph& glyph : tag.glyphs) {
        glyph.code = tag.wideCodes ? m_bits.readU16() : m_bits.readU8();
    }
    if (tag.layout) {
        FontLayout& layout = *tag.layout;
        layout.ascent = m_bits.readS16();
        layout.descent = m_bits.readS16();
        layout.leading = m_bits.readS16();
        for (FontGlyph& glyph : tag.glyphs) {
            glyph.advance = m_bits.readS16();
        }
        for (std::size_t index = 0; index < count && !failed(); ++index) {
            readRect(); // glyph bounds: the outlines say the same
        }
        // Kerning pairs: checked for length, then dropped. Some writers leave the count
        // out when there are none.
        if (m_bits.remaining() >= 2) {
            const std::size_t pairs = m_bits.readU16();
            m_bits.skip(pairs * (tag.wideCodes ? 6 : 4));
        }
    }
    return tag;
}

DefineFontInfoTag SwfReader::readDefineFontInfo(int infoVersion) {
    DefineFontInfoTag tag;
    tag.version = static_cast<std::uint8_t>(infoVersion);
    tag.fontId = CharacterId{m_bits.readU16()};
    tag.name = readFontName(m_bits);
    m_bits.readUnsignedBits(2);
    tag.smallText = m_bits.readFlag();
    tag.shiftJis = m_bits.readFlag();
    tag.ansi = m_bits.readFlag();
    tag.italic = m_bits.readFlag();
    tag.bold = m_bits.readFlag();
    tag.wideCodes = m_bits.readFlag();
    if (infoVersion >= 2) {
        tag.languageCode = m_bits.readU8();
    }
    if (failed()) {
        return tag;
    }
    const std::size_t count = m_bits.remaining() / (tag.wideCodes ? 2 : 1);
    if (!charge(count, sizeof(std::uint16_t))) {
        return tag;
    }
    tag.codes.reserve(count);
    for (std::size_t index = 0; index < count; ++index) {
        tag.codes.push_back(tag.wideCodes ? m_bits.readU16() : m_bits.readU8());
    }
    return tag;
}

DefineFontAlignZonesTag SwfReader::readDefineFontAlignZones() {
    DefineFontAlignZonesTag tag;
    tag.fontId = CharacterId{m_bits.readU16()};
    tag.thickness = static_cast<std::uint8_t>(m_bits.readUnsignedBits(2));
    m_bits.alignToByte();
    // One record per glyph of the font, to the end of the tag.
    while (!failed() && !m_bits.atEnd()) {
        const unsigned values = m_bits.readU8();
        FontAlignZone zone;
        for (unsigned index = 0; index < values; ++index) {
            const std::uint16_t coordinate = m_bits.readU16();
            const std::uint16_t range = m_bits.readU16();
            if (index == 0) {
                zone.left = coordinate;
                zone.width = range;
            } else if (index == 1) {
                zone.bottom = coordinate;
                zone.height = range;
            }
        }
        m_bits.readUnsignedBits(6);
        zone.hasY = m_bits.readFlag();
        zone.hasX = m_bits.readFlag();
        if (!failed() && charge(1, sizeof(FontAlignZone))) {
            tag.zones.push_back(zone);
        }
    }
    return tag;
}

DefineFontNameTag SwfReader::readDefineFontName() {
    DefineFontNameTag tag;
    tag.fontId = CharacterId{m_bits.readU16()};
    tag.name = m_bits.readString();
    tag.copyright = m_bits.readString();
    return tag;
}

DefineTextTag SwfReader::readDefineText(int textVersion) {
    DefineTextTag tag;
    tag.version = static_cast<std::uint8_t>(textVersion);
    tag.id = CharacterId{m_bits.readU16()};
    tag.bounds = readRect();
    tag.matrix = readMatrix();
    const unsigned glyphBits = m_bits.readU8();
    const unsigned advanceBits = m_bits.readU8();
    if (glyphBits > 32 || advanceBits > 32) {
        fail("glyph field widths " + std::to_string(glyphBits) + "/" + std::to_string(advanceBits) +
             " exceed 32 bits");
        return tag;
    }
    while (!failed()) {
        if (m_bits.atEnd()) {
            break; // a missing end flag: the records stop with the tag
        }
        const std::uint8_t flags = m_bits.readU8();
        if ((flags & 0x80) == 0) {
            break;
        }
        if (!charge(1, sizeof(TextRecord))) {
            break;
        }
        TextRecord& record = tag.records.emplace_back();
        if ((flags & 0x08) != 0) {
            record.fontId = CharacterId{m_bits.readU16()};
        }
        if ((flags & 0x04) != 0) {
            record.color = textVersion >= 2 ? readRgba() : readRgb();
        }
        if ((flags & 0x01) != 0) {
            record.xOffset = Twips{m_bits.readS16()};
        }
        if ((flags & 0x02) != 0) {
            record.yOffset = Twips{m_bits.readS16()};
        }
        if ((flags & 0x08) != 0) {
            record.height = m_bits.readU16();
        }
        const std::size_t count = m_bits.readU8();
        if (!charge(count, sizeof(GlyphEntry))) {
            break;
        }
        record.glyphs.reserve(count);
        for (std::size_t index = 0; index < count; ++index) {
            GlyphEntry glyph;
            glyph.index = m_bits.readUnsignedBits(glyphBits);
            glyph.advance = m_bits.readSignedBits(advanceBits);
            record.glyphs.push_back(glyph);
        }
        m_bits.alignToByte();
    }
    return tag;
}

DefineEditTextTag SwfReader::readDefineEditText() {
    DefineEditTextTag tag;
    tag.id = CharacterId{m_bits.readU16()};
    tag.bounds = readRect();
    const bool hasText = m_bits.readFlag();
    tag.wordWrap = m_bits.readFlag();
    tag.multiline = m_bits.readFlag();
    tag.password = m_bits.readFlag();
    tag.readOnly = m_bits.readFlag();
    const bool hasColor = m_bits.readFlag();
    const bool hasMaxLength = m_bits.readFlag();
    const bool hasFont = m_bits.readFlag();
    const bool hasFontClass = m_bits.readFlag();
    tag.autoSize = m_bits.readFlag();
    const bool hasLayout = m_bits.readFlag();
    tag.noSelect = m_bits.readFlag();
    tag.border = m_bits.readFlag();
    tag.wasStatic = m_bits.readFlag();
    tag.html = m_bits.readFlag();
    tag.useOutlines = m_bits.readFlag();
    if (hasFont) {
        tag.fontId = CharacterId{m_bits.readU16()};
    }
    if (hasFontClass) {
        tag.fontClass = m_bits.readString();
    }
    if (hasFont || hasFontClass) {
        tag.fontHeight = m_bits.readU16();
    }
    if (hasColor) {
        tag.color = readRgba();
    }
    if (hasMaxLength) {
        tag.maxLength = m_bits.readU16();
    }
    if (hasLayout) {
        EditTextLayout layout;
        const std::uint8_t align = m_bits.readU8();
        if (align > 3) {
            fail("text alignment " + std::to_string(align) + " is not one of left, right, centre, justify");
            return tag;
        }
        layout.align = static_cast<TextAlign>(align);
        layout.leftMargin = m_bits.readU16();
        layout.rightMargin = m_bits.readU16();
        layout.indent = m_bits.readU16();
        layout.leading = m_bits.readS16();
        tag.layout = layout;
    }
    tag.variableName = m_bits.readString();
    if (hasText) {
        tag.initialText = m_bits.readString();
    }
    return tag;
}

} // namespace kf::swf
