#include "swf/avm1/MovieLoading.h"

#include "swf/avm1/BuiltinSupport.h"
#include "swf/avm1/Conversions.h"
#include "swf/runtime/MovieLoads.h"
#include "swf/runtime/PlayerContext.h"
#include "swf/runtime/SpriteObject.h"

#include <array>
#include <cmath>
#include <optional>

namespace kf::swf::avm1 {

namespace {

// A clip object, or a path: "_levelN" names a level even before anything is loaded there.
std::optional<LoadTarget> loadTargetFor(Interpreter& vm, SpriteObject* base, const Value& target) {
    if (Object* object = target.objectOrNull(); object && object->kind() == ObjectKind::Clip) {
        SpriteObject* clip = vm.resolveClip(*object);
        return clip ? std::optional<LoadTarget>(loadTargetOf(*clip)) : std::nullopt;
    }
    const std::string path = vm.toString(target);
    if (const std::optional<int> level = levelNumber(path)) {
        return LoadTarget{*level, {}};
    }
    SpriteObject* clip = vm.resolvePath(path, base);
    return clip ? std::optional<LoadTarget>(loadTargetOf(*clip)) : std::nullopt;
}

std::optional<LoadTarget> levelTarget(Interpreter& vm, const Value& level) {
    const double number = vm.toNumber(level);
    if (!std::isfinite(number) || number < 0 || number > 1e9) {
        return std::nullopt;
    }
    return LoadTarget{static_cast<int>(number), {}};
}

void queue(Interpreter& vm, LoadKind kind, const std::string& url, std::optional<LoadTarget> target) {
    if (target && vm.hasContext()) {
        requestLoad(vm.context().player, vm.context().base, kind, url, std::move(*target));
    }
}

SpriteObject* thisClip(Interpreter& vm, const Value& thisValue) {
    SpriteObject* clip = vm.resolveClipValue(thisValue);
    if (!clip && thisValue.isUndefined() && vm.hasContext()) {
        clip = &vm.context().base;
    }
    return clip;
}

void installClipMethods(Interpreter& vm, Object& prototype) {
    vm.setMethod(prototype, "loadMovie",
                 [](Interpreter& interpreter, const Value& self, std::vector<Value>& arguments) {
                     if (SpriteObject* clip = thisClip(interpreter, self)) {
                         queue(interpreter, LoadKind::Movie, interpreter.toString(argument(arguments, 0)),
                               loadTargetOf(*clip));
                     }
                     return Value();
                 });
    vm.setMethod(prototype, "unloadMovie",
                 [](Interpreter& interpreter, const Value& self, std::vector<Value>&) {
                     if (SpriteObject* clip = thisClip(interpreter, self)) {
                         queue(interpreter, LoadKind::Unload, {}, loadTargetOf(*clip));
                     }
                     return Value();
                 });
    vm.setMethod(prototype, "loadVariables",
                 [](Interpreter& interpreter, const Value& self, std::vector<Value>& arguments) {
                     if (SpriteObject* clip = thisClip(interpreter, self)) {
                         queue(interpreter, LoadKind::Variables, interpreter.toString(argument(arguments, 0)),
                               loadTargetOf(*clip));
                     }
                     return Value();
                 });
}

// loadMovie(url, target), loadMovieNum(url, level), unloadMovie(target)...: the url comes
// first unless the function unloads; the target is a clip or path, or a level number.
struct GlobalLoadFunction {
    std::string_view name;
    LoadKind kind;
    bool byLevel;
};

constexpr std::array globalLoadFunctions{
    GlobalLoadFunction{"loadMovie", LoadKind::Movie, false},
    GlobalLoadFunction{"loadMovieNum", LoadKind::Movie, true},
    GlobalLoadFunction{"unloadMovie", LoadKind::Unload, false},
    GlobalLoadFunction{"unloadMovieNum", LoadKind::Unload, true},
    GlobalLoadFunction{"loadVariables", LoadKind::Variables, false},
    GlobalLoadFunction{"loadVariablesNum", LoadKind::Variables, true},
};

void installGlobalFunctions(Interpreter& vm) {
    for (const GlobalLoadFunction& function : globalLoadFunctions) {
        vm.setMethod(vm.global(), function.name,
                     [function](Interpreter& interpreter, const Value&, std::vector<Value>& arguments) {
                         const bool hasUrl = function.kind != LoadKind::Unload;
                         const std::string url =
                             hasUrl ? interpreter.toString(argument(arguments, 0)) : std::string();
                         const Value target = argument(arguments, hasUrl ? 1 : 0);
                         SpriteObject* base =
                             interpreter.hasContext() ? &interpreter.context().base : nullptr;
                         queue(interpreter, function.kind, url,
                               function.byLevel ? levelTarget(interpreter, target)
                                                : loadTargetFor(interpreter, base, target));
                         return Value();
                     });
    }
}

} // namespace

bool requestScriptLoad(Interpreter& vm, SpriteObject* base, const std::string& url, const std::string& window,
                       bool windowIsTarget, bool variables) {
    const bool level = levelNumber(window).has_value();
    if (!level && !windowIsTarget) {
        return false;
    }
    queue(vm, variables ? LoadKind::Variables : LoadKind::Movie, url, loadTargetFor(vm, base, Value(window)));
    return true;
}

void installMovieClipLoading(Interpreter& vm, Object& prototype) {
    installClipMethods(vm, prototype);
    installGlobalFunctions(vm);
}

void Interpreter::variablesLoaded(ActionContext& context, SpriteObject& clip,
                                  const std::vector<std::pair<std::string, std::string>>& variables) {
    beginHook(context);
    const Value self(clipObject(clip));
    for (const auto& [name, value] : variables) {
        setMember(self, name, Value(value));
    }
    m_context = nullptr;
}

} // namespace kf::swf::avm1
