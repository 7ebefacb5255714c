#include "swf/runtime/TargetPath.h"

#include "swf/runtime/MovieLoads.h"
#include "swf/runtime/PlayerContext.h"
#include "swf/runtime/SpriteObject.h"
#include "swf/runtime/TextCompare.h"

namespace kf::swf {

namespace {

// Walks a path one name at a time. Slashes and colons always separate names; dots separate
// them only until the path shows slash syntax (a slash or a ".." step), after which a dot
// belongs to the name, so "/a.b" names one clip "a.b" while "a.b/c" is a, b, c. Colons
// before a name are skipped ("::a" is "a"), but an empty name between separators ("a//b",
// "a.:" at the end) makes the whole path miss, as does a dot leading into "..".
class PathWalker {
public:
    PathWalker(std::string_view path, SpriteObject& base, SpriteObject& root, bool caseSensitive)
        : m_path(path), m_current(&base), m_root(root), m_caseSensitive(caseSensitive) {}

    DisplayObject* walk() {
        if (!m_path.empty() && m_path.front() == '/') {
            m_current = &m_root;
            m_slashSyntax = true;
            m_previous = '/';
            m_index = 1;
        }
        while (m_index < m_path.size()) {
            while (m_index < m_path.size() && m_path[m_index] == ':') {
                m_previous = ':';
                ++m_index;
            }
            if (m_index == m_path.size() || !step()) {
                return nullptr;
            }
            if (m_index < m_path.size()) {
                m_previous = m_path[m_index++];
                m_slashSyntax = m_slashSyntax || m_previous == '/';
            }
        }
        return m_current;
    }

private:
    bool isSeparator(char character) const {
        return character == '/' || character == ':' || (character == '.' && !m_slashSyntax);
    }

    bool step() {
        const std::string_view rest = m_path.substr(m_index);
        if (m_previous != '.' && rest.starts_with("..") &&
            (rest.size() == 2 || rest[2] == '/' || rest[2] == ':')) {
            m_index += 2;
            m_slashSyntax = true;
            m_current = m_current->parent();
            return m_current != nullptr;
        }
        std::size_t end = m_index;
        while (end < m_path.size() && !isSeparator(m_path[end])) {
            ++end;
        }
        const std::string_view name = m_path.substr(m_index, end - m_index);
        m_index = end;
        if (name.empty()) {
            return false;
        }
        auto is = [&](std::string_view word) { return equalsIgnoringCase(name, word); };
        if (is("_root")) {
            m_current = &m_root;
        } else if (const std::optional<int> level = levelNumber(name)) {
            m_current = m_root.context().level(*level);
        } else if (is("_parent")) {
            m_current = m_current->parent();
        } else if (!is("this")) {
            const DisplayList* children = m_current->children();
            m_current = children ? children->findByName(name, m_caseSensitive) : nullptr;
        }
        return m_current != nullptr;
    }

    std::string_view m_path;
    DisplayObject* m_current;
    SpriteObject& m_root;
    bool m_caseSensitive;
    std::size_t m_index = 0;
    char m_previous = '\0';
    bool m_slashSyntax = false;
};

} // namespace

DisplayObject* resolveTargetPath(std::string_view path, SpriteObject& base, SpriteObject& root,
                                 bool caseSensitive) {
    return PathWalker(path, base, root, caseSensitive).walk();
}

} // namespace kf::swf
