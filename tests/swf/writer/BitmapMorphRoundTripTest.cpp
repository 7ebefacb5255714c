// Bitmap and morph-shape tags, header included, through SwfWriter and SwfReader.
#include "RoundTrip.h"

namespace kf::swf::test {
namespace {

Tag readOne(const Bytes& bytes) {
    SwfReader reader(bytes, 10);
    std::optional<Tag> tag = reader.readTag();
    EXPECT_TRUE(tag.has_value()) << reader.errorMessage();
    return tag.value_or(Tag{});
}

TEST(BitmapRoundTrip, jpegTagsInEveryVersionKeepTheirBytes) {
    for (std::uint8_t version = 1; version <= 4; ++version) {
        DefineBitsJpegTag tag;
        tag.id = CharacterId{7};
        tag.version = version;
        tag.imageData = {0xFF, 0xD8, 0x01, 0x02, 0xFF, 0xD9};
        if (version >= 3) {
            tag.alphaData = {0x78, 0x9C, 0x03, 0x00};
        }
        if (version == 4) {
            tag.deblocking = Fixed8::fromDouble(0.5);
        }
        SCOPED_TRACE(static_cast<int>(version));
        const Tag written = wholeTag(tag);
        EXPECT_EQ(written.code, version == 1   ? TagCode::DefineBits
                                : version == 2 ? TagCode::DefineBitsJpeg2
                                : version == 3 ? TagCode::DefineBitsJpeg3
                                               : TagCode::DefineBitsJpeg4);
        expectTagRoundTrip(written);
    }
    expectTagRoundTrip(wholeTag(JpegTablesTag{{0xFF, 0xD8, 0xFF, 0xD9}}),
                       Bytes{0x04, 0x02, 0xFF, 0xD8, 0xFF, 0xD9});
    expectTagRoundTrip(wholeTag(JpegTablesTag{}), Bytes{0x00, 0x02});
}

TEST(BitmapRoundTrip, jpeg3WhoseImageSizeRunsPastTheTagKeepsEverythingAsImage) {
    // id 1, image size 200 (but only 3 bytes follow): no alpha plane.
    const Bytes bytes{0xC9, 0x08, 1, 0, 200, 0, 0, 0, 0xFF, 0xD8, 0x00};
    const Tag tag = readOne(bytes);
    const auto* jpeg = std::get_if<DefineBitsJpegTag>(&tag.body);
    ASSERT_NE(jpeg, nullptr);
    EXPECT_EQ(jpeg->imageData, (Bytes{0xFF, 0xD8, 0x00}));
    EXPECT_TRUE(jpeg->alphaData.empty());
}

TEST(BitmapRoundTrip, losslessTagsWithAndWithoutColourTable) {
    DefineBitsLosslessTag mapped;
    mapped.id = CharacterId{9};
    mapped.version = 2;
    mapped.format = static_cast<std::uint8_t>(LosslessFormat::ColorMapped);
    mapped.width = 3;
    mapped.height = 2;
    mapped.colorTableSize = 256; // stored as 255
    mapped.data = {0x78, 0x9C, 0x01};
    expectTagRoundTrip(wholeTag(mapped), Bytes{0x0B, 0x09, 9, 0, 3, 3, 0, 2, 0, 255, 0x78, 0x9C, 0x01});

    DefineBitsLosslessTag direct = mapped;
    direct.version = 1;
    direct.format = static_cast<std::uint8_t>(LosslessFormat::Rgb24);
    direct.colorTableSize = 0;
    const Tag written = wholeTag(direct);
    EXPECT_EQ(written.code, TagCode::DefineBitsLossless);
    expectTagRoundTrip(written);
}

MorphShape squareToCurve(int version) {
    MorphShape morph;
    morph.startBounds = Rect{Twips{0}, Twips{200}, Twips{0}, Twips{200}};
    morph.endBounds = Rect{Twips{100}, Twips{500}, Twips{100}, Twips{500}};
    morph.startEdgeBounds =
        version >= 2 ? Rect{Twips{10}, Twips{190}, Twips{10}, Twips{190}} : morph.startBounds;
    morph.endEdgeBounds =
        version >= 2 ? Rect{Twips{110}, Twips{490}, Twips{110}, Twips{490}} : morph.endBounds;
    morph.usesNonScalingStrokes = version >= 2;

    MorphFillStyle solid;
    solid.start.color = Rgba{255, 0, 0, 255};
    solid.end.color = Rgba{0, 0, 255, 128};
    MorphFillStyle gradient;
    gradient.start.type = gradient.end.type = FillType::RadialGradient;
    gradient.start.matrix = Matrix::scale(0.5, 0.5);
    gradient.end.matrix = Matrix{1.0, 0.25, -0.25, 1.0, 40.0, -60.0};
    gradient.start.gradient.records = {{0, Rgba{0, 0, 0, 255}}, {255, Rgba{255, 255, 255, 255}}};
    gradient.end.gradient.records = {{64, Rgba{10, 20, 30, 40}}, {200, Rgba{50, 60, 70, 80}}};
    MorphFillStyle bitmap;
    bitmap.start.type = bitmap.end.type = FillType::NonSmoothedClippedBitmap;
    bitmap.start.bitmapId = bitmap.end.bitmapId = CharacterId{4};
    bitmap.start.matrix = Matrix::scale(20, 20);
    bitmap.end.matrix = Matrix::scale(40, 20);
    morph.fillStyles = {solid, gradient, bitmap};

    MorphLineStyle line;
    line.start.width = 20;
    line.end.width = 100;
    line.start.color = Rgba{1, 2, 3, 4};
    line.end.color = Rgba{5, 6, 7, 8};
    if (version >= 2) {
        line.start.join = line.end.join = JoinStyle::Miter;
        line.start.miterLimit = line.end.miterLimit = Fixed8::fromDouble(2.5);
        line.start.endCap = line.end.endCap = CapStyle::Square;
        line.start.noClose = line.end.noClose = true;
    }
    morph.lineStyles = {line};

    StyleChangeRecord start;
    start.setMoveTo(Twips{0}, Twips{0});
    start.setFillStyle1(2);
    start.setLineStyle(1);
    morph.startRecords = {start, StraightEdgeRecord{Twips{200}, Twips{0}},
                          StraightEdgeRecord{Twips{0}, Twips{200}},
                          CurvedEdgeRecord{Twips{-100}, Twips{50}, Twips{-100}, Twips{-50}},
                          StraightEdgeRecord{Twips{0}, Twips{-200}}};
    StyleChangeRecord endMove;
    endMove.setMoveTo(Twips{100}, Twips{100});
    morph.endRecords = {endMove, CurvedEdgeRecord{Twips{200}, Twips{-40}, Twips{200}, Twips{40}},
                        StraightEdgeRecord{Twips{0}, Twips{400}}, StraightEdgeRecord{Twips{-400}, Twips{0}},
                        StraightEdgeRecord{Twips{0}, Twips{-400}}};
    return morph;
}

TEST(MorphRoundTrip, bothVersionsWithEveryStyleKind) {
    for (int version : {1, 2}) {
        DefineMorphShapeTag tag;
        tag.id = CharacterId{12};
        tag.version = static_cast<std::uint8_t>(version);
        tag.morph = squareToCurve(version);
        SCOPED_TRACE(version);
        const Tag written = wholeTag(tag);
        EXPECT_EQ(written.code, version == 1 ? TagCode::DefineMorphShape : TagCode::DefineMorphShape2);
        expectTagRoundTrip(written);
    }
}

TEST(MorphRoundTrip, lineStyleWithAFillInVersionTwo) {
    DefineMorphShapeTag tag;
    tag.id = CharacterId{3};
    tag.version = 2;
    MorphShape morph = squareToCurve(2);
    morph.lineStyles[0].start.fill = morph.fillStyles[1].start;
    morph.lineStyles[0].end.fill = morph.fillStyles[1].end;
    morph.lineStyles[0].start.color = morph.lineStyles[0].end.color = Rgba{};
    tag.morph = morph;
    expectTagRoundTrip(wholeTag(tag));
}

TEST(MorphRoundTrip, aZeroEndEdgeOffsetStillFindsTheEndEdges) {
    DefineMorphShapeTag tag;
    tag.id = CharacterId{5};
    tag.morph = squareToCurve(1);
    SwfWriter writer;
    writer.writeTag(wholeTag(tag));
    Bytes bytes = writer.takeBytes();
    // Header, id, two rectangles, then the offset.
    const std::size_t header = (bytes[0] & 0x3F) == 0x3F ? 6 : 2;
    SwfReader rects(std::span<const std::uint8_t>(bytes).subspan(header + 2), 10);
    rects.readRect();
    rects.readRect();
    const std::size_t offsetAt = header + 2 + rects.bits().position();
    std::fill(bytes.begin() + static_cast<std::ptrdiff_t>(offsetAt),
              bytes.begin() + static_cast<std::ptrdiff_t>(offsetAt + 4), 0);
    const Tag back = readOne(bytes);
    const auto* morph = std::get_if<DefineMorphShapeTag>(&back.body);
    ASSERT_NE(morph, nullptr);
    EXPECT_EQ(*morph, tag);
}

TEST(MorphRoundTrip, truncatedMorphFailsTheReadWithoutCrashing) {
    DefineMorphShapeTag tag;
    tag.id = CharacterId{5};
    tag.morph = squareToCurve(2);
    tag.version = 2;
    SwfWriter writer;
    writer.writeDefineMorphShape(tag);
    const Bytes body = writer.takeBytes();
    for (std::size_t cut : {std::size_t{1}, std::size_t{10}, body.size() / 2}) {
        SwfReader reader(std::span<const std::uint8_t>(body).first(cut), 10);
        reader.readDefineMorphShape(2);
        EXPECT_TRUE(reader.failed()) << cut;
    }
}

} // namespace
} // namespace kf::swf::test
