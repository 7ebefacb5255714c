#pragma once

#include "swf/format/MovieArena.h"

#include <cstddef>
#include <memory>
#include <new>
#include <type_traits>

namespace kf::swf {

// The allocator of a movie's style and record arrays. Made from an arena, it takes memory
// from there and holds the arena alive; made by default, it is the ordinary heap. A copy of
// an array takes the heap whatever the original took (select_on_container_copy_construction),
// so what the runtime or a test copies out of a movie lives on its own; a moved array keeps
// its arena, which it then holds.
template <typename T> class MovieAllocator {
public:
    using value_type = T;
    using propagate_on_container_copy_assignment = std::false_type;
    using propagate_on_container_move_assignment = std::true_type;
    using propagate_on_container_swap = std::true_type;
    using is_always_equal = std::false_type;

    MovieAllocator() noexcept = default;
    explicit MovieAllocator(MovieArena* arena) noexcept : m_arena(arena) { retain(); }
    MovieAllocator(const MovieAllocator& other) noexcept : m_arena(other.m_arena) { retain(); }
    template <typename U>
    MovieAllocator(const MovieAllocator<U>& other) noexcept : m_arena(other.arena()) {
        retain();
    }
    MovieAllocator& operator=(const MovieAllocator& other) noexcept {
        if (other.m_arena != nullptr) {
            other.m_arena->retain();
        }
        release();
        m_arena = other.m_arena;
        return *this;
    }
    ~MovieAllocator() { release(); }

    T* allocate(std::size_t count) {
        if (m_arena == nullptr) {
            return std::allocator<T>().allocate(count);
        }
        if (count > static_cast<std::size_t>(-1) / sizeof(T)) {
            throw std::bad_array_new_length();
        }
        static_assert(alignof(T) <= alignof(std::max_align_t));
        return static_cast<T*>(m_arena->allocate(count * sizeof(T), alignof(T)));
    }
    // Arena memory is given back with the whole arena.
    void deallocate(T* data, std::size_t count) noexcept {
        if (m_arena == nullptr) {
            std::allocator<T>().deallocate(data, count);
        }
    }

    MovieAllocator select_on_container_copy_construction() const noexcept { return MovieAllocator(); }

    MovieArena* arena() const noexcept { return m_arena; }

    template <typename U> friend bool operator==(const MovieAllocator& left, const MovieAllocator<U>& right) {
        return left.m_arena == right.arena();
    }

private:
    void retain() {
        if (m_arena != nullptr) {
            m_arena->retain();
        }
    }
    void release() {
        if (m_arena != nullptr) {
            m_arena->release();
        }
    }

    MovieArena* m_arena = nullptr;
};

// A new arena, held by the allocator returned.
inline MovieAllocator<std::byte> makeMovieArena() {
    return MovieAllocator<std::byte>(new MovieArena);
}

} // namespace kf::swf
