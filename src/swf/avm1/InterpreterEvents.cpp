// Clip events: load and enterFrame from PlaceObject clip actions and the onLoad and
// onEnterFrame methods, and the interval timers.
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

std::vector<SpriteObject*> childSprites(SpriteObject& clip) {
    std::vector<SpriteObject*> children;
    for (auto& [depth, child] : clip.displayList().objects()) {
        if (SpriteObject* sprite = child->asSprite(); sprite && !sprite->isRemoved()) {
            children.push_back(sprite);
        }
    }
    return children;
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
    beginHook(context);
    // Fields placed by this frame show their variables before its scripts read them.
    updateBoundTextFields(*this, context.root);
    fireLoadEvents(context.root);
    m_context = nullptr;
}

void Interpreter::frameAdvanced(ActionContext& context) {
    beginHook(context);
    fireEnterFrame(context.root);
    runIntervals();
    updateBoundTextFields(*this, context.root);
    m_context = nullptr;
}

void Interpreter::runClipEvent(SpriteObject& clip, std::uint32_t eventBit, std::string_view handlerName) {
    if (const PlaceObjectTag* placement = clip.placedBy()) {
        if (const std::vector<ClipActionRecord>* records = clipActionsOf(*placement)) {
            for (const ClipActionRecord& record : *records) {
                if ((record.events & eventBit) != 0 && !clip.isRemoved()) {
                    runBlock(record.actions, clip);
                }
            }
        }
    }
    if (clip.isRemoved() || m_aborted || handlerName.empty()) {
        return;
    }
    const Value self(clipObject(clip));
    const Value handler = getMember(self, handlerName);
    if (Object* function = handler.objectOrNull(); function && function->isCallable()) {
        call(handler, self, {});
        m_pendingThrow = false;
    }
}

// Parents before children, each clip once: the clips a frame placed announce themselves
// before that frame's scripts run.
void Interpreter::fireLoadEvents(SpriteObject& clip) {
    if (clip.parent()) {
        std::shared_ptr<Object> object = clipObject(clip);
        if (!object->clipLoaded) {
            object->clipLoaded = true;
            // initialize (SWF 7 clip events) and construct come before load.
            runClipEvent(clip, static_cast<std::uint32_t>(ClipEvent::Initialize), {});
            runClipEvent(clip, static_cast<std::uint32_t>(ClipEvent::Construct), {});
            runClipEvent(clip, static_cast<std::uint32_t>(ClipEvent::Load), "onLoad");
        }
    }
    for (SpriteObject* child : childSprites(clip)) {
        if (!child->isRemoved()) {
            fireLoadEvents(*child);
        }
    }
}

// Children before their parents, as Flash Player orders enterFrame.
void Interpreter::fireEnterFrame(SpriteObject& clip) {
    for (SpriteObject* child : childSprites(clip)) {
        if (!child->isRemoved()) {
            fireEnterFrame(*child);
        }
    }
    if (!clip.isRemoved() && !m_aborted) {
        runClipEvent(clip, static_cast<std::uint32_t>(ClipEvent::EnterFrame), "onEnterFrame");
    }
}

} // namespace kf::swf::avm1
