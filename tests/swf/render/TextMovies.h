#pragma once

#include "swf/format/MovieReader.h"
#include "swf/format/Tags.h"
#include "swf/render/StageRenderer.h"
#include "swf/runtime/MoviePlayer.h"
#include "swf/writer/MovieBuilder.h"

#include <QImage>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace kf::swf::test {

constexpr Rgba red{255, 0, 0, 255};
constexpr Rgba black{0, 0, 0, 255};
constexpr Rgba white{255, 255, 255, 255};

inline Rect pixelRect(int left, int top, int width, int height) {
    return Rect{Twips::fromPixels(left), Twips::fromPixels(left + width), Twips::fromPixels(top),
                Twips::fromPixels(top + height)};
}

// A glyph outline: a box from the baseline up, `width` by `height` font units, filled on
// the right of its clockwise edges as authoring tools write glyphs.
inline Shape boxGlyph(int width, int height) {
    Shape shape;
    StyleChangeRecord start;
    start.setMoveTo(Twips{0}, Twips{0});
    start.setFillStyle1(1);
    shape.records.emplace_back(start);
    shape.records.emplace_back(StraightEdgeRecord{Twips{0}, Twips{-height}});
    shape.records.emplace_back(StraightEdgeRecord{Twips{width}, Twips{0}});
    shape.records.emplace_back(StraightEdgeRecord{Twips{0}, Twips{height}});
    shape.records.emplace_back(StraightEdgeRecord{Twips{-width}, Twips{0}});
    return shape;
}

// A font of box glyphs, one per character of `codes`: half an EM wide, one EM tall, with
// an advance of one EM (a space draws nothing). DefineFont3 measures the EM as 20480 units, the others as
// 1024.
inline DefineFontTag boxFont(CharacterId id, int version, const std::u16string& codes) {
    DefineFontTag font;
    font.id = id;
    font.version = static_cast<std::uint8_t>(version);
    font.name = "Boxes";
    font.wideCodes = true;
    const int em = version >= 3 ? 20480 : 1024;
    for (char16_t code : codes) {
        // A space advances without ink.
        font.glyphs.push_back(
            FontGlyph{code == u' ' ? Shape{} : boxGlyph(em / 2, em), code, static_cast<std::int16_t>(em)});
    }
    font.layout = FontLayout{static_cast<std::int16_t>(em), 0, 0};
    return font;
}

// Plays written movies and renders their frames at the stage's own size, unsmoothed.
class TextMovie : public ::testing::Test {
protected:
    void load(const MovieBuilder& builder) {
        Result<Movie> movie = readMovie(builder.build());
        ASSERT_TRUE(movie.ok()) << movie.error().message;
        ASSERT_TRUE(m_player->load(std::move(movie.value())).ok());
    }

    QImage render(int width = 100, int height = 100) {
        StageView view;
        view.outputWidth = width;
        view.outputHeight = height;
        view.frameSize = m_player->stageRect();
        view.background = m_player->backgroundColor();
        view.quality = RenderQuality::Low;
        QImage image;
        m_renderer.render(m_player->displayList(), view, image);
        return image;
    }

    static Rgba pixel(const QImage& image, int x, int y) {
        const QColor color = image.pixelColor(x, y);
        return Rgba{static_cast<std::uint8_t>(color.red()), static_cast<std::uint8_t>(color.green()),
                    static_cast<std::uint8_t>(color.blue()), static_cast<std::uint8_t>(color.alpha())};
    }

    // Pixels that differ from `background` inside `area` (all of the image when empty).
    static int inkIn(const QImage& image, Rgba background, QRect area = QRect()) {
        if (area.isNull()) {
            area = image.rect();
        }
        int count = 0;
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x) {
                if (!(pixel(image, x, y) == background)) {
                    ++count;
                }
            }
        }
        return count;
    }

    // A new player, for a test that loads a second movie.
    void restart() { m_player = std::make_unique<MoviePlayer>(); }

    std::unique_ptr<MoviePlayer> m_player = std::make_unique<MoviePlayer>();
    StageRenderer m_renderer;
};

} // namespace kf::swf::test
