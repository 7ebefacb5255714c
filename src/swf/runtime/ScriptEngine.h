#pragma once

#include "swf/format/Tags.h"
#include "swf/runtime/ActionContext.h"
#include "swf/runtime/InputEvent.h"

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace kf::swf {

class ButtonObject;
class SpriteObject;

// Runs action blocks for the player. The runtime only knows this interface; the ActionScript
// interpreter (swf_avm1) implements it above the runtime, so the dependency stays one-way:
// swf_format <- swf_runtime <- swf_avm1. Without an engine the player runs the SWF 3
// timeline actions itself.
class ScriptEngine {
public:
    virtual ~ScriptEngine() = default;

    // Runs one queued block on context.base, or its clip event when context.event is set;
    // returns the actions spent, at most `budget`.
    virtual std::size_t runActions(ActionContext& context, std::size_t budget) = 0;
    // Before the queued scripts and clip events run. `context.block` is empty here and below.
    virtual void beforeFrameScripts(ActionContext& context) = 0;
    // Once per frame period, after the frame's queue has run: timers.
    virtual void frameAdvanced(ActionContext& context) = 0;
    // Whether removing `clip` must wait for an unload handler of it or of a clip inside it:
    // such a clip stays on stage, below every other depth, until its unload event has run.
    virtual bool hasUnloadHandler(SpriteObject& clip) {
        (void)clip;
        return false;
    }
    // The movie is going away: drop every script object that refers to it.
    virtual void movieUnloaded() = 0;
    // loadVariables brought these name-value pairs for `clip`: they become its variables.
    virtual void variablesLoaded(ActionContext& context, SpriteObject& clip,
                                 const std::vector<std::pair<std::string, std::string>>& variables) {
        (void)context;
        (void)clip;
        (void)variables;
    }

    // Mouse and keyboard, before the clips' own events are queued: the Key and Mouse
    // listeners, and the engine's view of the keys held and the mouse position.
    virtual void inputEvent(ActionContext& context, const InputEvent& event) {
        (void)context;
        (void)event;
    }
    // Whether scripts gave `clip` mouse handlers (onPress, onRollOver...), which make it
    // take the mouse events of everything inside it.
    virtual bool clipHandlesMouse(SpriteObject& clip) {
        (void)clip;
        return false;
    }
    // A button's mouse transition (Press, Release, RollOver... as ClipEvent): its script
    // handlers run. The condition actions of its definition are queued by the player.
    virtual void buttonEvent(ActionContext& context, ButtonObject& button, ClipEvent event) {
        (void)context;
        (void)button;
        (void)event;
    }
};

} // namespace kf::swf
