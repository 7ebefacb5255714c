#include "swf/runtime/Swf3Actions.h"

#include "swf/runtime/ActionRunner.h"
#include "swf/runtime/MovieLoads.h"
#include "swf/runtime/Navigator.h"
#include "swf/runtime/PlayerContext.h"
#include "swf/runtime/PlayerHost.h"
#include "swf/runtime/SpriteObject.h"
#include "swf/runtime/TargetPath.h"
#include "swf/runtime/TextCompare.h"

namespace kf::swf {

namespace {

// The timeline the next timeline action works on, or nullptr when setTarget found nothing
// or the target has left the stage since; Flash Player ignores actions on either.
SpriteObject* liveTarget(const ActionContext& context) {
    return context.target && !context.target->isRemoved() ? context.target : nullptr;
}

// GotoFrame and GotoLabel stop the timeline: gotoAndPlay is compiled as the goto followed
// by Play.
void gotoFrame(ActionContext& context, const Action& action) {
    const auto* payload = std::get_if<GotoFrameAction>(&action.payload);
    if (SpriteObject* target = liveTarget(context); target && payload) {
        target->gotoFrame(payload->frame);
        target->stop();
    }
}

void gotoLabel(ActionContext& context, const Action& action) {
    const auto* payload = std::get_if<GotoLabelAction>(&action.payload);
    // An unknown label is ignored, leaving the play state alone.
    if (SpriteObject* target = liveTarget(context); target && payload && target->gotoLabel(payload->label)) {
        target->stop();
    }
}

void nextFrame(ActionContext& context, const Action&) {
    if (SpriteObject* target = liveTarget(context)) {
        target->nextFrame();
    }
}

void previousFrame(ActionContext& context, const Action&) {
    if (SpriteObject* target = liveTarget(context)) {
        target->previousFrame();
    }
}

void play(ActionContext& context, const Action&) {
    if (SpriteObject* target = liveTarget(context)) {
        target->play();
    }
}

void stop(ActionContext& context, const Action&) {
    if (SpriteObject* target = liveTarget(context)) {
        target->stop();
    }
}

void setTarget(ActionContext& context, const Action& action) {
    const auto* payload = std::get_if<SetTargetAction>(&action.payload);
    if (!payload || payload->target.empty()) {
        context.target = &context.base;
        return;
    }
    DisplayObject* found = resolveTargetPath(payload->target, context.base, context.root,
                                             context.player.namesAreCaseSensitive());
    context.target = found ? found->asSprite() : nullptr;
}

// Skips the given number of actions while the frame has not loaded yet.
void waitForFrame(ActionContext& context, const Action& action) {
    const auto* payload = std::get_if<WaitForFrameAction>(&action.payload);
    if (SpriteObject* target = liveTarget(context);
        target && payload && !target->isFrameLoaded(payload->frame)) {
        context.nextAction += payload->skipCount;
    }
}

void getUrl(ActionContext& context, const Action& action) {
    const auto* payload = std::get_if<GetUrlAction>(&action.payload);
    if (!payload) {
        return;
    }
    constexpr std::string_view prefix = "FSCommand:";
    const std::string_view url = payload->url;
    if (url.size() >= prefix.size() && equalsIgnoringCase(url.substr(0, prefix.size()), prefix)) {
        context.navigator.fsCommand(std::string(url.substr(prefix.size())), payload->target);
        return;
    }
    if (requestLevelLoad(context.player, context.base, url, payload->target)) {
        return;
    }
    context.navigator.getUrl(payload->url, payload->target);
}

void toggleQuality(ActionContext& context, const Action&) {
    context.host.toggleQuality();
}

void stopSounds(ActionContext& context, const Action&) {
    context.host.stopSounds();
}

} // namespace

void registerSwf3Actions(ActionRunner& runner) {
    runner.setHandler(ActionCode::GotoFrame, gotoFrame);
    runner.setHandler(ActionCode::GotoLabel, gotoLabel);
    runner.setHandler(ActionCode::NextFrame, nextFrame);
    runner.setHandler(ActionCode::PreviousFrame, previousFrame);
    runner.setHandler(ActionCode::Play, play);
    runner.setHandler(ActionCode::Stop, stop);
    runner.setHandler(ActionCode::SetTarget, setTarget);
    runner.setHandler(ActionCode::WaitForFrame, waitForFrame);
    runner.setHandler(ActionCode::GetUrl, getUrl);
    runner.setHandler(ActionCode::ToggleQuality, toggleQuality);
    runner.setHandler(ActionCode::StopSounds, stopSounds);
}

} // namespace kf::swf
