#pragma once

#include "swf/format/Action.h"
#include "swf/format/Color.h"
#include "swf/format/Filters.h"
#include "swf/format/Geometry.h"
#include "swf/format/Units.h"

#include <cstdint>
#include <vector>

namespace kf::swf {

// The states a button record is shown in, as the record's flag bits store them.
enum class ButtonState : std::uint8_t { Up = 1, Over = 2, Down = 4, HitTest = 8 };

constexpr bool hasButtonState(std::uint8_t states, ButtonState state) {
    return (states & static_cast<std::uint8_t>(state)) != 0;
}

// BUTTONRECORD: one character of a button, shown in the states its flags name.
struct ButtonRecord {
    std::uint8_t states = 0; // ButtonState bits; never 0 (a zero flag byte ends the list)
    CharacterId characterId;
    Depth depth;
    Matrix matrix;
    ColorTransform colorTransform;           // DefineButton2 only
    std::vector<Filter> filters;             // DefineButton2, SWF 8
    BlendMode blendMode = BlendMode::Normal; // DefineButton2, SWF 8
    bool operator==(const ButtonRecord&) const = default;
};

// The mouse transitions a BUTTONCONDACTION fires on. The bits are the file's, read as one
// little-endian 16-bit word whose top seven bits hold the key code.
enum class ButtonCondition : std::uint16_t {
    IdleToOverUp = 1u << 0,
    OverUpToIdle = 1u << 1,
    OverUpToOverDown = 1u << 2,
    OverDownToOverUp = 1u << 3,
    OverDownToOutDown = 1u << 4,
    OutDownToOverDown = 1u << 5,
    OutDownToIdle = 1u << 6,
    IdleToOverDown = 1u << 7,
    OverDownToIdle = 1u << 8,
};

constexpr bool hasButtonCondition(std::uint16_t conditions, ButtonCondition condition) {
    return (conditions & static_cast<std::uint16_t>(condition)) != 0;
}

// BUTTONCONDACTION. A key code of 0 means no key; 1 to 19 are the special keys (left arrow,
// home, enter...), 32 to 126 ASCII characters.
struct ButtonConditionAction {
    std::uint16_t conditions = 0; // ButtonCondition bits
    std::uint8_t keyCode = 0;
    ActionBlock actions;
    bool operator==(const ButtonConditionAction&) const = default;
};

// DefineButton (version 1) and DefineButton2. DefineButton's single action list runs on
// release, so it is kept as one condition action with OverDownToOverUp.
struct DefineButtonTag {
    CharacterId id;
    std::uint8_t version = 2; // 1 or 2
    bool trackAsMenu = false; // version 2
    std::vector<ButtonRecord> records;
    std::vector<ButtonConditionAction> actions;
    bool operator==(const DefineButtonTag&) const = default;
};

// DefineButtonCxform: the colour transform of a DefineButton (version 1) button.
struct DefineButtonCxformTag {
    CharacterId buttonId;
    ColorTransform colorTransform;
    bool operator==(const DefineButtonCxformTag&) const = default;
};

// One sound of DefineButtonSound; the SOUNDINFO record is kept as its bytes until sound
// playback reads it.
struct ButtonSound {
    CharacterId soundId; // 0: no sound for this transition
    std::vector<std::uint8_t> soundInfo;
    bool operator==(const ButtonSound&) const = default;
};

// DefineButtonSound: the sounds for OverUpToIdle, IdleToOverUp, OverUpToOverDown and
// OverDownToOverUp, in that order.
struct DefineButtonSoundTag {
    CharacterId buttonId;
    std::vector<ButtonSound> sounds; // four entries
    bool operator==(const DefineButtonSoundTag&) const = default;
};

} // namespace kf::swf
