#pragma once

#include <cstdint>

namespace kf::swf {

// One mouse or keyboard event as the movie receives it. Positions are stage twips; key codes
// are Flash Player's (the Key class's constants: 37 left, 13 enter, 65 'A'...), `character`
// the UTF-16 unit typed, 0 for keys that type none.
struct InputEvent {
    enum class Kind : std::uint8_t { MouseMove, MouseDown, MouseUp, KeyDown, KeyUp };
    Kind kind = Kind::MouseMove;
    double x = 0;
    double y = 0;
    int keyCode = 0;
    char16_t character = 0;
};

} // namespace kf::swf
