// scrollRect and flash.geom.Rectangle as scripts see them: what is written reads back as a
// fresh rectangle, odd values are tamed, and older movies have neither.

#include "BuiltinScript.h"

namespace kf::swf::avm1::test {
namespace {

TEST(ScrollRect, readsBackAsAFreshRectangleUntilTakenAway) {
    ActionAssembler script;
    traceMember(script, "clip", "scrollRect");
    constructFlashClass(script, "empty", "geom", "Rectangle");
    traceVariable(script, "empty");
    constructFlashClass(script, "r", "geom", "Rectangle",
                        {PushValue(10.0), PushValue(20.5), PushValue(30.0), PushValue(40.0)});
    traceVariable(script, "r");
    assignMember(script, "clip", "scrollRect", Variable{"r"});
    traceMember(script, "clip", "scrollRect");
    // Not the object given: changing it later changes nothing.
    assignMember(script, "r", "x", PushValue(99.0));
    traceMember(script, "clip", "scrollRect");
    // Any object with the four fields will do; a negative size is none.
    makeObject(script, "plain",
               {{"x", PushValue(1.0)},
                {"y", PushValue(-2.0)},
                {"width", PushValue(-5.0)},
                {"height", PushValue(3.0)}});
    assignMember(script, "clip", "scrollRect", Variable{"plain"});
    traceMember(script, "clip", "scrollRect");
    assignMember(script, "clip", "scrollRect", PushValue(PushUndefined{}));
    traceMember(script, "clip", "scrollRect");
    EXPECT_EQ(playWithClip(script), (Lines{"undefined", "(x=0, y=0, w=0, h=0)", "(x=10, y=20.5, w=30, h=40)",
                                           "(x=10, y=20.5, w=30, h=40)", "(x=10, y=20.5, w=30, h=40)",
                                           "(x=1, y=-2, w=0, h=3)", "undefined"}));
}

TEST(ScrollRect, movieClipsBefore8HaveNoScrollRectAndSeeNoRectangleClass) {
    MovieBuilder builder(7);
    TimelineBuilder empty;
    empty.showFrame();
    builder.placeNamed(builder.addSprite(empty), Depth{1}, "clip");
    ActionAssembler script;
    traceMember(script, "clip", "scrollRect");
    assignMember(script, "clip", "scrollRect", PushValue(5.0));
    traceMember(script, "clip", "scrollRect"); // a plain member now
    script.pushString("flash").getVariable().trace();
    builder.doAction(script).showFrame();
    EXPECT_EQ(play(builder), (Lines{"undefined", "5", "undefined"}));
}

} // namespace
} // namespace kf::swf::avm1::test
