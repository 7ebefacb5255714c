#include "swf/render/BitmapFillBrush.h"

#include <QTransform>
#include <algorithm>
#include <cmath>

namespace kf::swf {

namespace {

int paddingFor(double reach, int limit) {
    if (!(reach > 0.0)) {
        return 1;
    }
    return static_cast<int>(std::min<double>(limit, std::ceil(reach) + 1.0));
}

} // namespace

QBrush BitmapFillBrush::build(const FillStyle& style, const QImage& image, const QRectF& pathBounds,
                              const ColorTransform& transform) {
    const Matrix& matrix = style.matrix;
    const double determinant = matrix.determinant();
    if (image.isNull() || !std::isfinite(determinant) || determinant == 0.0) {
        return QBrush(Qt::NoBrush);
    }
    const QTransform toShape(matrix.a, matrix.b, matrix.c, matrix.d, matrix.tx, matrix.ty);
    QImage texture = transform.isIdentity() ? image : recolored(image, transform);
    QTransform brushTransform = toShape;
    if (isClipped(style.type)) {
        // How far past the bitmap the path reaches, in bitmap pixels.
        const QRectF reach = toShape.inverted().mapRect(pathBounds);
        const int left = paddingFor(-reach.left(), maxPadding);
        const int top = paddingFor(-reach.top(), maxPadding);
        const int right = paddingFor(reach.right() - image.width(), maxPadding);
        const int bottom = paddingFor(reach.bottom() - image.height(), maxPadding);
        texture = padded(texture, left, top, right, bottom);
        brushTransform = QTransform::fromTranslate(-left, -top) * toShape;
    }
    QBrush brush(texture);
    brush.setTransform(brushTransform);
    return brush;
}

QImage BitmapFillBrush::recolored(const QImage& image, const ColorTransform& transform) {
    QImage result = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < result.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < result.width(); ++x) {
            // A fully transparent pixel has no colour to transform, and Flash Player keeps
            // it transparent even under an alpha addition.
            if (qAlpha(row[x]) == 0) {
                continue;
            }
            const QRgb straight = qUnpremultiply(row[x]);
            const Rgba shown = transform.apply(Rgba{static_cast<std::uint8_t>(qRed(straight)),
                                                    static_cast<std::uint8_t>(qGreen(straight)),
                                                    static_cast<std::uint8_t>(qBlue(straight)),
                                                    static_cast<std::uint8_t>(qAlpha(straight))});
            row[x] = qPremultiply(qRgba(shown.red, shown.green, shown.blue, shown.alpha));
        }
    }
    return result;
}

QImage BitmapFillBrush::padded(const QImage& image, int left, int top, int right, int bottom) {
    const int width = image.width();
    const int height = image.height();
    QImage result(width + left + right, height + top + bottom, QImage::Format_ARGB32_Premultiplied);
    if (result.isNull()) {
        return image;
    }
    for (int y = 0; y < result.height(); ++y) {
        const int sourceY = std::clamp(y - top, 0, height - 1);
        const auto* source = reinterpret_cast<const QRgb*>(image.constScanLine(sourceY));
        auto* row = reinterpret_cast<QRgb*>(result.scanLine(y));
        std::fill(row, row + left, source[0]);
        std::copy(source, source + width, row + left);
        std::fill(row + left + width, row + result.width(), source[width - 1]);
    }
    return result;
}

} // namespace kf::swf
