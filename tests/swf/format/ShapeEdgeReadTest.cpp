// Edge records of every field width, read where a single load holds a whole edge, where an
// edge is too wide for one, and near the end of the bytes, where fields are read one by one.
#include "TestMovies.h"

#include "swf/format/MovieReader.h"
#include "swf/format/SwfReader.h"
#include "swf/writer/MovieWriter.h"
#include "swf/writer/SwfWriter.h"

#include <gtest/gtest.h>

namespace kf::swf::test {
namespace {

// Straight edges of the three layouts and curved edges, with deltas needing 2 to 17 bits.
Shape edgesOfEveryWidth() {
    Shape shape;
    StyleChangeRecord start;
    start.setMoveTo(Twips{3}, Twips{-7});
    shape.records.emplace_back(start);
    for (int bits = 2; bits <= 17; ++bits) {
        const std::int32_t largest = (1 << (bits - 1)) - 1;
        const std::int32_t smallest = -(1 << (bits - 1));
        shape.records.emplace_back(StraightEdgeRecord{Twips{largest}, Twips{smallest}});
        shape.records.emplace_back(StraightEdgeRecord{Twips{0}, Twips{smallest}});
        shape.records.emplace_back(StraightEdgeRecord{Twips{largest}, Twips{0}});
        shape.records.emplace_back(
            CurvedEdgeRecord{Twips{smallest}, Twips{largest}, Twips{-1}, Twips{largest / 2}});
    }
    return shape;
}

Bytes shapeBytes(const Shape& shape) {
    SwfWriter writer;
    writer.writeShapeWithStyle(shape, 3);
    return writer.takeBytes();
}

TEST(ShapeEdgeRead, everyWidthReadsBackWithAndWithoutBytesAfterTheShape) {
    const Shape shape = edgesOfEveryWidth();
    Bytes bytes = shapeBytes(shape);
    for (std::size_t padding : {0, 1, 7, 8, 64}) {
        Bytes padded = bytes;
        padded.resize(bytes.size() + padding, 0xFF);
        SwfReader reader(padded, 10);
        const Shape read = reader.readShapeWithStyle(3);
        ASSERT_FALSE(reader.failed()) << reader.errorMessage();
        EXPECT_EQ(read, shape) << padding << " bytes after the shape";
        EXPECT_EQ(reader.bits().position(), bytes.size());
    }
}

// A DefineShape3 whose declared length ends inside a wide edge, followed by further tags:
// the bytes a load sees past the tag's end belong to the next tag and must not complete it.
TEST(ShapeEdgeRead, anEdgeCutByTheTagEndFailsThoughBytesFollow) {
    Shape shape;
    shape.records.emplace_back(StraightEdgeRecord{Twips{-65536}, Twips{65535}});
    DefineShapeTag tag;
    tag.version = 3;
    tag.id = CharacterId{1};
    tag.bounds = Rect{Twips{0}, Twips{100}, Twips{0}, Twips{100}};
    tag.edgeBounds = tag.bounds;
    tag.shape = shape;
    SwfWriter whole(10);
    whole.writeTag(Tag{TagCode::DefineShape3, 0, tag});
    Bytes tagBytes = whole.takeBytes();
    // Short header: the body length is in the low six bits. Drop the end record's byte and
    // the edge's last byte.
    ASSERT_LT(tagBytes.size(), 64u);
    tagBytes.resize(tagBytes.size() - 2);
    tagBytes[0] = static_cast<std::uint8_t>((tagBytes[0] & 0xC0) | ((tagBytes.size() - 2) & 0x3F));
    SwfWriter rest(10);
    for (int frame = 0; frame < 4; ++frame) {
        rest.writeTag(Tag{TagCode::ShowFrame, 0, ShowFrameTag{}});
    }
    rest.writeTag(Tag{TagCode::End, 0, EndTag{}});
    tagBytes.insert(tagBytes.end(), rest.bytes().begin(), rest.bytes().end());

    Header header;
    header.frameSize = tag.bounds;
    const Result<Movie> movie = readMovie(writeMovieFile(header, tagBytes));
    ASSERT_FALSE(movie.ok());
    EXPECT_NE(movie.error().message.find("truncated DefineShape3"), std::string::npos)
        << movie.error().message;
}

} // namespace
} // namespace kf::swf::test
