#pragma once

#include "swf/format/Action.h"

#include <cstddef>
#include <cstdint>
#include <limits>
#include <span>

namespace kf::swf {

// Decodes AVM1 action blocks (see decodeActions) while counting, roughly, the memory the
// decoded structs take. Each payload byte can become a whole push value, so a block of
// tiny actions grows about fortyfold; the movie reader gives each decoder what is left of
// the movie's budget and refuses the movie when it runs out.
class ActionDecoder {
public:
    explicit ActionDecoder(std::size_t budget = std::numeric_limits<std::size_t>::max()) : m_budget(budget) {}

    // Stops, with `complete` false, where the budget runs out.
    ActionBlock decode(std::span<const std::uint8_t> bytes);

    bool exceededBudget() const { return m_exceeded; }
    // An upper bound of the memory of everything decoded so far.
    std::size_t decodedSize() const { return m_decodedSize; }

private:
    std::size_t m_budget;
    std::size_t m_decodedSize = 0;
    bool m_exceeded = false;
};

} // namespace kf::swf
