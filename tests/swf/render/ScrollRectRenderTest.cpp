// scrollRect as drawn: the object shows only its rectangle, moved to its origin; as part of a
// mask it keeps the move but not the cut.

#include "PlayedMovie.h"

#include "swf/runtime/SpriteObject.h"
#include "swf/writer/ShapeBuilder.h"

namespace kf::swf::test {
namespace {

Rect pixels(int left, int top, int width, int height) {
    return Rect{Twips::fromPixels(left), Twips::fromPixels(left + width), Twips::fromPixels(top),
                Twips::fromPixels(top + height)};
}

class ScrollRectRender : public PlayedMovie {
protected:
    ScrollRectRender() : m_movie(8, pixels(0, 0, 100, 100)) {}

    // A sprite at stage (10, 10): red over 0..100 of its space, a blue square at 30..40.
    CharacterId scrolledSprite() {
        TimelineBuilder inside;
        inside.place(m_movie.addRectangle(pixels(0, 0, 100, 100), ShapeBuilder::solidFill(red)), Depth{1});
        inside.place(m_movie.addRectangle(pixels(30, 30, 10, 10), ShapeBuilder::solidFill(blue)), Depth{2});
        inside.showFrame();
        return m_movie.addSprite(inside);
    }

    DisplayObject& at(int depth) { return *m_player.displayList().at(DisplayDepth{depth}); }

    MovieBuilder m_movie;
};

TEST_F(ScrollRectRender, onlyTheRectangleShowsMovedToTheObjectsOrigin) {
    m_movie.place(scrolledSprite(), Depth{1}, Matrix::translation(200, 200)).showFrame();
    load(m_movie);
    at(1).setScrollRect(pixels(20, 20, 40, 30));
    const QImage image = render(RenderQuality::Low);
    // Space 20..60 × 20..50 lands on stage 10..50 × 10..40; the blue square on 20..30.
    EXPECT_TRUE(pixelIs(image, 10, 10, red));
    EXPECT_TRUE(pixelIs(image, 25, 25, blue));
    EXPECT_TRUE(pixelIs(image, 35, 25, red));
    EXPECT_TRUE(pixelIs(image, 49, 39, red));
    EXPECT_TRUE(pixelIs(image, 50, 30, white));
    EXPECT_TRUE(pixelIs(image, 30, 40, white));
    EXPECT_TRUE(pixelIs(image, 9, 20, white));
}

TEST_F(ScrollRectRender, aScrolledMaskMovesButIsNotCut) {
    m_movie.place(m_movie.addRectangle(pixels(0, 0, 100, 100), ShapeBuilder::solidFill(green)), Depth{1});
    TimelineBuilder mask;
    mask.place(m_movie.addRectangle(pixels(20, 20, 60, 60), ShapeBuilder::solidFill(blue)), Depth{1})
        .showFrame();
    m_movie.place(m_movie.addSprite(mask), Depth{2}).showFrame();
    load(m_movie);
    at(2).setScrollRect(pixels(10, 10, 20, 20));
    // Drawn, it shows 10..30 of its space on 0..20: the square's corner on 10..20.
    QImage image = render(RenderQuality::Low);
    EXPECT_TRUE(pixelIs(image, 15, 15, blue));
    EXPECT_TRUE(pixelIs(image, 5, 5, green));
    EXPECT_TRUE(pixelIs(image, 25, 25, green));

    // As a mask, the whole square, moved to 10..70.
    at(1).setScriptMask(&at(2));
    image = render(RenderQuality::Low);
    EXPECT_TRUE(pixelIs(image, 15, 15, green));
    EXPECT_TRUE(pixelIs(image, 65, 65, green));
    EXPECT_TRUE(pixelIs(image, 5, 5, white));
    EXPECT_TRUE(pixelIs(image, 75, 75, white));
}

} // namespace
} // namespace kf::swf::test
