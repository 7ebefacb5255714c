#pragma once

#include <QImage>

namespace kf::swf {

class BitmapCharacter;

// A bitmap character's decoded pixels, hung on BitmapCharacter::renderCache. Decoding
// happens once, when a fill first needs the bitmap; a bitmap that fails to decode keeps a
// null image and is not tried again.
class BitmapRenderCache {
public:
    // The premultiplied pixels of `bitmap`, or nullptr when it cannot be decoded.
    static const QImage* imageOf(const BitmapCharacter& bitmap);

private:
    QImage m_image;
};

} // namespace kf::swf
