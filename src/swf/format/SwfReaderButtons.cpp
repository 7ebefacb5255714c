// The button tags of SwfReader: DefineButton, DefineButton2 and the two tags that add a
// colour transform and sounds to a button defined earlier.
#include "swf/format/SwfReader.h"

namespace kf::swf {

namespace {

// BUTTONRECORD's flag byte above the state bits (SWF 8).
constexpr std::uint8_t hasFilterListFlag = 0x10;
constexpr std::uint8_t hasBlendModeFlag = 0x20;
constexpr std::uint8_t stateBits = 0x0F;

// The SOUNDINFO flag bits that announce optional fields.
constexpr std::uint8_t soundHasInPoint = 0x01;
constexpr std::uint8_t soundHasOutPoint = 0x02;
constexpr std::uint8_t soundHasLoops = 0x04;
constexpr std::uint8_t soundHasEnvelope = 0x08;

} // namespace

std::vector<ButtonRecord> SwfReader::readButtonRecords(int buttonVersion) {
    std::vector<ButtonRecord> records;
    while (!failed()) {
        const std::uint8_t flags = m_bits.readU8();
        if (flags == 0) {
            break; // CharacterEndFlag
        }
        // A record takes at least six bytes: flags, id, depth and a one-byte matrix.
        if (!charge(1, sizeof(ButtonRecord))) {
            break;
        }
        ButtonRecord& record = records.emplace_back();
        record.states = flags & stateBits;
        record.characterId = CharacterId{m_bits.readU16()};
        record.depth = Depth{m_bits.readU16()};
        record.matrix = readMatrix();
        if (buttonVersion >= 2) {
            record.colorTransform = readColorTransformWithAlpha();
            if ((flags & hasFilterListFlag) != 0) {
                record.filters = readFilterList();
            }
            if ((flags & hasBlendModeFlag) != 0) {
                const std::uint8_t mode = m_bits.readU8();
                record.blendMode = mode >= 1 && mode <= 14 ? static_cast<BlendMode>(mode) : BlendMode::Normal;
            }
        }
    }
    if (m_bits.failed() && !m_error) {
        fail("button records run past the end of the tag (no end flag)");
    }
    return records;
}

DefineButtonTag SwfReader::readDefineButton(int buttonVersion) {
    DefineButtonTag tag;
    tag.version = static_cast<std::uint8_t>(buttonVersion);
    tag.id = CharacterId{m_bits.readU16()};
    if (buttonVersion == 1) {
        tag.records = readButtonRecords(1);
        if (!failed()) {
            ButtonConditionAction release;
            release.conditions = static_cast<std::uint16_t>(ButtonCondition::OverDownToOverUp);
            release.actions = readActionBlock(m_bits.readRest());
            tag.actions.push_back(std::move(release));
        }
        return tag;
    }

    tag.trackAsMenu = (m_bits.readU8() & 0x01) != 0;
    // ActionOffset counts from its own first byte to the first BUTTONCONDACTION.
    const std::size_t offsetField = m_bits.position();
    const std::uint16_t actionOffset = m_bits.readU16();
    tag.records = readButtonRecords(2);
    if (failed() || actionOffset == 0) {
        return tag;
    }
    const std::size_t actionsStart = offsetField + actionOffset;
    if (actionsStart < m_bits.position() || actionsStart > m_bits.position() + m_bits.remaining()) {
        fail("action offset " + std::to_string(actionOffset) + " points outside the button's actions");
        return tag;
    }
    m_bits.skip(actionsStart - m_bits.position());
    while (!failed() && !m_bits.atEnd()) {
        const std::uint16_t size = m_bits.readU16();
        const std::uint16_t conditions = m_bits.readU16();
        // The size counts its own two bytes and the condition word; 0 marks the last entry,
        // whose actions run to the end of the tag.
        if (size != 0 && size < 4) {
            fail("button condition action of " + std::to_string(size) + " bytes");
            break;
        }
        const std::size_t actionBytes = size == 0 ? m_bits.remaining() : std::size_t{size} - 4u;
        if (actionBytes > m_bits.remaining()) {
            fail("button condition action runs past the end of the tag");
            break;
        }
        if (!charge(1, sizeof(ButtonConditionAction))) {
            break;
        }
        ButtonConditionAction& action = tag.actions.emplace_back();
        action.conditions = conditions & 0x01FF;
        action.keyCode = static_cast<std::uint8_t>(conditions >> 9);
        action.actions = readActionBlock(m_bits.readBytes(actionBytes));
        if (size == 0) {
            break;
        }
    }
    return tag;
}

DefineButtonCxformTag SwfReader::readDefineButtonCxform() {
    DefineButtonCxformTag tag;
    tag.buttonId = CharacterId{m_bits.readU16()};
    tag.colorTransform = readColorTransform();
    return tag;
}

DefineButtonSoundTag SwfReader::readDefineButtonSound() {
    DefineButtonSoundTag tag;
    tag.buttonId = CharacterId{m_bits.readU16()};
    tag.sounds.resize(4);
    for (ButtonSound& sound : tag.sounds) {
        sound.soundId = CharacterId{m_bits.readU16()};
        if (sound.soundId.value == 0 || failed()) {
            continue;
        }
        BitReader scan = m_bits;
        const std::uint8_t flags = scan.readU8();
        std::size_t length = 1;
        length += (flags & soundHasInPoint) != 0 ? 4 : 0;
        length += (flags & soundHasOutPoint) != 0 ? 4 : 0;
        length += (flags & soundHasLoops) != 0 ? 2 : 0;
        if ((flags & soundHasEnvelope) != 0) {
            scan.skip(length - 1);
            length += 1 + std::size_t{scan.readU8()} * 8;
        }
        const std::span<const std::uint8_t> info = m_bits.readBytes(length);
        sound.soundInfo.assign(info.begin(), info.end());
    }
    return tag;
}

} // namespace kf::swf
