// Morph shapes: the shape between the two ends at a ratio, drawn, cached and moved.
#include "PlayedMovie.h"

#include "swf/render/MorphRenderCache.h"
#include "swf/runtime/MorphInterpolation.h"
#include "swf/runtime/MorphShapeCharacter.h"

namespace kf::swf::test {
namespace {

constexpr Rgba background{0, 0, 64, 255};

StyleChangeRecord moveTo(int x, int y, std::optional<std::uint32_t> fill1 = std::nullopt,
                         std::optional<std::uint32_t> line = std::nullopt) {
    StyleChangeRecord change;
    change.setMoveTo(Twips::fromPixels(x), Twips::fromPixels(y));
    if (fill1) {
        change.setFillStyle1(*fill1);
    }
    if (line) {
        change.setLineStyle(*line);
    }
    return change;
}

StraightEdgeRecord lineBy(int x, int y) {
    return StraightEdgeRecord{Twips::fromPixels(x), Twips::fromPixels(y)};
}

ShapeRecordArray square(int x, int y, int size, std::optional<std::uint32_t> fill1,
                        std::optional<std::uint32_t> line = std::nullopt) {
    return {moveTo(x, y, fill1, line), lineBy(size, 0), lineBy(0, size), lineBy(-size, 0), lineBy(0, -size)};
}

// A red 20-pixel square at (10, 10) growing into a blue 40-pixel square at (50, 50).
DefineMorphShapeTag growingSquare() {
    DefineMorphShapeTag tag;
    tag.id = CharacterId{1};
    MorphShape& morph = tag.morph.ensure();
    morph.startBounds =
        Rect{Twips::fromPixels(10), Twips::fromPixels(30), Twips::fromPixels(10), Twips::fromPixels(30)};
    morph.endBounds =
        Rect{Twips::fromPixels(50), Twips::fromPixels(90), Twips::fromPixels(50), Twips::fromPixels(90)};
    MorphFillStyle fill;
    fill.start.color = red;
    fill.end.color = blue;
    morph.fillStyles = {fill};
    morph.startRecords = square(10, 10, 20, 1);
    ShapeRecordArray end = square(50, 50, 40, std::nullopt);
    morph.endRecords = end;
    return tag;
}

PlaceObjectTag placeMorph(CharacterId id, std::optional<std::uint16_t> ratio, bool isMove = false) {
    PlaceObjectTag place;
    place.version = 2;
    place.depth = Depth{1};
    place.isMove = isMove;
    if (!isMove) {
        place.characterId = id;
        place.matrix = Matrix{};
    }
    place.ratio = ratio;
    return place;
}

class MorphRender : public PlayedMovie {
protected:
    using PlayedMovie::load;

