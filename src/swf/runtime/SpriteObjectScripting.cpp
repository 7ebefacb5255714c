// The display-list changes scripts make: clips they create, remove and swap, and the unload
// rule every removal follows.
#include "swf/runtime/PlayerContext.h"
#include "swf/runtime/ScriptEngine.h"
#include "swf/runtime/SpriteObject.h"

#include <vector>

namespace kf::swf {

namespace {

// Children before their clip, each list from its lowest depth up: the order Flash Player
// runs the unload events of a clip that leaves with clips inside it.
void collectSpritesChildrenFirst(SpriteObject& clip, std::vector<SpriteObject*>& sprites) {
    for (auto& [depth, child] : clip.displayList().objects()) {
        if (SpriteObject* sprite = child->asSprite()) {
            collectSpritesChildrenFirst(*sprite, sprites);
        }
    }
    sprites.push_back(&clip);
}

} // namespace

DisplayObject* SpriteObject::addScriptChild(std::unique_ptr<DisplayObject> object) {
    if (!object) {
        return nullptr;
    }
    const DisplayDepth depth = object->depth();
    if (m_displayList.at(depth)) {
        removeChild(depth);
    }
    object->setParent(this);
    object->setPlacedBy(nullptr);
    DisplayObject* placed = object.get();
    m_displayList.objects().insert_or_assign(depth, std::move(object));
    if (SpriteObject* sprite = placed->asSprite()) {
        announce(*sprite, false);
        sprite->construct();
    }
    return placed;
}

void SpriteObject::removeChild(DisplayDepth depth) {
    auto& objects = m_displayList.objects();
    auto found = objects.find(depth);
    if (found == objects.end()) {
        return;
    }
    std::unique_ptr<DisplayObject> object = std::move(found->second);
    objects.erase(found);
    SpriteObject* sprite = object->asSprite();
    ScriptEngine* engine = m_context.scriptEngine();
    // Flash Player parks a clip with unload handlers at -1 - depth (in script depths,
    // -32769 - depth) until they have run; nothing else can stand there.
    const DisplayDepth parked{-1 - depth.value};
    if (sprite && !sprite->m_unloading && depth.value >= 0 && engine && !m_displayList.at(parked) &&
        engine->hasUnloadHandler(*sprite)) {
        sprite->setDepth(parked);
        sprite->setPlacedBy(nullptr);
        sprite->m_unloading = true;
        sprite->queueUnloadEvents();
        objects.emplace(parked, std::move(object));
        return;
    }
    m_context.retire(std::move(object));
}

void SpriteObject::queueUnloadEvents() {
    std::vector<SpriteObject*> sprites;
    collectSpritesChildrenFirst(*this, sprites);
    for (SpriteObject* sprite : sprites) {
        m_context.actionQueue().pushEvent(sprite, static_cast<std::uint32_t>(ClipEvent::Unload));
    }
    m_context.actionQueue().pushDetach(this);
}

void SpriteObject::detachChild(const DisplayObject& child) {
    auto& objects = m_displayList.objects();
    auto found = objects.find(child.depth());
    if (found != objects.end() && found->second.get() == &child) {
        std::unique_ptr<DisplayObject> object = std::move(found->second);
        objects.erase(found);
        m_context.retire(std::move(object));
    }
}

void SpriteObject::swapChildren(DisplayDepth first, DisplayDepth second) {
    if (first == second) {
        return;
    }
    auto& objects = m_displayList.objects();
    auto take = [&](DisplayDepth depth) {
        std::unique_ptr<DisplayObject> object;
        if (auto found = objects.find(depth); found != objects.end()) {
            object = std::move(found->second);
            objects.erase(found);
        }
        return object;
    };
    std::unique_ptr<DisplayObject> atFirst = take(first);
    std::unique_ptr<DisplayObject> atSecond = take(second);
    auto put = [&](std::unique_ptr<DisplayObject> object, DisplayDepth depth) {
        if (object) {
            object->setDepth(depth);
            object->setPlacedBy(nullptr);
            objects.emplace(depth, std::move(object));
        }
    };
    put(std::move(atFirst), second);
    put(std::move(atSecond), first);
}

} // namespace kf::swf
