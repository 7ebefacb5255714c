// Button tags through SwfWriter and SwfReader, and the damaged button tags the reader refuses.
#include "RoundTrip.h"

#include "swf/writer/ActionAssembler.h"

namespace kf::swf::test {
namespace {

auto writeTag = [](SwfWriter& writer, const Tag& tag) { writer.writeTag(tag); };
auto readTag = [](SwfReader& reader) { return reader.readTag().value_or(Tag{}); };

Tag tagOf(TagBody body) {
    return Tag{SwfWriter::codeFor(body), 0, std::move(body)};
}

ButtonRecord record(std::uint8_t states, std::uint16_t character, std::uint16_t depth) {
    ButtonRecord result;
    result.states = states;
    result.characterId = CharacterId{character};
    result.depth = Depth{depth};
    result.matrix = Matrix::translation(100, -40);
    return result;
}

constexpr std::uint8_t up = static_cast<std::uint8_t>(ButtonState::Up);
constexpr std::uint8_t over = static_cast<std::uint8_t>(ButtonState::Over);
constexpr std::uint8_t down = static_cast<std::uint8_t>(ButtonState::Down);
constexpr std::uint8_t hit = static_cast<std::uint8_t>(ButtonState::HitTest);

// The reader's verdict on a tag body written by hand.
std::string readError(TagCode code, const Bytes& body) {
    SwfWriter writer;
    writer.writeTagHeader(code, static_cast<std::uint32_t>(body.size()));
    writer.out().writeBytes(body);
    SwfReader reader(writer.bytes(), 10);
    reader.readTag();
    return reader.failed() ? reader.errorMessage() : std::string();
}

TEST(ButtonRoundTrip, defineButtonKeepsItsReleaseActionsAndRecords) {
    DefineButtonTag button;
    button.version = 1;
    button.id = CharacterId{9};
    button.records = {record(up | over, 1, 1), record(down | hit, 2, 2)};
    ButtonConditionAction release;
    release.conditions = static_cast<std::uint16_t>(ButtonCondition::OverDownToOverUp);
    release.actions = ActionAssembler().play().block();
    button.actions = {release};
    const Tag tag = tagOf(button);
    EXPECT_EQ(tag.code, TagCode::DefineButton);
    expectRoundTrip(tag, std::nullopt, writeTag, readTag);
}

TEST(ButtonRoundTrip, defineButton2WithEveryOptionalPart) {
    DefineButtonTag button;
    button.id = CharacterId{4};
    button.trackAsMenu = true;
    ButtonRecord tinted = record(up, 1, 3);
    tinted.colorTransform.redMultiplier = 128;
    tinted.colorTransform.alphaAddition = -20;
    tinted.blendMode = BlendMode::Multiply;
    BlurFilter blur;
    blur.blurX = Fixed16::fromDouble(4);
    blur.blurY = Fixed16::fromDouble(2);
    blur.passes = 2;
    tinted.filters = {Filter{blur}};
    button.records = {tinted, record(over | down | hit, 2, 4)};

    ButtonConditionAction rollOver;
    rollOver.conditions = static_cast<std::uint16_t>(ButtonCondition::IdleToOverUp) |
                          static_cast<std::uint16_t>(ButtonCondition::OverDownToIdle);
    rollOver.actions = ActionAssembler().trace("over").block();
    ButtonConditionAction keyPress;
    keyPress.keyCode = 127; // the widest key code the seven bits hold
    keyPress.actions = ActionAssembler().stop().block();
    button.actions = {rollOver, keyPress};
    expectRoundTrip(tagOf(button), std::nullopt, writeTag, readTag, 8);
}

TEST(ButtonRoundTrip, defineButton2WithoutActionsWritesAZeroOffset) {
    DefineButtonTag button;
    button.id = CharacterId{2};
    button.records = {record(up | hit, 1, 1)};
    SwfWriter writer;
    writer.writeDefineButton(button);
    const Bytes& bytes = writer.bytes();
    ASSERT_GE(bytes.size(), 5u);
    EXPECT_EQ(bytes[2], 0);                   // not a menu
    EXPECT_EQ(bytes[3] | (bytes[4] << 8), 0); // no condition actions
    expectRoundTrip(tagOf(button), std::nullopt, writeTag, readTag);
}

TEST(ButtonRoundTrip, cxformAndSoundTags) {
    DefineButtonCxformTag cxform;
    cxform.buttonId = CharacterId{7};
    cxform.colorTransform.greenMultiplier = 0;
    cxform.colorTransform.blueAddition = 255;
    expectRoundTrip(tagOf(cxform), std::nullopt, writeTag, readTag);

    DefineButtonSoundTag sound;
    sound.buttonId = CharacterId{7};
    sound.sounds.resize(4);
    sound.sounds[1].soundId = CharacterId{12};
    sound.sounds[1].soundInfo = {0x00};
    // Loops and a two-point envelope: flags, loop count, point count, 2 x 8 bytes.
    sound.sounds[3].soundId = CharacterId{13};
    sound.sounds[3].soundInfo = {0x0C, 3, 0, 2, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
    expectRoundTrip(tagOf(sound), std::nullopt, writeTag, readTag);
}

TEST(ButtonMalformed, damagedButtonTagsAreErrorsNamingTheTag) {
    // Records with no end flag: the last one runs off the tag.
    EXPECT_NE(
        readError(TagCode::DefineButton2, {1, 0, 0, 0, 0, 0x0F, 1, 0, 1, 0, 0, 0}).find("DefineButton2"),
        std::string::npos);
    EXPECT_FALSE(readError(TagCode::DefineButton, {1, 0, 0x01, 1, 0}).empty());
    // An action offset pointing back into the records, or past the tag.
    EXPECT_NE(readError(TagCode::DefineButton2, {1, 0, 0, 1, 0, 0}).find("action offset"), std::string::npos);
    EXPECT_NE(readError(TagCode::DefineButton2, {1, 0, 0, 40, 0, 0}).find("action offset"),
              std::string::npos);
    // A condition action shorter than its own header, and one longer than what is left.
    EXPECT_NE(readError(TagCode::DefineButton2, {1, 0, 0, 3, 0, 0, 2, 0, 0, 0, 0}).find("condition action"),
              std::string::npos);
    EXPECT_NE(readError(TagCode::DefineButton2, {1, 0, 0, 3, 0, 0, 60, 0, 0, 0, 0}).find("condition action"),
              std::string::npos);
    // A sound whose envelope claims more points than the tag has.
    EXPECT_FALSE(readError(TagCode::DefineButtonSound, {1, 0, 5, 0, 0x08, 9, 0, 0}).empty());
    EXPECT_FALSE(readError(TagCode::DefineButtonCxform, {1, 0}).empty());
}

TEST(ButtonMalformed, aLastConditionActionRunsToTheEndOfTheTag) {
    // Size 0 marks the last entry, whose actions take the rest of the tag.
    const Bytes body{1, 0, 0, 3, 0, 0, 0, 0, 0x08, 0x00, 0x06, 0x00};
    SwfWriter writer;
    writer.writeTagHeader(TagCode::DefineButton2, static_cast<std::uint32_t>(body.size()));
    writer.out().writeBytes(body);
    SwfReader reader(writer.bytes(), 10);
    const Tag tag = reader.readTag().value_or(Tag{});
    ASSERT_FALSE(reader.failed()) << reader.errorMessage();
    const auto* button = std::get_if<DefineButtonTag>(&tag.body);
    ASSERT_NE(button, nullptr);
    ASSERT_EQ(button->actions.size(), 1u);
    EXPECT_EQ(button->actions[0].conditions, static_cast<std::uint16_t>(ButtonCondition::OverDownToOverUp));
    ASSERT_EQ(button->actions[0].actions.actions.size(), 1u);
    EXPECT_EQ(button->actions[0].actions.actions[0].code, ActionCode::Play);
}

} // namespace
} // namespace kf::swf::test
