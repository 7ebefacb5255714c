// Property attributes: __proto__ as a property scripts can hide, delete and replace, the
// player-version bits of ASSetPropFlags, and what functions, instances and the Sound and
// Button prototypes carry in each version.

#include "BuiltinScript.h"

namespace kf::swf::avm1::test {
namespace {

// name(arguments) for its effect only.
ActionAssembler& callAndDrop(ActionAssembler& to, const std::string& name,
                             const std::vector<Operand>& arguments) {
    pushArguments(to, arguments);
    return to.pushString(name).action(ActionCode::CallFunction).action(ActionCode::Pop);
}

// trace(typeof path)
ActionAssembler& traceType(ActionAssembler& to, const std::string& path) {
    return to.pushString(path).getVariable().action(ActionCode::TypeOf).trace();
}

// trace(object.hasOwnProperty(name))
ActionAssembler& traceOwn(ActionAssembler& to, const std::string& object, const std::string& name) {
    return invoke(to, object, "hasOwnProperty", {PushValue(name)}).trace();
}

// trace(delete object[name])
ActionAssembler& traceDelete(ActionAssembler& to, const std::string& object, const std::string& name) {
    return to.pushString(object).getVariable().pushString(name).action(ActionCode::Delete).trace();
}

TEST(PropertyFlags, protoIsAHiddenPermanentPropertyThatLeadsLookups) {
    ActionAssembler script;
    makeObject(script, "base", {{"x", PushValue(5)}});
    makeObject(script, "o", {});
    traceOwn(script, "o", "__proto__");
    invoke(script, "o", "isPropertyEnumerable", {PushValue(std::string("__proto__"))}).trace();
    traceDelete(script, "o", "__proto__");
    // Writing it moves the object onto another prototype.
    assignMember(script, "o", "__proto__", Variable{"base"});
    traceMember(script, "o", "x");
    // Once unprotected it can go, and the object inherits nothing any more.
    callAndDrop(script, "ASSetPropFlags",
                {Variable{"o"}, PushValue(std::string("__proto__")), PushValue(0), PushValue(2)});
    traceDelete(script, "o", "__proto__");
    traceType(script, "o.x");
    traceType(script, "o.toString");
    EXPECT_EQ(run(6, script), (Lines{"true", "false", "false", "5", "true", "undefined", "undefined"}));
}

TEST(PropertyFlags, readOnlyProtoKeepsItsPrototype) {
    ActionAssembler script;
    makeObject(script, "o", {});
    callAndDrop(script, "ASSetPropFlags", {Variable{"o"}, PushValue(PushNull{}), PushValue(4)});
    assignMember(script, "o", "__proto__", PushValue(std::string("text")));
    traceType(script, "o.toString");
    EXPECT_EQ(run(6, script), (Lines{"function"}));
}

// o.a = 1 flagged for Flash Player 7 and later, read, written, then the flag cleared.
ActionAssembler versionFlaggedScript() {
    ActionAssembler script;
    makeObject(script, "o", {{"a", PushValue(1)}});
    callAndDrop(script, "ASSetPropFlags", {Variable{"o"}, PushValue(std::string("a")), PushValue(0x400)});
    traceMember(script, "o", "a");
    assignMember(script, "o", "a", PushValue(2));
    traceMember(script, "o", "a");
    traceOwn(script, "o", "a");
    callAndDrop(script, "ASSetPropFlags",
                {Variable{"o"}, PushValue(std::string("a")), PushValue(0), PushValue(0x400)});
    traceMember(script, "o", "a");
    return script;
}

TEST(PropertyFlags, versionBitsHideFromOlderMoviesWhichCannotOverwriteEither) {
    EXPECT_EQ(run(6, versionFlaggedScript()), (Lines{"undefined", "undefined", "true", "1"}));
    EXPECT_EQ(run(7, versionFlaggedScript()), (Lines{"1", "2", "true", "2"}));
}

TEST(PropertyFlags, notVersionSixHidesFromSixAlone) {
    ActionAssembler script;
    makeObject(script, "o", {{"a", PushValue(1)}});
    callAndDrop(script, "ASSetPropFlags", {Variable{"o"}, PushValue(PushNull{}), PushValue(0x100)});
    traceMember(script, "o", "a");
    EXPECT_EQ(run(5, script), (Lines{"1"}));
    EXPECT_EQ(run(6, script), (Lines{"undefined"}));
    EXPECT_EQ(run(7, script), (Lines{"1"}));
}

// function f() {}  x = new f();
ActionAssembler functionAndInstanceScript() {
    ActionAssembler script;
    defineFunction(script, "f", {}, ActionAssembler{});
    construct(script, "x", "f");
    traceType(script, "f.__proto__");
    traceType(script, "f.constructor");
    traceOwn(script, "x", "constructor");
    traceOwn(script, "x", "__constructor__");
    traceType(script, "x.__constructor__");
    return script;
}

TEST(PropertyFlags, functionsAndInstancesCarryWhatEachVersionGives) {
    // ASnative lends hasOwnProperty to SWF 5, where the method itself is hidden.
    ActionAssembler swf5;
    traceType(swf5, "Object.prototype.hasOwnProperty");
    traceType(swf5, "Function");
    defineFunction(swf5, "f", {}, ActionAssembler{});
    construct(swf5, "x", "f");
    traceType(swf5, "f.__proto__");
    traceType(swf5, "x.__proto__");
    swf5.pushString("x").getVariable().pushString("own");
    pushArguments(swf5, {PushValue(101), PushValue(5)})
        .pushString("ASnative")
        .action(ActionCode::CallFunction)
        .action(ActionCode::SetMember);
    invoke(swf5, "x", "own", {PushValue(std::string("__constructor__"))}).trace();
    traceType(swf5, "x.__constructor__");
    EXPECT_EQ(run(5, swf5), (Lines{"undefined", "undefined", "undefined", "object", "true", "undefined"}));

    EXPECT_EQ(run(6, functionAndInstanceScript()), (Lines{"object", "function", "true", "true", "function"}));
    // Flash Player 7 leaves the constructor to the prototype.
    EXPECT_EQ(run(7, functionAndInstanceScript()),
              (Lines{"object", "function", "false", "true", "function"}));
}

// Each name's type on Sound.prototype, then whether the prototype's __proto__ can be replaced.
ActionAssembler soundPrototypeScript() {
    ActionAssembler script;
    for (const char* name : {"getPan", "getDuration", "areSoundsInaccessible", "checkPolicyFile"}) {
        traceType(script, std::string("Sound.prototype.") + name);
    }
    script.pushString("Sound").getVariable().pushString("prototype").action(ActionCode::GetMember);
    script.pushString("__proto__").pushString("text").action(ActionCode::SetMember);
    traceType(script, "Sound.prototype.__proto__");
    construct(script, "s", "Sound");
    traceOwn(script, "s", "duration");
    traceType(script, "s.duration");
    return script;
}

TEST(PropertyFlags, soundPrototypeMembersFollowThePlayerVersions) {
    EXPECT_EQ(run(5, soundPrototypeScript()),
              (Lines{"function", "undefined", "undefined", "undefined", "object", "undefined", "undefined"}));
    EXPECT_EQ(run(8, soundPrototypeScript()),
              (Lines{"function", "function", "undefined", "undefined", "object", "false", "undefined"}));
    EXPECT_EQ(run(9, soundPrototypeScript()),
              (Lines{"function", "function", "function", "undefined", "object", "false", "undefined"}));
}

TEST(PropertyFlags, buttonPrototypeMembersAreVisibleAndItsDisplaySettingsIgnoreWrites) {
    ActionAssembler script;
    script.pushString("p")
        .pushString("Button")
        .getVariable()
        .pushString("prototype")
        .action(ActionCode::GetMember);
    script.setVariable();
    invoke(script, "p", "isPropertyEnumerable", {PushValue(std::string("getDepth"))}).trace();
    invoke(script, "p", "isPropertyEnumerable", {PushValue(std::string("blendMode"))}).trace();
    assignMember(script, "p", "blendMode", PushValue(std::string("add")));
    traceMember(script, "p", "blendMode");
    EXPECT_EQ(run(8, script), (Lines{"true", "true", "undefined"}));
}

} // namespace
} // namespace kf::swf::avm1::test
