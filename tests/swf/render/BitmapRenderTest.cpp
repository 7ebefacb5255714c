// Bitmaps written into movies, read back, played and drawn: every bitmap tag, the fills
// that show them, and damaged bitmaps that must draw nothing.
#include "PlayedMovie.h"
#include "TestBitmaps.h"

#include "swf/render/BitmapRenderCache.h"
#include "swf/runtime/BitmapCharacter.h"
#include "swf/writer/MovieBuilder.h"
#include "swf/writer/ShapeBuilder.h"

#include <cmath>
#include <random>

namespace kf::swf::test {
namespace {

constexpr Rgba yellow{255, 255, 0, 255};
constexpr Rgba background{0, 0, 64, 255};
constexpr CharacterId bitmapId{100};

Rect pixels(int left, int top, int width, int height) {
    return Rect{Twips::fromPixels(left), Twips::fromPixels(left + width), Twips::fromPixels(top),
                Twips::fromPixels(top + height)};
}

// A bitmap fill showing each bitmap pixel as a `scale`×`scale` block at (0, 0).
FillStyle bitmapFill(FillType type, double scale, CharacterId id = bitmapId) {
    FillStyle fill;
    fill.type = type;
    fill.bitmapId = id;
    fill.matrix = Matrix::scale(scale * 20, scale * 20);
    return fill;
}

class BitmapRender : public PlayedMovie {
protected:
    using PlayedMovie::load;

    // A movie defining `tags` first, then a `width`×`height` pixel rectangle at (0, 0)
    // filled with `fill`, placed with `transform`.
    void load(std::vector<TagBody> tags, const FillStyle& fill, int width, int height,
              std::optional<ColorTransform> transform = std::nullopt) {
        MovieBuilder movie(8, pixels(0, 0, 100, 100));
        movie.setBackgroundColor(background);
        for (TagBody& tag : tags) {
            movie.addTag(std::move(tag));
        }
        const CharacterId box = movie.addRectangle(pixels(0, 0, width, height), fill);
        movie.place(box, Depth{1}, Matrix{}, transform).showFrame().showFrame();
        load(movie);
    }

