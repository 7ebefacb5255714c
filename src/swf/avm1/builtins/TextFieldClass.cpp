// TextField: the properties of text field instances and the variable binding of fields.
#include "swf/avm1/ActionHandlers.h"
#include "swf/avm1/BuiltinSupport.h"
#include "swf/avm1/Conversions.h"
#include "swf/avm1/ScriptedClips.h"
#include "swf/avm1/TextFields.h"
#include "swf/runtime/DisplayList.h"
#include "swf/runtime/EditTextObject.h"
#include "swf/runtime/SpriteObject.h"
#include "swf/runtime/TargetPath.h"
#include "swf/runtime/TextEncoding.h"

#include <cmath>
#include <cstdio>

namespace kf::swf::avm1 {

namespace {

bool named(std::string_view name, std::string_view wanted) {
    if (name.size() != wanted.size()) {
        return false;
    }
    for (std::size_t index = 0; index < name.size(); ++index) {
        const auto lower = [](char code) {
            return code >= 'A' && code <= 'Z' ? static_cast<char>(code + 32) : code;
        };
        if (lower(name[index]) != lower(wanted[index])) {
            return false;
        }
    }
    return true;
}

double colorNumber(Rgba color) {
    return static_cast<double>((color.red << 16) | (color.green << 8) | color.blue);
}

Rgba colorOf(Interpreter& vm, const Value& value, std::uint8_t alpha) {
    const double number = vm.toNumber(value);
    const auto bits =
        std::isfinite(number) ? static_cast<std::uint32_t>(static_cast<std::int64_t>(number)) : 0u;
    return Rgba{static_cast<std::uint8_t>(bits >> 16), static_cast<std::uint8_t>(bits >> 8),
                static_cast<std::uint8_t>(bits), alpha};
}

// Pixels to twips, fractions of a twip dropped; a hair of slack keeps 2.1 at 42 twips.
double wholeTwips(double pixels) {
    return std::trunc(pixels * 20.0 + (pixels >= 0 ? 1e-9 : -1e-9));
}

const char* autoSizeName(TextAutoSize mode) {
    switch (mode) {
    case TextAutoSize::Left:
        return "left";
    case TextAutoSize::Center:
        return "center";
    case TextAutoSize::Right:
        return "right";
    case TextAutoSize::None:
        break;
    }
    return "none";
}

std::string utf8(const std::u32string& text) {
    return encodeUtf8(text);
}

// Splits a variable path into the clip part and the name: "a.b.c" and "/a/b:c".
std::pair<std::string_view, std::string_view> splitVariable(std::string_view path) {
    const std::size_t cut = path.find_last_of(".:");
    if (cut == std::string_view::npos) {
        return {std::string_view(), path};
    }
    return {path.substr(0, cut), path.substr(cut + 1)};
}

// The clip that holds the field's variable and the variable's name, or no clip.
std::pair<DisplayObject*, std::string_view> variableOf(Interpreter& vm, EditTextObject& field,
                                                       SpriteObject& root) {
    SpriteObject* parent = field.parent();
    const std::string& variable = field.settings().variableName;
    if (!parent || variable.empty()) {
        return {nullptr, {}};
    }
    const auto [clipPath, name] = splitVariable(variable);
    DisplayObject* target = parent;
    if (!clipPath.empty()) {
        target = resolveTargetPath(clipPath, *parent, root, vm.caseSensitive());
    }
    return {name.empty() ? nullptr : target, name};
}

void bindField(Interpreter& vm, EditTextObject& field, SpriteObject& root) {
    const auto [target, name] = variableOf(vm, field, root);
    if (!target) {
        return;
    }
    const Value clip(vm.clipObject(*target));
    const Value value = vm.getMember(clip, name);
    if (value.isUndefined()) {
        // An undefined variable takes the field's text, unless that is empty.
        if (!field.text().empty()) {
            vm.setMember(clip, name, Value(utf8(field.text())));
        }
        return;
    }
    const std::u32string shown = decodeMovieText(vm.toString(value));
    if (shown != field.text()) {
        field.setText(shown, true);
    }
}

void bindAll(Interpreter& vm, SpriteObject& clip, SpriteObject& root, int level) {
    if (level > 64) {
        return;
    }
    for (const auto& [depth, child] : clip.displayList().objects()) {
        if (!child) {
            continue;
        }
        if (EditTextObject* field = child->asEditText()) {
            bindField(vm, *field, root);
        } else if (SpriteObject* sprite = child->asSprite()) {
            bindAll(vm, *sprite, root, level + 1);
        }
    }
}

} // namespace

std::optional<Value> getTextFieldProperty(Interpreter& vm, EditTextObject& field, std::string_view name) {
    const EditTextSettings& settings = field.settings();
    if (named(name, "text") || named(name, "htmlText") || named(name, "length")) {
        // A bound field reads as its variable is now, not as the last frame showed it.
        bindField(vm, field, vm.context().root);
    }
    if (named(name, "text")) {
        return Value(utf8(field.text()));
    }
    if (named(name, "htmlText")) {
        return Value(utf8(settings.html ? field.htmlText() : field.text()));
    }
    if (named(name, "length")) {
        return Value(static_cast<double>(field.text().size()));
    }
    if (named(name, "textColor")) {
        return Value(colorNumber(settings.format.color));
    }
    if (named(name, "border")) {
        return Value(settings.border);
    }
    if (named(name, "background")) {
        return Value(settings.background);
    }
    if (named(name, "borderColor")) {
        return Value(colorNumber(settings.borderColor));
    }
    if (named(name, "backgroundColor")) {
        return Value(colorNumber(settings.backgroundColor));
    }
    if (named(name, "html")) {
        return Value(settings.html);
    }
    if (named(name, "multiline")) {
        return Value(settings.multiline);
    }
    if (named(name, "wordWrap")) {
        return Value(settings.wordWrap);
    }
    if (named(name, "password")) {
        return Value(settings.password);
    }
    if (named(name, "selectable")) {
        return Value(settings.selectable);
    }
    if (named(name, "type")) {
        return Value(settings.readOnly ? "dynamic" : "input");
    }
    if (named(name, "variable")) {
        return settings.variableName.empty() ? Value(Null{}) : Value(settings.variableName);
    }
    if (named(name, "autoSize")) {
        return Value(autoSizeName(settings.autoSize));
    }
    if (named(name, "embedFonts")) {
        return Value(settings.embedFonts);
    }
    if (named(name, "_width") || named(name, "_height")) {
        const Rect& bounds = settings.bounds;
        const Matrix& matrix = field.matrix();
        const double width = bounds.width().toPixels();
        const double height = bounds.height().toPixels();
        // The field's box through its own matrix, as a bounding box.
        const double across = std::abs(matrix.a) * width + std::abs(matrix.c) * height;
        const double down = std::abs(matrix.b) * width + std::abs(matrix.d) * height;
        return Value(named(name, "_width") ? across : down);
    }
    return std::nullopt;
}

bool setTextFieldProperty(Interpreter& vm, EditTextObject& field, std::string_view name, const Value& value) {
    EditTextSettings& settings = field.settings();
    if (named(name, "text") || named(name, "htmlText")) {
        field.setText(decodeMovieText(vm.toString(value)), named(name, "htmlText"));
        // A bound field's variable follows its text.
        if (const auto [target, variable] = variableOf(vm, field, vm.context().root); target) {
            vm.setMember(Value(vm.clipObject(*target)), variable, Value(utf8(field.text())));
        }
    } else if (named(name, "textColor")) {
        field.setColor(colorOf(vm, value, settings.format.color.alpha));
    } else if (named(name, "border")) {
        settings.border = vm.toBoolean(value);
    } else if (named(name, "background")) {
        settings.background = vm.toBoolean(value);
    } else if (named(name, "borderColor")) {
        settings.borderColor = colorOf(vm, value, 255);
    } else if (named(name, "backgroundColor")) {
        settings.backgroundColor = colorOf(vm, value, 255);
    } else if (named(name, "html")) {
        settings.html = vm.toBoolean(value);
    } else if (named(name, "multiline")) {
        settings.multiline = vm.toBoolean(value);
    } else if (named(name, "wordWrap")) {
        settings.wordWrap = vm.toBoolean(value);
    } else if (named(name, "password")) {
        settings.password = vm.toBoolean(value);
    } else if (named(name, "embedFonts")) {
        // On without glyphs to draw with, the field shows nothing but still says so.
        settings.embedFonts = vm.toBoolean(value);
    } else if (named(name, "selectable")) {
        settings.selectable = vm.toBoolean(value);
    } else if (named(name, "variable")) {
        settings.variableName = value.isUndefined() || value.isNull() ? std::string() : vm.toString(value);
        // Bound anew, the field shows the variable at once; a variable not yet defined starts
        // from the field's initial text, not from what the field shows now.
        if (const auto [target, variable] = variableOf(vm, field, vm.context().root); target) {
            if (vm.getMember(Value(vm.clipObject(*target)), variable).isUndefined()) {
                field.setText(field.initialText(), settings.html);
            }
            bindField(vm, field, vm.context().root);
        }
    } else if (named(name, "autoSize")) {
        // true means "left"; any word but the three modes, like false, means "none".
        const std::string mode =
            value.isBoolean() ? (vm.toBoolean(value) ? "left" : "none") : vm.toString(value);
        settings.autoSize = mode == "left"     ? TextAutoSize::Left
                            : mode == "center" ? TextAutoSize::Center
                            : mode == "right"  ? TextAutoSize::Right
                                               : TextAutoSize::None;
    } else if (named(name, "_x") || named(name, "_y")) {
        // A field's position drops fractions of a twip where a clip's rounds them.
        const double pixels = vm.toNumber(value);
        if (!std::isfinite(pixels)) {
            return true;
        }
        Matrix matrix = field.matrix();
        (named(name, "_x") ? matrix.tx : matrix.ty) = wholeTwips(pixels);
        field.setMatrix(matrix);
    } else if (named(name, "_width") || named(name, "_height")) {
        // A field's size is its box, not a scale: the bounds grow, the text keeps its size.
        const double pixels = vm.toNumber(value);
        if (!std::isfinite(pixels) || pixels < 0) {
            return true;
        }
        Rect& bounds = settings.bounds;
        const Twips size{static_cast<std::int32_t>(wholeTwips(pixels))};
        if (named(name, "_width")) {
            bounds.xMax = bounds.xMin + size;
        } else {
            bounds.yMax = bounds.yMin + size;
        }
    } else {
        return false;
    }
    field.touch();
    return true;
}

void updateBoundTextFields(Interpreter& vm, SpriteObject& root) {
    bindAll(vm, root, root, 0);
}

std::shared_ptr<Object> textFieldPrototype(Interpreter& vm) {
    const Property* constructor = vm.global().findOwn("TextField", true);
    Object* function = constructor ? constructor->value.objectOrNull() : nullptr;
    const Property* prototype = function ? function->findOwn("prototype", true) : nullptr;
    return prototype && prototype->value.isObject() ? prototype->value.object() : nullptr;
}

namespace {

// createTextField(name, depth, x, y, width, height) on a clip: an empty, editable field in a
// device font. The numbers are taken as whole pixels; a negative size reaches left or up
// from the field's position.
// SWF 8 movies get the field back, older ones undefined.
Value createTextField(Interpreter& vm, const Value& thisValue, std::vector<Value>& arguments) {
    Object* self = thisValue.objectOrNull();
    SpriteObject* parent = self ? vm.resolveClip(*self) : nullptr;
    if (!parent && thisValue.isUndefined() && vm.hasContext()) {
        parent = &vm.context().base; // called as a plain function on a timeline
    }
    if (!parent || arguments.size() < 6) {
        return Value();
    }
    const std::int64_t listDepth =
        static_cast<std::int64_t>(toInt32(vm.toNumber(arguments[1]))) + scriptDepthOffset;
    if (!isScriptCreationDepth(listDepth)) {
        return Value();
    }
    auto whole = [&](std::size_t index) { return toInt32(vm.toNumber(arguments[index])); };
    const int width = whole(4);
    const int height = whole(5);
    const Rect bounds{Twips::fromPixels(std::min(width, 0)), Twips::fromPixels(std::max(width, 0)),
                      Twips::fromPixels(std::min(height, 0)), Twips::fromPixels(std::max(height, 0))};
    auto field = std::make_unique<EditTextObject>(DisplayDepth{static_cast<std::int32_t>(listDepth)}, bounds);
    field->setName(vm.toString(arguments[0]));
    Matrix placement;
    placement.tx = Twips::fromPixels(whole(2)).value;
    placement.ty = Twips::fromPixels(whole(3)).value;
    field->setMatrix(placement);
    DisplayObject* placed = parent->addScriptChild(std::move(field));
    return placed && vm.version() >= 8 ? Value(vm.clipObject(*placed)) : Value();
}

constexpr const char* prototypeProperties[] = {"text",       "htmlText",   "length",      "textColor",
                                               "border",     "background", "borderColor", "backgroundColor",
                                               "html",       "multiline",  "wordWrap",    "password",
                                               "selectable", "type",       "variable",    "autoSize",
                                               "embedFonts"};

EditTextObject* fieldOf(Interpreter& vm, const Value& thisValue) {
    Object* self = thisValue.objectOrNull();
    DisplayObject* object = self ? vm.resolveDisplayObject(*self) : nullptr;
    return object ? object->asEditText() : nullptr;
}

} // namespace

void installTextField(Interpreter& vm) {
    auto prototype = vm.newObject();
    auto constructor =
        vm.newFunction([](Interpreter&, const Value&, std::vector<Value>&) { return Value(); }, prototype);
    vm.global().define("TextField", Value(constructor), DontEnum);
    if (vm.version() >= 6) {
        vm.setMethod(*vm.movieClipPrototype, "createTextField", createTextField);
    }
    installTextFieldFormats(vm, *prototype);
    vm.setMethod(*prototype, "removeTextField",
                 [](Interpreter& interpreter, const Value& thisValue, std::vector<Value>&) {
                     if (EditTextObject* field = fieldOf(interpreter, thisValue)) {
                         removeScriptClip(*field);
                     }
                     return Value();
                 });
    // The properties live on the prototype as getter and setter pairs, where scripts can
    // find them (hasOwnProperty); instances answer them before the prototype is asked.
    for (const char* name : prototypeProperties) {
        Property& property = prototype->define(name, Value(), DontEnum);
        property.getter =
            vm.newFunction([name](Interpreter& interpreter, const Value& thisValue, std::vector<Value>&) {
                EditTextObject* field = fieldOf(interpreter, thisValue);
                return field ? getTextFieldProperty(interpreter, *field, name).value_or(Value()) : Value();
            });
        property.setter = vm.newFunction(
            [name](Interpreter& interpreter, const Value& thisValue, std::vector<Value>& arguments) {
                if (EditTextObject* field = fieldOf(interpreter, thisValue)) {
                    setTextFieldProperty(interpreter, *field, name, argument(arguments, 0));
                }
                return Value();
            });
    }
    if (vm.version() >= 6) {
        vm.setMethod(*prototype, "getDepth",
                     [](Interpreter& interpreter, const Value& thisValue, std::vector<Value>&) {
                         Object* self = thisValue.objectOrNull();
                         DisplayObject* object = self ? interpreter.resolveDisplayObject(*self) : nullptr;
                         return object && object->asEditText()
                                    ? Value(static_cast<double>(object->depth().value - 16384))
                                    : Value();
                     });
    }
}

} // namespace kf::swf::avm1
