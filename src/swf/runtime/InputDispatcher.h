#pragma once

#include "swf/format/Tags.h"
#include "swf/runtime/ActionContext.h"
#include "swf/runtime/DisplayProperties.h"
#include "swf/runtime/InputEvent.h"

#include <cstdint>

namespace kf::swf {

class ButtonObject;
class DisplayList;
class DisplayObject;
class PlayerContext;
class ScriptEngine;
class SpriteObject;

// Turns mouse and key events into what the movie sees: button states and their condition
// actions, clip events from PlaceObject clip actions, key presses. What it decides to run is
// queued on the player's action queue; the player runs the queue after each event.
//
// The object under the mouse is the topmost enabled button whose hit area holds the point,
// or the topmost clip that handles mouse events (press, release, roll over...) and draws
// there; such a clip takes the events for everything inside it, as in Flash Player.
class InputDispatcher {
public:
    InputDispatcher(SpriteObject& root, PlayerContext& context) : m_root(root), m_context(context) {}

    // `engine` may be null (SWF 3 actions only); `context` is the root's, for the engine.
    void dispatch(const InputEvent& event, ScriptEngine* engine, ActionContext& context);

    double mouseX() const { return m_mouseX; }
    double mouseY() const { return m_mouseY; }
    bool isMouseDown() const { return m_mouseDown; }
    // The object the mouse is over (a button or a clip that handles the mouse), if any.
    DisplayObject* hovered();

    // The code a button's key condition or a keyPress clip event uses for a key: 1 to 19
    // for the special keys, the character for printable ones, 0 for the rest.
    static std::uint8_t buttonKeyCode(int flashKeyCode, char16_t character);

private:
    enum class Transition : std::uint8_t {
        RollOver,
        RollOut,
        Press,
        Release,
        ReleaseOutside,
        DragOver,
        DragOut,
        MenuDragOver,
        MenuDragOut,
    };

    // A remembered object, checked against the stage before use: it may have been removed.
    struct Tracked {
        DisplayObject* object = nullptr;
        CharacterId character;
        DisplayDepth depth;
    };

    void mouseMoved();
    void mousePressed();
    void mouseReleased();

    DisplayObject* findTarget(const DisplayList& list, const Matrix& parentWorld, int level);
    bool handlesMouse(SpriteObject& clip) const;
    void fire(DisplayObject& target, Transition transition);
    void fireButton(ButtonObject& button, Transition transition);
    // Queues `event` for every clip on stage that has clip actions or scripts for it.
    void broadcastClipEvent(ClipEvent event);
    void queueKeyPress(const DisplayList& list, std::uint8_t code, int level);

    Tracked track(DisplayObject* object) const;
    DisplayObject* resolve(const Tracked& tracked) const;
    bool onStage(const DisplayList& list, const DisplayObject* object, int level) const;

    SpriteObject& m_root;
    PlayerContext& m_context;
    double m_mouseX = 0;
    double m_mouseY = 0;
    bool m_mouseDown = false;
    Tracked m_hovered;
    Tracked m_pressed;
    bool m_pressedInside = false;
    // Set while dispatch() runs.
    ScriptEngine* m_engine = nullptr;
    ActionContext* m_actionContext = nullptr;
};

} // namespace kf::swf
