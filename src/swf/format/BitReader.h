#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <string_view>

namespace kf::swf {

// Reads little-endian integers and most-significant-bit-first bit fields from a byte span.
//
// A read past the end does not throw or report at once: it returns zero and marks the
// reader failed, and every later read returns zero too. Callers read a whole record and
// check failed() once, which keeps the hot paths free of error plumbing; nothing a failed
// read returns is ever used to size an allocation before that check.
class BitReader {
public:
    BitReader() = default;
    // `baseOffset` is where `bytes` starts in the uncompressed file, for error messages.
    explicit BitReader(std::span<const std::uint8_t> bytes, std::size_t baseOffset = 0)
        : m_data(bytes.data()), m_size(bytes.size()), m_baseOffset(baseOffset) {}

    bool failed() const { return m_failed; }
    void markFailed() { m_failed = true; }
    // Whole bytes fetched into the bit buffer but not read yet count as unread.
    std::size_t position() const { return m_position - m_bitCount / 8; }
    bool atEnd() const { return position() >= m_size; }
    std::size_t remaining() const { return m_size - position(); }
    std::size_t absoluteOffset() const { return m_baseOffset + position(); }

    // Byte reads start at the next whole byte, as every byte-aligned field of the format does.
    std::uint8_t readU8() {
        alignToByte();
        if (!require(1)) {
            return 0;
        }
        return m_data[m_position++];
    }
    std::uint16_t readU16() {
        alignToByte();
        if (!require(2)) {
            return 0;
        }
        const std::uint16_t value =
            static_cast<std::uint16_t>(m_data[m_position] | (m_data[m_position + 1] << 8));
        m_position += 2;
        return value;
    }
    std::int16_t readS16() { return static_cast<std::int16_t>(readU16()); }
    std::uint32_t readU32() {
        alignToByte();
        if (!require(4)) {
            return 0;
        }
        const std::uint8_t* bytes = m_data + m_position;
        m_position += 4;
        return static_cast<std::uint32_t>(bytes[0]) | (static_cast<std::uint32_t>(bytes[1]) << 8) |
               (static_cast<std::uint32_t>(bytes[2]) << 16) | (static_cast<std::uint32_t>(bytes[3]) << 24);
    }
    float readFloat() { return std::bit_cast<float>(readU32()); }
    // AVM1 doubles store the high 32-bit word first, each word little-endian.
    double readActionDouble() {
        const std::uint64_t high = readU32();
        const std::uint64_t low = readU32();
        return std::bit_cast<double>((high << 32) | low);
    }
    // Up to five bytes of seven bits each, low bits first.
    std::uint32_t readEncodedU32() {
        std::uint32_t value = 0;
        for (int index = 0; index < 5; ++index) {
            const std::uint8_t byte = readU8();
            value |= static_cast<std::uint32_t>(byte & 0x7F) << (7 * index);
            if ((byte & 0x80) == 0) {
                break;
            }
        }
        return value;
    }
    // The bytes up to a zero byte, which is consumed. Without a terminator the read fails.
    std::string readString() {
        alignToByte();
        if (m_failed) {
            return {};
        }
        const void* terminator = std::memchr(m_data + m_position, 0, m_size - m_position);
        if (terminator == nullptr) {
            m_failed = true;
            m_position = m_size;
            return {};
        }
        const auto length =
            static_cast<std::size_t>(static_cast<const std::uint8_t*>(terminator) - (m_data + m_position));
        std::string text(reinterpret_cast<const char*>(m_data + m_position), length);
        m_position += length + 1;
        return text;
    }
    std::span<const std::uint8_t> readBytes(std::size_t count) {
        alignToByte();
        if (!require(count)) {
            return {};
        }
        std::span<const std::uint8_t> bytes(m_data + m_position, count);
        m_position += count;
        return bytes;
    }
    std::span<const std::uint8_t> readRest() { return readBytes(remaining()); }
    void skip(std::size_t count) { readBytes(count); }

    // A reader over the next `count` bytes, which this reader skips.
    BitReader subReader(std::size_t count) {
        alignToByte();
        if (!require(count)) {
            return BitReader::failedReader(absoluteOffset());
        }
        BitReader sub(std::span<const std::uint8_t>(m_data + m_position, count), absoluteOffset());
        m_position += count;
        return sub;
    }

    std::uint32_t readUnsignedBits(unsigned count) {
        // count <= 32.
        if (m_bitCount < count && !refill(count)) {
            return 0;
        }
        m_bitCount -= count;
        if (count == 0) {
            return 0;
        }
        return static_cast<std::uint32_t>((m_bitBuffer >> m_bitCount) & ((std::uint64_t{1} << count) - 1));
    }
    std::int32_t readSignedBits(unsigned count) {
        const std::uint32_t value = readUnsignedBits(count);
        if (count == 0 || count >= 32) {
            return static_cast<std::int32_t>(value);
        }
        const std::uint32_t signBit = std::uint32_t{1} << (count - 1);
        return static_cast<std::int32_t>((value ^ signBit) - signBit);
    }
    bool readFlag() { return readUnsignedBits(1) != 0; }
    // Drops the unread bits of the current byte; whole bytes fetched ahead are given back.
    void alignToByte() {
        m_position -= m_bitCount / 8;
        m_bitCount = 0;
    }

private:
    // Fetches bytes until `count` bits are buffered; false, with the reader failed, when
    // the bytes run out.
    bool refill(unsigned count);

    static BitReader failedReader(std::size_t offset) {
        BitReader reader(std::span<const std::uint8_t>(), offset);
        reader.m_failed = true;
        return reader;
    }

    bool require(std::size_t count) {
        if (m_failed || count > m_size - m_position) {
            m_failed = true;
            m_position = m_size;
            return false;
        }
        return true;
    }

    const std::uint8_t* m_data = nullptr;
    std::size_t m_size = 0;
    std::size_t m_position = 0;
    std::size_t m_baseOffset = 0;
    std::uint64_t m_bitBuffer = 0;
    unsigned m_bitCount = 0;
    bool m_failed = false;
};

} // namespace kf::swf
