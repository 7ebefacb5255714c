#pragma once

#include "swf/runtime/BitmapSurface.h"
#include "swf/runtime/DisplayObject.h"

#include <memory>

namespace kf::swf {

// A script's bitmap shown in a clip (attachBitmap): one pixel is one twentieth of the
// clip's units times twenty, i.e. a pixel at the clip's own scale. It shares the pixels with
// the script's BitmapData, so painting it later changes what is shown.
class BitmapObject : public DisplayObject {
public:
    BitmapObject(DisplayDepth depth, std::shared_ptr<BitmapSurface> surface, bool smoothing)
        : DisplayObject(depth, CharacterId{0}), m_surface(std::move(surface)), m_smoothing(smoothing) {}

    DisplayObjectKind kind() const override { return DisplayObjectKind::Bitmap; }
    const BitmapObject* asBitmap() const override { return this; }

    const std::shared_ptr<BitmapSurface>& surface() const { return m_surface; }
    bool smoothing() const { return m_smoothing; }

private:
    std::shared_ptr<BitmapSurface> m_surface;
    bool m_smoothing;
};

} // namespace kf::swf
