#include "swf/runtime/TargetPath.h"

#include "swf/runtime/SpriteObject.h"
#include "swf/runtime/TextCompare.h"

#include <vector>

namespace kf::swf {

namespace {

std::vector<std::string_view> splitSegments(std::string_view path) {
    std::vector<std::string_view> segments;
    std::size_t start = 0;
    for (std::size_t index = 0; index <= path.size(); ++index) {
        // ".." is a segment of its own, not two separators.
        if (index < path.size() && path[index] == '.' && index + 1 < path.size() && path[index + 1] == '.') {
            ++index;
            continue;
        }
        if (index == path.size() || path[index] == '/' || path[index] == '.' || path[index] == ':') {
            if (index > start) {
                segments.push_back(path.substr(start, index - start));
            }
            start = index + 1;
        }
    }
    return segments;
}

} // namespace

DisplayObject* resolveTargetPath(std::string_view path, SpriteObject& base, SpriteObject& root,
                                 bool caseSensitive) {
    DisplayObject* current = &base;
    if (!path.empty() && path.front() == '/') {
        current = &root;
    }
    for (std::string_view segment : splitSegments(path)) {
        auto is = [&](std::string_view word) { return equalsIgnoringCase(segment, word); };
        if (is("_root") || is("_level0")) {
            current = &root;
        } else if (segment == ".." || is("_parent")) {
            current = current->parent();
        } else if (is("this")) {
            // stays
        } else {
            const DisplayList* children = current->children();
            current = children ? children->findByName(segment, caseSensitive) : nullptr;
        }
        if (current == nullptr) {
            return nullptr;
        }
    }
    return current;
}

} // namespace kf::swf
