#pragma once

#include "TomlDocument.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace kf::swf {

// Recursive descent over one TOML text into a TomlDocument.
class TomlParser {
public:
    explicit TomlParser(std::string_view text) : m_text(text) {}

    Result<TomlDocument> parse();

private:
    bool parseLine(TomlPath& table);
    bool parseKey(TomlPath& key);
    bool parseValue(const TomlPath& path, int nesting);
    bool parseString(std::string& out);
    bool parseScalar(const TomlPath& path);
    void skipSpaces();
    void skipSpacesAndNewlines();
    bool atEnd() const { return m_position >= m_text.size(); }
    char peek() const { return atEnd() ? '\0' : m_text[m_position]; }
    bool fail(std::string message);

    std::string_view m_text;
    std::size_t m_position = 0;
    TomlDocument m_document;
    std::string m_error;
};

} // namespace kf::swf
