// Color: the colour transform of one clip or button, in percentages and colour offsets. The clip is
// looked up again on every call, so a Color outlives a removed clip harmlessly.
#include "swf/avm1/ActionHandlers.h"
#include "swf/avm1/BuiltinSupport.h"
#include "swf/avm1/Conversions.h"
#include "swf/runtime/SpriteObject.h"

namespace kf::swf::avm1 {

namespace {

DisplayObject* targetClip(Interpreter& vm, const Value& thisValue) {
    Object* self = thisValue.objectOrNull();
    Property* target = self ? self->findOwn("target", vm.caseSensitive()) : nullptr;
    if (!target) {
        return nullptr;
    }
    if (target->value.isObject()) {
        return vm.resolveDisplayObject(*target->value.object());
    }
    // A path; an empty one names nothing here (unlike tellTarget, where it is this timeline).
    const std::string path = vm.toString(target->value);
    return path.empty() ? nullptr : vm.resolvePath(path, &vm.context().base);
}

// The file's 8.8 multipliers and offsets wrap as 16-bit integers, as Flash Player stores them.
std::int16_t wrap16(double number) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(toUint32(number) & 0xFFFF));
}

double percent(std::int16_t multiplier) {
    return multiplier * 100.0 / 256.0;
}

struct Channel {
    const char* multiplierName;
    const char* offsetName;
    std::int16_t ColorTransform::*multiplier;
    std::int16_t ColorTransform::*offset;
};

constexpr Channel channels[] = {
    {"ra", "rb", &ColorTransform::redMultiplier, &ColorTransform::redAddition},
    {"ga", "gb", &ColorTransform::greenMultiplier, &ColorTransform::greenAddition},
    {"ba", "bb", &ColorTransform::blueMultiplier, &ColorTransform::blueAddition},
    {"aa", "ab", &ColorTransform::alphaMultiplier, &ColorTransform::alphaAddition},
};

using ColorMethod = Value (*)(Interpreter&, DisplayObject&, std::vector<Value>&);

void method(Interpreter& vm, Object& prototype, std::string_view name, ColorMethod body) {
    vm.setMethod(prototype, name,
                 [body](Interpreter& interpreter, const Value& thisValue, std::vector<Value>& arguments) {
                     DisplayObject* clip = targetClip(interpreter, thisValue);
                     return clip ? body(interpreter, *clip, arguments) : Value();
                 });
}

} // namespace

void installColor(Interpreter& vm) {
    auto prototype = vm.newObject();
    auto constructor = vm.newFunction(
        [](Interpreter& interpreter, const Value& thisValue, std::vector<Value>& arguments) -> Value {
            if (Object* self = thisValue.objectOrNull(); self && interpreter.constructing()) {
                self->define("target", argument(arguments, 0), DontEnum | DontDelete | ReadOnly);
            }
            return Value();
        },
        prototype);
    vm.global().define("Color", Value(constructor), DontEnum);

    method(vm, *prototype, "getRGB", [](Interpreter&, DisplayObject& clip, std::vector<Value>&) {
        const ColorTransform& transform = clip.colorTransform();
        // Negative offsets spill their sign bits over the channels above, as in Flash Player.
        const std::int32_t rgb =
            (transform.redAddition << 16) | (transform.greenAddition << 8) | transform.blueAddition;
        return Value(static_cast<double>(rgb));
    });
    method(vm, *prototype, "setRGB",
           [](Interpreter& interpreter, DisplayObject& clip, std::vector<Value>& arguments) {
               const std::uint32_t rgb = toUint32(interpreter.toNumber(argument(arguments, 0)));
               ColorTransform transform = clip.colorTransform();
               transform.redMultiplier = transform.greenMultiplier = transform.blueMultiplier = 0;
               transform.redAddition = static_cast<std::int16_t>((rgb >> 16) & 0xFF);
               transform.greenAddition = static_cast<std::int16_t>((rgb >> 8) & 0xFF);
               transform.blueAddition = static_cast<std::int16_t>(rgb & 0xFF);
               clip.setColorTransform(transform);
               return Value();
           });
    method(vm, *prototype, "getTransform",
           [](Interpreter& interpreter, DisplayObject& clip, std::vector<Value>&) {
               const ColorTransform& transform = clip.colorTransform();
               auto result = interpreter.newObject();
               for (const Channel& channel : channels) {
                   result->define(channel.multiplierName, Value(percent(transform.*channel.multiplier)));
                   result->define(channel.offsetName, Value(static_cast<double>(transform.*channel.offset)));
               }
               return Value(result);
           });
    // Only the properties the object itself has change the transform; inherited ones do not.
    method(vm, *prototype, "setTransform",
           [](Interpreter& interpreter, DisplayObject& clip, std::vector<Value>& arguments) {
               Object* given = argument(arguments, 0).objectOrNull();
               if (!given) {
                   return Value();
               }
               ColorTransform transform = clip.colorTransform();
               auto read = [&](const char* name, double scale, std::int16_t& into) {
                   if (Property* property = given->findOwn(name, interpreter.caseSensitive())) {
                       into = wrap16(interpreter.toNumber(property->value) * scale);
                   }
               };
               for (const Channel& channel : channels) {
                   read(channel.multiplierName, 256.0 / 100.0, transform.*channel.multiplier);
                   read(channel.offsetName, 1.0, transform.*channel.offset);
               }
               clip.setColorTransform(transform);
               return Value();
           });
}

} // namespace kf::swf::avm1
