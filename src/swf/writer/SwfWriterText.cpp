// The font and text half of SwfWriter, mirroring SwfReaderText.
#include "swf/writer/SwfWriter.h"

#include <algorithm>

namespace kf::swf {

namespace {

void writeOffset(BitWriter& out, std::size_t offset, bool wide) {
    if (wide) {
        out.writeU32(static_cast<std::uint32_t>(offset));
    } else {
        out.writeU16(static_cast<std::uint16_t>(offset));
    }
}

void writeName(BitWriter& out, const std::string& name) {
    const std::size_t length = std::min<std::size_t>(name.size(), 255);
    out.writeU8(static_cast<std::uint8_t>(length));
    out.writeBytes(std::span(reinterpret_cast<const std::uint8_t*>(name.data()), length));
}

} // namespace

void SwfWriter::writeDefineFont(const DefineFontTag& tag) {
    m_out.writeU16(tag.id.value);
    std::vector<std::vector<std::uint8_t>> outlines;
    std::size_t outlineBytes = 0;
    for (const FontGlyph& glyph : tag.glyphs) {
        SwfWriter outline(m_swfVersion);
        outline.writeShape(glyph.shape, 1);
        outline.out().alignToByte();
        outlineBytes += outline.bytes().size();
        outlines.push_back(outline.takeBytes());
    }
    const std::size_t count = tag.glyphs.size();
    if (tag.version == 1) {
        std::size_t offset = count * 2;
        for (const auto& outline : outlines) {
            writeOffset(m_out, offset, false);
            offset += outline.size();
        }
        for (const auto& outline : outlines) {
            m_out.writeBytes(outline);
        }
        return;
    }
    // Wide offsets only when the table needs them, as authoring tools do.
    const bool wideOffsets = (count + 1) * 2 + outlineBytes > 0xFFFF;
    const std::size_t offsetSize = wideOffsets ? 4 : 2;
    m_out.writeFlag(tag.layout.hasValue());
    m_out.writeFlag(tag.shiftJis);
    m_out.writeFlag(tag.smallText);
    m_out.writeFlag(tag.ansi);
    m_out.writeFlag(wideOffsets);
    m_out.writeFlag(tag.wideCodes);
    m_out.writeFlag(tag.italic);
    m_out.writeFlag(tag.bold);
    m_out.writeU8(tag.languageCode);
    writeName(m_out, tag.name);
    m_out.writeU16(static_cast<std::uint16_t>(count));
    std::size_t offset = (count + 1) * offsetSize;
    for (const auto& outline : outlines) {
        writeOffset(m_out, offset, wideOffsets);
        offset += outline.size();
    }
    writeOffset(m_out, offset, wideOffsets);
    for (const auto& outline : outlines) {
        m_out.writeBytes(outline);
    }
    for (const FontGlyph& glyph : tag.glyphs) {
        if (tag.wideCodes) {
            m_out.writeU16(glyph.code);
        } else {
            m_out.writeU8(static_cast<std::uint8_t>(glyph.code));
        }
    }
    if (!tag.layout) {
        return;
    }
    m_out.writeS16(tag.layout->ascent);
    m_out.writeS16(tag.layout->descent);
    m_out.writeS16(tag.layout->leading);
    for (const FontGlyph& glyph : tag.glyphs) {
        m_out.writeS16(glyph.advance);
    }
    for (std::size_t index = 0; index < count; ++index) {
        writeRect(Rect{});
    }
    m_out.writeU16(0); // no kerning pairs
}

void SwfWriter::writeDefineFontInfo(const DefineFontInfoTag& tag) {
    m_out.writeU16(tag.fontId.value);
    writeName(m_out, tag.name);
    const bool wideCodes = tag.wideCodes || tag.version >= 2;
    m_out.writeUnsignedBits(0, 2);
    m_out.writeFlag(tag.smallText);
    m_out.writeFlag(tag.shiftJis);
    m_out.writeFlag(tag.ansi);
    m_out.writeFlag(tag.italic);
    m_out.writeFlag(tag.bold);
    m_out.writeFlag(wideCodes);
    if (tag.version >= 2) {
        m_out.writeU8(tag.languageCode);
    }
    for (std::uint16_t code : tag.codes) {
        if (wideCodes) {
            m_out.writeU16(code);
        } else {
            m_out.writeU8(static_cast<std::uint8_t>(code));
        }
    }
}

void SwfWriter::writeDefineFontAlignZones(const DefineFontAlignZonesTag& tag) {
    m_out.writeU16(tag.fontId.value);
    m_out.writeUnsignedBits(tag.thickness, 2);
    m_out.writeUnsignedBits(0, 6);
    for (const FontAlignZone& zone : tag.zones) {
        m_out.writeU8(2);
        m_out.writeU16(zone.left);
        m_out.writeU16(zone.width);
        m_out.writeU16(zone.bottom);
        m_out.writeU16(zone.height);
        m_out.writeUnsignedBits(0, 6);
        m_out.writeFlag(zone.hasY);
        m_out.writeFlag(zone.hasX);
    }
}

void SwfWriter::writeDefineFontName(const DefineFontNameTag& tag) {
    m_out.writeU16(tag.fontId.value);
    m_out.writeString(tag.name);
    m_out.writeString(tag.copyright);
}

void SwfWriter::writeDefineText(const DefineTextTag& tag) {
    m_out.writeU16(tag.id.value);
    writeRect(tag.bounds);
    writeMatrix(tag.matrix);
    std::uint32_t largestIndex = 0;
    unsigned advanceBits = 1;
    for (const TextRecord& record : tag.records) {
        for (const GlyphEntry& glyph : record.glyphs) {
            largestIndex = std::max(largestIndex, glyph.index);
            advanceBits = std::max(advanceBits, BitWriter::signedBitsNeeded(glyph.advance));
        }
    }
    const unsigned glyphBits = std::max(1u, BitWriter::unsignedBitsNeeded(largestIndex));
    m_out.writeU8(static_cast<std::uint8_t>(glyphBits));
    m_out.writeU8(static_cast<std::uint8_t>(advanceBits));
    for (const TextRecord& record : tag.records) {
        const bool hasFont = record.fontId.has_value();
        m_out.writeU8(static_cast<std::uint8_t>(0x80 | (hasFont ? 0x08 : 0) | (record.color ? 0x04 : 0) |
                                                (record.yOffset ? 0x02 : 0) | (record.xOffset ? 0x01 : 0)));
        if (hasFont) {
            m_out.writeU16(record.fontId->value);
        }
        if (record.color) {
            if (tag.version >= 2) {
                writeRgba(*record.color);
            } else {
                writeRgb(*record.color);
            }
        }
        if (record.xOffset) {
            m_out.writeS16(static_cast<std::int16_t>(record.xOffset->value));
        }
        if (record.yOffset) {
            m_out.writeS16(static_cast<std::int16_t>(record.yOffset->value));
        }
        if (hasFont) {
            m_out.writeU16(record.height.value_or(0));
        }
        m_out.writeU8(static_cast<std::uint8_t>(record.glyphs.size()));
        for (const GlyphEntry& glyph : record.glyphs) {
            m_out.writeUnsignedBits(glyph.index, glyphBits);
            m_out.writeSignedBits(glyph.advance, advanceBits);
        }
        m_out.alignToByte();
    }
    m_out.writeU8(0);
}

void SwfWriter::writeDefineEditText(const DefineEditTextTag& tag) {
    m_out.writeU16(tag.id.value);
    writeRect(tag.bounds);
    m_out.writeFlag(tag.initialText.hasValue());
    m_out.writeFlag(tag.wordWrap);
    m_out.writeFlag(tag.multiline);
    m_out.writeFlag(tag.password);
    m_out.writeFlag(tag.readOnly);
    m_out.writeFlag(tag.color.has_value());
    m_out.writeFlag(tag.maxLength.has_value());
    m_out.writeFlag(tag.fontId.has_value());
    m_out.writeFlag(tag.fontClass.hasValue());
    m_out.writeFlag(tag.autoSize);
    m_out.writeFlag(tag.layout.has_value());
    m_out.writeFlag(tag.noSelect);
    m_out.writeFlag(tag.border);
    m_out.writeFlag(tag.wasStatic);
    m_out.writeFlag(tag.html);
    m_out.writeFlag(tag.useOutlines);
    if (tag.fontId) {
        m_out.writeU16(tag.fontId->value);
    }
    if (tag.fontClass) {
        m_out.writeString(*tag.fontClass);
    }
    if (tag.fontId || tag.fontClass) {
        m_out.writeU16(tag.fontHeight.value_or(0));
    }
    if (tag.color) {
        writeRgba(*tag.color);
    }
    if (tag.maxLength) {
        m_out.writeU16(*tag.maxLength);
    }
    if (tag.layout) {
        m_out.writeU8(static_cast<std::uint8_t>(tag.layout->align));
        m_out.writeU16(tag.layout->leftMargin);
        m_out.writeU16(tag.layout->rightMargin);
        m_out.writeU16(tag.layout->indent);
        m_out.writeS16(tag.layout->leading);
    }
    m_out.writeString(tag.variableName);
    if (tag.initialText) {
        m_out.writeString(*tag.initialText);
    }
}

} // namespace kf::swf
