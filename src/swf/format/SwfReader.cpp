#include "swf/format/SwfReader.h"

#include "swf/format/ActionDecoder.h"
#include "swf/format/HugePages.h"

#include <algorithm>
#include <new>

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
      m_arena(parent.m_arena), m_swfVersion(parent.m_swfVersion), m_options(parent.m_options),
      m_spriteDepth(spriteDepth) {}

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

void SwfReader::awaitBytes(std::size_t count) {
    if (m_arriving == nullptr || failed()) {
        return;
    }
    const std::size_t wanted = m_bits.position() + count;
    if (wanted > m_bits.size()) {
        m_bits.extendTo(m_arriving->waitFor(m_arrivalStart + wanted) - m_arrivalStart);
    }
}

bool SwfReader::readTagInto(Tag& tag) {
    awaitBytes(6); // the longest tag header
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
    awaitBytes(length);
    if (length > m_bits.remaining()) {
        fail(nameOf(code) + " at offset " + std::to_string(tagOffset) + " declares " +
             std::to_string(length) + " bytes but only " + std::to_string(m_bits.remaining()) + " remain");
        return false;
    }
    SwfReader body(*this, m_bits.subReader(length), m_spriteDepth);
    tag.code = code;
    tag.offset = static_cast<std::uint32_t>(tagOffset);
    body.readTagBody(code, tag.body);
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
    if (m_arriving == nullptr) {
        if (!reserveTags(tags, countTags())) {
            return tags;
        }
    } else {
        reserveGuessedTags(tags);
    }
    preferHugePages(tags.data(), tags.capacity() * sizeof(Tag));
    while (true) {
        if (m_arriving != nullptr && tags.size() == tags.capacity()) {
            // Outgrown the guess: grow only for a tag that is there.
            awaitBytes(6);
            if (m_bits.atEnd() || !reserveTags(tags, tags.capacity() * 2)) {
                break;
            }
        }
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

bool SwfReader::reserveTags(std::vector<Tag>& tags, std::size_t count) {
    if (count <= tags.capacity()) {
        return true;
    }
    if (!charge(count - tags.capacity(), sizeof(Tag))) {
        return false;
    }
    tags.reserve(count);
    return true;
}

void SwfReader::reserveGuessedTags(std::vector<Tag>& tags) {
    // Bytes still arriving cannot be counted ahead. Tags of real movies average well over 32
    // bytes, so room for that many is rarely outgrown; the room untouched costs address
    // space, not memory. Where the guess is refused, the tags grow as they come.
    const std::size_t bytes =
        m_arriving->expectedSize() - std::min(m_arriving->expectedSize(), m_arrivalStart);
    const std::size_t limit = m_options.maxDecodedSize;
    const std::size_t budget = limit > *m_decodedSize ? (limit - *m_decodedSize) / sizeof(Tag) : 0;
    const std::size_t guess = std::min(std::max<std::size_t>(64, bytes / 32), budget / 2);
    try {
        reserveTags(tags, guess);
    } catch (const std::bad_alloc&) {
    }
}

void SwfReader::readTagBody(TagCode code, TagBody& body) {
    // Assigned rather than returned: a returned body would be moved into the tag once more.
    switch (code) {
    case TagCode::End:
        body = EndTag{};
        return;
    case TagCode::ShowFrame:
        body = ShowFrameTag{};
        return;
    case TagCode::DefineShape:
        body = readDefineShape(1);
        return;
    case TagCode::DefineShape2:
        body = readDefineShape(2);
        return;
    case TagCode::DefineShape3:
        body = readDefineShape(3);
        return;
    case TagCode::DefineShape4:
        body = readDefineShape(4);
        return;
    case TagCode::PlaceObject:
        body = readPlaceObject(1);
        return;
    case TagCode::PlaceObject2:
        body = readPlaceObject(2);
        return;
    case TagCode::PlaceObject3:
        body = readPlaceObject(3);
        return;
    case TagCode::RemoveObject:
        body = readRemoveObject(1);
        return;
    case TagCode::RemoveObject2:
        body = readRemoveObject(2);
        return;
    case TagCode::DefineSprite:
        body = readDefineSprite();
        return;
    case TagCode::FrameLabel:
        body = readFrameLabel();
        return;
    case TagCode::SetBackgroundColor:
        body = readSetBackgroundColor();
        return;
    case TagCode::FileAttributes:
        body = readFileAttributes();
        return;
    case TagCode::Metadata:
        body = readMetadata();
        return;
    case TagCode::DefineSceneAndFrameLabelData:
        body = readDefineSceneAndFrameLabelData();
        return;
    case TagCode::DoAction:
        body = readDoAction();
        return;
    case TagCode::DoInitAction:
        body = readDoInitAction();
        return;
    case TagCode::DefineFont:
        body = readDefineFont(1);
        return;
    case TagCode::DefineFont2:
        body = readDefineFont(2);
        return;
    case TagCode::DefineFont3:
        body = readDefineFont(3);
        return;
    case TagCode::DefineFontInfo:
        body = readDefineFontInfo(1);
        return;
    case TagCode::DefineFontInfo2:
        body = readDefineFontInfo(2);
        return;
    case TagCode::DefineFontAlignZones:
        body = readDefineFontAlignZones();
        return;
    case TagCode::DefineFontName:
        body = readDefineFontName();
        return;
    case TagCode::DefineText:
        body = readDefineText(1);
        return;
    case TagCode::DefineText2:
        body = readDefineText(2);
        return;
    case TagCode::DefineEditText:
        body = readDefineEditText();
        return;
    case TagCode::JpegTables:
        body = readJpegTables();
        return;
    case TagCode::DefineBits:
        body = readDefineBitsJpeg(1);
        return;
    case TagCode::DefineBitsJpeg2:
        body = readDefineBitsJpeg(2);
        return;
    case TagCode::DefineBitsJpeg3:
        body = readDefineBitsJpeg(3);
        return;
    case TagCode::DefineBitsJpeg4:
        body = readDefineBitsJpeg(4);
        return;
    case TagCode::DefineBitsLossless:
        body = readDefineBitsLossless(1);
        return;
    case TagCode::DefineBitsLossless2:
        body = readDefineBitsLossless(2);
        return;
    case TagCode::DefineSound:
        body = readDefineSound();
        return;
    case TagCode::DefineMorphShape:
        body = readDefineMorphShape(1);
        return;
    case TagCode::DefineMorphShape2:
        body = readDefineMorphShape(2);
        return;
    case TagCode::DefineButton:
        body = readDefineButton(1);
        return;
    case TagCode::DefineButton2:
        body = readDefineButton(2);
        return;
    case TagCode::DefineButtonCxform:
        body = readDefineButtonCxform();
        return;
    case TagCode::DefineButtonSound:
        body = readDefineButtonSound();
        return;
    default:
        break;
    }
    const std::span<const std::uint8_t> bytes = m_bits.readRest();
    charge(bytes.size(), 1);
    body = UnknownTag{std::vector<std::uint8_t>(bytes.begin(), bytes.end())};
}

} // namespace kf::swf
