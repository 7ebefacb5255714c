#include "swf/render/SpanFiller.h"

#include "swf/render/GradientShader.h"

#include <algorithm>

namespace kf::swf {

namespace {

// `color` (premultiplied, two channels a byte apart in each half) times alpha/255, rounded
// as QPainter rounds, so pixels blended here match pixels it blends.
[[gnu::always_inline]] inline QRgb scaled(QRgb color, unsigned alpha) {
    unsigned low = (color & 0x00ff00ffu) * alpha;
    low = ((low + ((low >> 8) & 0x00ff00ffu) + 0x00800080u) >> 8) & 0x00ff00ffu;
    unsigned high = ((color >> 8) & 0x00ff00ffu) * alpha;
    high = (high + ((high >> 8) & 0x00ff00ffu) + 0x00800080u) & 0xff00ff00u;
    return high | low;
}

[[gnu::always_inline]] inline QRgb over(QRgb source, QRgb below) {
    const unsigned alpha = qAlpha(source);
    if (alpha == 255) {
        return source;
    }
    return source + scaled(below, 255 - alpha);
}

QRgb* rowStart(QImage& image, const PixelSpan& span) {
    return reinterpret_cast<QRgb*>(image.scanLine(span.y)) + span.x;
}

bool insideImage(const QImage& image, const PixelSpan& span) {
    return span.y >= 0 && span.y < image.height() && span.x >= 0 && span.length > 0 &&
           span.x + span.length <= image.width();
}

} // namespace

bool SpanFiller::canFill(const QImage& image) {
    return !image.isNull() && image.format() == QImage::Format_ARGB32_Premultiplied;
}

void SpanFiller::fillColor(QImage& image, const std::vector<PixelSpan>& spans, QRgb premultiplied,
                           bool replace) {
    const unsigned alpha = qAlpha(premultiplied);
    if (alpha == 0 && !replace) {
        return;
    }
    for (const PixelSpan& span : spans) {
        if (!insideImage(image, span)) {
            continue;
        }
        QRgb* out = rowStart(image, span);
        if (replace || alpha == 255) {
            std::fill_n(out, span.length, premultiplied);
            continue;
        }
        for (int index = 0; index < span.length; ++index) {
            out[index] = premultiplied + scaled(out[index], 255 - alpha);
        }
    }
}

void SpanFiller::fillGradient(QImage& image, const std::vector<PixelSpan>& spans,
                              const GradientShader& shader, bool replace, bool clearToWhite) {
    // Opaque colours cover what is below, and are never the transparent ones to clear.
    const bool direct = shader.isOpaque() || (replace && !clearToWhite);
    for (const PixelSpan& span : spans) {
        if (!insideImage(image, span)) {
            continue;
        }
        QRgb* out = rowStart(image, span);
        if (direct) {
            shader.shadeArea(QRect(span.x, span.y, span.length, 1), out, span.length);
            continue;
        }
        if (m_row.size() < static_cast<std::size_t>(span.length)) {
            m_row.resize(static_cast<std::size_t>(span.length));
        }
        shader.shadeArea(QRect(span.x, span.y, span.length, 1), m_row.data(), span.length);
        if (clearToWhite) {
            std::replace(m_row.begin(), m_row.begin() + span.length, QRgb{0}, QRgb{0xFFFFFFFF});
        }
        if (replace) {
            std::copy_n(m_row.data(), span.length, out);
            continue;
        }
        for (int index = 0; index < span.length; ++index) {
            out[index] = over(m_row[static_cast<std::size_t>(index)], out[index]);
        }
    }
}

} // namespace kf::swf
