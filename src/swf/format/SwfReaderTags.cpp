// The remaining tag bodies of SwfReader: sprites, labels, file facts and actions.
#include "swf/format/SwfReader.h"

namespace kf::swf {

DefineSpriteTag SwfReader::readDefineSprite() {
    DefineSpriteTag tag;
    tag.id = CharacterId{m_bits.readU16()};
    tag.frameCount = m_bits.readU16();
    if (m_spriteDepth >= m_options.maxSpriteNesting) {
        fail("sprites nested deeper than " + std::to_string(m_options.maxSpriteNesting) + " levels");
        return tag;
    }
    ++m_spriteDepth;
    tag.tags = readTags(false);
    --m_spriteDepth;
    return tag;
}

FrameLabelTag SwfReader::readFrameLabel() {
    FrameLabelTag tag;
    tag.name = m_bits.readString();
    // The anchor flag byte exists from SWF 6; older players ignore anything after the name.
    if (m_swfVersion >= 6 && !m_bits.atEnd()) {
        tag.namedAnchor = m_bits.readU8() == 1;
    }
    return tag;
}

SetBackgroundColorTag SwfReader::readSetBackgroundColor() {
    return SetBackgroundColorTag{readRgb()};
}

FileAttributesTag SwfReader::readFileAttributes() {
    // Only the first byte carries flags; the three reserved bytes after it are not required.
    const std::uint8_t flags = m_bits.readU8();
    FileAttributesTag tag;
    tag.useDirectBlit = (flags & 0x40) != 0;
    tag.useGpu = (flags & 0x20) != 0;
    tag.hasMetadata = (flags & 0x10) != 0;
    tag.actionScript3 = (flags & 0x08) != 0;
    tag.useNetwork = (flags & 0x01) != 0;
    return tag;
}

MetadataTag SwfReader::readMetadata() {
    return MetadataTag{m_bits.readString()};
}

DefineSceneAndFrameLabelDataTag SwfReader::readDefineSceneAndFrameLabelData() {
    DefineSceneAndFrameLabelDataTag tag;
    // Each entry takes at least two bytes: a one-byte number and an empty name.
    const std::uint32_t sceneCount = m_bits.readEncodedU32();
    if (!charge(plausibleCount(sceneCount, 2), sizeof(SceneEntry))) {
        return tag;
    }
    tag.scenes.reserve(plausibleCount(sceneCount, 2));
    for (std::uint32_t index = 0; index < sceneCount && !failed(); ++index) {
        SceneEntry scene;
        scene.frameOffset = m_bits.readEncodedU32();
        scene.name = m_bits.readString();
        tag.scenes.push_back(std::move(scene));
    }
    const std::uint32_t labelCount = m_bits.readEncodedU32();
    if (!charge(plausibleCount(labelCount, 2), sizeof(FrameLabelEntry))) {
        return tag;
    }
    tag.labels.reserve(plausibleCount(labelCount, 2));
    for (std::uint32_t index = 0; index < labelCount && !failed(); ++index) {
        FrameLabelEntry label;
        label.frameNumber = m_bits.readEncodedU32();
        label.label = m_bits.readString();
        tag.labels.push_back(std::move(label));
    }
    return tag;
}

DoActionTag SwfReader::readDoAction() {
    return DoActionTag{readActionBlock(m_bits.readRest())};
}

DoInitActionTag SwfReader::readDoInitAction() {
    DoInitActionTag tag;
    tag.spriteId = CharacterId{m_bits.readU16()};
    tag.actions = readActionBlock(m_bits.readRest());
    return tag;
}

} // namespace kf::swf
