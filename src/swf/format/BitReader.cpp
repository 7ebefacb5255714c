#include "swf/format/BitReader.h"

namespace kf::swf {

bool BitReader::refill(unsigned count) {
    // Shape records are long runs of small fields, so the buffer takes four bytes at a time
    // where it can (it then holds at most 63 bits), and single bytes near the end.
    if (m_size - m_position >= 4) {
        const std::uint8_t* bytes = m_data + m_position;
        const std::uint32_t word = (static_cast<std::uint32_t>(bytes[0]) << 24) |
                                   (static_cast<std::uint32_t>(bytes[1]) << 16) |
                                   (static_cast<std::uint32_t>(bytes[2]) << 8) | bytes[3];
        m_bitBuffer = (m_bitBuffer << 32) | word;
        m_bitCount += 32;
        m_position += 4;
        return true;
    }
    while (m_bitCount < count) {
        if (m_position >= m_size) {
            m_failed = true;
            m_bitCount = 0;
            return false;
        }
        m_bitBuffer = (m_bitBuffer << 8) | m_data[m_position++];
        m_bitCount += 8;
    }
    return true;
}

} // namespace kf::swf
