// Writes the demo movie the run script opens when no movie is named: five seconds of
// gradients, nested sprites, colour transforms and motion, looping, so a newcomer sees the
// player work at once. Usage: kf_demo_movie <output.swf>

#include "swf/writer/MovieBuilder.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <numbers>

using namespace kf::swf;

namespace {

constexpr int StageWidth = 640;
constexpr int StageHeight = 400;
constexpr int FrameCount = 150;
constexpr double FrameRate = 30.0;
constexpr double Tau = 2.0 * std::numbers::pi;

Twips px(double pixels) {
    return Twips::fromPixels(pixels);
}

Rect pixelRect(double left, double top, double width, double height) {
    return Rect{px(left), px(left + width), px(top), px(top + height)};
}

Rgba rgba(int red, int green, int blue, int alpha = 255) {
    return Rgba{std::uint8_t(red), std::uint8_t(green), std::uint8_t(blue), std::uint8_t(alpha)};
}

// Scale and rotation about the character's origin, then a move to (x, y) in pixels.
Matrix placed(double x, double y, double scale = 1.0, double turns = 0.0) {
    const double angle = turns * Tau;
    return Matrix{scale * std::cos(angle), scale * std::sin(angle), -scale * std::sin(angle),
                  scale * std::cos(angle), x * Twips::perPixel,     y * Twips::perPixel};
}

Matrix stretched(double x, double y, double scaleX, double scaleY) {
    return Matrix{scaleX, 0.0, 0.0, scaleY, x * Twips::perPixel, y * Twips::perPixel};
}

FillStyle verticalGradient(const Rect& area, std::vector<GradientRecord> stops) {
    FillStyle fill = ShapeBuilder::linearGradientFill(area, std::move(stops));
    // The ramp runs along the gradient square's x axis: map that axis onto the area's height.
    constexpr double Square = 32768.0;
    fill.matrix = Matrix{0.0,
                         area.height().value / Square,
                         area.width().value / Square,
                         0.0,
                         (area.xMin.value + area.xMax.value) / 2.0,
                         (area.yMin.value + area.yMax.value) / 2.0};
    return fill;
}

ColorTransform tint(double red, double green, double blue, double alpha = 1.0) {
    ColorTransform transform;
    transform.redMultiplier = std::int16_t(red * 256);
    transform.greenMultiplier = std::int16_t(green * 256);
    transform.blueMultiplier = std::int16_t(blue * 256);
    transform.alphaMultiplier = std::int16_t(alpha * 256);
    return transform;
}

// A glowing orb: a radial gradient from a hot centre to a transparent rim, centred on (0, 0).
CharacterId addOrb(MovieBuilder& movie, double radius, Rgba core, Rgba rim) {
    const Rect area = pixelRect(-radius, -radius, 2 * radius, 2 * radius);
    Rgba clear = rim;
    clear.alpha = 0;
    return movie.addEllipse(px(0), px(0), px(radius), px(radius),
                            ShapeBuilder::radialGradientFill(
                                area, {{0, rgba(255, 255, 255)}, {60, core}, {170, rim}, {255, clear}}));
}

// One petal pointing up from the origin, with a gradient from its root to its tip.
CharacterId addPetal(MovieBuilder& movie, Rgba root, Rgba tip) {
    const Rect area = pixelRect(-18, -70, 36, 70);
    ShapeBuilder petal;
    petal.setFill(verticalGradient(area, {{0, tip}, {255, root}}))
        .setLine(ShapeBuilder::lineStyle(20, rgba(255, 255, 255, 120)))
        .moveTo(px(0), px(0))
        .curveTo(px(-22), px(-30), px(0), px(-70))
        .curveTo(px(22), px(-30), px(0), px(0));
    return movie.addShape(petal);
}

// A flower: eight petals turning once per second inside their own sprite, which in turn sits
// in a sprite that breathes; the main timeline moves and tints whole flowers.
CharacterId addFlower(MovieBuilder& movie) {
    const CharacterId petal = addPetal(movie, rgba(255, 210, 60), rgba(255, 70, 140));
    const CharacterId heart = addOrb(movie, 16, rgba(255, 230, 120), rgba(255, 120, 0));
    TimelineBuilder petals;
    for (int index = 0; index < 8; ++index) {
        petals.place(petal, Depth{std::uint16_t(index + 1)}, placed(0, 0, 1.0, index / 8.0));
    }
    petals.showFrame();
    const int spinFrames = 30;
    for (int frame = 1; frame < spinFrames; ++frame) {
        for (int index = 0; index < 8; ++index) {
            petals.move(Depth{std::uint16_t(index + 1)},
                        placed(0, 0, 1.0, index / 8.0 + frame / (8.0 * spinFrames)));
        }
        petals.showFrame();
    }
    const CharacterId spinning = movie.addSprite(petals);

    TimelineBuilder flower;
    flower.place(spinning, Depth{1}).place(heart, Depth{2});
    flower.showFrame();
    const int breathFrames = 45;
    for (int frame = 1; frame < breathFrames; ++frame) {
        const double scale = 1.0 + 0.18 * std::sin(Tau * frame / breathFrames);
        flower.move(Depth{1}, placed(0, 0, scale));
        flower.showFrame();
    }
    return movie.addSprite(flower);
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output.swf>\n", argv[0]);
        return 2;
    }
    MovieBuilder movie(8, pixelRect(0, 0, StageWidth, StageHeight), FrameRate);
    movie.setBackgroundColor(rgba(12, 16, 40));

