#include "swf/format/MovieArena.h"

#include "swf/format/HugePages.h"

#include <algorithm>
#include <new>

namespace kf::swf {

namespace {

// Blocks double from the first size up to this, so a small movie takes little and a large one
// few blocks. Blocks this large are aligned to huge pages, which preferHugePages() can then
// use whole: a large movie's arrays are written once front to back, like its tags.
constexpr std::size_t largestBlockSize = std::size_t{8} * 1024 * 1024;
constexpr std::size_t hugePageSize = std::size_t{2} * 1024 * 1024;

} // namespace

struct MovieArena::Block {
    Block* next;
    std::size_t size;
    std::size_t alignment;
};

MovieArena::~MovieArena() {
    while (m_blocks != nullptr) {
        Block* next = m_blocks->next;
        const std::size_t size = m_blocks->size;
        const std::size_t alignment = m_blocks->alignment;
        m_blocks->~Block();
        ::operator delete (static_cast<void*>(m_blocks), size, std::align_val_t{alignment});
        m_blocks = next;
    }
}

void MovieArena::destroy() {
    delete this;
}

void* MovieArena::allocateInNewBlock(std::size_t bytes, std::size_t alignment) {
    constexpr std::size_t header =
        (sizeof(Block) + alignof(std::max_align_t) - 1) & ~(alignof(std::max_align_t) - 1);
    if (bytes > static_cast<std::size_t>(-1) - header - alignment) {
        throw std::bad_alloc();
    }
    const std::size_t needed = header + bytes + alignment;
    // An array larger than the blocks gets a block of its own, and the current block stays
    // current for the small ones that follow.
    const bool ownBlock = needed > m_nextBlockSize;
    const std::size_t size = ownBlock ? needed : m_nextBlockSize;
    const std::size_t blockAlignment = size >= largestBlockSize ? hugePageSize : alignof(std::max_align_t);
    void* memory = ::operator new (size, std::align_val_t{blockAlignment});
    auto* block = new (memory) Block{m_blocks, size, blockAlignment};
    m_blocks = block;
    m_reservedBytes += size;
    if (blockAlignment == hugePageSize) {
        preferHugePages(memory, size);
    }
    const auto begin = reinterpret_cast<std::uintptr_t>(memory) + header;
    const std::uintptr_t start = (begin + (alignment - 1)) & ~std::uintptr_t{alignment - 1};
    if (!ownBlock) {
        m_next = start + bytes;
        m_end = reinterpret_cast<std::uintptr_t>(memory) + size;
        m_nextBlockSize = std::min(m_nextBlockSize * 2, largestBlockSize);
    }
    return reinterpret_cast<void*>(start);
}

} // namespace kf::swf
