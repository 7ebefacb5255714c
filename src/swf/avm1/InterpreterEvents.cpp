// Clip events the player queues (load, enterFrame, unload, initialize, construct) from
// PlaceObject clip actions and the onLoad, onEnterFrame and onUnload methods; interval timers.
#include "swf/avm1/Interpreter.h"
#include "swf/avm1/TextFields.h"
#include "swf/runtime/PlayerContext.h"
#include "swf/runtime/SpriteObject.h"

#include <algorithm>
#include <vector>

namespace kf::swf::avm1 {

namespace {

// The clip actions of a placement, wherever the tag keeps them.
template <typename Tag> const std::vector<ClipActionRecord>* clipActionsOf(const Tag& tag) {
    if constexpr (requires { tag.clipActions; }) {
        return &tag.clipActions;
    } else if constexpr (requires { tag.extras->clipActions; }) {
        return tag.extras ? &tag.extras->clipActions : nullptr;
    } else {
        return nullptr;
    }
}

bool hasClipAction(const DisplayObject& clip, std::uint32_t eventBit) {
    const PlaceObjectTag* placement = clip.clipActionSource();
    const std::vector<ClipActionRecord>* records = placement ? clipActionsOf(*placement) : nullptr;
    if (records) {
        for (const ClipActionRecord& record : *records) {
            if ((record.events & eventBit) != 0) {
                return true;
            }
        }
    }
    return false;
}

} // namespace

void Interpreter::beginHook(ActionContext& context) {
    m_context = &context;
    ensureGlobals();
    m_budget = context.player.limits().maxActionsPerFrame;
    m_actionsRun = 0;
    m_aborted = false;
    m_scriptStart = m_clock->milliseconds();
}

void Interpreter::beforeFrameScripts(ActionContext& context) {
    // Fields placed by this frame show their variables before its scripts read them.
    beginHook(context);
    updateBoundTextFields(*this, context.root);
    m_context = nullptr;
}

void Interpreter::frameAdvanced(ActionContext& context) {
    beginHook(context);
    runIntervals();
    updateBoundTextFields(*this, context.root);
    m_context = nullptr;
}

void Interpreter::runQueuedEvent(SpriteObject& clip, std::uint32_t eventBit) {
    const std::string_view handlerName = handlerNameFor(eventBit);
    // Most clips handle no event: they get no script object (nor instance name) for it.
    if (!clip.scriptObject() && !hasClipAction(clip, eventBit) &&
        !(movieClipPrototype && !handlerName.empty() && findProperty(*movieClipPrototype, handlerName))) {
        return;
    }
    runClipEvent(clip, eventBit, handlerName);
}

void Interpreter::runConstructEvent(SpriteObject& clip) {
    runClipEvent(clip, static_cast<std::uint32_t>(ClipEvent::Construct), {});
}

bool Interpreter::hasUnloadHandler(SpriteObject& clip) {
    const auto unloadBit = static_cast<std::uint32_t>(ClipEvent::Unload);
    if (hasClipAction(clip, unloadBit)) {
        return true;
    }
    if (const auto& object = std::static_pointer_cast<Object>(clip.scriptObject());
        object && findProperty(*object, "onUnload")) {
        return true;
    }
    for (auto& [depth, child] : clip.displayList().objects()) {
        if (SpriteObject* sprite = child->asSprite(); sprite && hasUnloadHandler(*sprite)) {
            return true;
        }
    }
    return false;
}

void Interpreter::runClipEvent(SpriteObject& clip, std::uint32_t eventBit, std::string_view handlerName) {
    if (const PlaceObjectTag* placement = clip.clipActionSource()) {
        if (const std::vector<ClipActionRecord>* records = clipActionsOf(*placement)) {
            for (const ClipActionRecord& record : *records) {
                if ((record.events & eventBit) != 0 && !clip.isRemoved()) {
                    runBlock(record.actions, clip);
                }
            }
        }
    }
    // Event methods (onLoad, onEnterFrame...) came with SWF 6; older movies only have
    // clip actions.
    if (clip.isRemoved() || m_aborted || handlerName.empty() || m_version < 6) {
        return;
    }
    const Value self(clipObject(clip));
    const Value handler = getMember(self, handlerName);
    if (Object* function = handler.objectOrNull(); function && function->isCallable()) {
        call(handler, self, {});
        m_pendingThrow = false;
    }
}

} // namespace kf::swf::avm1
