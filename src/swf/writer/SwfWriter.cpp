#include "swf/writer/SwfWriter.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <initializer_list>

namespace kf::swf {

namespace {

unsigned signedBitsFor(std::initializer_list<std::int32_t> values) {
    unsigned bits = 0;
    for (std::int32_t value : values) {
        bits = std::max(bits, BitWriter::signedBitsNeeded(value));
    }
    return bits;
}

std::int32_t toFixed16(double value) {
    return static_cast<std::int32_t>(std::lround(value * 65536.0));
}

std::int32_t toTwips(double value) {
    return static_cast<std::int32_t>(std::lround(value));
}

// Style indices are written with as many bits as the array's size needs.
unsigned styleBitsFor(std::size_t count) {
    return BitWriter::unsignedBitsNeeded(static_cast<std::uint32_t>(count));
}

} // namespace

void SwfWriter::writeRect(const Rect& rect) {
    const unsigned bits = signedBitsFor({rect.xMin.value, rect.xMax.value, rect.yMin.value, rect.yMax.value});
    m_out.alignToByte();
    m_out.writeUnsignedBits(bits, 5);
    m_out.writeSignedBits(rect.xMin.value, bits);
    m_out.writeSignedBits(rect.xMax.value, bits);
    m_out.writeSignedBits(rect.yMin.value, bits);
    m_out.writeSignedBits(rect.yMax.value, bits);
    m_out.alignToByte();
}

void SwfWriter::writeMatrix(const Matrix& matrix) {
    m_out.alignToByte();
    const bool hasScale = matrix.a != 1.0 || matrix.d != 1.0;
    m_out.writeFlag(hasScale);
    if (hasScale) {
        const std::int32_t scaleX = toFixed16(matrix.a);
        const std::int32_t scaleY = toFixed16(matrix.d);
        const unsigned bits = signedBitsFor({scaleX, scaleY});
        m_out.writeUnsignedBits(bits, 5);
        m_out.writeSignedBits(scaleX, bits);
        m_out.writeSignedBits(scaleY, bits);
    }
    const bool hasRotate = matrix.b != 0.0 || matrix.c != 0.0;
    m_out.writeFlag(hasRotate);
    if (hasRotate) {
        const std::int32_t rotateSkew0 = toFixed16(matrix.b);
        const std::int32_t rotateSkew1 = toFixed16(matrix.c);
        const unsigned bits = signedBitsFor({rotateSkew0, rotateSkew1});
        m_out.writeUnsignedBits(bits, 5);
        m_out.writeSignedBits(rotateSkew0, bits);
        m_out.writeSignedBits(rotateSkew1, bits);
    }
    const std::int32_t translateX = toTwips(matrix.tx);
    const std::int32_t translateY = toTwips(matrix.ty);
    const unsigned bits = signedBitsFor({translateX, translateY});
    m_out.writeUnsignedBits(bits, 5);
    m_out.writeSignedBits(translateX, bits);
    m_out.writeSignedBits(translateY, bits);
    m_out.alignToByte();
}

void SwfWriter::writeColorTransform(const ColorTransform& transform) {
    writeColorTransformTerms(transform, false);
}

void SwfWriter::writeColorTransformWithAlpha(const ColorTransform& transform) {
    writeColorTransformTerms(transform, true);
}

// CXFORM and CXFORMWITHALPHA differ only in the alpha term after each group.
void SwfWriter::writeColorTransformTerms(const ColorTransform& transform, bool withAlpha) {
    const std::array<std::int32_t, 4> multipliers{transform.redMultiplier, transform.greenMultiplier,
                                                  transform.blueMultiplier, transform.alphaMultiplier};
    const std::array<std::int32_t, 4> additions{transform.redAddition, transform.greenAddition,
                                                transform.blueAddition, transform.alphaAddition};
    const std::size_t terms = withAlpha ? 4 : 3;
    bool hasMultiply = false;
    bool hasAdd = false;
    for (std::size_t index = 0; index < terms; ++index) {
        hasMultiply = hasMultiply || multipliers[index] != 256;
        hasAdd = hasAdd || additions[index] != 0;
    }
    unsigned bits = 0;
    for (std::size_t index = 0; index < terms; ++index) {
        if (hasMultiply) {
            bits = std::max(bits, BitWriter::signedBitsNeeded(multipliers[index]));
        }
        if (hasAdd) {
            bits = std::max(bits, BitWriter::signedBitsNeeded(additions[index]));
        }
    }
    m_out.alignToByte();
    m_out.writeFlag(hasAdd);
    m_out.writeFlag(hasMultiply);
    m_out.writeUnsignedBits(bits, 4);
    if (hasMultiply) {
        for (std::size_t index = 0; index < terms; ++index) {
            m_out.writeSignedBits(multipliers[index], bits);
        }
    }
    if (hasAdd) {
        for (std::size_t index = 0; index < terms; ++index) {
            m_out.writeSignedBits(additions[index], bits);
        }
    }
    m_out.alignToByte();
}

void SwfWriter::writeRgb(Rgba color) {
    m_out.writeU8(color.red);
    m_out.writeU8(color.green);
    m_out.writeU8(color.blue);
}

void SwfWriter::writeRgba(Rgba color) {
    writeRgb(color);
    m_out.writeU8(color.alpha);
}

void SwfWriter::writeArgb(Rgba color) {
    m_out.writeU8(color.alpha);
    writeRgb(color);
}

void SwfWriter::writeGradient(const Gradient& gradient, int shapeVersion) {
    m_out.alignToByte();
    m_out.writeUnsignedBits(static_cast<std::uint32_t>(gradient.spread), 2);
    m_out.writeUnsignedBits(static_cast<std::uint32_t>(gradient.interpolation), 2);
    m_out.writeUnsignedBits(static_cast<std::uint32_t>(gradient.records.size()), 4);
    for (const GradientRecord& record : gradient.records) {
        m_out.writeU8(record.ratio);
        if (shapeVersion >= 3) {
            writeRgba(record.color);
        } else {
            writeRgb(record.color);
        }
    }
}

void SwfWriter::writeFocalGradient(const Gradient& gradient, int shapeVersion) {
    writeGradient(gradient, shapeVersion);
    m_out.writeS16(gradient.focalPoint.raw);
}

void SwfWriter::writeFillStyle(const FillStyle& style, int shapeVersion) {
    m_out.writeU8(static_cast<std::uint8_t>(style.type));
    if (style.type == FillType::Solid) {
        if (shapeVersion >= 3) {
            writeRgba(style.color);
        } else {
            writeRgb(style.color);
        }
    } else if (isGradientFill(style.type)) {
        writeMatrix(style.matrix);
        if (style.type == FillType::FocalRadialGradient) {
            writeFocalGradient(style.gradient, shapeVersion);
        } else {
            writeGradient(style.gradient, shapeVersion);
        }
    } else {
        m_out.writeU16(style.bitmapId.value);
        writeMatrix(style.matrix);
    }
}

void SwfWriter::writeFillStyleArray(const FillStyleArray& styles, int shapeVersion) {
    if (styles.size() >= 0xFF && shapeVersion >= 2) {
        m_out.writeU8(0xFF);
        m_out.writeU16(static_cast<std::uint16_t>(styles.size()));
    } else {
        m_out.writeU8(static_cast<std::uint8_t>(styles.size()));
    }
    for (const FillStyle& style : styles) {
        writeFillStyle(style, shapeVersion);
    }
}

void SwfWriter::writeLineStyle(const LineStyle& style, int shapeVersion) {
    m_out.writeU16(style.width);
    if (shapeVersion < 4) {
        if (shapeVersion >= 3) {
            writeRgba(style.color);
        } else {
            writeRgb(style.color);
        }
        return;
    }
    writeLineStyleFlags(style);
    if (style.fill) {
        writeFillStyle(*style.fill, shapeVersion);
    } else {
        writeRgba(style.color);
    }
}

void SwfWriter::writeLineStyleFlags(const LineStyle& style) {
    m_out.writeUnsignedBits(static_cast<std::uint32_t>(style.startCap), 2);
    m_out.writeUnsignedBits(static_cast<std::uint32_t>(style.join), 2);
    m_out.writeFlag(style.fill.hasValue());
    m_out.writeFlag(style.noHorizontalScale);
    m_out.writeFlag(style.noVerticalScale);
    m_out.writeFlag(style.pixelHinting);
    m_out.writeUnsignedBits(0, 5);
    m_out.writeFlag(style.noClose);
    m_out.writeUnsignedBits(static_cast<std::uint32_t>(style.endCap), 2);
    if (style.join == JoinStyle::Miter) {
        m_out.writeS16(style.miterLimit.raw);
    }
}

void SwfWriter::writeLineStyleArray(const LineStyleArray& styles, int shapeVersion) {
    if (styles.size() >= 0xFF) {
        m_out.writeU8(0xFF);
        m_out.writeU16(static_cast<std::uint16_t>(styles.size()));
    } else {
        m_out.writeU8(static_cast<std::uint8_t>(styles.size()));
    }
    for (const LineStyle& style : styles) {
        writeLineStyle(style, shapeVersion);
    }
}

void SwfWriter::writeStyleChange(const StyleChangeRecord& record, int shapeVersion, unsigned& fillBits,
                                 unsigned& lineBits) {
    const bool hasNewStyles = record.newStyles.hasValue();
    const bool hasMove = record.hasMoveTo();
    m_out.writeFlag(false); // not an edge
    m_out.writeFlag(hasNewStyles);
    m_out.writeFlag(record.lineStyle().has_value());
    m_out.writeFlag(record.fillStyle1().has_value());
    m_out.writeFlag(record.fillStyle0().has_value());
    m_out.writeFlag(hasMove);
    if (hasMove) {
        const std::int32_t x = record.moveToX()->value;
        const std::int32_t y = record.moveToY()->value;
        const unsigned bits = signedBitsFor({x, y});
        m_out.writeUnsignedBits(bits, 5);
        m_out.writeSignedBits(x, bits);
        m_out.writeSignedBits(y, bits);
    }
    if (const std::optional<std::uint32_t> index = record.fillStyle0()) {
        m_out.writeUnsignedBits(*index, fillBits);
    }
    if (const std::optional<std::uint32_t> index = record.fillStyle1()) {
        m_out.writeUnsignedBits(*index, fillBits);
    }
    if (const std::optional<std::uint32_t> index = record.lineStyle()) {
        m_out.writeUnsignedBits(*index, lineBits);
    }
    if (hasNewStyles) {
        const FillStyleArray& fills = record.newStyles->fillStyles;
        const LineStyleArray& lines = record.newStyles->lineStyles;
        writeFillStyleArray(fills, shapeVersion);
        writeLineStyleArray(lines, shapeVersion);
        fillBits = styleBitsFor(fills.size());
        lineBits = styleBitsFor(lines.size());
        m_out.writeUnsignedBits(fillBits, 4);
        m_out.writeUnsignedBits(lineBits, 4);
    }
}

void SwfWriter::writeStraightEdge(const StraightEdgeRecord& record) {
    const std::int32_t deltaX = record.deltaX.value;
    const std::int32_t deltaY = record.deltaY.value;
    const unsigned bits = std::max(2u, signedBitsFor({deltaX, deltaY}));
    m_out.writeFlag(true); // edge
    m_out.writeFlag(true); // straight
    m_out.writeUnsignedBits(bits - 2, 4);
    const bool general = deltaX != 0 && deltaY != 0;
    m_out.writeFlag(general);
    if (general) {
        m_out.writeSignedBits(deltaX, bits);
        m_out.writeSignedBits(deltaY, bits);
        return;
    }
    const bool vertical = deltaX == 0 && deltaY != 0;
    m_out.writeFlag(vertical);
    m_out.writeSignedBits(vertical ? deltaY : deltaX, bits);
}

void SwfWriter::writeCurvedEdge(const CurvedEdgeRecord& record) {
    const unsigned bits = std::max(2u, signedBitsFor({record.controlDeltaX.value, record.controlDeltaY.value,
                                                      record.anchorDeltaX.value, record.anchorDeltaY.value}));
    m_out.writeFlag(true);  // edge
    m_out.writeFlag(false); // curved
    m_out.writeUnsignedBits(bits - 2, 4);
    m_out.writeSignedBits(record.controlDeltaX.value, bits);
    m_out.writeSignedBits(record.controlDeltaY.value, bits);
    m_out.writeSignedBits(record.anchorDeltaX.value, bits);
    m_out.writeSignedBits(record.anchorDeltaY.value, bits);
}

void SwfWriter::writeShapeRecords(std::span<const ShapeRecord> records, int shapeVersion, unsigned fillBits,
                                  unsigned lineBits) {
    for (const ShapeRecord& record : records) {
        if (const auto* change = std::get_if<StyleChangeRecord>(&record)) {
            writeStyleChange(*change, shapeVersion, fillBits, lineBits);
        } else if (const auto* straight = std::get_if<StraightEdgeRecord>(&record)) {
            writeStraightEdge(*straight);
        } else {
            writeCurvedEdge(std::get<CurvedEdgeRecord>(record));
        }
    }
    m_out.writeUnsignedBits(0, 6); // end of shape
    m_out.alignToByte();
}

void SwfWriter::writeShape(const Shape& shape, int shapeVersion) {
    const unsigned fillBits = 1;
    const unsigned lineBits = 0;
    m_out.alignToByte();
    m_out.writeUnsignedBits(fillBits, 4);
    m_out.writeUnsignedBits(lineBits, 4);
    writeShapeRecords(shape.records, shapeVersion, fillBits, lineBits);
}

void SwfWriter::writeShapeWithStyle(const Shape& shape, int shapeVersion) {
    writeFillStyleArray(shape.fillStyles, shapeVersion);
    writeLineStyleArray(shape.lineStyles, shapeVersion);
    const unsigned fillBits = styleBitsFor(shape.fillStyles.size());
    const unsigned lineBits = styleBitsFor(shape.lineStyles.size());
    m_out.writeUnsignedBits(fillBits, 4);
    m_out.writeUnsignedBits(lineBits, 4);
    writeShapeRecords(shape.records, shapeVersion, fillBits, lineBits);
}

} // namespace kf::swf
