#include "swf/avm1/ClipGeometry.h"

#include "swf/avm1/Interpreter.h"
#include "swf/runtime/DisplayBounds.h"
#include "swf/runtime/DisplayObject.h"

#include <cmath>
#include <numbers>

namespace kf::swf::avm1 {

namespace {

using ScriptedTransform = Object::ScriptedTransform;

// What the script last wrote, or the values the matrix gives when the timeline (or anything
// else) has changed it since.
ScriptedTransform currentTransform(Interpreter& vm, DisplayObject& clip) {
    const Matrix& matrix = clip.matrix();
    const std::shared_ptr<Object> object = vm.clipObject(clip);
    if (const auto& memory = object->scriptedTransform; memory && memory->a == matrix.a &&
                                                        memory->b == matrix.b && memory->c == matrix.c &&
                                                        memory->d == matrix.d) {
        return *memory;
    }
    ScriptedTransform derived;
    derived.a = matrix.a;
    derived.b = matrix.b;
    derived.c = matrix.c;
    derived.d = matrix.d;
    derived.xScale = std::hypot(matrix.a, matrix.b) * 100.0;
    derived.yScale = std::hypot(matrix.c, matrix.d) * 100.0;
    derived.rotation = std::atan2(matrix.b, matrix.a) * 180.0 / std::numbers::pi;
    return derived;
}

// Rebuilds the matrix from scale and rotation and remembers what was asked for.
void applyTransform(Interpreter& vm, DisplayObject& clip, ScriptedTransform wanted) {
    Matrix matrix = clip.matrix();
    if (std::isfinite(wanted.rotation)) {
        const double radians = wanted.rotation * std::numbers::pi / 180.0;
        matrix.a = wanted.xScale / 100.0 * std::cos(radians);
        matrix.b = wanted.xScale / 100.0 * std::sin(radians);
        matrix.c = -wanted.yScale / 100.0 * std::sin(radians);
        matrix.d = wanted.yScale / 100.0 * std::cos(radians);
        clip.setMatrix(matrix);
    }
    wanted.a = matrix.a;
    wanted.b = matrix.b;
    wanted.c = matrix.c;
    wanted.d = matrix.d;
    vm.clipObject(clip)->scriptedTransform = wanted;
}

// Flash Player keeps rotations in -180..180: 1000 reads back as -80, 540 as 180.
double normalizedDegrees(double degrees) {
    double wrapped = std::fmod(degrees, 360.0);
    if (wrapped > 180.0) {
        wrapped -= 360.0;
    } else if (wrapped < -180.0) {
        wrapped += 360.0;
    }
    return wrapped;
}

// Scales the object so its unscaled extent along one axis becomes `pixels`. An object that
// shows nothing has no extent to scale: Flash Player then zeroes both scales.
void setExtent(Interpreter& vm, DisplayObject& clip, double pixels, bool horizontal) {
    if (!std::isfinite(pixels)) {
        return;
    }
    ScriptedTransform transform = currentTransform(vm, clip);
    const BoundingBox local = localBounds(clip);
    const double extent = horizontal ? local.width() : local.height();
    if (extent <= 0) {
        transform.xScale = 0;
        transform.yScale = 0;
    } else if (horizontal) {
        transform.xScale = pixels * 20.0 / extent * 100.0;
    } else {
        transform.yScale = pixels * 20.0 / extent * 100.0;
    }
    applyTransform(vm, clip, transform);
}

} // namespace

double clipXScale(Interpreter& vm, DisplayObject& clip) {
    return currentTransform(vm, clip).xScale;
}

double clipYScale(Interpreter& vm, DisplayObject& clip) {
    return currentTransform(vm, clip).yScale;
}

double clipRotation(Interpreter& vm, DisplayObject& clip) {
    return currentTransform(vm, clip).rotation;
}

double clipWidth(const DisplayObject& clip) {
    return boundsThrough(clip, clip.matrix()).width() / 20.0;
}

double clipHeight(const DisplayObject& clip) {
    return boundsThrough(clip, clip.matrix()).height() / 20.0;
}

void setClipXScale(Interpreter& vm, DisplayObject& clip, double percent) {
    if (std::isfinite(percent)) {
        ScriptedTransform transform = currentTransform(vm, clip);
        transform.xScale = percent;
        applyTransform(vm, clip, transform);
    }
}

void setClipYScale(Interpreter& vm, DisplayObject& clip, double percent) {
    if (std::isfinite(percent)) {
        ScriptedTransform transform = currentTransform(vm, clip);
        transform.yScale = percent;
        applyTransform(vm, clip, transform);
    }
}

void setClipRotation(Interpreter& vm, DisplayObject& clip, double degrees) {
    if (!std::isnan(degrees)) {
        ScriptedTransform transform = currentTransform(vm, clip);
        // Infinity has no angle: it reads back as NaN and leaves the matrix alone.
        transform.rotation = normalizedDegrees(degrees);
        applyTransform(vm, clip, transform);
    }
}

void setClipWidth(Interpreter& vm, DisplayObject& clip, double pixels) {
    setExtent(vm, clip, pixels, true);
}

void setClipHeight(Interpreter& vm, DisplayObject& clip, double pixels) {
    setExtent(vm, clip, pixels, false);
}

} // namespace kf::swf::avm1
