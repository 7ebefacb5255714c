#include "swf/format/BitReader.h"

#include <algorithm>

namespace kf::swf {

std::uint32_t BitReader::readBitsNearEnd(unsigned count) {
    if (m_failed || count > m_size * 8 - m_bitPosition) {
        failAtEnd();
        return 0;
    }
    std::uint32_t value = 0;
    while (count > 0) {
        const unsigned offset = m_bitPosition % 8;
        const unsigned taken = std::min(count, 8 - offset);
        const unsigned byte = m_data[m_bitPosition / 8];
        value = (value << taken) | ((byte >> (8 - offset - taken)) & ((1u << taken) - 1));
        m_bitPosition += taken;
        count -= taken;
    }
    return value;
}

} // namespace kf::swf
