#include "swf/avm1/FrameTargets.h"

#include "swf/avm1/Conversions.h"
#include "swf/avm1/Interpreter.h"
#include "swf/runtime/SpriteObject.h"

#include <cmath>
#include <cstdint>
#include <string>

namespace kf::swf::avm1 {

namespace {

// An integer written out ("12", "-2", "+3") is a frame number even when a label reads the
// same; anything else ("12d", "4.8", "Infinity") can only be a label.
std::optional<double> integerText(std::string_view text) {
    const bool hasSign = !text.empty() && (text.front() == '-' || text.front() == '+');
    const std::string_view digits = text.substr(hasSign ? 1 : 0);
    if (digits.empty()) {
        return std::nullopt;
    }
    double value = 0;
    for (const char digit : digits) {
        if (digit < '0' || digit > '9') {
            return std::nullopt;
        }
        value = value * 10 + (digit - '0');
    }
    return text.front() == '-' ? -value : value;
}

// Numbers with a fraction go by their text, so 4.8 finds a label "4.8". A String object
// gives its own text without calling its toString; every other object, Number objects
// included, goes by what its toString() returns.
std::string frameText(Interpreter& vm, const Value& where) {
    const Object* object = where.objectOrNull();
    if (!object || object->kind() != ObjectKind::Boxed) {
        return vm.toString(where);
    }
    if (object->primitive.isString()) {
        return object->primitive.string();
    }
    const Value method = vm.getMember(where, "toString");
    if (const Object* function = method.objectOrNull(); function && function->isCallable()) {
        return vm.toString(vm.call(method, where, {}));
    }
    return vm.toString(where);
}

} // namespace

std::optional<int> frameForValue(Interpreter& vm, const SpriteObject& clip, const Value& where, int bias) {
    std::optional<double> number;
    if (where.isNumber() && std::isfinite(where.number()) && std::trunc(where.number()) == where.number()) {
        number = where.number();
    } else {
        const std::string text = frameText(vm, where);
        number = integerText(text);
        if (!number) {
            return clip.timeline().frameForLabel(text);
        }
    }
    // Frame numbers wrap as 32-bit integers; 0 and below name no frame.
    const auto index = static_cast<std::int32_t>(static_cast<std::uint32_t>(toInt32(*number)) - 1u +
                                                 static_cast<std::uint32_t>(bias));
    if (index < 0) {
        return std::nullopt;
    }
    return index;
}

bool gotoFrameValue(Interpreter& vm, SpriteObject& clip, const Value& where, int bias) {
    const std::optional<int> frame = frameForValue(vm, clip, where, bias);
    if (frame) {
        clip.gotoFrame(*frame);
    }
    return frame.has_value();
}

} // namespace kf::swf::avm1
