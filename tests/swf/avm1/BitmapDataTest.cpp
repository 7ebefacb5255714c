// flash.display.BitmapData as scripts see it: construction, reading and painting pixels,
// rectangles given as any object, clones and disposal.

#include "BuiltinScript.h"

namespace kf::swf::avm1::test {
namespace {

// variable = new flash.display.BitmapData(arguments)
ActionAssembler& makeBitmap(ActionAssembler& to, const std::string& variable,
                            const std::vector<Operand>& arguments) {
    return constructFlashClass(to, variable, "display", "BitmapData", arguments);
}

TEST(BitmapData, sizesAndTheFillColourAsTheConstructorTakesThem) {
    ActionAssembler script;
    makeBitmap(script, "b", {PushValue(20), PushValue(10)});
    traceMember(script, "b", "width");
    traceMember(script, "b", "height");
    traceMember(script, "b", "transparent");
    invoke(script, "b", "getPixel32", {PushValue(0), PushValue(0)}).trace();
    makeBitmap(script, "o", {PushValue(2), PushValue(2), PushValue(false), PushValue(0x11223344)});
    invoke(script, "o", "getPixel32", {PushValue(1), PushValue(1)}).trace();
    invoke(script, "o", "getPixel", {PushValue(1), PushValue(1)}).trace();
    // Outside the bitmap every pixel reads 0.
    invoke(script, "o", "getPixel32", {PushValue(2), PushValue(0)}).trace();
    // Refused sizes leave an object without pixels.
    makeBitmap(script, "bad", {PushValue(0), PushValue(10)});
    traceMember(script, "bad", "width");
    invoke(script, "bad", "getPixel", {PushValue(0), PushValue(0)}).trace();
    makeBitmap(script, "huge", {PushValue(2881), PushValue(1)});
    traceMember(script, "huge", "height");
    EXPECT_EQ(playWithClip(script),
              (Lines{"20", "10", "true", "-1", "-14535868", "2241348", "0", "-1", "undefined", "-1"}));
}

TEST(BitmapData, paintingWithRectanglesFromPlainObjects) {
    ActionAssembler script;
    makeBitmap(script, "b", {PushValue(8), PushValue(8), PushValue(true), PushValue(0)});
    makeObject(
        script, "r",
        {{"x", PushValue(-2)}, {"y", PushValue(2)}, {"width", PushValue(4)}, {"height", PushValue(100)}});
    invokeAndDrop(script, "b", "fillRect", {Variable{"r"}, PushValue(double(0xFF00FF00U))});
    invoke(script, "b", "getPixel32", {PushValue(1), PushValue(7)}).trace();
    invoke(script, "b", "getPixel32", {PushValue(2), PushValue(7)}).trace();
    invoke(script, "b", "getPixel32", {PushValue(1), PushValue(1)}).trace();
    // setPixel keeps a pixel's alpha; setPixel32 sets it.
    invokeAndDrop(script, "b", "setPixel", {PushValue(1), PushValue(1), PushValue(0xFF0000)});
    invoke(script, "b", "getPixel32", {PushValue(1), PushValue(1)}).trace();
    invokeAndDrop(script, "b", "setPixel32", {PushValue(1), PushValue(1), PushValue(double(0x80FF0000U))});
    invoke(script, "b", "getPixel32", {PushValue(1), PushValue(1)}).trace();
    // copyPixels with a point and a rectangle that are plain objects.
    makeBitmap(script, "c", {PushValue(4), PushValue(4), PushValue(true), PushValue(0)});
    makeObject(script, "p", {{"x", PushValue(1)}, {"y", PushValue(1)}});
    makeObject(script, "all",
               {{"x", PushValue(0)}, {"y", PushValue(6)}, {"width", PushValue(2)}, {"height", PushValue(2)}});
    invokeAndDrop(script, "c", "copyPixels", {Variable{"b"}, Variable{"all"}, Variable{"p"}});
    invoke(script, "c", "getPixel32", {PushValue(2), PushValue(2)}).trace();
    invoke(script, "c", "getPixel32", {PushValue(3), PushValue(3)}).trace();
    // floodFill stops at other colours.
    invokeAndDrop(script, "c", "floodFill", {PushValue(0), PushValue(0), PushValue(double(0xFF0000FFU))});
    invoke(script, "c", "getPixel32", {PushValue(3), PushValue(0)}).trace();
    invoke(script, "c", "getPixel32", {PushValue(1), PushValue(1)}).trace();
    EXPECT_EQ(playWithClip(script),
              (Lines{"-16711936", "0", "0", "0", "-2130771968", "-16711936", "0", "-16776961", "-16711936"}));
}

TEST(BitmapData, clonesAreIndependentAndDisposalEmptiesTheBitmap) {
    ActionAssembler script;
    makeBitmap(script, "b", {PushValue(3), PushValue(3), PushValue(false), PushValue(double(0xFFFFFFFFU))});
    script.pushString("c");
    invoke(script, "b", "clone").setVariable();
    invokeAndDrop(script, "b", "setPixel", {PushValue(0), PushValue(0), PushValue(0)});
    invoke(script, "c", "getPixel", {PushValue(0), PushValue(0)}).trace();
    invoke(script, "b", "getPixel", {PushValue(0), PushValue(0)}).trace();
    script.pushString("r");
    script.pushString("c").getVariable().pushString("rectangle").action(ActionCode::GetMember).setVariable();
    traceMember(script, "r", "width");
    invokeAndDrop(script, "b", "dispose");
    traceMember(script, "b", "width");
    invoke(script, "b", "getPixel", {PushValue(0), PushValue(0)}).trace();
    traceMember(script, "c", "height");
    EXPECT_EQ(playWithClip(script), (Lines{"16777215", "0", "3", "-1", "undefined", "3"}));
}

TEST(BitmapData, theClassIsHiddenFromMoviesBeforeVersion8) {
    ActionAssembler script;
    script.pushString("flash").getVariable().trace();
    MovieBuilder builder(7);
    builder.doAction(script).showFrame();
    EXPECT_EQ(play(builder), (Lines{"undefined"}));
}

} // namespace
} // namespace kf::swf::avm1::test
