#include "swf/avm1/ActionHandlers.h"
#include "swf/avm1/BuiltinSupport.h"
#include "swf/avm1/FrameTargets.h"
#include "swf/avm1/MovieLoading.h"
#include "swf/avm1/ScriptedClips.h"
#include "swf/avm1/builtins/MovieClipDrawing.h"
#include "swf/runtime/SpriteObject.h"

#include <cmath>

namespace kf::swf::avm1 {

namespace {

using ClipMethod = Value (*)(Interpreter&, SpriteObject&, std::vector<Value>&);

void method(Interpreter& vm, Object& prototype, std::string_view name, ClipMethod body) {
    vm.setMethod(prototype, name,
                 [body](Interpreter& interpreter, const Value& thisValue, std::vector<Value>& arguments) {
                     SpriteObject* clip = interpreter.resolveClipValue(thisValue);
                     return clip ? body(interpreter, *clip, arguments) : Value();
                 });
}

} // namespace

void installMovieClip(Interpreter& vm) {
    vm.movieClipPrototype = vm.newObject();
    Object& prototype = *vm.movieClipPrototype;
    auto constructor = vm.newFunction(
        [](Interpreter&, const Value& thisValue, std::vector<Value>&) -> Value { return thisValue; },
        vm.movieClipPrototype);
    vm.global().define("MovieClip", Value(constructor), DontEnum);

    method(vm, prototype, "play", [](Interpreter&, SpriteObject& clip, std::vector<Value>&) {
        clip.play();
        return Value();
    });
    method(vm, prototype, "stop", [](Interpreter&, SpriteObject& clip, std::vector<Value>&) {
        clip.stop();
        return Value();
    });
    method(vm, prototype, "nextFrame", [](Interpreter&, SpriteObject& clip, std::vector<Value>&) {
        clip.nextFrame();
        return Value();
    });
    method(vm, prototype, "prevFrame", [](Interpreter&, SpriteObject& clip, std::vector<Value>&) {
        clip.previousFrame();
        return Value();
    });
    method(vm, prototype, "gotoAndPlay",
           [](Interpreter& interpreter, SpriteObject& clip, std::vector<Value>& arguments) {
               if (gotoFrameValue(interpreter, clip, argument(arguments, 0))) {
                   clip.play();
               }
               return Value();
           });
    method(vm, prototype, "gotoAndStop",
           [](Interpreter& interpreter, SpriteObject& clip, std::vector<Value>& arguments) {
               if (gotoFrameValue(interpreter, clip, argument(arguments, 0))) {
                   clip.stop();
               }
               return Value();
           });
    // Timeline depths are shown to scripts shifted by -16384, as Flash Player does. Borrowed
    // by another display object (a text field), the method answers that object's depth.
    if (vm.version() >= 6) {
        vm.setMethod(prototype, "getDepth",
                     [](Interpreter& interpreter, const Value& thisValue, std::vector<Value>&) {
                         Object* self = thisValue.objectOrNull();
                         DisplayObject* object = self ? interpreter.resolveDisplayObject(*self) : nullptr;
                         return object ? Value(static_cast<double>(object->depth().value - 16384)) : Value();
                     });
    }
    // setMask(mask) shows this object only where `mask` covers it; null or undefined undoes
    // it. Borrowed by a text field, it masks the field.
    if (vm.version() >= 6) {
        vm.setMethod(prototype, "setMask",
                     [](Interpreter& interpreter, const Value& thisValue, std::vector<Value>& arguments) {
                         Object* self = thisValue.objectOrNull();
                         DisplayObject* object = self ? interpreter.resolveDisplayObject(*self) : nullptr;
                         if (!object) {
                             return Value();
                         }
                         const Value target = argument(arguments, 0);
                         DisplayObject* mask = nullptr;
                         if (Object* maskObject = target.objectOrNull()) {
                             mask = interpreter.resolveDisplayObject(*maskObject);
                         } else if (target.isString()) {
                             mask = interpreter.resolvePath(target.string(), &interpreter.context().base);
                         }
                         object->setScriptMask(mask);
                         return Value(true);
                     });
    }
    method(vm, prototype, "getBytesLoaded",
           [](Interpreter&, SpriteObject&, std::vector<Value>&) { return Value(1.0); });
    method(vm, prototype, "getBytesTotal",
           [](Interpreter&, SpriteObject&, std::vector<Value>&) { return Value(1.0); });
    installMovieClipDrawing(vm, prototype);
    installMovieClipDepths(vm, prototype);
    installMovieClipLoading(vm, prototype);
}

} // namespace kf::swf::avm1
