// The bitmap tags of SwfWriter, mirroring SwfReaderBitmaps.
#include "swf/writer/SwfWriter.h"

namespace kf::swf {

void SwfWriter::writeJpegTables(const JpegTablesTag& tag) {
    m_out.writeBytes(tag.data);
}

void SwfWriter::writeDefineBitsJpeg(const DefineBitsJpegTag& tag) {
    m_out.writeU16(tag.id.value);
    if (tag.version >= 3) {
        m_out.writeU32(static_cast<std::uint32_t>(tag.imageData.size()));
        if (tag.version >= 4) {
            m_out.writeS16(tag.deblocking.raw);
        }
    }
    m_out.writeBytes(tag.imageData);
    if (tag.version >= 3) {
        m_out.writeBytes(tag.alphaData);
    }
}

void SwfWriter::writeDefineBitsLossless(const DefineBitsLosslessTag& tag) {
    m_out.writeU16(tag.id.value);
    m_out.writeU8(tag.format);
    m_out.writeU16(tag.width);
    m_out.writeU16(tag.height);
    if (tag.format == static_cast<std::uint8_t>(LosslessFormat::ColorMapped)) {
        m_out.writeU8(static_cast<std::uint8_t>(tag.colorTableSize - 1));
    }
    m_out.writeBytes(tag.data);
}

void SwfWriter::writeDefineSound(const DefineSoundTag& tag) {
    m_out.writeU16(tag.id.value);
    m_out.writeUnsignedBits(tag.format, 4);
    m_out.writeUnsignedBits(tag.rateIndex, 2);
    m_out.writeUnsignedBits(tag.sixteenBit ? 1 : 0, 1);
    m_out.writeUnsignedBits(tag.stereo ? 1 : 0, 1);
    m_out.writeU32(tag.sampleCount);
    m_out.writeBytes(tag.data);
}

} // namespace kf::swf