    const Rect stage = pixelRect(0, 0, StageWidth, StageHeight);
    const CharacterId sky = movie.addRectangle(
        stage, verticalGradient(
                   stage, {{0, rgba(20, 24, 72)}, {140, rgba(70, 40, 120)}, {255, rgba(240, 120, 90)}}));
    const CharacterId sun = addOrb(movie, 90, rgba(255, 200, 80), rgba(255, 90, 40));
    const CharacterId hill = movie.addPolygon(
        {{px(0), px(StageHeight)},
         {px(0), px(330)},
         {px(120), px(300)},
         {px(260), px(325)},
         {px(420), px(290)},
         {px(560), px(315)},
         {px(StageWidth), px(300)},
         {px(StageWidth), px(StageHeight)}},
        verticalGradient(pixelRect(0, 290, StageWidth, 110), {{0, rgba(40, 30, 70)}, {255, rgba(8, 8, 24)}}));
    const Rect barArea = pixelRect(-12, -100, 24, 100);
    const CharacterId bar = movie.addRectangle(
        barArea, verticalGradient(barArea, {{0, rgba(120, 255, 220)}, {255, rgba(20, 90, 200)}}));
    const CharacterId spark = addOrb(movie, 22, rgba(140, 230, 255), rgba(40, 120, 255));
    const CharacterId flower = addFlower(movie);

    // Depths: sky 1, sun 2, bars 10.., hill 30, flowers 40.., sparks 50..
    constexpr int BarCount = 16;
    movie.place(sky, Depth{1});
    movie.place(sun, Depth{2}, placed(500, 120));
    for (int index = 0; index < BarCount; ++index) {
        movie.place(bar, Depth{std::uint16_t(10 + index)}, stretched(40 + index * 37.0, 330, 1.0, 0.5),
                    tint(1.0, 1.0, 1.0, 0.55));
    }
    movie.place(hill, Depth{30});
    movie.place(flower, Depth{40}, placed(160, 200), tint(1.0, 1.0, 1.0));
    movie.place(flower, Depth{41}, placed(470, 250, 0.6), tint(0.5, 1.0, 1.6));
    movie.place(spark, Depth{50}, placed(0, 0));
    movie.place(spark, Depth{51}, placed(0, 0), tint(1.6, 0.6, 1.2));

    for (int frame = 0; frame < FrameCount; ++frame) {
        const double phase = double(frame) / FrameCount; // 0..1, once round per loop
        if (frame > 0) {
            movie.move(Depth{2}, placed(500 - 40 * std::sin(Tau * phase), 120 + 15 * std::cos(Tau * phase),
                                        1.0 + 0.12 * std::sin(2 * Tau * phase)));
            for (int index = 0; index < BarCount; ++index) {
                const double level = 0.35 + 0.3 * (1.0 + std::sin(Tau * (2 * phase + index / 7.0)));
                movie.move(Depth{std::uint16_t(10 + index)}, stretched(40 + index * 37.0, 330, 1.0, level));
            }
            movie.move(Depth{40},
                       placed(160 + 60 * std::sin(Tau * phase), 200 + 25 * std::sin(2 * Tau * phase), 1.0,
                              0.1 * std::sin(Tau * phase)));
            // The second flower cycles its colours once per loop.
            movie.move(Depth{41}, placed(470, 250 - 20 * std::cos(Tau * phase), 0.6),
                       tint(1.0 + 0.6 * std::sin(Tau * phase), 1.0 + 0.6 * std::sin(Tau * (phase + 1.0 / 3)),
                            1.0 + 0.6 * std::sin(Tau * (phase + 2.0 / 3))));
        }
        // Two sparks chase each other on a figure of eight.
        const double angle = Tau * phase;
        movie.move(Depth{50}, placed(320 + 250 * std::sin(angle), 170 + 90 * std::sin(2 * angle), 1.0));
        movie.move(Depth{51}, placed(320 - 250 * std::sin(angle), 170 - 90 * std::sin(2 * angle), 0.7));
        movie.showFrame();
    }

    const std::vector<std::uint8_t> bytes = movie.build();
    std::ofstream output(argv[1], std::ios::binary | std::ios::trunc);
    output.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!output) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
