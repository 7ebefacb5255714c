#pragma once

#include "swf/format/ArrivingBytes.h"
#include "swf/format/BitReader.h"
#include "swf/format/MovieAllocator.h"
#include "swf/format/MovieReader.h"
#include "swf/format/Tags.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace kf::swf {

// Reads SWF records into the format structs: one read…() per record, mirrored by
// SwfWriter's write…(). Each read returns a value; when the bytes run out or a record is
// malformed the reader fails (failed()) and errorMessage() says what and where. Values read
// after a failure are meaningless and callers drop them.
//
// Tags are read by readTag() through one switch on the tag code; each tag body gets its
// own bounded reader, so a record can never read into the next tag.
class SwfReader {
public:
    // `bytes` starts at `baseOffset` in the uncompressed file; offsets in messages are in it.
    SwfReader(std::span<const std::uint8_t> bytes, std::uint8_t swfVersion, std::size_t baseOffset = 0,
              const ReadOptions& options = {});
    SwfReader(const SwfReader&) = delete;
    SwfReader& operator=(const SwfReader&) = delete;

    // The style and record arrays read from here on come from `arena`'s arena (the heap
    // when it has none); tag readers share their root reader's.
    void setArena(const MovieAllocator<std::byte>& arena) { m_arena = arena; }
    // The reader's bytes are those of `arriving` from `start` on, of which it was given what
    // had arrived when it was made: tags are read as they arrive.
    void setArrivingBytes(ArrivingBytes* arriving, std::size_t start) {
        m_arriving = arriving;
        m_arrivalStart = start;
    }

    bool failed() const { return m_bits.failed() || m_error.has_value(); }
    // "truncated DefineShape3 at offset 1234" and the like; empty while nothing failed.
    std::string errorMessage() const;
    BitReader& bits() { return m_bits; }

    // Basic records.
    Rect readRect();
    Matrix readMatrix();
    ColorTransform readColorTransform();          // CXFORM
    ColorTransform readColorTransformWithAlpha(); // CXFORMWITHALPHA
    Rgba readRgb();
    Rgba readRgba();
    Rgba readArgb();

    // Styles and shapes; `shapeVersion` is 1 to 4 for DefineShape to DefineShape4.
    Gradient readGradient(int shapeVersion);
    Gradient readFocalGradient(int shapeVersion);
    FillStyle readFillStyle(int shapeVersion);
    FillStyleArray readFillStyleArray(int shapeVersion);
    LineStyle readLineStyle(int shapeVersion); // LINESTYLE2 for version 4
    LineStyleArray readLineStyleArray(int shapeVersion);
    ShapeRecordArray readShapeRecords(int shapeVersion, unsigned fillBits, unsigned lineBits);
    Shape readShape(int shapeVersion); // SHAPE: no style arrays
    Shape readShapeWithStyle(int shapeVersion);
    // Morph shapes; `morphVersion` is 1 or 2 (MORPHLINESTYLE2).
    MorphFillStyle readMorphFillStyle();
    MorphLineStyle readMorphLineStyle(int morphVersion);

    // Display-list records.
    Filter readFilter();
    std::vector<Filter> readFilterList();
    std::vector<ClipActionRecord> readClipActions();
    // BUTTONRECORDs up to their end flag; `buttonVersion` is 1 or 2 (DefineButton2 adds
    // colour transforms, filters and blend modes).
    std::vector<ButtonRecord> readButtonRecords(int buttonVersion);

