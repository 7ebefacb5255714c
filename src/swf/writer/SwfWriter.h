#pragma once

#include "swf/format/Action.h"
#include "swf/format/Filters.h"
#include "swf/format/Tags.h"
#include "swf/writer/BitWriter.h"

#include <cstdint>
#include <vector>

namespace kf::swf {

// Writes SWF records from the format structs, one write…() per read…() of the reader, so
// what one writes the other reads back unchanged. `swfVersion` matters where the layout
// depends on the file's version (clip-event flags, named anchors).
//
// Values outside what a record can hold (a 40,000-twip line delta, a 300-entry fill array
// in DefineShape) are the caller's business: the writer does not check them.
class SwfWriter {
public:
    explicit SwfWriter(std::uint8_t swfVersion = 10) : m_swfVersion(swfVersion) {}

    std::uint8_t swfVersion() const { return m_swfVersion; }
    BitWriter& out() { return m_out; }
    const std::vector<std::uint8_t>& bytes() const { return m_out.bytes(); }
    std::vector<std::uint8_t> takeBytes() { return m_out.takeBytes(); }

    // Basic records.
    void writeRect(const Rect& rect);
    void writeMatrix(const Matrix& matrix);
    void writeColorTransform(const ColorTransform& transform);          // CXFORM
    void writeColorTransformWithAlpha(const ColorTransform& transform); // CXFORMWITHALPHA
    void writeRgb(Rgba color);
    void writeRgba(Rgba color);
    void writeArgb(Rgba color);

    // Styles and shapes; `shapeVersion` is 1 to 4 for DefineShape to DefineShape4.
    void writeGradient(const Gradient& gradient, int shapeVersion);
    void writeFocalGradient(const Gradient& gradient, int shapeVersion);
    void writeFillStyle(const FillStyle& style, int shapeVersion);
    void writeFillStyleArray(const FillStyleArray& styles, int shapeVersion);
    void writeLineStyle(const LineStyle& style, int shapeVersion); // LINESTYLE2 for version 4
    void writeLineStyleArray(const LineStyleArray& styles, int shapeVersion);
    void writeShapeRecords(std::span<const ShapeRecord> records, int shapeVersion, unsigned fillBits,
                           unsigned lineBits);
    void writeShape(const Shape& shape, int shapeVersion); // SHAPE: no style arrays
    void writeShapeWithStyle(const Shape& shape, int shapeVersion);
    void writeMorphFillStyle(const MorphFillStyle& style);
    void writeMorphLineStyle(const MorphLineStyle& style, int morphVersion);

    // Display-list records.
    void writeFilter(const Filter& filter);
    void writeFilterList(const std::vector<Filter>& filters);
    void writeClipActions(const std::vector<ClipActionRecord>& records);
    void writeButtonRecords(const std::vector<ButtonRecord>& records, int buttonVersion); // with end flag

    // Actions: a block ends with the End action, which `ActionBlock::actions` leaves out.
    void writeAction(const Action& action);
    void writeActionBlock(const ActionBlock& block);

    // Tag bodies, without the tag header.
    void writeDefineShape(const DefineShapeTag& tag);
    void writePlaceObject(const PlaceObjectTag& tag);
    void writeRemoveObject(const RemoveObjectTag& tag);
    void writeDefineSprite(const DefineSpriteTag& tag);
    void writeFrameLabel(const FrameLabelTag& tag);
    void writeSetBackgroundColor(const SetBackgroundColorTag& tag);
    void writeFileAttributes(const FileAttributesTag& tag);
    void writeMetadata(const MetadataTag& tag);
    void writeDefineSceneAndFrameLabelData(const DefineSceneAndFrameLabelDataTag& tag);
    void writeDoAction(const DoActionTag& tag);
    void writeDoInitAction(const DoInitActionTag& tag);
    void writeJpegTables(const JpegTablesTag& tag);
    void writeDefineBitsJpeg(const DefineBitsJpegTag& tag);
    void writeDefineBitsLossless(const DefineBitsLosslessTag& tag);
    void writeDefineSound(const DefineSoundTag& tag);
    void writeDefineMorphShape(const DefineMorphShapeTag& tag);
    void writeDefineFont(const DefineFontTag& tag);
    void writeDefineFontInfo(const DefineFontInfoTag& tag);
    void writeDefineFontAlignZones(const DefineFontAlignZonesTag& tag);
    void writeDefineFontName(const DefineFontNameTag& tag);
    void writeDefineText(const DefineTextTag& tag);
    void writeDefineEditText(const DefineEditTextTag& tag);
    void writeDefineButton(const DefineButtonTag& tag);
    void writeDefineButtonCxform(const DefineButtonCxformTag& tag);
    void writeDefineButtonSound(const DefineButtonSoundTag& tag);

    // A tag header: the short form when the body is under 63 bytes, unless `forceLong`.
    void writeTagHeader(TagCode code, std::uint32_t length, bool forceLong = false);
    // Header and body; the body is chosen by the variant, the header's code by `tag.code`.
    void writeTag(const Tag& tag);
    void writeTags(const std::vector<Tag>& tags);

    // The tag code that matches a body (DefineShape3 for a version-3 shape, ...).
    static TagCode codeFor(const TagBody& body);

private:
    void writeColorTransformTerms(const ColorTransform& transform, bool withAlpha);
    void writeLineStyleFlags(const LineStyle& style); // LINESTYLE2's flags and miter limit
    void writeMorphGradient(const Gradient& start, const Gradient& end);
    void writeStyleChange(const StyleChangeRecord& record, int shapeVersion, unsigned& fillBits,
                          unsigned& lineBits);
    void writeStraightEdge(const StraightEdgeRecord& record);
    void writeCurvedEdge(const CurvedEdgeRecord& record);
    void writeClipEventFlags(std::uint32_t events);
    void writeTagBody(const TagBody& body);

    std::uint8_t m_swfVersion;
    BitWriter m_out;
};

} // namespace kf::swf
