// Script-made text fields, drawn: where their border and background land in whole pixels,
// and how colour transforms reach them.

#include "DrawingScript.h"

namespace kf::swf::avm1::test {
namespace {

constexpr Rgba black{0, 0, 0, 255};

// _root.createTextField("field", 20, x, y, width, height) with a blue background and a border.
ActionAssembler framedField(int x, int y, int width, int height) {
    ActionAssembler script;
    invokeAndDrop(script, "_root", "createTextField",
                  {PushValue(std::string("field")), PushValue(20), PushValue(x), PushValue(y),
                   PushValue(width), PushValue(height)});
    assignMember(script, "field", "background", PushValue(true));
    assignMember(script, "field", "backgroundColor", PushValue(0x0000FF));
    assignMember(script, "field", "border", PushValue(true));
    return script;
}

TEST(TextFieldDrawing, theBorderRunsClockwiseFromEachCornerLeavingTheLastCornerOut) {
    const QImage image = drawAndRender(framedField(10, 10, 20, 10));
    EXPECT_TRUE(pixelIs(image, 15, 15, blue));
    EXPECT_TRUE(pixelIs(image, 10, 10, black));
    EXPECT_TRUE(pixelIs(image, 29, 10, black));
    EXPECT_TRUE(pixelIs(image, 30, 10, black)); // the right side lies outside the box
    EXPECT_TRUE(pixelIs(image, 30, 19, black));
    EXPECT_TRUE(pixelIs(image, 10, 20, black)); // so does the bottom
    EXPECT_TRUE(pixelIs(image, 29, 20, black));
    EXPECT_TRUE(pixelIs(image, 30, 20, white)); // the corner neither side reaches
    EXPECT_TRUE(pixelIs(image, 31, 15, white));
    EXPECT_TRUE(pixelIs(image, 15, 21, white));
}

TEST(TextFieldDrawing, fractionalPositionsSnapToWholePixelsHalvesGoingDown) {
    ActionAssembler script = framedField(0, 0, 20, 10);
    assignMember(script, "field", "_x", PushValue(40.5));
    assignMember(script, "field", "_y", PushValue(50.3));
    const QImage image = drawAndRender(script);
    EXPECT_TRUE(pixelIs(image, 40, 55, black)); // left side: 40.5 goes to 40
    EXPECT_TRUE(pixelIs(image, 41, 55, blue));
    EXPECT_TRUE(pixelIs(image, 60, 55, black)); // right side: 60.5 goes to 60
    EXPECT_TRUE(pixelIs(image, 61, 55, white));
    EXPECT_TRUE(pixelIs(image, 45, 50, black)); // top: 50.3 goes to 50, crisp
    EXPECT_TRUE(pixelIs(image, 45, 49, white));
    EXPECT_TRUE(pixelIs(image, 45, 60, black));
}

TEST(TextFieldDrawing, deviceFontFieldsKeepTheirColoursOpaqueUnderAnAlphaTransform) {
    ActionAssembler script = framedField(10, 10, 40, 40);
    assignMember(script, "field", "border", PushValue(false));
    construct(script, "tint", "Color", {Variable{"field"}});
    makeObject(script, "change", {{"aa", PushValue(0)}, {"ab", PushValue(0)}, {"rb", PushValue(255)}});
    invokeAndDrop(script, "tint", "setTransform", {Variable{"change"}});
    const QImage image = drawAndRender(script);
    EXPECT_TRUE(pixelIs(image, 30, 30, Rgba{255, 0, 255, 255}, 0));
}

TEST(TextFieldDrawing, aNegativeSizeReachesBackFromThePosition) {
    ActionAssembler script = framedField(50, 50, -30, -20);
    assignMember(script, "field", "border", PushValue(false));
    const QImage image = drawAndRender(script);
    EXPECT_TRUE(pixelIs(image, 21, 31, blue));
    EXPECT_TRUE(pixelIs(image, 49, 49, blue));
    EXPECT_TRUE(pixelIs(image, 19, 40, white));
    EXPECT_TRUE(pixelIs(image, 55, 55, white));
}

} // namespace
} // namespace kf::swf::avm1::test
