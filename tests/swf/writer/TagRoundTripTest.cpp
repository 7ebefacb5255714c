// Whole tags, header included, through SwfWriter::writeTag and SwfReader::readTag.
#include "RoundTrip.h"

#include "swf/writer/ActionAssembler.h"
#include "swf/writer/ShapeBuilder.h"

namespace kf::swf::test {
namespace {

auto writeTag = [](SwfWriter& writer, const Tag& tag) { writer.writeTag(tag); };
auto readTag = [](SwfReader& reader) { return reader.readTag().value_or(Tag{}); };

Tag tagOf(TagBody body) {
    return Tag{SwfWriter::codeFor(body), 0, std::move(body)};
}

TEST(TagRoundTrip, defineShapeInEachVersion) {
    for (int version = 1; version <= 4; ++version) {
        ShapeBuilder builder(version);
        builder.setFill(ShapeBuilder::solidFill(Rgba{10, 20, 30, 255}))
            .setLine(ShapeBuilder::lineStyle(40, Rgba{0, 0, 0, 255}))
            .addCircle(Twips{0}, Twips{0}, Twips{500});
        DefineShapeTag shape = builder.build(CharacterId{3});
        if (version == 4) {
            shape.usesFillWindingRule = true;
            shape.usesNonScalingStrokes = true;
            shape.edgeBounds = Rect{Twips{-490}, Twips{490}, Twips{-480}, Twips{480}};
        }
        const Tag tag = tagOf(shape);
        EXPECT_EQ(tag.code, version == 1   ? TagCode::DefineShape
                            : version == 2 ? TagCode::DefineShape2
                            : version == 3 ? TagCode::DefineShape3
                                           : TagCode::DefineShape4);
        expectRoundTrip(tag, std::nullopt, writeTag, readTag);
    }
}

TEST(TagRoundTrip, removeObjectBothVersions) {
    expectRoundTrip(tagOf(RemoveObjectTag{CharacterId{5}, Depth{6}}), Bytes{0x44, 0x01, 5, 0, 6, 0}, writeTag,
                    readTag);
    expectRoundTrip(tagOf(RemoveObjectTag{std::nullopt, Depth{6}}), Bytes{0x02, 0x07, 6, 0}, writeTag,
                    readTag);
}

TEST(TagRoundTrip, spriteWithNestedControlTagsAndNoEndInItsList) {
    PlaceObjectTag place;
    place.version = 2;
    place.depth = Depth{1};
    place.characterId = CharacterId{1};
    DefineSpriteTag sprite;
    sprite.id = CharacterId{2};
    sprite.frameCount = 2;
    sprite.tags = {tagOf(place), tagOf(ShowFrameTag{}), tagOf(FrameLabelTag{"second", false}),
                   tagOf(RemoveObjectTag{std::nullopt, Depth{1}}), tagOf(ShowFrameTag{})};
    SwfWriter writer;
    writer.writeTag(tagOf(sprite));
    SwfReader reader(writer.bytes(), 10);
    const Tag back = reader.readTag().value_or(Tag{});
    ASSERT_FALSE(reader.failed()) << reader.errorMessage();
    const auto* read = std::get_if<DefineSpriteTag>(&back.body);
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->id, CharacterId{2});
    EXPECT_EQ(read->frameCount, 2);
    ASSERT_EQ(read->tags.size(), 5u);
    // Inner offsets count from the start of the file: sprite header 2 + id 2 + count 2.
    EXPECT_EQ(read->tags[0].offset, 6u);
    for (std::size_t index = 0; index < sprite.tags.size(); ++index) {
        EXPECT_EQ(read->tags[index].code, sprite.tags[index].code);
        EXPECT_EQ(read->tags[index].body, sprite.tags[index].body);
    }
}

TEST(TagRoundTrip, frameLabelAnchorFromSwf6Only) {
    expectRoundTrip(tagOf(FrameLabelTag{"intro", true}), Bytes{0xC7, 0x0A, 'i', 'n', 't', 'r', 'o', 0, 1},
                    writeTag, readTag, 6);
    // SWF 5 players ignore what follows the name: the anchor byte reads as nothing.
    const Bytes bytes{0xC7, 0x0A, 'i', 'n', 't', 'r', 'o', 0, 1};
    SwfReader reader(bytes, 5);
    EXPECT_EQ(std::get<FrameLabelTag>(reader.readTag()->body), (FrameLabelTag{"intro", false}));
}

TEST(TagRoundTrip, backgroundFileAttributesAndMetadata) {
    expectRoundTrip(tagOf(SetBackgroundColorTag{Rgba{0x33, 0x66, 0x99, 255}}),
                    Bytes{0x43, 0x02, 0x33, 0x66, 0x99}, writeTag, readTag);
    FileAttributesTag attributes;
    attributes.hasMetadata = true;
    attributes.useNetwork = true;
    attributes.useGpu = true;
    expectRoundTrip(tagOf(attributes), Bytes{0x44, 0x11, 0x31, 0, 0, 0}, writeTag, readTag);
    expectRoundTrip(tagOf(MetadataTag{"<rdf:RDF/>"}), std::nullopt, writeTag, readTag);
}

TEST(TagRoundTrip, sceneAndFrameLabelDataWithMultiByteNumbers) {
    DefineSceneAndFrameLabelDataTag data;
    data.scenes = {{0, "Scene 1"}, {200, "Scene 2"}};
    data.labels = {{0, "start"}, {100000, "far"}};
    expectRoundTrip(tagOf(data), std::nullopt, writeTag, readTag);
}

TEST(TagRoundTrip, doActionAndDoInitAction) {
    expectRoundTrip(tagOf(DoActionTag{ActionAssembler().stop().gotoFrame(4).play().block()}),
                    Bytes{0x08, 0x03, 0x07, 0x81, 0x02, 0x00, 0x04, 0x00, 0x06, 0x00}, writeTag, readTag);
    expectRoundTrip(tagOf(DoInitActionTag{CharacterId{9}, ActionAssembler().trace("init").block()}),
                    std::nullopt, writeTag, readTag);
}

TEST(TagRoundTrip, unknownTagsKeepTheirBodyAndCode) {
    const Tag tag{TagCode::DefineBinaryData, 0, UnknownTag{Bytes(100, 0xAB)}};
    expectRoundTrip(tag, std::nullopt, writeTag, readTag);
    const Tag undefined{static_cast<TagCode>(777), 0, UnknownTag{Bytes{1, 2, 3}}};
    expectRoundTrip(undefined, std::nullopt, writeTag, readTag);
}

TEST(TagNames, namesAsTheFormatDocumentationWritesThem) {
    EXPECT_EQ(tagName(TagCode::End), "End");
    EXPECT_EQ(tagName(TagCode::DefineShape3), "DefineShape3");
    EXPECT_EQ(tagName(TagCode::DefineBitsJpeg2), "DefineBitsJPEG2");
    EXPECT_EQ(tagName(TagCode::DoAbc), "DoABC");
    EXPECT_EQ(tagName(TagCode::DefineFont4), "DefineFont4");
    EXPECT_EQ(tagName(static_cast<TagCode>(30)), "");
    EXPECT_EQ(tagName(static_cast<TagCode>(1000)), "");
}

} // namespace
} // namespace kf::swf::test
