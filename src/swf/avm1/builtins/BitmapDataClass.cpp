// flash.display.BitmapData: pixels scripts create, paint and show with attachBitmap.
#include "swf/avm1/ActionHandlers.h"
#include "swf/avm1/BuiltinSupport.h"
#include "swf/avm1/Conversions.h"
#include "swf/avm1/ScriptedClips.h"
#include "swf/runtime/BitmapObject.h"
#include "swf/runtime/BitmapSurface.h"
#include "swf/runtime/PlayerContext.h"
#include "swf/runtime/SpriteObject.h"

#include <cmath>

namespace kf::swf::avm1 {

namespace {

// A BitmapData's hidden state: its pixels, none once disposed or when the size was refused.
class BitmapDataInstance : public BuiltinState {
public:
    std::shared_ptr<BitmapSurface> surface;
};

std::shared_ptr<BitmapSurface> sharedSurfaceOf(const Value& value) {
    Object* object = value.objectOrNull();
    auto* instance = object ? dynamic_cast<BitmapDataInstance*>(object->builtin.get()) : nullptr;
    return instance && instance->surface && !instance->surface->disposed() ? instance->surface : nullptr;
}

BitmapSurface* surfaceOf(const Value& value) {
    return sharedSurfaceOf(value).get();
}

std::int32_t integerOf(Interpreter& vm, const Value& value) {
    return toInt32(vm.toNumber(value));
}

std::uint32_t colorOf(Interpreter& vm, const Value& value) {
    return toUint32(vm.toNumber(value));
}

// Rectangles and points are read by their properties, so any object with x, y, width and
// height will do, as in Flash Player.
PixelRect rectOf(Interpreter& vm, const Value& value) {
    return PixelRect{integerOf(vm, vm.getMember(value, "x")), integerOf(vm, vm.getMember(value, "y")),
                     integerOf(vm, vm.getMember(value, "width")),
                     integerOf(vm, vm.getMember(value, "height"))};
}

struct PixelPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
};

PixelPoint pointOf(Interpreter& vm, const Value& value) {
    return PixelPoint{integerOf(vm, vm.getMember(value, "x")), integerOf(vm, vm.getMember(value, "y"))};
}

Value signedColor(std::uint32_t argb) {
    return Value(static_cast<double>(static_cast<std::int32_t>(argb)));
}

using SurfaceMethod = Value (*)(Interpreter&, BitmapSurface&, std::vector<Value>&);

// Methods of a disposed (or never made) bitmap do nothing and give undefined.
void method(Interpreter& vm, Object& prototype, std::string_view name, SurfaceMethod body) {
    vm.setMethod(prototype, name,
                 [body](Interpreter& interpreter, const Value& thisValue, std::vector<Value>& arguments) {
                     BitmapSurface* surface = surfaceOf(thisValue);
                     return surface ? body(interpreter, *surface, arguments) : Value();
                 });
}

void getter(Interpreter& vm, Object& prototype, std::string_view name, NativeFunction read) {
    Property& property = prototype.define(name, Value(), DontEnum | DontDelete);
    property.getter = vm.newFunction(std::move(read));
}

// Four-way flood fill over pixels equal to the seed's, with an explicit stack: a large
// bitmap must not exhaust the call stack.
void floodFill(BitmapSurface& surface, std::int32_t x, std::int32_t y, std::uint32_t color) {
    const std::uint32_t seed = surface.pixel32(x, y);
    if (x < 0 || y < 0 || x >= surface.width() || y >= surface.height()) {
        return;
    }
    surface.setPixel32(x, y, color);
    const std::uint32_t painted = surface.pixel32(x, y);
    if (painted == seed) {
        return;
    }
    std::vector<PixelPoint> pending{{x, y}};
    while (!pending.empty()) {
        const PixelPoint point = pending.back();
        pending.pop_back();
        for (const PixelPoint step :
             {PixelPoint{1, 0}, PixelPoint{-1, 0}, PixelPoint{0, 1}, PixelPoint{0, -1}}) {
            const std::int32_t nextX = point.x + step.x;
            const std::int32_t nextY = point.y + step.y;
            if (nextX >= 0 && nextY >= 0 && nextX < surface.width() && nextY < surface.height() &&
                surface.pixel32(nextX, nextY) == seed) {
                surface.setPixel32(nextX, nextY, color);
                pending.push_back(PixelPoint{nextX, nextY});
            }
        }
    }
}

void installMethods(Interpreter& vm, Object& prototype) {
    method(vm, prototype, "getPixel",
           [](Interpreter& interpreter, BitmapSurface& surface, std::vector<Value>& arguments) {
               const std::uint32_t argb = surface.pixel32(integerOf(interpreter, argument(arguments, 0)),
                                                          integerOf(interpreter, argument(arguments, 1)));
               return Value(static_cast<double>(argb & 0xFFFFFFU));
           });
    method(vm, prototype, "getPixel32",
           [](Interpreter& interpreter, BitmapSurface& surface, std::vector<Value>& arguments) {
               return signedColor(surface.pixel32(integerOf(interpreter, argument(arguments, 0)),
                                                  integerOf(interpreter, argument(arguments, 1))));
           });
    method(vm, prototype, "setPixel",
           [](Interpreter& interpreter, BitmapSurface& surface, std::vector<Value>& arguments) {
               surface.setPixel(integerOf(interpreter, argument(arguments, 0)),
                                integerOf(interpreter, argument(arguments, 1)),
                                colorOf(interpreter, argument(arguments, 2)));
               return Value();
           });
    method(vm, prototype, "setPixel32",
           [](Interpreter& interpreter, BitmapSurface& surface, std::vector<Value>& arguments) {
               surface.setPixel32(integerOf(interpreter, argument(arguments, 0)),
                                  integerOf(interpreter, argument(arguments, 1)),
                                  colorOf(interpreter, argument(arguments, 2)));
               return Value();
           });
    method(vm, prototype, "fillRect",
           [](Interpreter& interpreter, BitmapSurface& surface, std::vector<Value>& arguments) {
               if (!argument(arguments, 0).isObject()) {
                   return Value();
               }
               surface.fillRect(rectOf(interpreter, arguments[0]),
                                colorOf(interpreter, argument(arguments, 1)));
               return Value();
           });
    method(vm, prototype, "floodFill",
           [](Interpreter& interpreter, BitmapSurface& surface, std::vector<Value>& arguments) {
               floodFill(surface, integerOf(interpreter, argument(arguments, 0)),
                         integerOf(interpreter, argument(arguments, 1)),
                         colorOf(interpreter, argument(arguments, 2)));
               return Value();
           });
    // copyPixels(source, sourceRect, destPoint[, alphaBitmap, alphaPoint, mergeAlpha])
    method(vm, prototype, "copyPixels",
           [](Interpreter& interpreter, BitmapSurface& surface, std::vector<Value>& arguments) {
               const std::shared_ptr<BitmapSurface> source = sharedSurfaceOf(argument(arguments, 0));
               if (!source || !argument(arguments, 1).isObject() || !argument(arguments, 2).isObject()) {
                   return Value();
               }
               const PixelRect area = rectOf(interpreter, arguments[1]);
               const PixelPoint destination = pointOf(interpreter, arguments[2]);
               const std::shared_ptr<BitmapSurface> alphaSource = sharedSurfaceOf(argument(arguments, 3));
               PixelPoint alphaPoint;
               if (alphaSource && argument(arguments, 4).isObject()) {
                   alphaPoint = pointOf(interpreter, arguments[4]);
               }
               const bool mergeAlpha = interpreter.toBoolean(argument(arguments, 5));
               surface.copyPixels(*source, area, destination.x, destination.y, alphaSource.get(),
                                  alphaPoint.x, alphaPoint.y, mergeAlpha);
               return Value();
           });
}

} // namespace

