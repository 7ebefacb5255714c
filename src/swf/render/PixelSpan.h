#pragma once

namespace kf::swf {

// A run of whole pixels on one row: `length` pixels from (x, y) rightwards.
struct PixelSpan {
    int y = 0;
    int x = 0;
    int length = 0;
};

} // namespace kf::swf
