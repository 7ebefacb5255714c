// The shape half of SwfReader: styles, gradients, shape records and DefineShape.
#include "swf/format/SwfReader.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

namespace kf::swf {

namespace {

std::string hexByte(unsigned value) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", value & 0xFF);
    return text;
}

// Reserved spread and interpolation values draw like the defaults, so they read as them.
SpreadMode spreadFrom(std::uint32_t bits) {
    return bits <= 2 ? static_cast<SpreadMode>(bits) : SpreadMode::Pad;
}

InterpolationMode interpolationFrom(std::uint32_t bits) {
    return bits <= 1 ? static_cast<InterpolationMode>(bits) : InterpolationMode::Normal;
}

// A signed field of `bits` bits that starts `offset` bits into `word`.
std::int32_t signedField(std::uint64_t word, unsigned offset, unsigned bits) {
    return static_cast<std::int32_t>(static_cast<std::int64_t>(word << offset) >> (64 - bits));
}

} // namespace

std::size_t SwfReader::readEdgesFromWords(std::vector<ShapeRecord>& records, std::size_t room) {
    // Edges are nearly all of a shape's records, and a straight edge or most curved ones fit
    // in the 57 bits one load gives: a run of them is read here a load each. A local copy of
    // the reader stays in registers across the appends, where the member would be reloaded.
    BitReader bits = m_bits;
    std::size_t count = 0;
    std::uint64_t word = 0;
    while (count < room && !bits.failed() && bits.peekBits(word) && (word >> 63) != 0) {
        const bool straight = ((word >> 62) & 1) != 0;
        const unsigned width = static_cast<unsigned>((word >> 58) & 0xF) + 2;
        if (straight) {
            StraightEdgeRecord edge;
            unsigned used = 8 + width;
            if (((word >> 57) & 1) != 0) {
                edge.deltaX = Twips{signedField(word, 7, width)};
                edge.deltaY = Twips{signedField(word, 7 + width, width)};
                used = 7 + 2 * width;
            } else if (((word >> 56) & 1) != 0) {
                edge.deltaY = Twips{signedField(word, 8, width)};
            } else {
                edge.deltaX = Twips{signedField(word, 8, width)};
            }
            bits.skipBits(used);
            records.emplace_back(edge);
        } else if (6 + 4 * width <= 57) {
            CurvedEdgeRecord edge;
            edge.controlDeltaX = Twips{signedField(word, 6, width)};
            edge.controlDeltaY = Twips{signedField(word, 6 + width, width)};
            edge.anchorDeltaX = Twips{signedField(word, 6 + 2 * width, width)};
            edge.anchorDeltaY = Twips{signedField(word, 6 + 3 * width, width)};
            bits.skipBits(6 + 4 * width);
            records.emplace_back(edge);
        } else {
            break;
        }
        ++count;
    }
    m_bits = bits;
    return count;
}

Gradient SwfReader::readGradient(int shapeVersion) {
    m_bits.alignToByte();
    Gradient gradient;
    gradient.records = GradientRecordArray(m_arena);
    gradient.spread = spreadFrom(m_bits.readUnsignedBits(2));
    gradient.interpolation = interpolationFrom(m_bits.readUnsignedBits(2));
    const unsigned count = m_bits.readUnsignedBits(4);
    gradient.records.reserve(plausibleCount(count, shapeVersion >= 3 ? 5 : 4));
    for (unsigned index = 0; index < count && !failed(); ++index) {
        GradientRecord record;
        record.ratio = m_bits.readU8();
        record.color = shapeVersion >= 3 ? readRgba() : readRgb();
        gradient.records.push_back(record);
    }
    return gradient;
}

Gradient SwfReader::readFocalGradient(int shapeVersion) {
    Gradient gradient = readGradient(shapeVersion);
    gradient.focalPoint = Fixed8{m_bits.readS16()};
    return gradient;
}

FillStyle SwfReader::readFillStyle(int shapeVersion) {
    FillStyle style;
    const std::uint8_t type = m_bits.readU8();
    style.type = static_cast<FillType>(type);
    switch (style.type) {
    case FillType::Solid:
        style.color = shapeVersion >= 3 ? readRgba() : readRgb();
        break;
    case FillType::LinearGradient:
    case FillType::RadialGradient:
        style.matrix = readMatrix();
        style.gradient = readGradient(shapeVersion);
        break;
    case FillType::FocalRadialGradient:
        style.matrix = readMatrix();
        style.gradient = readFocalGradient(shapeVersion);
        break;
    case FillType::RepeatingBitmap:
    case FillType::ClippedBitmap:
    case FillType::NonSmoothedRepeatingBitmap:
    case FillType::NonSmoothedClippedBitmap:
        style.bitmapId = CharacterId{m_bits.readU16()};
        style.matrix = readMatrix();
        break;
    default:
        if (!failed()) {
            fail("invalid fill style type " + hexByte(type));
        }
        break;
    }
    return style;
}

