// readMovie and readHeader on well-formed files: containers, header facts, tag offsets,
// and the leniencies real files need.
#include "TestMovies.h"

#include "swf/format/MovieReader.h"
#include "swf/writer/MovieWriter.h"
#include "swf/writer/SwfWriter.h"

#include <gtest/gtest.h>

namespace kf::swf::test {
namespace {

Bytes tagStream(const std::vector<Tag>& tags, std::uint8_t version = 10) {
    SwfWriter writer(version);
    writer.writeTags(tags);
    return writer.takeBytes();
}

Header smallHeader(Compression compression) {
    Header header;
    header.compression = compression;
    header.version = 10;
    header.frameSize = Rect{Twips{0}, Twips{100}, Twips{0}, Twips{100}};
    header.frameRate = UFixed8::fromDouble(24);
    header.frameCount = 1;
    return header;
}

TEST(MovieReader, smallMovieReadsBackUnchangedInEveryContainer) {
    for (Compression compression : {Compression::None, Compression::Zlib, Compression::Lzma}) {
        const MovieBuilder builder = smallMovie(compression);
        Result<Movie> movie = readMovie(builder.build());
        ASSERT_TRUE(movie.ok()) << movie.error().message;
        clearOffsets(movie->tags);
        EXPECT_EQ(movie->tags, builder.movie().tags);
        EXPECT_EQ(movie->header.frameCount, 2);
        EXPECT_EQ(movie->header.frameRate.raw, 30 * 256);
    }
}

TEST(MovieReader, eventSoundsReadBackWithTheirFormatAndSamples) {
    DefineSoundTag sound;
    sound.id = CharacterId{300};
    sound.format = 2;
    sound.rateIndex = 3;
    sound.sixteenBit = true;
    sound.stereo = true;
    sound.sampleCount = 0x01020304;
    sound.data = {9, 8, 7};
    MovieBuilder builder(8);
    builder.addTag(sound);
    Result<Movie> movie = readMovie(builder.build());
    ASSERT_TRUE(movie.ok()) << movie.error().message;
    const auto* read = std::get_if<DefineSoundTag>(&movie->tags.front().body);
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(*read, sound);
    EXPECT_EQ(read->sampleRate(), 44100.0);
    // Cut inside the sample count: a truncated tag, not a sound of some other length.
    const Bytes cut{
        static_cast<std::uint8_t>((14 << 6) | 5), static_cast<std::uint8_t>(14 >> 2), 44, 1, 0x2F, 4, 3};
    const Result<Movie> truncated = readMovie(writeMovieFile(smallHeader(Compression::None), cut));
    ASSERT_FALSE(truncated.ok());
    EXPECT_EQ(truncated.error().message.rfind("truncated DefineSound", 0), 0u) << truncated.error().message;
}

TEST(MovieReader, readHeaderGivesTheHeaderWithoutTouchingTags) {
    for (Compression compression : {Compression::None, Compression::Zlib, Compression::Lzma}) {
        const Bytes bytes = smallMovie(compression).build();
        const Result<Header> header = readHeader(bytes);
        ASSERT_TRUE(header.ok()) << header.error().message;
        EXPECT_EQ(*header, readMovie(bytes)->header);
        EXPECT_EQ(header->compression, compression);
    }
    // Tags that would fail a full read do not matter to readHeader.
    const Bytes broken =
        writeMovieFile(smallHeader(Compression::Zlib), Bytes{0xBF, 0x00, 0xFF, 0xFF, 0xFF, 0x7F});
    EXPECT_TRUE(readHeader(broken).ok());
    EXPECT_FALSE(readMovie(broken).ok());
}

TEST(MovieReader, tagOffsetsAreInTheUncompressedFile) {
    const std::vector<Tag> tags{Tag{TagCode::ShowFrame, 0, ShowFrameTag{}},
                                Tag{TagCode::DefineBits, 0, UnknownTag{Bytes(70, 1)}},
                                Tag{TagCode::End, 0, EndTag{}}};
    for (Compression compression : {Compression::None, Compression::Lzma}) {
        const Result<Movie> movie = readMovie(writeMovieFile(smallHeader(compression), tagStream(tags)));
        ASSERT_TRUE(movie.ok());
        ASSERT_EQ(movie->tags.size(), 3u);
        // 8-byte file header, 5-byte RECT (8-bit values), frame rate, frame count.
        EXPECT_EQ(movie->tags[0].offset, 8u + 5 + 4);
        EXPECT_EQ(movie->tags[1].offset, 8u + 5 + 4 + 2);
        EXPECT_EQ(movie->tags[2].offset, 8u + 5 + 4 + 2 + 6 + 70); // long header for 70 bytes
    }
}

TEST(MovieReader, tagStreamWithoutEndIsAcceptedWithTheTagsRead) {
    const std::vector<Tag> tags{
        Tag{TagCode::ShowFrame, 0, ShowFrameTag{}},
        Tag{TagCode::SetBackgroundColor, 0, SetBackgroundColorTag{Rgba{1, 2, 3, 255}}}};
    for (Compression compression : {Compression::None, Compression::Zlib, Compression::Lzma}) {
        Result<Movie> movie = readMovie(writeMovieFile(smallHeader(compression), tagStream(tags)));
        ASSERT_TRUE(movie.ok()) << movie.error().message;
        clearOffsets(movie->tags);
        EXPECT_EQ(movie->tags, tags);
    }
}

TEST(MovieReader, bytesAfterTheEndTagAreIgnored) {
    Bytes stream = tagStream({Tag{TagCode::End, 0, EndTag{}}});
    stream.insert(stream.end(), {0xFF, 0xFF, 0xFF});
    const Result<Movie> movie = readMovie(writeMovieFile(smallHeader(Compression::None), stream));
    ASSERT_TRUE(movie.ok());
    EXPECT_EQ(movie->tags.size(), 1u);
}

TEST(MovieReader, uncompressedFileWithAWrongDeclaredLengthStillReads) {
    Bytes bytes = smallMovie(Compression::None).build();
    for (std::uint8_t wrong : {0x00, 0xFF}) {
        bytes[4] = wrong;
        bytes[5] = wrong;
        bytes[6] = wrong;
        bytes[7] = wrong;
        EXPECT_TRUE(readMovie(bytes).ok());
    }
}

TEST(MovieReader, inflationStopsAtTheDeclaredLength) {
    // Declare two bytes fewer than the stream holds: the End tag is cut off, nothing more.
    for (Compression compression : {Compression::Zlib, Compression::Lzma}) {
        Bytes bytes = smallMovie(compression).build();
        const std::uint32_t declared = bytes[4] | (bytes[5] << 8) | (bytes[6] << 16) | (bytes[7] << 24);
        const std::uint32_t shorter = declared - 2;
        for (int index = 0; index < 4; ++index) {
            bytes[4 + index] = static_cast<std::uint8_t>(shorter >> (8 * index));
        }
        const Result<Movie> movie = readMovie(bytes);
        ASSERT_TRUE(movie.ok()) << movie.error().message;
        EXPECT_NE(movie->tags.back().code, TagCode::End);
        EXPECT_EQ(movie->tags.back().code, TagCode::ShowFrame);
    }
}

TEST(MovieReader, spritesNestedWithinTheLimitRead) {
    ReadOptions options;
    options.maxSpriteNesting = 3;
    DefineSpriteTag inner{CharacterId{1}, 1, {Tag{TagCode::ShowFrame, 0, ShowFrameTag{}}}};
    for (int level = 1; level < 3; ++level) {
        inner = DefineSpriteTag{
            CharacterId{static_cast<std::uint16_t>(level + 1)}, 1, {Tag{TagCode::DefineSprite, 0, inner}}};
    }
    const Bytes bytes =
        writeMovieFile(smallHeader(Compression::None), tagStream({Tag{TagCode::DefineSprite, 0, inner}}));
    EXPECT_TRUE(readMovie(bytes, options).ok());
    options.maxSpriteNesting = 2;
    const Result<Movie> refused = readMovie(bytes, options);
    ASSERT_FALSE(refused.ok());
    EXPECT_EQ(
        refused.error().message,
        "sprites nested deeper than 2 levels in DefineSprite at offset 29 in DefineSprite at offset 23 in "
        "DefineSprite at offset 17");
}

} // namespace
} // namespace kf::swf::test
