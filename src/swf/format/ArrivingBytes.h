#pragma once

#include <cstddef>

namespace kf::swf {

// Bytes that arrive front to back while they are being read, such as a movie body still
// decompressing on another thread.
class ArrivingBytes {
public:
    virtual ~ArrivingBytes() = default;
    // Waits until at least `count` bytes have arrived or no more will come; how many have.
    virtual std::size_t waitFor(std::size_t count) = 0;
    // How many bytes there will be at most.
    virtual std::size_t expectedSize() const = 0;
};

} // namespace kf::swf
