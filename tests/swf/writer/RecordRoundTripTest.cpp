// Basic records: what the writer emits byte for byte and what the reader makes of it.
#include "RoundTrip.h"

namespace kf::swf::test {
namespace {

auto writeRect = [](SwfWriter& writer, const Rect& rect) { writer.writeRect(rect); };
auto readRect = [](SwfReader& reader) { return reader.readRect(); };
auto writeMatrix = [](SwfWriter& writer, const Matrix& matrix) { writer.writeMatrix(matrix); };
auto readMatrix = [](SwfReader& reader) { return reader.readMatrix(); };

TEST(RectRecord, stageOf550By400MatchesTheClassicHeaderBytes) {
    expectRoundTrip(Rect{Twips{0}, Twips{11000}, Twips{0}, Twips{8000}},
                    Bytes{0x78, 0x00, 0x05, 0x5F, 0x00, 0x00, 0x0F, 0xA0, 0x00}, writeRect, readRect);
}

TEST(RectRecord, zeroRectTakesOneByte) {
    expectRoundTrip(Rect{}, Bytes{0x00}, writeRect, readRect);
}

TEST(RectRecord, negativeCoordinatesAreSignExtended) {
    // 2 bits per value: -1 = 11, 1 = 01, -2 = 10, 0 = 00.
    expectRoundTrip(Rect{Twips{-1}, Twips{1}, Twips{-2}, Twips{0}}, Bytes{0x16, 0xC0}, writeRect, readRect);
}

TEST(MatrixRecord, identityIsOneZeroByte) {
    expectRoundTrip(Matrix{}, Bytes{0x00}, writeMatrix, readMatrix);
}

TEST(MatrixRecord, translationOnlyWritesTranslateBits) {
    expectRoundTrip(Matrix::translation(20, 40), Bytes{0x0E, 0x51, 0x40}, writeMatrix, readMatrix);
}

TEST(MatrixRecord, scaleRotateAndNegativeTranslationSurvive) {
    expectRoundTrip(Matrix{1.5, 0.5, -2.0, -0.25, -100, 3}, std::nullopt, writeMatrix, readMatrix);
    expectRoundTrip(Matrix{1.0 / 65536, 0, 0, 16383.0, 0, 0}, std::nullopt, writeMatrix, readMatrix);
}

TEST(MatrixRecord, rotateSkew0IsTheTermThatMovesXIntoY) {
    // HasScale 0, HasRotate 1, NRotateBits 18, RotateSkew0 = 1.0, RotateSkew1 = 0, no translation.
    expectRoundTrip(Matrix{1.0, 1.0, 0.0, 1.0, 0, 0}, Bytes{0x64, 0x80, 0x00, 0x00, 0x00, 0x00}, writeMatrix,
                    readMatrix);
}

TEST(ColorTransformRecord, multiplyOnlyWithoutAlpha) {
    ColorTransform transform;
    transform.redMultiplier = 128;
    expectRoundTrip(
        transform, Bytes{0x68, 0x80, 0x40, 0x10, 0x00},
        [](SwfWriter& writer, const ColorTransform& value) { writer.writeColorTransform(value); },
        [](SwfReader& reader) { return reader.readColorTransform(); });
}

TEST(ColorTransformRecord, identityWritesNoTerms) {
    expectRoundTrip(
        ColorTransform{}, Bytes{0x00},
        [](SwfWriter& writer, const ColorTransform& value) { writer.writeColorTransformWithAlpha(value); },
        [](SwfReader& reader) { return reader.readColorTransformWithAlpha(); });
}

TEST(ColorTransformRecord, withAlphaKeepsNegativeAdditionsAndAlphaTerms) {
    const ColorTransform transform{256, 0, -256, 64, -255, 0, 255, -128};
    expectRoundTrip(
        transform, std::nullopt,
        [](SwfWriter& writer, const ColorTransform& value) { writer.writeColorTransformWithAlpha(value); },
        [](SwfReader& reader) { return reader.readColorTransformWithAlpha(); });
}

TEST(ColorRecords, byteOrderOfRgbRgbaAndArgb) {
    const Rgba color{0x11, 0x22, 0x33, 0x44};
    expectRoundTrip(
        Rgba{0x11, 0x22, 0x33, 255}, Bytes{0x11, 0x22, 0x33},
        [](SwfWriter& writer, Rgba value) { writer.writeRgb(value); },
        [](SwfReader& reader) { return reader.readRgb(); });
    expectRoundTrip(
        color, Bytes{0x11, 0x22, 0x33, 0x44}, [](SwfWriter& writer, Rgba value) { writer.writeRgba(value); },
        [](SwfReader& reader) { return reader.readRgba(); });
    expectRoundTrip(
        color, Bytes{0x44, 0x11, 0x22, 0x33}, [](SwfWriter& writer, Rgba value) { writer.writeArgb(value); },
        [](SwfReader& reader) { return reader.readArgb(); });
}

TEST(TagHeader, shortFormBelow63BytesLongFormOtherwise) {
    SwfWriter writer;
    writer.writeTagHeader(TagCode::ShowFrame, 0);
    writer.writeTagHeader(TagCode::DefineShape3, 62);
    writer.writeTagHeader(TagCode::DefineShape3, 63);
    writer.writeTagHeader(TagCode::End, 5, true);
    EXPECT_EQ(writer.bytes(),
              (Bytes{0x40, 0x00, 0x3E, 0x08, 0x3F, 0x08, 63, 0, 0, 0, 0x3F, 0x00, 5, 0, 0, 0}));
}

TEST(EncodedU32, sevenBitGroupsLowFirst) {
    for (const auto& [value, bytes] :
         std::vector<std::pair<std::uint32_t, Bytes>>{{0, {0x00}},
                                                      {127, {0x7F}},
                                                      {128, {0x80, 0x01}},
                                                      {300, {0xAC, 0x02}},
                                                      {0xFFFFFFFF, {0xFF, 0xFF, 0xFF, 0xFF, 0x0F}}}) {
        BitWriter writer;
        writer.writeEncodedU32(value);
        EXPECT_EQ(writer.bytes(), bytes) << value;
        BitReader reader(bytes);
        EXPECT_EQ(reader.readEncodedU32(), value);
        EXPECT_TRUE(reader.atEnd());
    }
}

TEST(BitFields, signedFieldsOfEveryWidthRoundTrip) {
    BitWriter writer;
    for (unsigned width = 1; width <= 32; ++width) {
        const std::int32_t lowest = width == 32 ? INT32_MIN : -(std::int32_t{1} << (width - 1));
        writer.writeSignedBits(lowest, width);
        writer.writeSignedBits(-lowest - 1, width);
    }
    const Bytes bytes = writer.takeBytes();
    BitReader reader(bytes);
    for (unsigned width = 1; width <= 32; ++width) {
        const std::int32_t lowest = width == 32 ? INT32_MIN : -(std::int32_t{1} << (width - 1));
        EXPECT_EQ(reader.readSignedBits(width), lowest) << width;
        EXPECT_EQ(reader.readSignedBits(width), -lowest - 1) << width;
    }
    EXPECT_FALSE(reader.failed());
}

TEST(BitFields, readingPastTheEndFailsAndStaysFailed) {
    const Bytes bytes{0xFF};
    BitReader reader(bytes);
    EXPECT_EQ(reader.readUnsignedBits(4), 0xFu);
    EXPECT_EQ(reader.readUnsignedBits(5), 0u);
    EXPECT_TRUE(reader.failed());
    EXPECT_EQ(reader.readU8(), 0);
    EXPECT_TRUE(reader.failed());
}

} // namespace
} // namespace kf::swf::test
