#include "RenderScene.h"

namespace kf::swf::test {
namespace {

LineStyle styled(int widthTwips, CapStyle cap, JoinStyle join = JoinStyle::Round) {
    LineStyle line = stroke(widthTwips, black);
    line.startCap = cap;
    line.endCap = cap;
    line.join = join;
    return line;
}

// A horizontal 10 px line along y = 50 from x = 20 to x = 80.
QImage horizontalLine(const LineStyle& line, RenderQuality quality = RenderQuality::High) {
    RenderScene scene;
    Records records;
    records.moveTo(20, 50).select(std::nullopt, std::nullopt, 1).line(60, 0);
    scene.add(1, records.shape({}, {line}));
    return scene.render(quality);
}

TEST(Stroke, widthIsInTwipsCentredOnTheEdge) {
    for (RenderQuality quality : {RenderQuality::High, RenderQuality::Low}) {
        const QImage image = horizontalLine(styled(200, CapStyle::None), quality);
        EXPECT_TRUE(pixelIs(image, 50, 45, black));
        EXPECT_TRUE(pixelIs(image, 50, 54, black));
        EXPECT_TRUE(pixelIs(image, 50, 44, white));
        EXPECT_TRUE(pixelIs(image, 50, 55, white));
    }
}

TEST(Stroke, capsNoneRoundAndSquare) {
    const QImage flat = horizontalLine(styled(200, CapStyle::None));
    EXPECT_TRUE(pixelIs(flat, 20, 50, black));
    EXPECT_TRUE(pixelIs(flat, 18, 50, white));

    // A round cap reaches 5 px past the end along the line but not into the corner.
    const QImage round = horizontalLine(styled(200, CapStyle::Round));
    EXPECT_TRUE(pixelIs(round, 16, 50, black));
    EXPECT_TRUE(pixelIs(round, 15, 45, white));

    const QImage square = horizontalLine(styled(200, CapStyle::Square));
    EXPECT_TRUE(pixelIs(square, 16, 50, black));
    EXPECT_TRUE(pixelIs(square, 15, 45, black));
    EXPECT_TRUE(pixelIs(square, 14, 50, white));
}

TEST(Stroke, closedOutlineJoinsAtItsStartInsteadOfCapping) {
    // A square outline that starts and ends at its top-left corner, flat caps: only a join
    // fills the outer corner there.
    auto corner = [](JoinStyle join) {
        RenderScene scene;
        Records records;
        records.moveTo(20, 20).select(std::nullopt, std::nullopt, 1).rectangle(60, 60);
        scene.add(1, records.shape({}, {styled(200, CapStyle::None, join)}));
        return scene.render();
    };
    const QImage miter = corner(JoinStyle::Miter);
    EXPECT_TRUE(pixelIs(miter, 15, 15, black));
    EXPECT_TRUE(pixelIs(miter, 84, 84, black));
    const QImage bevel = corner(JoinStyle::Bevel);
    EXPECT_TRUE(pixelIs(bevel, 15, 15, white));
    EXPECT_TRUE(pixelIs(bevel, 18, 18, black));
}

TEST(Stroke, lowQualityOnePixelLineOnAPixelBoundaryLightsThePixelAboveIt) {
    // Along y = 50 the line covers 49.5..50.5: both rows' centres lie on its edges, and Flash
    // lights the upper row only.
    const QImage image = horizontalLine(styled(20, CapStyle::None), RenderQuality::Low);
    EXPECT_TRUE(pixelIs(image, 50, 49, black));
    EXPECT_TRUE(pixelIs(image, 50, 50, white));
    EXPECT_TRUE(pixelIs(image, 50, 48, white));
}

TEST(Stroke, lowQualitySlantedLineIsSampledWhereItsOutlineLies) {
    // A steep one-pixel line whose left edge passes 0.008 px right of the centre of pixel
    // (40, 64): the pixel stays empty and its right neighbour is lit. Nudging outlines to
    // settle ties, or rounding them to 1/64 pixel, lit it.
    StyleChangeRecord start;
    start.setMoveTo(Twips{1567}, Twips{-1913});
    start.setLineStyle(1);
    DefineShapeTag tag;
    tag.id = CharacterId{1};
    tag.version = 3;
    tag.shape.lineStyles = {stroke(20, black)};
    tag.shape.records = {start, StraightEdgeRecord{Twips{740 - 1567}, Twips{1635 + 1913}}};
    RenderScene scene;
    scene.add(1, tag);
    const QImage image = scene.render(RenderQuality::Low);
    EXPECT_TRUE(pixelIs(image, 40, 64, white));
    EXPECT_TRUE(pixelIs(image, 41, 64, black));
    EXPECT_TRUE(pixelIs(image, 42, 64, white));
}

TEST(Stroke, lowQualityOnePixelFrameIsTheFilledPenOutline) {
    // A one-pixel frame with round joins from (10, 10) to (40, 40): each side covers the
    // pixel centres on its left and top edge (column 9, row 9), and the round join at the
    // top-left corner stays half a pixel from centre (9.5, 9.5), which is left empty. The
    // other corners are covered by the sides themselves.
    RenderScene scene;
    Records records;
    records.moveTo(10, 10).select(std::nullopt, std::nullopt, 1).rectangle(30, 30);
    scene.add(1, records.shape({}, {styled(20, CapStyle::Round)}));
    const QImage image = scene.render(RenderQuality::Low);
    EXPECT_TRUE(pixelIs(image, 9, 9, white));
    EXPECT_TRUE(pixelIs(image, 9, 20, black));
    EXPECT_TRUE(pixelIs(image, 20, 9, black));
    EXPECT_TRUE(pixelIs(image, 10, 20, white));
    EXPECT_TRUE(pixelIs(image, 39, 9, black));
    EXPECT_TRUE(pixelIs(image, 9, 39, black));
    EXPECT_TRUE(pixelIs(image, 39, 39, black));
    EXPECT_TRUE(pixelIs(image, 40, 20, white));
    EXPECT_TRUE(pixelIs(image, 20, 40, white));
}

TEST(Stroke, noCloseKeepsCapsAtTheMeetingPoint) {
    RenderScene scene;
    Records records;
    records.moveTo(20, 20).select(std::nullopt, std::nullopt, 1).rectangle(60, 60);
    LineStyle line = styled(200, CapStyle::None, JoinStyle::Miter);
    line.noClose = true;
    scene.add(1, records.shape({}, {line}));
    const QImage image = scene.render();
    EXPECT_TRUE(pixelIs(image, 16, 16, white));
    EXPECT_TRUE(pixelIs(image, 84, 84, black));
}

TEST(Stroke, hairlineStaysOnePixelWideAtAnyScale) {
    // Line at device y = 50.5, the middle of pixel row 50: a one-pixel pen covers that row.
    for (int width : {0, 20}) {
        for (RenderQuality quality : {RenderQuality::High, RenderQuality::Low}) {
            RenderScene scene;
            Records records;
            records.moveTo(200, 0).select(std::nullopt, std::nullopt, 1).line(1400, 0);
            scene.add(1, records.shape({}, {stroke(width, black)}), Matrix{0.05, 0, 0, 0.05, 0, 1010});
            const QImage image = scene.render(quality);
            SCOPED_TRACE(width);
            EXPECT_TRUE(pixelIs(image, 40, 50, black, 2));
            EXPECT_TRUE(pixelIs(image, 40, 48, white));
            EXPECT_TRUE(pixelIs(image, 40, 52, white));
        }
    }
}

TEST(Stroke, strokeScalesWithTheObjectUnlessNonScaling) {
    auto scaledLine = [](bool nonScaling) {
        RenderScene scene;
        Records records;
        records.moveTo(5, 0).select(std::nullopt, std::nullopt, 1).line(20, 0);
        LineStyle line = styled(100, CapStyle::None); // 5 px before scaling
        line.noHorizontalScale = nonScaling;
        line.noVerticalScale = nonScaling;
        scene.add(1, records.shape({}, {line}), Matrix{3, 0, 0, 3, 0, 1000});
        return scene.render();
    };
    const QImage scaled = scaledLine(false); // 15 px: y 42.5..57.5
    EXPECT_TRUE(pixelIs(scaled, 50, 43, black));
    EXPECT_TRUE(pixelIs(scaled, 50, 56, black));
    const QImage fixed = scaledLine(true); // 5 px: y 47.5..52.5
    EXPECT_TRUE(pixelIs(fixed, 50, 50, black));
    EXPECT_TRUE(pixelIs(fixed, 50, 45, white));
    EXPECT_TRUE(pixelIs(fixed, 50, 55, white));
}

TEST(Stroke, drawnAfterFillsInLineColourUnderColourTransform) {
    RenderScene scene;
    Records records;
    records.moveTo(20, 20).select(0, 1, 1).rectangle(60, 60);
    ShapeObject& object = scene.add(1, records.shape({solid(green)}, {stroke(200, black)}));
    ColorTransform transform;
    transform.redAddition = 255;
    object.setColorTransform(transform);
    const QImage image = scene.render();
    EXPECT_TRUE(pixelIs(image, 20, 50, red)); // the stroke covers the fill's edge
    EXPECT_TRUE(pixelIs(image, 50, 50, Rgba{255, 255, 0, 255}));
}

TEST(Stroke, lineStyleWithGradientFillPaintsTheStroke) {
    RenderScene scene;
    Records records;
    records.moveTo(0, 50).select(std::nullopt, std::nullopt, 1).line(100, 0);
    LineStyle line = styled(400, CapStyle::None);
    line.fill = gradient(FillType::LinearGradient, 20, 0, 80, 100, {{0, red}, {255, blue}});
    line.fill->gradient.interpolation = InterpolationMode::Linear;
    scene.add(1, records.shape({}, {line}, 4));
    const QImage image = scene.render();
    EXPECT_TRUE(pixelIs(image, 5, 50, red));
    EXPECT_TRUE(pixelIs(image, 50, 50, Rgba{186, 0, 188, 255}, 4)); // mixed in linear light
    EXPECT_TRUE(pixelIs(image, 95, 50, blue));
}

TEST(Stroke, gradientStrokeFadingInMixesColoursUnpremultiplied) {
    RenderScene scene;
    Records records;
    records.moveTo(0, 50).select(std::nullopt, std::nullopt, 1).line(100, 0);
    LineStyle line = styled(400, CapStyle::None);
    line.fill = gradient(FillType::LinearGradient, 0, 0, 100, 100, {{0, Rgba{255, 0, 0, 0}}, {255, blue}});
    scene.add(1, records.shape({}, {line}, 4));
    for (RenderQuality quality : {RenderQuality::High, RenderQuality::Low}) {
        const QImage image = scene.render(quality);
        // Half way: half red, half blue at half alpha over white. Mixing premultiplied
        // colours would lose the red (128, 128, 255).
        EXPECT_TRUE(pixelIs(image, 50, 50, Rgba{191, 128, 191, 255}, 6));
    }
}

} // namespace
} // namespace kf::swf::test
