// Font and text tags through SwfWriter::writeTag and SwfReader::readTag.
#include "RoundTrip.h"

namespace kf::swf::test {
namespace {

auto writeTag = [](SwfWriter& writer, const Tag& tag) { writer.writeTag(tag); };
auto readTag = [](SwfReader& reader) { return reader.readTag().value_or(Tag{}); };

Tag tagOf(TagBody body) {
    return Tag{SwfWriter::codeFor(body), 0, std::move(body)};
}

// A triangle outline with a curve, in font units.
Shape triangle(int size) {
    Shape shape;
    StyleChangeRecord start;
    start.setMoveTo(Twips{0}, Twips{0});
    start.setFillStyle1(1);
    shape.records.emplace_back(start);
    shape.records.emplace_back(StraightEdgeRecord{Twips{size}, Twips{-size}});
    shape.records.emplace_back(CurvedEdgeRecord{Twips{size / 2}, Twips{size}, Twips{0}, Twips{size / 2}});
    shape.records.emplace_back(StraightEdgeRecord{Twips{-size - size / 2}, Twips{-size / 2}});
    return shape;
}

DefineFontTag fontWithGlyphs(int version, std::size_t count) {
    DefineFontTag font;
    font.id = CharacterId{7};
    font.version = static_cast<std::uint8_t>(version);
    if (version > 1) {
        font.name = "Test Sans";
        font.bold = true;
        font.wideCodes = true;
        font.languageCode = 1;
        font.layout = FontLayout{900, 200, 30};
    }
    for (std::size_t index = 0; index < count; ++index) {
        FontGlyph glyph;
        glyph.shape = index % 3 == 2 ? Shape{} : triangle(100 + static_cast<int>(index));
        if (version > 1) {
            glyph.code = static_cast<std::uint16_t>(0x4E00 + index);
            glyph.advance = static_cast<std::int16_t>(500 + index);
        }
        font.glyphs.push_back(glyph);
    }
    return font;
}

TEST(TextRoundTrip, fontsOfEachVersionWithAndWithoutGlyphs) {
    for (int version = 1; version <= 3; ++version) {
        for (std::size_t count : {0, 1, 5}) {
            if (version == 1 && count == 0) {
                continue; // DefineFont has no count: an empty one has no offset table to read
            }
            SCOPED_TRACE(testing::Message() << "version " << version << ", " << count << " glyphs");
            expectRoundTrip(tagOf(fontWithGlyphs(version, count)), std::nullopt, writeTag, readTag);
        }
    }
}

TEST(TextRoundTrip, fontWithOutlinesPastSixtyFourKilobytesUsesWideOffsets) {
    DefineFontTag font = fontWithGlyphs(3, 0);
    Shape large;
    for (int index = 0; index < 20000; ++index) {
        large.records.emplace_back(StraightEdgeRecord{Twips{1000}, Twips{-1000}});
    }
    font.glyphs = {FontGlyph{large, u'A', 10}, FontGlyph{triangle(5), u'B', 20}};
    expectRoundTrip(tagOf(font), std::nullopt, writeTag, readTag);
}

TEST(TextRoundTrip, fontInfoCompanionTags) {
    DefineFontInfoTag info{CharacterId{7}, 1,     "Arial", true, false,        true,
                           true,           false, false,   0,    {65, 66, 200}};
    expectRoundTrip(tagOf(info), std::nullopt, writeTag, readTag);
    DefineFontInfoTag wide{CharacterId{7}, 2,    "SimSun", false, false,       false,
                           false,          true, true,     5,     {0x4E00, 65}};
    expectRoundTrip(tagOf(wide), std::nullopt, writeTag, readTag);
    DefineFontAlignZonesTag zones{
        CharacterId{7}, 2, {FontAlignZone{1, 2, 3, 4, true, false}, FontAlignZone{}}};
    expectRoundTrip(tagOf(zones), std::nullopt, writeTag, readTag);
    expectRoundTrip(tagOf(DefineFontNameTag{CharacterId{7}, "Test Sans", "(c) nobody"}), std::nullopt,
                    writeTag, readTag);
}

TEST(TextRoundTrip, staticTextRecordsInBothVersions) {
    for (int version = 1; version <= 2; ++version) {
        DefineTextTag text;
        text.id = CharacterId{9};
        text.version = static_cast<std::uint8_t>(version);
        text.bounds = Rect{Twips{-20}, Twips{2000}, Twips{-400}, Twips{100}};
        text.matrix = Matrix{1.5, 0, 0, 1.5, 20, 40};
        TextRecord first;
        first.fontId = CharacterId{7};
        first.height = 240;
        first.color = Rgba{10, 20, 30, static_cast<std::uint8_t>(version == 2 ? 128 : 255)};
        first.xOffset = Twips{-15};
        first.yOffset = Twips{300};
        first.glyphs = {GlyphEntry{0, 120}, GlyphEntry{300, -5}, GlyphEntry{2, 0}};
        TextRecord second;
        second.yOffset = Twips{600};
        second.glyphs = {GlyphEntry{1, 99}};
        text.records = {first, second, TextRecord{}};
        SCOPED_TRACE(version);
        expectRoundTrip(tagOf(text), std::nullopt, writeTag, readTag);
    }
}

TEST(TextRoundTrip, editTextWithEveryOptionalPart) {
    DefineEditTextTag full;
    full.id = CharacterId{12};
    full.bounds = Rect{Twips{0}, Twips{2000}, Twips{0}, Twips{400}};
    full.wordWrap = full.multiline = full.password = full.border = full.html = full.useOutlines = true;
    full.autoSize = full.noSelect = full.wasStatic = full.readOnly = true;
    full.fontId = CharacterId{7};
    full.fontClass = std::string("MyFont");
    full.fontHeight = 360;
    full.color = Rgba{1, 2, 3, 4};
    full.maxLength = 80;
    full.layout = EditTextLayout{TextAlign::Justify, 20, 40, 60, -10};
    full.variableName = "_root.score";
    full.initialText = std::string("<b>caf\xC3\xA9</b>");
    expectRoundTrip(tagOf(full), std::nullopt, writeTag, readTag);

    DefineEditTextTag bare;
    bare.id = CharacterId{13};
    expectRoundTrip(tagOf(bare), std::nullopt, writeTag, readTag);
}

} // namespace
} // namespace kf::swf::test
