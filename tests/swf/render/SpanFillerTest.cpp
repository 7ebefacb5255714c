#include "RenderScene.h"

#include "swf/render/GradientRamp.h"
#include "swf/render/GradientShader.h"
#include "swf/render/SpanFiller.h"

#include <QPainter>
#include <random>

namespace kf::swf::test {
namespace {

// Every premultiplied value there is somewhere below the spans: blending must match
// QPainter's rounding on all of them, not only on opaque white.
QImage noise(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    std::mt19937 random(7);
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const int alpha = static_cast<int>(random() % 256);
            const auto channel = [&] { return static_cast<int>(random() % (alpha + 1)); };
            row[x] = qRgba(channel(), channel(), channel(), alpha);
        }
    }
    return image;
}

const std::vector<PixelSpan> spans{{0, 0, 64}, {1, 3, 20}, {2, 10, 1}, {5, 0, 64}, {6, 63, 1}};

// What QPainter makes of the same spans filled with `brush` over `below`.
QImage painted(const QImage& below, const QBrush& brush, QPainter::CompositionMode mode) {
    QImage image = below.copy();
    QPainter painter(&image);
    painter.setCompositionMode(mode);
    for (const PixelSpan& span : spans) {
        painter.fillRect(QRect(span.x, span.y, span.length, 1), brush);
    }
    return image;
}

GradientRamp halfTransparentRamp() {
    FillStyle style = gradient(FillType::LinearGradient, 0, 0, 64, 8,
                               {{0, Rgba{255, 0, 0, 0}},
                                {40, Rgba{255, 0, 0, 0}},
                                {128, Rgba{0, 128, 255, 90}},
                                {255, Rgba{20, 200, 40, 255}}});
    return *GradientRamp::build(style, ColorTransform{});
}

TEST(SpanFiller, translucentColoursBlendExactlyAsQPainterDoes) {
    const QImage below = noise(64, 8);
    for (const QColor color :
         {QColor(255, 0, 0, 1), QColor(10, 200, 30, 128), QColor(90, 90, 255, 254), QColor(0, 0, 0, 255)}) {
        QImage image = below.copy();
        SpanFiller::fillColor(image, spans, qPremultiply(color.rgba()), false);
        EXPECT_EQ(image, painted(below, color, QPainter::CompositionMode_SourceOver))
            << color.name(QColor::HexArgb).toStdString();
    }
    // Replacing writes the colour, transparent or not, and nothing outside the spans.
    QImage image = below.copy();
    SpanFiller::fillColor(image, spans, 0, true);
    EXPECT_EQ(image, painted(below, QColor(Qt::transparent), QPainter::CompositionMode_Source));
}

TEST(SpanFiller, gradientSpansMatchTheShadedAreaLaidOverWithQPainter) {
    const QImage below = noise(64, 8);
    const GradientRamp ramp = halfTransparentRamp();
    const GradientShader shader(ramp, ramp.matrix() * QTransform::fromScale(0.05, 0.05));
    ASSERT_TRUE(shader.isValid());
    QImage shaded(64, 8, QImage::Format_ARGB32_Premultiplied);
    shader.shadeArea(shaded.rect(), reinterpret_cast<QRgb*>(shaded.bits()), 64);
    const QBrush texture(shaded);

    SpanFiller filler;
    QImage over = below.copy();
    filler.fillGradient(over, spans, shader, false, false);
    EXPECT_EQ(over, painted(below, texture, QPainter::CompositionMode_SourceOver));

    QImage replaced = below.copy();
    filler.fillGradient(replaced, spans, shader, true, false);
    EXPECT_EQ(replaced, painted(below, texture, QPainter::CompositionMode_Source));

    // An alpha layer keeps its white where the gradient is wholly transparent (its first
    // stop, at the left end of row 0), and takes the gradient elsewhere.
    QImage layer = below.copy();
    filler.fillGradient(layer, spans, shader, true, true);
    EXPECT_EQ(layer.pixel(0, 0), 0xFFFFFFFFu);
    EXPECT_EQ(layer.pixel(63, 0), shaded.pixel(63, 0));
    EXPECT_EQ(layer.pixel(1, 1), below.pixel(1, 1));
}

TEST(SpanFiller, spansReachingOutsideTheImageAreLeftOut) {
    const QImage below = noise(16, 4);
    QImage image = below.copy();
    SpanFiller::fillColor(image, {{-1, 0, 4}, {4, 0, 4}, {0, -2, 4}, {0, 14, 4}, {1, 20, 0}}, 0xFF000000u,
                          true);
    EXPECT_EQ(image, below);
}

} // namespace
} // namespace kf::swf::test
