// TextFormat, and the TextField methods that read and write formats: setTextFormat,
// getTextFormat, setNewTextFormat and getNewTextFormat.
#include "swf/avm1/ActionHandlers.h"
#include "swf/avm1/BuiltinSupport.h"
#include "swf/avm1/Conversions.h"
#include "swf/avm1/TextFields.h"
#include "swf/runtime/EditTextObject.h"

#include <array>
#include <cmath>

namespace kf::swf::avm1 {

namespace {

// In the order the constructor takes them; the rest are only ever set by name.
constexpr std::array constructorNames{"font",        "size",   "color",  "bold",  "italic",
                                      "underline",   "url",    "target", "align", "leftMargin",
                                      "rightMargin", "indent", "leading"};
constexpr std::array otherNames{"blockIndent", "bullet", "kerning", "letterSpacing", "tabStops"};

constexpr double twipsPerPixel = 20.0;

const char* alignName(TextAlign align) {
    switch (align) {
    case TextAlign::Right:
        return "right";
    case TextAlign::Center:
        return "center";
    case TextAlign::Justify:
        return "justify";
    case TextAlign::Left:
        break;
    }
    return "left";
}

// A pixel length from a script as whole twips; nullopt leaves the format as it was.
std::optional<int> twipsOf(Interpreter& vm, const Value& value) {
    const double pixels = vm.toNumber(value);
    if (!std::isfinite(pixels)) {
        return std::nullopt;
    }
    return static_cast<int>(std::clamp(pixels, -100000.0, 100000.0) * twipsPerPixel);
}

// The value of property `name` of `format` as scripts see it.
Value propertyOf(const TextFormat& format, std::string_view name) {
    const auto pixels = [](int twips) { return Value(twips / twipsPerPixel); };
    if (name == "font") {
        return Value(format.font);
    }
    if (name == "size") {
        return pixels(format.size);
    }
    if (name == "color") {
        return Value(
            static_cast<double>((format.color.red << 16) | (format.color.green << 8) | format.color.blue));
    }
    if (name == "bold") {
        return Value(format.bold);
    }
    if (name == "italic") {
        return Value(format.italic);
    }
    if (name == "underline") {
        return Value(format.underline);
    }
    if (name == "url") {
        return Value(format.url);
    }
    if (name == "target") {
        return Value(std::string());
    }
    if (name == "align") {
        return Value(alignName(format.align));
    }
    if (name == "leftMargin") {
        return pixels(format.leftMargin);
    }
    if (name == "rightMargin") {
        return pixels(format.rightMargin);
    }
    if (name == "indent") {
        return pixels(format.indent);
    }
    if (name == "leading") {
        return pixels(format.leading);
    }
    if (name == "bullet" || name == "kerning") {
        return Value(false);
    }
    if (name == "blockIndent" || name == "letterSpacing") {
        return Value(0.0);
    }
    return Value(Null{});
}

void applyProperty(Interpreter& vm, std::string_view name, const Value& value, TextFormat& format) {
    if (name == "font") {
        format.font = vm.toString(value);
    } else if (name == "size") {
        if (const auto twips = twipsOf(vm, value)) {
            format.size = std::max(0, *twips);
        }
    } else if (name == "color") {
        const auto bits = static_cast<std::uint32_t>(toInt32(vm.toNumber(value)));
        format.color = Rgba{static_cast<std::uint8_t>(bits >> 16), static_cast<std::uint8_t>(bits >> 8),
                            static_cast<std::uint8_t>(bits), format.color.alpha};
    } else if (name == "bold") {
        format.bold = vm.toBoolean(value);
    } else if (name == "italic") {
        format.italic = vm.toBoolean(value);
    } else if (name == "underline") {
        format.underline = vm.toBoolean(value);
    } else if (name == "url") {
        format.url = vm.toString(value);
    } else if (name == "align") {
        const std::string align = vm.toString(value);
        format.align = align == "right"     ? TextAlign::Right
                       : align == "center"  ? TextAlign::Center
                       : align == "justify" ? TextAlign::Justify
                       : align == "left"    ? TextAlign::Left
                                            : format.align;
    } else if (name == "leftMargin" || name == "rightMargin" || name == "indent" || name == "leading") {
        const auto twips = twipsOf(vm, value);
        if (!twips) {
            return;
        }
        int& target = name == "leftMargin"    ? format.leftMargin
                      : name == "rightMargin" ? format.rightMargin
                      : name == "indent"      ? format.indent
                                              : format.leading;
        // Margins cannot go below zero; indent and leading can.
        target = (name == "leftMargin" || name == "rightMargin") ? std::max(0, *twips) : *twips;
    }
}

// Every property the TextFormat object sets (not null nor undefined) written into `format`.
void applyTextFormat(Interpreter& vm, const Value& textFormat, TextFormat& format) {
    if (!textFormat.isObject()) {
        return;
    }
    for (const char* name : constructorNames) {
        const Value value = vm.getMember(textFormat, name);
        if (!value.isNull() && !value.isUndefined()) {
            applyProperty(vm, name, value, format);
        }
    }
}

// A new TextFormat whose properties are those all `formats` share, null where they differ.
Value textFormatOf(Interpreter& vm, const std::vector<const TextFormat*>& formats) {
    const Property* constructor = vm.global().findOwn("TextFormat", true);
    const Value result = vm.construct(constructor ? constructor->value : Value(), {});
    if (formats.empty() || !result.isObject()) {
        return result;
    }
    auto share = [&](const char* name) {
        Value first = propertyOf(*formats.front(), name);
        for (const TextFormat* format : formats) {
            const Value other = propertyOf(*format, name);
            if (vm.toString(other) != vm.toString(first)) {
                return Value(Null{});
            }
        }
        return first;
    };
    for (const char* name : constructorNames) {
        vm.setMember(result, name, share(name));
    }
    for (const char* name : otherNames) {
        vm.setMember(result, name, name == std::string_view("tabStops") ? Value(vm.newArray()) : share(name));
    }
    return result;
}

EditTextObject* fieldOf(Interpreter& vm, const Value& thisValue) {
    Object* self = thisValue.objectOrNull();
    DisplayObject* object = self ? vm.resolveDisplayObject(*self) : nullptr;
    return object ? object->asEditText() : nullptr;
}

// The character range the optional (begin, end) arguments before `count` name: all text
// with none, one character with one.
std::pair<std::size_t, std::size_t> rangeOf(Interpreter& vm, const std::vector<Value>& arguments,
                                            std::size_t count, std::size_t length) {
    const auto index = [&](std::size_t at) {
        const double number = vm.toNumber(arguments[at]);
        return std::isfinite(number) && number > 0 ? std::min(static_cast<std::size_t>(number), length)
                                                   : std::size_t{0};
    };
    if (count == 0) {
        return {0, length};
    }
    const std::size_t begin = index(0);
    const std::size_t end = count >= 2 ? index(1) : begin + 1;
    return {begin, std::max(begin, end)};
}

} // namespace

void installTextFormat(Interpreter& vm) {
    auto prototype = vm.newObject();
    auto constructor = vm.newFunction(
        [](Interpreter& interpreter, const Value& thisValue, std::vector<Value>& arguments) -> Value {
            Object* self = thisValue.objectOrNull();
            if (!self || !interpreter.constructing()) {
                return Value();
            }
            for (std::size_t index = 0; index < constructorNames.size(); ++index) {
                self->define(constructorNames[index],
                             index < arguments.size() && !arguments[index].isUndefined() ? arguments[index]
                                                                                         : Value(Null{}));
            }
            for (const char* name : otherNames) {
                self->define(name, Value(Null{}));
            }
            return Value();
        },
        prototype);
    vm.global().define("TextFormat", Value(constructor), DontEnum);
}

void installTextFieldFormats(Interpreter& vm, Object& prototype) {
    vm.setMethod(prototype, "setNewTextFormat",
                 [](Interpreter& interpreter, const Value& thisValue, std::vector<Value>& arguments) {
                     if (EditTextObject* field = fieldOf(interpreter, thisValue)) {
                         applyTextFormat(interpreter, argument(arguments, 0), field->settings().format);
                         field->touch();
                     }
                     return Value();
                 });
    vm.setMethod(prototype, "getNewTextFormat",
                 [](Interpreter& interpreter, const Value& thisValue, std::vector<Value>&) {
                     EditTextObject* field = fieldOf(interpreter, thisValue);
                     return field ? textFormatOf(interpreter, {&field->settings().format}) : Value();
                 });
    // setTextFormat([begin, [end,]] format): the format comes last.
    vm.setMethod(prototype, "setTextFormat",
                 [](Interpreter& interpreter, const Value& thisValue, std::vector<Value>& arguments) {
                     EditTextObject* field = fieldOf(interpreter, thisValue);
                     if (!field || arguments.empty()) {
                         return Value();
                     }
                     const std::size_t count = std::min<std::size_t>(arguments.size() - 1, 2);
                     const auto [begin, end] = rangeOf(interpreter, arguments, count, field->text().size());
                     const Value textFormat = arguments[count];
                     field->changeFormat(begin, end, [&](TextFormat& format) {
                         applyTextFormat(interpreter, textFormat, format);
                     });
                     return Value();
                 });
    vm.setMethod(prototype, "getTextFormat",
                 [](Interpreter& interpreter, const Value& thisValue, std::vector<Value>& arguments) {
                     EditTextObject* field = fieldOf(interpreter, thisValue);
                     if (!field) {
                         return Value();
                     }
                     const std::size_t count = std::min<std::size_t>(arguments.size(), 2);
                     const auto [begin, end] = rangeOf(interpreter, arguments, count, field->text().size());
                     std::vector<const TextFormat*> formats = field->formatsIn(begin, end);
                     if (formats.empty()) {
                         formats.push_back(&field->settings().format);
                     }
                     return textFormatOf(interpreter, formats);
                 });
}

} // namespace kf::swf::avm1
