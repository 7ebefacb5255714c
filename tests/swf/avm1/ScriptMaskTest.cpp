// setMask, drawn: a clip or a text field shows only where its mask covers, the mask itself
// is not drawn, and the pairing ends with either side.

#include "DrawingScript.h"

namespace kf::swf::avm1::test {
namespace {

// _root.createEmptyMovieClip(name, depth), filled with a red rectangle.
ActionAssembler& redRectangleClip(ActionAssembler& script, const std::string& name, int depth, int left,
                                  int top, int right, int bottom) {
    invokeAndDrop(script, "_root", "createEmptyMovieClip", {PushValue(name), PushValue(depth)});
    invokeAndDrop(script, name, "beginFill", {PushValue(0xFF0000)});
    invokeAndDrop(script, name, "moveTo", {PushValue(left), PushValue(top)});
    for (const auto& [x, y] : {std::pair{right, top}, {right, bottom}, {left, bottom}, {left, top}}) {
        invokeAndDrop(script, name, "lineTo", {PushValue(x), PushValue(y)});
    }
    return invokeAndDrop(script, name, "endFill");
}

// The clip "clip" holds a green rectangle over the whole stage; "mask" covers 20..40 square.
ActionAssembler maskedClipScript() {
    ActionAssembler script;
    redRectangleClip(script, "mask", 10, 20, 20, 40, 40);
    invokeAndDrop(script, "clip", "setMask", {Variable{"mask"}});
    return script;
}

const Rect wholeStage = pixels(0, 0, 100, 100);

TEST(ScriptMask, theClipShowsOnlyUnderItsMaskAndTheMaskIsNotDrawn) {
    const QImage image = drawAndRender(maskedClipScript(), wholeStage);
    EXPECT_TRUE(pixelIs(image, 30, 30, green));
    EXPECT_TRUE(pixelIs(image, 20, 20, green));
    EXPECT_TRUE(pixelIs(image, 40, 30, white));
    EXPECT_TRUE(pixelIs(image, 10, 10, white));
    EXPECT_TRUE(pixelIs(image, 70, 70, white));
}

TEST(ScriptMask, nullUndoesTheMaskAndTheMaskIsDrawnAgain) {
    ActionAssembler script = maskedClipScript();
    invokeAndDrop(script, "clip", "setMask", {PushValue(PushNull{})});
    const QImage image = drawAndRender(script, wholeStage);
    EXPECT_TRUE(pixelIs(image, 10, 10, green));
    EXPECT_TRUE(pixelIs(image, 30, 30, red)); // the former mask, above the clip
}

TEST(ScriptMask, aMaskRemovedOrTakenByAnotherClipReleasesTheFirst) {
    ActionAssembler removed = maskedClipScript();
    invokeAndDrop(removed, "mask", "removeMovieClip");
    QImage image = drawAndRender(removed, wholeStage);
    EXPECT_TRUE(pixelIs(image, 10, 10, green));
    EXPECT_TRUE(pixelIs(image, 30, 30, green));

    ActionAssembler taken = maskedClipScript();
    invokeAndDrop(taken, "_root", "createEmptyMovieClip", {PushValue(std::string("other")), PushValue(11)});
    invokeAndDrop(taken, "other", "setMask", {Variable{"mask"}});
    image = drawAndRender(taken, wholeStage);
    EXPECT_TRUE(pixelIs(image, 10, 10, green));
    EXPECT_TRUE(pixelIs(image, 30, 30, green)); // still the mask of the empty clip: not drawn
}

TEST(ScriptMask, aClipCannotMaskItselfAndMaskingBackBreaksTheLoop) {
    ActionAssembler self;
    invokeAndDrop(self, "clip", "setMask", {Variable{"clip"}});
    EXPECT_TRUE(pixelIs(drawAndRender(self, wholeStage), 70, 70, green));

    // clip masks mask, then mask masks clip: only the second pairing stands.
    ActionAssembler loop;
    redRectangleClip(loop, "mask", 10, 20, 20, 40, 40);
    invokeAndDrop(loop, "mask", "setMask", {Variable{"clip"}});
    invokeAndDrop(loop, "clip", "setMask", {Variable{"mask"}});
    const QImage image = drawAndRender(loop, wholeStage);
    EXPECT_TRUE(pixelIs(image, 30, 30, green));
    EXPECT_TRUE(pixelIs(image, 70, 70, white));
}

TEST(ScriptMask, aTextFieldBorrowingSetMaskIsMaskedAndCanMask) {
    ActionAssembler masked;
    invokeAndDrop(masked, "_root", "createTextField",
                  {PushValue(std::string("field")), PushValue(20), PushValue(0), PushValue(0), PushValue(60),
                   PushValue(60)});
    assignMember(masked, "field", "background", PushValue(true));
    assignMember(masked, "field", "backgroundColor", PushValue(0x0000FF));
    redRectangleClip(masked, "mask", 21, 40, 40, 100, 100);
    masked.pushString("field").getVariable().pushString("setMask");
    masked.pushString("mask").getVariable().pushString("setMask").action(ActionCode::GetMember);
    masked.action(ActionCode::SetMember);
    invokeAndDrop(masked, "field", "setMask", {Variable{"mask"}});
    QImage image = drawAndRender(masked);
    EXPECT_TRUE(pixelIs(image, 50, 50, blue));
    EXPECT_TRUE(pixelIs(image, 20, 20, white));
    EXPECT_TRUE(pixelIs(image, 80, 80, white));

    // An empty field as the mask of a green clip: no glyphs, nothing shows.
    ActionAssembler masking;
    invokeAndDrop(masking, "_root", "createTextField",
                  {PushValue(std::string("field")), PushValue(20), PushValue(0), PushValue(0), PushValue(60),
                   PushValue(60)});
    assignMember(masking, "field", "background", PushValue(true));
    invokeAndDrop(masking, "clip", "setMask", {Variable{"field"}});
    image = drawAndRender(masking, wholeStage);
    EXPECT_TRUE(pixelIs(image, 30, 30, white));
    EXPECT_TRUE(pixelIs(image, 80, 80, white));
}

} // namespace
} // namespace kf::swf::avm1::test
