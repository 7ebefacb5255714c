// Functions: arguments, return values, recursion, DefineFunction2 registers, closures,
// call and apply, and exceptions thrown through calls.

#include "ScriptMovie.h"

namespace kf::swf::avm1::test {
namespace {

TEST(Function, recursionReturnsThroughEveryLevel) {
    // function fact(n) { if (n < 2) return 1; return n * fact(n - 1); }
    ActionAssembler recurse;
    recurse.pushString("n").getVariable().pushString("n").getVariable().pushNumber(1).action(
        ActionCode::Subtract);
    recurse.push({1, std::string("fact")})
        .action(ActionCode::CallFunction)
        .action(ActionCode::Multiply)
        .action(ActionCode::Return);
    ActionAssembler body;
    body.pushString("n")
        .getVariable()
        .pushNumber(2)
        .action(ActionCode::Less2)
        .ifTrue(static_cast<std::int16_t>(codeSize(recurse)));
    append(body, recurse).pushNumber(1).action(ActionCode::Return);

    ActionAssembler script;
    defineFunction(script, "fact", {"n"}, body);
    callFunction(script, "fact", {10.0}).trace();
    EXPECT_EQ(run(6, script), (Lines{"3628800"}));
}

TEST(Function, missingArgumentsAreUndefinedAndExtraOnesInArguments) {
    ActionAssembler body;
    body.pushString("b").getVariable().trace();
    body.pushString("arguments").getVariable().pushString("length").action(ActionCode::GetMember).trace();
    ActionAssembler script;
    defineFunction(script, "f", {"a", "b"}, body);
    callFunction(script, "f", {1.0}).action(ActionCode::Pop);
    callFunction(script, "f", {1.0, 2.0, 3.0}).action(ActionCode::Pop);
    EXPECT_EQ(run(7, script), (Lines{"undefined", "1", "2", "3"}));
}

TEST(Function, defineFunction2PutsParametersAndThisInRegisters) {
    // function g(x) with x in register 2 and `this` preloaded into register 1.
    ActionAssembler body;
    body.pushRegister(2).pushNumber(10).action(ActionCode::Multiply).trace();
    body.pushRegister(1).action(ActionCode::TypeOf).trace();
    body.pushRegister(2).action(ActionCode::StoreRegister, StoreRegisterAction{3}).action(ActionCode::Pop);
    body.pushRegister(3).action(ActionCode::Return);
    DefineFunction2Action define;
    define.name = "g";
    define.registerCount = 4;
    define.preloadThis = true;
    define.parameters = {RegisterParameter{2, "x"}};
    define.codeSize = codeSize(body);
    ActionAssembler script;
    script.action(ActionCode::DefineFunction2, define);
    append(script, body);
    callFunction(script, "g", {4.0}).trace();
    // The global registers are not the function's.
    script.pushRegister(3).trace();
    EXPECT_EQ(run(7, script), (Lines{"40", "movieclip", "4", "undefined"}));
}

TEST(Function, closuresKeepTheScopeTheyWereMadeIn) {
    // function make(start) { var count = start; return function () { return ++count; }; }
    ActionAssembler inner;
    inner.pushString("count")
        .pushString("count")
        .getVariable()
        .action(ActionCode::Increment)
        .action(ActionCode::StoreRegister, StoreRegisterAction{0})
        .setVariable()
        .pushRegister(0)
        .action(ActionCode::Return);
    ActionAssembler outer;
    outer.pushString("count").pushString("start").getVariable().action(ActionCode::DefineLocal);
    defineFunction(outer, "", {}, inner).action(ActionCode::Return);

    ActionAssembler script;
    defineFunction(script, "make", {"start"}, outer);
    setVariable(script, "counter", PushUndefined{});
    callFunction(script, "make", {5.0})
        .action(ActionCode::StoreRegister, StoreRegisterAction{1})
        .action(ActionCode::Pop);
    script.push({std::string("counter")}).pushRegister(1).setVariable();
    for (int call = 0; call < 2; ++call) {
        callFunction(script, "counter").trace();
    }
    traceVariable(script, "count"); // the local never leaked onto the timeline
    EXPECT_EQ(run(6, script), (Lines{"6", "7", "undefined"}));
}

TEST(Function, callAndApplySetThis) {
    ActionAssembler body;
    body.pushString("this").getVariable().pushString("name").action(ActionCode::GetMember);
    body.pushString("a").getVariable().action(ActionCode::Add2).trace();
    ActionAssembler script;
    defineFunction(script, "f", {"a"}, body);
    // o = {name: "o"}
    script.push({std::string("o"), std::string("name"), std::string("o"), 1})
        .action(ActionCode::InitObject)
        .setVariable();
    // f.call(o, "!")
    script.pushString("!")
        .pushString("o")
        .getVariable()
        .pushInteger(2)
        .pushString("f")
        .getVariable()
        .pushString("call")
        .action(ActionCode::CallMethod)
        .action(ActionCode::Pop);
    // f.apply(o, ["?"])
    script.push({std::string("?"), 1}).action(ActionCode::InitArray).push({std::string("o")}).getVariable();
    script.push({2})
        .pushString("f")
        .getVariable()
        .pushString("apply")
        .action(ActionCode::CallMethod)
        .action(ActionCode::Pop);
    EXPECT_EQ(run(6, script), (Lines{"o!", "o?"}));
}

TEST(Function, tryCatchFinallyCatchesWhatACalledFunctionThrows) {
    ActionAssembler thrower;
    thrower.pushString("boom").action(ActionCode::Throw).trace("not reached");
    ActionAssembler tryBlock;
    callFunction(tryBlock, "fail").action(ActionCode::Pop).trace("not reached either");
    ActionAssembler catchBlock;
    catchBlock.pushString("caught ").pushString("e").getVariable().action(ActionCode::Add2).trace();
    ActionAssembler finallyBlock;
    finallyBlock.trace("finally");

    TryAction info;
    info.hasCatchBlock = true;
    info.hasFinallyBlock = true;
    info.catchName = "e";
    info.trySize = codeSize(tryBlock) + 5; // plus the jump over the catch block
    info.catchSize = codeSize(catchBlock);
    info.finallySize = codeSize(finallyBlock);
    ActionAssembler script;
    defineFunction(script, "fail", {}, thrower);
    script.action(ActionCode::Try, info);
    append(script, tryBlock).jump(static_cast<std::int16_t>(info.catchSize));
    append(script, catchBlock);
    append(script, finallyBlock);
    script.trace("after");
    EXPECT_EQ(run(7, script), (Lines{"caught boom", "finally", "after"}));
}

TEST(Function, uncaughtThrowEndsOnlyThatScript) {
    MovieBuilder builder(7);
    builder.doAction(
        ActionAssembler().trace("one").pushString("x").action(ActionCode::Throw).trace("skipped"));
    builder.doAction(ActionAssembler().trace("two")).showFrame();
    EXPECT_EQ(play(builder), (Lines{"one", "two"}));
}

} // namespace
} // namespace kf::swf::avm1::test
