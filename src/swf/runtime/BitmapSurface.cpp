#include "swf/runtime/BitmapSurface.h"

#include <algorithm>

namespace kf::swf {

namespace {

std::uint32_t alphaOf(std::uint32_t argb) {
    return argb >> 24;
}

std::uint32_t channel(std::uint32_t argb, int shift) {
    return (argb >> shift) & 0xFFU;
}

// The colour channels times factor/255, rounded; alpha is the caller's.
std::uint32_t scaledColour(std::uint32_t argb, std::uint32_t factor) {
    const auto scaled = [factor](std::uint32_t value) { return (value * factor + 127) / 255; };
    return (scaled(channel(argb, 16)) << 16) | (scaled(channel(argb, 8)) << 8) | scaled(channel(argb, 0));
}

// `area` clipped to [0, width) x [0, height); empty when nothing is left.
PixelRect clipped(PixelRect area, std::int32_t width, std::int32_t height) {
    const std::int64_t left = std::max<std::int64_t>(area.x, 0);
    const std::int64_t top = std::max<std::int64_t>(area.y, 0);
    const std::int64_t right = std::min<std::int64_t>(std::int64_t(area.x) + std::max(area.width, 0), width);
    const std::int64_t bottom =
        std::min<std::int64_t>(std::int64_t(area.y) + std::max(area.height, 0), height);
    if (right <= left || bottom <= top) {
        return PixelRect{};
    }
    return PixelRect{std::int32_t(left), std::int32_t(top), std::int32_t(right - left),
                     std::int32_t(bottom - top)};
}

} // namespace

BitmapSurface::BitmapSurface(std::int32_t width, std::int32_t height, bool transparent)
    : m_width(width), m_height(height), m_transparent(transparent),
      m_pixels(std::size_t(width) * std::size_t(height)) {}

std::shared_ptr<BitmapSurface> BitmapSurface::create(std::int32_t width, std::int32_t height,
                                                     bool transparent, std::uint32_t fillColor) {
    if (width <= 0 || height <= 0 || width > MaximumSide || height > MaximumSide) {
        return nullptr;
    }
    std::shared_ptr<BitmapSurface> surface(new BitmapSurface(width, height, transparent));
    std::fill(surface->m_pixels.begin(), surface->m_pixels.end(), surface->stored(fillColor));
    return surface;
}

std::uint32_t BitmapSurface::premultiply(std::uint32_t argb) {
    const std::uint32_t alpha = alphaOf(argb);
    if (alpha == 0xFF) {
        return argb;
    }
    return (alpha << 24) | scaledColour(argb, alpha);
}

std::uint32_t BitmapSurface::unpremultiply(std::uint32_t premultiplied) {
    const std::uint32_t alpha = alphaOf(premultiplied);
    if (alpha == 0xFF) {
        return premultiplied;
    }
    if (alpha == 0) {
        return 0;
    }
    const auto restored = [alpha](std::uint32_t value) {
        return std::min<std::uint32_t>(255, (value * 255 + alpha / 2) / alpha);
    };
    return (alpha << 24) | (restored(channel(premultiplied, 16)) << 16) |
           (restored(channel(premultiplied, 8)) << 8) | restored(channel(premultiplied, 0));
}

std::uint32_t BitmapSurface::pixel32(std::int32_t x, std::int32_t y) const {
    if (!contains(x, y)) {
        return 0;
    }
    return unpremultiply(m_pixels[std::size_t(y) * std::size_t(m_width) + std::size_t(x)]);
}

void BitmapSurface::setPixel32(std::int32_t x, std::int32_t y, std::uint32_t argb) {
    if (contains(x, y)) {
        *at(x, y) = stored(argb);
        changed();
    }
}

void BitmapSurface::setPixel(std::int32_t x, std::int32_t y, std::uint32_t rgb) {
    if (contains(x, y)) {
        const std::uint32_t alpha = alphaOf(*at(x, y));
        *at(x, y) = stored((alpha << 24) | (rgb & 0xFFFFFFU));
        changed();
    }
}

void BitmapSurface::fillRect(PixelRect rect, std::uint32_t argb) {
    const PixelRect area = clipped(rect, m_width, m_height);
    const std::uint32_t value = stored(argb);
    for (std::int32_t y = area.y; y < area.y + area.height; ++y) {
        std::fill_n(at(area.x, y), area.width, value);
    }
    changed();
}

void BitmapSurface::copyPixels(const BitmapSurface& source, PixelRect area, std::int32_t destinationX,
                               std::int32_t destinationY, const BitmapSurface* alphaSource,
                               std::int32_t alphaX, std::int32_t alphaY, bool mergeAlpha) {
    const PixelRect from = clipped(area, source.m_width, source.m_height);
    // The part of the source area clipping cut off on the left or top shifts the target too.
    const std::int64_t shiftX = std::int64_t(from.x) - area.x;
    const std::int64_t shiftY = std::int64_t(from.y) - area.y;
    // Copying within one bitmap reads from a snapshot, so overlapping areas copy cleanly.
    std::vector<std::uint32_t> snapshot;
    const std::uint32_t* sourcePixels = source.m_pixels.data();
    if (&source == this) {
        snapshot = m_pixels;
        sourcePixels = snapshot.data();
    }
    for (std::int32_t row = 0; row < from.height; ++row) {
        const std::int64_t targetY = destinationY + shiftY + row;
        if (targetY < 0 || targetY >= m_height) {
            continue;
        }
        for (std::int32_t column = 0; column < from.width; ++column) {
            const std::int64_t targetX = destinationX + shiftX + column;
            if (targetX < 0 || targetX >= m_width) {
                continue;
            }
            const std::int32_t sourceX = from.x + column;
            const std::int32_t sourceY = from.y + row;
            std::uint32_t premultiplied =
                sourcePixels[std::size_t(sourceY) * std::size_t(source.m_width) + std::size_t(sourceX)];
            if (!source.m_transparent) {
                premultiplied |= 0xFF000000U;
            }
            if (alphaSource) {
                // Pixels the alpha bitmap does not reach copy as fully transparent.
                const std::uint32_t mask = alphaOf(alphaSource->pixel32(
                    std::int32_t(alphaX + shiftX + column), std::int32_t(alphaY + shiftY + row)));
                premultiplied =
                    (((alphaOf(premultiplied) * mask + 127) / 255) << 24) | scaledColour(premultiplied, mask);
            }
            std::uint32_t& target = *at(std::int32_t(targetX), std::int32_t(targetY));
            if (mergeAlpha) {
                const std::uint32_t inverse = 255 - alphaOf(premultiplied);
                const auto over = [&](int shift) {
                    return std::min<std::uint32_t>(255, channel(premultiplied, shift) +
                                                            (channel(target, shift) * inverse + 127) / 255);
                };
                premultiplied = (over(24) << 24) | (over(16) << 16) | (over(8) << 8) | over(0);
            }
            target = m_transparent ? premultiplied : stored(unpremultiply(premultiplied));
        }
    }
    changed();
}

void BitmapSurface::dispose() {
    m_pixels = {};
    m_width = 0;
    m_height = 0;
    m_disposed = true;
    changed();
}

std::shared_ptr<BitmapSurface> BitmapSurface::clone() const {
    std::shared_ptr<BitmapSurface> copy(new BitmapSurface(m_width, m_height, m_transparent));
    copy->m_pixels = m_pixels;
    return copy;
}

} // namespace kf::swf
