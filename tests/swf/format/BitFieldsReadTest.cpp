// Records of many bit fields read a load at a time: the widest fields the format allows,
// which take several loads, each with and without bytes after the record, and a record cut
// by its tag's end while other tags follow.
#include "TestMovies.h"

#include "swf/format/MovieReader.h"
#include "swf/format/SwfReader.h"
#include "swf/writer/MovieWriter.h"
#include "swf/writer/SwfWriter.h"

#include <gtest/gtest.h>

#include <functional>

namespace kf::swf::test {
namespace {

template <typename Value>
void expectReadBackWithAnyPadding(const Value& value, const std::function<void(SwfWriter&)>& write,
                                  const std::function<Value(SwfReader&)>& read) {
    SwfWriter writer;
    write(writer);
    const Bytes bytes = writer.takeBytes();
    for (std::size_t padding : {0, 3, 8, 40}) {
        Bytes padded = bytes;
        padded.resize(bytes.size() + padding, 0xA5);
        SwfReader reader(padded, 10);
        EXPECT_EQ(read(reader), value) << padding << " bytes after the record";
        EXPECT_FALSE(reader.failed());
        EXPECT_EQ(reader.bits().position(), bytes.size());
    }
}

TEST(BitFieldsRead, widestMatrixRectAndColourTransform) {
    const Matrix matrix{-16383.75, 0.25, -0.5, 16383.5, 1073741823.0, -1073741824.0};
    expectReadBackWithAnyPadding<Matrix>(
        matrix, [&](SwfWriter& writer) { writer.writeMatrix(matrix); },
        [](SwfReader& reader) { return reader.readMatrix(); });
    const Rect rect{Twips{-1073741824}, Twips{1073741823}, Twips{0}, Twips{-1}};
    expectReadBackWithAnyPadding<Rect>(
        rect, [&](SwfWriter& writer) { writer.writeRect(rect); },
        [](SwfReader& reader) { return reader.readRect(); });
    const ColorTransform transform{16383, -16384, 0, 1, -1, 16383, -16384, 2};
    expectReadBackWithAnyPadding<ColorTransform>(
        transform, [&](SwfWriter& writer) { writer.writeColorTransformWithAlpha(transform); },
        [](SwfReader& reader) { return reader.readColorTransformWithAlpha(); });
    expectReadBackWithAnyPadding<ColorTransform>(
        transform, [&](SwfWriter& writer) { writer.writeColorTransform(transform); },
        [](SwfReader& reader) {
            ColorTransform read = reader.readColorTransform();
            // CXFORM has no alpha terms; compare the rest.
            read.alphaMultiplier = 1;
            read.alphaAddition = 2;
            return read;
        });
}

TEST(BitFieldsRead, aMatrixCutByTheTagEndFailsThoughBytesFollow) {
    PlaceObjectTag place;
    place.version = 2;
    place.depth = Depth{1};
    place.characterId = CharacterId{1};
    place.matrix = Matrix{-16383.75, 0.25, -0.5, 16383.5, 1073741823.0, -1073741824.0};
    SwfWriter writer(10);
    writer.writeTag(Tag{TagCode::PlaceObject2, 0, place});
    Bytes bytes = writer.takeBytes();
    ASSERT_LT(bytes.size(), 64u);
    bytes.pop_back(); // the matrix's last byte
    bytes[0] = static_cast<std::uint8_t>((bytes[0] & 0xC0) | ((bytes.size() - 2) & 0x3F));
    for (int frame = 0; frame < 8; ++frame) {
        bytes.insert(bytes.end(), {0x40, 0x00}); // ShowFrame
    }
    bytes.insert(bytes.end(), {0x00, 0x00}); // End
    Header header;
    header.frameSize = Rect{Twips{0}, Twips{100}, Twips{0}, Twips{100}};
    const Result<Movie> movie = readMovie(writeMovieFile(header, bytes));
    ASSERT_FALSE(movie.ok());
    EXPECT_NE(movie.error().message.find("truncated PlaceObject2"), std::string::npos)
        << movie.error().message;
}

} // namespace
} // namespace kf::swf::test
