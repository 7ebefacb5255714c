#pragma once

#include <string>
#include <utility>
#include <variant>

namespace kf {

// The one error type of the code base: what went wrong and, where it helps, where.
struct Error {
    std::string message;
};

// A value or an error. Library boundaries return this instead of throwing.
template <typename T>
class [[nodiscard]] Result {
public:
    Result(T value) : m_state(std::move(value)) {}
    Result(Error error) : m_state(std::move(error)) {}

    static Result failure(std::string message) { return Result(Error{std::move(message)}); }

    bool ok() const { return std::holds_alternative<T>(m_state); }
    explicit operator bool() const { return ok(); }

    T& value() & { return std::get<T>(m_state); }
    const T& value() const& { return std::get<T>(m_state); }
    T&& value() && { return std::get<T>(std::move(m_state)); }

    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }
    T& operator*() & { return value(); }
    const T& operator*() const& { return value(); }

    const Error& error() const { return std::get<Error>(m_state); }

private:
    std::variant<T, Error> m_state;
};

// For operations that produce nothing but may fail.
struct Success {};
using Status = Result<Success>;

inline Status success() { return Status(Success{}); }

} // namespace kf
