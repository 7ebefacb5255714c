// The MovieClip drawing API, drawn: scripts draw into a clip and the stage is rendered and
// read back at chosen pixels.

#include "DrawingScript.h"

#include "swf/runtime/ClipDrawing.h"
#include "swf/runtime/ShapeCharacter.h"

namespace kf::swf::avm1::test {
namespace {

TEST(DrawingApi, aFillIsClosedBackToItsStartAndItsClosingSideIsNotStroked) {
    ActionAssembler script;
    call(script, "lineStyle", {PushValue(4.0), PushValue(0x0000FF)});
    call(script, "beginFill", {PushValue(0xFF0000)});
    // Three sides only: the fill closes along the fourth, from (20,80) back to (20,20).
    path(script, {{20, 20}, {80, 20}, {80, 80}, {20, 80}});
    call(script, "endFill");
    const QImage image = drawAndRender(script);
    EXPECT_TRUE(pixelIs(image, 50, 50, red));
    EXPECT_TRUE(pixelIs(image, 50, 20, blue)); // stroked sides
    EXPECT_TRUE(pixelIs(image, 80, 50, blue));
    EXPECT_TRUE(pixelIs(image, 19, 50, white)); // the closing side has no line
    EXPECT_TRUE(pixelIs(image, 90, 90, white));
}

TEST(DrawingApi, aFillLeftOpenDrawsClosedAndANewFillClosesThePreviousOne) {
    ActionAssembler script;
    call(script, "beginFill", {PushValue(0xFF0000)});
    path(script, {{10, 10}, {40, 10}, {40, 40}});
    // Begins at (40,40), where the pen is; the red triangle is closed first.
    call(script, "beginFill", {PushValue(0x00FF00), PushValue(100)});
    call(script, "lineTo", {PushValue(90.0), PushValue(40.0)});
    call(script, "lineTo", {PushValue(90.0), PushValue(90.0)});
    const QImage image = drawAndRender(script);
    EXPECT_TRUE(pixelIs(image, 35, 15, red));   // inside the triangle (10,10) (40,10) (40,40)
    EXPECT_TRUE(pixelIs(image, 15, 35, white)); // across its closing side
    EXPECT_TRUE(pixelIs(image, 85, 45, green)); // the second fill, never ended
    EXPECT_TRUE(pixelIs(image, 45, 85, white));
}

TEST(DrawingApi, laterFillsCoverEarlierLinesAndChildrenCoverTheDrawing) {
    ActionAssembler script;
    call(script, "lineStyle", {PushValue(10.0), PushValue(0x0000FF)});
    path(script, {{0, 50}, {100, 50}});
    call(script, "lineStyle");
    call(script, "beginFill", {PushValue(0xFF0000)});
    path(script, {{40, 0}, {60, 0}, {60, 100}, {40, 100}});
    call(script, "endFill");
    // The child rectangle (70..100 × 0..100) sits above everything the clip drew.
    call(script, "lineStyle", {PushValue(10.0), PushValue(0x0000FF)});
    path(script, {{80, 10}, {80, 90}});
    const QImage image = drawAndRender(script, pixels(70, 0, 30, 100));
    EXPECT_TRUE(pixelIs(image, 20, 50, blue)); // the first line
    EXPECT_TRUE(pixelIs(image, 50, 50, red));  // the fill drawn after it, over it
    EXPECT_TRUE(pixelIs(image, 50, 20, red));
    EXPECT_TRUE(pixelIs(image, 80, 50, green)); // the child over the last line
    EXPECT_TRUE(pixelIs(image, 20, 20, white));
}

TEST(DrawingApi, clearForgetsTheDrawingAndItsStylesAndCurvesBulge) {
    ActionAssembler script;
    call(script, "lineStyle", {PushValue(6.0), PushValue(0x0000FF)});
    call(script, "beginFill", {PushValue(0x00FF00)});
    path(script, {{0, 0}, {100, 0}, {100, 100}});
    call(script, "clear");
    // After clear there is no line style: only the fill shows.
    call(script, "beginFill", {PushValue(0xFF0000)});
    call(script, "moveTo", {PushValue(10.0), PushValue(50.0)});
    call(script, "curveTo", {PushValue(50.0), PushValue(-30.0), PushValue(90.0), PushValue(50.0)});
    call(script, "endFill");
    const QImage image = drawAndRender(script);
    EXPECT_TRUE(pixelIs(image, 50, 20, red)); // inside the bulge, above the chord
    EXPECT_TRUE(pixelIs(image, 50, 5, white));
    EXPECT_TRUE(pixelIs(image, 50, 60, white));
    EXPECT_TRUE(pixelIs(image, 95, 2, white)); // the cleared green triangle and its line
}

TEST(DrawingApi, linearGradientsSpanTheBoxOrTheMatrixGiven) {
    for (const bool asBox : {true, false}) {
        ActionAssembler script;
        makeArray(script, "colors", {PushValue(0xFF0000), PushValue(0x0000FF)});
        makeArray(script, "alphas", {PushValue(100), PushValue(100)});
        makeArray(script, "ratios", {PushValue(0), PushValue(255)});
        if (asBox) {
            makeObject(script, "m",
                       {{"matrixType", PushValue(std::string("box"))},
                        {"x", PushValue(20.0)},
                        {"y", PushValue(0.0)},
                        {"w", PushValue(60.0)},
                        {"h", PushValue(100.0)},
                        {"r", PushValue(0.0)}});
        } else {
            // The same: the 1638.4-pixel gradient square scaled to 60 pixels, centred at 50.
            makeObject(script, "m",
                       {{"a", PushValue(60.0 / 1638.4)},
                        {"b", PushValue(0.0)},
                        {"c", PushValue(0.0)},
                        {"d", PushValue(100.0 / 1638.4)},
                        {"tx", PushValue(50.0)},
                        {"ty", PushValue(50.0)}});
        }
        call(script, "beginGradientFill",
             {PushValue(std::string("linear")), Variable{"colors"}, Variable{"alphas"}, Variable{"ratios"},
              Variable{"m"}});
        path(script, {{0, 0}, {100, 0}, {100, 100}, {0, 100}});
        call(script, "endFill");
        const QImage image = drawAndRender(script);
        SCOPED_TRACE(asBox ? "box" : "matrix");
        EXPECT_TRUE(pixelIs(image, 10, 50, red)); // padded before the box
        EXPECT_TRUE(pixelIs(image, 90, 50, blue));
        const QRgb middle = image.pixel(50, 50);
        EXPECT_NEAR(qRed(middle), 128, 24);
        EXPECT_NEAR(qBlue(middle), 128, 24);
    }
}

TEST(DrawingApi, unknownGradientTypesKeepTheFillAndBitmapFillsDrawNothingButEndTheFillBefore) {
    ActionAssembler script;
    makeArray(script, "colors", {PushValue(0xFF0000)});
    call(script, "beginFill", {PushValue(0x00FF00)});
    path(script, {{0, 0}, {50, 0}, {50, 50}, {0, 50}});
    // Ignored: the green fill goes on into the next square.
    call(script, "beginGradientFill", {PushValue(std::string("conic")), Variable{"colors"}});
    path(script, {{50, 50}, {100, 50}, {100, 100}, {50, 100}});
    call(script, "beginBitmapFill");
    path(script, {{50, 0}, {100, 0}, {100, 50}, {50, 50}});
    const QImage image = drawAndRender(script);
    EXPECT_TRUE(pixelIs(image, 25, 25, green));
    EXPECT_TRUE(pixelIs(image, 75, 75, green));
    EXPECT_TRUE(pixelIs(image, 75, 25, white));
}

TEST(ClipDrawing, recordsStartAGroupPerFillAndShapesAreRebuiltOnlyAfterAChange) {
    ClipDrawing drawing;
    EXPECT_EQ(drawing.shape(), nullptr);
    drawing.moveTo(Twips{0}, Twips{0});
    EXPECT_EQ(drawing.shape(), nullptr); // a move draws nothing
    FillStyle fill;
    fill.color = red;
    drawing.beginFill(fill);
    drawing.lineTo(Twips{200}, Twips{0});
    drawing.lineTo(Twips{200}, Twips{200});
    const ShapeCharacter* first = drawing.shape();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(drawing.shape(), first);
    // Bounds cover the edges and the closing side the open fill is drawn with.
    EXPECT_EQ(first->definition().edgeBounds, (Rect{Twips{0}, Twips{200}, Twips{0}, Twips{200}}));
    drawing.beginFill(fill);
    drawing.lineTo(Twips{-100}, Twips{400});
    const ShapeCharacter* second = drawing.shape();
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->definition().edgeBounds, (Rect{Twips{-100}, Twips{200}, Twips{0}, Twips{400}}));
    int groups = 0;
    for (const ShapeRecord& record : second->definition().shape.records) {
        if (const auto* change = std::get_if<StyleChangeRecord>(&record); change && change->newStyles) {
            ++groups;
        }
    }
    EXPECT_EQ(groups, 2);
    drawing.clear();
    EXPECT_EQ(drawing.shape(), nullptr);
    EXPECT_FALSE(drawing.lineStyle());
}

} // namespace
} // namespace kf::swf::avm1::test

