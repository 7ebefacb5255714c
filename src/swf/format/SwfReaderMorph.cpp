// The morph-shape part of SwfReader: DefineMorphShape and DefineMorphShape2.
#include "swf/format/SwfReader.h"

namespace kf::swf {

namespace {

// Reserved spread and interpolation values draw like the defaults, as in shapes.
SpreadMode morphSpread(std::uint32_t bits) {
    return bits <= 2 ? static_cast<SpreadMode>(bits) : SpreadMode::Pad;
}

InterpolationMode morphInterpolation(std::uint32_t bits) {
    return bits <= 1 ? static_cast<InterpolationMode>(bits) : InterpolationMode::Normal;
}

} // namespace

void SwfReader::readMorphGradient(MorphFillStyle& style) {
    // The count byte carries spread and interpolation in its high bits, as in GRADIENT;
    // files before SWF 8 leave them zero.
    m_bits.alignToByte();
    const SpreadMode spread = morphSpread(m_bits.readUnsignedBits(2));
    const InterpolationMode interpolation = morphInterpolation(m_bits.readUnsignedBits(2));
    const unsigned count = m_bits.readUnsignedBits(4);
    for (Gradient* gradient : {&style.start.gradient, &style.end.gradient}) {
        gradient->spread = spread;
        gradient->interpolation = interpolation;
        gradient->records.reserve(plausibleCount(count, 10));
    }
    for (unsigned index = 0; index < count && !failed(); ++index) {
        GradientRecord start;
        start.ratio = m_bits.readU8();
        start.color = readRgba();
        GradientRecord end;
        end.ratio = m_bits.readU8();
        end.color = readRgba();
        style.start.gradient.records.push_back(start);
        style.end.gradient.records.push_back(end);
    }
}

MorphFillStyle SwfReader::readMorphFillStyle() {
    MorphFillStyle style;
    const std::uint8_t type = m_bits.readU8();
    style.start.type = style.end.type = static_cast<FillType>(type);
    switch (style.start.type) {
    case FillType::Solid:
        style.start.color = readRgba();
        style.end.color = readRgba();
        break;
    case FillType::LinearGradient:
    case FillType::RadialGradient:
    case FillType::FocalRadialGradient:
        style.start.matrix = readMatrix();
        style.end.matrix = readMatrix();
        readMorphGradient(style);
        if (style.start.type == FillType::FocalRadialGradient) {
            style.start.gradient.focalPoint = Fixed8{m_bits.readS16()};
            style.end.gradient.focalPoint = Fixed8{m_bits.readS16()};
        }
        break;
    case FillType::RepeatingBitmap:
    case FillType::ClippedBitmap:
    case FillType::NonSmoothedRepeatingBitmap:
    case FillType::NonSmoothedClippedBitmap:
        style.start.bitmapId = style.end.bitmapId = CharacterId{m_bits.readU16()};
        style.start.matrix = readMatrix();
        style.end.matrix = readMatrix();
        break;
    default:
        if (!failed()) {
            fail("invalid morph fill style type " + std::to_string(type));
        }
        break;
    }
    return style;
}

MorphLineStyle SwfReader::readMorphLineStyle(int morphVersion) {
    MorphLineStyle style;
    style.start.width = m_bits.readU16();
    style.end.width = m_bits.readU16();
    if (morphVersion < 2) {
        style.start.color = readRgba();
        style.end.color = readRgba();
        return style;
    }
    const bool hasFill = readLineStyleFlags(style.start);
    const std::uint16_t endWidth = style.end.width;
    style.end = style.start;
    style.end.width = endWidth;
    if (hasFill) {
        MorphFillStyle fill = readMorphFillStyle();
        style.start.fill = std::move(fill.start);
        style.end.fill = std::move(fill.end);
    } else {
        style.start.color = readRgba();
        style.end.color = readRgba();
    }
    return style;
}

DefineMorphShapeTag SwfReader::readDefineMorphShape(int morphVersion) {
    DefineMorphShapeTag tag;
    tag.version = static_cast<std::uint8_t>(morphVersion);
    tag.id = CharacterId{m_bits.readU16()};
    MorphShape& morph = tag.morph.ensure();
    morph.startBounds = readRect();
    morph.endBounds = readRect();
    morph.startEdgeBounds = morph.startBounds;
    morph.endEdgeBounds = morph.endBounds;
    if (morphVersion >= 2) {
        morph.startEdgeBounds = readRect();
        morph.endEdgeBounds = readRect();
        m_bits.readUnsignedBits(6);
        morph.usesNonScalingStrokes = m_bits.readFlag();
        morph.usesScalingStrokes = m_bits.readFlag();
    }
    const std::uint32_t endEdgesOffset = m_bits.readU32();
    const std::size_t offsetBase = m_bits.position();

    std::size_t fillCount = m_bits.readU8();
    if (fillCount == 0xFF) {
        fillCount = m_bits.readU16();
    }
    // Nine bytes is the smallest morph fill style (solid: type and two RGBA colours).
    if (!charge(plausibleCount(fillCount, 9), sizeof(MorphFillStyle))) {
        return tag;
    }
    morph.fillStyles.reserve(plausibleCount(fillCount, 9));
    for (std::size_t index = 0; index < fillCount && !failed(); ++index) {
        morph.fillStyles.push_back(readMorphFillStyle());
    }
    std::size_t lineCount = m_bits.readU8();
    if (lineCount == 0xFF) {
        lineCount = m_bits.readU16();
    }
    const std::size_t plausibleLines = plausibleCount(lineCount, morphVersion >= 2 ? 10 : 12);
    if (!charge(plausibleLines, sizeof(MorphLineStyle))) {
        return tag;
    }
    morph.lineStyles.reserve(plausibleLines);
    for (std::size_t index = 0; index < lineCount && !failed(); ++index) {
        morph.lineStyles.push_back(readMorphLineStyle(morphVersion));
    }

    const int shapeVersion = morphVersion >= 2 ? 4 : 3;
    morph.startRecords = readShape(shapeVersion).records;
    // The offset says where the end edges start. Some encoders write it wrong (zero, most
    // often); the end edges then simply follow the start edges.
    const std::size_t endEdges = offsetBase + endEdgesOffset;
    if (endEdgesOffset != 0 && endEdges > m_bits.position() &&
        endEdges <= m_bits.position() + m_bits.remaining()) {
        m_bits.skip(endEdges - m_bits.position());
    }
    if (m_bits.atEnd()) {
        return tag; // no end shape: the morph shows its start shape throughout
    }
    morph.endRecords = readShape(shapeVersion).records;
    return tag;
}

} // namespace kf::swf
