#include "swf/format/SwfReader.h"

#include "swf/format/ActionDecoder.h"
#include "swf/format/HugePages.h"

#include <algorithm>

namespace kf::swf {

namespace {

std::string nameOf(TagCode code) {
    const std::string_view name = tagName(code);
    if (name.empty()) {
        return "tag " + std::to_string(static_cast<unsigned>(code));
    }
    return std::string(name);
}

} // namespace

SwfReader::SwfReader(std::span<const std::uint8_t> bytes, std::uint8_t swfVersion, std::size_t baseOffset,
                     const ReadOptions& options)
    : m_bits(bytes, baseOffset), m_swfVersion(swfVersion), m_options(options) {}

SwfReader::SwfReader(const SwfReader& parent, BitReader bits, int spriteDepth)
    : m_bits(bits), m_decodedSize(parent.m_decodedSize), m_recordScratch(parent.m_recordScratch),
      m_swfVersion(parent.m_swfVersion), m_options(parent.m_options), m_spriteDepth(spriteDepth) {}

std::string SwfReader::errorMessage() const {
    if (m_error) {
        return *m_error;
    }
    if (m_bits.failed()) {
        return "truncated record at offset " + std::to_string(m_bits.absoluteOffset());
    }
    return {};
}

void SwfReader::fail(std::string message) {
    if (!m_error) {
        m_error = std::move(message);
    }
    m_bits.markFailed();
}

bool SwfReader::charge(std::size_t count, std::size_t each) {
    if (failed()) {
        return false;
    }
    const std::size_t limit = m_options.maxDecodedSize;
    const std::size_t left = limit > *m_decodedSize ? limit - *m_decodedSize : 0;
    if (each != 0 && count > left / each) {
        fail("the parsed movie would take more than the " + std::to_string(limit) + "-byte limit");
        return false;
    }
    *m_decodedSize += count * each;
    return true;
}

ActionBlock SwfReader::readActionBlock(std::span<const std::uint8_t> bytes) {
    const std::size_t limit = m_options.maxDecodedSize;
    ActionDecoder decoder(limit > *m_decodedSize ? limit - *m_decodedSize : 0);
    ActionBlock block = decoder.decode(bytes);
    if (decoder.exceededBudget()) {
        fail("the parsed movie would take more than the " + std::to_string(limit) + "-byte limit");
    }
    *m_decodedSize += decoder.decodedSize();
    return block;
}

std::size_t SwfReader::plausibleCount(std::size_t claimed, std::size_t minimumBytes) const {
    return std::min(claimed, m_bits.remaining() / std::max<std::size_t>(minimumBytes, 1));
}

Rect SwfReader::readRect() {
    m_bits.alignToByte();
    const unsigned bits = m_bits.readUnsignedBits(5);
    Rect rect;
    rect.xMin = Twips{m_bits.readSignedBits(bits)};
    rect.xMax = Twips{m_bits.readSignedBits(bits)};
    rect.yMin = Twips{m_bits.readSignedBits(bits)};
    rect.yMax = Twips{m_bits.readSignedBits(bits)};
    m_bits.alignToByte();
    return rect;
}

Matrix SwfReader::readMatrix() {
    m_bits.alignToByte();
    Matrix matrix;
    if (m_bits.readFlag()) {
        const unsigned bits = m_bits.readUnsignedBits(5);
        matrix.a = m_bits.readSignedBits(bits) / 65536.0;
        matrix.d = m_bits.readSignedBits(bits) / 65536.0;
    }
    if (m_bits.readFlag()) {
        const unsigned bits = m_bits.readUnsignedBits(5);
        matrix.b = m_bits.readSignedBits(bits) / 65536.0;
        matrix.c = m_bits.readSignedBits(bits) / 65536.0;
    }
    const unsigned bits = m_bits.readUnsignedBits(5);
    matrix.tx = m_bits.readSignedBits(bits);
    matrix.ty = m_bits.readSignedBits(bits);
    m_bits.alignToByte();
    return matrix;
}

ColorTransform SwfReader::readColorTransform() {
    return readColorTransformTerms(false);
}

ColorTransform SwfReader::readColorTransformWithAlpha() {
    return readColorTransformTerms(true);
}

// CXFORM and CXFORMWITHALPHA differ only in the alpha term after each group.
ColorTransform SwfReader::readColorTransformTerms(bool withAlpha) {
    m_bits.alignToByte();
    const bool hasAdd = m_bits.readFlag();
    const bool hasMultiply = m_bits.readFlag();
    const unsigned bits = m_bits.readUnsignedBits(4);
    auto term = [&] { return static_cast<std::int16_t>(m_bits.readSignedBits(bits)); };
    ColorTransform transform;
    if (hasMultiply) {
        transform.redMultiplier = term();
        transform.greenMultiplier = term();
        transform.blueMultiplier = term();
        if (withAlpha) {
            transform.alphaMultiplier = term();
        }
    }
    if (hasAdd) {
        transform.redAddition = term();
        transform.greenAddition = term();
        transform.blueAddition = term();
        if (withAlpha) {
            transform.alphaAddition = term();
        }
    }
    m_bits.alignToByte();
    return transform;
}

Rgba SwfReader::readRgb() {
    const std::span<const std::uint8_t> bytes = m_bits.readBytes(3);
    if (bytes.empty()) {
        return Rgba{};
    }
    return Rgba{bytes[0], bytes[1], bytes[2], 255};
}

Rgba SwfReader::readRgba() {
    const std::span<const std::uint8_t> bytes = m_bits.readBytes(4);
    if (bytes.empty()) {
        return Rgba{};
    }
    return Rgba{bytes[0], bytes[1], bytes[2], bytes[3]};
}

Rgba SwfReader::readArgb() {
    const std::span<const std::uint8_t> bytes = m_bits.readBytes(4);
    if (bytes.empty()) {
        return Rgba{};
    }
    return Rgba{bytes[1], bytes[2], bytes[3], bytes[0]};
}

std::optional<Tag> SwfReader::readTag() {
    Tag tag;
    if (!readTagInto(tag)) {
        return std::nullopt;
    }
    return tag;
}

bool SwfReader::readTagInto(Tag& tag) {
    if (failed() || m_bits.atEnd()) {
        return false;
    }
    const std::size_t tagOffset = m_bits.absoluteOffset();
    if (m_bits.remaining() < 2) {
        fail("truncated tag header at offset " + std::to_string(tagOffset));
        return false;
    }
    const std::uint16_t codeAndLength = m_bits.readU16();
    const auto code = static_cast<TagCode>(codeAndLength >> 6);
    std::uint32_t length = codeAndLength & 0x3F;
    if (length == 0x3F) {
        if (m_bits.remaining() < 4) {
            fail("truncated " + nameOf(code) + " header at offset " + std::to_string(tagOffset));
            return false;
        }
        length = m_bits.readU32();
    }
    if (length > m_bits.remaining()) {
        fail(nameOf(code) + " at offset " + std::to_string(tagOffset) + " declares " +
             std::to_string(length) + " bytes but only " + std::to_string(m_bits.remaining()) + " remain");
        return false;
    }
    SwfReader body(*this, m_bits.subReader(length), m_spriteDepth);
    tag.code = code;
    tag.offset = static_cast<std::uint32_t>(tagOffset);
    tag.body = body.readTagBody(code);
    if (body.m_error) {
        fail(*body.m_error + " in " + nameOf(code) + " at offset " + std::to_string(tagOffset));
        return false;
    }
    if (body.m_bits.failed()) {
        fail("truncated " + nameOf(code) + " at offset " + std::to_string(tagOffset));
        return false;
    }
    // Bytes left over in a body are ignored: authoring tools pad some tags.
    return true;
}

std::size_t SwfReader::countTags() const {
    BitReader scan = m_bits;
    std::size_t count = 0;
    while (scan.remaining() >= 2) {
        const std::uint16_t codeAndLength = scan.readU16();
        std::uint32_t length = codeAndLength & 0x3F;
        if (length == 0x3F) {
            length = scan.readU32();
        }
        if (scan.failed() || length > scan.remaining()) {
            break;
        }
        ++count;
        if ((codeAndLength >> 6) == static_cast<std::uint16_t>(TagCode::End)) {
            break;
        }
        scan.skip(length);
    }
    return count;
}

std::vector<Tag> SwfReader::readTags(bool keepEnd) {
    // A tag stream that simply stops, without an End tag, is accepted with the tags read so
    // far: real files are cut short like that and players show what they have. A tag whose
    // declared length runs past the bytes, or whose body is malformed, fails the read.
    std::vector<Tag> tags;
    const std::size_t count = countTags();
    if (!charge(count, sizeof(Tag))) {
        return tags;
    }
    tags.reserve(count);
    preferHugePages(tags.data(), tags.capacity() * sizeof(Tag));
    while (true) {
        Tag& tag = tags.emplace_back();
        if (!readTagInto(tag)) {
            tags.pop_back();
            break;
        }
        if (tag.code == TagCode::End) {
            if (!keepEnd) {
                tags.pop_back();
            }
            break;
        }
    }
    return tags;
}

TagBody SwfReader::readTagBody(TagCode code) {
    switch (code) {
    case TagCode::End:
        return EndTag{};
    case TagCode::ShowFrame:
        return ShowFrameTag{};
    case TagCode::DefineShape:
        return readDefineShape(1);
    case TagCode::DefineShape2:
        return readDefineShape(2);
    case TagCode::DefineShape3:
        return readDefineShape(3);
    case TagCode::DefineShape4:
        return readDefineShape(4);
    case TagCode::PlaceObject:
        return readPlaceObject(1);
    case TagCode::PlaceObject2:
        return readPlaceObject(2);
    case TagCode::PlaceObject3:
        return readPlaceObject(3);
    case TagCode::RemoveObject:
        return readRemoveObject(1);
    case TagCode::RemoveObject2:
        return readRemoveObject(2);
    case TagCode::DefineSprite:
        return readDefineSprite();
    case TagCode::FrameLabel:
        return readFrameLabel();
    case TagCode::SetBackgroundColor:
        return readSetBackgroundColor();
    case TagCode::FileAttributes:
        return readFileAttributes();
    case TagCode::Metadata:
        return readMetadata();
    case TagCode::DefineSceneAndFrameLabelData:
        return readDefineSceneAndFrameLabelData();
    case TagCode::DoAction:
        return readDoAction();
    case TagCode::DoInitAction:
        return readDoInitAction();
    case TagCode::DefineFont:
        return readDefineFont(1);
    case TagCode::DefineFont2:
        return readDefineFont(2);
    case TagCode::DefineFont3:
        return readDefineFont(3);
    case TagCode::DefineFontInfo:
        return readDefineFontInfo(1);
    case TagCode::DefineFontInfo2:
        return readDefineFontInfo(2);
    case TagCode::DefineFontAlignZones:
        return readDefineFontAlignZones();
    case TagCode::DefineFontName:
        return readDefineFontName();
    case TagCode::DefineText:
        return readDefineText(1);
    case TagCode::DefineText2:
        return readDefineText(2);
    case TagCode::DefineEditText:
        return readDefineEditText();
    case TagCode::JpegTables:
        return readJpegTables();
    case TagCode::DefineBits:
        return readDefineBitsJpeg(1);
    case TagCode::DefineBitsJpeg2:
        return readDefineBitsJpeg(2);
    case TagCode::DefineBitsJpeg3:
        return readDefineBitsJpeg(3);
    case TagCode::DefineBitsJpeg4:
        return readDefineBitsJpeg(4);
    case TagCode::DefineBitsLossless:
        return readDefineBitsLossless(1);
    case TagCode::DefineBitsLossless2:
        return readDefineBitsLossless(2);
    case TagCode::DefineMorphShape:
        return readDefineMorphShape(1);
    case TagCode::DefineMorphShape2:
        return readDefineMorphShape(2);
    case TagCode::DefineButton:
        return readDefineButton(1);
    case TagCode::DefineButton2:
        return readDefineButton(2);
    case TagCode::DefineButtonCxform:
        return readDefineButtonCxform();
    case TagCode::DefineButtonSound:
        return readDefineButtonSound();
    default:
        break;
    }
    const std::span<const std::uint8_t> body = m_bits.readRest();
    charge(body.size(), 1);
    return UnknownTag{std::vector<std::uint8_t>(body.begin(), body.end())};
}

} // namespace kf::swf
