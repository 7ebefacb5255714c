#include "RenderScene.h"

#include "swf/render/AliasedScanConverter.h"

#include <QPainter>
#include <cmath>
#include <limits>
#include <optional>
#include <random>

namespace kf::swf::test {
namespace {

QImage litPixels(const QList<QPolygonF>& polygons, Qt::FillRule rule = Qt::WindingFill) {
    QImage image(40, 40, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.fillPath(AliasedScanConverter::coveredPixels(polygons, rule, image.rect()), Qt::black);
    return image;
}

int litCount(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            count += image.pixel(x, y) == qRgb(0, 0, 0) ? 1 : 0;
        }
    }
    return count;
}

QPolygonF square(double left, double top, double size) {
    return QPolygonF(QRectF(left, top, size, size));
}

TEST(AliasedScanConverter, centresOnTopAndLeftEdgesAreInsideOnBottomAndRightOutside) {
    // Every edge runs exactly through a row or column of pixel centres.
    const QImage image = litPixels({square(10.5, 10.5, 10)});
    EXPECT_TRUE(pixelIs(image, 10, 10, black));
    EXPECT_TRUE(pixelIs(image, 19, 19, black));
    EXPECT_TRUE(pixelIs(image, 20, 15, white));
    EXPECT_TRUE(pixelIs(image, 15, 20, white));
    EXPECT_TRUE(pixelIs(image, 9, 15, white));
    EXPECT_TRUE(pixelIs(image, 15, 9, white));
    EXPECT_EQ(litCount(image), 100);
}

TEST(AliasedScanConverter, slantedEdgeThroughACentreLightsThePixelRightOfIt) {
    // The left edge runs from (10.5, 10.5) to (20.5, 30.5) through the centres of pixels
    // (11, 12), (12, 14), ...
    const QImage image = litPixels({QPolygonF({{10.5, 10.5}, {30.0, 10.5}, {30.0, 30.5}, {20.5, 30.5}})});
    EXPECT_TRUE(pixelIs(image, 11, 12, black));
    EXPECT_TRUE(pixelIs(image, 10, 12, white));
    EXPECT_TRUE(pixelIs(image, 12, 14, black));
    EXPECT_TRUE(pixelIs(image, 11, 14, white));
}

TEST(AliasedScanConverter, pointsCountToTheNearest256thOfAPixel) {
    // An edge 1/1024 pixel right of a column of centres lies on it once rounded; one 1/256
    // pixel right of it does not.
    const QImage rounded = litPixels({square(10.5 + 1.0 / 1024, 10.5 + 1.0 / 1024, 10)});
    EXPECT_TRUE(pixelIs(rounded, 10, 10, black));
    EXPECT_TRUE(pixelIs(rounded, 20, 20, white));
    const QImage kept = litPixels({square(10.5 + 1.0 / 256, 10.5 + 1.0 / 256, 10)});
    EXPECT_TRUE(pixelIs(kept, 10, 15, white));
    EXPECT_TRUE(pixelIs(kept, 20, 20, black));
}

TEST(AliasedScanConverter, tiesOnLeftAndRightEdgesOfASlantedBandGoRight) {
    // Both long edges run through a pixel centre every third row (11.5 and 31.5 on row 13,
    // ...): the centre on the left edge is inside, the one on the right edge outside.
    const QImage image = litPixels({QPolygonF({{10.5, 10.5}, {30.5, 10.5}, {40.5, 40.5}, {20.5, 40.5}})});
    for (int step = 1; step < 10; ++step) {
        const int row = 10 + 3 * step;
        SCOPED_TRACE(row);
        EXPECT_TRUE(pixelIs(image, 10 + step, row, black));
        EXPECT_TRUE(pixelIs(image, 9 + step, row, white));
        EXPECT_TRUE(pixelIs(image, 29 + step, row, black));
        EXPECT_TRUE(pixelIs(image, 30 + step, row, white));
    }
}

TEST(AliasedScanConverter, overlapsFollowTheFillRule) {
    const QList<QPolygonF> overlapping{square(5, 5, 20), square(15, 15, 20)};
    const QImage winding = litPixels(overlapping, Qt::WindingFill);
    const QImage oddEven = litPixels(overlapping, Qt::OddEvenFill);
    EXPECT_TRUE(pixelIs(winding, 20, 20, black));
    EXPECT_TRUE(pixelIs(oddEven, 20, 20, white));
    EXPECT_TRUE(pixelIs(oddEven, 10, 10, black));
    EXPECT_TRUE(pixelIs(oddEven, 30, 30, black));
    EXPECT_EQ(litCount(winding), 400 + 400 - 100);
    EXPECT_EQ(litCount(oddEven), 400 + 400 - 200);
}

// Whether the centre of pixel (x, y) is inside `polygon` by the non-zero rule, counted the
// slow way. Centres near an edge are left to the tie tests above.
std::optional<bool> centreInside(const QPolygonF& polygon, int x, int y) {
    const double centreX = x + 0.5;
    const double centreY = y + 0.5;
    int winding = 0;
    for (qsizetype index = 0; index < polygon.size(); ++index) {
        const QPointF from = polygon[index];
        const QPointF to = polygon[(index + 1) % polygon.size()];
        if ((from.y() <= centreY) == (to.y() <= centreY)) {
            continue;
        }
        const double crossing = from.x() + (centreY - from.y()) * (to.x() - from.x()) / (to.y() - from.y());
        if (std::abs(crossing - centreX) < 0.01) {
            return std::nullopt;
        }
        if (crossing < centreX) {
            winding += to.y() > from.y() ? 1 : -1;
        }
    }
    return winding != 0;
}

TEST(AliasedScanConverter, litPixelsAreThoseWhoseCentresLieInsideAnyPolygon) {
    // Long shallow and steep edges in both directions, tracked row by row, must land where
    // the edge equation puts them on every row, not drift.
    std::mt19937 random(42);
    std::uniform_real_distribution<double> coordinate(-5.0, 45.0);
    AliasedScanConverter converter;
    for (int trial = 0; trial < 40; ++trial) {
        QPolygonF polygon;
        for (int corner = 0; corner < 3 + trial % 6; ++corner) {
            polygon << QPointF(coordinate(random), coordinate(random));
        }
        QImage image(40, 40, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        for (const PixelSpan& span : converter.convert({polygon}, Qt::WindingFill, image.rect())) {
            for (int x = span.x; x < span.x + span.length; ++x) {
                image.setPixel(x, span.y, qRgb(0, 0, 0));
            }
        }
        for (int y = 0; y < 40; ++y) {
            for (int x = 0; x < 40; ++x) {
                const std::optional<bool> inside = centreInside(polygon, x, y);
                if (inside) {
                    ASSERT_EQ(image.pixel(x, y) == qRgb(0, 0, 0), *inside) << trial << ": " << x << ", " << y;
                }
            }
        }
    }
}

TEST(AliasedScanConverter, farAndBrokenPointsStayWithinTheBounds) {
    const double infinite = std::numeric_limits<double>::infinity();
    const QImage image =
        litPixels({square(-1e300, -1e300, 2e300), QPolygonF({{0, 0}, {infinite, 5}, {std::nan(""), 10}})});
    EXPECT_EQ(litCount(image), 40 * 40);
    EXPECT_TRUE(
        AliasedScanConverter::coveredPixels({square(100, 100, 10)}, Qt::WindingFill, QRect(0, 0, 40, 40))
            .isEmpty());
}

// A filled shape whose top-left edge is one quadratic bend from (10, 90) through (10, 10) to
// (90, 10), drawn at low quality. The bend is cut into segments whose corners lie on it, so
// pixels whose centres fall between the curve and a segment stay empty, and which ones
// those are follows from where the corners are.
QImage bendAtLowQuality() {
    RenderScene scene;
    Records records;
    records.moveTo(10, 90).select(0, 1).curve(0, -80, 80, 0).line(0, 80).line(-80, 0);
    scene.add(1, records.shape({solid(black)}));
    return scene.render(RenderQuality::Low);
}

TEST(AliasedCurveFill, pixelsBetweenTheCurveAndItsSegmentsStayEmpty) {
    const QImage image = bendAtLowQuality();
    // Inside the exact curve, outside the segments cut from it.
    EXPECT_TRUE(pixelIs(image, 46, 18, white));
    EXPECT_TRUE(pixelIs(image, 44, 19, white));
    EXPECT_TRUE(pixelIs(image, 19, 44, white));
    EXPECT_TRUE(pixelIs(image, 18, 46, white));
    // Just inside the segments where other cuts would leave them out.
    EXPECT_TRUE(pixelIs(image, 78, 10, black));
    EXPECT_TRUE(pixelIs(image, 64, 12, black));
    EXPECT_TRUE(pixelIs(image, 36, 24, black));
    EXPECT_TRUE(pixelIs(image, 24, 36, black));
    EXPECT_TRUE(pixelIs(image, 12, 64, black));
    EXPECT_TRUE(pixelIs(image, 10, 78, black));
}

TEST(AliasedCurveFill, theBendIsLitSymmetricallyAndStraightEdgesStayPut) {
    const QImage image = bendAtLowQuality();
    for (int y = 0; y < 100; ++y) {
        for (int x = 0; x < 100; ++x) {
            ASSERT_EQ(image.pixel(x, y), image.pixel(y, x)) << x << ", " << y;
        }
    }
    EXPECT_TRUE(pixelIs(image, 89, 89, black));
    EXPECT_TRUE(pixelIs(image, 90, 50, white));
    EXPECT_TRUE(pixelIs(image, 50, 90, white));
}

} // namespace
} // namespace kf::swf::test
