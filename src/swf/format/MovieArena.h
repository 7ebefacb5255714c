#pragma once

#include <cstddef>
#include <cstdint>

namespace kf::swf {

// The memory of one parsed movie's style and record arrays. A movie holds a few of them per
// shape, hundreds of thousands in a large movie; taking each from the heap made allocating
// and freeing them the larger part of reading such a movie. Here they are cut one after
// another from large blocks and given back all at once, when the last holder lets go.
//
// Holders are MovieAllocators (the reader's, each array's, the movie's own); the count is
// not atomic, so one movie's structs are destroyed on one thread at a time, as a movie is
// read on one thread and handed on whole. Copies of the arrays take the ordinary heap and
// are free of this.
class MovieArena {
public:
    MovieArena() = default;
    MovieArena(const MovieArena&) = delete;
    MovieArena& operator=(const MovieArena&) = delete;

    // `alignment` is a power of two no larger than alignof(std::max_align_t).
    void* allocate(std::size_t bytes, std::size_t alignment) {
        const std::uintptr_t start = (m_next + (alignment - 1)) & ~std::uintptr_t{alignment - 1};
        if (m_end != 0 && start <= m_end && bytes <= m_end - start) [[likely]] {
            m_next = start + bytes;
            return reinterpret_cast<void*>(start);
        }
        return allocateInNewBlock(bytes, alignment);
    }

    void retain() { ++m_holders; }
    void release() {
        if (--m_holders == 0) {
            destroy();
        }
    }

    // The bytes of all blocks taken so far.
    std::size_t reservedBytes() const { return m_reservedBytes; }

private:
    struct Block;
    static constexpr std::size_t firstBlockSize = std::size_t{64} * 1024;
    ~MovieArena();
    void destroy();
    void* allocateInNewBlock(std::size_t bytes, std::size_t alignment);

    std::uintptr_t m_next = 0;
    std::uintptr_t m_end = 0;
    Block* m_blocks = nullptr; // newest first
    std::size_t m_nextBlockSize = firstBlockSize;
    std::size_t m_reservedBytes = 0;
    std::size_t m_holders = 0;
};

} // namespace kf::swf
