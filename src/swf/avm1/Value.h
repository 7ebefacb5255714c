#pragma once

#include <memory>
#include <string>
#include <variant>

namespace kf::swf::avm1 {

class Object;

struct Undefined {
    bool operator==(const Undefined&) const = default;
};
struct Null {
    bool operator==(const Null&) const = default;
};

// One ActionScript value. Movie clips are objects too: their Object re-finds the clip by
// path on every use, so a removed clip reads as undefined instead of dangling.
class Value {
public:
    using Storage = std::variant<Undefined, Null, bool, double, std::string, std::shared_ptr<Object>>;

    Value() = default;
    Value(Undefined) {}
    Value(Null) : m_storage(Null{}) {}
    Value(bool flag) : m_storage(flag) {}
    Value(double number) : m_storage(number) {}
    Value(int number) : m_storage(static_cast<double>(number)) {}
    Value(std::string text) : m_storage(std::move(text)) {}
    Value(const char* text) : m_storage(std::string(text)) {}
    Value(std::shared_ptr<Object> object);

    bool isUndefined() const { return std::holds_alternative<Undefined>(m_storage); }
    bool isNull() const { return std::holds_alternative<Null>(m_storage); }
    bool isNullish() const { return isUndefined() || isNull(); }
    bool isBoolean() const { return std::holds_alternative<bool>(m_storage); }
    bool isNumber() const { return std::holds_alternative<double>(m_storage); }
    bool isString() const { return std::holds_alternative<std::string>(m_storage); }
    bool isObject() const { return std::holds_alternative<std::shared_ptr<Object>>(m_storage); }

    bool boolean() const { return std::get<bool>(m_storage); }
    double number() const { return std::get<double>(m_storage); }
    const std::string& string() const { return std::get<std::string>(m_storage); }
    const std::shared_ptr<Object>& object() const { return std::get<std::shared_ptr<Object>>(m_storage); }
    Object* objectOrNull() const { return isObject() ? object().get() : nullptr; }

    const Storage& storage() const { return m_storage; }

private:
    Storage m_storage;
};

} // namespace kf::swf::avm1
