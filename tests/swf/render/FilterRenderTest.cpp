#include "RenderScene.h"
#include "swf/render/BoxBlur.h"

#include <numbers>

namespace kf::swf::test {
namespace {

DropShadowFilter shadow(double angle, double distance, Rgba color = blue) {
    DropShadowFilter filter;
    filter.color = color;
    filter.angle = Fixed16::fromDouble(angle);
    filter.distance = Fixed16::fromDouble(distance);
    filter.strength = Fixed8::fromDouble(1.0);
    return filter;
}

QImage withFilters(std::vector<Filter> filters, const Matrix& matrix = {}, Rgba color = black) {
    RenderScene scene;
    scene.add(1, filledRectangle(20, 20, 20, 20, color), matrix).setFilters(std::move(filters));
    return scene.render(RenderQuality::Low);
}

TEST(DropShadow, fallsAtItsAngleAndDistanceBehindTheObject) {
    const QImage right = withFilters({shadow(0, 10)});
    EXPECT_TRUE(pixelIs(right, 30, 30, black)); // the object stays on top
    EXPECT_TRUE(pixelIs(right, 45, 30, blue));
    EXPECT_TRUE(pixelIs(right, 49, 30, blue));
    EXPECT_TRUE(pixelIs(right, 50, 30, white));
    EXPECT_TRUE(pixelIs(right, 30, 45, white));

    const QImage down = withFilters({shadow(std::numbers::pi / 2, 10)});
    EXPECT_TRUE(pixelIs(down, 30, 45, blue));
    EXPECT_TRUE(pixelIs(down, 45, 30, white));
}

TEST(DropShadow, distanceGrowsWithTheObjectsScale) {
    // Twice the size: the square covers 40..80 and the shadow falls 20 pixels to the right.
    const QImage image = withFilters({shadow(0, 10)}, Matrix::scale(2, 2));
    EXPECT_TRUE(pixelIs(image, 85, 60, blue));
    EXPECT_TRUE(pixelIs(image, 99, 60, blue));
    EXPECT_TRUE(pixelIs(image, 60, 60, black));
}

TEST(DropShadow, knockoutInnerAndHiddenObject) {
    DropShadowFilter knockout = shadow(0, 10);
    knockout.knockout = true;
    const QImage cut = withFilters({knockout});
    EXPECT_TRUE(pixelIs(cut, 30, 30, white)); // the object is cut out of its own shadow
    EXPECT_TRUE(pixelIs(cut, 45, 30, blue));

    DropShadowFilter hidden = shadow(0, 10);
    hidden.compositeSource = false;
    const QImage shadowOnly = withFilters({hidden});
    EXPECT_TRUE(pixelIs(shadowOnly, 35, 30, blue)); // under where the object was
    EXPECT_TRUE(pixelIs(shadowOnly, 25, 30, white));

    DropShadowFilter inner = shadow(0, 5);
    inner.innerShadow = true;
    const QImage inside = withFilters({inner});
    EXPECT_TRUE(pixelIs(inside, 22, 30, blue)); // the edge facing away from the light
    EXPECT_TRUE(pixelIs(inside, 30, 30, black));
    EXPECT_TRUE(pixelIs(inside, 45, 30, white)); // nothing outside
}

TEST(BlurFilter, spreadsAOnePixelLineOverTheBoxWidth) {
    RenderScene scene;
    BlurFilter blur;
    blur.blurX = Fixed16::fromDouble(5);
    blur.blurY = Fixed16::fromDouble(0);
    scene.add(1, filledRectangle(50, 10, 1, 80, black)).setFilters({blur});
    const QImage image = scene.render(RenderQuality::Low);
    // A fifth of black over white in each of the five pixels around the line.
    for (int x = 48; x <= 52; ++x) {
        EXPECT_TRUE(pixelIs(image, x, 50, {204, 204, 204, 255}, 1)) << "x = " << x;
    }
    EXPECT_TRUE(pixelIs(image, 47, 50, white));
    EXPECT_TRUE(pixelIs(image, 53, 50, white));
    EXPECT_TRUE(pixelIs(image, 50, 5, white)); // no vertical blur
}

TEST(GlowFilter, surroundsTheObjectEvenlyAndInnerGlowStaysInside) {
    GlowFilter glow;
    glow.color = red;
    glow.blurX = Fixed16::fromDouble(9);
    glow.blurY = Fixed16::fromDouble(9);
    glow.strength = Fixed8::fromDouble(2);
    const QImage outer = withFilters({glow});
    EXPECT_TRUE(pixelIs(outer, 30, 30, black));
    const QColor left = outer.pixelColor(18, 30);
    const QColor right = outer.pixelColor(41, 30);
    EXPECT_EQ(left, right);
    EXPECT_GT(left.red(), 200);
    EXPECT_LT(left.green(), 255);
    EXPECT_TRUE(pixelIs(outer, 5, 30, white));

    glow.innerGlow = true;
    const QImage inner = withFilters({glow});
    EXPECT_TRUE(pixelIs(inner, 18, 30, white));
    EXPECT_GT(inner.pixelColor(20, 30).red(), 100);
    EXPECT_TRUE(pixelIs(inner, 30, 30, black));
}

TEST(BevelFilter, lightsTheEdgeTowardsTheLightAndShadesTheOther) {
    BevelFilter bevel;
    bevel.highlightColor = white;
    bevel.shadowColor = black;
    bevel.blurX = Fixed16::fromDouble(2);
    bevel.blurY = Fixed16::fromDouble(2);
    bevel.angle = Fixed16::fromDouble(std::numbers::pi / 4);
    bevel.distance = Fixed16::fromDouble(2);
    bevel.strength = Fixed8::fromDouble(1);
    bevel.innerShadow = true;
    const QImage image = withFilters({bevel}, {}, Rgba{128, 128, 128, 255});
    EXPECT_GT(image.pixelColor(21, 21).red(), 200); // top left, facing the light
    EXPECT_LT(image.pixelColor(39, 39).red(), 60);  // bottom right
    EXPECT_TRUE(pixelIs(image, 30, 30, {128, 128, 128, 255}));
    EXPECT_TRUE(pixelIs(image, 17, 17, white)); // an inner bevel stays inside
    EXPECT_TRUE(pixelIs(image, 43, 43, white));
}

TEST(GradientGlowFilter, colourFollowsTheGlowsStrength) {
    GradientGlowFilter glow;
    glow.stops = {{Rgba{0, 0, 255, 0}, 0}, {Rgba{0, 255, 0, 255}, 255}};
    glow.blurX = Fixed16::fromDouble(0);
    glow.blurY = Fixed16::fromDouble(0);
    glow.distance = Fixed16::fromDouble(10);
    glow.strength = Fixed8::fromDouble(1);
    const QImage image = withFilters({glow}, {}, red);
    EXPECT_TRUE(pixelIs(image, 45, 30, green)); // full strength: the last stop
    EXPECT_TRUE(pixelIs(image, 30, 30, red));
}

TEST(ColorMatrixFilter, mixesChannelsAndAddsOffsets) {
    ColorMatrixFilter swap;
    const float matrix[20] = {0, 0, 1, 0, 0, 0, 1, 0, 0, 10, 1, 0, 0, 0, 0, 0, 0, 0, 1, 0};
    std::copy(std::begin(matrix), std::end(matrix), swap.matrix);
    const QImage image = withFilters({swap}, {}, Rgba{200, 100, 50, 255});
    EXPECT_TRUE(pixelIs(image, 30, 30, {50, 110, 200, 255}));
    EXPECT_TRUE(pixelIs(image, 10, 10, white)); // transparent pixels stay transparent
}

TEST(ConvolutionFilter, kernelMovesAndScalesThePicture) {
    ConvolutionFilter shift;
    shift.matrixX = 3;
    shift.matrixY = 1;
    shift.matrix = {1, 0, 0}; // each pixel takes its left neighbour's value
    shift.divisor = 1;
    shift.clamp = true;
    const QImage image = withFilters({shift}, {}, red);
    EXPECT_TRUE(pixelIs(image, 20, 30, white));
    EXPECT_TRUE(pixelIs(image, 21, 30, red));
    EXPECT_TRUE(pixelIs(image, 40, 30, red));
    EXPECT_TRUE(pixelIs(image, 41, 30, white));

    ConvolutionFilter hostile;
    hostile.matrixX = 200;
    hostile.matrixY = 200;
    hostile.matrix = {1};
    EXPECT_TRUE(pixelIs(withFilters({hostile}, {}, red), 30, 30, red)); // refused, drawn plainly
}

TEST(CacheAsBitmap, drawsAtWholePixels) {
    // 10.4 pixels to the right: at high quality the left edge would be antialiased.
    for (bool cached : {false, true}) {
        RenderScene scene;
        ShapeObject& square =
            scene.add(1, filledRectangle(20, 20, 20, 20, black), Matrix::translation(208, 0));
        square.setCacheAsBitmap(cached);
        const QImage image = scene.render(RenderQuality::High);
        if (cached) {
            EXPECT_TRUE(pixelIs(image, 30, 30, black));
            EXPECT_TRUE(pixelIs(image, 49, 30, black));
            EXPECT_TRUE(pixelIs(image, 50, 30, white));
        } else {
            EXPECT_FALSE(pixelIs(image, 30, 30, black));
            EXPECT_FALSE(pixelIs(image, 30, 30, white));
        }
    }
}

TEST(BoxBlur, evenBoxesPassesAndEdges) {
    Plane line(9, 1);
    line.at(4, 0) = 240;
    Plane even = line;
    BoxBlur::blur(even, 4, 0, 1);
    // Four pixels of a quarter each, reaching one further back than forward.
    EXPECT_EQ(even.at(2, 0), 0);
    EXPECT_EQ(even.at(3, 0), 60);
    EXPECT_EQ(even.at(6, 0), 60);
    EXPECT_EQ(even.at(7, 0), 0);

    Plane twice = line;
    BoxBlur::blur(twice, 3, 0, 2);
    EXPECT_EQ(twice.at(4, 0), 80); // (80 + 80 + 80) / 3
    EXPECT_EQ(twice.at(2, 0), 26);
    EXPECT_EQ(twice.at(1, 0), 0);

    // Beyond the edge counts as `outside`: an inverted alpha is full there.
    Plane edge(3, 1, 0);
    BoxBlur::blur(edge, 3, 0, 1, 255);
    EXPECT_EQ(edge.at(0, 0), 85);
    EXPECT_EQ(edge.at(1, 0), 0);

    EXPECT_EQ(BoxBlur::reach(1, 3), 0);
    EXPECT_EQ(BoxBlur::reach(5, 3), 9);
    EXPECT_EQ(BoxBlur::boxWidth(1e9), 255);
}

} // namespace
} // namespace kf::swf::test