void installBitmapData(Interpreter& vm) {
    auto prototype = vm.newObject();
    auto constructor = vm.newFunction(
        [](Interpreter& interpreter, const Value& thisValue, std::vector<Value>& arguments) -> Value {
            Object* self = thisValue.objectOrNull();
            if (!self || !interpreter.constructing()) {
                return Value();
            }
            const bool transparent = arguments.size() < 3 || interpreter.toBoolean(arguments[2]);
            const std::uint32_t fill =
                arguments.size() < 4 ? 0xFFFFFFFFU : colorOf(interpreter, arguments[3]);
            auto instance = std::make_shared<BitmapDataInstance>();
            instance->surface =
                BitmapSurface::create(integerOf(interpreter, argument(arguments, 0)),
                                      integerOf(interpreter, argument(arguments, 1)), transparent, fill);
            self->builtin = instance;
            return Value();
        },
        prototype);
    packageObject(vm, {"flash", "display"}).define("BitmapData", Value(constructor), DontEnum);

    // A bitmap without pixels (disposed, or its size refused) measures -1 by -1.
    getter(vm, *prototype, "width", [](Interpreter&, const Value& thisValue, std::vector<Value>&) {
        BitmapSurface* surface = surfaceOf(thisValue);
        return Value(surface ? static_cast<double>(surface->width()) : -1.0);
    });
    getter(vm, *prototype, "height", [](Interpreter&, const Value& thisValue, std::vector<Value>&) {
        BitmapSurface* surface = surfaceOf(thisValue);
        return Value(surface ? static_cast<double>(surface->height()) : -1.0);
    });
    getter(vm, *prototype, "transparent", [](Interpreter&, const Value& thisValue, std::vector<Value>&) {
        BitmapSurface* surface = surfaceOf(thisValue);
        return surface ? Value(surface->transparent()) : Value(-1.0);
    });
    getter(vm, *prototype, "rectangle",
           [](Interpreter& interpreter, const Value& thisValue, std::vector<Value>&) {
               BitmapSurface* surface = surfaceOf(thisValue);
               if (!surface) {
                   return newRectangle(interpreter, -1, -1, -1, -1);
               }
               return newRectangle(interpreter, 0, 0, surface->width(), surface->height());
           });
    installMethods(vm, *prototype);
    vm.setMethod(*prototype, "clone",
                 [](Interpreter& interpreter, const Value& thisValue, std::vector<Value>&) {
                     BitmapSurface* surface = surfaceOf(thisValue);
                     Object* self = thisValue.objectOrNull();
                     if (!surface || !self) {
                         return Value();
                     }
                     auto copy = interpreter.newObject();
                     copy->setPrototype(self->prototype());
                     auto instance = std::make_shared<BitmapDataInstance>();
                     instance->surface = surface->clone();
                     copy->builtin = instance;
                     return Value(copy);
                 });
    vm.setMethod(*prototype, "dispose", [](Interpreter&, const Value& thisValue, std::vector<Value>&) {
        if (BitmapSurface* surface = surfaceOf(thisValue)) {
            surface->dispose();
        }
        return Value();
    });

    // MovieClip.attachBitmap(bitmap, depth[, pixelSnapping, smoothing])
    vm.setMethod(*vm.movieClipPrototype, "attachBitmap",
                 [](Interpreter& interpreter, const Value& thisValue, std::vector<Value>& arguments) {
                     SpriteObject* clip = interpreter.resolveClipValue(thisValue);
                     std::shared_ptr<BitmapSurface> surface = sharedSurfaceOf(argument(arguments, 0));
                     if (!clip || !surface || arguments.size() < 2) {
                         return Value();
                     }
                     const std::int64_t depth =
                         static_cast<std::int64_t>(integerOf(interpreter, arguments[1])) + scriptDepthOffset;
                     if (!isScriptCreationDepth(depth)) {
                         return Value();
                     }
                     const bool smoothing = interpreter.toBoolean(argument(arguments, 3));
                     auto object = std::make_unique<BitmapObject>(
                         DisplayDepth{static_cast<std::int32_t>(depth)}, std::move(surface), smoothing);
                     clip->addScriptChild(std::move(object));
                     return Value();
                 });
}

} // namespace kf::swf::avm1
