#pragma once

#include <Qt>

namespace kf {

// The key code a Flash movie sees (Key.getCode(), Key.isDown()) for a Qt key, or 0 for keys
// Flash Player has no code for. Keypad digits and operators have codes of their own.
int flashKeyCode(int qtKey, Qt::KeyboardModifiers modifiers);

} // namespace kf
