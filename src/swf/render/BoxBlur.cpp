#include "swf/render/BoxBlur.h"

#include <QImage>
#include <algorithm>
#include <cmath>

namespace kf::swf {

namespace {

// Filters in files ask for at most 255 pixels and 15 passes; hostile values are held there.
constexpr double largestSize = 255.0;
constexpr int largestPasses = 15;

} // namespace

Plane::Plane(int planeWidth, int planeHeight, std::uint8_t fill)
    : width(std::max(planeWidth, 0)), height(std::max(planeHeight, 0)),
      values(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), fill) {}

int BoxBlur::boxWidth(double size) {
    if (!std::isfinite(size) || size <= 1.0) {
        return 1;
    }
    return static_cast<int>(std::lround(std::min(size, largestSize)));
}

int BoxBlur::reach(double size, int passes) {
    const int box = boxWidth(size);
    if (box <= 1) {
        return 0;
    }
    return std::clamp(passes, 1, largestPasses) * (box / 2 + 1);
}

// A running sum over the window: each pixel costs the same whatever the box width. The
// window of an even box reaches one pixel further back than forward. `source` is one
// contiguous line; `target` steps by `stride` (a column of the plane).
void BoxBlur::blurLine(const std::uint8_t* source, std::uint8_t* target, int count, int stride, int box,
                       std::uint8_t outside) {
    const int back = box / 2;
    const int forward = box - 1 - back;
    auto valueAt = [&](int index) -> int { return index < 0 || index >= count ? outside : source[index]; };
    int sum = 0;
    for (int index = -back; index <= forward; ++index) {
        sum += valueAt(index);
    }
    for (int index = 0; index < count; ++index) {
        target[static_cast<std::ptrdiff_t>(index) * stride] = static_cast<std::uint8_t>(sum / box);
        sum += valueAt(index + forward + 1) - valueAt(index - back);
    }
}

void BoxBlur::blur(Plane& plane, double sizeX, double sizeY, int passes, std::uint8_t outside) {
    const int boxX = boxWidth(sizeX);
    const int boxY = boxWidth(sizeY);
    if ((boxX <= 1 && boxY <= 1) || plane.values.empty()) {
        return;
    }
    passes = std::clamp(passes, 1, largestPasses);
    std::vector<std::uint8_t> line(static_cast<std::size_t>(std::max(plane.width, plane.height)));
    for (int pass = 0; pass < passes; ++pass) {
        if (boxX > 1) {
            for (int row = 0; row < plane.height; ++row) {
                std::uint8_t* start = &plane.at(0, row);
                std::copy(start, start + plane.width, line.begin());
                blurLine(line.data(), start, plane.width, 1, boxX, outside);
            }
        }
        if (boxY > 1) {
            for (int column = 0; column < plane.width; ++column) {
                for (int row = 0; row < plane.height; ++row) {
                    line[static_cast<std::size_t>(row)] = plane.at(column, row);
                }
                blurLine(line.data(), &plane.at(column, 0), plane.height, plane.width, boxY, outside);
            }
        }
    }
}

void BoxBlur::blur(QImage& image, double sizeX, double sizeY, int passes) {
    if (boxWidth(sizeX) <= 1 && boxWidth(sizeY) <= 1) {
        return;
    }
    image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    // Channel by channel: the byte of each channel within a pixel, whatever the byte order.
    for (int shift = 0; shift < 32; shift += 8) {
        Plane plane(image.width(), image.height());
        for (int row = 0; row < image.height(); ++row) {
            const auto* pixels = reinterpret_cast<const QRgb*>(image.constScanLine(row));
            for (int column = 0; column < image.width(); ++column) {
                plane.at(column, row) = static_cast<std::uint8_t>(pixels[column] >> shift);
            }
        }
        blur(plane, sizeX, sizeY, passes);
        for (int row = 0; row < image.height(); ++row) {
            auto* pixels = reinterpret_cast<QRgb*>(image.scanLine(row));
            for (int column = 0; column < image.width(); ++column) {
                pixels[column] = (pixels[column] & ~(0xFFu << shift)) |
                                 (static_cast<QRgb>(plane.at(column, row)) << shift);
            }
        }
    }
}

} // namespace kf::swf
