#pragma once

#include <memory>
#include <set>

namespace kf::swf::avm1 {

class Object;

// What scripts can ask about the mouse and keyboard: the keys held, the last key, where the
// mouse is (stage twips), and the built-in objects that broadcast input to listeners.
struct InteractionState {
    std::set<int> keysDown;
    int lastKeyCode = 0;
    int lastAscii = 0;
    double mouseX = 0;
    double mouseY = 0;
    bool mouseShown = true;
    std::shared_ptr<Object> key;
    std::shared_ptr<Object> mouse;
    std::shared_ptr<Object> buttonPrototype;
    std::weak_ptr<Object> focus; // the object a script gave the keyboard focus
};

} // namespace kf::swf::avm1
