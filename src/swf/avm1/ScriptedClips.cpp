#include "swf/avm1/ScriptedClips.h"

#include "swf/avm1/Interpreter.h"
#include "swf/runtime/PlayerContext.h"
#include "swf/runtime/SpriteObject.h"

#include <cstdint>

namespace kf::swf::avm1 {

namespace {

// Flash Player's bounds, in display-list depths: script depths up to 2130690044 for new
// clips, 0 to 1048575 for the ones removeMovieClip may take away.
constexpr std::int64_t highestCreationDepth = 2130706428;
constexpr std::int64_t highestRemovableDepth = 1048575 + scriptDepthOffset;

} // namespace

bool isScriptAddressable(const DisplayObject& object, std::uint8_t swfVersion) {
    return object.asSprite() || object.asEditText() || (object.asButton() && swfVersion >= 6);
}

bool isScriptCreationDepth(std::int64_t listDepth) {
    return listDepth >= INT32_MIN && listDepth <= highestCreationDepth;
}

bool isSymbolCreationDepth(std::int64_t listDepth) {
    return listDepth >= 0 && isScriptCreationDepth(listDepth);
}

void initializeScriptClip(Interpreter& vm, SpriteObject& clip, const Value& initObject) {
    const Value self(vm.clipObject(clip));
    if (Object* init = initObject.objectOrNull()) {
        // Copy first: a getter or setter on the clip may run script that changes `init`.
        std::vector<std::pair<std::string, Value>> members;
        for (const Property& property : init->properties()) {
            if ((property.flags & DontEnum) == 0) {
                members.emplace_back(property.name, property.value);
            }
        }
        for (auto& [name, value] : members) {
            vm.setMember(self, name, std::move(value));
        }
    }
    vm.runConstructEvent(clip);
}

SpriteObject* duplicateClip(Interpreter& vm, SpriteObject& source, const std::string& name,
                            std::int64_t listDepth, const Value& initObject) {
    SpriteObject* parent = source.parent();
    if (!parent || !isSymbolCreationDepth(listDepth)) {
        return nullptr;
    }
    PlayerContext& player = vm.context().player;
    const DisplayDepth depth{static_cast<std::int32_t>(listDepth)};
    std::unique_ptr<DisplayObject> copy;
    if (source.characterId().value != 0) {
        copy = player.instantiate(source.characterId(), depth, *parent);
    } else {
        copy = player.instantiateEmptySprite(depth, *parent);
    }
    if (!copy || !copy->asSprite()) {
        return nullptr;
    }
    DisplayProperties properties = source.properties();
    properties.name = name;
    copy->setProperties(properties);
    copy->setClipActionSource(source.clipActionSource());
    DisplayObject* placed = parent->addScriptChild(std::move(copy));
    SpriteObject* clip = placed ? placed->asSprite() : nullptr;
    if (clip) {
        initializeScriptClip(vm, *clip, initObject);
    }
    return clip && !clip->isRemoved() ? clip : nullptr;
}

void removeScriptClip(DisplayObject& clip) {
    SpriteObject* parent = clip.parent();
    const std::int64_t depth = clip.depth().value;
    // A clip waiting inside an unloading one keeps its children to the end.
    const SpriteObject* sprite = clip.asSprite();
    const bool waiting = sprite ? sprite->isInUnloadingClip()
                                : parent && (parent->isUnloading() || parent->isInUnloadingClip());
    if (parent && depth >= scriptDepthOffset && depth <= highestRemovableDepth && !waiting) {
        parent->removeChild(clip.depth());
    }
}

} // namespace kf::swf::avm1
