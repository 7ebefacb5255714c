// The MovieClip drawing API: scripts draw fills and lines into a clip, in pixels, and the
// clip keeps them as shape records (ClipDrawing) that the renderer draws beneath its children.
#include "swf/avm1/builtins/MovieClipDrawing.h"

#include "swf/avm1/BuiltinSupport.h"
#include "swf/runtime/SpriteObject.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <string>

namespace kf::swf::avm1 {

namespace {

using DrawingMethod = void (*)(Interpreter&, ClipDrawing&, std::vector<Value>&);

// Coordinates beyond this many twips are held there: far outside any stage, and products of
// them stay within what the shape records and the rasteriser hold.
constexpr double largestCoordinate = 1 << 27;

// Flash Player's gradients take at most fifteen colours.
constexpr std::size_t maximumGradientStops = 15;

void drawingMethod(Interpreter& vm, Object& prototype, std::string_view name, DrawingMethod body) {
    vm.setMethod(prototype, name,
                 [body](Interpreter& interpreter, const Value& thisValue, std::vector<Value>& arguments) {
                     if (SpriteObject* clip = interpreter.resolveClipValue(thisValue)) {
                         body(interpreter, clip->drawing(), arguments);
                     }
                     return Value();
                 });
}

// ECMA-262 ToUint32: colours given as negative or huge numbers wrap.
std::uint32_t toUint32(double number) {
    if (!std::isfinite(number)) {
        return 0;
    }
    return static_cast<std::uint32_t>(static_cast<std::int64_t>(std::fmod(std::trunc(number), 4294967296.0)));
}

std::uint32_t toColorNumber(Interpreter& vm, const Value& value) {
    return toUint32(vm.toNumber(value));
}

// Alpha in percent of the argument at `index`: 100 when the call leaves it out, 0 when it
// is given but reads as no number, as undefined does.
std::uint8_t alphaOf(Interpreter& vm, const std::vector<Value>& arguments, std::size_t index) {
    if (index >= arguments.size()) {
        return 255;
    }
    const double percent = vm.toNumber(arguments[index]);
    if (std::isnan(percent)) {
        return 0;
    }
    return static_cast<std::uint8_t>(std::lround(std::clamp(percent, 0.0, 100.0) * 255.0 / 100.0));
}

Rgba colorOf(std::uint32_t rgb, std::uint8_t alpha) {
    return Rgba{static_cast<std::uint8_t>(rgb >> 16), static_cast<std::uint8_t>(rgb >> 8),
                static_cast<std::uint8_t>(rgb), alpha};
}

// A pixel coordinate in twips, or nothing when it is not a number.
std::optional<Twips> twipsOf(Interpreter& vm, const Value& value) {
    const double pixels = vm.toNumber(value);
    if (!std::isfinite(pixels)) {
        return std::nullopt;
    }
    return Twips{static_cast<std::int32_t>(
        std::lround(std::clamp(pixels * 20.0, -largestCoordinate, largestCoordinate)))};
}

// The first `count` points of the arguments as x, y pairs in twips; nothing when one of
// the coordinates is not a number, and the call then draws nothing.
template <std::size_t count>
std::optional<std::array<Twips, 2 * count>> pointsOf(Interpreter& vm, std::vector<Value>& arguments) {
    std::array<Twips, 2 * count> coordinates;
    for (std::size_t index = 0; index < coordinates.size(); ++index) {
        const std::optional<Twips> value = twipsOf(vm, argument(arguments, index));
        if (!value) {
            return std::nullopt;
        }
        coordinates[index] = *value;
    }
    return coordinates;
}

double numberMember(Interpreter& vm, const Value& object, std::string_view name, double fallback) {
    const Value member = vm.getMember(object, name);
    if (member.isUndefined()) {
        return fallback;
    }
    const double number = vm.toNumber(member);
    return std::isfinite(number) ? number : fallback;
}

std::vector<Value> arrayElements(Interpreter& vm, const Value& array) {
    std::vector<Value> elements;
    if (!array.isObject()) {
        return elements;
    }
    const double length = vm.toNumber(vm.getMember(array, "length"));
    const std::size_t count = std::isfinite(length) && length > 0
                                  ? std::min<std::size_t>(static_cast<std::size_t>(length), 256)
                                  : 0;
    for (std::size_t index = 0; index < count; ++index) {
        elements.push_back(vm.getMember(array, std::to_string(index)));
    }
    return elements;
}

// The gradient square spans 32768 twips (1638.4 pixels) on each side before the matrix.
constexpr double gradientSquarePixels = 1638.4;

// The matrix object of beginGradientFill in either of its forms: a box
// {matrixType: "box", x, y, w, h, r} or a transform {a, b, c, d, tx, ty} of the gradient
// square in pixels. The older nine-value form {a, b, d, e, g, h} maps a unit square.
Matrix gradientMatrix(Interpreter& vm, const Value& object) {
    Matrix matrix;
    if (!object.isObject()) {
        return matrix;
    }
    if (vm.toString(vm.getMember(object, "matrixType")) == "box") {
        const double x = numberMember(vm, object, "x", 0);
        const double y = numberMember(vm, object, "y", 0);
        const double width = numberMember(vm, object, "w", 0);
        const double height = numberMember(vm, object, "h", 0);
        const double rotation = numberMember(vm, object, "r", 0);
        matrix.a = std::cos(rotation) * width / gradientSquarePixels;
        matrix.b = std::sin(rotation) * width / gradientSquarePixels;
        matrix.c = -std::sin(rotation) * height / gradientSquarePixels;
        matrix.d = std::cos(rotation) * height / gradientSquarePixels;
        matrix.tx = (x + width / 2) * 20;
        matrix.ty = (y + height / 2) * 20;
        return matrix;
    }
    if (!vm.getMember(object, "tx").isUndefined() || !vm.getMember(object, "ty").isUndefined()) {
        matrix.a = numberMember(vm, object, "a", 1);
        matrix.b = numberMember(vm, object, "b", 0);
        matrix.c = numberMember(vm, object, "c", 0);
        matrix.d = numberMember(vm, object, "d", 1);
        matrix.tx = numberMember(vm, object, "tx", 0) * 20;
        matrix.ty = numberMember(vm, object, "ty", 0) * 20;
        return matrix;
    }
    matrix.a = numberMember(vm, object, "a", 1) / gradientSquarePixels;
    matrix.b = numberMember(vm, object, "b", 0) / gradientSquarePixels;
    matrix.c = numberMember(vm, object, "d", 0) / gradientSquarePixels;
    matrix.d = numberMember(vm, object, "e", 1) / gradientSquarePixels;
    matrix.tx = numberMember(vm, object, "g", 0) * 20;
    matrix.ty = numberMember(vm, object, "h", 0) * 20;
    return matrix;
}

// What a beginGradientFill or lineGradientStyle call asks for. Flash Player ignores a call
// it cannot read (a wrong argument count, an unknown type, arrays of unequal lengths, a
// ratio outside 0..255) and keeps the paint it had; only an undefined type takes it away.
struct GradientRequest {
    enum class Outcome { Ignored, NoGradient, Gradient };
    Outcome outcome = Outcome::Ignored;
    FillStyle fill;
};

// Array elements are taken as they are, without conversion: a colour or alpha that is no
// number counts as 0, so a string such as "255" gives black.
double plainNumber(const Value& value) {
    return value.isNumber() ? value.number() : 0.0;
}

// The elements of the colours, alphas and ratios arguments; nothing unless all three are
// objects of one length.
std::optional<std::array<std::vector<Value>, 3>> gradientArrays(Interpreter& vm,
                                                                std::vector<Value>& arguments) {
    std::array<std::vector<Value>, 3> arrays;
    std::optional<std::size_t> sharedLength;
    for (std::size_t index = 0; index < arrays.size(); ++index) {
        const Value array = argument(arguments, index + 1);
        if (!array.isObject()) {
            return std::nullopt;
        }
        arrays[index] = arrayElements(vm, array);
        if (sharedLength && *sharedLength != arrays[index].size()) {
            return std::nullopt;
        }
        sharedLength = arrays[index].size();
    }
    return arrays;
}

// (type, colors, alphas, ratios, matrix[, spreadMethod, interpolationMethod, focalPointRatio]).
GradientRequest gradientRequest(Interpreter& vm, std::vector<Value>& arguments) {
    GradientRequest request;
    if (arguments.empty()) {
        return request;
    }
    if (arguments[0].isUndefined()) {
        request.outcome = GradientRequest::Outcome::NoGradient;
        return request;
    }
    if (arguments.size() < 5 || arguments.size() > 8) {
        return request;
    }
    const std::string type = vm.toString(arguments[0]);
    if (type != "linear" && type != "radial") {
        return request;
    }
    const auto arrays = gradientArrays(vm, arguments);
    if (!arrays) {
        return request;
    }
    const auto& [colors, alphas, ratios] = *arrays;
    FillStyle& fill = request.fill;
    request.outcome = GradientRequest::Outcome::Gradient;
    if (colors.empty()) {
        // A gradient of no colours paints solid black.
        fill.color = Rgba{0, 0, 0, 255};
        return request;
    }
    fill.type = type == "linear" ? FillType::LinearGradient : FillType::RadialGradient;
    fill.matrix = gradientMatrix(vm, arguments[4]);
    for (std::size_t index = 0; index < std::min(colors.size(), maximumGradientStops); ++index) {
        double ratio = vm.toNumber(ratios[index]);
        ratio = std::isnan(ratio) ? 0.0 : std::trunc(ratio);
        if (!(ratio >= 0.0 && ratio <= 255.0)) {
            request.outcome = GradientRequest::Outcome::Ignored;
            return request;
        }
        const double alpha = std::clamp(plainNumber(alphas[index]), 0.0, 100.0);
        GradientRecord record;
        record.ratio = static_cast<std::uint8_t>(ratio);
        record.color = colorOf(toUint32(plainNumber(colors[index])),
                               static_cast<std::uint8_t>(std::lround(alpha * 255.0 / 100.0)));
        fill.gradient.records.push_back(record);
    }
    const std::string spread = vm.toString(argument(arguments, 5));
    fill.gradient.spread = spread == "reflect"  ? SpreadMode::Reflect
                           : spread == "repeat" ? SpreadMode::Repeat
                                                : SpreadMode::Pad;
    fill.gradient.interpolation = vm.toString(argument(arguments, 6)) == "linearRGB"
                                      ? InterpolationMode::Linear
                                      : InterpolationMode::Normal;
    const double focal = vm.toNumber(argument(arguments, 7));
    if (fill.type == FillType::RadialGradient && std::isfinite(focal) && focal != 0.0) {
        fill.type = FillType::FocalRadialGradient;
        // Held in 8.8 fixed point like a shape's focal point, cut toward zero, not rounded.
        fill.gradient.focalPoint = Fixed8{static_cast<std::int16_t>(std::clamp(focal, -1.0, 1.0) * 256.0)};
    }
    return request;
}

CapStyle capOf(const std::string& name) {
    if (name == "none") {
        return CapStyle::None;
    }
    return name == "square" ? CapStyle::Square : CapStyle::Round;
}

JoinStyle joinOf(const std::string& name) {
    if (name == "bevel") {
        return JoinStyle::Bevel;
    }
    return name == "miter" ? JoinStyle::Miter : JoinStyle::Round;
}

// lineStyle(thickness, rgb, alpha, pixelHinting, noScale, capsStyle, jointStyle, miterLimit).
void lineStyle(Interpreter& vm, ClipDrawing& drawing, std::vector<Value>& arguments) {
    const Value& thicknessValue = argument(arguments, 0);
    const double thickness = vm.toNumber(thicknessValue);
    if (thicknessValue.isUndefined() || std::isnan(thickness)) {
        drawing.setLineStyle(std::nullopt);
        return;
    }
    LineStyle line;
    line.width = static_cast<std::uint16_t>(std::lround(std::clamp(thickness, 0.0, 255.0) * 20.0));
    line.color = colorOf(toColorNumber(vm, argument(arguments, 1)), alphaOf(vm, arguments, 2));
    line.pixelHinting = vm.toBoolean(argument(arguments, 3));
    const std::string noScale = vm.toString(argument(arguments, 4));
    line.noHorizontalScale = noScale == "none" || noScale == "horizontal";
    line.noVerticalScale = noScale == "none" || noScale == "vertical";
    const Value& caps = argument(arguments, 5);
    line.startCap = line.endCap = caps.isUndefined() ? CapStyle::Round : capOf(vm.toString(caps));
    const Value& joint = argument(arguments, 6);
    line.join = joint.isUndefined() ? JoinStyle::Round : joinOf(vm.toString(joint));
    const double miterLimit = vm.toNumber(argument(arguments, 7));
    line.miterLimit =
        Fixed8::fromDouble(std::isfinite(miterLimit) ? std::clamp(miterLimit, 1.0, 255.0) : 3.0);
    drawing.setLineStyle(line);
}

} // namespace

void installMovieClipDrawing(Interpreter& vm, Object& prototype) {
    // Movies made for players before 6 see no drawing API at all.
    if (vm.version() < 6) {
        return;
    }
    drawingMethod(
        vm, prototype, "beginFill", [](Interpreter& interpreter, ClipDrawing& drawing, auto& arguments) {
            const Value& rgb = argument(arguments, 0);
            if (rgb.isUndefined()) {
                drawing.endFill();
                return;
            }
            FillStyle fill;
            fill.color = colorOf(toColorNumber(interpreter, rgb), alphaOf(interpreter, arguments, 1));
            drawing.beginFill(fill);
        });
    drawingMethod(vm, prototype, "beginGradientFill",
                  [](Interpreter& interpreter, ClipDrawing& drawing, auto& arguments) {
                      GradientRequest request = gradientRequest(interpreter, arguments);
                      if (request.outcome == GradientRequest::Outcome::Gradient) {
                          drawing.beginFill(std::move(request.fill));
                      } else if (request.outcome == GradientRequest::Outcome::NoGradient) {
                          drawing.endFill();
                      }
                  });
    // Bitmap fills name a BitmapData; until scripts have those the fill shows nothing, but it
    // still closes the fill before it and takes the edges that follow.
    drawingMethod(vm, prototype, "beginBitmapFill", [](Interpreter&, ClipDrawing& drawing, auto&) {
        FillStyle fill;
        fill.type = FillType::ClippedBitmap;
        fill.bitmapId = CharacterId{0xFFFF};
        drawing.beginFill(fill);
    });
    drawingMethod(vm, prototype, "endFill",
                  [](Interpreter&, ClipDrawing& drawing, auto&) { drawing.endFill(); });
    drawingMethod(vm, prototype, "lineStyle", lineStyle);
    drawingMethod(vm, prototype, "lineGradientStyle",
                  [](Interpreter& interpreter, ClipDrawing& drawing, auto& arguments) {
                      GradientRequest request = gradientRequest(interpreter, arguments);
                      if (!drawing.lineStyle() || request.outcome == GradientRequest::Outcome::Ignored) {
                          return;
                      }
                      LineStyle line = *drawing.lineStyle();
                      if (request.outcome == GradientRequest::Outcome::Gradient) {
                          line.fill = std::move(request.fill);
                      } else {
                          line.fill.reset();
                      }
                      drawing.setLineStyle(line);
                  });
    drawingMethod(vm, prototype, "moveTo",
                  [](Interpreter& interpreter, ClipDrawing& drawing, auto& arguments) {
                      if (const auto point = pointsOf<1>(interpreter, arguments)) {
                          drawing.moveTo((*point)[0], (*point)[1]);
                      }
                  });
    drawingMethod(vm, prototype, "lineTo",
                  [](Interpreter& interpreter, ClipDrawing& drawing, auto& arguments) {
                      if (const auto point = pointsOf<1>(interpreter, arguments)) {
                          drawing.lineTo((*point)[0], (*point)[1]);
                      }
                  });
    drawingMethod(vm, prototype, "curveTo",
                  [](Interpreter& interpreter, ClipDrawing& drawing, auto& arguments) {
                      if (const auto points = pointsOf<2>(interpreter, arguments)) {
                          drawing.curveTo((*points)[0], (*points)[1], (*points)[2], (*points)[3]);
                      }
                  });
    drawingMethod(vm, prototype, "clear", [](Interpreter&, ClipDrawing& drawing, auto&) { drawing.clear(); });
}

} // namespace kf::swf::avm1
