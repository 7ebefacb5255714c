// Conversions as each SWF version does them: number formatting, strings to numbers,
// undefined as text, booleans from strings.

#include "ScriptMovie.h"
#include "swf/avm1/Conversions.h"

#include <cmath>
#include <limits>

namespace kf::swf::avm1::test {
namespace {

TEST(Conversion, numbersPrintWithFifteenDigitsAndFlashExponents) {
    EXPECT_EQ(numberToString(0.1 + 0.2), "0.3");
    EXPECT_EQ(numberToString(1e21), "1e+21");
    EXPECT_EQ(numberToString(1e15), "1e+15");
    EXPECT_EQ(numberToString(123456789012345.0), "123456789012345");
    EXPECT_EQ(numberToString(0.0001), "0.0001");
    EXPECT_EQ(numberToString(0.00001), "1e-5");
    EXPECT_EQ(numberToString(-1.5e-7), "-1.5e-7");
    EXPECT_EQ(numberToString(-0.0), "0");
    EXPECT_EQ(numberToString(std::numeric_limits<double>::quiet_NaN()), "NaN");
    EXPECT_EQ(numberToString(-std::numeric_limits<double>::infinity()), "-Infinity");
}

TEST(Conversion, stringsToNumbers) {
    EXPECT_EQ(stringToNumber(" 12 ", 6), 12);
    EXPECT_EQ(stringToNumber("0x1F", 6), 31);
    EXPECT_EQ(stringToNumber("1e3", 6), 1000);
    EXPECT_EQ(stringToNumber("abc", 4), 0); // SWF 4 has no NaN for text
    EXPECT_TRUE(std::isnan(stringToNumber("abc", 5)));
    EXPECT_TRUE(std::isnan(stringToNumber("inf", 7)));
}

TEST(Conversion, undefinedIsEmptyTextBeforeSwf7AndZeroAsNumber) {
    ActionAssembler script;
    script.push({std::string("["), PushUndefined{}})
        .action(ActionCode::Add2)
        .pushString("]")
        .action(ActionCode::Add2)
        .trace();
    script.push({PushUndefined{}, 1.0}).action(ActionCode::Add2).trace();
    EXPECT_EQ(run(6, script), (Lines{"[]", "1"}));
    EXPECT_EQ(run(7, script), (Lines{"[undefined]", "NaN"}));
}

TEST(Conversion, stringTruthChangedInSwf7) {
    ActionAssembler script;
    script.pushString("abc").action(ActionCode::Not).action(ActionCode::Not).trace();
    script.pushString("0").action(ActionCode::Not).action(ActionCode::Not).trace();
    EXPECT_EQ(run(6, script), (Lines{"false", "false"}));
    EXPECT_EQ(run(7, script), (Lines{"true", "true"}));
}

TEST(Conversion, looseAndStrictEquality) {
    ActionAssembler script;
    script.push({1.0, std::string("1")}).action(ActionCode::Equals2).trace();
    script.push({PushNull{}, PushUndefined{}}).action(ActionCode::Equals2).trace();
    script.push({1.0, std::string("1")}).action(ActionCode::StrictEquals).trace();
    script.push({true, 1.0}).action(ActionCode::Equals2).trace();
    script.push({std::string("a"), std::string("b")}).action(ActionCode::Less2).trace();
    script.push({std::string("x"), 1.0}).action(ActionCode::Less2).trace();
    EXPECT_EQ(run(6, script), (Lines{"true", "true", "false", "true", "true", "undefined"}));
}

TEST(Conversion, typeOfNamesEveryKind) {
    ActionAssembler script;
    for (PushValue value : std::vector<PushValue>{PushUndefined{}, PushNull{}, true, 1.0, std::string("s")}) {
        script.push({value}).action(ActionCode::TypeOf).trace();
    }
    script.pushString("_root").getVariable().action(ActionCode::TypeOf).trace();
    script.pushInteger(0).action(ActionCode::InitObject).action(ActionCode::TypeOf).trace();
    EXPECT_EQ(run(6, script),
              (Lines{"undefined", "null", "boolean", "number", "string", "movieclip", "object"}));
}

TEST(Conversion, identifiersIgnoreCaseBeforeSwf7) {
    ActionAssembler script;
    setVariable(script, "Value", 5.0);
    traceVariable(script, "value");
    EXPECT_EQ(run(6, script), (Lines{"5"}));
    EXPECT_EQ(run(7, script), (Lines{"undefined"}));
}

} // namespace
} // namespace kf::swf::avm1::test
