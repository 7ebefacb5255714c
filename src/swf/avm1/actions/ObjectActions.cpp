#include "swf/avm1/ActionHandlers.h"
#include "swf/runtime/SpriteObject.h"

#include <algorithm>

namespace kf::swf::avm1 {

namespace {

std::size_t popCount(Interpreter& vm, Frame& frame, std::size_t perEntry) {
    const double declared = vm.toNumber(frame.pop());
    const std::size_t available = frame.stack.size() / perEntry;
    return declared > 0 ? std::min(static_cast<std::size_t>(declared), available) : 0;
}

void getMember(Interpreter& vm, Frame& frame, const Action&) {
    const Value name = frame.pop();
    const Value object = frame.pop();
    frame.push(vm.getMember(object, vm.toString(name)));
}

void setMember(Interpreter& vm, Frame& frame, const Action&) {
    Value value = frame.pop();
    const Value name = frame.pop();
    const Value object = frame.pop();
    vm.setMember(object, vm.toString(name), std::move(value));
}

void initObject(Interpreter& vm, Frame& frame, const Action&) {
    const std::size_t count = popCount(vm, frame, 2);
    auto object = vm.newObject();
    for (std::size_t index = 0; index < count; ++index) {
        Value value = frame.pop();
        const std::string name = vm.toString(frame.pop());
        vm.setMember(Value(object), name, std::move(value));
    }
    frame.push(Value(object));
}

void initArray(Interpreter& vm, Frame& frame, const Action&) {
    const std::size_t count = popCount(vm, frame, 1);
    std::vector<Value> elements;
    elements.reserve(count);
    for (std::size_t index = 0; index < count; ++index) {
        elements.push_back(frame.pop());
    }
    frame.push(Value(vm.newArray(std::move(elements))));
}

// for..in: a null marker, then the names, popped last-in first. Flash Player lists the
// newest property first, which pushing in creation order gives.
void pushNames(Interpreter& vm, Frame& frame, const Value& value) {
    frame.push(Value(Null{}));
    Object* object = value.objectOrNull();
    std::vector<std::string> names;
    for (int depth = 0; object && depth < 256; ++depth, object = object->prototype().get()) {
        for (std::size_t index = 0; index < object->elements.size(); ++index) {
            names.push_back(std::to_string(index));
        }
        for (const Property& property : object->properties()) {
            if ((property.flags & DontEnum) == 0 &&
                std::find(names.begin(), names.end(), property.name) == names.end()) {
                names.push_back(property.name);
            }
        }
        if (SpriteObject* clip = vm.resolveClip(*object)) {
            for (const auto& [depthKey, child] : clip->displayList().objects()) {
                if (child->asSprite() && !child->name().empty()) {
                    names.push_back(child->name());
                }
            }
        }
    }
    for (auto name = names.rbegin(); name != names.rend(); ++name) {
        frame.push(Value(*name));
    }
}

void enumerate(Interpreter& vm, Frame& frame, const Action&) {
    const std::string name = vm.toString(frame.pop());
    pushNames(vm, frame, vm.getVariable(frame, name));
}

void enumerate2(Interpreter& vm, Frame& frame, const Action&) {
    pushNames(vm, frame, frame.pop());
}

void typeOf(Interpreter& vm, Frame& frame, const Action&) {
    frame.push(Value(vm.typeOf(frame.pop())));
}

bool isInstance(Interpreter& vm, const Value& object, const Value& constructor) {
    Object* instance = object.objectOrNull();
    const Value prototype = vm.getMember(constructor, "prototype");
    if (!instance || !prototype.isObject()) {
        return false;
    }
    Object* current = instance->prototype().get();
    for (int depth = 0; current && depth < 256; ++depth, current = current->prototype().get()) {
        if (current == prototype.object().get()) {
            return true;
        }
    }
    return false;
}

void instanceOf(Interpreter& vm, Frame& frame, const Action&) {
    const Value constructor = frame.pop();
    const Value object = frame.pop();
    frame.push(Value(isInstance(vm, object, constructor)));
}

void castOp(Interpreter& vm, Frame& frame, const Action&) {
    const Value object = frame.pop();
    const Value constructor = frame.pop();
    frame.push(isInstance(vm, object, constructor) ? object : Value(Null{}));
}

void implementsOp(Interpreter& vm, Frame& frame, const Action&) {
    frame.pop();
    const std::size_t count = popCount(vm, frame, 1);
    for (std::size_t index = 0; index < count; ++index) {
        frame.pop();
    }
}

// class B extends A: B.prototype becomes a new object whose __proto__ is A.prototype and
// whose __constructor__ is A (super() calls it).
void extends(Interpreter& vm, Frame& frame, const Action&) {
    const Value superclass = frame.pop();
    const Value subclass = frame.pop();
    if (!subclass.isObject() || !superclass.isObject()) {
        return;
    }
    auto prototype = vm.newObject();
    const Value superPrototype = vm.getMember(superclass, "prototype");
    prototype->setPrototype(superPrototype.isObject() ? superPrototype.object() : nullptr);
    prototype->define("__constructor__", superclass, DontEnum);
    subclass.object()->define("prototype", Value(prototype), DontEnum);
}

void targetPath(Interpreter& vm, Frame& frame, const Action&) {
    const Value value = frame.pop();
    Object* object = value.objectOrNull();
    frame.push(object && vm.resolveClip(*object) ? Value(object->clipPath) : Value());
}

} // namespace

void registerObjectActions(HandlerTable& table) {
    auto set = [&](ActionCode code, Handler handler) { table[static_cast<std::uint8_t>(code)] = handler; };
    set(ActionCode::GetMember, getMember);
    set(ActionCode::SetMember, setMember);
    set(ActionCode::InitObject, initObject);
    set(ActionCode::InitArray, initArray);
    set(ActionCode::Enumerate, enumerate);
    set(ActionCode::Enumerate2, enumerate2);
    set(ActionCode::TypeOf, typeOf);
    set(ActionCode::InstanceOf, instanceOf);
    set(ActionCode::CastOp, castOp);
    set(ActionCode::ImplementsOp, implementsOp);
    set(ActionCode::Extends, extends);
    set(ActionCode::TargetPath, targetPath);
}

} // namespace kf::swf::avm1
