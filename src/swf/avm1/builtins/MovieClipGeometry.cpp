// The MovieClip methods about space: getBounds, getRect, hitTest, localToGlobal,
// globalToLocal and scrollRect. Coordinates are pixels; the stage is the root's parent space.
#include "swf/avm1/ActionHandlers.h"
#include "swf/avm1/BuiltinSupport.h"
#include "swf/runtime/DisplayBounds.h"
#include "swf/runtime/HitTest.h"
#include "swf/runtime/SpriteObject.h"

#include <algorithm>
#include <cmath>

namespace kf::swf::avm1 {

namespace {

using ClipMethod = Value (*)(Interpreter&, SpriteObject&, std::vector<Value>&);

void method(Interpreter& vm, std::string_view name, ClipMethod body) {
    vm.setMethod(*vm.movieClipPrototype, name,
                 [body](Interpreter& interpreter, const Value& thisValue, std::vector<Value>& arguments) {
                     SpriteObject* clip = interpreter.resolveClipValue(thisValue);
                     return clip ? body(interpreter, *clip, arguments) : Value();
                 });
}

// Flash Player reports an empty box as its largest twip coordinate on every side.
constexpr double emptyCoordinate = 0x7FFFFFF / 20.0;

Value boundsObject(Interpreter& vm, SpriteObject& clip, std::vector<Value>& arguments, BoundsKind kind) {
    // In the space of the clip given (a clip or a path), or the clip's own when none is.
    Matrix toSpace = clip.worldMatrix();
    if (!arguments.empty()) {
        SpriteObject* space = vm.resolveClipValue(arguments[0]);
        if (!space) {
            return Value();
        }
        toSpace = space->worldMatrix().inverted() * toSpace;
    } else {
        toSpace = Matrix{};
    }
    const BoundingBox box = boundsThrough(clip, toSpace, kind);
    auto result = vm.newObject();
    result->define("xMin", Value(box.empty ? emptyCoordinate : box.xMin / 20.0));
    result->define("xMax", Value(box.empty ? emptyCoordinate : box.xMax / 20.0));
    result->define("yMin", Value(box.empty ? emptyCoordinate : box.yMin / 20.0));
    result->define("yMax", Value(box.empty ? emptyCoordinate : box.yMax / 20.0));
    return Value(result);
}

// Maps the point object's x and y (pixels) through `matrix`, in place.
void mapPoint(Interpreter& vm, const Value& point, const Matrix& matrix) {
    if (!point.isObject()) {
        return;
    }
    const double x = vm.toNumber(vm.getMember(point, "x")) * 20.0;
    const double y = vm.toNumber(vm.getMember(point, "y")) * 20.0;
    vm.setMember(point, "x", Value((matrix.a * x + matrix.c * y + matrix.tx) / 20.0));
    vm.setMember(point, "y", Value((matrix.b * x + matrix.d * y + matrix.ty) / 20.0));
}

// Pixels as twips, kept where a sum of two still fits the rectangle's 32-bit coordinates.
Twips boundedTwips(double pixels) {
    constexpr double largestPixels = 5e7;
    return Twips::fromPixels(std::isfinite(pixels) ? std::clamp(pixels, -largestPixels, largestPixels) : 0.0);
}

// scrollRect (SWF 8): a rectangle of the clip's space, given and read back as x, y, width
// and height in pixels; anything but an object takes it away.
void installScrollRect(Interpreter& vm) {
    Property& property = vm.movieClipPrototype->define("scrollRect", Value(), DontEnum | Version8);
    property.getter =
        vm.newFunction([](Interpreter& interpreter, const Value& thisValue, std::vector<Value>&) -> Value {
            const SpriteObject* clip = interpreter.resolveClipValue(thisValue);
            if (!clip || !clip->scrollRect()) {
                return Value();
            }
            const Rect& area = *clip->scrollRect();
            return newRectangle(interpreter, area.xMin.toPixels(), area.yMin.toPixels(),
                                area.width().toPixels(), area.height().toPixels());
        });
    property.setter =
        vm.newFunction([](Interpreter& interpreter, const Value& thisValue, std::vector<Value>& arguments) {
            SpriteObject* clip = interpreter.resolveClipValue(thisValue);
            if (!clip) {
                return Value();
            }
            const Value given = argument(arguments, 0);
            if (!given.isObject()) {
                clip->setScrollRect(std::nullopt);
                return Value();
            }
            auto field = [&](std::string_view name) {
                return interpreter.toNumber(interpreter.getMember(given, name));
            };
            const Twips left = boundedTwips(field("x"));
            const Twips top = boundedTwips(field("y"));
            // A negative size shows nothing.
            const Twips width = boundedTwips(std::max(field("width"), 0.0));
            const Twips height = boundedTwips(std::max(field("height"), 0.0));
            clip->setScrollRect(Rect{left, left + width, top, top + height});
            return Value();
        });
}

} // namespace

void installMovieClipGeometry(Interpreter& vm) {
    installScrollRect(vm);
    method(vm, "getBounds", [](Interpreter& interpreter, SpriteObject& clip, std::vector<Value>& arguments) {
        return boundsObject(interpreter, clip, arguments, BoundsKind::WithStrokes);
    });
    if (vm.version() >= 8) {
        method(vm, "getRect",
               [](Interpreter& interpreter, SpriteObject& clip, std::vector<Value>& arguments) {
                   return boundsObject(interpreter, clip, arguments, BoundsKind::EdgesOnly);
               });
    }
    // hitTest(x, y[, shapeFlag]) with stage coordinates, or hitTest(otherClip): the boxes
    // of both on the stage overlap.
    method(vm, "hitTest", [](Interpreter& interpreter, SpriteObject& clip, std::vector<Value>& arguments) {
        const BoundingBox onStage = boundsThrough(clip, clip.worldMatrix());
        if (arguments.size() >= 2) {
            const double x = interpreter.toNumber(arguments[0]) * 20.0;
            const double y = interpreter.toNumber(arguments[1]) * 20.0;
            if (std::isnan(x) || std::isnan(y)) {
                return Value(false);
            }
            if (arguments.size() >= 3 && interpreter.toBoolean(arguments[2])) {
                return Value(objectContainsPoint(clip, clip.worldMatrix(), x, y));
            }
            return Value(onStage.contains(x, y));
        }
        SpriteObject* other = interpreter.resolveClipValue(argument(arguments, 0));
        return Value(other && onStage.intersects(boundsThrough(*other, other->worldMatrix())));
    });
    method(vm, "localToGlobal",
           [](Interpreter& interpreter, SpriteObject& clip, std::vector<Value>& arguments) {
               mapPoint(interpreter, argument(arguments, 0), clip.worldMatrix());
               return Value();
           });
    method(vm, "globalToLocal",
           [](Interpreter& interpreter, SpriteObject& clip, std::vector<Value>& arguments) {
               mapPoint(interpreter, argument(arguments, 0), clip.worldMatrix().inverted());
               return Value();
           });
}

} // namespace kf::swf::avm1
