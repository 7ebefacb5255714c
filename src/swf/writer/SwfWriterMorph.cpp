// The morph-shape tags of SwfWriter, mirroring SwfReaderMorph.
#include "swf/writer/SwfWriter.h"

#include <algorithm>

namespace kf::swf {

namespace {

void writeStyleCount(BitWriter& out, std::size_t count) {
    if (count >= 0xFF) {
        out.writeU8(0xFF);
        out.writeU16(static_cast<std::uint16_t>(count));
    } else {
        out.writeU8(static_cast<std::uint8_t>(count));
    }
}

} // namespace

void SwfWriter::writeMorphGradient(const Gradient& start, const Gradient& end) {
    const std::size_t count = std::min(start.records.size(), end.records.size());
    m_out.writeUnsignedBits(static_cast<std::uint32_t>(start.spread), 2);
    m_out.writeUnsignedBits(static_cast<std::uint32_t>(start.interpolation), 2);
    m_out.writeUnsignedBits(static_cast<std::uint32_t>(count), 4);
    for (std::size_t index = 0; index < count; ++index) {
        m_out.writeU8(start.records[index].ratio);
        writeRgba(start.records[index].color);
        m_out.writeU8(end.records[index].ratio);
        writeRgba(end.records[index].color);
    }
}

void SwfWriter::writeMorphFillStyle(const MorphFillStyle& style) {
    m_out.writeU8(static_cast<std::uint8_t>(style.start.type));
    if (style.start.type == FillType::Solid) {
        writeRgba(style.start.color);
        writeRgba(style.end.color);
    } else if (isGradientFill(style.start.type)) {
        writeMatrix(style.start.matrix);
        writeMatrix(style.end.matrix);
        writeMorphGradient(style.start.gradient, style.end.gradient);
        if (style.start.type == FillType::FocalRadialGradient) {
            m_out.writeS16(style.start.gradient.focalPoint.raw);
            m_out.writeS16(style.end.gradient.focalPoint.raw);
        }
    } else if (isBitmapFill(style.start.type)) {
        m_out.writeU16(style.start.bitmapId.value);
        writeMatrix(style.start.matrix);
        writeMatrix(style.end.matrix);
    }
}

void SwfWriter::writeMorphLineStyle(const MorphLineStyle& style, int morphVersion) {
    m_out.writeU16(style.start.width);
    m_out.writeU16(style.end.width);
    if (morphVersion >= 2) {
        writeLineStyleFlags(style.start);
        if (style.start.fill) {
            MorphFillStyle fill{*style.start.fill, style.end.fill ? *style.end.fill : *style.start.fill};
            writeMorphFillStyle(fill);
            return;
        }
    }
    writeRgba(style.start.color);
    writeRgba(style.end.color);
}

void SwfWriter::writeDefineMorphShape(const DefineMorphShapeTag& tag) {
    m_out.writeU16(tag.id.value);
    const MorphShape empty;
    const MorphShape& morph = tag.morph ? *tag.morph : empty;
    writeRect(morph.startBounds);
    writeRect(morph.endBounds);
    if (tag.version >= 2) {
        writeRect(morph.startEdgeBounds);
        writeRect(morph.endEdgeBounds);
        m_out.writeUnsignedBits(0, 6);
        m_out.writeFlag(morph.usesNonScalingStrokes);
        m_out.writeFlag(morph.usesScalingStrokes);
    }
    // The styles and start edges go first into a writer of their own: the offset before
    // them counts their bytes.
    SwfWriter styles(m_swfVersion);
    writeStyleCount(styles.m_out, morph.fillStyles.size());
    for (const MorphFillStyle& style : morph.fillStyles) {
        styles.writeMorphFillStyle(style);
    }
    writeStyleCount(styles.m_out, morph.lineStyles.size());
    for (const MorphLineStyle& style : morph.lineStyles) {
        styles.writeMorphLineStyle(style, tag.version);
    }
    const int shapeVersion = tag.version >= 2 ? 4 : 3;
    const unsigned fillBits =
        BitWriter::unsignedBitsNeeded(static_cast<std::uint32_t>(morph.fillStyles.size()));
    const unsigned lineBits =
        BitWriter::unsignedBitsNeeded(static_cast<std::uint32_t>(morph.lineStyles.size()));
    styles.m_out.writeUnsignedBits(fillBits, 4);
    styles.m_out.writeUnsignedBits(lineBits, 4);
    styles.writeShapeRecords(morph.startRecords, shapeVersion, fillBits, lineBits);
    styles.m_out.alignToByte();
    m_out.writeU32(static_cast<std::uint32_t>(styles.bytes().size()));
    m_out.writeBytes(styles.bytes());
    // The end edges carry moves only: no style bits.
    m_out.writeUnsignedBits(0, 4);
    m_out.writeUnsignedBits(0, 4);
    writeShapeRecords(morph.endRecords, shapeVersion, 0, 0);
}

} // namespace kf::swf
