#include "RenderScene.h"

#include "swf/format/MovieReader.h"
#include "swf/runtime/MoviePlayer.h"
#include "swf/writer/MovieBuilder.h"
#include "swf/writer/ShapeBuilder.h"

namespace kf::swf::test {
namespace {

Rect pixels(int left, int top, int width, int height) {
    return Rect{Twips::fromPixels(left), Twips::fromPixels(left + width), Twips::fromPixels(top),
                Twips::fromPixels(top + height)};
}

// Written, read back and played: the shapes the writer encodes reach the renderer through
// the reader, the dictionary and the display list.
class MovieRender : public ::testing::Test {
protected:
    QImage renderFrame() {
        StageView view;
        view.outputWidth = 100;
        view.outputHeight = 100;
        view.frameSize = m_player.stageRect();
        view.background = m_player.backgroundColor();
        view.quality = RenderQuality::Low;
        QImage image;
        m_renderer.render(m_player.displayList(), view, image);
        return image;
    }

    void load(const MovieBuilder& builder) {
        Result<Movie> movie = readMovie(builder.build());
        ASSERT_TRUE(movie.ok()) << movie.error().message;
        ASSERT_TRUE(m_player.load(std::move(movie.value())).ok());
    }

    MoviePlayer m_player;
    StageRenderer m_renderer;
};

TEST_F(MovieRender, writtenShapesMaskAndTintLandWhereTheyWerePlaced) {
    MovieBuilder movie(8, pixels(0, 0, 100, 100));
    movie.setBackgroundColor(Rgba{0, 0, 64, 255});
    const CharacterId box = movie.addRectangle(pixels(0, 0, 40, 40), ShapeBuilder::solidFill(red));
    const CharacterId ring =
        movie.addEllipse(Twips::fromPixels(70), Twips::fromPixels(70), Twips::fromPixels(20),
                         Twips::fromPixels(20), std::nullopt, ShapeBuilder::lineStyle(80, white));
    const CharacterId window = movie.addRectangle(pixels(0, 0, 20, 20), ShapeBuilder::solidFill(green));
    ColorTransform toBlue;
    toBlue.redMultiplier = 0;
    toBlue.blueAddition = 255;
    movie.placeMask(window, Depth{1}, Depth{2}, Matrix::translation(200, 200))
        .place(box, Depth{2}, Matrix::translation(0, 0), toBlue)
        .place(ring, Depth{3})
        .showFrame()
        .move(Depth{3}, Matrix::translation(-Twips::fromPixels(60).value, 0))
        .showFrame();
    load(movie);

    const QImage first = renderFrame();
    EXPECT_TRUE(pixelIs(first, 15, 15, blue));                // the box, tinted, inside the mask
    EXPECT_TRUE(pixelIs(first, 35, 35, Rgba{0, 0, 64, 255})); // the box outside the mask
    EXPECT_TRUE(pixelIs(first, 70, 70, Rgba{0, 0, 64, 255})); // the ring's inside is not filled
    EXPECT_TRUE(pixelIs(first, 70, 50, white));               // its 4 px outline

    const void* ringPaths = m_player.displayList().at(DisplayDepth{3})->shapeCharacter()->renderCache.get();
    m_player.advanceFrame();
    const QImage second = renderFrame();
    EXPECT_TRUE(pixelIs(second, 10, 50, white));
    EXPECT_TRUE(pixelIs(second, 70, 50, Rgba{0, 0, 64, 255}));
    EXPECT_EQ(m_player.displayList().at(DisplayDepth{3})->shapeCharacter()->renderCache.get(), ringPaths);
}

} // namespace
} // namespace kf::swf::test
