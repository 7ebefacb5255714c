// MoviePlayer's mouse and keyboard entry points.
#include "swf/runtime/ButtonObject.h"
#include "swf/runtime/InputDispatcher.h"
#include "swf/runtime/InputEvent.h"
#include "swf/runtime/MoviePlayer.h"
#include "swf/runtime/PlayerContext.h"
#include "swf/runtime/SpriteObject.h"

namespace kf::swf {

void MoviePlayer::dispatchInput(const InputEvent& event) {
    if (!m_root) {
        return;
    }
    if (!m_input) {
        m_input = std::make_unique<InputDispatcher>(*m_root, *m_context);
    }
    m_context->startFrame();
    ActionContext context = rootContext();
    m_input->dispatch(event, m_scriptEngine, context);
    runQueuedActions();
}

void MoviePlayer::mouseMove(double x, double y) {
    dispatchInput(InputEvent{InputEvent::Kind::MouseMove, x, y, 0, 0});
}

void MoviePlayer::mouseDown(double x, double y) {
    dispatchInput(InputEvent{InputEvent::Kind::MouseDown, x, y, 0, 0});
}

void MoviePlayer::mouseUp(double x, double y) {
    dispatchInput(InputEvent{InputEvent::Kind::MouseUp, x, y, 0, 0});
}

void MoviePlayer::keyDown(int keyCode, char16_t character) {
    dispatchInput(InputEvent{InputEvent::Kind::KeyDown, 0, 0, keyCode, character});
}

void MoviePlayer::keyUp(int keyCode, char16_t character) {
    dispatchInput(InputEvent{InputEvent::Kind::KeyUp, 0, 0, keyCode, character});
}

bool MoviePlayer::wantsHandCursor() {
    DisplayObject* target = m_input ? m_input->hovered() : nullptr;
    if (!target) {
        return false;
    }
    const ButtonObject* button = target->asButton();
    return !button || button->usesHandCursor();
}

} // namespace kf::swf
