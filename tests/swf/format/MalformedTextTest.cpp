// Damaged font and text tags: each read ends in an error naming the tag, never a crash.
#include "swf/format/SwfReader.h"
#include "swf/writer/SwfWriter.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

namespace kf::swf {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes withHeader(TagCode code, const Bytes& body) {
    SwfWriter writer(8);
    writer.writeTagHeader(code, static_cast<std::uint32_t>(body.size()), true);
    writer.out().writeBytes(body);
    return writer.takeBytes();
}

Bytes bodyOf(const TagBody& body) {
    SwfWriter writer(8);
    writer.writeTag(Tag{SwfWriter::codeFor(body), 0, body});
    Bytes bytes = writer.takeBytes();
    const std::size_t header = (bytes[0] & 0x3F) == 0x3F ? 6 : 2;
    return Bytes(bytes.begin() + static_cast<std::ptrdiff_t>(header), bytes.end());
}

// The error message of reading `body` as a `code` tag, or "" when it read.
std::string readError(TagCode code, const Bytes& body) {
    const Bytes bytes = withHeader(code, body);
    SwfReader reader(bytes, 8);
    reader.readTag();
    return reader.failed() ? reader.errorMessage() : std::string();
}

DefineFontTag twoGlyphFont() {
    DefineFontTag font;
    font.id = CharacterId{1};
    font.version = 2;
    font.name = "F";
    font.wideCodes = true;
    Shape glyph;
    StyleChangeRecord start;
    start.setMoveTo(Twips{0}, Twips{0});
    start.setFillStyle1(1);
    glyph.records = {start, StraightEdgeRecord{Twips{100}, Twips{0}},
                     StraightEdgeRecord{Twips{0}, Twips{100}}};
    font.glyphs = {FontGlyph{glyph, u'a', 0}, FontGlyph{glyph, u'b', 0}};
    font.layout = FontLayout{800, 200, 0};
    return font;
}

TEST(MalformedText, glyphOffsetsOutsideTheirTableAreErrors) {
    Bytes body = bodyOf(twoGlyphFont());
    // Layout: id(2) flags(1) language(1) name length(1) name(1) count(2), then the offsets.
    const std::size_t offsets = 8;
    Bytes backwards = body;
    backwards[offsets + 2] = 1; // the second glyph starts inside the offset table
    backwards[offsets + 3] = 0;
    EXPECT_NE(readError(TagCode::DefineFont2, backwards).find("outside its table"), std::string::npos);

    Bytes pastEnd = body;
    pastEnd[offsets + 4] = 0xFF; // the code table offset points past the tag
    pastEnd[offsets + 5] = 0x7F;
    EXPECT_NE(readError(TagCode::DefineFont2, pastEnd).find("code table"), std::string::npos);

    Bytes hugeCount = body;
    hugeCount[6] = 0xFF;
    hugeCount[7] = 0xFF;
    EXPECT_NE(readError(TagCode::DefineFont2, hugeCount), "");
}

TEST(MalformedText, cutFontAndTextTagsAreErrorsAtEveryLength) {
    DefineTextTag text;
    text.id = CharacterId{2};
    TextRecord record;
    record.fontId = CharacterId{1};
    record.height = 200;
    record.color = Rgba{1, 2, 3, 4};
    record.glyphs = {GlyphEntry{1, 50}, GlyphEntry{0, 60}};
    text.records = {record};
    text.version = 2;
    DefineEditTextTag field;
    field.id = CharacterId{3};
    field.fontId = CharacterId{1};
    field.layout = EditTextLayout{};
    field.initialText = std::string("hello");
    const std::vector<std::pair<TagCode, Bytes>> tags = {
        {TagCode::DefineFont2, bodyOf(twoGlyphFont())},
        {TagCode::DefineText2, bodyOf(text)},
        {TagCode::DefineEditText, bodyOf(field)},
    };
    for (const auto& [code, body] : tags) {
        // Cuts that only drop what writers are known to leave out read fine: text records
        // before their first one or at their end flag, and a font's empty kerning count.
        const std::set<std::size_t> accepted =
            code == TagCode::DefineText2   ? std::set{std::size_t{6}, body.size() - 1}
            : code == TagCode::DefineFont2 ? std::set{body.size() - 2, body.size() - 1}
                                           : std::set<std::size_t>{};
        for (std::size_t length = 0; length < body.size(); ++length) {
            SCOPED_TRACE(testing::Message() << tagName(code) << " cut to " << length);
            const std::string error =
                readError(code, Bytes(body.begin(), body.begin() + static_cast<std::ptrdiff_t>(length)));
            EXPECT_EQ(error.empty(), accepted.contains(length)) << error;
        }
        EXPECT_EQ(readError(code, body), "");
    }
}

TEST(MalformedText, impossibleFieldValuesAreErrors) {
    // DefineText with 40-bit glyph indices.
    Bytes text = {2, 0, 0x00, 0x00, 40, 8, 0};
    EXPECT_NE(readError(TagCode::DefineText, text).find("32 bits"), std::string::npos);

    DefineEditTextTag field;
    field.id = CharacterId{3};
    field.layout = EditTextLayout{};
    Bytes edit = bodyOf(field);
    edit[5] = 9; // the alignment byte, after id(2), an empty rect(1) and the flags(2)
    EXPECT_NE(readError(TagCode::DefineEditText, edit).find("alignment"), std::string::npos);
}

TEST(MalformedText, randomBodiesNeverCrash) {
    std::mt19937 random(7);
    const TagCode codes[] = {TagCode::DefineFont,     TagCode::DefineFont2,     TagCode::DefineFont3,
                             TagCode::DefineFontInfo, TagCode::DefineFontInfo2, TagCode::DefineFontAlignZones,
                             TagCode::DefineFontName, TagCode::DefineText,      TagCode::DefineText2,
                             TagCode::DefineEditText};
    for (int round = 0; round < 3000; ++round) {
        Bytes body(random() % 64);
        for (std::uint8_t& byte : body) {
            byte = static_cast<std::uint8_t>(random());
        }
        const Bytes bytes = withHeader(codes[round % std::size(codes)], body);
        SwfReader reader(bytes, 8);
        reader.readTag(); // an error or a value; either is fine
    }
}

} // namespace
} // namespace kf::swf
