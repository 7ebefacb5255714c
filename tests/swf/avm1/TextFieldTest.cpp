// Text field instances seen from scripts: their properties and the variable binding.
#include "ScriptMovie.h"

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

TEST(TextField, htmlTextOfAPlainFieldIsItsText) {
    ActionAssembler script;
    setMember(script, "field", "htmlText", std::string("<b>x</b>"));
    traceMember(script, "field", "text");
    setMember(script, "field", "html", true);
    setMember(script, "field", "htmlText", std::string("<b>x</b> &amp; y"));
    traceMember(script, "field", "text");
    EXPECT_EQ(play(fieldMovie(script)), (Lines{"<b>x</b>", "x & y"}));
}

} // namespace
} // namespace kf::swf::avm1::test
