// The display-list half of SwfReader: filters, clip actions and the PlaceObject family.
#include "swf/format/SwfReader.h"

namespace kf::swf {

namespace {

// Every ClipEvent bit we define; the rest of the file's flag bits are reserved.
constexpr std::uint32_t knownClipEvents = (1u << 19) - 1;

Fixed16 readFixed16(BitReader& bits) {
    return Fixed16{static_cast<std::int32_t>(bits.readU32())};
}

// GradientGlow and GradientBevel share their layout.
GradientGlowFilter readGradientFilter(SwfReader& reader, BitReader& bits) {
    GradientGlowFilter filter;
    const std::uint8_t count = bits.readU8();
    if (count > bits.remaining() / 5) {
        bits.markFailed();
        return filter;
    }
    filter.stops.resize(count);
    for (GradientFilterStop& stop : filter.stops) {
        stop.color = reader.readRgba();
    }
    for (GradientFilterStop& stop : filter.stops) {
        stop.ratio = bits.readU8();
    }
    filter.blurX = readFixed16(bits);
    filter.blurY = readFixed16(bits);
    filter.angle = readFixed16(bits);
    filter.distance = readFixed16(bits);
    filter.strength = Fixed8{bits.readS16()};
    filter.innerShadow = bits.readFlag();
    filter.knockout = bits.readFlag();
    filter.compositeSource = bits.readFlag();
    filter.onTop = bits.readFlag();
    filter.passes = static_cast<std::uint8_t>(bits.readUnsignedBits(4));
    return filter;
}

} // namespace

Filter SwfReader::readFilter() {
    const std::uint8_t id = m_bits.readU8();
    Filter result;
    switch (id) {
    case 0: {
        DropShadowFilter filter;
        filter.color = readRgba();
        filter.blurX = readFixed16(m_bits);
        filter.blurY = readFixed16(m_bits);
        filter.angle = readFixed16(m_bits);
        filter.distance = readFixed16(m_bits);
        filter.strength = Fixed8{m_bits.readS16()};
        filter.innerShadow = m_bits.readFlag();
        filter.knockout = m_bits.readFlag();
        filter.compositeSource = m_bits.readFlag();
        filter.passes = static_cast<std::uint8_t>(m_bits.readUnsignedBits(5));
        result = filter;
        break;
    }
    case 1: {
        BlurFilter filter;
        filter.blurX = readFixed16(m_bits);
        filter.blurY = readFixed16(m_bits);
        filter.passes = static_cast<std::uint8_t>(m_bits.readUnsignedBits(5));
        result = filter;
        break;
    }
    case 2: {
        GlowFilter filter;
        filter.color = readRgba();
        filter.blurX = readFixed16(m_bits);
        filter.blurY = readFixed16(m_bits);
        filter.strength = Fixed8{m_bits.readS16()};
        filter.innerGlow = m_bits.readFlag();
        filter.knockout = m_bits.readFlag();
        filter.compositeSource = m_bits.readFlag();
        filter.passes = static_cast<std::uint8_t>(m_bits.readUnsignedBits(5));
        result = filter;
        break;
    }
    case 3: {
        BevelFilter filter;
        filter.shadowColor = readRgba();
        filter.highlightColor = readRgba();
        filter.blurX = readFixed16(m_bits);
        filter.blurY = readFixed16(m_bits);
        filter.angle = readFixed16(m_bits);
        filter.distance = readFixed16(m_bits);
        filter.strength = Fixed8{m_bits.readS16()};
        filter.innerShadow = m_bits.readFlag();
        filter.knockout = m_bits.readFlag();
        filter.compositeSource = m_bits.readFlag();
        filter.onTop = m_bits.readFlag();
        filter.passes = static_cast<std::uint8_t>(m_bits.readUnsignedBits(4));
        result = filter;
        break;
    }
    case 4:
        result = readGradientFilter(*this, m_bits);
        break;
    case 5: {
        ConvolutionFilter filter;
        filter.matrixX = m_bits.readU8();
        filter.matrixY = m_bits.readU8();
        filter.divisor = m_bits.readFloat();
        filter.bias = m_bits.readFloat();
        const std::size_t count = std::size_t{filter.matrixX} * filter.matrixY;
        if (count > m_bits.remaining() / 4) {
            m_bits.markFailed();
            break;
        }
        filter.matrix.resize(count);
        for (float& value : filter.matrix) {
            value = m_bits.readFloat();
        }
        filter.defaultColor = readRgba();
        m_bits.readUnsignedBits(6);
        filter.clamp = m_bits.readFlag();
        filter.preserveAlpha = m_bits.readFlag();
        result = filter;
        break;
    }
    case 6: {
        ColorMatrixFilter filter;
        for (float& value : filter.matrix) {
            value = m_bits.readFloat();
        }
        result = filter;
        break;
    }
    case 7: {
        GradientBevelFilter filter;
        static_cast<GradientGlowFilter&>(filter) = readGradientFilter(*this, m_bits);
        result = filter;
        break;
    }
    default:
        // Filters carry no length, so nothing after an unknown one can be found.
        if (!failed()) {
            fail("unknown filter id " + std::to_string(id));
        }
        break;
    }
    m_bits.alignToByte();
    return result;
}

std::vector<Filter> SwfReader::readFilterList() {
    const std::uint8_t count = m_bits.readU8();
    std::vector<Filter> filters;
    // The smallest filter (blur) takes 10 bytes.
    if (!charge(plausibleCount(count, 10), sizeof(Filter))) {
        return filters;
    }
    filters.reserve(plausibleCount(count, 10));
    for (unsigned index = 0; index < count && !failed(); ++index) {
        filters.push_back(readFilter());
    }
    return filters;
}

std::uint32_t SwfReader::readClipEventFlags() {
    // The SWF 6 layout read as a little-endian integer is exactly our ClipEvent bits; SWF 5
    // stores only its first two bytes, whose bits mean the same.
    const std::uint32_t flags = m_swfVersion >= 6 ? m_bits.readU32() : m_bits.readU16();
    return flags & knownClipEvents;
}

std::vector<ClipActionRecord> SwfReader::readClipActions() {
    m_bits.readU16();     // reserved
    readClipEventFlags(); // the union of the records' events, which we recompute when needed
    std::vector<ClipActionRecord> records;
    // Some tools end the tag without the end flag; running out of bytes there ends the list.
    while (!failed() && !m_bits.atEnd()) {
        const std::uint32_t rawFlags = m_swfVersion >= 6 ? m_bits.readU32() : m_bits.readU16();
        if (rawFlags == 0 || failed()) {
            break; // ClipActionEndFlag
        }
        if (!charge(1, sizeof(ClipActionRecord))) {
            break;
        }
        ClipActionRecord record;
        record.events = rawFlags & knownClipEvents;
        const std::uint32_t size = m_bits.readU32();
        if (size > m_bits.remaining()) {
            fail("clip action record of " + std::to_string(size) + " bytes runs past the tag");
            break;
        }
        BitReader recordBytes = m_bits.subReader(size);
        if (hasClipEvent(record.events, ClipEvent::KeyPress)) {
            record.keyCode = recordBytes.readU8();
        }
        record.actions = readActionBlock(recordBytes.readRest());
        records.push_back(std::move(record));
    }
    return records;
}

PlaceObjectTag SwfReader::readPlaceObject(int placeVersion) {
    PlaceObjectTag tag;
    tag.version = static_cast<std::uint8_t>(placeVersion);
    if (placeVersion == 1) {
        tag.characterId = CharacterId{m_bits.readU16()};
        tag.depth = Depth{m_bits.readU16()};
        tag.matrix = readMatrix();
        if (!m_bits.atEnd()) {
            tag.colorTransform = readColorTransform();
        }
        return tag;
    }
    const std::uint8_t flags = m_bits.readU8();
    const std::uint8_t flags3 = placeVersion >= 3 ? m_bits.readU8() : 0;
    const bool hasClipActions = (flags & 0x80) != 0;
    const bool hasClipDepth = (flags & 0x40) != 0;
    const bool hasName = (flags & 0x20) != 0;
    const bool hasRatio = (flags & 0x10) != 0;
    const bool hasColorTransform = (flags & 0x08) != 0;
    const bool hasMatrix = (flags & 0x04) != 0;
    const bool hasCharacter = (flags & 0x02) != 0;
    tag.isMove = (flags & 0x01) != 0;
    const bool hasBackgroundColor = (flags3 & 0x40) != 0;
    const bool hasVisible = (flags3 & 0x20) != 0;
    const bool hasImage = (flags3 & 0x10) != 0;
    const bool hasClassName = (flags3 & 0x08) != 0;
    const bool hasCacheAsBitmap = (flags3 & 0x04) != 0;
    const bool hasBlendMode = (flags3 & 0x02) != 0;
    const bool hasFilterList = (flags3 & 0x01) != 0;

    tag.depth = Depth{m_bits.readU16()};
    if (hasClassName || (hasImage && hasCharacter)) {
        tag.extras.ensure().className = m_bits.readString();
    }
    if (hasCharacter) {
        tag.characterId = CharacterId{m_bits.readU16()};
    }
    if (hasMatrix) {
        tag.matrix = readMatrix();
    }
    if (hasColorTransform) {
        tag.colorTransform = readColorTransformWithAlpha();
    }
    if (hasRatio) {
        tag.ratio = m_bits.readU16();
    }
    if (hasName) {
        tag.name = m_bits.readString();
    }
    if (hasClipDepth) {
        tag.clipDepth = Depth{m_bits.readU16()};
    }
    if (hasFilterList) {
        tag.extras.ensure().filters = readFilterList();
    }
    if (hasBlendMode) {
        const std::uint8_t mode = m_bits.readU8();
        // 0 and values past the last mode draw normally.
        tag.extras.ensure().blendMode =
            mode >= 1 && mode <= 14 ? static_cast<BlendMode>(mode) : BlendMode::Normal;
    }
    if (hasCacheAsBitmap) {
        // Some files set the flag and end the tag before its byte; players cache then.
        tag.extras.ensure().cacheAsBitmap = m_bits.atEnd() || m_bits.readU8() != 0;
    }
    if (hasVisible) {
        tag.extras.ensure().visible = m_bits.readU8() != 0;
    }
    if (hasBackgroundColor) {
        tag.extras.ensure().backgroundColor = readRgba();
    }
    if (hasClipActions && m_swfVersion >= 5) {
        tag.extras.ensure().clipActions = readClipActions();
    }
    return tag;
}

RemoveObjectTag SwfReader::readRemoveObject(int removeVersion) {
    RemoveObjectTag tag;
    if (removeVersion == 1) {
        tag.characterId = CharacterId{m_bits.readU16()};
    }
    tag.depth = Depth{m_bits.readU16()};
    return tag;
}

} // namespace kf::swf
