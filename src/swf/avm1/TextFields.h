#pragma once

#include "swf/avm1/Value.h"

#include <memory>
#include <optional>
#include <string_view>

namespace kf::swf {
class EditTextObject;
class SpriteObject;
} // namespace kf::swf

namespace kf::swf::avm1 {

class Interpreter;
class Object;

// The TextField side of text field instances: the properties scripts read and write on
// them, and the `variable` binding that shows a timeline variable in the field.
std::optional<Value> getTextFieldProperty(Interpreter& vm, EditTextObject& field, std::string_view name);
// False when `name` is no text field property (the caller sets it as a plain member).
bool setTextFieldProperty(Interpreter& vm, EditTextObject& field, std::string_view name, const Value& value);
// Every bound field under `root` shows its variable's value now; a variable not yet defined
// takes the field's text, as Flash Player initialises it.
void updateBoundTextFields(Interpreter& vm, SpriteObject& root);
// setTextFormat, getTextFormat, setNewTextFormat and getNewTextFormat on `prototype`.
void installTextFieldFormats(Interpreter& vm, Object& prototype);
// What text field instances inherit from: TextField.prototype.
std::shared_ptr<Object> textFieldPrototype(Interpreter& vm);

} // namespace kf::swf::avm1
