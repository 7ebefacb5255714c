#pragma once

#include <cstdint>
#include <vector>

class QImage;

namespace kf::swf {

// One channel of an image, row by row.
struct Plane {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> values;

    Plane() = default;
    Plane(int planeWidth, int planeHeight, std::uint8_t fill = 0);
    std::uint8_t at(int x, int y) const { return values[static_cast<std::size_t>(y) * width + x]; }
    std::uint8_t& at(int x, int y) { return values[static_cast<std::size_t>(y) * width + x]; }
    // The value at (x, y), or `outside` beyond the edges.
    std::uint8_t sample(int x, int y, std::uint8_t outside) const {
        return x < 0 || y < 0 || x >= width || y >= height ? outside : at(x, y);
    }
};

// Flash Player's blur: a box filter `size` pixels wide, run once per pass (the filter's
// quality: 1 low, 2 medium, 3 high), first along rows, then along columns. Three passes of a
// box come close to a Gaussian; one pass leaves the flat ramps a box makes.
class BoxBlur {
public:
    // Blurs `plane` in place; pixels beyond its edges count as `outside`.
    static void blur(Plane& plane, double sizeX, double sizeY, int passes, std::uint8_t outside = 0);
    // Blurs all four channels of an ARGB32-premultiplied image in place.
    static void blur(QImage& image, double sizeX, double sizeY, int passes);

    // The box width a filter size gives: sizes round to whole pixels, and one pixel or less
    // leaves the image as it is.
    static int boxWidth(double size);
    // How far, in pixels per side, `passes` boxes of `size` spread an image.
    static int reach(double size, int passes);

private:
    static void blurLine(const std::uint8_t* source, std::uint8_t* target, int count, int stride, int box,
                         std::uint8_t outside);
};

} // namespace kf::swf
