#include "swf/render/BlendCompositor.h"

#include <QImage>
#include <QRect>
#include <algorithm>

namespace kf::swf {

namespace {

// Product of two 0..255 values scaled back to 0..255, rounded.
inline int multiply(int first, int second) {
    const int product = first * second + 128;
    return (product + (product >> 8)) >> 8;
}

struct Pixel {
    int red, green, blue, alpha;
};

inline Pixel unpack(QRgb pixel) {
    return {qRed(pixel), qGreen(pixel), qBlue(pixel), qAlpha(pixel)};
}

inline QRgb pack(const Pixel& pixel) {
    const int alpha = std::clamp(pixel.alpha, 0, 255);
    // Premultiplied colours never exceed their alpha.
    return qRgba(std::clamp(pixel.red, 0, alpha), std::clamp(pixel.green, 0, alpha),
                 std::clamp(pixel.blue, 0, alpha), alpha);
}

// One channel of the separable modes, on premultiplied values: the mixing term of the mode
// plus what each side shows where the other is transparent.
template <typename Mix>
inline int separable(int source, int sourceAlpha, int backdrop, int backdropAlpha, Mix mix) {
    return mix(source, sourceAlpha, backdrop, backdropAlpha) + multiply(source, 255 - backdropAlpha) +
           multiply(backdrop, 255 - sourceAlpha);
}

template <typename Mix> inline Pixel blendSeparable(const Pixel& source, const Pixel& backdrop, Mix mix) {
    return {separable(source.red, source.alpha, backdrop.red, backdrop.alpha, mix),
            separable(source.green, source.alpha, backdrop.green, backdrop.alpha, mix),
            separable(source.blue, source.alpha, backdrop.blue, backdrop.alpha, mix),
            source.alpha + backdrop.alpha - multiply(source.alpha, backdrop.alpha)};
}

// Overlay is hard light with the roles swapped: the backdrop decides between multiply and screen.
inline int hardLightMix(int source, int sourceAlpha, int backdrop, int backdropAlpha) {
    if (2 * source <= sourceAlpha) {
        return 2 * multiply(source, backdrop);
    }
    return multiply(sourceAlpha, backdropAlpha) -
           2 * multiply(backdropAlpha - backdrop, sourceAlpha - source);
}

Pixel blend(const Pixel& source, const Pixel& backdrop, BlendMode mode) {
    const int keep = 255 - source.alpha;
    switch (mode) {
    case BlendMode::Multiply:
        return blendSeparable(source, backdrop, [](int s, int, int d, int) { return multiply(s, d); });
    case BlendMode::Screen:
        return blendSeparable(source, backdrop, [](int s, int sa, int d, int da) {
            return multiply(s, da) + multiply(d, sa) - multiply(s, d);
        });
    case BlendMode::Lighten:
        return blendSeparable(source, backdrop, [](int s, int sa, int d, int da) {
            return std::max(multiply(s, da), multiply(d, sa));
        });
    case BlendMode::Darken:
        return blendSeparable(source, backdrop, [](int s, int sa, int d, int da) {
            return std::min(multiply(s, da), multiply(d, sa));
        });
    case BlendMode::Difference:
        return blendSeparable(source, backdrop, [](int s, int sa, int d, int da) {
            return multiply(s, da) + multiply(d, sa) - 2 * std::min(multiply(s, da), multiply(d, sa));
        });
    case BlendMode::HardLight:
        return blendSeparable(source, backdrop, hardLightMix);
    case BlendMode::Overlay:
        return blendSeparable(source, backdrop,
                              [](int s, int sa, int d, int da) { return hardLightMix(d, da, s, sa); });
    // Add sums the premultiplied values, alpha included, up to full.
    case BlendMode::Add: {
        const int alpha = std::min(source.alpha + backdrop.alpha, 255);
        return {std::min(source.red + backdrop.red, alpha), std::min(source.green + backdrop.green, alpha),
                std::min(source.blue + backdrop.blue, alpha), alpha};
    }
    case BlendMode::Subtract: {
        const int alpha = source.alpha + multiply(backdrop.alpha, keep);
        return {backdrop.red - source.red, backdrop.green - source.green, backdrop.blue - source.blue, alpha};
    }
    // Invert ignores the object's colours: where it covers, the backdrop turns to its negative,
    // and a transparent backdrop (black of no alpha) turns white.
    case BlendMode::Invert: {
        auto invert = [&](int backdropChannel) {
            return multiply(255 - backdropChannel, source.alpha) + multiply(backdropChannel, keep);
        };
        return {invert(backdrop.red), invert(backdrop.green), invert(backdrop.blue),
                source.alpha + multiply(backdrop.alpha, keep)};
    }
    case BlendMode::Alpha:
        return {multiply(backdrop.red, source.alpha), multiply(backdrop.green, source.alpha),
                multiply(backdrop.blue, source.alpha), multiply(backdrop.alpha, source.alpha)};
    case BlendMode::Erase:
        return {multiply(backdrop.red, keep), multiply(backdrop.green, keep), multiply(backdrop.blue, keep),
                multiply(backdrop.alpha, keep)};
    case BlendMode::Normal:
    case BlendMode::Layer:
        break;
    }
    return {source.red + multiply(backdrop.red, keep), source.green + multiply(backdrop.green, keep),
            source.blue + multiply(backdrop.blue, keep), source.alpha + multiply(backdrop.alpha, keep)};
}

} // namespace

void BlendCompositor::composite(QImage& below, const QPoint& belowOrigin, const QImage& layer,
                                const QPoint& layerOrigin, BlendMode mode) {
    if (below.format() != QImage::Format_ARGB32_Premultiplied || layer.isNull()) {
        return;
    }
    const QImage source = layer.format() == QImage::Format_ARGB32_Premultiplied
                              ? layer
                              : layer.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QRect overlap = QRect(layerOrigin, source.size()).intersected(QRect(belowOrigin, below.size()));
    if (overlap.isEmpty()) {
        return;
    }
    for (int row = overlap.top(); row <= overlap.bottom(); ++row) {
        const auto* sourceLine = reinterpret_cast<const QRgb*>(source.constScanLine(row - layerOrigin.y()));
        auto* belowLine = reinterpret_cast<QRgb*>(below.scanLine(row - belowOrigin.y()));
        for (int column = overlap.left(); column <= overlap.right(); ++column) {
            const QRgb sourcePixel = sourceLine[column - layerOrigin.x()];
            // An alpha-mode layer starts opaque, so a pixel of alpha 0 is one the object cleared.
            if (qAlpha(sourcePixel) == 0 && mode != BlendMode::Alpha) {
                continue;
            }
            QRgb& belowPixel = belowLine[column - belowOrigin.x()];
            belowPixel = pack(blend(unpack(sourcePixel), unpack(belowPixel), mode));
        }
    }
}

} // namespace kf::swf
