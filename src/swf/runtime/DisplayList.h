#pragma once

#include "swf/runtime/DisplayObject.h"

#include <map>
#include <memory>
#include <string_view>

namespace kf::swf {

class ClipDrawing;

// The objects of one timeline, drawn from the lowest depth to the highest.
class DisplayList {
public:
    using Objects = std::map<DisplayDepth, std::unique_ptr<DisplayObject>>;

    DisplayList() = default;
    // The list of a clip scripts can draw into: the drawing lies beneath every depth.
    explicit DisplayList(const ClipDrawing& drawing) : m_drawing(&drawing) {}

    const ClipDrawing* drawing() const { return m_drawing; }

    const Objects& objects() const { return m_objects; }
    Objects& objects() { return m_objects; }

    DisplayObject* at(DisplayDepth depth) const {
        auto found = m_objects.find(depth);
        return found == m_objects.end() ? nullptr : found->second.get();
    }

    // The lowest-depth object with this instance name, as AVM1 resolves duplicates.
    DisplayObject* findByName(std::string_view name, bool caseSensitive) const;

private:
    Objects m_objects;
    const ClipDrawing* m_drawing = nullptr;
};

} // namespace kf::swf
