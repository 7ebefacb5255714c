// Filters, clip actions and the PlaceObject family.
#include "RoundTrip.h"

#include "swf/writer/ActionAssembler.h"

namespace kf::swf::test {
namespace {

auto writePlace = [](SwfWriter& writer, const PlaceObjectTag& tag) { writer.writePlaceObject(tag); };
auto readPlace(int version) {
    return [version](SwfReader& reader) { return reader.readPlaceObject(version); };
}

std::vector<Filter> oneOfEachFilter() {
    DropShadowFilter shadow;
    shadow.color = Rgba{0, 0, 0, 128};
    shadow.blurX = Fixed16::fromDouble(4);
    shadow.blurY = Fixed16::fromDouble(5);
    shadow.angle = Fixed16::fromDouble(0.785);
    shadow.distance = Fixed16::fromDouble(-3);
    shadow.strength = Fixed8::fromDouble(1.5);
    shadow.innerShadow = true;
    shadow.passes = 31;
    BlurFilter blur{Fixed16::fromDouble(2), Fixed16::fromDouble(8), 3};
    GlowFilter glow;
    glow.color = Rgba{255, 255, 0, 255};
    glow.knockout = true;
    glow.compositeSource = false;
    BevelFilter bevel;
    bevel.shadowColor = Rgba{1, 2, 3, 4};
    bevel.highlightColor = Rgba{5, 6, 7, 8};
    bevel.onTop = true;
    bevel.passes = 15;
    GradientGlowFilter gradientGlow;
    gradientGlow.stops = {{Rgba{255, 0, 0, 0}, 0}, {Rgba{255, 0, 0, 255}, 128}, {Rgba{0, 0, 0, 255}, 255}};
    gradientGlow.angle = Fixed16::fromDouble(1);
    ConvolutionFilter convolution;
    convolution.matrixX = 3;
    convolution.matrixY = 2;
    convolution.divisor = 6;
    convolution.bias = -0.5f;
    convolution.matrix = {1, 2, 3, 4, 5, 6};
    convolution.clamp = true;
    ColorMatrixFilter colorMatrix;
    colorMatrix.matrix[4] = 0.25f;
    GradientBevelFilter gradientBevel;
    gradientBevel.stops = {{Rgba{9, 9, 9, 9}, 7}};
    gradientBevel.onTop = true;
    return {shadow, blur, glow, bevel, gradientGlow, convolution, colorMatrix, gradientBevel};
}

TEST(FilterRecords, eachFilterKindRoundTripsInItsOwnSlot) {
    for (const Filter& filter : oneOfEachFilter()) {
        expectRoundTrip(
            filter, std::nullopt, [](SwfWriter& writer, const Filter& value) { writer.writeFilter(value); },
            [](SwfReader& reader) { return reader.readFilter(); });
    }
}

TEST(FilterRecords, blurBytes) {
    // Id 1, BlurX 2.0 and BlurY 1.0 in 16.16, passes 3 in the top five bits.
    expectRoundTrip(
        Filter{BlurFilter{Fixed16::fromDouble(2), Fixed16::fromDouble(1), 3}},
        Bytes{1, 0, 0, 2, 0, 0, 0, 1, 0, 0x18},
        [](SwfWriter& writer, const Filter& value) { writer.writeFilter(value); },
        [](SwfReader& reader) { return reader.readFilter(); });
}

TEST(FilterRecords, unknownFilterIdFails) {
    const Bytes bytes{1, 8, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    SwfReader reader(bytes, 10);
    reader.readFilterList();
    EXPECT_TRUE(reader.failed());
    EXPECT_EQ(reader.errorMessage(), "unknown filter id 8");
}

TEST(PlaceObjectRecord, placeObject1WithAndWithoutColourTransform) {
    PlaceObjectTag tag;
    tag.version = 1;
    tag.characterId = CharacterId{7};
    tag.depth = Depth{3};
    tag.matrix = Matrix{};
    expectRoundTrip(tag, Bytes{7, 0, 3, 0, 0x00}, writePlace, readPlace(1));
    tag.colorTransform = ColorTransform{};
    tag.colorTransform->blueAddition = -5;
    expectRoundTrip(tag, std::nullopt, writePlace, readPlace(1));
}

TEST(PlaceObjectRecord, placeObject2MoveWithOnlyAMatrix) {
    PlaceObjectTag tag;
    tag.version = 2;
    tag.isMove = true;
    tag.depth = Depth{0x0102};
    tag.matrix = Matrix{};
    // Flags: HasMatrix | Move, depth, identity matrix.
    expectRoundTrip(tag, Bytes{0x05, 0x02, 0x01, 0x00}, writePlace, readPlace(2));
}

TEST(PlaceObjectRecord, placeObject2EveryField) {
    PlaceObjectTag tag;
    tag.version = 2;
    tag.depth = Depth{10};
    tag.characterId = CharacterId{4};
    tag.matrix = Matrix{2, 0, 0, 2, -40, 60};
    tag.colorTransform = ColorTransform{256, 256, 256, 128, 0, 0, 0, 0};
    tag.ratio = 65535;
    tag.name = "clip_1";
    tag.clipDepth = Depth{12};
    expectRoundTrip(tag, std::nullopt, writePlace, readPlace(2));
}

TEST(PlaceObjectRecord, placeObject3FiltersBlendModeCacheVisibleAndBackground) {
    PlaceObjectTag tag;
    tag.version = 3;
    tag.depth = Depth{1};
    tag.characterId = CharacterId{2};
    PlaceObjectExtras& extras = tag.extras.ensure();
    extras.className = "com.example.Ball";
    extras.filters = oneOfEachFilter();
    extras.blendMode = BlendMode::HardLight;
    extras.cacheAsBitmap = true;
    extras.visible = false;
    extras.backgroundColor = Rgba{1, 2, 3, 4};
    expectRoundTrip(tag, std::nullopt, writePlace, readPlace(3));
}

TEST(PlaceObjectRecord, blendModeZeroAndOutOfRangeReadAsNormal) {
    for (std::uint8_t mode : {0, 15, 255}) {
        // Flags: none; flags 3: HasBlendMode; depth 1; mode.
        const Bytes bytes{0x00, 0x02, 1, 0, mode};
        SwfReader reader(bytes, 10);
        EXPECT_EQ(reader.readPlaceObject(3).extras->blendMode, BlendMode::Normal);
    }
}

std::vector<ClipActionRecord> clipActions() {
    ClipActionRecord load;
    load.events =
        static_cast<std::uint32_t>(ClipEvent::Load) | static_cast<std::uint32_t>(ClipEvent::EnterFrame);
    load.actions = ActionAssembler().stop().trace("loaded").block();
    ClipActionRecord key;
    key.events = static_cast<std::uint32_t>(ClipEvent::KeyPress);
    key.keyCode = 13;
    key.actions = ActionAssembler().play().block();
    ClipActionRecord mouse;
    mouse.events =
        static_cast<std::uint32_t>(ClipEvent::Release) | static_cast<std::uint32_t>(ClipEvent::DragOver);
    mouse.actions = ActionAssembler().nextFrame().block();
    return {load, key, mouse};
}

TEST(ClipActions, swf6LayoutWithKeyPressKeyCode) {
    PlaceObjectTag tag;
    tag.version = 2;
    tag.depth = Depth{1};
    tag.characterId = CharacterId{1};
    tag.extras.ensure().clipActions = clipActions();
    expectRoundTrip(tag, std::nullopt, writePlace, readPlace(2), 6);
}

TEST(ClipActions, swf5LayoutUsesSixteenBitFlags) {
    ClipActionRecord enterFrame;
    enterFrame.events = static_cast<std::uint32_t>(ClipEvent::EnterFrame);
    enterFrame.actions = ActionAssembler().stop().block();
    expectRoundTrip(
        std::vector<ClipActionRecord>{enterFrame},
        // Reserved, all events (EnterFrame), record flags, size 2, Stop, End, end flag.
        Bytes{0, 0, 0x02, 0x00, 0x02, 0x00, 2, 0, 0, 0, 0x07, 0x00, 0, 0},
        [](SwfWriter& writer, const std::vector<ClipActionRecord>& value) { writer.writeClipActions(value); },
        [](SwfReader& reader) { return reader.readClipActions(); }, 5);
}

TEST(ClipActions, fileBitsMapOntoClipEvents) {
    // SWF 6 flags bytes: KeyUp (byte 0, top bit), Data (byte 1, bottom bit), Construct (byte 2, bit 2).
    const Bytes bytes{0, 0, 0x80, 0x01, 0x04, 0x00, 0x80, 0x01, 0x04, 0x00, 1, 0, 0, 0, 0x00, 0, 0, 0, 0};
    SwfReader reader(bytes, 6);
    const std::vector<ClipActionRecord> records = reader.readClipActions();
    ASSERT_FALSE(reader.failed()) << reader.errorMessage();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_TRUE(hasClipEvent(records[0].events, ClipEvent::KeyUp));
    EXPECT_TRUE(hasClipEvent(records[0].events, ClipEvent::Data));
    EXPECT_TRUE(hasClipEvent(records[0].events, ClipEvent::Construct));
    EXPECT_EQ(records[0].events, static_cast<std::uint32_t>(ClipEvent::KeyUp) |
                                     static_cast<std::uint32_t>(ClipEvent::Data) |
                                     static_cast<std::uint32_t>(ClipEvent::Construct));
}

TEST(ClipActions, recordLongerThanTheTagFails) {
    const Bytes bytes{0, 0, 0x01, 0x00, 0x01, 0x00, 200, 0, 0, 0, 0x07, 0x00};
    SwfReader reader(bytes, 5);
    reader.readClipActions();
    EXPECT_TRUE(reader.failed());
}

} // namespace
} // namespace kf::swf::test
