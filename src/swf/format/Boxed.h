#pragma once

#include <memory>
#include <utility>

namespace kf::swf {

// An optional value kept on the heap, with the value semantics of std::optional: copies copy
// the value, == compares values. Records parsed by the million (shape records, tags) hold
// their rarely present parts in one, so an absent part costs a pointer instead of its size.
template <typename T> class Boxed {
public:
    Boxed() = default;
    Boxed(T value) : m_value(std::make_unique<T>(std::move(value))) {}
    Boxed(const Boxed& other) : m_value(other.m_value ? std::make_unique<T>(*other.m_value) : nullptr) {}
    Boxed(Boxed&&) noexcept = default;
    Boxed& operator=(const Boxed& other) {
        if (this != &other) {
            m_value = other.m_value ? std::make_unique<T>(*other.m_value) : nullptr;
        }
        return *this;
    }
    Boxed& operator=(Boxed&&) noexcept = default;
    Boxed& operator=(T value) {
        m_value = std::make_unique<T>(std::move(value));
        return *this;
    }
    ~Boxed() = default;

    bool hasValue() const { return m_value != nullptr; }
    explicit operator bool() const { return hasValue(); }
    const T& operator*() const { return *m_value; }
    T& operator*() { return *m_value; }
    const T* operator->() const { return m_value.get(); }
    T* operator->() { return m_value.get(); }

    // The value, made default first when there is none.
    T& ensure() {
        if (!m_value) {
            m_value = std::make_unique<T>();
        }
        return *m_value;
    }
    void reset() { m_value.reset(); }

    friend bool operator==(const Boxed& left, const Boxed& right) {
        if (!left.m_value || !right.m_value) {
            return !left.m_value && !right.m_value;
        }
        return *left.m_value == *right.m_value;
    }

private:
    std::unique_ptr<T> m_value;
};

} // namespace kf::swf
