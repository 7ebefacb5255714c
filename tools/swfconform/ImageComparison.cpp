#include "ImageComparison.h"

#include <algorithm>
#include <cstdlib>

namespace kf::swf {

ImageDifference compareImages(const QImage& actual, const QImage& expected, int tolerance) {
    ImageDifference difference;
    if (actual.size() != expected.size()) {
        difference.sizesMatch = false;
        return difference;
    }
    const QImage left = actual.convertToFormat(QImage::Format_RGBA8888);
    const QImage right = expected.convertToFormat(QImage::Format_RGBA8888);
    const int bytesPerRow = left.width() * 4;
    for (int y = 0; y < left.height(); ++y) {
        const uchar* leftRow = left.constScanLine(y);
        const uchar* rightRow = right.constScanLine(y);
        for (int x = 0; x < bytesPerRow; ++x) {
            const int channelDifference = std::abs(int{leftRow[x]} - int{rightRow[x]});
            difference.largestDifference = std::max(difference.largestDifference, channelDifference);
            if (channelDifference > tolerance) {
                ++difference.outliers;
            }
        }
    }
    return difference;
}

} // namespace kf::swf
