#include "TextMovies.h"

namespace kf::swf::test {
namespace {

constexpr Rgba stageColor{0, 0, 64, 255};

// Twenty-pixel text of box glyphs: each box 10 px wide and 20 px tall, baseline at y = 30,
// the first at x = 10 and the next `advance` pixels further on.
DefineTextTag boxText(CharacterId id, CharacterId font, int advance, Rgba color) {
    DefineTextTag text;
    text.id = id;
    text.version = 2;
    text.bounds = pixelRect(0, 0, 100, 100);
    TextRecord record;
    record.fontId = font;
    record.height = 400;
    record.color = color;
    record.xOffset = Twips::fromPixels(10);
    record.yOffset = Twips::fromPixels(30);
    record.glyphs = {GlyphEntry{0, Twips::fromPixels(advance).value}, GlyphEntry{0, 0}};
    text.records.push_back(record);
    return text;
}

MovieBuilder boxTextMovie(int fontVersion, const DefineTextTag& text) {
    MovieBuilder movie(8, pixelRect(0, 0, 100, 100));
    movie.setBackgroundColor(stageColor);
    movie.addTag(boxFont(CharacterId{100}, fontVersion, u"A"));
    movie.addTag(text);
    movie.place(text.id, Depth{1}).showFrame();
    return movie;
}

class StaticTextRender : public TextMovie {};

TEST_F(StaticTextRender, glyphRunPaintsItsColourAndMovesByEachAdvance) {
    load(boxTextMovie(2, boxText(CharacterId{101}, CharacterId{100}, 25, red)));
    const QImage image = render();
    EXPECT_EQ(pixel(image, 11, 11), red);        // first box, top left inside
    EXPECT_EQ(pixel(image, 19, 29), red);        // and bottom right inside
    EXPECT_EQ(pixel(image, 21, 20), stageColor); // right of it
    EXPECT_EQ(pixel(image, 15, 31), stageColor); // below the baseline
    EXPECT_EQ(pixel(image, 15, 9), stageColor);  // above the EM
    EXPECT_EQ(pixel(image, 30, 20), stageColor); // the gap the advance leaves
    EXPECT_EQ(pixel(image, 36, 20), red);        // second box at 10 + 25
    EXPECT_EQ(pixel(image, 46, 20), stageColor);
}

TEST_F(StaticTextRender, recordsKeepTheFontAndTakeNewColoursWithAlpha) {
    DefineTextTag text = boxText(CharacterId{101}, CharacterId{100}, 25, red);
    TextRecord second;
    second.color = Rgba{0, 255, 0, 128};
    second.yOffset = Twips::fromPixels(70);
    second.glyphs = {GlyphEntry{0, 0}};
    text.records.push_back(second);
    load(boxTextMovie(2, text));
    const QImage image = render();
    // x carries on from the first record's end (10 + 25); y is the new offset.
    const Rgba blended = pixel(image, 40, 60);
    EXPECT_NEAR(blended.green, 128, 2);
    EXPECT_NEAR(blended.blue, 32, 2);
    EXPECT_EQ(blended.red, 0);
    EXPECT_EQ(pixel(image, 15, 60), stageColor);
}

TEST_F(StaticTextRender, defineFont3OutlinesAreDrawnAtATwentiethOfTheirUnits) {
    load(boxTextMovie(2, boxText(CharacterId{101}, CharacterId{100}, 25, red)));
    const QImage fromFont2 = render();
    restart();
    load(boxTextMovie(3, boxText(CharacterId{101}, CharacterId{100}, 25, red)));
    const QImage fromFont3 = render();
    EXPECT_EQ(inkIn(fromFont2, stageColor), 2 * 10 * 20);
    EXPECT_TRUE(fromFont2 == fromFont3);
}

TEST_F(StaticTextRender, textMatrixAndPlacementScaleTheRun) {
    DefineTextTag text = boxText(CharacterId{101}, CharacterId{100}, 25, red);
    text.matrix = Matrix::translation(Twips::fromPixels(40).value, 0);
    MovieBuilder movie(8, pixelRect(0, 0, 100, 100));
    movie.setBackgroundColor(stageColor);
    movie.addTag(boxFont(CharacterId{100}, 2, u"A"));
    movie.addTag(text);
    Matrix half;
    half.a = 0.5;
    half.d = 0.5;
    movie.place(text.id, Depth{1}, half).showFrame();
    load(movie);
    const QImage image = render();
    // Text space is moved 40 px, then everything halved: the first box spans 25..30 px.
    EXPECT_EQ(pixel(image, 27, 12), red);
    EXPECT_EQ(pixel(image, 23, 12), stageColor);
    EXPECT_EQ(inkIn(image, stageColor), 2 * 5 * 10);
}

TEST_F(StaticTextRender, missingFontsAndGlyphsDrawNothing) {
    DefineTextTag text = boxText(CharacterId{101}, CharacterId{77}, 25, red); // no font 77
    TextRecord stray;
    stray.fontId = CharacterId{100};
    stray.height = 400;
    stray.glyphs = {GlyphEntry{9, 0}}; // the font has one glyph
    text.records.push_back(stray);
    load(boxTextMovie(2, text));
    EXPECT_EQ(inkIn(render(), stageColor), 0);
}

} // namespace
} // namespace kf::swf::test
