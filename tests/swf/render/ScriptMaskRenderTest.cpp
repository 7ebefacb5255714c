// Masks scripts set (setMask) as the walker draws them in a played movie: where the mask
// stands, what clip layers cut, and what the masked object's effects leave.

#include "PlayedMovie.h"

#include "swf/runtime/SpriteObject.h"
#include "swf/writer/ShapeBuilder.h"

namespace kf::swf::test {
namespace {

Rect pixels(int left, int top, int width, int height) {
    return Rect{Twips::fromPixels(left), Twips::fromPixels(left + width), Twips::fromPixels(top),
                Twips::fromPixels(top + height)};
}

Matrix pixelTranslation(double x, double y) {
    return Matrix::translation(x * 20.0, y * 20.0);
}

// A 100×100 pixel stage whose objects are sprites each holding one rectangle.
class ScriptMaskRender : public PlayedMovie {
public:
    ScriptMaskRender() : m_movie(8, pixels(0, 0, 100, 100)) {}

    CharacterId box(const Rect& area, Rgba color) {
        TimelineBuilder inside;
        inside.place(m_movie.addRectangle(area, ShapeBuilder::solidFill(color)), Depth{1}).showFrame();
        return m_movie.addSprite(inside);
    }
    ScriptMaskRender& place(std::uint16_t depth, const Rect& area, Rgba color, const Matrix& matrix = {}) {
        m_movie.place(box(area, color), Depth{depth}, matrix);
        return *this;
    }
    // A timeline mask of the depths above it up to `clipDepth`.
    ScriptMaskRender& placeClipLayer(std::uint16_t depth, std::uint16_t clipDepth, const Rect& area) {
        m_movie.placeMask(box(area, green), Depth{depth}, Depth{clipDepth});
        return *this;
    }

protected:
    void play() {
        m_movie.showFrame();
        load(m_movie);
    }

    DisplayObject& at(int depth) { return *m_player.displayList().at(DisplayDepth{depth}); }
    QImage draw() { return render(RenderQuality::Low); }

