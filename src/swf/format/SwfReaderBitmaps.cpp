// The bitmap half of SwfReader: JPEGTables, DefineBits… and DefineBitsLossless….
#include "swf/format/SwfReader.h"

#include <algorithm>

namespace kf::swf {

namespace {

std::vector<std::uint8_t> copyOf(std::span<const std::uint8_t> bytes) {
    return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

} // namespace

JpegTablesTag SwfReader::readJpegTables() {
    const std::span<const std::uint8_t> body = m_bits.readRest();
    charge(body.size(), 1);
    return JpegTablesTag{copyOf(body)};
}

DefineBitsJpegTag SwfReader::readDefineBitsJpeg(int jpegVersion) {
    DefineBitsJpegTag tag;
    tag.version = static_cast<std::uint8_t>(jpegVersion);
    tag.id = CharacterId{m_bits.readU16()};
    std::size_t imageSize = 0;
    const bool hasAlpha = jpegVersion >= 3;
    if (hasAlpha) {
        imageSize = m_bits.readU32();
        if (jpegVersion >= 4) {
            tag.deblocking = Fixed8{m_bits.readS16()};
        }
    }
    if (failed()) {
        return tag;
    }
    // An image size past the body leaves no alpha plane; the image itself then fails to
    // decode and draws nothing, which is what players show for such a bitmap.
    if (!hasAlpha || imageSize > m_bits.remaining()) {
        imageSize = m_bits.remaining();
    }
    if (!charge(m_bits.remaining(), 1)) {
        return tag;
    }
    tag.imageData = copyOf(m_bits.readBytes(imageSize));
    tag.alphaData = copyOf(m_bits.readRest());
    return tag;
}

DefineBitsLosslessTag SwfReader::readDefineBitsLossless(int losslessVersion) {
    DefineBitsLosslessTag tag;
    tag.version = static_cast<std::uint8_t>(losslessVersion);
    tag.id = CharacterId{m_bits.readU16()};
    tag.format = m_bits.readU8();
    tag.width = m_bits.readU16();
    tag.height = m_bits.readU16();
    if (tag.format == static_cast<std::uint8_t>(LosslessFormat::ColorMapped)) {
        tag.colorTableSize = static_cast<std::uint16_t>(m_bits.readU8() + 1);
    }
    if (failed() || !charge(m_bits.remaining(), 1)) {
        return tag;
    }
    tag.data = copyOf(m_bits.readRest());
    return tag;
}

DefineSoundTag SwfReader::readDefineSound() {
    DefineSoundTag tag;
    tag.id = CharacterId{m_bits.readU16()};
    tag.format = static_cast<std::uint8_t>(m_bits.readUnsignedBits(4));
    tag.rateIndex = static_cast<std::uint8_t>(m_bits.readUnsignedBits(2));
    tag.sixteenBit = m_bits.readFlag();
    tag.stereo = m_bits.readFlag();
    tag.sampleCount = m_bits.readU32();
    if (failed() || !charge(m_bits.remaining(), 1)) {
        return tag;
    }
    tag.data = copyOf(m_bits.readRest());
    return tag;
}

} // namespace kf::swf
