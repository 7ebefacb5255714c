#include "swf/render/BitmapFilters.h"

#include "swf/render/BoxBlur.h"
#include "swf/render/LayerEffects.h"
#include "swf/render/ShadowFilters.h"

#include <QImage>
#include <algorithm>
#include <array>
#include <cmath>

namespace kf::swf {

namespace {

// Kernels larger than this are not run: a file cannot make a frame take minutes.
constexpr std::size_t largestKernel = 15 * 15;

std::uint8_t toChannel(double value) {
    if (!std::isfinite(value)) {
        return value > 0 ? 255 : 0;
    }
    return static_cast<std::uint8_t>(std::clamp(std::lround(value), 0L, 255L));
}

using Channels = std::array<double, 4>; // red, green, blue, alpha, 0..255, unpremultiplied

Channels channelsOf(QRgb pixel) {
    const QRgb plain = qUnpremultiply(pixel);
    return {static_cast<double>(qRed(plain)), static_cast<double>(qGreen(plain)),
            static_cast<double>(qBlue(plain)), static_cast<double>(qAlpha(plain))};
}

QRgb pixelOf(const Channels& channels) {
    return qPremultiply(qRgba(toChannel(channels[0]), toChannel(channels[1]), toChannel(channels[2]),
                              toChannel(channels[3])));
}

} // namespace

void BitmapFilters::apply(QImage& layer, const LayerEffects& effects) {
    if (layer.isNull()) {
        return;
    }
    if (layer.format() != QImage::Format_ARGB32_Premultiplied) {
        layer = layer.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    }
    for (const Filter& filter : effects.filters) {
        std::visit(
            [&](const auto& effect) {
                using Effect = std::decay_t<decltype(effect)>;
                if constexpr (std::is_same_v<Effect, BlurFilter>) {
                    BoxBlur::blur(layer, effect.blurX.toDouble() * effects.scaleX,
                                  effect.blurY.toDouble() * effects.scaleY, effect.passes);
                } else if constexpr (std::is_same_v<Effect, ColorMatrixFilter> ||
                                     std::is_same_v<Effect, ConvolutionFilter>) {
                    apply(layer, effect);
                } else {
                    ShadowFilters::apply(layer, effect, effects);
                }
            },
            filter);
    }
}

void BitmapFilters::apply(QImage& layer, const ColorMatrixFilter& filter) {
    const float* matrix = filter.matrix;
    for (int row = 0; row < layer.height(); ++row) {
        auto* pixels = reinterpret_cast<QRgb*>(layer.scanLine(row));
        for (int column = 0; column < layer.width(); ++column) {
            const Channels in = channelsOf(pixels[column]);
            Channels out{};
            for (std::size_t channel = 0; channel < 4; ++channel) {
                const float* line = matrix + channel * 5;
                out[channel] =
                    line[0] * in[0] + line[1] * in[1] + line[2] * in[2] + line[3] * in[3] + line[4];
            }
            pixels[column] = pixelOf(out);
        }
    }
}

void BitmapFilters::apply(QImage& layer, const ConvolutionFilter& filter) {
    const int columns = filter.matrixX;
    const int rows = filter.matrixY;
    const std::size_t size = static_cast<std::size_t>(columns) * static_cast<std::size_t>(rows);
    if (size == 0 || size > largestKernel || filter.matrix.size() < size) {
        return;
    }
    const double divisor = filter.divisor == 0.0f ? 1.0 : filter.divisor;
    const QImage source = layer.copy();
    const Channels outside{
        static_cast<double>(filter.defaultColor.red), static_cast<double>(filter.defaultColor.green),
        static_cast<double>(filter.defaultColor.blue), static_cast<double>(filter.defaultColor.alpha)};
    auto sample = [&](int column, int row) -> Channels {
        if (column < 0 || row < 0 || column >= source.width() || row >= source.height()) {
            if (!filter.clamp) {
                return outside;
            }
            column = std::clamp(column, 0, source.width() - 1);
            row = std::clamp(row, 0, source.height() - 1);
        }
        return channelsOf(reinterpret_cast<const QRgb*>(source.constScanLine(row))[column]);
    };
    for (int row = 0; row < layer.height(); ++row) {
        auto* pixels = reinterpret_cast<QRgb*>(layer.scanLine(row));
        for (int column = 0; column < layer.width(); ++column) {
            Channels sum{};
            for (int kernelRow = 0; kernelRow < rows; ++kernelRow) {
                for (int kernelColumn = 0; kernelColumn < columns; ++kernelColumn) {
                    const double weight =
                        filter.matrix[static_cast<std::size_t>(kernelRow * columns + kernelColumn)];
                    const Channels value =
                        sample(column + kernelColumn - columns / 2, row + kernelRow - rows / 2);
                    for (std::size_t channel = 0; channel < 4; ++channel) {
                        sum[channel] += weight * value[channel];
                    }
                }
            }
            Channels out{};
            for (std::size_t channel = 0; channel < 4; ++channel) {
                out[channel] = sum[channel] / divisor + filter.bias;
            }
            if (filter.preserveAlpha) {
                out[3] = qAlpha(pixels[column]);
            }
            pixels[column] = pixelOf(out);
        }
    }
}

} // namespace kf::swf
