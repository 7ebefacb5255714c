#include "TomlDocument.h"

#include "TomlParser.h"

namespace kf::swf {

Result<TomlDocument> TomlDocument::parse(std::string_view text) {
    return TomlParser(text).parse();
}

const TomlValue* TomlDocument::find(const TomlPath& path) const {
    auto found = m_values.find(path);
    return found == m_values.end() ? nullptr : &found->second;
}

std::optional<std::int64_t> TomlDocument::integer(const TomlPath& path) const {
    const TomlValue* value = find(path);
    if (const auto* number = value ? std::get_if<std::int64_t>(value) : nullptr) {
        return *number;
    }
    return std::nullopt;
}

std::optional<double> TomlDocument::number(const TomlPath& path) const {
    const TomlValue* value = find(path);
    if (!value) {
        return std::nullopt;
    }
    if (const auto* whole = std::get_if<std::int64_t>(value)) {
        return static_cast<double>(*whole);
    }
    if (const auto* real = std::get_if<double>(value)) {
        return *real;
    }
    return std::nullopt;
}

std::optional<std::string> TomlDocument::string(const TomlPath& path) const {
    const TomlValue* value = find(path);
    if (const auto* text = value ? std::get_if<std::string>(value) : nullptr) {
        return *text;
    }
    return std::nullopt;
}

std::optional<bool> TomlDocument::boolean(const TomlPath& path) const {
    const TomlValue* value = find(path);
    if (const auto* flag = value ? std::get_if<bool>(value) : nullptr) {
        return *flag;
    }
    return std::nullopt;
}

std::vector<std::string> TomlDocument::childNames(const TomlPath& prefix) const {
    std::vector<std::string> names;
    for (auto entry = m_values.lower_bound(prefix); entry != m_values.end(); ++entry) {
        const TomlPath& path = entry->first;
        if (path.size() <= prefix.size() || !std::equal(prefix.begin(), prefix.end(), path.begin())) {
            break;
        }
        const std::string& name = path[prefix.size()];
        if (names.empty() || names.back() != name) {
            names.push_back(name);
        }
    }
    return names;
}

} // namespace kf::swf