    // Tag bodies: the reader spans exactly the body.
    DefineShapeTag readDefineShape(int shapeVersion);
    PlaceObjectTag readPlaceObject(int placeVersion);
    RemoveObjectTag readRemoveObject(int removeVersion);
    DefineSpriteTag readDefineSprite();
    FrameLabelTag readFrameLabel();
    SetBackgroundColorTag readSetBackgroundColor();
    FileAttributesTag readFileAttributes();
    MetadataTag readMetadata();
    DefineSceneAndFrameLabelDataTag readDefineSceneAndFrameLabelData();
    DoActionTag readDoAction();
    DoInitActionTag readDoInitAction();
    DefineFontTag readDefineFont(int fontVersion); // 1 to 3
    DefineFontInfoTag readDefineFontInfo(int infoVersion);
    DefineFontAlignZonesTag readDefineFontAlignZones();
    DefineFontNameTag readDefineFontName();
    DefineTextTag readDefineText(int textVersion);
    DefineEditTextTag readDefineEditText();
    JpegTablesTag readJpegTables();
    DefineBitsJpegTag readDefineBitsJpeg(int jpegVersion); // 1 (DefineBits) to 4
    DefineBitsLosslessTag readDefineBitsLossless(int losslessVersion);
    DefineSoundTag readDefineSound();
    DefineMorphShapeTag readDefineMorphShape(int morphVersion);
    DefineButtonTag readDefineButton(int buttonVersion);
    DefineButtonCxformTag readDefineButtonCxform();
    DefineButtonSoundTag readDefineButtonSound();

    // One tag, header included. Returns nothing at a clean end of the bytes.
    std::optional<Tag> readTag();
    // Tags until the End tag (kept when `keepEnd`) or until the bytes end.
    std::vector<Tag> readTags(bool keepEnd);

private:
    ColorTransform readColorTransformTerms(bool withAlpha);
    // The flag bits of LINESTYLE2 and MORPHLINESTYLE2 and the miter limit; true when a
    // fill style follows instead of a colour.
    bool readLineStyleFlags(LineStyle& style);
    void readMorphGradient(MorphFillStyle& style);
    // The edge records that follow, up to `room` of them, while a single load holds each;
    // how many were added to `records`. Stops, with nothing of it consumed, at any other record.
    std::size_t readEdgesFromWords(std::vector<ShapeRecord>& records, std::size_t room);
    SwfReader(const SwfReader& parent, BitReader bits, int spriteDepth);

    // readTag() into `tag`, which a caller can construct in place. False at the end or on failure.
    bool readTagInto(Tag& tag);
    // How many tags follow, up to and including an End tag, from their headers alone: lets
    // readTags() allocate once. Stops quietly where the stream is damaged.
    std::size_t countTags() const;
    // Makes at least `count` bytes past the position readable, waiting for them to arrive,
    // or all there will be when fewer come.
    void awaitBytes(std::size_t count);
    // Room for more tags, counted against the memory limit.
    bool reserveTags(std::vector<Tag>& tags, std::size_t count);
    void reserveGuessedTags(std::vector<Tag>& tags);
    void readTagBody(TagCode code, TagBody& body);
    std::uint32_t readClipEventFlags();
    // A font's glyph offset table and the outlines it points at; `tableEnd` (0: the tag's
    // end) is where the last outline ends, relative to the table, and is clamped to the tag.
    std::vector<FontGlyph> readGlyphTable(std::size_t glyphCount, bool wideOffsets, std::uint32_t& tableEnd);
    ActionBlock readActionBlock(std::span<const std::uint8_t> bytes);
    // Counts `count` structs of `each` bytes against ReadOptions::maxDecodedSize before they
    // are allocated; fails the read when they would not fit.
    bool charge(std::size_t count, std::size_t each);
    void fail(std::string message);
    // How many elements of at least `minimumBytes` each the rest of the bytes could hold:
    // an upper bound for reserve(), so a count the file merely claims allocates nothing.
    std::size_t plausibleCount(std::size_t claimed, std::size_t minimumBytes) const;

    BitReader m_bits;
    // What the structs read so far take; tag readers share their root reader's.
    std::size_t m_ownDecodedSize = 0;
    std::size_t* m_decodedSize = &m_ownDecodedSize;
    // Where readShapeRecords() gathers a shape's records; tag readers share their root reader's.
    std::vector<ShapeRecord> m_ownRecordScratch;
    std::vector<ShapeRecord>* m_recordScratch = &m_ownRecordScratch;
    MovieAllocator<std::byte> m_arena;
    std::uint8_t m_swfVersion;
    ReadOptions m_options;
    int m_spriteDepth = 0;
    std::optional<std::string> m_error;
    ArrivingBytes* m_arriving = nullptr; // the root reader's only
    std::size_t m_arrivalStart = 0;
};

} // namespace kf::swf