    const BitmapCharacter* bitmap() const {
        return dynamic_cast<const BitmapCharacter*>(m_player.dictionary().find(bitmapId));
    }
};

TEST_F(BitmapRender, losslessFormatsWithPaddedRowsShowEveryPixel) {
    // Three pixels a row: colour-mapped and 15-bit rows carry padding to 32 bits.
    const std::vector<Rgba> picture{red, green, blue, white, black, yellow};
    for (int version : {1, 2}) {
        for (LosslessFormat format :
             {LosslessFormat::ColorMapped, LosslessFormat::Rgb15, LosslessFormat::Rgb24}) {
            SCOPED_TRACE(testing::Message()
                         << "version " << version << " format " << static_cast<int>(format));
            load({TestBitmaps::lossless(bitmapId, version, format, 3, 2, picture)},
                 bitmapFill(FillType::NonSmoothedClippedBitmap, 10), 30, 20);
            const QImage image = render();
            for (int index = 0; index < 6; ++index) {
                EXPECT_TRUE(pixelIs(image, 5 + 10 * (index % 3), 5 + 10 * (index / 3), picture[index]));
            }
            EXPECT_TRUE(pixelIs(image, 35, 5, background));
        }
    }
}

TEST_F(BitmapRender, lossless2AlphaIsPremultipliedOnce) {
    // Half-transparent red over the dark blue background, a transparent pixel, and the
    // same through a colour table with alpha.
    const std::vector<Rgba> picture{Rgba{255, 0, 0, 128}, Rgba{0, 0, 0, 0}, Rgba{255, 255, 255, 255}};
    const Rgba halfRed{128, 0, 32, 255}; // 255·½ + 0, 0, 64·½
    for (LosslessFormat format : {LosslessFormat::Rgb24, LosslessFormat::ColorMapped}) {
        SCOPED_TRACE(static_cast<int>(format));
        load({TestBitmaps::lossless(bitmapId, 2, format, 3, 1, picture)},
             bitmapFill(FillType::NonSmoothedClippedBitmap, 10), 30, 10);
        const QImage image = render();
        EXPECT_TRUE(pixelIs(image, 5, 5, halfRed, 2));
        EXPECT_TRUE(pixelIs(image, 15, 5, background));
        EXPECT_TRUE(pixelIs(image, 25, 5, white));
        // The edges between them stay sharp with a non-smoothed fill.
        EXPECT_TRUE(pixelIs(image, 9, 5, halfRed, 2));
        EXPECT_TRUE(pixelIs(image, 10, 5, background));
    }
}

TEST_F(BitmapRender, jpegInEveryTagAndEveryQuirkShowsItsQuarters) {
    const QImage picture = TestBitmaps::quarters(16, 16, red, green, blue, white);
    const Bytes whole = TestBitmaps::jpeg(picture);
    const TestBitmaps::SplitJpeg split = TestBitmaps::splitJpeg(picture);
    auto jpegTag = [](std::uint8_t version, Bytes data) {
        DefineBitsJpegTag tag;
        tag.id = bitmapId;
        tag.version = version;
        tag.imageData = std::move(data);
        return tag;
    };
    Bytes swappedMarkers{0xFF, 0xD9, 0xFF, 0xD8};
    swappedMarkers.insert(swappedMarkers.end(), whole.begin(), whole.end());
    const Bytes withoutEnd(whole.begin(), whole.end() - 2);
    DefineBitsJpegTag deblocked = jpegTag(4, whole);
    deblocked.deblocking = Fixed8::fromDouble(1.0);

    struct Case {
        const char* name;
        std::vector<TagBody> tags;
    };
    const std::vector<Case> cases{
        {"DefineBits with JPEGTables", {JpegTablesTag{split.tables}, jpegTag(1, split.image)}},
        {"DefineBits with an empty JPEGTables", {JpegTablesTag{}, jpegTag(1, whole)}},
        {"DefineBits with tables of markers only",
         {JpegTablesTag{{0xFF, 0xD8, 0xFF, 0xD9}}, jpegTag(1, whole)}},
        {"DefineBits without JPEGTables", {jpegTag(1, whole)}},
        {"DefineBitsJPEG2", {jpegTag(2, whole)}},
        {"DefineBitsJPEG2, end and start markers in front", {jpegTag(2, swappedMarkers)}},
        {"DefineBitsJPEG2 without its end marker", {jpegTag(2, withoutEnd)}},
        {"DefineBitsJPEG2 holding tables and image apart",
         {jpegTag(2,
                  [&] {
                      Bytes joined = split.tables;
                      joined.insert(joined.end(), split.image.begin(), split.image.end());
                      return joined;
                  }())}},
        {"DefineBitsJPEG3 without alpha", {jpegTag(3, whole)}},
        {"DefineBitsJPEG4", {deblocked}},
        {"DefineBitsJPEG2 holding a PNG", {jpegTag(2, TestBitmaps::png(picture))}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        load(test.tags, bitmapFill(FillType::NonSmoothedClippedBitmap, 2), 32, 32);
        const QImage image = render();
        EXPECT_TRUE(pixelIs(image, 8, 8, red, 8));
        EXPECT_TRUE(pixelIs(image, 24, 8, green, 8));
        EXPECT_TRUE(pixelIs(image, 8, 24, blue, 8));
        EXPECT_TRUE(pixelIs(image, 24, 24, white, 8));
        EXPECT_TRUE(pixelIs(image, 40, 8, background));
    }
}

TEST_F(BitmapRender, gifInsideDefineBitsJpeg2) {
    load({DefineBitsJpegTag{bitmapId, 2, {}, TestBitmaps::gif(Rgba{0, 200, 100, 255}), {}}},
         bitmapFill(FillType::ClippedBitmap, 10), 10, 10);
    EXPECT_TRUE(pixelIs(render(), 5, 5, Rgba{0, 200, 100, 255}));
}

TEST_F(BitmapRender, jpeg3AlphaPlaneMakesTheEdgesTransparent) {
    const QImage picture = TestBitmaps::quarters(4, 2, white, white, white, white);
    // Alpha per pixel: opaque, half, transparent, opaque on both rows.
    const Bytes alpha{255, 128, 0, 255, 255, 128, 0, 255};
    DefineBitsJpegTag tag{bitmapId, 3, {}, TestBitmaps::jpeg(picture), TestBitmaps::zlib(alpha)};
    load({tag}, bitmapFill(FillType::NonSmoothedClippedBitmap, 10), 40, 20);
    const QImage image = render();
    EXPECT_TRUE(pixelIs(image, 5, 5, white, 2));
    EXPECT_TRUE(pixelIs(image, 15, 15, Rgba{128, 128, 160, 255}, 3));
    EXPECT_TRUE(pixelIs(image, 25, 5, background));
    EXPECT_TRUE(pixelIs(image, 35, 15, white, 2));
}

TEST_F(BitmapRender, repeatingFillsTileAndClippedFillsExtendTheirEdges) {
    const auto tiles =
        TestBitmaps::lossless(bitmapId, 1, LosslessFormat::Rgb24, 2, 2, {red, green, blue, black});
    for (FillType type : {FillType::NonSmoothedRepeatingBitmap, FillType::NonSmoothedClippedBitmap}) {
        const bool repeats = type == FillType::NonSmoothedRepeatingBitmap;
        SCOPED_TRACE(repeats ? "repeating" : "clipped");
        load({tiles}, bitmapFill(type, 10), 50, 50);
        const QImage image = render();
        EXPECT_TRUE(pixelIs(image, 5, 5, red));
        EXPECT_TRUE(pixelIs(image, 15, 15, black));
        EXPECT_TRUE(pixelIs(image, 25, 5, repeats ? red : green));
        EXPECT_TRUE(pixelIs(image, 5, 45, repeats ? red : blue));
        EXPECT_TRUE(pixelIs(image, 45, 45, repeats ? red : black));
        EXPECT_TRUE(pixelIs(image, 35, 15, repeats ? black : black));
        EXPECT_TRUE(pixelIs(image, 55, 5, background));
    }
}

TEST_F(BitmapRender, smoothingFollowsTheFillTypeAndTheQuality) {
    const auto stripes = TestBitmaps::lossless(bitmapId, 1, LosslessFormat::Rgb24, 2, 1, {black, white});
    auto isGrey = [](const QImage& image) {
        const QColor colour = image.pixelColor(19, 10);
        return colour.red() > 40 && colour.red() < 215;
    };
    load({stripes}, bitmapFill(FillType::ClippedBitmap, 20), 40, 20);
    EXPECT_TRUE(isGrey(render(RenderQuality::High)));
    EXPECT_FALSE(isGrey(render(RenderQuality::Low))); // low quality never smooths
    load({stripes}, bitmapFill(FillType::NonSmoothedClippedBitmap, 20), 40, 20);
    const QImage sharp = render(RenderQuality::High);
    EXPECT_TRUE(pixelIs(sharp, 19, 10, black));
    EXPECT_TRUE(pixelIs(sharp, 20, 10, white));
}

TEST_F(BitmapRender, theFillMatrixPlacesAndScalesTheBitmapInTwips) {
    FillStyle fill = bitmapFill(FillType::NonSmoothedRepeatingBitmap, 1);
    // One bitmap pixel per 4 screen pixels across, 2 down, starting at (10, 6).
    fill.matrix = Matrix{80, 0, 0, 40, 200, 120};
    load({TestBitmaps::lossless(bitmapId, 1, LosslessFormat::Rgb24, 2, 2, {yellow, red, green, blue})}, fill,
         60, 60);
    const QImage image = render();
    EXPECT_TRUE(pixelIs(image, 11, 7, yellow));
    EXPECT_TRUE(pixelIs(image, 15, 7, red));
    EXPECT_TRUE(pixelIs(image, 11, 9, green));
    EXPECT_TRUE(pixelIs(image, 15, 9, blue));
    EXPECT_TRUE(pixelIs(image, 19, 11, yellow)); // the next tile
}

TEST_F(BitmapRender, aMissingBitmapDrawsNothing) {
    // No character 100 at all, then a character 100 that is a shape, not a bitmap.
    load({}, bitmapFill(FillType::RepeatingBitmap, 10), 50, 50);
    EXPECT_TRUE(pixelIs(render(), 25, 25, background));
    MovieBuilder movie(8, pixels(0, 0, 100, 100));
    movie.setBackgroundColor(background);
    const CharacterId shape = movie.addRectangle(pixels(0, 0, 10, 10), ShapeBuilder::solidFill(red));
    const CharacterId box =
        movie.addRectangle(pixels(0, 0, 50, 50), bitmapFill(FillType::ClippedBitmap, 10, shape));
    movie.place(box, Depth{1}).showFrame();
    load(movie);
    EXPECT_TRUE(pixelIs(render(), 5, 5, background));
}

TEST_F(BitmapRender, damagedBitmapsDrawNothing) {
    const QImage picture = TestBitmaps::quarters(32, 32, red, green, blue, white);
    const Bytes whole = TestBitmaps::jpeg(picture);
    const std::vector<Rgba> four{red, green, blue, white};
    std::uint16_t tableSize = 0;
    const Bytes raw = TestBitmaps::losslessRaw(1, LosslessFormat::Rgb24, 2, 2, four, tableSize);

    DefineBitsLosslessTag inflatesShort =
        TestBitmaps::lossless(bitmapId, 1, LosslessFormat::Rgb24, 2, 2, four);
    inflatesShort.data = TestBitmaps::zlib(Bytes(raw.begin(), raw.end() - 3));
    DefineBitsLosslessTag corrupt = inflatesShort;
    corrupt.data = {0x78, 0x9C, 0xFF, 0xFF, 0xFF, 0xFF};
    DefineBitsLosslessTag absurd = TestBitmaps::lossless(bitmapId, 2, LosslessFormat::Rgb24, 2, 2, four);
    absurd.width = 65535;
    absurd.height = 65535;
    DefineBitsLosslessTag unknownFormat =
        TestBitmaps::lossless(bitmapId, 1, LosslessFormat::Rgb24, 2, 2, four);
    unknownFormat.format = 7;
    const Bytes shortAlpha = TestBitmaps::zlib(Bytes(10, 255));

    struct Case {
        const char* name;
        TagBody tag;
    };
    const std::vector<Case> cases{
        {"truncated JPEG",
         DefineBitsJpegTag{bitmapId, 2, {}, Bytes(whole.begin(), whole.begin() + whole.size() / 2), {}}},
        {"JPEG header only",
         DefineBitsJpegTag{bitmapId, 2, {}, Bytes(whole.begin(), whole.begin() + 20), {}}},
        {"no image data", DefineBitsJpegTag{bitmapId, 2, {}, {}, {}}},
        {"garbage", DefineBitsJpegTag{bitmapId, 2, {}, Bytes(300, 0x5A), {}}},
        {"JPEG3 alpha plane short", DefineBitsJpegTag{bitmapId, 3, {}, whole, shortAlpha}},
        {"truncated PNG", DefineBitsJpegTag{bitmapId,
                                            2,
                                            {},
                                            [&] {
                                                Bytes png = TestBitmaps::png(picture);
                                                png.resize(png.size() / 2);
                                                return png;
                                            }(),
                                            {}}},
        {"lossless data that inflates short", inflatesShort},
        {"corrupt zlib stream", corrupt},
        {"absurd dimensions", absurd},
        {"unknown lossless format", unknownFormat},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        load({test.tag}, bitmapFill(FillType::RepeatingBitmap, 1), 50, 50);
        const QImage image = render();
        EXPECT_TRUE(pixelIs(image, 5, 5, background));
        EXPECT_TRUE(pixelIs(image, 30, 30, background));
        ASSERT_NE(bitmap(), nullptr);
        EXPECT_EQ(BitmapRenderCache::imageOf(*bitmap()), nullptr);
    }
}

TEST_F(BitmapRender, aBitmapIsDecodedOnceAndOnlyWhenShown) {
    load({TestBitmaps::lossless(bitmapId, 1, LosslessFormat::Rgb24, 1, 1, {red})},
         bitmapFill(FillType::ClippedBitmap, 10), 10, 10);
    ASSERT_NE(bitmap(), nullptr);
    EXPECT_EQ(bitmap()->renderCache, nullptr); // defined, not drawn yet: still encoded
    render();
    const void* decoded = bitmap()->renderCache.get();
    ASSERT_NE(decoded, nullptr);
    m_player.advanceFrame();
    EXPECT_TRUE(pixelIs(render(), 5, 5, red));
    EXPECT_EQ(bitmap()->renderCache.get(), decoded);
}

TEST_F(BitmapRender, colourTransformsRecolourStraightColoursAndSpareTransparentPixels) {
    ColorTransform transform;
    transform.redMultiplier = 128;
    transform.greenAddition = 255;
    transform.alphaAddition = 255;
    load({TestBitmaps::lossless(bitmapId, 2, LosslessFormat::Rgb24, 3, 1,
                                {red, Rgba{0, 0, 0, 0}, Rgba{0, 0, 255, 128}})},
         bitmapFill(FillType::NonSmoothedClippedBitmap, 10), 30, 10, transform);
    const QImage image = render();
    EXPECT_TRUE(pixelIs(image, 5, 5, Rgba{128, 255, 0, 255}, 1));
    EXPECT_TRUE(pixelIs(image, 15, 5, background));
    EXPECT_TRUE(pixelIs(image, 25, 5, Rgba{0, 255, 255, 255}, 2));
}

TEST_F(BitmapRender, aFadeDrawsTheBitmapAsRecolouringWould) {
    // An alpha-only transform is drawn through the painter's opacity; one that also adds
    // colour recolours the pixels. Both must agree where they overlap in meaning.
    const auto picture =
        TestBitmaps::lossless(bitmapId, 2, LosslessFormat::Rgb24, 2, 1, {red, Rgba{0, 255, 0, 128}});
    for (int fade : {0, 64, 128, 255}) {
        ColorTransform faded;
        faded.alphaMultiplier = static_cast<std::int16_t>(fade);
        load({picture}, bitmapFill(FillType::NonSmoothedClippedBitmap, 10), 20, 10, faded);
        const QImage image = render();
        const double alpha = fade / 256.0;
        auto over = [&](int value, int below, double coverage) {
            return static_cast<std::uint8_t>(std::lround(value * coverage + below * (1 - coverage)));
        };
        SCOPED_TRACE(fade);
        EXPECT_TRUE(pixelIs(image, 5, 5, Rgba{over(255, 0, alpha), 0, over(0, 64, alpha), 255}, 2));
        const double greenCoverage = alpha * 128 / 255;
        EXPECT_TRUE(
            pixelIs(image, 15, 5, Rgba{0, over(255, 0, greenCoverage), over(0, 64, greenCoverage), 255}, 2));
    }
}

// A movie with every kind of bitmap and a morph filled with one, cut short at every byte
// and with bytes changed at random: each version reads as an error or plays and draws.
TEST_F(BitmapRender, damagedMoviesWithBitmapsAndMorphsNeverCrash) {
    const QImage picture = TestBitmaps::quarters(8, 8, red, green, blue, white);
    MovieBuilder movie(8, pixels(0, 0, 100, 100));
    movie.addTag(TestBitmaps::lossless(bitmapId, 2, LosslessFormat::ColorMapped, 3, 3,
                                       {red, green, blue, white, black, yellow, red, green, blue}));
    movie.addTag(DefineBitsJpegTag{
        CharacterId{101}, 3, {}, TestBitmaps::jpeg(picture), TestBitmaps::zlib(Bytes(64, 200))});
    DefineMorphShapeTag morph;
    morph.id = CharacterId{102};
    MorphShape& body = morph.morph.ensure();
    MorphFillStyle fill{bitmapFill(FillType::RepeatingBitmap, 2, CharacterId{101}),
                        bitmapFill(FillType::RepeatingBitmap, 4, CharacterId{101})};
    body.fillStyles = {fill};
    StyleChangeRecord start;
    start.setMoveTo(Twips{0}, Twips{0});
    start.setFillStyle1(1);
    StyleChangeRecord endMove;
    endMove.setMoveTo(Twips{100}, Twips{100});
    body.startRecords = {start, StraightEdgeRecord{Twips{800}, Twips{0}},
                         StraightEdgeRecord{Twips{0}, Twips{800}},
                         StraightEdgeRecord{Twips{-800}, Twips{-800}}};
    body.endRecords = {endMove, CurvedEdgeRecord{Twips{400}, Twips{-200}, Twips{400}, Twips{200}},
                       StraightEdgeRecord{Twips{0}, Twips{800}},
                       StraightEdgeRecord{Twips{-800}, Twips{-800}}};
    movie.addTag(morph);
    const CharacterId box = movie.addRectangle(pixels(0, 0, 30, 30), bitmapFill(FillType::ClippedBitmap, 10));
    PlaceObjectTag place;
    place.version = 2;
    place.depth = Depth{2};
    place.characterId = CharacterId{102};
    place.ratio = 30000;
    movie.place(box, Depth{1}).addTag(place).showFrame();
    const Bytes whole = movie.build();

    std::mt19937 random(7);
    std::vector<Bytes> damaged;
    for (std::size_t cut = 8; cut < whole.size(); cut += 3) {
        damaged.emplace_back(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(cut));
    }
    for (int variant = 0; variant < 300; ++variant) {
        Bytes changed = whole;
        for (int flip = 0; flip < 4; ++flip) {
            changed[8 + random() % (changed.size() - 8)] = static_cast<std::uint8_t>(random());
        }
        damaged.push_back(std::move(changed));
    }
    int drawn = 0;
    for (const Bytes& bytes : damaged) {
        Result<Movie> read = readMovie(bytes);
        if (!read.ok()) {
            continue;
        }
        MoviePlayer player;
        if (!player.load(std::move(read.value())).ok()) {
            continue;
        }
        StageView view;
        view.outputWidth = 50;
        view.outputHeight = 50;
        view.frameSize = player.stageRect();
        QImage image;
        m_renderer.render(player.displayList(), view, image);
        ++drawn;
    }
    EXPECT_GT(drawn, 0);
}

} // namespace
} // namespace kf::swf::test
