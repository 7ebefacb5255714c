#include "swf/avm1/ActionHandlers.h"
#include "swf/avm1/ClipProperties.h"
#include "swf/avm1/FrameTargets.h"
#include "swf/avm1/MovieLoading.h"
#include "swf/avm1/ScriptedClips.h"
#include "swf/runtime/Navigator.h"
#include "swf/runtime/PlayerHost.h"
#include "swf/runtime/SpriteObject.h"
#include "swf/runtime/TextCompare.h"

#include <cmath>
#include <random>

namespace kf::swf::avm1 {

namespace {

SpriteObject* target(Interpreter& vm, Frame& frame) {
    return frame.target ? vm.resolveClip(*frame.target) : nullptr;
}

// GotoFrame and GotoLabel stop the timeline: gotoAndPlay is compiled as the goto and Play.
void gotoFrame(Interpreter& vm, Frame& frame, const Action& action) {
    const auto* payload = std::get_if<GotoFrameAction>(&action.payload);
    if (SpriteObject* clip = target(vm, frame); clip && payload) {
        clip->gotoFrame(payload->frame);
        clip->stop();
    }
}

void gotoLabel(Interpreter& vm, Frame& frame, const Action& action) {
    const auto* payload = std::get_if<GotoLabelAction>(&action.payload);
    if (SpriteObject* clip = target(vm, frame); clip && payload && clip->gotoLabel(payload->label)) {
        clip->stop();
    }
}

void nextFrame(Interpreter& vm, Frame& frame, const Action&) {
    if (SpriteObject* clip = target(vm, frame)) {
        clip->nextFrame();
    }
}
void previousFrame(Interpreter& vm, Frame& frame, const Action&) {
    if (SpriteObject* clip = target(vm, frame)) {
        clip->previousFrame();
    }
}
void play(Interpreter& vm, Frame& frame, const Action&) {
    if (SpriteObject* clip = target(vm, frame)) {
        clip->play();
    }
}
void stop(Interpreter& vm, Frame& frame, const Action&) {
    if (SpriteObject* clip = target(vm, frame)) {
        clip->stop();
    }
}

void retarget(Interpreter& vm, Frame& frame, const std::string& path) {
    if (path.empty()) {
        frame.target = frame.baseClip;
        return;
    }
    SpriteObject* base = frame.baseClip ? vm.resolveClip(*frame.baseClip) : nullptr;
    SpriteObject* found = vm.resolvePath(path, base);
    // A path that finds nothing leaves no target: timeline actions are ignored until
    // tellTarget ends, as Flash Player does.
    frame.target = found ? vm.clipObject(*found) : nullptr;
}

void setTarget(Interpreter& vm, Frame& frame, const Action& action) {
    if (const auto* payload = std::get_if<SetTargetAction>(&action.payload)) {
        retarget(vm, frame, payload->target);
    }
}

// A clip given as an object is found again by its path, so of two clips sharing a name the
// lower one becomes the target whichever was passed.
void setTarget2(Interpreter& vm, Frame& frame, const Action&) {
    retarget(vm, frame, vm.toString(frame.pop()));
}

void getUrl(Interpreter& vm, Frame& frame, const Action& action) {
    const auto* payload = std::get_if<GetUrlAction>(&action.payload);
    if (!payload) {
        return;
    }
    constexpr std::string_view prefix = "FSCommand:";
    const std::string_view url = payload->url;
    if (url.size() >= prefix.size() && equalsIgnoringCase(url.substr(0, prefix.size()), prefix)) {
        vm.context().navigator.fsCommand(std::string(url.substr(prefix.size())), payload->target);
        return;
    }
    if (requestScriptLoad(vm, target(vm, frame), payload->url, payload->target, false, false)) {
        return;
    }
    vm.context().navigator.getUrl(payload->url, payload->target);
}

void getUrl2(Interpreter& vm, Frame& frame, const Action& action) {
    const std::string window = vm.toString(frame.pop());
    const std::string url = vm.toString(frame.pop());
    const auto* payload = std::get_if<GetUrl2Action>(&action.payload);
    if (!payload) {
        return;
    }
    constexpr std::string_view prefix = "FSCommand:";
    if (!payload->loadTarget && !payload->loadVariables && url.size() >= prefix.size() &&
        equalsIgnoringCase(std::string_view(url).substr(0, prefix.size()), prefix)) {
        vm.context().navigator.fsCommand(url.substr(prefix.size()), window);
        return;
    }
    if (requestScriptLoad(vm, target(vm, frame), url, window, payload->loadTarget, payload->loadVariables)) {
        return;
    }
    if (!payload->loadTarget) {
        vm.context().navigator.getUrl(url, window);
    }
}

// A frame number (1-based) or a label, optionally "path:frame".
void gotoFrame2(Interpreter& vm, Frame& frame, const Action& action) {
    const auto* payload = std::get_if<GotoFrame2Action>(&action.payload);
    Value where = frame.pop();
    SpriteObject* clip = target(vm, frame);
    if (!payload || !clip) {
        return;
    }
    if (where.isString()) {
        if (const std::size_t colon = where.string().rfind(':'); colon != std::string::npos) {
            clip = vm.resolvePath(where.string().substr(0, colon), clip);
            where = Value(where.string().substr(colon + 1));
            if (!clip) {
                return;
            }
        }
    }
    if (gotoFrameValue(vm, *clip, where, payload->sceneBias)) {
        payload->play ? clip->play() : clip->stop();
    }
}

// Skips the given number of actions while the frame has not loaded yet.
void skipUnlessLoaded(Frame& frame, const SpriteObject* clip, std::optional<int> wanted,
                      std::uint8_t skipCount) {
    if (clip && wanted && !clip->isFrameLoaded(*wanted)) {
        frame.next = std::min(frame.next + skipCount, frame.end);
    }
}

void waitForFrame(Interpreter& vm, Frame& frame, const Action& action) {
    if (const auto* payload = std::get_if<WaitForFrameAction>(&action.payload)) {
        skipUnlessLoaded(frame, target(vm, frame), payload->frame, payload->skipCount);
    }
}

// Its frame is named as GotoFrame2's is; a label that names none counts as loaded.
void waitForFrame2(Interpreter& vm, Frame& frame, const Action& action) {
    const Value where = frame.pop();
    const auto* payload = std::get_if<WaitForFrame2Action>(&action.payload);
    SpriteObject* clip = target(vm, frame);
    if (payload && clip) {
        skipUnlessLoaded(frame, clip, frameForValue(vm, *clip, where), payload->skipCount);
    }
}

// call(frame): runs another frame's scripts now, on the same timeline.
void callFrame(Interpreter& vm, Frame& frame, const Action&) {
    const Value where = frame.pop();
    SpriteObject* clip = target(vm, frame);
    if (!clip) {
        return;
    }
    std::string text = vm.toString(where);
    if (const std::size_t colon = text.rfind(':'); colon != std::string::npos) {
        clip = vm.resolvePath(text.substr(0, colon), clip);
        text = text.substr(colon + 1);
    }
    if (!clip) {
        return;
    }
    std::optional<int> index = clip->timeline().frameForLabel(text);
    if (!index) {
        char* stop = nullptr;
        const long number = std::strtol(text.c_str(), &stop, 10);
        if (text.empty() || *stop != '\0') {
            return;
        }
        index = static_cast<int>(number) - 1;
    }
    if (*index < 0 || *index >= clip->timeline().storedFrameCount()) {
        return;
    }
    for (const ActionBlock* block : clip->timeline().frame(*index).actions) {
        Frame called;
        called.block = block;
        called.baseClip = vm.clipObject(*clip);
        called.target = called.baseClip;
        called.thisValue = called.baseClip;
        called.scope.push_back(called.baseClip);
        // The called frame works on the caller's stack: what it leaves there, the caller sees.
        called.stack = std::move(frame.stack);
        vm.runRange(called, 0, block->actions.size());
        frame.stack = std::move(called.stack);
        if (called.completion == Completion::Abort) {
            frame.completion = Completion::Abort;
            return;
        }
    }
}

void getProperty(Interpreter& vm, Frame& frame, const Action&) {
    const int index = static_cast<int>(vm.toNumber(frame.pop()));
    const Value path = frame.pop();
    SpriteObject* base = target(vm, frame);
    SpriteObject* clip =
        path.isObject() ? vm.resolveClipValue(path) : vm.resolvePath(vm.toString(path), base);
    const std::string_view name = clipPropertyName(index);
    std::optional<Value> value = clip && !name.empty() ? getClipProperty(vm, *clip, name) : std::nullopt;
    frame.push(value ? *value : Value());
}

void setProperty(Interpreter& vm, Frame& frame, const Action&) {
    const Value value = frame.pop();
    const int index = static_cast<int>(vm.toNumber(frame.pop()));
    const Value path = frame.pop();
    SpriteObject* base = target(vm, frame);
    SpriteObject* clip =
        path.isObject() ? vm.resolveClipValue(path) : vm.resolvePath(vm.toString(path), base);
    const std::string_view name = clipPropertyName(index);
    if (clip && !name.empty()) {
        setClipProperty(vm, *clip, name, value);
    }
}

// CloneSprite: source, new name, display-list depth (compilers add the 16384 themselves).
void cloneSprite(Interpreter& vm, Frame& frame, const Action&) {
    const Value depth = frame.pop();
    const Value name = frame.pop();
    const Value source = frame.pop();
    const double listDepth = vm.toNumber(depth);
    const std::string newName = vm.toString(name);
    SpriteObject* clip = source.isObject() ? vm.resolveClipValue(source)
                                           : vm.resolvePath(vm.toString(source), target(vm, frame));
    if (clip && std::isfinite(listDepth)) {
        duplicateClip(vm, *clip, newName, static_cast<std::int64_t>(listDepth), Value());
    }
}
void removeSprite(Interpreter& vm, Frame& frame, const Action&) {
    const Value path = frame.pop();
    SpriteObject* clip =
        path.isObject() ? vm.resolveClipValue(path) : vm.resolvePath(vm.toString(path), target(vm, frame));
    if (clip) {
        removeScriptClip(*clip);
    }
}

void startDrag(Interpreter& vm, Frame& frame, const Action&) {
    frame.pop();
    frame.pop();
    if (vm.toBoolean(frame.pop())) {
        for (int edge = 0; edge < 4; ++edge) {
            frame.pop();
        }
    }
}
void endDrag(Interpreter&, Frame&, const Action&) {}

void getTime(Interpreter& vm, Frame& frame, const Action&) {
    frame.push(Value(std::floor(vm.movieMilliseconds())));
}

void randomNumber(Interpreter& vm, Frame& frame, const Action&) {
    static std::minstd_rand generator(12345);
    const double maximum = vm.toNumber(frame.pop());
    if (!(maximum >= 1)) {
        frame.push(Value(0.0));
        return;
    }
    const auto limit = static_cast<std::uint64_t>(std::min(maximum, 2147483647.0));
    frame.push(Value(static_cast<double>(generator() % limit)));
}

void toggleQuality(Interpreter& vm, Frame&, const Action&) {
    vm.context().host.toggleQuality();
}
void stopSounds(Interpreter& vm, Frame&, const Action&) {
    vm.context().host.stopSounds();
}
void fsCommand2(Interpreter& vm, Frame& frame, const Action&) {
    const double count = vm.toNumber(frame.pop());
    std::vector<std::string> arguments;
    for (int index = 0; index < count && !frame.stack.empty() && index < 16; ++index) {
        arguments.push_back(vm.toString(frame.pop()));
    }
    if (!arguments.empty()) {
        vm.context().navigator.fsCommand(arguments[0], arguments.size() > 1 ? arguments[1] : std::string());
    }
}

} // namespace

void registerClipActions(HandlerTable& table) {
    auto set = [&](ActionCode code, Handler handler) { table[static_cast<std::uint8_t>(code)] = handler; };
    set(ActionCode::GotoFrame, gotoFrame);
    set(ActionCode::GotoLabel, gotoLabel);
    set(ActionCode::NextFrame, nextFrame);
    set(ActionCode::PreviousFrame, previousFrame);
    set(ActionCode::Play, play);
    set(ActionCode::Stop, stop);
    set(ActionCode::SetTarget, setTarget);
    set(ActionCode::SetTarget2, setTarget2);
    set(ActionCode::GetUrl, getUrl);
    set(ActionCode::GetUrl2, getUrl2);
    set(ActionCode::GotoFrame2, gotoFrame2);
    set(ActionCode::WaitForFrame, waitForFrame);
    set(ActionCode::WaitForFrame2, waitForFrame2);
    set(ActionCode::Call, callFrame);
    set(ActionCode::GetProperty, getProperty);
    set(ActionCode::SetProperty, setProperty);
    set(ActionCode::CloneSprite, cloneSprite);
    set(ActionCode::RemoveSprite, removeSprite);
    set(ActionCode::StartDrag, startDrag);
    set(ActionCode::EndDrag, endDrag);
    set(ActionCode::GetTime, getTime);
    set(ActionCode::RandomNumber, randomNumber);
    set(ActionCode::ToggleQuality, toggleQuality);
    set(ActionCode::StopSounds, stopSounds);
    set(ActionCode::FsCommand2, fsCommand2);
}

} // namespace kf::swf::avm1
