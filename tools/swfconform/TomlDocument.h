#pragma once

#include "common/Result.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace kf::swf {

using TomlValue = std::variant<std::string, std::int64_t, double, bool>;
using TomlPath = std::vector<std::string>;

// The part of TOML the conformance folders use: tables, arrays of tables, dotted and quoted
// keys, strings, numbers, booleans, inline tables and arrays. Every value is kept under its
// full path; array elements and arrays of tables get their index as a path segment.
class TomlDocument {
public:
    static Result<TomlDocument> parse(std::string_view text);

    const TomlValue* find(const TomlPath& path) const;
    std::optional<std::int64_t> integer(const TomlPath& path) const;
    std::optional<double> number(const TomlPath& path) const;
    std::optional<std::string> string(const TomlPath& path) const;
    std::optional<bool> boolean(const TomlPath& path) const;

    // The distinct names one level below `prefix`, in sorted order.
    std::vector<std::string> childNames(const TomlPath& prefix) const;

    void set(TomlPath path, TomlValue value) { m_values.insert_or_assign(std::move(path), std::move(value)); }
    // The next index of the array of tables at `path`.
    std::size_t appendTable(const TomlPath& path) { return m_arrayCounts[path]++; }

private:
    std::map<TomlPath, TomlValue> m_values;
    std::map<TomlPath, std::size_t> m_arrayCounts;
};

} // namespace kf::swf
