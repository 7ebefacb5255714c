#pragma once

#include "swf/runtime/ActionContext.h"

#include <cstddef>

namespace kf::swf {

// Runs action blocks for the player. The runtime only knows this interface; the ActionScript
// interpreter (swf_avm1) implements it above the runtime, so the dependency stays one-way:
// swf_format <- swf_runtime <- swf_avm1. Without an engine the player runs the SWF 3
// timeline actions itself.
class ScriptEngine {
public:
    virtual ~ScriptEngine() = default;

    // Runs one queued block on context.base; returns the actions spent, at most `budget`.
    virtual std::size_t runActions(ActionContext& context, std::size_t budget) = 0;
    // Before the queued frame scripts run: load events of the clips placed since.
    // `context.block` is empty here and below.
    virtual void beforeFrameScripts(ActionContext& context) = 0;
    // Once per frame period, after the frame scripts: enterFrame events and timers.
    virtual void frameAdvanced(ActionContext& context) = 0;
    // The movie is going away: drop every script object that refers to it.
    virtual void movieUnloaded() = 0;
};

} // namespace kf::swf