namespace kf::swf::avm1::test {
namespace {

// A bitmap shown with attachBitmap shares its pixels with the script: painting it after it
// is attached changes what is drawn, and it moves with its clip, one pixel per stage pixel.
TEST(DrawingApi, anAttachedBitmapShowsItsPixelsAsTheyAreNow) {
    ActionAssembler script;
    script.pushString("b");
    script.push(
        {PushValue(double(0xFFFF0000U)), PushValue(false), PushValue(10), PushValue(20), PushValue(4)});
    script.pushString("flash").getVariable().pushString("display").action(ActionCode::GetMember);
    script.pushString("BitmapData").action(ActionCode::NewMethod).setVariable();
    call(script, "attachBitmap", {Variable{"b"}, PushValue(1)});
    // The lower half turns blue after attaching.
    script.pushString("r");
    script.push({PushValue(std::string("x")), PushValue(0), PushValue(std::string("y")), PushValue(5),
                 PushValue(std::string("width")), PushValue(20), PushValue(std::string("height")),
                 PushValue(5), PushValue(4)});
    script.action(ActionCode::InitObject).setVariable();
    script.push({PushValue(double(0xFF0000FFU)), PushValue(std::string("r"))}).getVariable();
    script.push({PushValue(2), PushValue(std::string("b"))}).getVariable();
    script.pushString("fillRect").action(ActionCode::CallMethod).action(ActionCode::Pop);
    script.pushString("clip")
        .getVariable()
        .push({PushValue(std::string("_x")), PushValue(30)})
        .action(ActionCode::SetMember);
    script.pushString("clip")
        .getVariable()
        .push({PushValue(std::string("_y")), PushValue(40)})
        .action(ActionCode::SetMember);
    const QImage image = drawAndRender(script);
    EXPECT_TRUE(pixelIs(image, 31, 41, red, 0));
    EXPECT_TRUE(pixelIs(image, 49, 44, red, 0));
    EXPECT_TRUE(pixelIs(image, 31, 46, blue, 0));
    EXPECT_TRUE(pixelIs(image, 49, 49, blue, 0));
    EXPECT_TRUE(pixelIs(image, 29, 45, white, 0));
    EXPECT_TRUE(pixelIs(image, 50, 45, white, 0));
    EXPECT_TRUE(pixelIs(image, 40, 50, white, 0));
}

} // namespace
} // namespace kf::swf::avm1::test
