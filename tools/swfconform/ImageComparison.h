#pragma once

#include "ConformanceCase.h"

#include <QImage>

#include <cstdint>

namespace kf::swf {

struct ImageDifference {
    bool sizesMatch = true;
    std::int64_t outliers = 0; // channel values beyond the tolerance
    int largestDifference = 0;
};

// Compares two images channel by channel (red, green, blue, alpha, unpremultiplied).
ImageDifference compareImages(const QImage& actual, const QImage& expected, int tolerance);

} // namespace kf::swf
