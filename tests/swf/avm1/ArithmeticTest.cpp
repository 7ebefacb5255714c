// Arithmetic and its results per SWF version: SWF 4's numeric actions against SWF 5's
// typed ones.

#include "ScriptMovie.h"

namespace kf::swf::avm1::test {
namespace {

ActionAssembler binary(PushValue left, PushValue right, ActionCode code) {
    ActionAssembler script;
    script.push({std::move(left), std::move(right)}).action(code).trace();
    return script;
}

TEST(Arithmetic, numbersAddSubtractMultiplyDivide) {
    ActionAssembler script;
    append(script, binary(2.5, 4.0, ActionCode::Add2));
    append(script, binary(10.0, 4.0, ActionCode::Subtract));
    append(script, binary(3.0, 0.1, ActionCode::Multiply));
    append(script, binary(1.0, 3.0, ActionCode::Divide));
    append(script, binary(-7.0, 3.0, ActionCode::Modulo));
    EXPECT_EQ(run(6, script), (Lines{"6.5", "6", "0.3", "0.333333333333333", "-1"}));
}

TEST(Arithmetic, divisionByZeroIsErrorInSwf4AndInfinityLater) {
    EXPECT_EQ(run(4, binary(1.0, 0.0, ActionCode::Divide)), (Lines{"#ERROR#"}));
    EXPECT_EQ(run(5, binary(1.0, 0.0, ActionCode::Divide)), (Lines{"Infinity"}));
    EXPECT_EQ(run(5, binary(-1.0, 0.0, ActionCode::Divide)), (Lines{"-Infinity"}));
    EXPECT_EQ(run(5, binary(0.0, 0.0, ActionCode::Divide)), (Lines{"NaN"}));
}

TEST(Arithmetic, add2ConcatenatesWhenEitherSideIsAString) {
    ActionAssembler script;
    append(script, binary(std::string("a"), 1.0, ActionCode::Add2));
    append(script, binary(1.0, std::string("2"), ActionCode::Add2));
    append(script, binary(true, 1.0, ActionCode::Add2));
    // The SWF 4 Add is numeric whatever the operands.
    append(script, binary(std::string("3"), std::string("4"), ActionCode::Add));
    EXPECT_EQ(run(6, script), (Lines{"a1", "12", "2", "7"}));
}

TEST(Arithmetic, swf4ComparisonsPushNumbersLaterOnesBooleans) {
    ActionAssembler script;
    append(script, binary(1.0, 2.0, ActionCode::Less));
    append(script, binary(2.0, 2.0, ActionCode::Equals));
    EXPECT_EQ(run(4, script), (Lines{"1", "1"}));
    EXPECT_EQ(run(5, script), (Lines{"true", "true"}));
}

TEST(Arithmetic, bitOperationsWorkOnInt32) {
    ActionAssembler script;
    append(script, binary(0xF0, 0x3C, ActionCode::BitAnd));
    append(script, binary(1.0, 31.0, ActionCode::BitLShift));
    append(script, binary(-1.0, 28.0, ActionCode::BitURShift));
    append(script, binary(-16.0, 2.0, ActionCode::BitRShift));
    append(script, binary(4294967297.0, 0.0, ActionCode::BitOr));
    EXPECT_EQ(run(6, script), (Lines{"48", "-2147483648", "15", "-4", "1"}));
}

TEST(Arithmetic, incrementDecrementAndToInteger) {
    ActionAssembler script;
    script.pushNumber(1.5).action(ActionCode::Increment).trace();
    script.pushString("x").action(ActionCode::Decrement).trace();
    script.pushNumber(-2.7).action(ActionCode::ToInteger).trace();
    EXPECT_EQ(run(7, script), (Lines{"2.5", "NaN", "-2"}));
}

TEST(Arithmetic, stringActionsIndexFromOne) {
    ActionAssembler script;
    script.push({std::string("hello"), 2, 3}).action(ActionCode::StringExtract).trace();
    script.pushString("hello").action(ActionCode::StringLength).trace();
    script.push({std::string("ab"), std::string("abc")}).action(ActionCode::StringLess).trace();
    script.push({std::string("x"), std::string("y")}).action(ActionCode::StringAdd).trace();
    script.pushInteger(65).action(ActionCode::AsciiToChar).trace();
    script.pushString("a").action(ActionCode::CharToAscii).trace();
    EXPECT_EQ(run(5, script), (Lines{"ell", "5", "true", "xy", "A", "97"}));
}

} // namespace
} // namespace kf::swf::avm1::test