    MovieBuilder m_movie;
};

TEST_F(ScriptMaskRender, theMaskStandsWhereItsOwnParentsPutItAndFollowsThem) {
    // The masked sprite covers the whole stage through a scale of 2.
    place(1, pixels(0, 0, 50, 50), red, Matrix::scale(2, 2));
    // The mask, inside a sprite scaled by half at x 50, lies 40 down in that sprite's space:
    // its 0..100 square lands on 50..100 × 20..70.
    TimelineBuilder outer;
    outer.place(box(pixels(0, 0, 100, 100), green), Depth{1}, pixelTranslation(0, 40)).showFrame();
    m_movie.place(m_movie.addSprite(outer), Depth{2}, Matrix{0.5, 0, 0, 0.5, 50 * 20.0, 0});
    play();
    DisplayObject& outerSprite = at(2);
    at(1).setScriptMask(outerSprite.children()->at(DisplayDepth{1}));

    QImage image = draw();
    EXPECT_TRUE(pixelIs(image, 51, 21, red));
    EXPECT_TRUE(pixelIs(image, 98, 68, red));
    EXPECT_TRUE(pixelIs(image, 75, 18, white));
    EXPECT_TRUE(pixelIs(image, 75, 72, white));
    EXPECT_TRUE(pixelIs(image, 48, 40, white));

    outerSprite.setMatrix(Matrix{0.5, 0, 0, 0.5, 0, 0}); // the mask now on 0..50 × 20..70
    image = draw();
    EXPECT_TRUE(pixelIs(image, 25, 40, red));
    EXPECT_TRUE(pixelIs(image, 75, 40, white));
}

TEST_F(ScriptMaskRender, aMaskInsideTheMaskedSpriteIsNotDrawnButMasksIt) {
    TimelineBuilder content;
    content.place(m_movie.addRectangle(pixels(0, 0, 100, 100), ShapeBuilder::solidFill(red)), Depth{1});
    content.place(box(pixels(20, 20, 30, 30), green), Depth{2}).showFrame();
    m_movie.place(m_movie.addSprite(content), Depth{1});
    play();
    at(1).setScriptMask(at(1).children()->at(DisplayDepth{2}));
    const QImage image = draw();
    EXPECT_TRUE(pixelIs(image, 21, 21, red));
    EXPECT_TRUE(pixelIs(image, 48, 48, red));
    EXPECT_TRUE(pixelIs(image, 10, 10, white));
    EXPECT_TRUE(pixelIs(image, 70, 70, white));
}

TEST_F(ScriptMaskRender, clipLayersAroundTheMaskDoNotCutItButThoseAroundTheMaskedObjectDo) {
    // Left half clips depth 2; the mask (top half) sits at depth 2, the masked sprite above.
    placeClipLayer(1, 2, pixels(0, 0, 50, 100)).place(2, pixels(0, 0, 100, 50), green);
    place(3, pixels(0, 0, 100, 100), red);
    // Another left-half layer clips depth 5, the second masked sprite; its mask is above.
    placeClipLayer(4, 5, pixels(0, 0, 50, 100)).place(5, pixels(0, 60, 100, 40), blue);
    place(6, pixels(0, 80, 100, 20), green);
    play();
    at(3).setScriptMask(&at(2));
    at(5).setScriptMask(&at(6));
    const QImage image = draw();
    EXPECT_TRUE(pixelIs(image, 25, 25, red));
    EXPECT_TRUE(pixelIs(image, 75, 25, red)); // the mask reaches past its clip layer
    EXPECT_TRUE(pixelIs(image, 75, 55, white));
    EXPECT_TRUE(pixelIs(image, 25, 90, blue));
    EXPECT_TRUE(pixelIs(image, 75, 90, white)); // the masked sprite keeps its clip layer
    EXPECT_TRUE(pixelIs(image, 25, 70, white));
}

TEST_F(ScriptMaskRender, aTimelineMaskPairedByAScriptClipsNoDepths) {
    // Layer 1 (left half, over depths 2..3) becomes a mask; layer 4 (over 5..6) is masked.
    placeClipLayer(1, 3, pixels(0, 0, 50, 100)).place(2, pixels(0, 0, 100, 40), red);
    place(3, pixels(0, 40, 100, 10), blue);
    placeClipLayer(4, 6, pixels(0, 50, 50, 50)).place(5, pixels(0, 90, 100, 10), blue);
    place(7, pixels(0, 50, 100, 30), red);
    play();
    at(2).setScriptMask(&at(1));
    at(4).setScriptMask(&at(7));
    const QImage image = draw();
    EXPECT_TRUE(pixelIs(image, 25, 20, red));
    EXPECT_TRUE(pixelIs(image, 75, 20, white)); // cut by its new mask
    EXPECT_TRUE(pixelIs(image, 75, 45, blue));  // no longer clipped by layer 1
    EXPECT_TRUE(pixelIs(image, 25, 60, green)); // layer 4 drawn, cut by its mask
    EXPECT_TRUE(pixelIs(image, 25, 85, white));
    EXPECT_TRUE(pixelIs(image, 75, 60, white)); // the mask itself hidden
    EXPECT_TRUE(pixelIs(image, 75, 95, blue));  // no longer clipped by layer 4
}

TEST_F(ScriptMaskRender, theMaskCutsTheMaskedObjectsShadowAndADegenerateMaskHidesIt) {
    place(1, pixels(20, 20, 30, 30), red).place(2, pixels(0, 0, 60, 100), green);
    play();
    DropShadowFilter shadow;
    shadow.color = blue;
    shadow.distance = Fixed16::fromDouble(20);
    shadow.strength = Fixed8::fromDouble(1.0);
    at(1).setFilters({shadow});
    at(1).setScriptMask(&at(2));
    QImage image = draw();
    EXPECT_TRUE(pixelIs(image, 30, 30, red));
    EXPECT_TRUE(pixelIs(image, 55, 30, blue)); // the shadow, 20 to the right, inside the mask
    EXPECT_TRUE(pixelIs(image, 65, 30, white));

    at(2).setMatrix(Matrix::scale(0, 1));
    image = draw();
    EXPECT_TRUE(pixelIs(image, 30, 30, white));
    EXPECT_TRUE(pixelIs(image, 55, 30, white));
}

} // namespace
} // namespace kf::swf::test
