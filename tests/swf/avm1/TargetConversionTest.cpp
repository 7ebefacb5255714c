// tellTarget targets (missing, removed, given as objects), built-ins called by name on the
// target, and how objects turn into numbers and strings through valueOf and toString.

#include "ScriptMovie.h"

namespace kf::swf::avm1::test {
namespace {

// object.member = function () { trace(label); return <returned>; }, where `returned` is
// pushed by the given assembler.
void setMethod(ActionAssembler& script, const std::string& object, const std::string& member,
               const std::string& label, const ActionAssembler& returned) {
    ActionAssembler body;
    body.trace(label);
    append(body, returned).action(ActionCode::Return);
    script.pushString(object).getVariable().pushString(member);
    defineFunction(script, "", {}, body);
    script.action(ActionCode::SetMember);
}

ActionAssembler returns(PushValue value) {
    ActionAssembler pushed;
    pushed.push({std::move(value)});
    return pushed;
}

ActionAssembler returnsVariable(const std::string& name) {
    ActionAssembler pushed;
    pushed.pushString(name).getVariable();
    return pushed;
}

void newObject(ActionAssembler& script, const std::string& name) {
    script.pushString(name).pushInteger(0).action(ActionCode::InitObject).setVariable();
}

// trace("" + name), trace(name - 0)
void traceAsStringAndNumber(ActionAssembler& script, const std::string& name) {
    script.pushString("").pushString(name).getVariable().action(ActionCode::Add2).trace();
    script.pushString(name).getVariable().pushInteger(0).action(ActionCode::Subtract).trace();
}

TEST(ObjectConversion, addAsksValueOfThenToStringAndSubtractOnlyValueOf) {
    ActionAssembler script;
    newObject(script, "o");
    setMethod(script, "o", "valueOf", "valueOf", returnsVariable("this"));
    setMethod(script, "o", "toString", "toString", returnsVariable("this"));
    traceAsStringAndNumber(script, "o");
    EXPECT_EQ(run(6, script), (Lines{"valueOf", "toString", "[type Object]", "valueOf", "NaN"}));
}

TEST(ObjectConversion, primitiveFromValueOfEndsTheConversion) {
    ActionAssembler script;
    newObject(script, "o");
    setMethod(script, "o", "valueOf", "valueOf", returns(std::string("7")));
    setMethod(script, "o", "toString", "toString", returns(std::string("text")));
    traceAsStringAndNumber(script, "o");
    EXPECT_EQ(run(6, script), (Lines{"valueOf", "7", "valueOf", "7"}));
}

TEST(ObjectConversion, clipFromValueOfCountsAsItsPath) {
    ActionAssembler script;
    newObject(script, "o");
    setMethod(script, "o", "valueOf", "valueOf", returnsVariable("_root"));
    setMethod(script, "o", "toString", "toString", returns(std::string("text")));
    traceAsStringAndNumber(script, "o");
    EXPECT_EQ(run(6, script), (Lines{"valueOf", "_level0", "valueOf", "NaN"}));
}

TEST(ObjectConversion, objectWithoutMethodsIsUndefined) {
    ActionAssembler script;
    newObject(script, "o");
    script.pushString("o")
        .getVariable()
        .pushString("__proto__")
        .pushUndefined()
        .action(ActionCode::SetMember);
    script.pushString("[").pushString("o").getVariable().action(ActionCode::Add2).pushString("]");
    script.action(ActionCode::Add2).trace();
    EXPECT_EQ(run(6, script), (Lines{"[]"}));
    EXPECT_EQ(run(7, script), (Lines{"[undefined]"}));
}

// A main timeline holding "a" (depth 1) with "b" inside; `n` names each timeline.
MovieBuilder namedTimelines(const ActionAssembler& rootScript, const ActionAssembler& clipScript = {}) {
    MovieBuilder builder(6);
    TimelineBuilder inner;
    ActionAssembler innerScript;
    setVariable(innerScript, "n", std::string("b"));
    inner.doAction(innerScript).showFrame();
    const CharacterId innerId = builder.addSprite(inner);
    TimelineBuilder outer;
    ActionAssembler outerScript;
    setVariable(outerScript, "n", std::string("a"));
    append(outerScript, clipScript);
    outer.placeNamed(innerId, Depth{1}, "b").doAction(outerScript).showFrame();
    const CharacterId outerId = builder.addSprite(outer);
    ActionAssembler script;
    setVariable(script, "n", std::string("root"));
    append(script, rootScript);
    builder.placeNamed(outerId, Depth{1}, "a").doAction(script).showFrame();
    return builder;
}

TEST(TellTarget, missingTargetLeavesNamesOnTheRoot) {
    ActionAssembler clipScript;
    clipScript.setTarget("nowhere");
    traceVariable(clipScript, "n");
    setVariable(clipScript, "written", std::string("w"));
    clipScript.setTarget("");
    traceVariable(clipScript, "n");
    traceVariable(clipScript, "_root.written");
    traceVariable(clipScript, "written");
    EXPECT_EQ(play(namedTimelines({}, clipScript)), (Lines{"root", "a", "undefined", "undefined"}));
}

TEST(TellTarget, removedTargetFallsBackToTheRoot) {
    ActionAssembler clipScript;
    clipScript.push({PushValue(1.0), PushValue(std::string("c")), PushValue(2.0),
                     PushValue(std::string("createEmptyMovieClip"))});
    clipScript.action(ActionCode::CallFunction).action(ActionCode::Pop);
    setVariable(clipScript, "c:n", std::string("c"));
    clipScript.setTarget("c");
    traceVariable(clipScript, "n");
    clipScript.pushString("/a/c").action(ActionCode::RemoveSprite);
    traceVariable(clipScript, "n");
    clipScript.setTarget("");
    traceVariable(clipScript, "n");
    EXPECT_EQ(play(namedTimelines({}, clipScript)), (Lines{"c", "root", "a"}));
}

TEST(TellTarget, objectsAreTargetedByTheirStringButClipsByTheirPath) {
    ActionAssembler script;
    newObject(script, "o");
    setMethod(script, "o", "toString", "o.toString", returns(std::string("a/b")));
    setMethod(script, "a", "toString", "a.toString", returns(std::string("a/b")));
    script.pushString("o").getVariable().action(ActionCode::SetTarget2);
    traceVariable(script, "n");
    script.setTarget("");
    script.pushString("a").getVariable().action(ActionCode::SetTarget2);
    traceVariable(script, "n");
    script.setTarget("");
    script.pushInteger(5).action(ActionCode::SetTarget2);
    traceVariable(script, "n");
    script.setTarget("");
    // The clip scripts run after the root's, so their names are set here.
    ActionAssembler named;
    setVariable(named, "a:n", std::string("a"));
    setVariable(named, "a/b:n", std::string("b"));
    append(named, script);
    EXPECT_EQ(play(namedTimelines(named)), (Lines{"o.toString", "b", "a", "root"}));
}

TEST(TellTarget, builtInCalledByNameWorksOnTheTarget) {
    ActionAssembler script;
    callFunction(script, "getDepth").trace();
    script.setTarget("a");
    callFunction(script, "getDepth").trace();
    script.setTarget("a/b");
    callFunction(script, "getDepth").trace();
    script.setTarget("");
    EXPECT_EQ(play(namedTimelines(script)), (Lines{"-16384", "-16383", "-16383"}));
}

TEST(TellTarget, getDepthArrivedWithSwf6) {
    ActionAssembler script;
    callFunction(script, "getDepth").trace();
    MovieBuilder builder(5);
    builder.doAction(script).showFrame();
    EXPECT_EQ(play(builder), (Lines{"undefined"}));
}

TEST(TellTarget, clipsSharingANameStayDistinctButTargetTheLowest) {
    ActionAssembler script;
    script.push({PushValue(0.0), PushValue(std::string("twin")), PushValue(2.0),
                 PushValue(std::string("createEmptyMovieClip"))});
    script.action(ActionCode::CallFunction).action(ActionCode::Pop);
    script.push({PushValue(std::string("upper")), PushValue(1.0), PushValue(std::string("twin")),
                 PushValue(2.0), PushValue(std::string("createEmptyMovieClip"))});
    script.action(ActionCode::CallFunction).setVariable();
    script.pushInteger(0).pushString("upper").getVariable().pushString("getDepth");
    script.action(ActionCode::CallMethod).trace();
    script.pushString("upper").getVariable().action(ActionCode::TypeOf).trace();
    script.pushString("upper").getVariable().action(ActionCode::SetTarget2);
    callFunction(script, "getDepth").trace();
    script.setTarget("");
    MovieBuilder builder(6);
    builder.doAction(script).showFrame();
    EXPECT_EQ(play(builder), (Lines{"1", "movieclip", "0"}));
}

} // namespace
} // namespace kf::swf::avm1::test
