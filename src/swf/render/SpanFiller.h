#pragma once

#include "swf/render/PixelSpan.h"

#include <QImage>
#include <QRgb>
#include <vector>

namespace kf::swf {

class GradientShader;

// Paints the spans of an aliased fill straight into an ARGB32-premultiplied image. An
// aliased fill is whole pixels, so handing QPainter its spans as a path only to have them
// scan-converted again cost most of a frame of many small shapes.
//
// `replace` writes the colours as they are (a painter in Source mode); otherwise they are
// laid over the pixels below as QPainter's SourceOver does.
class SpanFiller {
public:
    // True when `image` is one the fillers can write into.
    static bool canFill(const QImage& image);

    static void fillColor(QImage& image, const std::vector<PixelSpan>& spans, QRgb premultiplied,
                          bool replace);

    // `clearToWhite`: a wholly transparent shaded pixel is written as opaque white, as an
    // alpha-mode layer needs (see PainterBackend).
    void fillGradient(QImage& image, const std::vector<PixelSpan>& spans, const GradientShader& shader,
                      bool replace, bool clearToWhite);

private:
    std::vector<QRgb> m_row;
};

} // namespace kf::swf
