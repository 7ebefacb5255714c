// Mouse and keyboard as scripts see them: Key and Mouse listeners, the clip events and
// handlers of the objects under the mouse, and button handlers (onPress, onRelease...).
#include "swf/avm1/Interpreter.h"
#include "swf/avm1/Listeners.h"
#include "swf/runtime/ButtonObject.h"
#include "swf/runtime/SpriteObject.h"

#include <array>

namespace kf::swf::avm1 {

namespace {

constexpr std::array<std::string_view, 7> mouseHandlers = {
    "onPress", "onRelease", "onReleaseOutside", "onRollOver", "onRollOut", "onDragOver", "onDragOut"};

} // namespace

std::string_view Interpreter::handlerNameFor(std::uint32_t event) {
    switch (static_cast<ClipEvent>(event)) {
    case ClipEvent::Load:
        return "onLoad";
    case ClipEvent::EnterFrame:
        return "onEnterFrame";
    case ClipEvent::Unload:
        return "onUnload";
    case ClipEvent::MouseDown:
        return "onMouseDown";
    case ClipEvent::MouseUp:
        return "onMouseUp";
    case ClipEvent::MouseMove:
        return "onMouseMove";
    case ClipEvent::KeyDown:
        return "onKeyDown";
    case ClipEvent::KeyUp:
        return "onKeyUp";
    case ClipEvent::Press:
        return mouseHandlers[0];
    case ClipEvent::Release:
        return mouseHandlers[1];
    case ClipEvent::ReleaseOutside:
        return mouseHandlers[2];
    case ClipEvent::RollOver:
        return mouseHandlers[3];
    case ClipEvent::RollOut:
        return mouseHandlers[4];
    case ClipEvent::DragOver:
        return mouseHandlers[5];
    case ClipEvent::DragOut:
        return mouseHandlers[6];
    default:
        return {};
    }
}

void Interpreter::inputEvent(ActionContext& context, const InputEvent& event) {
    beginHook(context);
    switch (event.kind) {
    case InputEvent::Kind::MouseMove:
    case InputEvent::Kind::MouseDown:
    case InputEvent::Kind::MouseUp:
        input.mouseX = event.x;
        input.mouseY = event.y;
        break;
    case InputEvent::Kind::KeyDown:
        input.keysDown.insert(event.keyCode);
        input.lastKeyCode = event.keyCode;
        input.lastAscii = event.character;
        break;
    case InputEvent::Kind::KeyUp:
        input.keysDown.erase(event.keyCode);
        input.lastKeyCode = event.keyCode;
        input.lastAscii = event.character;
        break;
    }
    Object* key = input.key.get();
    Object* mouse = input.mouse.get();
    switch (event.kind) {
    case InputEvent::Kind::MouseMove:
        if (mouse) {
            broadcast(*this, *mouse, "onMouseMove");
        }
        break;
    case InputEvent::Kind::MouseDown:
        if (mouse) {
            broadcast(*this, *mouse, "onMouseDown");
        }
        break;
    case InputEvent::Kind::MouseUp:
        if (mouse) {
            broadcast(*this, *mouse, "onMouseUp");
        }
        break;
    case InputEvent::Kind::KeyDown:
        if (key) {
            broadcast(*this, *key, "onKeyDown");
        }
        break;
    case InputEvent::Kind::KeyUp:
        if (key) {
            broadcast(*this, *key, "onKeyUp");
        }
        break;
    }
    m_context = nullptr;
}

bool Interpreter::clipHandlesMouse(SpriteObject& clip) {
    const auto& object = std::static_pointer_cast<Object>(clip.scriptObject());
    if (!object) {
        return false;
    }
    for (std::string_view name : mouseHandlers) {
        if (findProperty(*object, name)) {
            return true;
        }
    }
    return false;
}

void Interpreter::buttonEvent(ActionContext& context, ButtonObject& button, ClipEvent event) {
    // A button no script has touched has no handlers to run.
    if (!button.scriptObject()) {
        return;
    }
    beginHook(context);
    const Value self(clipObject(button));
    const Value handler = getMember(self, handlerNameFor(static_cast<std::uint32_t>(event)));
    if (Object* function = handler.objectOrNull(); function && function->isCallable()) {
        call(handler, self, {});
        m_pendingThrow = false;
    }
    m_context = nullptr;
}

} // namespace kf::swf::avm1
