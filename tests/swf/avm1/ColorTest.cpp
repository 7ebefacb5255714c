// Color objects: the colour transform of a clip as percentages and offsets, stored the way
// the file stores it (8.8 multipliers, 16-bit values that wrap).

#include "BuiltinScript.h"

namespace kf::swf::avm1::test {
namespace {

// trace("ra ga ba aa / rb gb bb ab") of c.getTransform()
ActionAssembler& traceTransform(ActionAssembler& to) {
    to.pushString("t");
    invoke(to, "c", "getTransform").setVariable();
    to.pushString("");
    bool first = true;
    for (const char* name : {"ra", "ga", "ba", "aa", "rb", "gb", "bb", "ab"}) {
        if (!first) {
            to.pushString(" ").action(ActionCode::Add2);
        }
        first = false;
        to.pushString("t")
            .getVariable()
            .pushString(name)
            .action(ActionCode::GetMember)
            .action(ActionCode::Add2);
    }
    return to.trace();
}

TEST(Color, setRGBReplacesTheColourAndKeepsAlpha) {
    ActionAssembler script;
    construct(script, "c", "Color", {Variable{"clip"}});
    traceTransform(script);
    invoke(script, "c", "getRGB").trace();
    invokeAndDrop(script, "c", "setRGB", {PushValue(0x14283C)});
    invoke(script, "c", "getRGB").trace();
    traceTransform(script);
    traceMember(script, "c", "target");
    EXPECT_EQ(playWithClip(script),
              (Lines{"100 100 100 100 0 0 0 0", "0", "1321020", "0 0 0 100 20 40 60 0", "_level0.clip"}));
}

TEST(Color, percentagesAreStoredIn256thsAndValuesWrapAt16Bits) {
    ActionAssembler script;
    construct(script, "c", "Color", {Variable{"clip"}});
    makeObject(script, "o",
               {{"ra", PushValue(30.0)},
                {"ga", PushValue(12800.0)},
                {"aa", PushValue(1.0)},
                {"rb", PushValue(65546.0)},
                {"gb", PushValue(-32832.0)},
                {"bb", PushValue(std::string("0x10"))},
                {"ab", Variable{"NaN"}}});
    invokeAndDrop(script, "c", "setTransform", {Variable{"o"}});
    traceTransform(script);
    EXPECT_EQ(playWithClip(script), (Lines{"29.6875 -12800 100 0.78125 10 32704 16 0"}));
}

TEST(Color, onlyPropertiesTheObjectOwnsChangeTheTransform) {
    ActionAssembler script;
    construct(script, "c", "Color", {Variable{"clip"}});
    makeObject(script, "base", {{"rb", PushValue(200.0)}});
    makeObject(script, "o", {{"bb", PushValue(-50.0)}});
    assignMember(script, "o", "__proto__", Variable{"base"});
    invokeAndDrop(script, "c", "setTransform", {Variable{"o"}});
    traceTransform(script);
    // A negative offset's sign bits spill over the channels above it.
    invoke(script, "c", "getRGB").trace();
    EXPECT_EQ(playWithClip(script), (Lines{"100 100 100 100 0 0 -50 0", "-50"}));
}

TEST(Color, aMissingTargetAnswersUndefined) {
    ActionAssembler script;
    for (const Operand& target : {Operand(PushValue(std::string("nowhere"))),
                                  Operand(PushValue(std::string())), Operand(PushValue(PushUndefined{}))}) {
        construct(script, "c", "Color", {target});
        invokeAndDrop(script, "c", "setRGB", {PushValue(0x333333)});
        invoke(script, "c", "getRGB").trace();
    }
    construct(script, "c", "Color");
    invoke(script, "c", "getTransform").trace();
    EXPECT_EQ(playWithClip(script), (Lines{"undefined", "undefined", "undefined", "undefined"}));
}

TEST(Color, theClipIsFoundAgainOnEveryCall) {
    MovieBuilder builder(8);
    TimelineBuilder empty;
    empty.showFrame();
    const CharacterId sprite = builder.addSprite(empty);
    builder.placeNamed(sprite, Depth{1}, "clip");
    ActionAssembler first;
    construct(first, "c", "Color", {PushValue(std::string("clip"))});
    invokeAndDrop(first, "c", "setRGB", {PushValue(0x0000FF)});
    invoke(first, "c", "getRGB").trace();
    builder.doAction(first).showFrame();
    builder.remove(Depth{1});
    ActionAssembler second;
    invoke(second, "c", "getRGB").trace();
    builder.doAction(second).showFrame();
    EXPECT_EQ(play(builder, 2), (Lines{"255", "undefined"}));
}

} // namespace
} // namespace kf::swf::avm1::test
