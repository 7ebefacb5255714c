// Sound: volume, pan and the four-way channel transform of a timeline or of the whole movie.
// Nothing is heard yet; the settings behave as Flash Player keeps them, so movies that fade
// or pan read back what they set.
#include "swf/avm1/ActionHandlers.h"
#include "swf/avm1/BuiltinSupport.h"
#include "swf/avm1/Conversions.h"
#include "swf/avm1/SoundSettings.h"
#include "swf/runtime/LoadedMovie.h"
#include "swf/runtime/PlayerContext.h"
#include "swf/runtime/SpriteObject.h"

#include <cmath>
#include <limits>

namespace kf::swf::avm1 {

namespace {

// What `new Sound(target)` remembers: the timeline whose settings it changes, none for the
// whole movie, or nothing usable when the target named no clip.
class SoundInstance : public BuiltinState {
public:
    bool global = true;
    std::shared_ptr<Object> clip; // null with !global: the target was not found
    std::string attachedName;
    bool attached = false;
    std::optional<double> durationMilliseconds; // of the attached sound, when its data is known

    // duration and position belong to each Sound (Flash Player 6 on), not to its prototype.
    std::optional<Value> property(Interpreter& vm, std::string_view name) override {
        if (vm.version() < 6) {
            return std::nullopt;
        }
        if (name == "duration") {
            return durationMilliseconds ? Value(*durationMilliseconds) : Value();
        }
        if (name == "position") {
            return attached ? Value(0.0) : Value();
        }
        return std::nullopt;
    }
};

// Settings are shared by every Sound of one target, so they live apart from the instances:
// one set for the movie, one per clip (dropped with the clip's script object).
class SoundRegistry {
public:
    SoundSettings* find(Interpreter& vm, const SoundInstance& instance) {
        if (instance.global) {
            return &m_global;
        }
        if (!instance.clip || !vm.resolveDisplayObject(*instance.clip)) {
            return nullptr;
        }
        std::erase_if(m_clips, [](const Entry& entry) { return entry.clip.expired(); });
        for (Entry& entry : m_clips) {
            if (entry.clip.lock() == instance.clip) {
                return &entry.settings;
            }
        }
        m_clips.push_back(Entry{instance.clip, SoundSettings{}});
        return &m_clips.back().settings;
    }

private:
    struct Entry {
        std::weak_ptr<Object> clip;
        SoundSettings settings;
    };
    SoundSettings m_global;
    std::vector<Entry> m_clips;
};

SoundInstance* instanceOf(const Value& thisValue) {
    Object* object = thisValue.objectOrNull();
    return object ? dynamic_cast<SoundInstance*>(object->builtin.get()) : nullptr;
}

using SoundMethod = Value (*)(Interpreter&, SoundSettings&, std::vector<Value>&);

// A method that works on the settings of the instance's target; undefined when the target
// is gone or was never found.
void method(Interpreter& vm, Object& prototype, const std::shared_ptr<SoundRegistry>& registry,
            std::string_view name, SoundMethod body) {
    vm.setMethod(
        prototype, name,
        [registry, body](Interpreter& interpreter, const Value& thisValue, std::vector<Value>& arguments) {
            SoundInstance* instance = instanceOf(thisValue);
            SoundSettings* settings = instance ? registry->find(interpreter, *instance) : nullptr;
            return settings ? body(interpreter, *settings, arguments) : Value();
        });
}

// setVolume and setPan take their number as a machine conversion does: out of range and NaN
// become the lowest integer. No argument at all counts as 0.
std::int32_t wholeArgument(Interpreter& vm, const std::vector<Value>& arguments) {
    return arguments.empty() ? 0 : saturatingInt32(vm.toNumber(arguments[0]));
}

Value transformObject(Interpreter& vm, const SoundSettings& settings) {
    auto object = vm.newObject();
    object->define("ll", Value(static_cast<double>(settings.leftToLeft)));
    object->define("lr", Value(static_cast<double>(settings.leftToRight)));
    object->define("rr", Value(static_cast<double>(settings.rightToRight)));
    object->define("rl", Value(static_cast<double>(settings.rightToLeft)));
    return Value(object);
}

// Only the object's own properties count: values it inherits are left alone.
void applyTransform(Interpreter& vm, SoundSettings& settings, const Value& given) {
    Object* object = given.objectOrNull();
    if (!object) {
        return;
    }
    const std::pair<const char*, std::int32_t SoundSettings::*> channels[] = {
        {"ll", &SoundSettings::leftToLeft},
        {"lr", &SoundSettings::leftToRight},
        {"rr", &SoundSettings::rightToRight},
        {"rl", &SoundSettings::rightToLeft}};
    for (const auto& [name, member] : channels) {
        if (Property* property = object->findOwn(name, vm.caseSensitive())) {
            settings.*member = toInt32(vm.toNumber(property->getter ? Value() : property->value));
        }
    }
}

// How long the exported sound `name` plays, in whole milliseconds as Flash Player counts them.
std::optional<double> soundDuration(Interpreter& vm, const std::string& name) {
    const PlayerContext& player = vm.context().player;
    const std::optional<CharacterId> id = player.exportedCharacter(name);
    const DefineSoundTag* sound = id ? player.movie().sound(*id) : nullptr;
    if (!sound) {
        return std::nullopt;
    }
    return std::round(sound->sampleCount * 1000.0 / sound->sampleRate());
}

Value duration(Interpreter& vm, const Value& thisValue, std::vector<Value>&) {
    SoundInstance* instance = instanceOf(thisValue);
    return instance ? *instance->property(vm, "duration") : Value();
}

// Playback is silent and attached sounds come with the movie, so an attached sound is always
// at its start and has no bytes left to load: position and byte counts read 0.
Value zeroWhenAttached(Interpreter&, const Value& thisValue, std::vector<Value>&) {
    SoundInstance* instance = instanceOf(thisValue);
    return instance && instance->attached ? Value(0.0) : Value();
}

Value nothing(Interpreter&, const Value&, std::vector<Value>&) {
    return Value();
}

// The timeline a Sound works on: a clip or text field, or a path to a clip (undefined reads
// as "" before SWF 7: this timeline).
std::shared_ptr<Object> targetObject(Interpreter& vm, const Value& given) {
    if (Object* object = given.objectOrNull()) {
        DisplayObject* shown = vm.resolveDisplayObject(*object);
        return shown ? vm.clipObject(*shown) : nullptr;
    }
    SpriteObject* clip = vm.resolveClipValue(Value(vm.toString(given)));
    return clip ? vm.clipObject(*clip) : nullptr;
}

} // namespace

void installSound(Interpreter& vm) {
    auto registry = std::make_shared<SoundRegistry>();
    auto prototype = vm.newObject();
    auto constructor = vm.newFunction(
        [](Interpreter& interpreter, const Value& thisValue, std::vector<Value>& arguments) -> Value {
            Object* self = thisValue.objectOrNull();
            if (!self || !interpreter.constructing()) {
                return Value();
            }
            auto instance = std::make_shared<SoundInstance>();
            if (!arguments.empty()) {
                instance->global = false;
                instance->clip = targetObject(interpreter, arguments[0]);
            }
            self->builtin = instance;
            return Value();
        },
        prototype);
    vm.global().define("Sound", Value(constructor), DontEnum);

    method(vm, *prototype, registry, "getVolume",
           [](Interpreter&, SoundSettings& settings, std::vector<Value>&) {
               return Value(static_cast<double>(settings.volume));
           });
    method(vm, *prototype, registry, "setVolume",
           [](Interpreter& interpreter, SoundSettings& settings, std::vector<Value>& arguments) {
               settings.volume = wholeArgument(interpreter, arguments);
               return Value();
           });
    method(vm, *prototype, registry, "getPan",
           [](Interpreter&, SoundSettings& settings, std::vector<Value>&) {
               return Value(static_cast<double>(settings.pan()));
           });
    method(vm, *prototype, registry, "setPan",
           [](Interpreter& interpreter, SoundSettings& settings, std::vector<Value>& arguments) {
               settings.setPan(wholeArgument(interpreter, arguments));
               return Value();
           });
    method(vm, *prototype, registry, "getTransform",
           [](Interpreter& interpreter, SoundSettings& settings, std::vector<Value>&) {
               return transformObject(interpreter, settings);
           });
    method(vm, *prototype, registry, "setTransform",
           [](Interpreter& interpreter, SoundSettings& settings, std::vector<Value>& arguments) {
               applyTransform(interpreter, settings, argument(arguments, 0));
               return Value();
           });
    vm.setMethod(
        *prototype, "attachSound",
        [](Interpreter& interpreter, const Value& thisValue, std::vector<Value>& arguments) -> Value {
            if (SoundInstance* instance = instanceOf(thisValue)) {
                instance->attachedName = interpreter.toString(argument(arguments, 0));
                instance->attached = !instance->attachedName.empty();
                instance->durationMilliseconds = soundDuration(interpreter, instance->attachedName);
            }
            return Value();
        });
    // Playback is silent for now: start and stop are accepted and do nothing audible.
    vm.setMethod(*prototype, "start", nothing);
    vm.setMethod(*prototype, "stop", nothing);
    // Flash Player 6 added these; SWF 5 movies do not see them.
    const std::pair<const char*, NativeFunction> playerSix[] = {{"getDuration", duration},
                                                                {"getPosition", zeroWhenAttached},
                                                                {"loadSound", nothing},
                                                                {"setPosition", nothing},
                                                                {"setDuration", nothing},
                                                                {"getBytesLoaded", zeroWhenAttached},
                                                                {"getBytesTotal", zeroWhenAttached}};
    for (const auto& [name, function] : playerSix) {
        prototype->define(name, Value(vm.newFunction(function)), DontEnum | Version6);
    }
    // Sounds here are never blocked by a security sandbox.
    prototype->define(
        "areSoundsInaccessible",
        Value(vm.newFunction([](Interpreter&, const Value&, std::vector<Value>&) { return Value(false); })),
        DontEnum | Version9);
    // checkPolicyFile only matters to loadSound from other domains, which is not built: it reads
    // undefined and ignores writes.
    Property& policy = prototype->define("checkPolicyFile", Value(), DontEnum);
    policy.getter = vm.newFunction(nothing);
    policy.setter = vm.newFunction(nothing);
    // The whole prototype, its __proto__ and constructor too, is hidden, permanent and read-only.
    prototype->addFlagsToAll(DontEnum | DontDelete | ReadOnly);
}

} // namespace kf::swf::avm1
