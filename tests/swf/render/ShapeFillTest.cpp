#include "RenderScene.h"

#include <cmath>
#include <limits>

namespace kf::swf::test {
namespace {

// Edge sides: fill1 lies right of the direction of travel, fill0 left. On screen (y down) a
// clockwise outline has its inside on the right.

TEST(ShapeFill, clockwiseFill1AndCounterClockwiseFill0FillTheSameSquare) {
    for (bool useFill0 : {false, true}) {
        RenderScene scene;
        Records records;
        if (useFill0) {
            records.moveTo(20, 20).select(1, 0).line(0, 60).line(60, 0).line(0, -60).line(-60, 0);
        } else {
            records.moveTo(20, 20).select(0, 1).rectangle(60, 60);
        }
        scene.add(1, records.shape({solid(red)}));
        const QImage image = scene.render();
        SCOPED_TRACE(useFill0 ? "fill0" : "fill1");
        EXPECT_TRUE(pixelIs(image, 20, 20, red));
        EXPECT_TRUE(pixelIs(image, 79, 79, red));
        EXPECT_TRUE(pixelIs(image, 50, 50, red));
        EXPECT_TRUE(pixelIs(image, 19, 50, white));
        EXPECT_TRUE(pixelIs(image, 80, 50, white));
        EXPECT_TRUE(pixelIs(image, 50, 19, white));
    }
}

TEST(ShapeFill, twoStylesSharingAnEdgeMeetWithoutSeam) {
    // Left half red, right half blue: the outline changes style halfway along the top and
    // bottom, and the shared middle edge carries blue on its left and red on its right.
    RenderScene scene;
    Records records;
    records.moveTo(10, 10)
        .select(0, 1)
        .line(20, 0)
        .select(0, 2)
        .line(20, 0)
        .line(0, 20)
        .line(-20, 0)
        .select(0, 1)
        .line(-20, 0)
        .line(0, -20)
        .moveTo(30, 10)
        .select(2, 1)
        .line(0, 20);
    scene.add(1, records.shape({solid(red), solid(blue)}));
    for (RenderQuality quality : {RenderQuality::High, RenderQuality::Low}) {
        const QImage image = scene.render(quality);
        EXPECT_TRUE(pixelIs(image, 20, 20, red));
        EXPECT_TRUE(pixelIs(image, 29, 20, red));
        EXPECT_TRUE(pixelIs(image, 30, 20, blue));
        EXPECT_TRUE(pixelIs(image, 40, 20, blue));
        EXPECT_TRUE(pixelIs(image, 9, 20, white));
        EXPECT_TRUE(pixelIs(image, 50, 20, white));
        EXPECT_TRUE(pixelIs(image, 20, 31, white));
    }
}

TEST(ShapeFill, edgesOutOfOrderStillCloseOneRegion) {
    // The square's sides arrive scattered, each after its own move: joining them by end
    // points must give the square, not four slivers closed back to their starts.
    RenderScene scene;
    Records records;
    records.select(0, 1)
        .moveTo(80, 20)
        .line(0, 60)
        .moveTo(20, 80)
        .line(0, -60)
        .moveTo(20, 20)
        .line(60, 0)
        .moveTo(80, 80)
        .line(-60, 0);
    scene.add(1, records.shape({solid(red)}));
    const QImage image = scene.render();
    EXPECT_TRUE(pixelIs(image, 50, 50, red));
    EXPECT_TRUE(pixelIs(image, 21, 78, red));
    EXPECT_TRUE(pixelIs(image, 78, 21, red));
    EXPECT_TRUE(pixelIs(image, 10, 50, white));
}

TEST(ShapeFill, evenOddLeavesHoleWhereNonZeroFillsIt) {
    Records records;
    records.moveTo(10, 10).select(0, 1).rectangle(80, 80).moveTo(30, 30).rectangle(40, 40);
    for (bool nonZero : {false, true}) {
        RenderScene scene;
        DefineShapeTag shape = records.shape({solid(red)}, {}, 4);
        shape.usesFillWindingRule = nonZero;
        scene.add(1, shape);
        const QImage image = scene.render();
        EXPECT_TRUE(pixelIs(image, 20, 20, red));
        EXPECT_TRUE(pixelIs(image, 50, 50, nonZero ? red : white)) << (nonZero ? "non-zero" : "even-odd");
    }
}

TEST(ShapeFill, nonZeroKeepsAHoleWhoseEdgesCarryTheFillOnTheirLeft) {
    // As drawing tools write a ring: both outlines clockwise, the inner one with the fill
    // on its left (fill0). Reversing fill0 edges makes the hole wind the other way.
    Records records;
    records.moveTo(10, 10).select(0, 1).rectangle(80, 80).moveTo(30, 30).select(1, 0).rectangle(40, 40);
    RenderScene scene;
    DefineShapeTag shape = records.shape({solid(red)}, {}, 4);
    shape.usesFillWindingRule = true;
    scene.add(1, shape);
    const QImage image = scene.render();
    EXPECT_TRUE(pixelIs(image, 20, 20, red));
    EXPECT_TRUE(pixelIs(image, 50, 50, white));
}

TEST(ShapeFill, curvedEdgeBulgesThroughItsControlPoint) {
    // From (10,50) to (90,50) with the control point at (50,-30): the curve's top is y = 10.
    RenderScene scene;
    Records records;
    records.moveTo(10, 50).select(0, 1).curve(40, -80, 40, 80).line(-80, 0);
    scene.add(1, records.shape({solid(red)}));
    const QImage image = scene.render();
    EXPECT_TRUE(pixelIs(image, 50, 12, red));
    EXPECT_TRUE(pixelIs(image, 50, 8, white));
    EXPECT_TRUE(pixelIs(image, 20, 30, white));
    EXPECT_TRUE(pixelIs(image, 50, 49, red));
}

TEST(ShapeFill, newStyleArraysReplaceIndicesAndDrawAbove) {
    RenderScene scene;
    Records records;
    records.moveTo(10, 10)
        .select(0, 1)
        .rectangle(50, 50)
        .newStyles({solid(blue)}, {})
        .moveTo(40, 40)
        .select(0, 1)
        .rectangle(50, 50);
    scene.add(1, records.shape({solid(red)}));
    const QImage image = scene.render();
    EXPECT_TRUE(pixelIs(image, 20, 20, red));
    EXPECT_TRUE(pixelIs(image, 50, 50, blue)); // overlap: the later group is on top
    EXPECT_TRUE(pixelIs(image, 80, 80, blue));
}

TEST(ShapeFill, lowQualityPixelsAreWhollyInOrOut) {
    RenderScene scene;
    Records records;
    records.moveTo(10, 10).select(0, 1).curve(60, 10, 20, 70).line(-70, -7).line(-10, -73);
    scene.add(1, records.shape({solid(red)}));
    bool sawPartial = false;
    for (RenderQuality quality : {RenderQuality::Low, RenderQuality::High}) {
        const QImage image = scene.render(quality);
        int partial = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QColor color = image.pixelColor(x, y);
                partial += color != QColor(Qt::red) && color != QColor(Qt::white);
            }
        }
        if (quality == RenderQuality::Low) {
            EXPECT_EQ(partial, 0);
        } else {
            sawPartial = partial > 0;
        }
    }
    EXPECT_TRUE(sawPartial) << "high quality should antialias the slanted edges";
}

