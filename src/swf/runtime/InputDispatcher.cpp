#include "swf/runtime/InputDispatcher.h"

#include "swf/runtime/ButtonObject.h"
#include "swf/runtime/HitTest.h"
#include "swf/runtime/PlayerContext.h"
#include "swf/runtime/ScriptEngine.h"
#include "swf/runtime/SpriteObject.h"

namespace kf::swf {

namespace {

constexpr int maximumNesting = 256;

constexpr std::uint32_t bit(ClipEvent event) {
    return static_cast<std::uint32_t>(event);
}

constexpr std::uint32_t mouseTransitionEvents =
    bit(ClipEvent::Press) | bit(ClipEvent::Release) | bit(ClipEvent::ReleaseOutside) |
    bit(ClipEvent::RollOver) | bit(ClipEvent::RollOut) | bit(ClipEvent::DragOver) | bit(ClipEvent::DragOut);

const std::vector<ClipActionRecord>* clipActionsOf(const DisplayObject& object) {
    const PlaceObjectTag* placement = object.placedBy();
    return placement && placement->extras ? &placement->extras->clipActions : nullptr;
}

} // namespace

std::uint8_t InputDispatcher::buttonKeyCode(int flashKeyCode, char16_t character) {
    switch (flashKeyCode) {
    case 37:
        return 1; // left
    case 39:
        return 2; // right
    case 36:
        return 3; // home
    case 35:
        return 4; // end
    case 45:
        return 5; // insert
    case 46:
        return 6; // delete
    case 8:
        return 8; // backspace
    case 13:
        return 13; // enter
    case 38:
        return 14; // up
    case 40:
        return 15; // down
    case 33:
        return 16; // page up
    case 34:
        return 17; // page down
    case 9:
        return 18; // tab
    case 27:
        return 19; // escape
    default:
        break;
    }
    return character >= 32 && character <= 126 ? static_cast<std::uint8_t>(character) : 0;
}

void InputDispatcher::dispatch(const InputEvent& event, ScriptEngine* engine, ActionContext& context) {
    m_engine = engine;
    m_actionContext = &context;
    switch (event.kind) {
    case InputEvent::Kind::MouseMove:
    case InputEvent::Kind::MouseDown:
    case InputEvent::Kind::MouseUp:
        m_mouseX = event.x;
        m_mouseY = event.y;
        break;
    default:
        break;
    }
    // Listeners (Key, Mouse) hear of the event before the clips' handlers run from the queue.
    if (engine) {
        engine->inputEvent(context, event);
    }
    switch (event.kind) {
    case InputEvent::Kind::MouseMove:
        broadcastClipEvent(ClipEvent::MouseMove);
        mouseMoved();
        break;
    case InputEvent::Kind::MouseDown:
        mouseMoved();
        broadcastClipEvent(ClipEvent::MouseDown);
        mousePressed();
        break;
    case InputEvent::Kind::MouseUp:
        broadcastClipEvent(ClipEvent::MouseUp);
        mouseReleased();
        break;
    case InputEvent::Kind::KeyDown:
        broadcastClipEvent(ClipEvent::KeyDown);
        if (const std::uint8_t code = buttonKeyCode(event.keyCode, event.character); code != 0) {
            queueKeyPress(m_root.displayList(), code, 0);
        }
        break;
    case InputEvent::Kind::KeyUp:
        broadcastClipEvent(ClipEvent::KeyUp);
        break;
    }
    m_engine = nullptr;
    m_actionContext = nullptr;
}

DisplayObject* InputDispatcher::hovered() {
    return resolve(m_hovered);
}

void InputDispatcher::mouseMoved() {
    DisplayObject* target = findTarget(m_root.displayList(), m_root.matrix(), 0);
    if (!m_mouseDown) {
        DisplayObject* previous = resolve(m_hovered);
        if (target != previous) {
            if (previous) {
                fire(*previous, Transition::RollOut);
            }
            m_hovered = track(target);
            if (target) {
                fire(*target, Transition::RollOver);
            }
        }
        return;
    }
    DisplayObject* pressed = resolve(m_pressed);
    ButtonObject* pressedButton = pressed ? pressed->asButton() : nullptr;
    if (pressedButton && pressedButton->trackAsMenu() && target != pressed) {
        // A menu lets go of a button dragged off and takes up the one dragged onto.
        fire(*pressed, Transition::MenuDragOut);
        pressed = nullptr;
        m_pressed = Tracked{};
    }
    if (!pressed) {
        ButtonObject* button = target ? target->asButton() : nullptr;
        if (button && button->trackAsMenu()) {
            m_pressed = track(target);
            m_pressedInside = true;
            m_hovered = track(target);
            fire(*target, Transition::MenuDragOver);
        }
        return;
    }
    const bool inside = target == pressed;
    if (inside != m_pressedInside) {
        m_pressedInside = inside;
        fire(*pressed, inside ? Transition::DragOver : Transition::DragOut);
    }
}

void InputDispatcher::mousePressed() {
    m_mouseDown = true;
    if (DisplayObject* target = resolve(m_hovered)) {
        m_pressed = track(target);
        m_pressedInside = true;
        fire(*target, Transition::Press);
    }
}

void InputDispatcher::mouseReleased() {
    m_mouseDown = false;
    DisplayObject* pressed = resolve(m_pressed);
    m_pressed = Tracked{};
    if (pressed) {
        if (m_pressedInside) {
            m_hovered = track(pressed);
            fire(*pressed, Transition::Release);
        } else {
            m_hovered = Tracked{};
            fire(*pressed, Transition::ReleaseOutside);
        }
    }
    // What is under the mouse now gets its roll over, as a move there would give it.
    mouseMoved();
}

bool InputDispatcher::handlesMouse(SpriteObject& clip) const {
    if (const std::vector<ClipActionRecord>* records = clipActionsOf(clip)) {
        for (const ClipActionRecord& record : *records) {
            if ((record.events & mouseTransitionEvents) != 0) {
                return true;
            }
        }
    }
    return m_engine && m_engine->clipHandlesMouse(clip);
}

DisplayObject* InputDispatcher::findTarget(const DisplayList& list, const Matrix& parentWorld, int level) {
    if (level >= maximumNesting) {
        return nullptr;
    }
    const auto& objects = list.objects();
    for (auto entry = objects.rbegin(); entry != objects.rend(); ++entry) {
        DisplayObject& object = *entry->second;
        if (object.clipDepth() || !object.visible() || object.isRemoved()) {
            continue;
        }
        const Matrix world = parentWorld * object.matrix();
        if (ButtonObject* button = object.asButton()) {
            if (button->isEnabled() && objectContainsPoint(*button, world, m_mouseX, m_mouseY)) {
                return button;
            }
        } else if (SpriteObject* sprite = object.asSprite()) {
            if (handlesMouse(*sprite)) {
                if (objectContainsPoint(*sprite, world, m_mouseX, m_mouseY)) {
                    return sprite;
                }
            } else if (DisplayObject* inner = findTarget(sprite->displayList(), world, level + 1)) {
                return inner;
            }
        }
    }
    return nullptr;
}

void InputDispatcher::fire(DisplayObject& target, Transition transition) {
    if (ButtonObject* button = target.asButton()) {
        fireButton(*button, transition);
        return;
    }
    SpriteObject* clip = target.asSprite();
    if (!clip) {
        return;
    }
    ClipEvent event = ClipEvent::RollOver;
    switch (transition) {
    case Transition::RollOver:
    case Transition::MenuDragOver:
        event = ClipEvent::RollOver;
        break;
    case Transition::RollOut:
    case Transition::MenuDragOut:
        event = ClipEvent::RollOut;
        break;
    case Transition::Press:
        event = ClipEvent::Press;
        break;
    case Transition::Release:
        event = ClipEvent::Release;
        break;
    case Transition::ReleaseOutside:
        event = ClipEvent::ReleaseOutside;
        break;
    case Transition::DragOver:
        event = ClipEvent::DragOver;
        break;
    case Transition::DragOut:
        event = ClipEvent::DragOut;
        break;
    }
    m_context.actionQueue().pushEvent(clip, bit(event));
}

void InputDispatcher::fireButton(ButtonObject& button, Transition transition) {
    ButtonCondition condition = ButtonCondition::IdleToOverUp;
    ButtonObject::State state = ButtonObject::State::Over;
    ClipEvent event = ClipEvent::RollOver;
    switch (transition) {
    case Transition::RollOver:
        break;
    case Transition::RollOut:
        condition = ButtonCondition::OverUpToIdle;
        state = ButtonObject::State::Up;
        event = ClipEvent::RollOut;
        break;
    case Transition::Press:
        condition = ButtonCondition::OverUpToOverDown;
        state = ButtonObject::State::Down;
        event = ClipEvent::Press;
        break;
    case Transition::Release:
        condition = ButtonCondition::OverDownToOverUp;
        event = ClipEvent::Release;
        break;
    case Transition::ReleaseOutside:
        condition = ButtonCondition::OutDownToIdle;
        state = ButtonObject::State::Up;
        event = ClipEvent::ReleaseOutside;
        break;
    case Transition::DragOver:
        condition = ButtonCondition::OutDownToOverDown;
        state = ButtonObject::State::Down;
        event = ClipEvent::DragOver;
        break;
    case Transition::DragOut:
        // Pressed and dragged off, a button shows its over state until the release.
        condition = ButtonCondition::OverDownToOutDown;
        event = ClipEvent::DragOut;
        break;
    case Transition::MenuDragOver:
        condition = ButtonCondition::IdleToOverDown;
        state = ButtonObject::State::Down;
        event = ClipEvent::DragOver;
        break;
    case Transition::MenuDragOut:
        condition = ButtonCondition::OverDownToIdle;
        state = ButtonObject::State::Up;
        event = ClipEvent::DragOut;
        break;
    }
    button.setState(state);
    // Condition actions run on the timeline that holds the button.
    if (SpriteObject* timeline = button.parent()) {
        for (const ButtonConditionAction& action : button.character().definition().actions) {
            if (hasButtonCondition(action.conditions, condition)) {
                m_context.actionQueue().push(timeline, &action.actions);
            }
        }
    }
    if (m_engine && m_actionContext) {
        m_engine->buttonEvent(*m_actionContext, button, event);
    }
}

void InputDispatcher::broadcastClipEvent(ClipEvent event) {
    // Only an engine runs clip events; without one there is nothing to queue.
    if (!m_engine) {
        return;
    }
    std::vector<SpriteObject*> clips;
    auto collect = [&](auto& self, const DisplayList& list, int level) -> void {
        if (level >= maximumNesting) {
            return;
        }
        for (const auto& [depth, child] : list.objects()) {
            if (SpriteObject* sprite = child->asSprite(); sprite && !sprite->isRemoved()) {
                clips.push_back(sprite);
            }
            if (const DisplayList* children = child->children()) {
                self(self, *children, level + 1);
            }
        }
    };
    collect(collect, m_root.displayList(), 0);
    for (SpriteObject* clip : clips) {
        m_context.actionQueue().pushEvent(clip, bit(event));
    }
}

void InputDispatcher::queueKeyPress(const DisplayList& list, std::uint8_t code, int level) {
    if (level >= maximumNesting) {
        return;
    }
    for (const auto& [depth, child] : list.objects()) {
        if (ButtonObject* button = child->asButton(); button && button->isEnabled() && button->parent()) {
            for (const ButtonConditionAction& action : button->character().definition().actions) {
                if (action.keyCode == code) {
                    m_context.actionQueue().push(button->parent(), &action.actions);
                }
            }
        }
        if (SpriteObject* sprite = child->asSprite()) {
            if (const std::vector<ClipActionRecord>* records = clipActionsOf(*sprite)) {
                for (const ClipActionRecord& record : *records) {
                    if (hasClipEvent(record.events, ClipEvent::KeyPress) && record.keyCode == code) {
                        m_context.actionQueue().push(sprite, &record.actions);
                    }
                }
            }
        }
        if (const DisplayList* children = child->children()) {
            queueKeyPress(*children, code, level + 1);
        }
    }
}

InputDispatcher::Tracked InputDispatcher::track(DisplayObject* object) const {
    return object ? Tracked{object, object->characterId(), object->depth()} : Tracked{};
}

DisplayObject* InputDispatcher::resolve(const Tracked& tracked) const {
    if (!tracked.object || !onStage(m_root.displayList(), tracked.object, 0)) {
        return nullptr;
    }
    // The address may have been reused by a newer object; it must at least look the same.
    if (tracked.object->characterId() != tracked.character || tracked.object->depth() != tracked.depth) {
        return nullptr;
    }
    return tracked.object;
}

bool InputDispatcher::onStage(const DisplayList& list, const DisplayObject* object, int level) const {
    if (level >= maximumNesting) {
        return false;
    }
    for (const auto& [depth, child] : list.objects()) {
        if (child.get() == object) {
            return !child->isRemoved();
        }
        if (const DisplayList* children = child->children();
            children && onStage(*children, object, level + 1)) {
            return true;
        }
    }
    return false;
}

} // namespace kf::swf
