#include "swf/avm1/ActionHandlers.h"
#include "swf/avm1/BuiltinSupport.h"

namespace kf::swf::avm1 {

void installObject(Interpreter& vm) {
    Object& prototype = *vm.objectPrototype;
    auto constructor = vm.newFunction(
        [](Interpreter& interpreter, const Value& thisValue, std::vector<Value>& arguments) -> Value {
            const Value given = argument(arguments, 0);
            if (given.isObject()) {
                return given;
            }
            if (given.isString() || given.isNumber() || given.isBoolean()) {
                return Value(interpreter.newBoxed(given));
            }
            return interpreter.constructing() ? thisValue : Value(interpreter.newObject());
        },
        vm.objectPrototype);
    vm.global().define("Object", Value(constructor), DontEnum);

    vm.setMethod(prototype, "toString",
                 [](Interpreter&, const Value& thisValue, std::vector<Value>&) -> Value {
                     Object* object = thisValue.objectOrNull();
                     if (object && object->kind() == ObjectKind::Function) {
                         return Value("[type Function]");
                     }
                     return Value("[object Object]");
                 });
    vm.setMethod(
        prototype, "valueOf",
        [](Interpreter&, const Value& thisValue, std::vector<Value>&) -> Value { return thisValue; });
    // Flash Player 6 added the rest; movies made for SWF 5 do not see them, though ASnative
    // still hands them out.
    const std::size_t firstOfPlayerSix = prototype.properties().size();
    vm.setMethod(
        prototype, "hasOwnProperty",
        [](Interpreter& interpreter, const Value& thisValue, std::vector<Value>& arguments) -> Value {
            Object* object = thisValue.objectOrNull();
            const std::string name = interpreter.toString(argument(arguments, 0));
            return Value(object && object->findOwn(name, interpreter.caseSensitive()) != nullptr);
        });
    vm.setMethod(
        prototype, "isPropertyEnumerable",
        [](Interpreter& interpreter, const Value& thisValue, std::vector<Value>& arguments) -> Value {
            Object* object = thisValue.objectOrNull();
            Property* property = object ? object->findOwn(interpreter.toString(argument(arguments, 0)),
                                                          interpreter.caseSensitive())
                                        : nullptr;
            return Value(property && (property->flags & DontEnum) == 0);
        });
    vm.setMethod(prototype, "isPrototypeOf",
                 [](Interpreter&, const Value& thisValue, std::vector<Value>& arguments) -> Value {
                     Object* object = argument(arguments, 0).objectOrNull();
                     Object* candidate = object ? object->prototype().get() : nullptr;
                     for (int depth = 0; candidate && depth < 256;
                          ++depth, candidate = candidate->prototype().get()) {
                         if (candidate == thisValue.objectOrNull()) {
                             return Value(true);
                         }
                     }
                     return Value(false);
                 });
    // addProperty(name, getter, setter): false unless the name is non-empty and the getter a
    // function; a setter that is not a function makes the property read-only.
    vm.setMethod(
        prototype, "addProperty",
        [](Interpreter& interpreter, const Value& thisValue, std::vector<Value>& arguments) -> Value {
            Object* object = thisValue.objectOrNull();
            const std::string name = interpreter.toString(argument(arguments, 0));
            Object* getter = argument(arguments, 1).objectOrNull();
            if (!object || name.empty() || !getter || !getter->isCallable()) {
                return Value(false);
            }
            Property& property = object->define(name, Value());
            property.getter = getter->shared_from_this();
            Object* setter = argument(arguments, 2).objectOrNull();
            property.setter = setter && setter->isCallable() ? setter->shared_from_this() : nullptr;
            return Value(true);
        });
    vm.setMethod(prototype, "watch",
                 [](Interpreter&, const Value&, std::vector<Value>&) -> Value { return Value(false); });
    vm.setMethod(prototype, "unwatch",
                 [](Interpreter&, const Value&, std::vector<Value>&) -> Value { return Value(false); });
    for (std::size_t index = firstOfPlayerSix; index < prototype.properties().size(); ++index) {
        Property* method = prototype.findOwn(prototype.properties()[index].name, true);
        method->flags = static_cast<std::uint16_t>(method->flags | Version6);
    }
    // Object.registerClass(symbol, class): attachMovie is not built yet, so it only answers.
    vm.setMethod(*constructor, "registerClass",
                 [](Interpreter&, const Value&, std::vector<Value>& arguments) -> Value {
                     return Value(argument(arguments, 0).isString());
                 });
    constructor->findOwn("registerClass", true)->flags = DontEnum | Version6;
}

} // namespace kf::swf::avm1
