// Property access, variables and conversions that may call script code.
#include "swf/avm1/ClipProperties.h"
#include "swf/avm1/Conversions.h"
#include "swf/avm1/Interpreter.h"
#include "swf/avm1/ScriptFunction.h"
#include "swf/avm1/ScriptedClips.h"
#include "swf/avm1/TextFields.h"
#include "swf/runtime/ButtonObject.h"
#include "swf/runtime/EditTextObject.h"
#include "swf/runtime/MovieLoads.h"
#include "swf/runtime/PlayerContext.h"
#include "swf/runtime/SpriteObject.h"
#include "swf/runtime/TargetPath.h"
#include "swf/runtime/TextCompare.h"

#include <charconv>
#include <cmath>

namespace kf::swf::avm1 {

namespace {

DisplayObject* siblingWithIdentity(const DisplayObject& namesake, const void* identity) {
    const DisplayList* siblings = namesake.parent()->children();
    if (!siblings) {
        return nullptr;
    }
    for (const auto& [depth, child] : siblings->objects()) {
        if (child.get() == identity) {
            return child.get();
        }
    }
    return nullptr;
}

// Array elements beyond this index are refused, so `a[4e9] = 1` cannot allocate gigabytes.
constexpr std::size_t maxArrayLength = std::size_t{1} << 24;

bool arrayIndex(std::string_view name, std::size_t& index) {
    if (name.empty() || name.size() > 10 || (name.size() > 1 && name[0] == '0')) {
        return false;
    }
    auto [end, error] = std::from_chars(name.data(), name.data() + name.size(), index);
    return error == std::errc() && end == name.data() + name.size();
}

} // namespace

Property* Interpreter::findProperty(Object& object, std::string_view name, Object** owner) {
    Object* current = &object;
    for (int depth = 0; current && depth < 256; ++depth) {
        if (Property* property = current->findOwn(name, caseSensitive());
            property && visibleInVersion(property->flags, m_version)) {
            if (owner) {
                *owner = current;
            }
            return property;
        }
        current = current->prototypeFor(m_version);
    }
    return nullptr;
}

bool Interpreter::hasProperty(Object& object, std::string_view name) {
    if (object.kind() == ObjectKind::Clip) {
        bool found = false;
        getClipMember(object, name, found);
        if (found) {
            return true;
        }
    }
    if (object.kind() == ObjectKind::Array) {
        std::size_t index = 0;
        if (name == "length" || (arrayIndex(name, index) && index < object.elements.size())) {
            return true;
        }
    }
    if (object.builtin && object.builtin->property(*this, name)) {
        return true;
    }
    return findProperty(object, name) != nullptr;
}

Value Interpreter::getMember(const Value& value, std::string_view name) {
    std::shared_ptr<Object> object;
    if (value.isObject()) {
        object = value.object();
    } else if (value.isString()) {
        if (name == "length") {
            return Value(static_cast<double>(value.string().size()));
        }
        object = stringPrototype;
    } else if (value.isNumber()) {
        object = numberPrototype;
    } else if (value.isBoolean()) {
        object = booleanPrototype;
    }
    if (!object) {
        return Value();
    }
    if (!value.isObject() && name == prototypePropertyName) {
        return Value(object);
    }
    if (object->kind() == ObjectKind::Array) {
        std::size_t index = 0;
        if (name == "length") {
            return Value(static_cast<double>(object->elements.size()));
        }
        if (arrayIndex(name, index)) {
            return index < object->elements.size() ? object->elements[index] : Value();
        }
    }
    if (object->kind() == ObjectKind::Clip) {
        bool found = false;
        Value member = getClipMember(*object, name, found);
        if (found) {
            return member;
        }
    }
    if (object->builtin) {
        if (std::optional<Value> answered = object->builtin->property(*this, name)) {
            return *answered;
        }
    }
    if (Property* property = findProperty(*object, name)) {
        if (property->getter) {
            return call(Value(property->getter), value, {});
        }
        return property->value;
    }
    return Value();
}

void Interpreter::setMember(const Value& target, std::string_view name, Value value) {
    Object* object = target.objectOrNull();
    if (!object) {
        return;
    }
    if (object->kind() == ObjectKind::Array) {
        std::size_t index = 0;
        if (name == "length") {
            const double length = toNumber(value);
            if (length >= 0 && length <= static_cast<double>(maxArrayLength)) {
                object->elements.resize(static_cast<std::size_t>(length));
            }
            return;
        }
        if (arrayIndex(name, index)) {
            if (index < maxArrayLength) {
                if (index >= object->elements.size()) {
                    object->elements.resize(index + 1);
                }
                object->elements[index] = std::move(value);
            }
            return;
        }
    }
    if (object->kind() == ObjectKind::Clip && setClipMember(*object, name, value)) {
        return;
    }
    Object* owner = nullptr;
    if (Property* property = findProperty(*object, name, &owner)) {
        if (property->setter) {
            call(Value(property->setter), target, {std::move(value)});
            return;
        }
        if (property->getter) {
            return; // a getter without setter makes the property read-only
        }
        if (owner == object) {
            if ((property->flags & ReadOnly) == 0) {
                object->assign(*property, std::move(value));
            }
            return;
        }
    }
    if (object->findOwn(name, caseSensitive())) {
        return; // hidden from this movie's version, so it cannot be replaced either
    }
    object->define(name, std::move(value));
}

Value Interpreter::getVariable(Frame& frame, std::string_view name) {
    // "/a/b:c" and "a/b:c": a variable of the clip at a slash path.
    if (const std::size_t colon = name.rfind(':'); colon != std::string_view::npos) {
        SpriteObject* base = frame.target ? resolveClip(*frame.target) : nullptr;
        SpriteObject* clip = resolvePath(name.substr(0, colon), base);
        return clip ? getMember(Value(clipObject(*clip)), name.substr(colon + 1)) : Value();
    }
    if (name.find('/') != std::string_view::npos) {
        SpriteObject* base = frame.target ? resolveClip(*frame.target) : nullptr;
        SpriteObject* clip = resolvePath(name, base);
        return clip ? Value(clipObject(*clip)) : Value();
    }
    if (const std::size_t dot = name.find('.'); dot != std::string_view::npos && dot > 0) {
        Value current = getVariable(frame, name.substr(0, dot));
        std::string_view rest = name.substr(dot + 1);
        while (!rest.empty()) {
            const std::size_t next = rest.find('.');
            current = getMember(current, rest.substr(0, next));
            rest = next == std::string_view::npos ? std::string_view() : rest.substr(next + 1);
        }
        return current;
    }
    auto is = [&](std::string_view word) {
        return caseSensitive() ? name == word : equalsIgnoringCase(name, word);
    };
    if (is("this")) {
        return frame.thisValue;
    }
    if (is("_root")) {
        return Value(clipObject(m_context->root));
    }
    if (const std::optional<int> level = levelNumber(name)) {
        SpriteObject* root = m_context->player.level(*level);
        return root ? Value(clipObject(*root)) : Value();
    }
    if (is("_global")) {
        return Value(m_global);
    }
    if (is("_parent")) {
        SpriteObject* clip = frame.target ? resolveClip(*frame.target) : nullptr;
        return clip && clip->parent() ? Value(clipObject(*clip->parent())) : Value();
    }
    const std::shared_ptr<Object> timeline = variableTimeline(frame);
    for (auto scope = frame.scope.rbegin(); scope != frame.scope.rend(); ++scope) {
        // tellTarget puts its clip where the timeline was in the chain.
        const std::shared_ptr<Object>& object = *scope == frame.baseClip ? timeline : *scope;
        if (object && hasProperty(*object, name)) {
            return getMember(Value(object), name);
        }
    }
    if (timeline && hasProperty(*timeline, name)) {
        return getMember(Value(timeline), name);
    }
    if (hasProperty(*m_global, name)) {
        return getMember(Value(m_global), name);
    }
    return Value();
}

void Interpreter::setVariable(Frame& frame, std::string_view name, Value value) {
    if (const std::size_t colon = name.rfind(':'); colon != std::string_view::npos) {
        SpriteObject* base = frame.target ? resolveClip(*frame.target) : nullptr;
        if (SpriteObject* clip = resolvePath(name.substr(0, colon), base)) {
            setMember(Value(clipObject(*clip)), name.substr(colon + 1), std::move(value));
        }
        return;
    }
    if (const std::size_t dot = name.rfind('.'); dot != std::string_view::npos && dot > 0) {
        setMember(getVariable(frame, name.substr(0, dot)), name.substr(dot + 1), std::move(value));
        return;
    }
    for (auto scope = frame.scope.rbegin(); scope != frame.scope.rend(); ++scope) {
        if (*scope && *scope != frame.baseClip && hasProperty(**scope, name)) {
            setMember(Value(*scope), name, std::move(value));
            return;
        }
    }
    // Undeclared names land on the timeline, the tellTarget one when there is one; while
    // tellTarget finds nothing they go nowhere.
    if (frame.target) {
        setMember(Value(variableTimeline(frame)), name, std::move(value));
    }
}

std::shared_ptr<Object> Interpreter::variableTimeline(const Frame& frame) {
    if (frame.target == frame.baseClip) {
        return frame.baseClip;
    }
    // tellTarget to a clip that was never found, or that was removed since, leaves the
    // script's names on the root timeline.
    if (!frame.target || (frame.target->kind() == ObjectKind::Clip && !resolveDisplayObject(*frame.target))) {
        return m_context ? clipObject(m_context->root) : frame.baseClip;
    }
    return frame.target;
}

Value Interpreter::toPrimitive(const Value& value) {
    Object* object = value.objectOrNull();
    if (!object) {
        return value;
    }
    if (object->kind() == ObjectKind::Boxed) {
        return object->primitive;
    }
    if (object->kind() == ObjectKind::Clip) {
        return Value(toString(value));
    }
    // valueOf, then toString; a clip either returns counts as its path. An object with
    // neither method is undefined, and one whose toString gives an object "[type Object]".
    Value valueOf = getMember(value, "valueOf");
    if (valueOf.objectOrNull() && valueOf.object()->isCallable()) {
        Value result = call(valueOf, value, {});
        if (Object* returned = result.objectOrNull(); !returned || returned->kind() == ObjectKind::Clip) {
            return returned ? Value(toString(result)) : result;
        }
    }
    Value method = getMember(value, "toString");
    if (!method.objectOrNull() || !method.object()->isCallable()) {
        return Value();
    }
    Value result = call(method, value, {});
    if (Object* returned = result.objectOrNull()) {
        return Value(returned->kind() == ObjectKind::Clip ? toString(result) : std::string("[type Object]"));
    }
    return result;
}

double Interpreter::toNumber(const Value& value) {
    Object* object = value.objectOrNull();
    if (!object || object->kind() == ObjectKind::Boxed) {
        return toNumberPrimitive(value, m_version);
    }
    // A number asks valueOf alone: toString is never called, so an object whose valueOf
    // gives an object (a clip included) is NaN.
    if (object->kind() == ObjectKind::Clip) {
        return std::nan("");
    }
    Value valueOf = getMember(value, "valueOf");
    if (!valueOf.objectOrNull() || !valueOf.object()->isCallable()) {
        return std::nan("");
    }
    Value result = call(valueOf, value, {});
    return result.isObject() ? std::nan("") : toNumberPrimitive(result, m_version);
}

std::string Interpreter::toString(const Value& value) {
    Object* object = value.objectOrNull();
    if (!object || object->kind() == ObjectKind::Boxed || object->kind() == ObjectKind::Clip) {
        if (object && object->kind() == ObjectKind::Clip) {
            return resolveDisplayObject(*object) ? object->clipPath : std::string();
        }
        return toStringPrimitive(value, m_version);
    }
    Value method = getMember(value, "toString");
    if (method.objectOrNull() && method.object()->isCallable()) {
        Value result = call(method, value, {});
        if (!result.isObject()) {
            return toStringPrimitive(result, m_version);
        }
    }
    return toStringPrimitive(value, m_version);
}

bool Interpreter::toBoolean(const Value& value) const {
    return avm1::toBoolean(value, m_version);
}

std::string Interpreter::typeOf(const Value& value) {
    if (value.isUndefined()) {
        return "undefined";
    }
    if (value.isNull()) {
        return "null";
    }
    if (value.isBoolean()) {
        return "boolean";
    }
    if (value.isNumber()) {
        return "number";
    }
    if (value.isString()) {
        return "string";
    }
    switch (value.object()->kind()) {
    case ObjectKind::Function:
        return "function";
    case ObjectKind::Clip:
        if (resolveClip(*value.object())) {
            return "movieclip";
        }
        return resolveDisplayObject(*value.object()) ? "object" : "undefined";
    default:
        return "object";
    }
}

std::shared_ptr<Object> Interpreter::clipObject(DisplayObject& clip) {
    if (clip.scriptObject()) {
        return std::static_pointer_cast<Object>(clip.scriptObject());
    }
    // Flash Player names every unnamed instance, so paths and _name always have a word.
    if (clip.name().empty() && clip.parent()) {
        clip.setName("instance" + std::to_string(m_nextInstanceName++));
    }
    auto object = track(std::make_shared<Object>(ObjectKind::Clip));
    std::shared_ptr<Object> prototype = movieClipPrototype;
    if (clip.asButton() && input.buttonPrototype) {
        prototype = input.buttonPrototype;
    } else if (clip.asEditText()) {
        prototype = textFieldPrototype(*this);
    }
    object->setPrototype(prototype);
    std::vector<const DisplayObject*> chain;
    const DisplayObject* levelRoot = &clip;
    for (; levelRoot->parent(); levelRoot = levelRoot->parent()) {
        chain.push_back(levelRoot);
    }
    std::string path = "_level" + std::to_string(levelRoot->depth().value);
    for (auto step = chain.rbegin(); step != chain.rend(); ++step) {
        path += "." + (*step)->name();
    }
    object->clipPath = std::move(path);
    object->clipIdentity = &clip;
    clip.setScriptObject(object);
    return object;
}

DisplayObject* Interpreter::resolveDisplayObject(const Object& object) {
    if (object.kind() != ObjectKind::Clip || !m_context) {
        return nullptr;
    }
    DisplayObject* found =
        resolveTargetPath(object.clipPath, m_context->root, m_context->root, caseSensitive());
    if (found && found != object.clipIdentity && found->parent()) {
        // A lower sibling of the same name hides this clip from its path, yet the clip
        // still lives: look for it by identity among the siblings, comparing addresses only.
        found = siblingWithIdentity(*found, object.clipIdentity);
    }
    if (!found || found != object.clipIdentity || found->isRemoved()) {
        return nullptr;
    }
    return found;
}

SpriteObject* Interpreter::resolveClip(const Object& object) {
    DisplayObject* found = resolveDisplayObject(object);
    return found ? found->asSprite() : nullptr;
}

SpriteObject* Interpreter::resolveClipValue(const Value& value) {
    if (Object* object = value.objectOrNull()) {
        return resolveClip(*object);
    }
    if (value.isString() && m_context) {
        return resolvePath(value.string(), &m_context->base);
    }
    return nullptr;
}

SpriteObject* Interpreter::resolvePath(std::string_view path, SpriteObject* base) {
    if (!m_context) {
        return nullptr;
    }
    if (path.empty()) {
        return base;
    }
    DisplayObject* found =
        resolveTargetPath(path, base ? *base : m_context->root, m_context->root, caseSensitive());
    return found && !found->isRemoved() ? found->asSprite() : nullptr;
}

std::string Interpreter::slashPath(const DisplayObject& clip) const {
    std::string path;
    const DisplayObject* step = &clip;
    for (; step->parent(); step = step->parent()) {
        path = "/" + step->name() + path;
    }
    // Clips of other levels name their level first: "_level1/menu".
    if (step->depth().value != 0) {
        return "_level" + std::to_string(step->depth().value) + path;
    }
    return path.empty() ? "/" : path;
}

Value Interpreter::getClipMember(Object& object, std::string_view name, bool& found) {
    found = false;
    // Buttons answer the same underscore properties as clips, without a timeline.
    DisplayObject* clip = resolveDisplayObject(object);
    if (!clip) {
        return Value();
    }
    if (object.findOwn(name, caseSensitive())) {
        return Value(); // a variable: the caller reads it
    }
    if (equalsIgnoringCase(name, "_parent")) {
        found = true;
        return clip->parent() ? Value(clipObject(*clip->parent())) : Value();
    }
    if (equalsIgnoringCase(name, "_root")) {
        found = true;
        return Value(clipObject(m_context->root));
    }
    if (const std::optional<int> level = levelNumber(name)) {
        found = true;
        SpriteObject* root = m_context->player.level(*level);
        return root ? Value(clipObject(*root)) : Value();
    }
    if (EditTextObject* field = clip->asEditText()) {
        if (std::optional<Value> property = getTextFieldProperty(*this, *field, name)) {
            found = true;
            return *property;
        }
    }
    if (std::optional<Value> property = getClipProperty(*this, *clip, name)) {
        found = true;
        return *property;
    }
    SpriteObject* timeline = clip->asSprite();
    if (DisplayObject* child =
            timeline ? timeline->displayList().findByName(name, caseSensitive()) : nullptr) {
        found = true;
        return Value(clipObject(isScriptAddressable(*child, m_version) ? *child : *timeline));
    }
    return Value();
}

bool Interpreter::setClipMember(Object& object, std::string_view name, const Value& value) {
    DisplayObject* clip = resolveDisplayObject(object);
    if (!clip) {
        return false;
    }
    if (EditTextObject* field = clip->asEditText(); field && setTextFieldProperty(*this, *field, name, value)) {
        return true;
    }
    if (ButtonObject* button = clip->asButton()) {
        // enabled and useHandCursor stay ordinary properties; the button follows them.
        if (equalsIgnoringCase(name, "enabled")) {
            button->setEnabled(toBoolean(value));
        } else if (equalsIgnoringCase(name, "useHandCursor")) {
            button->setUseHandCursor(toBoolean(value));
        }
    }
    return setClipProperty(*this, *clip, name, value);
}

} // namespace kf::swf::avm1