    // Plays a movie defining `morph` and placing it at each of `ratios` on one frame each.
    void load(const DefineMorphShapeTag& morph, const std::vector<std::uint16_t>& ratios) {
        MovieBuilder movie(8, Rect{Twips{0}, Twips::fromPixels(100), Twips{0}, Twips::fromPixels(100)});
        movie.setBackgroundColor(background);
        movie.addTag(morph);
        for (std::size_t frame = 0; frame < ratios.size(); ++frame) {
            movie.addTag(placeMorph(morph.id, ratios[frame], frame > 0)).showFrame();
        }
        load(movie);
    }
};

TEST_F(MorphRender, ratioZeroHalfAndFullShowTheStartTheMiddleAndTheEnd) {
    load(growingSquare(), {0, 32768, 65535});
    const QImage start = render();
    EXPECT_TRUE(pixelIs(start, 11, 11, red));
    EXPECT_TRUE(pixelIs(start, 29, 29, red));
    EXPECT_TRUE(pixelIs(start, 31, 31, background));
    EXPECT_TRUE(pixelIs(start, 70, 70, background));

    m_player.advanceFrame();
    const QImage middle = render(); // a 30-pixel square at (30, 30), half red, half blue
    EXPECT_TRUE(pixelIs(middle, 31, 31, Rgba{127, 0, 128, 255}, 1));
    EXPECT_TRUE(pixelIs(middle, 58, 58, Rgba{127, 0, 128, 255}, 1));
    EXPECT_TRUE(pixelIs(middle, 28, 45, background));
    EXPECT_TRUE(pixelIs(middle, 61, 45, background));

    m_player.advanceFrame();
    const QImage end = render();
    EXPECT_TRUE(pixelIs(end, 51, 51, blue));
    EXPECT_TRUE(pixelIs(end, 89, 89, blue));
    EXPECT_TRUE(pixelIs(end, 45, 45, background));
    EXPECT_TRUE(pixelIs(end, 20, 20, background));
}

TEST_F(MorphRender, aPlacementWithoutRatioShowsTheStartShape) {
    MovieBuilder movie(8, Rect{Twips{0}, Twips::fromPixels(100), Twips{0}, Twips::fromPixels(100)});
    movie.setBackgroundColor(background);
    movie.addTag(growingSquare());
    movie.addTag(placeMorph(CharacterId{1}, std::nullopt)).showFrame();
    load(movie);
    EXPECT_TRUE(pixelIs(render(), 20, 20, red));
}

TEST_F(MorphRender, eachRatioIsBuiltOnceAndSharedByEveryInstance) {
    load(growingSquare(), {100, 200, 100});
    const auto* morph = m_player.displayList().at(DisplayDepth{1})->morphShapeCharacter();
    ASSERT_NE(morph, nullptr);
    const ShapeRenderCache* first = &MorphRenderCache::at(*morph, 100);
    render();
    EXPECT_EQ(&MorphRenderCache::at(*morph, 100), first);
    EXPECT_NE(&MorphRenderCache::at(*morph, 200), first);
    EXPECT_EQ(&MorphRenderCache::at(*morph, 100), first);
    // Far more ratios than the cache keeps: it stays bounded and still draws right.
    for (std::uint16_t ratio = 0; ratio < 2 * MorphRenderCache::capacity; ++ratio) {
        MorphRenderCache::at(*morph, static_cast<std::uint16_t>(ratio * 300));
    }
    EXPECT_FALSE(MorphRenderCache::at(*morph, 65535).pieces().empty());
}

TEST_F(MorphRender, gradientsAndLineStylesMoveToTheirEndValues) {
    DefineMorphShapeTag tag = growingSquare();
    MorphShape& morph = *tag.morph;
    MorphFillStyle gradient;
    gradient.start.type = gradient.end.type = FillType::LinearGradient;
    // Across the whole stage: black to white at the start, white to black at the end.
    gradient.start.matrix = gradient.end.matrix = Matrix{100.0 * 20 / 32768, 0, 0, 1, 1000, 1000};
    gradient.start.gradient.records = {{0, black}, {255, white}};
    gradient.end.gradient.records = {{0, white}, {255, black}};
    morph.fillStyles = {gradient};
    MorphLineStyle line;
    line.start.width = 40; // 2 px
    line.end.width = 200;  // 10 px
    line.start.color = green;
    line.end.color = green;
    morph.lineStyles = {line};
    morph.startRecords = square(20, 20, 60, 1, 1);
    morph.endRecords = square(20, 20, 60, std::nullopt);
    load(tag, {0, 32768, 65535});

    const QImage start = render();
    EXPECT_LT(start.pixelColor(25, 50).red(), 80);
    EXPECT_GT(start.pixelColor(75, 50).red(), 175);
    EXPECT_TRUE(pixelIs(start, 50, 18, background)); // a 2 px line reaches y = 19
    m_player.advanceFrame();
    const QImage middle = render();
    EXPECT_TRUE(pixelIs(middle, 25, 50, Rgba{128, 128, 128, 255}, 2)); // both ends' stops meet at grey
    EXPECT_TRUE(pixelIs(middle, 50, 17, green));                       // 6 px wide now
    m_player.advanceFrame();
    const QImage end = render();
    EXPECT_GT(end.pixelColor(25, 50).red(), 175);
    EXPECT_LT(end.pixelColor(75, 50).red(), 80);
    EXPECT_TRUE(pixelIs(end, 50, 16, green));
}

TEST(MorphInterpolation, aStraightEdgePairedWithACurveBecomesACurve) {
    DefineMorphShapeTag tag;
    tag.id = CharacterId{4};
    MorphShape& morph = tag.morph.ensure();
    morph.fillStyles = {MorphFillStyle{solid(red), solid(blue)}};
    morph.startRecords = {moveTo(0, 0, 1), lineBy(10, 0), lineBy(-10, 0)};
    morph.endRecords = {moveTo(0, 0), CurvedEdgeRecord{Twips{100}, Twips{200}, Twips{100}, Twips{-200}},
                        lineBy(-10, 0)};

    const DefineShapeTag start = interpolateMorph(tag, 0);
    ASSERT_EQ(start.shape.records.size(), 3u);
    // At the start the curve lies along the straight edge: its control point is midway.
    EXPECT_EQ(std::get<CurvedEdgeRecord>(start.shape.records[1]),
              (CurvedEdgeRecord{Twips{100}, Twips{0}, Twips{100}, Twips{0}}));
    EXPECT_TRUE(std::holds_alternative<StraightEdgeRecord>(start.shape.records[2]));

    const DefineShapeTag half = interpolateMorph(tag, 32768);
    EXPECT_EQ(std::get<CurvedEdgeRecord>(half.shape.records[1]),
              (CurvedEdgeRecord{Twips{100}, Twips{100}, Twips{100}, Twips{-100}}));
    EXPECT_EQ(half.shape.fillStyles[0].color, (Rgba{127, 0, 127, 255}));

    const DefineShapeTag end = interpolateMorph(tag, 65535);
    EXPECT_EQ(std::get<CurvedEdgeRecord>(end.shape.records[1]),
              (CurvedEdgeRecord{Twips{100}, Twips{200}, Twips{100}, Twips{-200}}));
}

TEST(MorphInterpolation, pointsRoundFromAbsolutePositionsSoContoursStayClosed) {
    // Many one-twip steps at a third of the way: rounding each delta on its own would drift.
    DefineMorphShapeTag tag;
    tag.id = CharacterId{4};
    MorphShape& morph = tag.morph.ensure();
    morph.fillStyles = {MorphFillStyle{solid(red), solid(red)}};
    StyleChangeRecord start;
    start.setMoveTo(Twips{0}, Twips{0});
    start.setFillStyle1(1);
    StyleChangeRecord endMove;
    endMove.setMoveTo(Twips{0}, Twips{0});
    morph.startRecords = {start};
    morph.endRecords = {endMove};
    for (int step = 0; step < 30; ++step) {
        morph.startRecords.push_back(StraightEdgeRecord{Twips{1}, Twips{0}});
        morph.endRecords.push_back(StraightEdgeRecord{Twips{2}, Twips{1}});
    }
    const DefineShapeTag shape = interpolateMorph(tag, 21845); // a third
    int x = 0;
    int y = 0;
    for (const ShapeRecord& record : shape.shape.records) {
        if (const auto* edge = std::get_if<StraightEdgeRecord>(&record)) {
            x += edge->deltaX.value;
            y += edge->deltaY.value;
        }
    }
    EXPECT_EQ(x, 40); // 30 + (60 - 30) / 3
    EXPECT_EQ(y, 10);
}

TEST(MorphInterpolation, aMorphWithoutEndEdgesShowsItsStartShape) {
    DefineMorphShapeTag tag = growingSquare();
    tag.morph->endRecords.clear();
    const DefineShapeTag shape = interpolateMorph(tag, 65535);
    EXPECT_EQ(shape.shape.records, tag.morph->startRecords);
    EXPECT_EQ(shape.shape.fillStyles[0].color, red);
}

} // namespace
} // namespace kf::swf::test
