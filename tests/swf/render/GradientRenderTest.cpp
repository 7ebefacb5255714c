#include "RenderScene.h"

#include <cmath>

namespace kf::swf::test {
namespace {

// A full-stage square filled with `fill`.
RenderScene filledStage(const FillStyle& fill) {
    RenderScene scene;
    Records records;
    records.moveTo(0, 0).select(0, 1).rectangle(100, 100);
    scene.add(1, records.shape({fill}));
    return scene;
}

// Red to blue in sRGB at `t` (0..1).
Rgba redToBlue(double t) {
    return Rgba{static_cast<std::uint8_t>(std::lround(255 * (1 - t))), 0,
                static_cast<std::uint8_t>(std::lround(255 * t)), 255};
}

const std::vector<GradientRecord> redBlue = {{0, red}, {255, blue}};

TEST(GradientFill, linearRunsFromFirstToLastStopAndPadsBeyond) {
    RenderScene scene = filledStage(gradient(FillType::LinearGradient, 20, 0, 80, 100, redBlue));
    for (RenderQuality quality : {RenderQuality::High, RenderQuality::Low}) {
        const QImage image = scene.render(quality);
        EXPECT_TRUE(pixelIs(image, 5, 50, red));
        EXPECT_TRUE(pixelIs(image, 20, 50, red, 6));
        EXPECT_TRUE(pixelIs(image, 50, 10, redToBlue(0.5 + 0.5 / 60), 3));
        EXPECT_TRUE(pixelIs(image, 79, 90, blue, 6));
        EXPECT_TRUE(pixelIs(image, 95, 50, blue));
    }
}

TEST(GradientFill, linearFollowsTheFillMatrixRotation) {
    // The gradient square turned a quarter: red at the top, blue at the bottom.
    FillStyle fill = gradient(FillType::LinearGradient, 0, 0, 100, 100, redBlue);
    const double scale = fill.matrix.a;
    fill.matrix.a = 0;
    fill.matrix.d = 0;
    fill.matrix.b = scale;
    fill.matrix.c = -scale;
    const QImage image = filledStage(fill).render();
    EXPECT_TRUE(pixelIs(image, 50, 0, red, 6));
    EXPECT_TRUE(pixelIs(image, 50, 99, blue, 6));
    EXPECT_TRUE(pixelIs(image, 0, 50, redToBlue(0.505), 4));
    EXPECT_TRUE(pixelIs(image, 99, 50, redToBlue(0.505), 4));
}

TEST(GradientFill, spreadModesPadReflectAndRepeat) {
    // The gradient spans x = 20..40; pixel 45 (centre 45.5) sits at t = 1.275.
    struct Case {
        SpreadMode spread;
        double t;
    };
    for (const Case& sample :
         {Case{SpreadMode::Pad, 1.0}, Case{SpreadMode::Reflect, 0.725}, Case{SpreadMode::Repeat, 0.275}}) {
        const QImage image =
            filledStage(gradient(FillType::LinearGradient, 20, 0, 40, 100, redBlue, sample.spread)).render();
        EXPECT_TRUE(pixelIs(image, 45, 50, redToBlue(sample.t), 4)) << "spread " << int(sample.spread);
    }
}

TEST(GradientFill, gradientFarSmallerThanItsShapePadsBothSides) {
    // A gradient square a millionth of a pixel wide at x = 50: positions along a row run into
    // the millions, beyond the fixed-point stepping.
    FillStyle fill = gradient(FillType::LinearGradient, 50, 0, 50.000001, 100, redBlue);
    const QImage image = filledStage(fill).render(RenderQuality::Low);
    EXPECT_TRUE(pixelIs(image, 10, 50, red));
    EXPECT_TRUE(pixelIs(image, 49, 50, red));
    EXPECT_TRUE(pixelIs(image, 50, 50, blue));
    EXPECT_TRUE(pixelIs(image, 90, 50, blue));
}

TEST(GradientFill, radialStartsAtTheCentreAndPadsOutside) {
    const QImage image = filledStage(gradient(FillType::RadialGradient, 10, 10, 90, 90, redBlue)).render();
    EXPECT_TRUE(pixelIs(image, 50, 50, red, 6));
    EXPECT_TRUE(pixelIs(image, 70, 50, redToBlue(20.5 / 40), 4));
    EXPECT_TRUE(pixelIs(image, 50, 29, redToBlue(20.5 / 40), 4));
    EXPECT_TRUE(pixelIs(image, 2, 2, blue));
}

TEST(GradientFill, focalGradientStartsAtTheFocalPoint) {
    FillStyle fill = gradient(FillType::FocalRadialGradient, 10, 10, 90, 90, redBlue);
    fill.gradient.focalPoint = Fixed8::fromDouble(0.75); // 30 px right of the centre
    const QImage image = filledStage(fill).render();
    EXPECT_TRUE(pixelIs(image, 79, 50, red, 4)); // the rim is 70 px away on this side
    // Halfway from the focus to the rim on the left: 35 px of 70.
    EXPECT_TRUE(pixelIs(image, 45, 50, redToBlue(0.5), 6));
    EXPECT_TRUE(pixelIs(image, 2, 2, blue));
}

TEST(GradientFill, focalGradientsReachTheirLastEntrySoonerThanRadialOnes) {
    // Centred 900 px left of the stage with a 1000 px radius: pixel 98 lies at 0.9985 of the
    // radius, in the last entry at a focal gradient's scale but not at a plain radial's.
    const std::vector<GradientRecord> redUntilTheEnd = {{0, red}, {254, red}, {255, blue}};
    FillStyle focal = gradient(FillType::FocalRadialGradient, -1900, -950, 100, 1050, redUntilTheEnd);
    focal.gradient.focalPoint = Fixed8{0};
    FillStyle radial = focal;
    radial.type = FillType::RadialGradient;
    for (RenderQuality quality : {RenderQuality::High, RenderQuality::Low}) {
        const QImage focalImage = filledStage(focal).render(quality);
        EXPECT_TRUE(pixelIs(focalImage, 96, 50, red));
        EXPECT_TRUE(pixelIs(focalImage, 98, 50, blue));
        EXPECT_TRUE(pixelIs(filledStage(radial).render(quality), 98, 50, red));
    }
}

TEST(GradientFill, linearRgbInterpolationIsBrighterInTheMiddle) {
    FillStyle fill = gradient(FillType::LinearGradient, 0, 0, 100, 100, redBlue);
    const QImage normal = filledStage(fill).render();
    fill.gradient.interpolation = InterpolationMode::Linear;
    const QImage linear = filledStage(fill).render();
    // Half of each channel's light: 0.5 in linear light is 188 in sRGB.
    EXPECT_TRUE(pixelIs(normal, 50, 50, Rgba{127, 0, 128, 255}, 3));
    EXPECT_TRUE(pixelIs(linear, 50, 50, Rgba{186, 0, 188, 255}, 5));
    // One ratio unit into the ramp, sRGB already shows 13 of the far colour: dark values rise
    // steeply in linear light, which interpolating between a few sRGB stops would flatten.
    EXPECT_TRUE(pixelIs(linear, 0, 50, Rgba{255, 0, 13, 255}, 1));
    EXPECT_TRUE(pixelIs(linear, 99, 50, Rgba{13, 0, 255, 255}, 1));
}

TEST(GradientFill, linearRgbHoldsLinearLightInEightBits) {
    // Greens of 18 and 20 are both 1 of 255 in linear light once truncated, which comes back
    // as 13: darker than either stop all the way along.
    FillStyle fill = gradient(FillType::LinearGradient, 0, 0, 100, 100,
                              {{0, Rgba{255, 18, 25, 255}}, {255, Rgba{14, 20, 255, 255}}});
    fill.gradient.interpolation = InterpolationMode::Linear;
    const QImage image = filledStage(fill).render();
    for (int x : {10, 50, 90}) {
        EXPECT_EQ(qGreen(image.pixel(x, 50)), 13) << x;
    }
}

TEST(GradientFill, repeatedRatiosAdvanceOneUnitEachAndOverflowIsDropped) {
    // Over 510 px each ratio unit is two pixel columns. Three stops at 100 land at 100, 101
    // and 102; the last two records are pushed past 255 and dropped. Like Flash Player, each
    // pixel takes one ramp entry, so the bands are crisp.
    RenderScene scene;
    scene.view().outputWidth = 510;
    scene.view().frameSize = Rect{Twips{0}, Twips{510 * 20}, Twips{0}, Twips{2000}};
    Records records;
    records.moveTo(0, 0).select(0, 1).rectangle(510, 100);
    scene.add(1, records.shape({gradient(
                     FillType::LinearGradient, 0, 0, 510, 100,
                     {{100, red}, {100, green}, {100, blue}, {255, black}, {255, white}, {255, green}})}));
    const QImage image = scene.render();
    EXPECT_TRUE(pixelIs(image, 150, 50, red));
    EXPECT_TRUE(pixelIs(image, 200, 50, red));   // ratio 100.25
    EXPECT_TRUE(pixelIs(image, 202, 50, green)); // ratio 101.25
    EXPECT_TRUE(pixelIs(image, 204, 50, blue));  // ratio 102.25
    EXPECT_TRUE(pixelIs(image, 509, 50, black)); // ratio 254.75: black, not the dropped stops
}

TEST(GradientFill, linearPixelTakesTheEntryOfThe256thItsCentreLiesIn) {
    // Over 100 px, pixel 78's centre lies at 200.96 / 256 of the gradient: entry 200, still
    // red, although its nearest ratio (200.7 of 255) is green's.
    const QImage image =
        filledStage(gradient(FillType::LinearGradient, 0, 0, 100, 100, {{0, red}, {200, red}, {201, green}}))
            .render();
    EXPECT_TRUE(pixelIs(image, 78, 50, red));
    EXPECT_TRUE(pixelIs(image, 79, 50, green));
}

TEST(GradientFill, radialRingEntriesAreCutAtFlashsRadialScale) {
    // A ring boundary between entries 127 (red) and 128 (green), 100 px of radius. Pixel 0's
    // centre lies 50.07 px from the centre: 127.68 ratio units out, so rounding would pick
    // green; Flash's radial scale (255.25 entries over the radius, truncated) keeps it red.
    const double centreX = 0.5 - 50.07;
    const QImage image = filledStage(gradient(FillType::RadialGradient, centreX - 100, 0.5 - 100,
                                              centreX + 100, 0.5 + 100, {{0, red}, {127, red}, {128, green}}))
                             .render(RenderQuality::Low);
    EXPECT_TRUE(pixelIs(image, 0, 0, red));
    EXPECT_TRUE(pixelIs(image, 1, 0, green));
}

TEST(GradientFill, gradientWithoutStopsIsBlack) {
    FillStyle empty = gradient(FillType::LinearGradient, 0, 0, 100, 100, {});
    EXPECT_TRUE(pixelIs(filledStage(empty).render(), 50, 50, black));
}

TEST(GradientFill, equalRatiosMakeAHardEdgeInFileOrder) {
    const QImage image = filledStage(gradient(FillType::LinearGradient, 0, 0, 100, 100,
                                              {{0, red}, {128, red}, {128, green}, {255, green}}))
                             .render();
    EXPECT_TRUE(pixelIs(image, 48, 50, red, 1));
    EXPECT_TRUE(pixelIs(image, 52, 50, green, 1));
}

TEST(GradientFill, fifteenStopsAndSingleStopGradients) {
    std::vector<GradientRecord> stops;
    for (int index = 0; index < 15; ++index) {
        stops.push_back({static_cast<std::uint8_t>(index * 255 / 14), index % 2 ? black : white});
    }
    const QImage many = filledStage(gradient(FillType::LinearGradient, 0, 0, 100, 100, stops)).render();
    EXPECT_TRUE(pixelIs(many, 0, 50, white, 20));
    EXPECT_TRUE(pixelIs(many, 7, 50, black, 20)); // the second stop at 100/14 ≈ 7.1
    EXPECT_TRUE(pixelIs(many, 99, 50, white, 20));

    const QImage single =
        filledStage(gradient(FillType::RadialGradient, 0, 0, 100, 100, {{40, green}})).render();
    EXPECT_TRUE(pixelIs(single, 50, 50, green));
    EXPECT_TRUE(pixelIs(single, 1, 1, green));
}

TEST(GradientFill, colourTransformAppliesToEveryStop) {
    RenderScene scene = filledStage(gradient(FillType::LinearGradient, 20, 0, 80, 100, redBlue));
    ColorTransform transform;
    transform.redMultiplier = 0;
    transform.greenAddition = 255;
    scene.root().at(DisplayDepth{1})->setColorTransform(transform);
    const QImage image = scene.render();
    EXPECT_TRUE(pixelIs(image, 5, 50, green));
    EXPECT_TRUE(pixelIs(image, 95, 50, Rgba{0, 255, 255, 255}));
}

TEST(GradientFill, translucentStopsBlendOverTheBackground) {
    const QImage image = filledStage(gradient(FillType::LinearGradient, 20, 0, 80, 100,
                                              {{0, Rgba{0, 0, 0, 0}}, {255, Rgba{0, 0, 0, 255}}}))
                             .render();
    EXPECT_TRUE(pixelIs(image, 5, 50, white));
    EXPECT_TRUE(pixelIs(image, 95, 50, black));
}

TEST(GradientFill, bitmapFillsAndCollapsedMatricesDoNotCrash) {
    FillStyle bitmap;
    bitmap.type = FillType::ClippedBitmap;
    bitmap.bitmapId = CharacterId{77};
    EXPECT_TRUE(pixelIs(filledStage(bitmap).render(), 50, 50, white));

    FillStyle collapsed = gradient(FillType::RadialGradient, 0, 0, 100, 100, redBlue);
    collapsed.matrix.a = 0;
    collapsed.matrix.b = 0;
    EXPECT_FALSE(filledStage(collapsed).render().isNull());
}

} // namespace
} // namespace kf::swf::test
