#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace kf::swf {

// Appends little-endian integers and most-significant-bit-first bit fields, the two ways SWF
// packs data. Byte writes first flush a partly filled bit byte, as the format's records
// always start on a byte boundary.
class BitWriter {
public:
    void writeU8(std::uint8_t value);
    void writeU16(std::uint16_t value);
    void writeU32(std::uint32_t value);
    void writeS16(std::int16_t value) { writeU16(static_cast<std::uint16_t>(value)); }
    void writeFloat(float value);
    // AVM1 doubles: the high 32-bit word first, each word little-endian.
    void writeActionDouble(double value);
    void writeEncodedU32(std::uint32_t value);
    void writeBytes(std::span<const std::uint8_t> bytes);
    // The bytes and a terminating zero.
    void writeString(std::string_view text);

    void writeUnsignedBits(std::uint32_t value, unsigned count);
    void writeSignedBits(std::int32_t value, unsigned count);
    void writeFlag(bool flag) { writeUnsignedBits(flag ? 1 : 0, 1); }
    void alignToByte();

    std::size_t size() const { return m_bytes.size(); }
    const std::vector<std::uint8_t>& bytes() const { return m_bytes; }
    std::vector<std::uint8_t>& bytes() { return m_bytes; }
    std::vector<std::uint8_t> takeBytes();

    // Bits needed to store `value` as an unsigned or signed (two's complement) bit field.
    static unsigned unsignedBitsNeeded(std::uint32_t value);
    static unsigned signedBitsNeeded(std::int32_t value);

private:
    std::vector<std::uint8_t> m_bytes;
    std::uint8_t m_pendingByte = 0;
    unsigned m_pendingBits = 0;
};

} // namespace kf::swf
