// The tag half of SwfWriter: tag bodies and tag headers.
#include "swf/writer/SwfWriter.h"

namespace kf::swf {

namespace {

template <typename... Ts> struct Overloaded : Ts... { using Ts::operator()...; };
template <typename... Ts> Overloaded(Ts...) -> Overloaded<Ts...>;

TagCode jpegCodeFor(std::uint8_t version) {
    switch (version) {
    case 1:
        return TagCode::DefineBits;
    case 2:
        return TagCode::DefineBitsJpeg2;
    case 3:
        return TagCode::DefineBitsJpeg3;
    default:
        return TagCode::DefineBitsJpeg4;
    }
}

} // namespace

void SwfWriter::writeDefineShape(const DefineShapeTag& tag) {
    m_out.writeU16(tag.id.value);
    writeRect(tag.bounds);
    if (tag.version >= 4) {
        writeRect(tag.edgeBounds);
        m_out.writeUnsignedBits(0, 5);
        m_out.writeFlag(tag.usesFillWindingRule);
        m_out.writeFlag(tag.usesNonScalingStrokes);
        m_out.writeFlag(tag.usesScalingStrokes);
    }
    writeShapeWithStyle(tag.shape, tag.version);
}

void SwfWriter::writeDefineSprite(const DefineSpriteTag& tag) {
    m_out.writeU16(tag.id.value);
    m_out.writeU16(tag.frameCount);
    writeTags(tag.tags);
    const bool endsWithEnd = !tag.tags.empty() && std::holds_alternative<EndTag>(tag.tags.back().body);
    if (!endsWithEnd) {
        writeTagHeader(TagCode::End, 0);
    }
}

void SwfWriter::writeFrameLabel(const FrameLabelTag& tag) {
    m_out.writeString(tag.name);
    if (tag.namedAnchor) {
        m_out.writeU8(1);
    }
}

void SwfWriter::writeSetBackgroundColor(const SetBackgroundColorTag& tag) {
    writeRgb(tag.color);
}

void SwfWriter::writeFileAttributes(const FileAttributesTag& tag) {
    m_out.writeFlag(false);
    m_out.writeFlag(tag.useDirectBlit);
    m_out.writeFlag(tag.useGpu);
    m_out.writeFlag(tag.hasMetadata);
    m_out.writeFlag(tag.actionScript3);
    m_out.writeUnsignedBits(0, 2);
    m_out.writeFlag(tag.useNetwork);
    m_out.writeUnsignedBits(0, 24);
}

void SwfWriter::writeMetadata(const MetadataTag& tag) {
    m_out.writeString(tag.xml);
}

void SwfWriter::writeDefineSceneAndFrameLabelData(const DefineSceneAndFrameLabelDataTag& tag) {
    m_out.writeEncodedU32(static_cast<std::uint32_t>(tag.scenes.size()));
    for (const SceneEntry& scene : tag.scenes) {
        m_out.writeEncodedU32(scene.frameOffset);
        m_out.writeString(scene.name);
    }
    m_out.writeEncodedU32(static_cast<std::uint32_t>(tag.labels.size()));
    for (const FrameLabelEntry& label : tag.labels) {
        m_out.writeEncodedU32(label.frameNumber);
        m_out.writeString(label.label);
    }
}

void SwfWriter::writeDoAction(const DoActionTag& tag) {
    writeActionBlock(tag.actions);
}

void SwfWriter::writeDoInitAction(const DoInitActionTag& tag) {
    m_out.writeU16(tag.spriteId.value);
    writeActionBlock(tag.actions);
}

void SwfWriter::writeTagHeader(TagCode code, std::uint32_t length, bool forceLong) {
    const auto shiftedCode = static_cast<std::uint16_t>(static_cast<std::uint16_t>(code) << 6);
    if (length < 0x3F && !forceLong) {
        m_out.writeU16(static_cast<std::uint16_t>(shiftedCode | length));
        return;
    }
    m_out.writeU16(static_cast<std::uint16_t>(shiftedCode | 0x3F));
    m_out.writeU32(length);
}

void SwfWriter::writeTagBody(const TagBody& body) {
    std::visit(
        Overloaded{
            [&](const UnknownTag& tag) { m_out.writeBytes(tag.body); },
            [&](const EndTag&) {},
            [&](const ShowFrameTag&) {},
            [&](const DefineShapeTag& tag) { writeDefineShape(tag); },
            [&](const PlaceObjectTag& tag) { writePlaceObject(tag); },
            [&](const RemoveObjectTag& tag) { writeRemoveObject(tag); },
            [&](const DefineSpriteTag& tag) { writeDefineSprite(tag); },
            [&](const FrameLabelTag& tag) { writeFrameLabel(tag); },
            [&](const SetBackgroundColorTag& tag) { writeSetBackgroundColor(tag); },
            [&](const FileAttributesTag& tag) { writeFileAttributes(tag); },
            [&](const MetadataTag& tag) { writeMetadata(tag); },
            [&](const DefineSceneAndFrameLabelDataTag& tag) { writeDefineSceneAndFrameLabelData(tag); },
            [&](const DoActionTag& tag) { writeDoAction(tag); },
            [&](const DoInitActionTag& tag) { writeDoInitAction(tag); },
            [&](const JpegTablesTag& tag) { writeJpegTables(tag); },
            [&](const DefineBitsJpegTag& tag) { writeDefineBitsJpeg(tag); },
            [&](const DefineBitsLosslessTag& tag) { writeDefineBitsLossless(tag); },
            [&](const DefineSoundTag& tag) { writeDefineSound(tag); },
            [&](const DefineMorphShapeTag& tag) { writeDefineMorphShape(tag); },
            [&](const DefineFontTag& tag) { writeDefineFont(tag); },
            [&](const DefineFontInfoTag& tag) { writeDefineFontInfo(tag); },
            [&](const DefineFontAlignZonesTag& tag) { writeDefineFontAlignZones(tag); },
            [&](const DefineFontNameTag& tag) { writeDefineFontName(tag); },
            [&](const DefineTextTag& tag) { writeDefineText(tag); },
            [&](const DefineEditTextTag& tag) { writeDefineEditText(tag); },
            [&](const DefineButtonTag& tag) { writeDefineButton(tag); },
            [&](const DefineButtonCxformTag& tag) { writeDefineButtonCxform(tag); },
            [&](const DefineButtonSoundTag& tag) { writeDefineButtonSound(tag); },
        },
        body);
    m_out.alignToByte();
}

void SwfWriter::writeTag(const Tag& tag) {
    SwfWriter body(m_swfVersion);
    body.writeTagBody(tag.body);
    writeTagHeader(tag.code, static_cast<std::uint32_t>(body.bytes().size()));
    m_out.writeBytes(body.bytes());
}

void SwfWriter::writeTags(const std::vector<Tag>& tags) {
    for (const Tag& tag : tags) {
        writeTag(tag);
    }
}

TagCode SwfWriter::codeFor(const TagBody& body) {
    return std::visit(
        Overloaded{
            [](const UnknownTag&) { return TagCode::End; },
            [](const EndTag&) { return TagCode::End; },
            [](const ShowFrameTag&) { return TagCode::ShowFrame; },
            [](const DefineShapeTag& tag) {
                switch (tag.version) {
                case 1:
                    return TagCode::DefineShape;
                case 2:
                    return TagCode::DefineShape2;
                case 3:
                    return TagCode::DefineShape3;
                default:
                    return TagCode::DefineShape4;
                }
            },
            [](const PlaceObjectTag& tag) {
                switch (tag.version) {
                case 1:
                    return TagCode::PlaceObject;
                case 2:
                    return TagCode::PlaceObject2;
                default:
                    return TagCode::PlaceObject3;
                }
            },
            [](const RemoveObjectTag& tag) {
                return tag.characterId ? TagCode::RemoveObject : TagCode::RemoveObject2;
            },
            [](const DefineSpriteTag&) { return TagCode::DefineSprite; },
            [](const FrameLabelTag&) { return TagCode::FrameLabel; },
            [](const SetBackgroundColorTag&) { return TagCode::SetBackgroundColor; },
            [](const FileAttributesTag&) { return TagCode::FileAttributes; },
            [](const MetadataTag&) { return TagCode::Metadata; },
            [](const DefineSceneAndFrameLabelDataTag&) { return TagCode::DefineSceneAndFrameLabelData; },
            [](const DoActionTag&) { return TagCode::DoAction; },
            [](const DoInitActionTag&) { return TagCode::DoInitAction; },
            [](const JpegTablesTag&) { return TagCode::JpegTables; },
            [](const DefineBitsJpegTag& tag) { return jpegCodeFor(tag.version); },
            [](const DefineBitsLosslessTag& tag) {
                return tag.version == 1 ? TagCode::DefineBitsLossless : TagCode::DefineBitsLossless2;
            },
            [](const DefineMorphShapeTag& tag) {
                return tag.version == 1 ? TagCode::DefineMorphShape : TagCode::DefineMorphShape2;
            },
            [](const DefineSoundTag&) { return TagCode::DefineSound; },
            [](const DefineFontTag& tag) {
                return tag.version == 1   ? TagCode::DefineFont
                       : tag.version == 2 ? TagCode::DefineFont2
                                          : TagCode::DefineFont3;
            },
            [](const DefineFontInfoTag& tag) {
                return tag.version == 1 ? TagCode::DefineFontInfo : TagCode::DefineFontInfo2;
            },
            [](const DefineFontAlignZonesTag&) { return TagCode::DefineFontAlignZones; },
            [](const DefineFontNameTag&) { return TagCode::DefineFontName; },
            [](const DefineTextTag& tag) { return tag.version == 1 ? TagCode::DefineText : TagCode::DefineText2; },
            [](const DefineEditTextTag&) { return TagCode::DefineEditText; },
            [](const DefineButtonTag& tag) {
                return tag.version == 1 ? TagCode::DefineButton : TagCode::DefineButton2;
            },
            [](const DefineButtonCxformTag&) { return TagCode::DefineButtonCxform; },
            [](const DefineButtonSoundTag&) { return TagCode::DefineButtonSound; },
        },
        body);
}

} // namespace kf::swf
