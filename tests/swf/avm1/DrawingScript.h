#pragma once

// Scripts that draw into a clip, played and rendered at one output pixel per stage pixel.

#include "BuiltinScript.h"

#include "swf/render/StageRenderer.h"
#include "swf/render/StageView.h"
#include "swf/writer/ShapeBuilder.h"

#include <QImage>

namespace kf::swf::avm1::test {

inline constexpr Rgba white{255, 255, 255, 255};
inline constexpr Rgba red{255, 0, 0, 255};
inline constexpr Rgba green{0, 255, 0, 255};
inline constexpr Rgba blue{0, 0, 255, 255};

inline Rect pixels(int left, int top, int width, int height) {
    return Rect{Twips::fromPixels(left), Twips::fromPixels(left + width), Twips::fromPixels(top),
                Twips::fromPixels(top + height)};
}

// Plays one frame of a 100×100 white stage with an empty clip "clip" at depth 1 that runs
// `script`, and renders it without antialiasing, one output pixel per stage pixel. With
// `childRect` the clip holds a green rectangle there as its own child.
inline QImage drawAndRender(const ActionAssembler& script, std::optional<Rect> childRect = std::nullopt,
                            std::uint8_t version = 8) {
    MovieBuilder builder(version, pixels(0, 0, 100, 100));
    TimelineBuilder inside;
    if (childRect) {
        inside.place(builder.addRectangle(*childRect, ShapeBuilder::solidFill(green)), Depth{1});
    }
    inside.showFrame();
    builder.placeNamed(builder.addSprite(inside), Depth{1}, "clip");
    builder.doAction(script).showFrame();
    Result<Movie> movie = readMovie(builder.build());
    EXPECT_TRUE(movie.ok());
    if (!movie.ok()) {
        return {};
    }
    TraceLog log;
    Interpreter interpreter;
    MoviePlayer player(nullptr, &log);
    player.setScriptEngine(&interpreter);
    EXPECT_TRUE(player.load(std::move(movie).value()).ok());
    StageView view;
    view.outputWidth = 100;
    view.outputHeight = 100;
    view.frameSize = player.stageRect();
    view.quality = RenderQuality::Low;
    StageRenderer renderer;
    QImage image;
    renderer.render(player.displayList(), view, image);
    player.unload();
    return image;
}

inline ::testing::AssertionResult pixelIs(const QImage& image, int x, int y, Rgba expected,
                                          int tolerance = 8) {
    const QRgb pixel = image.pixel(x, y);
    const int channels[3][2] = {
        {qRed(pixel), expected.red}, {qGreen(pixel), expected.green}, {qBlue(pixel), expected.blue}};
    for (const auto& [actual, wanted] : channels) {
        if (std::abs(actual - wanted) > tolerance) {
            return ::testing::AssertionFailure() << "pixel " << x << "," << y << " is " << qRed(pixel) << ","
                                                 << qGreen(pixel) << "," << qBlue(pixel);
        }
    }
    return ::testing::AssertionSuccess();
}

inline ActionAssembler& call(ActionAssembler& script, const std::string& method,
                             std::vector<Operand> arguments = {}) {
    return invokeAndDrop(script, "clip", method, arguments);
}

inline ActionAssembler& path(ActionAssembler& script,
                             std::initializer_list<std::pair<double, double>> points) {
    bool first = true;
    for (const auto& [x, y] : points) {
        call(script, first ? "moveTo" : "lineTo", {PushValue(x), PushValue(y)});
        first = false;
    }
    return script;
}

// variable = [values...]
inline ActionAssembler& makeArray(ActionAssembler& to, const std::string& variable,
                                  const std::vector<PushValue>& values) {
    to.pushString(variable);
    for (auto value = values.rbegin(); value != values.rend(); ++value) {
        to.push({*value});
    }
    return to.pushInteger(static_cast<std::int32_t>(values.size()))
        .action(ActionCode::InitArray)
        .setVariable();
}

} // namespace kf::swf::avm1::test