FillStyleArray SwfReader::readFillStyleArray(int shapeVersion) {
    std::size_t count = m_bits.readU8();
    if (count == 0xFF && shapeVersion >= 2) {
        count = m_bits.readU16();
    }
    FillStyleArray styles(m_arena);
    // Four bytes is the smallest fill style (solid RGB).
    if (!charge(plausibleCount(count, 4), sizeof(FillStyle))) {
        return styles;
    }
    styles.reserve(plausibleCount(count, 4));
    for (std::size_t index = 0; index < count && !failed(); ++index) {
        styles.push_back(readFillStyle(shapeVersion));
    }
    return styles;
}

LineStyle SwfReader::readLineStyle(int shapeVersion) {
    LineStyle style;
    style.width = m_bits.readU16();
    if (shapeVersion < 4) {
        style.color = shapeVersion >= 3 ? readRgba() : readRgb();
        return style;
    }
    if (readLineStyleFlags(style)) {
        style.fill = readFillStyle(shapeVersion);
    } else {
        style.color = readRgba();
    }
    return style;
}

bool SwfReader::readLineStyleFlags(LineStyle& style) {
    const std::uint32_t startCap = m_bits.readUnsignedBits(2);
    const std::uint32_t join = m_bits.readUnsignedBits(2);
    const bool hasFill = m_bits.readFlag();
    style.noHorizontalScale = m_bits.readFlag();
    style.noVerticalScale = m_bits.readFlag();
    style.pixelHinting = m_bits.readFlag();
    m_bits.readUnsignedBits(5);
    style.noClose = m_bits.readFlag();
    const std::uint32_t endCap = m_bits.readUnsignedBits(2);
    // Cap and join value 3 is reserved; players draw it as the default (round).
    style.startCap = startCap <= 2 ? static_cast<CapStyle>(startCap) : CapStyle::Round;
    style.endCap = endCap <= 2 ? static_cast<CapStyle>(endCap) : CapStyle::Round;
    style.join = join <= 2 ? static_cast<JoinStyle>(join) : JoinStyle::Round;
    if (join == 2) {
        style.miterLimit = Fixed8{m_bits.readS16()};
    }
    return hasFill;
}

LineStyleArray SwfReader::readLineStyleArray(int shapeVersion) {
    std::size_t count = m_bits.readU8();
    if (count == 0xFF) {
        count = m_bits.readU16();
    }
    LineStyleArray styles(m_arena);
    const std::size_t plausible = plausibleCount(count, shapeVersion >= 4 ? 8 : 5);
    if (!charge(plausible, sizeof(LineStyle))) {
        return styles;
    }
    styles.reserve(plausible);
    for (std::size_t index = 0; index < count && !failed(); ++index) {
        styles.push_back(readLineStyle(shapeVersion));
    }
    return styles;
}

