#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace kf::swf {

// A rectangle of whole pixels; width and height may come in negative from scripts and
// then cover nothing.
struct PixelRect {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
};

// The pixels of a bitmap scripts create and paint (BitmapData). Stored premultiplied, as
// Flash Player keeps them, so a colour read back after a translucent write has lost the
// same precision there as here; the layout is the renderer's too (0xAARRGGBB words), so it
// draws them without a copy.
class BitmapSurface {
public:
    // Flash Player 8's limit for either side; larger or non-positive sizes are refused.
    static constexpr std::int32_t MaximumSide = 2880;

    // Nothing when the size is out of range.
    static std::shared_ptr<BitmapSurface> create(std::int32_t width, std::int32_t height, bool transparent,
                                                 std::uint32_t fillColor);

    std::int32_t width() const { return m_width; }
    std::int32_t height() const { return m_height; }
    bool transparent() const { return m_transparent; }
    // Grows with every change, so a renderer can keep a converted copy until it does.
    std::uint64_t version() const { return m_version; }
    const std::uint32_t* premultipliedPixels() const { return m_pixels.data(); }

    // Straight (not premultiplied) ARGB; 0 outside the bitmap.
    std::uint32_t pixel32(std::int32_t x, std::int32_t y) const;
    void setPixel32(std::int32_t x, std::int32_t y, std::uint32_t argb);
    // The colour only: a transparent bitmap keeps the pixel's alpha.
    void setPixel(std::int32_t x, std::int32_t y, std::uint32_t rgb);
    void fillRect(PixelRect rect, std::uint32_t argb);
    // Copies `area` of `source` to `destination` (its top-left corner) here, clipped to both
    // bitmaps. With `alphaSource`, its alpha channel (read from `alphaPoint` on) multiplies
    // the copied alpha. mergeAlpha blends the copy over what is here instead of replacing it.
    void copyPixels(const BitmapSurface& source, PixelRect area, std::int32_t destinationX,
                    std::int32_t destinationY, const BitmapSurface* alphaSource, std::int32_t alphaX,
                    std::int32_t alphaY, bool mergeAlpha);
    std::shared_ptr<BitmapSurface> clone() const;
    // Frees the pixels; the bitmap is then empty and every change does nothing.
    void dispose();
    bool disposed() const { return m_disposed; }

    // Premultiplied conversions with the rounding used throughout.
    static std::uint32_t premultiply(std::uint32_t argb);
    static std::uint32_t unpremultiply(std::uint32_t premultiplied);

private:
    BitmapSurface(std::int32_t width, std::int32_t height, bool transparent);

    std::uint32_t* at(std::int32_t x, std::int32_t y) {
        return &m_pixels[std::size_t(y) * std::size_t(m_width) + std::size_t(x)];
    }
    bool contains(std::int32_t x, std::int32_t y) const {
        return x >= 0 && y >= 0 && x < m_width && y < m_height;
    }
    // An opaque bitmap has no alpha to keep.
    std::uint32_t stored(std::uint32_t argb) const {
        return premultiply(m_transparent ? argb : (argb | 0xFF000000U));
    }
    void changed() { ++m_version; }

    std::int32_t m_width;
    std::int32_t m_height;
    bool m_transparent;
    bool m_disposed = false;
    std::uint64_t m_version = 1;
    std::vector<std::uint32_t> m_pixels;
};

} // namespace kf::swf
