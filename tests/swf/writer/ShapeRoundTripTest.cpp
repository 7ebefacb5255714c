// Styles, gradients and shape records in every DefineShape version.
#include "RoundTrip.h"

namespace kf::swf::test {
namespace {

auto writeFill(int version) {
    return [version](SwfWriter& writer, const FillStyle& style) { writer.writeFillStyle(style, version); };
}
auto readFill(int version) {
    return [version](SwfReader& reader) { return reader.readFillStyle(version); };
}
auto writeLine(int version) {
    return [version](SwfWriter& writer, const LineStyle& style) { writer.writeLineStyle(style, version); };
}
auto readLine(int version) {
    return [version](SwfReader& reader) { return reader.readLineStyle(version); };
}
auto writeShapeWithStyle(int version) {
    return [version](SwfWriter& writer, const Shape& shape) { writer.writeShapeWithStyle(shape, version); };
}
auto readShapeWithStyle(int version) {
    return [version](SwfReader& reader) { return reader.readShapeWithStyle(version); };
}

FillStyle solid(Rgba color) {
    FillStyle style;
    style.color = color;
    return style;
}

Gradient twoStops(std::uint8_t alpha) {
    Gradient gradient;
    gradient.records = {{0, Rgba{255, 0, 0, alpha}}, {255, Rgba{0, 0, 255, alpha}}};
    return gradient;
}

TEST(FillStyleRecord, solidIsRgbBeforeShape3AndRgbaFrom3) {
    expectRoundTrip(solid(Rgba{1, 2, 3, 255}), Bytes{0x00, 1, 2, 3}, writeFill(1), readFill(1));
    expectRoundTrip(solid(Rgba{1, 2, 3, 255}), Bytes{0x00, 1, 2, 3}, writeFill(2), readFill(2));
    expectRoundTrip(solid(Rgba{1, 2, 3, 4}), Bytes{0x00, 1, 2, 3, 4}, writeFill(3), readFill(3));
    expectRoundTrip(solid(Rgba{1, 2, 3, 4}), Bytes{0x00, 1, 2, 3, 4}, writeFill(4), readFill(4));
}

TEST(FillStyleRecord, linearGradientWithSpreadAndInterpolation) {
    FillStyle style;
    style.type = FillType::LinearGradient;
    style.matrix = Matrix{0.5, 0, 0, 0.5, 100, 100};
    style.gradient = twoStops(128);
    style.gradient.spread = SpreadMode::Reflect;
    style.gradient.interpolation = InterpolationMode::Linear;
    expectRoundTrip(style, std::nullopt, writeFill(3), readFill(3));
    // Identity matrix, then spread 01, interpolation 01, 2 records, each ratio + RGB.
    style.matrix = Matrix{};
    style.gradient = twoStops(255);
    style.gradient.spread = SpreadMode::Reflect;
    style.gradient.interpolation = InterpolationMode::Linear;
    expectRoundTrip(style, Bytes{0x10, 0x00, 0x52, 0, 255, 0, 0, 255, 0, 0, 255}, writeFill(2), readFill(2));
}

TEST(FillStyleRecord, focalGradientKeepsItsFocalPoint) {
    FillStyle style;
    style.type = FillType::FocalRadialGradient;
    style.gradient = twoStops(200);
    style.gradient.focalPoint = Fixed8::fromDouble(-0.75);
    expectRoundTrip(style, std::nullopt, writeFill(4), readFill(4));
}

TEST(FillStyleRecord, bitmapFillsKeepIdAndMatrix) {
    for (FillType type : {FillType::RepeatingBitmap, FillType::ClippedBitmap,
                          FillType::NonSmoothedRepeatingBitmap, FillType::NonSmoothedClippedBitmap}) {
        FillStyle style;
        style.type = type;
        style.bitmapId = CharacterId{0xFFFF};
        style.matrix = Matrix{20, 0, 0, 20, 0, 0};
        expectRoundTrip(style, std::nullopt, writeFill(3), readFill(3));
    }
}

TEST(FillStyleRecord, unknownTypeFailsWithItsValue) {
    const Bytes bytes{0x17, 0, 0, 0};
    SwfReader reader(bytes, 10);
    reader.readFillStyle(3);
    EXPECT_TRUE(reader.failed());
    EXPECT_EQ(reader.errorMessage(), "invalid fill style type 0x17");
}

TEST(FillStyleArrayRecord, moreThan254StylesUseTheExtendedCountFromShape2) {
    const FillStyleArray styles(300, solid(Rgba{9, 8, 7, 255}));
    SwfWriter writer;
    writer.writeFillStyleArray(styles, 2);
    ASSERT_GE(writer.bytes().size(), 3u);
    EXPECT_EQ((Bytes{writer.bytes()[0], writer.bytes()[1], writer.bytes()[2]}), (Bytes{0xFF, 0x2C, 0x01}));
    expectRoundTrip(
        styles, std::nullopt,
        [](SwfWriter& out, const FillStyleArray& value) { out.writeFillStyleArray(value, 2); },
        [](SwfReader& reader) { return reader.readFillStyleArray(2); });
}

TEST(FillStyleArrayRecord, shape1ReadsCount255AsIs) {
    // DefineShape has no extended count: 0xFF means 255 styles.
    Bytes bytes{0xFF};
    for (int index = 0; index < 255; ++index) {
        bytes.insert(bytes.end(), {0x00, 1, 2, 3});
    }
    SwfReader reader(bytes, 10);
    EXPECT_EQ(reader.readFillStyleArray(1).size(), 255u);
    EXPECT_FALSE(reader.failed());
}

TEST(LineStyleRecord, widthAndColourBeforeShape4) {
    LineStyle style;
    style.width = 0x0102;
    style.color = Rgba{10, 20, 30, 255};
    expectRoundTrip(style, Bytes{0x02, 0x01, 10, 20, 30}, writeLine(1), readLine(1));
    style.color.alpha = 40;
    expectRoundTrip(style, Bytes{0x02, 0x01, 10, 20, 30, 40}, writeLine(3), readLine(3));
}

TEST(LineStyleRecord, lineStyle2FlagsMiterAndColour) {
    LineStyle style;
    style.width = 40;
    style.color = Rgba{1, 2, 3, 4};
    style.startCap = CapStyle::Square;
    style.endCap = CapStyle::None;
    style.join = JoinStyle::Miter;
    style.noHorizontalScale = true;
    style.pixelHinting = true;
    style.noClose = true;
    style.miterLimit = Fixed8::fromDouble(2.5);
    // Start cap 10, join 10, no fill 0, no-h 1, no-v 0, hinting 1, 5 reserved, no-close 1, end cap 01.
    expectRoundTrip(style, Bytes{40, 0, 0xA5, 0x05, 0x80, 0x02, 1, 2, 3, 4}, writeLine(4), readLine(4));
}

TEST(LineStyleRecord, lineStyle2WithAFillInsteadOfAColour) {
    LineStyle style;
    style.width = 100;
    style.join = JoinStyle::Bevel;
    FillStyle fill;
    fill.type = FillType::RadialGradient;
    fill.gradient = twoStops(255);
    style.fill = fill;
    expectRoundTrip(style, std::nullopt, writeLine(4), readLine(4));
}

Shape everyRecordKind() {
    Shape shape;
    shape.fillStyles = {solid(Rgba{255, 0, 0, 255}), solid(Rgba{0, 255, 0, 255})};
    LineStyle line;
    line.width = 20;
    shape.lineStyles = {line};
    StyleChangeRecord start;
    start.setMoveTo(Twips{-500}, Twips{1000});
    start.setFillStyle0(0);
    start.setFillStyle1(2);
    start.setLineStyle(1);
    shape.records.emplace_back(start);
    shape.records.emplace_back(StraightEdgeRecord{Twips{300}, Twips{0}});    // horizontal
    shape.records.emplace_back(StraightEdgeRecord{Twips{0}, Twips{-40000}}); // vertical, 17 bits
    shape.records.emplace_back(StraightEdgeRecord{Twips{-1}, Twips{1}});     // general, smallest
    shape.records.emplace_back(CurvedEdgeRecord{Twips{10}, Twips{-20}, Twips{30}, Twips{-40}});
    StyleChangeRecord restyle;
    restyle.setFillStyle1(1);
    shape.records.emplace_back(restyle);
    shape.records.emplace_back(StraightEdgeRecord{Twips{0}, Twips{0}});
    return shape;
}

TEST(ShapeRecords, everyRecordKindInEveryShapeVersion) {
    for (int version = 1; version <= 4; ++version) {
        Shape shape = everyRecordKind();
        if (version < 3) {
            shape.fillStyles[0].color.alpha = 255;
        }
        expectRoundTrip(shape, std::nullopt, writeShapeWithStyle(version), readShapeWithStyle(version));
    }
}

TEST(ShapeRecords, newStylesChangeTheIndexWidthOfLaterRecords) {
    Shape shape = everyRecordKind();
    StyleChangeRecord newStyles;
    // 5-bit fill indices from here, and no line bits at all.
    newStyles.newStyles = ShapeStyles{FillStyleArray(20, solid(Rgba{1, 1, 1, 255})), LineStyleArray{}};
    newStyles.setFillStyle0(1);
    shape.records.emplace_back(newStyles);
    StyleChangeRecord useLast;
    useLast.setFillStyle1(20);
    useLast.setMoveTo(Twips{0}, Twips{0});
    shape.records.emplace_back(useLast);
    shape.records.emplace_back(CurvedEdgeRecord{Twips{1}, Twips{1}, Twips{1}, Twips{1}});
    expectRoundTrip(shape, std::nullopt, writeShapeWithStyle(3), readShapeWithStyle(3));
}

TEST(ShapeRecords, smallestShapeBytes) {
    // No styles, 0 fill and 0 line bits, a horizontal line of one twip, then the end record.
    Shape shape;
    shape.records.emplace_back(StraightEdgeRecord{Twips{1}, Twips{0}});
    // Edge 1, straight 1, NumBits-2 = 0, general 0, vertical 0, dx = 01 (2 bits), end 000000.
    expectRoundTrip(shape, Bytes{0x00, 0x00, 0x00, 0xC0, 0x40}, writeShapeWithStyle(1),
                    readShapeWithStyle(1));
}

TEST(ShapeRecords, glyphShapeWithoutStyleArrays) {
    Shape shape;
    StyleChangeRecord start;
    start.setFillStyle1(1);
    start.setMoveTo(Twips{5}, Twips{-5});
    shape.records.emplace_back(start);
    shape.records.emplace_back(CurvedEdgeRecord{Twips{100}, Twips{0}, Twips{0}, Twips{100}});
    expectRoundTrip(
        shape, std::nullopt, [](SwfWriter& writer, const Shape& value) { writer.writeShape(value, 1); },
        [](SwfReader& reader) { return reader.readShape(1); });
}

TEST(ShapeRecords, missingEndRecordIsTruncation) {
    SwfWriter writer;
    writer.writeShapeWithStyle(everyRecordKind(), 3);
    Bytes bytes = writer.takeBytes();
    bytes.pop_back();
    SwfReader reader(bytes, 10);
    reader.readShapeWithStyle(3);
    EXPECT_TRUE(reader.failed());
}

} // namespace
} // namespace kf::swf::test
