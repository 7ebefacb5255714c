#pragma once

#include "swf/avm1/Value.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kf::swf {
class SpriteObject;
struct ActionBlock;
} // namespace kf::swf

namespace kf::swf::avm1 {

class Interpreter;
struct ScriptFunction;

enum class ObjectKind : std::uint8_t { Plain, Function, Array, Clip, Boxed };

// Property attributes as ASSetPropFlags sets them.
enum PropertyFlag : std::uint8_t { DontEnum = 1, DontDelete = 2, ReadOnly = 4 };

struct Property {
    std::string name;
    Value value;
    std::uint8_t flags = 0;
    // addProperty: the getter and setter functions, when set.
    std::shared_ptr<Object> getter;
    std::shared_ptr<Object> setter;
};

// What a built-in class keeps inside its instances, out of scripts' reach (a Sound's target,
// a BitmapData's pixels). Each class derives its own and casts back.
class BuiltinState {
public:
    virtual ~BuiltinState() = default;
};

using NativeFunction =
    std::function<Value(Interpreter&, const Value& thisValue, std::vector<Value>& arguments)>;

// An ActionScript object: ordered named properties and a prototype. Functions, arrays,
// movie clips and boxed primitives are objects with extra data.
class Object : public std::enable_shared_from_this<Object> {
public:
    explicit Object(ObjectKind kind = ObjectKind::Plain) : m_kind(kind) {}

    ObjectKind kind() const { return m_kind; }

    const std::shared_ptr<Object>& prototype() const { return m_prototype; }
    void setPrototype(std::shared_ptr<Object> prototype) { m_prototype = std::move(prototype); }

    // Own properties only; `caseSensitive` is false for movies before SWF 7.
    Property* findOwn(std::string_view name, bool caseSensitive);
    const std::vector<Property>& properties() const { return m_properties; }
    Property& define(std::string_view name, Value value, std::uint8_t flags = 0);
    bool remove(std::string_view name, bool caseSensitive);
    // Breaks reference cycles when the movie goes away.
    void clear();

    // Arrays keep their elements here; "length" and numeric names map onto them.
    std::vector<Value> elements;

    // Functions.
    NativeFunction native;
    std::shared_ptr<ScriptFunction> script;
    bool isCallable() const { return native || script; }

    // Boxed String, Number and Boolean objects, and Date's time.
    Value primitive;

    // Instances of built-in classes with hidden state; null for every other object.
    std::shared_ptr<BuiltinState> builtin;

    // Clips: the absolute target path ("_level0.a.b") and the clip it was made for, which is
    // compared on every resolve so a new clip at the same path is not taken for this one.
    std::string clipPath;
    const void* clipIdentity = nullptr;
    bool clipLoaded = false; // its load event has fired
    // _xscale, _yscale and _rotation as a script last set them, with the matrix terms they
    // produced: while the clip's matrix still has those terms, reading gives back what was
    // written instead of values recomputed with rounding errors, as in Flash Player.
    struct ScriptedTransform {
        double a = 1, b = 0, c = 0, d = 1;
        double xScale = 100, yScale = 100, rotation = 0;
    };
    std::optional<ScriptedTransform> scriptedTransform;

private:
    ObjectKind m_kind;
    std::shared_ptr<Object> m_prototype;
    std::vector<Property> m_properties;
};

} // namespace kf::swf::avm1
