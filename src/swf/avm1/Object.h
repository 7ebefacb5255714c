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

// Property attributes as ASSetPropFlags sets them. The version bits hide a property from
// movies made for older players (or, for NotVersion6, from SWF 6 movies alone): reads and
// writes pass it by, while for..in and hasOwnProperty still see it, as in Flash Player.
enum PropertyFlag : std::uint16_t {
    DontEnum = 1,
    DontDelete = 2,
    ReadOnly = 4,
    Version6 = 0x80,
    NotVersion6 = 0x100,
    Version7 = 0x400,
    Version8 = 0x1000,
    Version9 = 0x2000,
    Version10 = 0x4000,
};

constexpr bool visibleInVersion(std::uint16_t flags, std::uint8_t version) {
    return !(((flags & Version6) != 0 && version < 6) || ((flags & NotVersion6) != 0 && version == 6) ||
             ((flags & Version7) != 0 && version < 7) || ((flags & Version8) != 0 && version < 8) ||
             ((flags & Version9) != 0 && version < 9) || ((flags & Version10) != 0 && version < 10));
}

// Every object but Object.prototype and a function's activation keeps its prototype in an
// ordinary property of this name, so scripts can list, hide, overwrite or delete it.
inline constexpr std::string_view prototypePropertyName = "__proto__";

struct Property {
    std::string name;
    Value value;
    std::uint16_t flags = 0;
    // addProperty: the getter and setter functions, when set.
    std::shared_ptr<Object> getter;
    std::shared_ptr<Object> setter;
};

// What a built-in class keeps inside its instances, out of scripts' reach (a Sound's target,
// a BitmapData's pixels). Each class derives its own and casts back.
class BuiltinState {
public:
    virtual ~BuiltinState() = default;
    // A value the class answers for its instance without keeping it in a property (a Sound's
    // duration), or nullopt for names it does not answer.
    virtual std::optional<Value> property(Interpreter&, std::string_view) { return std::nullopt; }
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
    // The prototype a lookup in a movie of `version` follows: none when the __proto__
    // property is hidden from that version.
    Object* prototypeFor(std::uint8_t version) const;
    // Sets the __proto__ property too, creating it hidden and permanent when missing; null
    // removes it.
    void setPrototype(std::shared_ptr<Object> prototype);

    // Own properties only; `caseSensitive` is false for movies before SWF 7.
    Property* findOwn(std::string_view name, bool caseSensitive);
    const std::vector<Property>& properties() const { return m_properties; }
    Property& define(std::string_view name, Value value, std::uint16_t flags = 0);
    // Writes an existing property's value (keeping __proto__ and the prototype in step).
    void assign(Property& property, Value value);
    bool remove(std::string_view name, bool caseSensitive);
    // Adds attribute bits to every own property, as ASSetPropFlags(object, null, flags).
    void addFlagsToAll(std::uint16_t flags);
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
