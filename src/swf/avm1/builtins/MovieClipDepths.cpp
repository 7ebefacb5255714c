// The MovieClip methods that create, remove and reorder clips.
#include "swf/avm1/BuiltinSupport.h"
#include "swf/avm1/Conversions.h"
#include "swf/avm1/ScriptedClips.h"
#include "swf/runtime/Character.h"
#include "swf/runtime/PlayerContext.h"
#include "swf/runtime/SpriteObject.h"

#include <algorithm>
#include <cstdint>

namespace kf::swf::avm1 {

namespace {

using ClipMethod = Value (*)(Interpreter&, SpriteObject&, std::vector<Value>&);

void method(Interpreter& vm, Object& prototype, std::string_view name, ClipMethod body) {
    vm.setMethod(prototype, name,
                 [body](Interpreter& interpreter, const Value& thisValue, std::vector<Value>& arguments) {
                     SpriteObject* clip = interpreter.resolveClipValue(thisValue);
                     // Called as a plain function (createEmptyMovieClip(...) on a timeline),
                     // the method works on the timeline the script runs on.
                     if (!clip && thisValue.isUndefined() && interpreter.hasContext()) {
                         clip = &interpreter.context().base;
                     }
                     return clip ? body(interpreter, *clip, arguments) : Value();
                 });
}

std::int64_t listDepthOf(Interpreter& vm, const Value& depth) {
    return static_cast<std::int64_t>(toInt32(vm.toNumber(depth))) + scriptDepthOffset;
}

Value clipValue(Interpreter& vm, SpriteObject* clip) {
    return clip ? Value(vm.clipObject(*clip)) : Value();
}

// A new sprite of `character` (or an empty one) named and placed by a script.
SpriteObject* createChild(Interpreter& vm, SpriteObject& parent, std::optional<CharacterId> character,
                          const std::string& name, std::int64_t listDepth) {
    if (character ? !isSymbolCreationDepth(listDepth) : !isScriptCreationDepth(listDepth)) {
        return nullptr;
    }
    PlayerContext& player = vm.context().player;
    const DisplayDepth depth{static_cast<std::int32_t>(listDepth)};
    std::unique_ptr<DisplayObject> object = character ? player.instantiate(*character, depth, parent)
                                                      : player.instantiateEmptySprite(depth, parent);
    if (!object || !object->asSprite()) {
        return nullptr;
    }
    object->setName(name);
    DisplayObject* placed = parent.addScriptChild(std::move(object));
    return placed ? placed->asSprite() : nullptr;
}

Value duplicateMovieClip(Interpreter& vm, SpriteObject& clip, std::vector<Value>& arguments) {
    const std::string name = vm.toString(argument(arguments, 0));
    const std::int64_t depth = listDepthOf(vm, argument(arguments, 1));
    return clipValue(vm, duplicateClip(vm, clip, name, depth, argument(arguments, 2)));
}

Value attachMovie(Interpreter& vm, SpriteObject& clip, std::vector<Value>& arguments) {
    const std::string symbol = vm.toString(argument(arguments, 0));
    const std::string name = vm.toString(argument(arguments, 1));
    const std::int64_t depth = listDepthOf(vm, argument(arguments, 2));
    const PlayerContext& player = vm.context().player;
    const std::optional<CharacterId> character = player.exportedCharacter(symbol);
    const Character* definition = character ? player.dictionary().find(*character) : nullptr;
    if (!definition || definition->kind() != CharacterKind::Sprite) {
        return Value();
    }
    SpriteObject* attached = createChild(vm, clip, character, name, depth);
    if (attached) {
        initializeScriptClip(vm, *attached, argument(arguments, 3));
    }
    return clipValue(vm, attached && !attached->isRemoved() ? attached : nullptr);
}

Value createEmptyMovieClip(Interpreter& vm, SpriteObject& clip, std::vector<Value>& arguments) {
    const std::string name = vm.toString(argument(arguments, 0));
    const std::int64_t depth = listDepthOf(vm, argument(arguments, 1));
    return clipValue(vm, createChild(vm, clip, std::nullopt, name, depth));
}

Value removeMovieClip(Interpreter&, SpriteObject& clip, std::vector<Value>&) {
    removeScriptClip(clip);
    return Value();
}

// swapDepths(depth) or swapDepths(clip): only between children of one parent.
Value swapDepths(Interpreter& vm, SpriteObject& clip, std::vector<Value>& arguments) {
    SpriteObject* parent = clip.parent();
    if (!parent || clip.isUnloading() || arguments.empty()) {
        return Value();
    }
    const Value& target = arguments[0];
    std::int64_t depth = 0;
    if (target.isObject() && target.object()->kind() == ObjectKind::Clip) {
        SpriteObject* other = vm.resolveClip(*target.object());
        if (!other || other->parent() != parent) {
            return Value();
        }
        depth = other->depth().value;
    } else {
        depth = listDepthOf(vm, target);
    }
    if (isScriptCreationDepth(depth)) {
        parent->swapChildren(clip.depth(), DisplayDepth{static_cast<std::int32_t>(depth)});
    }
    return Value();
}

Value getInstanceAtDepth(Interpreter& vm, SpriteObject& clip, std::vector<Value>& arguments) {
    if (arguments.empty() || arguments[0].isUndefined()) {
        return Value();
    }
    const std::int64_t depth = listDepthOf(vm, arguments[0]);
    if (depth < INT32_MIN || depth > INT32_MAX) {
        return Value();
    }
    DisplayObject* object = clip.displayList().at(DisplayDepth{static_cast<std::int32_t>(depth)});
    if (!object) {
        return Value();
    }
    return Value(vm.clipObject(isScriptAddressable(*object, vm.version()) ? *object : clip));
}

Value getNextHighestDepth(Interpreter&, SpriteObject& clip, std::vector<Value>&) {
    std::int64_t highest = scriptDepthOffset - 1;
    for (const auto& [depth, object] : clip.displayList().objects()) {
        highest = std::max<std::int64_t>(highest, depth.value);
    }
    return Value(static_cast<double>(highest + 1 - scriptDepthOffset));
}

} // namespace

void installMovieClipDepths(Interpreter& vm, Object& prototype) {
    method(vm, prototype, "duplicateMovieClip", duplicateMovieClip);
    method(vm, prototype, "attachMovie", attachMovie);
    method(vm, prototype, "removeMovieClip", removeMovieClip);
    method(vm, prototype, "swapDepths", swapDepths);
    // Flash Player 6 and 7 additions, hidden from older movies.
    if (vm.version() >= 6) {
        method(vm, prototype, "createEmptyMovieClip", createEmptyMovieClip);
        method(vm, prototype, "getInstanceAtDepth", getInstanceAtDepth);
        method(vm, prototype, "getNextHighestDepth", getNextHighestDepth);
    }
}

} // namespace kf::swf::avm1
