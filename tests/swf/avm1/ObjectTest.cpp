// Objects: prototypes and constructors, getters and setters, enumeration, and the built-in
// Array and String methods classic content leans on.

#include "ScriptMovie.h"

namespace kf::swf::avm1::test {
namespace {

TEST(Object, constructorsPrototypesAndInstanceOf) {
    // function Animal(name) { this.name = name; }  Animal.prototype.speak = function () {...}
    ActionAssembler constructor;
    constructor.pushString("this").getVariable().pushString("name").pushString("name").getVariable().action(
        ActionCode::SetMember);
    ActionAssembler speak;
    speak.pushString("this")
        .getVariable()
        .pushString("name")
        .action(ActionCode::GetMember)
        .pushString(" speaks")
        .action(ActionCode::Add2)
        .trace();
    ActionAssembler script;
    defineFunction(script, "Animal", {"name"}, constructor);
    script.pushString("Animal")
        .getVariable()
        .pushString("prototype")
        .action(ActionCode::GetMember)
        .pushString("speak");
    defineFunction(script, "", {}, speak).action(ActionCode::SetMember);
    script.push({std::string("rex"), std::string("dog"), 1, std::string("Animal")})
        .action(ActionCode::NewObject)
        .setVariable();
    script.pushString("rex").action(ActionCode::Pop);
    script.push({std::string("pet"), std::string("Rex"), 1, std::string("Animal")})
        .action(ActionCode::NewObject)
        .setVariable();
    callMethod(script, "pet", "speak").action(ActionCode::Pop);
    script.pushString("pet")
        .getVariable()
        .pushString("Animal")
        .getVariable()
        .action(ActionCode::InstanceOf)
        .trace();
    script.pushString("pet")
        .getVariable()
        .pushString("Array")
        .getVariable()
        .action(ActionCode::InstanceOf)
        .trace();
    callMethod(script, "pet", "hasOwnProperty", {std::string("speak")}).trace();
    EXPECT_EQ(run(6, script), (Lines{"Rex speaks", "true", "false", "false"}));
}

TEST(Object, extendsChainsPrototypes) {
    ActionAssembler base;
    ActionAssembler hello;
    hello.trace("hello from Base");
    ActionAssembler script;
    defineFunction(script, "Base", {}, base);
    defineFunction(script, "Derived", {}, base);
    script.pushString("Base")
        .getVariable()
        .pushString("prototype")
        .action(ActionCode::GetMember)
        .pushString("hello");
    defineFunction(script, "", {}, hello).action(ActionCode::SetMember);
    script.pushString("Derived").getVariable().pushString("Base").getVariable().action(ActionCode::Extends);
    script.push({std::string("d"), 0, std::string("Derived")}).action(ActionCode::NewObject).setVariable();
    callMethod(script, "d", "hello").action(ActionCode::Pop);
    script.pushString("d")
        .getVariable()
        .pushString("Base")
        .getVariable()
        .action(ActionCode::InstanceOf)
        .trace();
    // __proto__ is the prototype of the constructor.
    script.pushString("d").getVariable().pushString("__proto__").action(ActionCode::GetMember);
    script.pushString("Derived").getVariable().pushString("prototype").action(ActionCode::GetMember);
    script.action(ActionCode::StrictEquals).trace();
    EXPECT_EQ(run(7, script), (Lines{"hello from Base", "true", "true"}));
}

TEST(Object, addPropertyCallsGetterAndSetter) {
    ActionAssembler getter;
    getter.pushNumber(42).action(ActionCode::Return);
    ActionAssembler setter;
    setter.pushString("set ").pushString("v").getVariable().action(ActionCode::Add2).trace();
    ActionAssembler script;
    script.push({std::string("o"), 0}).action(ActionCode::InitObject).setVariable();
    defineFunction(script, "", {"v"}, setter);
    defineFunction(script, "", {}, getter);
    script.push({std::string("answer"), 3})
        .pushString("o")
        .getVariable()
        .pushString("addProperty")
        .action(ActionCode::CallMethod)
        .trace();
    traceVariable(script, "o.answer");
    script.pushString("o").getVariable().push({std::string("answer"), 7.0}).action(ActionCode::SetMember);
    EXPECT_EQ(run(6, script), (Lines{"true", "42", "set 7"}));
}

TEST(Object, forInListsNewestPropertiesFirst) {
    ActionAssembler script;
    script.push({std::string("o"), std::string("a"), 1, std::string("b"), 2, std::string("c"), 3, 3})
        .action(ActionCode::InitObject)
        .setVariable();
    script.pushString("o").action(ActionCode::Enumerate);
    // while ((name = pop()) != null) trace(name);
    ActionAssembler loopBody;
    loopBody.pushRegister(0).trace();
    ActionAssembler test;
    test.action(ActionCode::StoreRegister, StoreRegisterAction{0}).pushNull().action(ActionCode::Equals2);
    const auto bodySize = static_cast<std::int16_t>(codeSize(loopBody) + 5);
    append(script, test).ifTrue(bodySize);
    append(script, loopBody).jump(static_cast<std::int16_t>(-(bodySize + codeSize(test) + 5)));
    EXPECT_EQ(run(6, script), (Lines{"c", "b", "a"}));
}

TEST(Object, arrayMethods) {
    ActionAssembler script;
    script.push({std::string("a"), 1, 2, 3, 3}).action(ActionCode::InitArray).setVariable();
    traceVariable(script, "a");
    callMethod(script, "a", "push", {std::string("x")}).trace();
    callMethod(script, "a", "join", {std::string("-")}).trace();
    callMethod(script, "a", "pop").trace();
    callMethod(script, "a", "sort").trace();
    callMethod(script, "a", "reverse").trace();
    callMethod(script, "a", "slice", {1}).trace();
    callMethod(script, "a", "splice", {0, 1, std::string("y")}).trace();
    traceVariable(script, "a");
    callMethod(script, "a", "concat", {4}).trace();
    callMethod(script, "a", "shift").trace();
    callMethod(script, "a", "unshift", {0}).trace();
    traceVariable(script, "a.length");
    EXPECT_EQ(run(6, script), (Lines{"3,2,1", "4", "3-2-1-x", "x", "1,2,3", "3,2,1", "2,1", "3", "y,2,1",
                                     "y,2,1,4", "y", "3", "3"}));
}

TEST(Object, stringMethods) {
    ActionAssembler script;
    setVariable(script, "s", std::string("Hello, World"));
    traceVariable(script, "s.length");
    callMethod(script, "s", "charAt", {4}).trace();
    callMethod(script, "s", "charCodeAt", {0}).trace();
    callMethod(script, "s", "indexOf", {std::string("o")}).trace();
    callMethod(script, "s", "lastIndexOf", {std::string("o")}).trace();
    callMethod(script, "s", "substr", {-5, 3}).trace();
    callMethod(script, "s", "substring", {5, 0}).trace();
    callMethod(script, "s", "slice", {-5}).trace();
    callMethod(script, "s", "toUpperCase").trace();
    callMethod(script, "s", "split", {std::string(", ")})
        .pushString("length")
        .action(ActionCode::GetMember)
        .trace();
    script.push({105, 72, 2})
        .pushString("String")
        .getVariable()
        .pushString("fromCharCode")
        .action(ActionCode::CallMethod)
        .trace();
    EXPECT_EQ(run(6, script),
              (Lines{"12", "o", "72", "4", "8", "Wor", "Hello", "World", "HELLO, WORLD", "2", "Hi"}));
}

TEST(Object, mathAndNumberFormatting) {
    ActionAssembler script;
    script.push({2.5, 1})
        .pushString("Math")
        .getVariable()
        .pushString("round")
        .action(ActionCode::CallMethod)
        .trace();
    script.push({-2.5, 1})
        .pushString("Math")
        .getVariable()
        .pushString("round")
        .action(ActionCode::CallMethod)
        .trace();
    script.push({1, 7, 3, 3})
        .pushString("Math")
        .getVariable()
        .pushString("max")
        .action(ActionCode::CallMethod)
        .trace();
    script.push({16, 1}).pushNumber(255).pushString("toString").action(ActionCode::CallMethod).trace();
    script.push({std::string("0x10"), 1, std::string("parseInt")}).action(ActionCode::CallFunction).trace();
    EXPECT_EQ(run(6, script), (Lines{"3", "-2", "7", "ff", "16"}));
}

} // namespace
} // namespace kf::swf::avm1::test
