// How the drawing API reads odd arguments: alphas given as undefined, gradient calls it
// cannot read, array elements that are no numbers, matrices from flash.geom.Matrix.

#include "DrawingScript.h"

namespace kf::swf::avm1::test {
namespace {

constexpr Rgba black{0, 0, 0, 255};

const std::string linear = "linear";

ActionAssembler& square(ActionAssembler& script, double left, double top, double size) {
    return path(script, {{left, top}, {left + size, top}, {left + size, top + size}, {left, top + size}});
}

// colors, alphas, ratios as arrays and a box matrix "m" spanning x = 0..100.
ActionAssembler& gradientArguments(ActionAssembler& script, const std::vector<PushValue>& colors,
                                   const std::vector<PushValue>& alphas,
                                   const std::vector<PushValue>& ratios) {
    makeArray(script, "colors", colors);
    makeArray(script, "alphas", alphas);
    makeArray(script, "ratios", ratios);
    return makeObject(script, "m",
                      {{"matrixType", PushValue(std::string("box"))},
                       {"x", PushValue(0.0)},
                       {"y", PushValue(0.0)},
                       {"w", PushValue(100.0)},
                       {"h", PushValue(100.0)},
                       {"r", PushValue(0.0)}});
}

// variable = new flash.geom.Matrix(arguments...)
ActionAssembler& newMatrix(ActionAssembler& script, const std::string& variable,
                           const std::vector<Operand>& arguments = {}) {
    script.pushString(variable);
    pushArguments(script, arguments);
    script.pushString("flash").getVariable().pushString("geom").action(ActionCode::GetMember);
    return script.pushString("Matrix").action(ActionCode::NewMethod).setVariable();
}

std::vector<Operand> gradientCall(const std::string& type = linear) {
    return {PushValue(type), Variable{"colors"}, Variable{"alphas"}, Variable{"ratios"}, Variable{"m"}};
}

TEST(DrawingArguments, moviesBeforeVersionSixHaveNoDrawingApi) {
    ActionAssembler script;
    call(script, "beginFill", {PushValue(0xFF0000)});
    square(script, 10, 10, 80);
    call(script, "endFill");
    EXPECT_TRUE(pixelIs(drawAndRender(script, std::nullopt, 5), 50, 50, white));
    EXPECT_TRUE(pixelIs(drawAndRender(script, std::nullopt, 6), 50, 50, red));
}

TEST(DrawingArguments, anAlphaLeftOutIsOpaqueButOneGivenAsUndefinedIsTransparent) {
    ActionAssembler script;
    call(script, "beginFill", {PushValue(0xFF0000)});
    square(script, 0, 0, 50);
    call(script, "beginFill", {PushValue(0x0000FF), PushValue(PushUndefined{})});
    square(script, 50, 0, 50);
    // Above 100 is held at 100; a colour given as a numeric string is read as its number.
    call(script, "beginFill", {PushValue(0x00FF00), PushValue(250)});
    square(script, 0, 50, 50);
    call(script, "beginFill", {PushValue(std::string("255"))});
    square(script, 50, 50, 50);
    call(script, "endFill");
    const QImage image = drawAndRender(script);
    EXPECT_TRUE(pixelIs(image, 25, 25, red, 0));
    EXPECT_TRUE(pixelIs(image, 75, 25, white, 0));
    EXPECT_TRUE(pixelIs(image, 25, 75, green, 0));
    EXPECT_TRUE(pixelIs(image, 75, 75, blue, 0));
}

// A call Flash Player cannot read is ignored: the green fill before it goes on into the
// square drawn after it. Only an undefined type ends that fill.
TEST(DrawingArguments, unreadableGradientCallsKeepTheFillBeforeAndUndefinedEndsIt) {
    struct Case {
        const char* name;
        std::vector<PushValue> ratios;
        std::vector<Operand> arguments;
        Rgba after = green;
    };
    const std::vector<PushValue> goodRatios{PushValue(0), PushValue(255)};
    const std::vector<Case> cases{
        {"type in capitals", goodRatios, gradientCall("LINEAR")},
        {"no matrix",
         goodRatios,
         {PushValue(linear), Variable{"colors"}, Variable{"alphas"}, Variable{"ratios"}}},
        {"nine arguments",
         goodRatios,
         {PushValue(linear), Variable{"colors"}, Variable{"alphas"}, Variable{"ratios"}, Variable{"m"},
          PushValue(std::string("pad")), PushValue(std::string("RGB")), PushValue(0), PushValue(0)}},
        {"null type",
         goodRatios,
         {PushValue(PushNull{}), Variable{"colors"}, Variable{"alphas"}, Variable{"ratios"}, Variable{"m"}}},
        {"ratio below 0", {PushValue(-1), PushValue(255)}, gradientCall()},
        {"ratio above 255", {PushValue(0), PushValue(256)}, gradientCall()},
        {"fewer ratios than colours", {PushValue(0)}, gradientCall()},
        {"alphas not an object",
         goodRatios,
         {PushValue(linear), Variable{"colors"}, PushValue(100), Variable{"ratios"}, Variable{"m"}}},
    };
    for (const Case& sample : cases) {
        SCOPED_TRACE(sample.name);
        ActionAssembler script;
        gradientArguments(script, {PushValue(0xFF0000), PushValue(0x0000FF)},
                          {PushValue(100), PushValue(100)}, sample.ratios);
        call(script, "beginFill", {PushValue(0x00FF00)});
        square(script, 0, 0, 40);
        call(script, "beginGradientFill", sample.arguments);
        square(script, 50, 50, 40);
        const QImage image = drawAndRender(script);
        EXPECT_TRUE(pixelIs(image, 20, 20, green, 0));
        EXPECT_TRUE(pixelIs(image, 70, 70, sample.after, 0));
    }
}

TEST(DrawingArguments, gradientElementsThatAreNoNumbersCountAsZero) {
    ActionAssembler script;
    // Left half: a string colour is black, not the blue its text names. Right half: an
    // undefined alpha is transparent. Ratios truncate, so 255.9 is still the end.
    gradientArguments(script, {PushValue(std::string("255")), PushValue(0x0000FF)},
                      {PushValue(PushUndefined{}), PushValue(100)}, {PushValue(0), PushValue(255.9)});
    call(script, "beginGradientFill", gradientCall());
    square(script, 0, 0, 100);
    call(script, "endFill");
    gradientArguments(script, {PushValue(std::string("255")), PushValue(0x0000FF)},
                      {PushValue(100), PushValue(100)}, {PushValue(0), PushValue(255)});
    call(script, "beginGradientFill", gradientCall());
    square(script, 0, 0, 20);
    call(script, "endFill");
    const QImage image = drawAndRender(script);
    EXPECT_TRUE(pixelIs(image, 1, 10, black, 8)); // the opaque string stop, near its end
    // Fading in from nothing, the colours mixed unpremultiplied: a fifth of the way the stop
    // shows a fifth of the blue at a fifth of its alpha.
    EXPECT_TRUE(pixelIs(image, 21, 60, Rgba{200, 200, 212, 255}, 8));
    EXPECT_TRUE(pixelIs(image, 98, 60, blue, 6));
}

TEST(DrawingArguments, aGradientOfNoColoursPaintsBlack) {
    ActionAssembler script;
    gradientArguments(script, {}, {}, {});
    call(script, "beginGradientFill", gradientCall("radial"));
    square(script, 10, 10, 80);
    call(script, "endFill");
    EXPECT_TRUE(pixelIs(drawAndRender(script), 50, 50, black, 0));
}

TEST(DrawingArguments, flashGeomMatrixBuildsGradientBoxes) {
    ActionAssembler script;
    gradientArguments(script, {PushValue(0xFF0000), PushValue(0x0000FF)}, {PushValue(100), PushValue(100)},
                      {PushValue(0), PushValue(255)});
    // m = new flash.geom.Matrix(); m.createGradientBox(40, 100, 0, 60, 0): red up to x = 60,
    // blue from x = 100.
    newMatrix(script, "m");
    invokeAndDrop(script, "m", "createGradientBox",
                  {PushValue(40.0), PushValue(100.0), PushValue(0.0), PushValue(60.0), PushValue(0.0)});
    call(script, "beginGradientFill", gradientCall());
    square(script, 0, 0, 100);
    call(script, "endFill");
    const QImage image = drawAndRender(script);
    EXPECT_TRUE(pixelIs(image, 50, 50, red, 0));
    EXPECT_TRUE(pixelIs(image, 80, 50, Rgba{128, 0, 128, 255}, 12));

    // Built from its six members, the identity when none is given.
    ActionAssembler members;
    newMatrix(members, "m");
    for (const char* name : {"a", "b", "c", "d", "tx", "ty"}) {
        traceMember(members, "m", name);
    }
    newMatrix(members, "n",
              {PushValue(1), PushValue(2), PushValue(3), PushValue(4), PushValue(5), PushValue(6)});
    traceMember(members, "n", "tx");
    EXPECT_EQ(playWithClip(members), (std::vector<std::string>{"1", "0", "0", "1", "0", "0", "5"}));
}

TEST(DrawingArguments, lineGradientStyleWithoutArgumentsKeepsTheGradient) {
    ActionAssembler script;
    gradientArguments(script, {PushValue(0xFF0000), PushValue(0xFF0000)}, {PushValue(100), PushValue(100)},
                      {PushValue(0), PushValue(255)});
    call(script, "lineStyle", {PushValue(10), PushValue(0x0000FF)});
    call(script, "lineGradientStyle", gradientCall());
    call(script, "lineGradientStyle");
    path(script, {{0, 20}, {100, 20}});
    // Undefined takes the gradient away: the line's own colour again.
    call(script, "lineGradientStyle", {PushValue(PushUndefined{})});
    path(script, {{0, 70}, {100, 70}});
    const QImage image = drawAndRender(script);
    EXPECT_TRUE(pixelIs(image, 50, 20, red, 0));
    EXPECT_TRUE(pixelIs(image, 50, 70, blue, 0));
}

TEST(DrawingArguments, aFillLeftOpenIsClosedWithTheLineInUse) {
    ActionAssembler script;
    call(script, "beginFill", {PushValue(0xFF0000)});
    call(script, "lineStyle", {PushValue(6), PushValue(0x0000FF)});
    path(script, {{20, 20}, {80, 20}, {80, 80}, {20, 80}});
    const QImage image = drawAndRender(script);
    EXPECT_TRUE(pixelIs(image, 50, 50, red, 0));
    EXPECT_TRUE(pixelIs(image, 20, 50, blue, 0)); // the side from (20,80) back to (20,20)
    EXPECT_TRUE(pixelIs(image, 10, 50, white, 0));
}

} // namespace
} // namespace kf::swf::avm1::test