ShapeRecordArray SwfReader::readShapeRecords(int shapeVersion, unsigned fillBits, unsigned lineBits) {
    // The records gather in one scratch vector that every shape of the movie reuses, then
    // move into a vector of exactly their count. Reserving from the bytes left would
    // over-allocate several times over (an edge takes one to nine bytes), and growing the
    // shape's own vector would reallocate and leave slack. The scratch counts against the
    // memory budget whenever it grows, before it grows: a record can be as small as six bits.
    std::vector<ShapeRecord>& scratch = *m_recordScratch;
    scratch.clear();
    while (!failed()) {
        if (scratch.size() == scratch.capacity()) {
            const std::size_t grown = std::max<std::size_t>(64, scratch.capacity() * 2);
            if (!charge(grown - scratch.capacity(), sizeof(ShapeRecord))) {
                break;
            }
            scratch.reserve(grown);
        }
        if (readEdgesFromWords(scratch, scratch.capacity() - scratch.size()) != 0) {
            continue;
        }
        const bool isEdge = m_bits.readFlag();
        if (isEdge) {
            const bool straight = m_bits.readFlag();
            const unsigned bits = m_bits.readUnsignedBits(4) + 2;
            if (straight) {
                StraightEdgeRecord edge;
                if (m_bits.readFlag()) {
                    edge.deltaX = Twips{m_bits.readSignedBits(bits)};
                    edge.deltaY = Twips{m_bits.readSignedBits(bits)};
                } else if (m_bits.readFlag()) {
                    edge.deltaY = Twips{m_bits.readSignedBits(bits)};
                } else {
                    edge.deltaX = Twips{m_bits.readSignedBits(bits)};
                }
                scratch.emplace_back(edge);
            } else {
                CurvedEdgeRecord edge;
                edge.controlDeltaX = Twips{m_bits.readSignedBits(bits)};
                edge.controlDeltaY = Twips{m_bits.readSignedBits(bits)};
                edge.anchorDeltaX = Twips{m_bits.readSignedBits(bits)};
                edge.anchorDeltaY = Twips{m_bits.readSignedBits(bits)};
                scratch.emplace_back(edge);
            }
            continue;
        }
        const std::uint32_t flags = m_bits.readUnsignedBits(5);
        if (flags == 0) {
            break; // end of shape
        }
        const bool hasNewStyles = (flags & 0x10) != 0;
        const bool hasLineStyle = (flags & 0x08) != 0;
        const bool hasFillStyle1 = (flags & 0x04) != 0;
        const bool hasFillStyle0 = (flags & 0x02) != 0;
        const bool hasMoveTo = (flags & 0x01) != 0;
        StyleChangeRecord change;
        if (hasMoveTo) {
            const unsigned bits = m_bits.readUnsignedBits(5);
            const Twips x{m_bits.readSignedBits(bits)};
            const Twips y{m_bits.readSignedBits(bits)};
            change.setMoveTo(x, y);
        }
        if (hasFillStyle0) {
            change.setFillStyle0(m_bits.readUnsignedBits(fillBits));
        }
        if (hasFillStyle1) {
            change.setFillStyle1(m_bits.readUnsignedBits(fillBits));
        }
        if (hasLineStyle) {
            change.setLineStyle(m_bits.readUnsignedBits(lineBits));
        }
        if (hasNewStyles) {
            ShapeStyles& styles = change.newStyles.ensure();
            styles.fillStyles = readFillStyleArray(shapeVersion);
            styles.lineStyles = readLineStyleArray(shapeVersion);
            fillBits = m_bits.readUnsignedBits(4);
            lineBits = m_bits.readUnsignedBits(4);
        }
        scratch.emplace_back(std::move(change));
    }
    m_bits.alignToByte();
    ShapeRecordArray records(m_arena);
    if (charge(scratch.size(), sizeof(ShapeRecord))) {
        records.assign(std::make_move_iterator(scratch.begin()), std::make_move_iterator(scratch.end()));
    }
    scratch.clear();
    return records;
}

Shape SwfReader::readShape(int shapeVersion) {
    m_bits.alignToByte();
    const unsigned fillBits = m_bits.readUnsignedBits(4);
    const unsigned lineBits = m_bits.readUnsignedBits(4);
    Shape shape;
    shape.records = readShapeRecords(shapeVersion, fillBits, lineBits);
    return shape;
}

Shape SwfReader::readShapeWithStyle(int shapeVersion) {
    Shape shape;
    shape.fillStyles = readFillStyleArray(shapeVersion);
    shape.lineStyles = readLineStyleArray(shapeVersion);
    const unsigned fillBits = m_bits.readUnsignedBits(4);
    const unsigned lineBits = m_bits.readUnsignedBits(4);
    shape.records = readShapeRecords(shapeVersion, fillBits, lineBits);
    return shape;
}

DefineShapeTag SwfReader::readDefineShape(int shapeVersion) {
    DefineShapeTag tag;
    tag.version = static_cast<std::uint8_t>(shapeVersion);
    tag.id = CharacterId{m_bits.readU16()};
    tag.bounds = readRect();
    tag.edgeBounds = tag.bounds;
    if (shapeVersion >= 4) {
        tag.edgeBounds = readRect();
        m_bits.readUnsignedBits(5);
        tag.usesFillWindingRule = m_bits.readFlag();
        tag.usesNonScalingStrokes = m_bits.readFlag();
        tag.usesScalingStrokes = m_bits.readFlag();
    }
    tag.shape = readShapeWithStyle(shapeVersion);
    return tag;
}

} // namespace kf::swf
