// The button tags of SwfWriter, mirroring SwfReaderButtons.
#include "swf/writer/SwfWriter.h"

namespace kf::swf {

void SwfWriter::writeButtonRecords(const std::vector<ButtonRecord>& records, int buttonVersion) {
    for (const ButtonRecord& record : records) {
        const bool hasFilters = buttonVersion >= 2 && !record.filters.empty();
        const bool hasBlendMode = buttonVersion >= 2 && record.blendMode != BlendMode::Normal;
        m_out.writeU8(static_cast<std::uint8_t>((record.states & 0x0F) | (hasFilters ? 0x10 : 0) |
                                                (hasBlendMode ? 0x20 : 0)));
        m_out.writeU16(record.characterId.value);
        m_out.writeU16(record.depth.value);
        writeMatrix(record.matrix);
        if (buttonVersion >= 2) {
            writeColorTransformWithAlpha(record.colorTransform);
            if (hasFilters) {
                writeFilterList(record.filters);
            }
            if (hasBlendMode) {
                m_out.writeU8(static_cast<std::uint8_t>(record.blendMode));
            }
        }
    }
    m_out.writeU8(0);
}

void SwfWriter::writeDefineButton(const DefineButtonTag& tag) {
    m_out.writeU16(tag.id.value);
    if (tag.version == 1) {
        writeButtonRecords(tag.records, 1);
        if (!tag.actions.empty()) {
            writeActionBlock(tag.actions.front().actions);
        } else {
            m_out.writeU8(0);
        }
        return;
    }
    m_out.writeU8(tag.trackAsMenu ? 1 : 0);
    SwfWriter records(m_swfVersion);
    records.writeButtonRecords(tag.records, 2);
    // ActionOffset counts its own two bytes; 0 says there are no condition actions.
    const std::size_t offset = tag.actions.empty() ? 0 : records.bytes().size() + 2;
    m_out.writeU16(static_cast<std::uint16_t>(offset));
    m_out.writeBytes(records.bytes());
    for (std::size_t index = 0; index < tag.actions.size(); ++index) {
        const ButtonConditionAction& action = tag.actions[index];
        SwfWriter block(m_swfVersion);
        block.writeActionBlock(action.actions);
        const bool last = index + 1 == tag.actions.size();
        m_out.writeU16(last ? 0 : static_cast<std::uint16_t>(block.bytes().size() + 4));
        m_out.writeU16(static_cast<std::uint16_t>((action.conditions & 0x01FF) | (action.keyCode << 9)));
        m_out.writeBytes(block.bytes());
    }
}

void SwfWriter::writeDefineButtonCxform(const DefineButtonCxformTag& tag) {
    m_out.writeU16(tag.buttonId.value);
    writeColorTransform(tag.colorTransform);
}

void SwfWriter::writeDefineButtonSound(const DefineButtonSoundTag& tag) {
    m_out.writeU16(tag.buttonId.value);
    for (std::size_t index = 0; index < 4; ++index) {
        const ButtonSound* sound = index < tag.sounds.size() ? &tag.sounds[index] : nullptr;
        m_out.writeU16(sound ? sound->soundId.value : 0);
        if (sound && sound->soundId.value != 0) {
            if (sound->soundInfo.empty()) {
                m_out.writeU8(0); // SOUNDINFO with no optional fields
            } else {
                m_out.writeBytes(sound->soundInfo);
            }
        }
    }
}

} // namespace kf::swf
