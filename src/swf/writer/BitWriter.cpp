#include "swf/writer/BitWriter.h"

#include <bit>
#include <cstring>

namespace kf::swf {

void BitWriter::writeU8(std::uint8_t value) {
    alignToByte();
    m_bytes.push_back(value);
}

void BitWriter::writeU16(std::uint16_t value) {
    alignToByte();
    m_bytes.push_back(static_cast<std::uint8_t>(value));
    m_bytes.push_back(static_cast<std::uint8_t>(value >> 8));
}

void BitWriter::writeU32(std::uint32_t value) {
    alignToByte();
    for (int shift = 0; shift < 32; shift += 8) {
        m_bytes.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

void BitWriter::writeFloat(float value) {
    writeU32(std::bit_cast<std::uint32_t>(value));
}

void BitWriter::writeActionDouble(double value) {
    const auto bits = std::bit_cast<std::uint64_t>(value);
    writeU32(static_cast<std::uint32_t>(bits >> 32));
    writeU32(static_cast<std::uint32_t>(bits));
}

void BitWriter::writeEncodedU32(std::uint32_t value) {
    alignToByte();
    do {
        std::uint8_t byte = value & 0x7F;
        value >>= 7;
        if (value != 0) {
            byte |= 0x80;
        }
        m_bytes.push_back(byte);
    } while (value != 0);
}

void BitWriter::writeBytes(std::span<const std::uint8_t> bytes) {
    alignToByte();
    m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end());
}

void BitWriter::writeString(std::string_view text) {
    alignToByte();
    m_bytes.insert(m_bytes.end(), text.begin(), text.end());
    m_bytes.push_back(0);
}

void BitWriter::writeUnsignedBits(std::uint32_t value, unsigned count) {
    for (unsigned index = count; index-- > 0;) {
        m_pendingByte = static_cast<std::uint8_t>((m_pendingByte << 1) | ((value >> index) & 1u));
        if (++m_pendingBits == 8) {
            m_bytes.push_back(m_pendingByte);
            m_pendingByte = 0;
            m_pendingBits = 0;
        }
    }
}

void BitWriter::writeSignedBits(std::int32_t value, unsigned count) {
    writeUnsignedBits(static_cast<std::uint32_t>(value), count);
}

void BitWriter::alignToByte() {
    if (m_pendingBits != 0) {
        m_bytes.push_back(static_cast<std::uint8_t>(m_pendingByte << (8 - m_pendingBits)));
        m_pendingByte = 0;
        m_pendingBits = 0;
    }
}

std::vector<std::uint8_t> BitWriter::takeBytes() {
    alignToByte();
    return std::move(m_bytes);
}

unsigned BitWriter::unsignedBitsNeeded(std::uint32_t value) {
    return static_cast<unsigned>(std::bit_width(value));
}

unsigned BitWriter::signedBitsNeeded(std::int32_t value) {
    // One more than the magnitude's width: the sign bit. -2^n fits in n + 1 bits; zero needs
    // no bits at all (a zero-width field reads back as 0).
    if (value == 0) {
        return 0;
    }
    const std::uint32_t magnitude =
        value < 0 ? ~static_cast<std::uint32_t>(value) : static_cast<std::uint32_t>(value);
    return static_cast<unsigned>(std::bit_width(magnitude)) + 1;
}

} // namespace kf::swf
