// Text field instances seen from scripts: their properties and the variable binding.
#include "BuiltinScript.h"

namespace kf::swf::avm1::test {
namespace {

// A field named "field" bound to the variable "shown", with `first` on frame 1 and
// `second` on frame 2.
MovieBuilder fieldMovie(const ActionAssembler& first, const ActionAssembler& second = {}) {
    MovieBuilder builder(8);
    DefineEditTextTag field;
    field.id = CharacterId{50};
    field.bounds = Rect{Twips{0}, Twips{2000}, Twips{0}, Twips{400}};
    field.variableName = "shown";
    field.initialText = std::string("start");
    field.readOnly = true;
    builder.addTag(field);
    builder.placeNamed(CharacterId{50}, Depth{1}, "field").doAction(first).showFrame();
    builder.doAction(second).showFrame();
    return builder;
}

ActionAssembler& traceMember(ActionAssembler& script, const std::string& object, const std::string& member) {
    return script.pushString(object).getVariable().pushString(member).action(ActionCode::GetMember).trace();
}

ActionAssembler& setMember(ActionAssembler& script, const std::string& object, const std::string& member,
                           PushValue value) {
    return script.pushString(object)
        .getVariable()
        .push({PushValue(member), std::move(value)})
        .action(ActionCode::SetMember);
}

TEST(TextField, propertiesReadAndWriteTheField) {
    ActionAssembler script;
    traceMember(script, "field", "text");
    script.pushString("field").getVariable().action(ActionCode::TypeOf).trace();
    setMember(script, "field", "text", std::string("typed"));
    traceMember(script, "field", "text");
    traceMember(script, "field", "length");
    setMember(script, "field", "textColor", 0xFF0000);
    traceMember(script, "field", "textColor");
    setMember(script, "field", "border", true);
    traceMember(script, "field", "border");
    traceMember(script, "field", "_width");
    traceMember(script, "field", "variable");
    EXPECT_EQ(play(fieldMovie(script)),
              (Lines{"start", "object", "typed", "5", "16711680", "true", "100", "shown"}));
}

TEST(TextField, boundVariableStartsFromTheFieldAndFeedsItEachFrame) {
    ActionAssembler first;
    traceVariable(first, "shown");
    setVariable(first, "shown", std::string("bound"));
    ActionAssembler second;
    traceMember(second, "field", "text");
    setMember(second, "field", "text", std::string("back"));
    traceVariable(second, "shown");
    EXPECT_EQ(play(fieldMovie(first, second), 2), (Lines{"start", "bound", "back"}));
}

TEST(TextField, rebindingStartsAnUndefinedVariableFromTheInitialText) {
    ActionAssembler script;
    setMember(script, "field", "text", std::string("changed"));
    setMember(script, "field", "variable", std::string("other"));
    traceVariable(script, "other");
    traceMember(script, "field", "text");
    // A defined variable is shown as it is.
    setVariable(script, "defined", std::string("kept"));
    setMember(script, "field", "variable", std::string("defined"));
    traceMember(script, "field", "text");
    traceVariable(script, "defined");
    EXPECT_EQ(play(fieldMovie(script)), (Lines{"start", "start", "kept", "kept"}));
}

TEST(TextField, anEmptyFieldLeavesItsVariableUndefined) {
    ActionAssembler script;
    invokeAndDrop(script, "_root", "createTextField",
                  {PushValue(std::string("t")), PushValue(1), PushValue(0), PushValue(0), PushValue(10),
                   PushValue(10)});
    setMember(script, "t", "variable", std::string("bound"));
    traceVariable(script, "bound");
    traceMember(script, "t", "text");
    ActionAssembler next;
    traceVariable(next, "bound");
    EXPECT_EQ(play(fieldMovie(script, next), 2), (Lines{"undefined", "", "undefined"}));
}

TEST(TextField, thePrototypeHoldsThePropertiesAndInstancesAnswerThroughIt) {
    ActionAssembler script;
    for (const char* name : {"text", "background", "embedFonts", "_width"}) {
        invoke(script, "TextField.prototype", "hasOwnProperty", {PushValue(std::string(name))}).trace();
    }
    invoke(script, "field", "hasOwnProperty", {PushValue(std::string("text"))}).trace();
    traceMember(script, "field", "embedFonts");
    setMember(script, "field", "embedFonts", true);
    traceMember(script, "field", "embedFonts");
    EXPECT_EQ(play(fieldMovie(script)), (Lines{"true", "true", "true", "false", "false", "false", "true"}));
}

TEST(TextField, htmlTextOfAPlainFieldIsItsText) {
    ActionAssembler script;
    setMember(script, "field", "htmlText", std::string("<b>x</b>"));
    traceMember(script, "field", "text");
    setMember(script, "field", "html", true);
    setMember(script, "field", "htmlText", std::string("<b>x</b> &amp; y"));
    traceMember(script, "field", "text");
    EXPECT_EQ(play(fieldMovie(script)), (Lines{"<b>x</b>", "x & y"}));
}

// _root.createTextField(name, depth, x, y, width, height), traced, then the field's place.
ActionAssembler createFieldScript(const std::string& name, double depth) {
    ActionAssembler script;
    invoke(script, "_root", "createTextField",
           {PushValue(name), PushValue(depth), PushValue(2.9), PushValue(-3.2), PushValue(-40.0),
            PushValue(20.7)})
        .trace();
    for (const char* property : {"_x", "_y", "_width", "_height"}) {
        script.pushString(name + "." + property).getVariable().trace();
    }
    return script;
}

TEST(TextField, createTextFieldPlacesWholePixelsAndReturnsTheFieldFromSwf8) {
    EXPECT_EQ(run(8, createFieldScript("made", 5)), (Lines{"_level0.made", "2", "-3", "40", "20"}));
    EXPECT_EQ(run(7, createFieldScript("made", 5)), (Lines{"undefined", "2", "-3", "40", "20"}));
}

TEST(TextField, positionsAndSizesSetByScriptsDropFractionsOfATwip) {
    ActionAssembler script;
    invokeAndDrop(script, "_root", "createTextField",
                  {PushValue(std::string("t")), PushValue(1), PushValue(0), PushValue(0), PushValue(10),
                   PushValue(10)});
    for (const char* property : {"_x", "_y", "_width", "_height"}) {
        assignMember(script, "t", property, PushValue(3.94));
        traceMember(script, "t", property);
    }
    assignMember(script, "t", "_x", PushValue(-3.94));
    traceMember(script, "t", "_x");
    assignMember(script, "t", "_y", PushValue(3.9));
    traceMember(script, "t", "_y");
    EXPECT_EQ(run(8, script), (Lines{"3.9", "3.9", "3.9", "3.9", "-3.9", "3.9"}));
}

// _root.createTextField("t", 1, 0, 0, 100, 20) holding "abcd".
ActionAssembler fieldWithText() {
    ActionAssembler script;
    invokeAndDrop(script, "_root", "createTextField",
                  {PushValue(std::string("t")), PushValue(1), PushValue(0), PushValue(0), PushValue(100),
                   PushValue(20)});
    assignMember(script, "t", "text", PushValue(std::string("abcd")));
    return script;
}

// kept = t.method(arguments)
void keep(ActionAssembler& script, const std::string& method, const std::vector<Operand>& arguments = {}) {
    script.pushString("kept");
    invoke(script, "t", method, arguments).setVariable();
}

TEST(TextFormat, constructorTakesItsArgumentsInOrderAndLeavesTheRestNull) {
    ActionAssembler script;
    construct(script, "format", "TextFormat",
              {PushValue(std::string("_sans")), PushValue(14), PushValue(0xFF)});
    for (const char* property : {"font", "size", "color", "bold", "align", "tabStops"}) {
        traceMember(script, "format", property);
    }
    EXPECT_EQ(run(8, script), (Lines{"_sans", "14", "255", "null", "null", "null"}));
}

TEST(TextFormat, setTextFormatChangesItsRangeAndGetTextFormatNullsWhatDiffers) {
    ActionAssembler script = fieldWithText();
    construct(script, "bold", "TextFormat");
    assignMember(script, "bold", "bold", PushValue(true));
    assignMember(script, "bold", "size", PushValue(30));
    invokeAndDrop(script, "t", "setTextFormat", {PushValue(1), PushValue(3), Variable{"bold"}});
    keep(script, "getTextFormat", {PushValue(1), PushValue(3)});
    traceMember(script, "kept", "bold");
    traceMember(script, "kept", "size");
    keep(script, "getTextFormat");
    traceMember(script, "kept", "bold");
    traceMember(script, "kept", "font");
    keep(script, "getTextFormat", {PushValue(3)});
    traceMember(script, "kept", "bold");
    traceMember(script, "t", "text");
    EXPECT_EQ(run(8, script), (Lines{"true", "30", "null", "Times New Roman", "false", "abcd"}));
}

TEST(TextFormat, theNewTextFormatSetsTextSetLaterOnly) {
    ActionAssembler script = fieldWithText();
    construct(script, "large", "TextFormat");
    assignMember(script, "large", "size", PushValue(40));
    assignMember(script, "large", "align", PushValue(std::string("center")));
    invokeAndDrop(script, "t", "setNewTextFormat", {Variable{"large"}});
    keep(script, "getTextFormat");
    traceMember(script, "kept", "size");
    assignMember(script, "t", "text", PushValue(std::string("new")));
    keep(script, "getTextFormat");
    traceMember(script, "kept", "size");
    traceMember(script, "kept", "align");
    keep(script, "getNewTextFormat");
    traceMember(script, "kept", "size");
    EXPECT_EQ(run(8, script), (Lines{"12", "40", "center", "40"}));
}

TEST(TextField, autoSizeTakesTheThreeModesAndTrueAsLeft) {
    ActionAssembler script = fieldWithText();
    for (PushValue mode : {PushValue(std::string("center")), PushValue(true), PushValue(std::string("right")),
                           PushValue(std::string("sideways")), PushValue(false)}) {
        assignMember(script, "t", "autoSize", mode);
        traceMember(script, "t", "autoSize");
    }
    EXPECT_EQ(run(8, script), (Lines{"center", "left", "right", "none", "none"}));
}

TEST(Selection, focusGoesWhereAScriptPutsItUntilTheObjectLeaves) {
    ActionAssembler script = fieldWithText();
    invoke(script, "Selection", "getFocus").trace();
    invoke(script, "Selection", "setFocus", {Variable{"t"}}).trace();
    invoke(script, "Selection", "getFocus").trace();
    invoke(script, "Selection", "setFocus", {PushValue(std::string("nowhere"))}).trace();
    invoke(script, "Selection", "getFocus").trace();
    invokeAndDrop(script, "t", "removeTextField");
    invoke(script, "Selection", "getFocus").trace();
    script.pushString("t").getVariable().action(ActionCode::TypeOf).trace();
    EXPECT_EQ(run(8, script),
              (Lines{"null", "true", "_level0.t", "false", "_level0.t", "null", "undefined"}));
}

TEST(TextField, scriptMadeFieldTakesTextAndASoundOfItsOwn) {
    ActionAssembler script;
    invokeAndDrop(script, "_root", "createTextField",
                  {PushValue(std::string("t")), PushValue(1), PushValue(0), PushValue(0), PushValue(100),
                   PushValue(20)});
    assignMember(script, "t", "text", PushValue(std::string("hello")));
    traceMember(script, "t", "text");
    construct(script, "s", "Sound", {Variable{"t"}});
    invokeAndDrop(script, "s", "setPan", {PushValue(50)});
    construct(script, "again", "Sound", {Variable{"t"}});
    invoke(script, "again", "getPan").trace();
    construct(script, "movie", "Sound");
    invoke(script, "movie", "getPan").trace();
    EXPECT_EQ(run(8, script), (Lines{"hello", "50", "0"}));
}

} // namespace
} // namespace kf::swf::avm1::test