TEST(ShapeFill, colourTransformTintsAndFades) {
    RenderScene scene;
    Records records;
    records.moveTo(0, 0).select(0, 1).rectangle(50, 100).moveTo(50, 0).select(0, 2).rectangle(50, 100);
    ShapeObject& object = scene.add(1, records.shape({solid(red), solid(Rgba{0, 0, 0, 255})}));
    ColorTransform transform;
    transform.redMultiplier = 128;
    transform.blueAddition = 255;
    transform.alphaMultiplier = 128;
    object.setColorTransform(transform);
    const QImage image = scene.render();
    // Red 255*128/256 = 127, blue added, alpha 127 over the white background.
    const auto over = [](int channel) { return (channel * 127 + 255 * (255 - 127) + 127) / 255; };
    EXPECT_TRUE(pixelIs(image, 25, 50, Rgba{std::uint8_t(over(127)), std::uint8_t(over(0)), 255, 255}, 1));
    EXPECT_TRUE(pixelIs(image, 75, 50, Rgba{std::uint8_t(over(0)), std::uint8_t(over(0)), 255, 255}, 1));
}

TEST(ShapeFill, badInputDrawsNothingAndDoesNotCrash) {
    RenderScene scene;
    Records outOfRange;
    outOfRange.moveTo(10, 10).select(7, 3, 9).rectangle(80, 80);
    scene.add(1, outOfRange.shape({solid(red)}, {stroke(40, black)}));

    Records square;
    square.moveTo(10, 10).select(0, 1).rectangle(80, 80);
    scene.add(2, square.shape({solid(red)}), Matrix::scale(0.0, 1.0));
    const double nan = std::numeric_limits<double>::quiet_NaN();
    scene.add(3, square.shape({solid(red)}), Matrix{nan, 0, 0, 1, 0, 0});
    scene.add(4, square.shape({solid(red)}), Matrix{1e300, 0, 0, 1e300, 1e300, 0});
    scene.add(7, square.shape({solid(red)}), Matrix{1e150, 0, 0, 1e-150, 0, 0});

    Records huge;
    huge.moveTo(0, 0).select(0, 1);
    for (int step = 0; step < 8; ++step) {
        huge.line(100000000, 100000000);
    }
    scene.add(5, huge.shape({solid(red)}));
    scene.add(6, Records().shape({}));

    const QImage image = scene.render();
    ASSERT_FALSE(image.isNull());
    EXPECT_TRUE(pixelIs(image, 50, 50, white));
}

TEST(ShapeFill, pathsAreBuiltOnceAndReusedWhenObjectsMove) {
    RenderScene scene;
    Records records;
    records.moveTo(0, 0).select(0, 1).rectangle(10, 10);
    ShapeObject& object = scene.add(1, records.shape({solid(red)}));
    scene.render();
    const void* cache = object.shapeCharacter()->renderCache.get();
    ASSERT_NE(cache, nullptr);

    object.setMatrix(Matrix::translation(Twips::fromPixels(50).value, Twips::fromPixels(50).value));
    const QImage moved = scene.render();
    EXPECT_EQ(object.shapeCharacter()->renderCache.get(), cache);
    EXPECT_TRUE(pixelIs(moved, 55, 55, red));
    EXPECT_TRUE(pixelIs(moved, 5, 5, white));
}

TEST(ShapeFill, subPixelPositionsAreKeptNotRounded) {
    // A 1 px wide bar moved by half a pixel covers two columns half each.
    RenderScene scene;
    Records records;
    records.moveTo(0, 0).select(0, 1).rectangle(1, 100);
    scene.add(1, records.shape({solid(black)}), Matrix::translation(20 * 40 + 10, 0));
    const QImage image = scene.render();
    EXPECT_TRUE(pixelIs(image, 40, 50, Rgba{128, 128, 128, 255}, 2));
    EXPECT_TRUE(pixelIs(image, 41, 50, Rgba{128, 128, 128, 255}, 2));
}

} // namespace
} // namespace kf::swf::test
