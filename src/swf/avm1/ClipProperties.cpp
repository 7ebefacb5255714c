#include "swf/avm1/ClipProperties.h"

#include "swf/avm1/ClipGeometry.h"
#include "swf/avm1/Interpreter.h"
#include "swf/runtime/MovieLoads.h"
#include "swf/runtime/SpriteObject.h"
#include "swf/runtime/TextCompare.h"

#include <array>
#include <cmath>
#include <numbers>

namespace kf::swf::avm1 {

namespace {

constexpr std::array<std::string_view, 22> names = {
    "_x",          "_y",     "_xscale",      "_yscale",    "_currentframe", "_totalframes",  "_alpha",
    "_visible",    "_width", "_height",      "_rotation",  "_target",       "_framesloaded", "_name",
    "_droptarget", "_url",   "_highquality", "_focusrect", "_soundbuftime", "_quality",      "_xmouse",
    "_ymouse"};

int indexOf(std::string_view name) {
    if (name.empty() || name[0] != '_') {
        return -1;
    }
    for (std::size_t index = 0; index < names.size(); ++index) {
        if (equalsIgnoringCase(names[index], name)) {
            return static_cast<int>(index);
        }
    }
    return -1;
}

double roundTwips(double value) {
    return std::round(value * 20.0) / 20.0;
}

// 1-based; a sprite without frames is on frame 0.
int currentFrameNumber(const SpriteObject& timeline) {
    return timeline.totalFrames() > 0 ? std::max(timeline.currentFrame() + 1, 1) : 0;
}

} // namespace

std::string_view clipPropertyName(int index) {
    return index >= 0 && index < static_cast<int>(names.size()) ? names[static_cast<std::size_t>(index)]
                                                                : std::string_view();
}

std::optional<Value> getClipProperty(Interpreter& vm, DisplayObject& clip, std::string_view name) {
    const Matrix& matrix = clip.matrix();
    const SpriteObject* timeline = clip.asSprite();
    switch (indexOf(name)) {
    case 0:
        return Value(matrix.tx / 20.0);
    case 1:
        return Value(matrix.ty / 20.0);
    case 2:
        return Value(clipXScale(vm, clip));
    case 3:
        return Value(clipYScale(vm, clip));
    case 4:
        return Value(static_cast<double>(timeline ? currentFrameNumber(*timeline) : 1));
    case 5:
        return Value(static_cast<double>(timeline ? timeline->totalFrames() : 1));
    case 12:
        return Value(static_cast<double>(timeline ? timeline->framesLoaded() : 1));
    case 6:
        return Value(clip.colorTransform().alphaMultiplier * 100.0 / 256.0);
    case 7:
        return Value(clip.visible());
    case 8:
        return Value(clipWidth(clip));
    case 9:
        return Value(clipHeight(clip));
    case 10:
        return Value(clipRotation(vm, clip));
    case 11:
        return Value(vm.slashPath(clip));
    case 13:
        return Value(clip.name());
    case 14:
        return Value(std::string());
    case 15: {
        const SpriteObject* holder = timeline ? timeline : clip.parent();
        return Value(holder ? movieUrlOf(*holder) : std::string());
    }
    case 16:
        return Value(1.0);
    case 17:
        return Value(1.0);
    case 18:
        return Value(5.0);
    case 19:
        return Value("HIGH");
    case 20:
    case 21: {
        // The mouse in the object's own space, in pixels.
        const Matrix toLocal = clip.worldMatrix().inverted();
        const double x = toLocal.mapX(vm.input.mouseX, vm.input.mouseY);
        const double y = toLocal.mapY(vm.input.mouseX, vm.input.mouseY);
        return Value(std::round(indexOf(name) == 20 ? x : y) / 20.0);
    }
    default:
        return std::nullopt;
    }
}

bool setClipProperty(Interpreter& vm, DisplayObject& clip, std::string_view name, const Value& value) {
    const int index = indexOf(name);
    if (index < 0) {
        return false;
    }
    const double number = vm.toNumber(value);
    Matrix matrix = clip.matrix();
    // NaN and infinities leave a numeric property as it was.
    const bool usable = std::isfinite(number);
    switch (index) {
    case 0:
        if (usable) {
            matrix.tx = roundTwips(number) * 20.0;
            clip.setMatrix(matrix);
        }
        break;
    case 1:
        if (usable) {
            matrix.ty = roundTwips(number) * 20.0;
            clip.setMatrix(matrix);
        }
        break;
    case 2:
        setClipXScale(vm, clip, number);
        break;
    case 3:
        setClipYScale(vm, clip, number);
        break;
    case 6:
        if (usable) {
            ColorTransform transform = clip.colorTransform();
            transform.alphaMultiplier =
                static_cast<std::int16_t>(std::clamp(number * 256.0 / 100.0, -32768.0, 32767.0));
            clip.setColorTransform(transform);
        }
        break;
    case 7:
        clip.setVisible(vm.toBoolean(value) || (value.isNumber() && number != 0));
        break;
    case 8:
        setClipWidth(vm, clip, number);
        break;
    case 9:
        setClipHeight(vm, clip, number);
        break;
    case 10:
        // Unlike the others, an infinite rotation is taken (it reads back as NaN).
        setClipRotation(vm, clip, number);
        break;
    case 13:
        clip.setName(vm.toString(value));
        break;
    default:
        break; // read-only or not modelled
    }
    return true;
}

} // namespace kf::swf::avm1
