// MovieBuilder, ShapeBuilder and ActionAssembler: what the tests of other areas build on.
#include "swf/writer/MovieBuilder.h"
#include "swf/format/MovieReader.h"

#include <gtest/gtest.h>

namespace kf::swf {
namespace {

constexpr Rgba red{255, 0, 0, 255};

void clearOffsets(std::vector<Tag>& tags) {
    for (Tag& tag : tags) {
        tag.offset = 0;
        if (auto* sprite = std::get_if<DefineSpriteTag>(&tag.body)) {
            clearOffsets(sprite->tags);
        }
    }
}

MovieBuilder sampleMovie(Compression compression) {
    MovieBuilder builder(8, Rect{Twips{0}, Twips{4000}, Twips{0}, Twips{3000}}, 12.5);
    builder.setCompression(compression).setBackgroundColor(Rgba{0x10, 0x20, 0x30, 255});
    const CharacterId box =
        builder.addRectangle(Rect{Twips{0}, Twips{200}, Twips{0}, Twips{100}}, ShapeBuilder::solidFill(red));
    const CharacterId ball = builder.addEllipse(
        Twips{0}, Twips{0}, Twips{300}, Twips{200},
        ShapeBuilder::radialGradientFill(Rect{Twips{-300}, Twips{300}, Twips{-200}, Twips{200}},
                                         {{0, Rgba{255, 255, 255, 255}}, {255, Rgba{0, 0, 0, 255}}}),
        ShapeBuilder::lineStyle(20, Rgba{0, 0, 255, 255}));
    TimelineBuilder spin;
    spin.place(ball, Depth{1}).showFrame().move(Depth{1}, Matrix{0, 1, -1, 0, 0, 0}).showFrame();
    const CharacterId spinner = builder.addSprite(spin);
    builder
        .place(box, Depth{1}, Matrix::translation(100, 100), ColorTransform{128, 256, 256, 256, 0, 0, 0, 0})
        .label("start")
        .doAction(ActionAssembler().stop())
        .showFrame();
    builder.placeNamed(spinner, Depth{2}, "spinner").replace(Depth{1}, ball).showFrame();
    builder.remove(Depth{1}).showFrame();
    return builder;
}

TEST(MovieBuilder, buildReadsBackAsItsMovieInEveryCompression) {
    for (Compression compression : {Compression::None, Compression::Zlib, Compression::Lzma}) {
        const MovieBuilder builder = sampleMovie(compression);
        const std::vector<std::uint8_t> bytes = builder.build();
        Result<Movie> movie = readMovie(bytes);
        ASSERT_TRUE(movie.ok()) << movie.error().message;
        Movie expected = builder.movie();
        EXPECT_EQ(movie->header.compression, compression);
        EXPECT_EQ(movie->header.version, 8);
        EXPECT_EQ(movie->header.frameSize, (Rect{Twips{0}, Twips{4000}, Twips{0}, Twips{3000}}));
        EXPECT_EQ(movie->header.frameRate.toDouble(), 12.5);
        EXPECT_EQ(movie->header.frameCount, 3);
        if (compression == Compression::None) {
            EXPECT_EQ(movie->header.fileLength, bytes.size());
        } else {
            EXPECT_GT(movie->header.fileLength, 8u);
        }
        clearOffsets(movie->tags);
        EXPECT_EQ(movie->tags, expected.tags);
        EXPECT_EQ(movie->tags.back().code, TagCode::End);
    }
}

TEST(MovieBuilder, characterIdsAreConsecutiveAndTimelineTagsAreInOrder) {
    const Movie movie = sampleMovie(Compression::None).movie();
    std::vector<TagCode> codes;
    for (const Tag& tag : movie.tags) {
        codes.push_back(tag.code);
    }
    EXPECT_EQ(codes, (std::vector<TagCode>{
                         TagCode::SetBackgroundColor, TagCode::DefineShape3, TagCode::DefineShape3,
                         TagCode::DefineSprite, TagCode::PlaceObject2, TagCode::FrameLabel, TagCode::DoAction,
                         TagCode::ShowFrame, TagCode::PlaceObject2, TagCode::PlaceObject2, TagCode::ShowFrame,
                         TagCode::RemoveObject2, TagCode::ShowFrame, TagCode::End}));
    EXPECT_EQ(std::get<DefineShapeTag>(movie.tags[1].body).id, CharacterId{1});
    EXPECT_EQ(std::get<DefineShapeTag>(movie.tags[2].body).id, CharacterId{2});
    const auto& sprite = std::get<DefineSpriteTag>(movie.tags[3].body);
    EXPECT_EQ(sprite.id, CharacterId{3});
    EXPECT_EQ(sprite.frameCount, 2);
    const auto& replace = std::get<PlaceObjectTag>(movie.tags[9].body);
    EXPECT_TRUE(replace.isMove);
    EXPECT_EQ(replace.characterId, CharacterId{2});
    EXPECT_FALSE(replace.matrix.has_value());
}

TEST(ShapeBuilder, rectangleIsOneClockwisePathFilledOnSideOne) {
    ShapeBuilder builder;
    builder.setFill(ShapeBuilder::solidFill(red))
        .addRectangle(Rect{Twips{10}, Twips{110}, Twips{20}, Twips{70}});
    const DefineShapeTag shape = builder.build(CharacterId{1});
    EXPECT_EQ(shape.bounds, (Rect{Twips{10}, Twips{110}, Twips{20}, Twips{70}}));
    ASSERT_EQ(shape.shape.fillStyles.size(), 1u);
    EXPECT_TRUE(shape.shape.lineStyles.empty());
    ASSERT_EQ(shape.shape.records.size(), 5u);
    const auto& start = std::get<StyleChangeRecord>(shape.shape.records[0]);
    EXPECT_EQ(start.moveToX(), Twips{10});
    EXPECT_EQ(start.moveToY(), Twips{20});
    EXPECT_EQ(start.fillStyle0(), 0u);
    EXPECT_EQ(start.fillStyle1(), 1u);
    EXPECT_EQ(start.lineStyle(), 0u);
    EXPECT_EQ(std::get<StraightEdgeRecord>(shape.shape.records[1]),
              (StraightEdgeRecord{Twips{100}, Twips{0}}));
    EXPECT_EQ(std::get<StraightEdgeRecord>(shape.shape.records[2]),
              (StraightEdgeRecord{Twips{0}, Twips{50}}));
    EXPECT_EQ(std::get<StraightEdgeRecord>(shape.shape.records[3]),
              (StraightEdgeRecord{Twips{-100}, Twips{0}}));
    EXPECT_EQ(std::get<StraightEdgeRecord>(shape.shape.records[4]),
              (StraightEdgeRecord{Twips{0}, Twips{-50}}));
}

TEST(ShapeBuilder, ellipseIsEightCurvesThatCloseExactly) {
    ShapeBuilder builder;
    builder.setFill(ShapeBuilder::solidFill(red)).addEllipse(Twips{1000}, Twips{500}, Twips{333}, Twips{111});
    const DefineShapeTag shape = builder.build(CharacterId{1});
    ASSERT_EQ(shape.shape.records.size(), 9u);
    std::int32_t x = 0;
    std::int32_t y = 0;
    for (std::size_t index = 1; index < shape.shape.records.size(); ++index) {
        const auto& curve = std::get<CurvedEdgeRecord>(shape.shape.records[index]);
        x += curve.controlDeltaX.value + curve.anchorDeltaX.value;
        y += curve.controlDeltaY.value + curve.anchorDeltaY.value;
    }
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    // The control points beside each axis lie on the tangent there, so the bounds are the radii.
    EXPECT_EQ(shape.bounds, (Rect{Twips{1000 - 333}, Twips{1000 + 333}, Twips{500 - 111}, Twips{500 + 111}}));
}

TEST(ShapeBuilder, lineWidthWidensBoundsButNotEdgeBounds) {
    ShapeBuilder builder(4);
    builder.setLine(ShapeBuilder::lineStyle(40, red))
        .addPolygon({{Twips{0}, Twips{0}}, {Twips{100}, Twips{0}}, {Twips{50}, Twips{80}}});
    const DefineShapeTag shape = builder.build(CharacterId{1});
    EXPECT_EQ(shape.edgeBounds, (Rect{Twips{0}, Twips{100}, Twips{0}, Twips{80}}));
    EXPECT_EQ(shape.bounds, (Rect{Twips{-20}, Twips{120}, Twips{-20}, Twips{100}}));
    EXPECT_EQ(shape.shape.records.size(), 4u);
}

TEST(ShapeBuilder, repeatedStylesShareOneArrayEntry) {
    ShapeBuilder builder;
    builder.setFill(ShapeBuilder::solidFill(red))
        .addRectangle(Rect{Twips{0}, Twips{10}, Twips{0}, Twips{10}})
        .setFill(ShapeBuilder::solidFill(Rgba{0, 255, 0, 255}))
        .addRectangle(Rect{Twips{20}, Twips{30}, Twips{0}, Twips{10}})
        .setFill(ShapeBuilder::solidFill(red))
        .addRectangle(Rect{Twips{40}, Twips{50}, Twips{0}, Twips{10}});
    const DefineShapeTag shape = builder.build(CharacterId{1});
    EXPECT_EQ(shape.shape.fillStyles.size(), 2u);
    EXPECT_EQ(std::get<StyleChangeRecord>(shape.shape.records[10]).fillStyle1(), 1u);
}

TEST(ShapeBuilder, gradientMatrixMapsTheGradientSquareOntoTheArea) {
    const Matrix matrix = ShapeBuilder::gradientMatrix(Rect{Twips{100}, Twips{300}, Twips{-50}, Twips{50}});
    EXPECT_EQ(matrix.mapX(-16384, -16384), 100);
    EXPECT_EQ(matrix.mapX(16384, 16384), 300);
    EXPECT_EQ(matrix.mapY(-16384, -16384), -50);
    EXPECT_EQ(matrix.mapY(16384, 16384), 50);
}

TEST(ActionAssembler, blockCarriesTheOffsetsTheDecoderReports) {
    const ActionBlock block =
        ActionAssembler().gotoLabel("loop").play().getUrl("http://a/", "_blank").block();
    ASSERT_EQ(block.actions.size(), 3u);
    EXPECT_EQ(block.actions[0].offset, 0u);
    EXPECT_EQ(block.actions[0].size, 8u); // code, length, "loop" and its terminator
    EXPECT_EQ(block.actions[1].offset, 8u);
    EXPECT_EQ(block.actions[2].offset, 9u);
    EXPECT_EQ(block.byteLength, 9u + 3 + 10 + 7 + 1);
    EXPECT_EQ(decodeActions(ActionAssembler().gotoLabel("loop").play().getUrl("http://a/", "_blank").bytes()),
              block);
}

} // namespace
} // namespace kf::swf
