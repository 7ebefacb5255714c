#pragma once

#include "swf/format/Action.h"

#include <cstddef>
#include <cstdint>

namespace kf::swf {

class Navigator;
class PlayerContext;
class PlayerHost;
class SpriteObject;

// The state one running action block works on: the timeline it belongs to, the timeline
// setTarget points at, the hosts, and the position inside the block.
struct ActionContext {
    SpriteObject& root;
    SpriteObject& base;
    // nullptr after setTarget to a path that does not exist: timeline actions then do
    // nothing until setTarget("") returns to `base`, as Flash Player does.
    SpriteObject* target = nullptr;
    PlayerContext& player;
    Navigator& navigator;
    PlayerHost& host;
    const ActionBlock& block;
    // Set when the entry is a clip event instead of a block: its ClipEvent bit, run on `base`.
    std::uint32_t event = 0;
    // Index of the next action to run; handlers that skip or branch move it.
    std::size_t nextAction = 0;
    // Set by a handler to end the block early.
    bool finished = false;
};

// One handler per action code.
using ActionHandler = void (*)(ActionContext& context, const Action& action);

} // namespace kf::swf
