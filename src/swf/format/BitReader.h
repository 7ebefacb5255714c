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
//
// The reader keeps one bit position. Bit fields are taken from an eight-byte load at that
// position, so a field costs a load and two shifts. A reader made by subReader() may load
// past its own end, up to its parent's (the bytes there are never used): tag bodies are
// short, and most of their fields would otherwise sit in the slow last eight bytes.
class BitReader {
public:
    BitReader() = default;
    // `baseOffset` is where `bytes` starts in the uncompressed file, for error messages.
    explicit BitReader(std::span<const std::uint8_t> bytes, std::size_t baseOffset = 0)
        : m_data(bytes.data()), m_size(bytes.size()), m_loadableSize(bytes.size()), m_baseOffset(baseOffset) {
    }

    // Takes in bytes that have arrived after the first `size()` of the same memory.
    void extendTo(std::size_t size) {
        if (size > m_size) {
            m_size = size;
            m_loadableSize = size;
        }
    }
    std::size_t size() const { return m_size; }

    bool failed() const { return m_failed; }
    void markFailed() { m_failed = true; }
    // A partly read byte counts as read.
    std::size_t position() const { return (m_bitPosition + 7) / 8; }
    bool atEnd() const { return position() >= m_size; }
    std::size_t remaining() const { return m_size - position(); }
    std::size_t absoluteOffset() const { return m_baseOffset + position(); }

    // Byte reads start at the next whole byte, as every byte-aligned field of the format does.
    std::uint8_t readU8() {
        const std::uint8_t* bytes = take(1);
        return bytes != nullptr ? bytes[0] : 0;
    }
    std::uint16_t readU16() {
        const std::uint8_t* bytes = take(2);
        return bytes != nullptr ? static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8)) : 0;
    }
    std::int16_t readS16() { return static_cast<std::int16_t>(readU16()); }
    std::uint32_t readU32() {
        const std::uint8_t* bytes = take(4);
        if (bytes == nullptr) {
            return 0;
        }
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
        const std::size_t start = bytePosition();
        const void* terminator = std::memchr(m_data + start, 0, m_size - start);
        if (terminator == nullptr) {
            failAtEnd();
            return {};
        }
        const auto length =
            static_cast<std::size_t>(static_cast<const std::uint8_t*>(terminator) - (m_data + start));
        std::string text(reinterpret_cast<const char*>(m_data + start), length);
        m_bitPosition += (length + 1) * 8;
        return text;
    }
    std::span<const std::uint8_t> readBytes(std::size_t count) {
        const std::uint8_t* bytes = take(count);
        return bytes != nullptr ? std::span<const std::uint8_t>(bytes, count)
                                : std::span<const std::uint8_t>();
    }
    std::span<const std::uint8_t> readRest() { return readBytes(remaining()); }
    void skip(std::size_t count) { take(count); }

    // A reader over the next `count` bytes, which this reader skips.
    BitReader subReader(std::size_t count) {
        const std::size_t offset = absoluteOffset();
        const std::uint8_t* bytes = take(count);
        if (m_failed) {
            BitReader failedReader(std::span<const std::uint8_t>(), offset);
            failedReader.m_failed = true;
            return failedReader;
        }
        BitReader sub(std::span<const std::uint8_t>(bytes, count), offset);
        sub.m_loadableSize = m_loadableSize - static_cast<std::size_t>(bytes - m_data);
        return sub;
    }

    // `count` <= 32.
    std::uint32_t readUnsignedBits(unsigned count) {
        if (count == 0) {
            return 0;
        }
        std::uint64_t word;
        if (loadField(count, word)) [[likely]] {
            return static_cast<std::uint32_t>(word >> (64 - count));
        }
        return readBitsNearEnd(count);
    }
    std::int32_t readSignedBits(unsigned count) {
        if (count == 0) {
            return 0;
        }
        std::uint64_t word;
        if (loadField(count, word)) [[likely]] {
            // The arithmetic shift brings the field's top bit down as its sign.
            return static_cast<std::int32_t>(static_cast<std::int64_t>(word) >> (64 - count));
        }
        const std::uint32_t value = readBitsNearEnd(count);
        if (count >= 32) {
            return static_cast<std::int32_t>(value);
        }
        const std::uint32_t signBit = std::uint32_t{1} << (count - 1);
        return static_cast<std::int32_t>((value ^ signBit) - signBit);
    }
    bool readFlag() { return readUnsignedBits(1) != 0; }

    // The bits from the position on at the top of `word`, at least 57 of them, unconsumed: a
    // record of several small fields is taken apart with shifts and consumed at once with
    // skipBits(), instead of a load per field. False near the end of what may be loaded,
    // where fields are read one by one.
    bool peekBits(std::uint64_t& word) const {
        const std::size_t byte = m_bitPosition / 8;
        if (m_loadableSize - byte < 8) {
            return false;
        }
        word = loadBigEndian64(m_data + byte) << (m_bitPosition % 8);
        return true;
    }
    // Consumes `count` bits seen through peekBits(). Bits past the end fail the reader, as
    // reading them as fields would.
    void skipBits(std::size_t count) {
        if (count > m_size * 8 - m_bitPosition) {
            failAtEnd();
            return;
        }
        m_bitPosition += count;
    }
    // Drops the unread bits of the current byte.
    void alignToByte() { m_bitPosition = (m_bitPosition + 7) & ~std::size_t{7}; }

private:
    static std::uint64_t loadBigEndian64(const std::uint8_t* bytes) {
        std::uint64_t word;
        std::memcpy(&word, bytes, sizeof word);
        if constexpr (std::endian::native == std::endian::little) {
            word = __builtin_bswap64(word);
        }
        return word;
    }

    // The next `count` bits at the top of `word`, consumed, when eight bytes can be loaded at
    // the position and the field lies within the span; false (nothing consumed) otherwise.
    bool loadField(unsigned count, std::uint64_t& word) {
        const std::size_t byte = m_bitPosition / 8;
        if (m_loadableSize - byte < 8 || count > m_size * 8 - m_bitPosition) {
            return false;
        }
        word = loadBigEndian64(m_data + byte) << (m_bitPosition % 8);
        m_bitPosition += count;
        return true;
    }

    // Bit fields within eight bytes of the end, a byte at a time; fails when they run out.
    std::uint32_t readBitsNearEnd(unsigned count);

    std::size_t bytePosition() const { return m_bitPosition / 8; }

    // The next `count` bytes from the next whole byte on, consumed; null, with the reader
    // failed, when fewer remain.
    const std::uint8_t* take(std::size_t count) {
        alignToByte();
        const std::size_t start = bytePosition();
        if (m_failed || count > m_size - start) {
            failAtEnd();
            return nullptr;
        }
        m_bitPosition += count * 8;
        return m_data + start;
    }

    void failAtEnd() {
        m_failed = true;
        m_bitPosition = m_size * 8;
    }

    const std::uint8_t* m_data = nullptr;
    std::size_t m_size = 0;
    std::size_t m_loadableSize = 0; // bytes from m_data on that a load may touch, m_size or more
    std::size_t m_bitPosition = 0;
    std::size_t m_baseOffset = 0;
    bool m_failed = false;
};

} // namespace kf::swf
