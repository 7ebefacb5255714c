// Damaged files: every one must give an error value (or, where the tag stream merely stops,
// a shorter movie), never a crash, a hang or a huge allocation.
#include "TestMovies.h"

#include "swf/format/MovieReader.h"
#include "swf/writer/MovieWriter.h"
#include "swf/writer/SwfWriter.h"

#include <gtest/gtest.h>

#include <random>

namespace kf::swf::test {
namespace {

Header plainHeader(Compression compression = Compression::None) {
    Header header;
    header.compression = compression;
    header.frameSize = Rect{Twips{0}, Twips{100}, Twips{0}, Twips{100}};
    return header;
}

void setDeclaredLength(Bytes& bytes, std::uint32_t length) {
    for (int index = 0; index < 4; ++index) {
        bytes[4 + index] = static_cast<std::uint8_t>(length >> (8 * index));
    }
}

// A read that succeeds on a damaged file must give tags the intact file also has, in order.
void expectPrefixOf(std::vector<Tag> tags, const std::vector<Tag>& full) {
    clearOffsets(tags);
    ASSERT_LE(tags.size(), full.size());
    for (std::size_t index = 0; index < tags.size(); ++index) {
        EXPECT_EQ(tags[index], full[index]) << "tag " << index;
    }
}

TEST(TruncatedFiles, cutAtEveryByteGivesAnErrorOrAShorterMovie) {
    for (Compression compression : {Compression::None, Compression::Zlib, Compression::Lzma}) {
        const MovieBuilder builder = smallMovie(compression);
        const Bytes bytes = builder.build();
        const std::vector<Tag> full = builder.movie().tags;
        int errors = 0;
        int shorter = 0;
        for (std::size_t length = 0; length < bytes.size(); ++length) {
            const Result<Movie> movie = readMovie(std::span(bytes).first(length));
            if (movie.ok()) {
                ++shorter;
                expectPrefixOf(movie->tags, full);
                if (compression == Compression::None) {
                    EXPECT_LT(movie->tags.size(), full.size());
                }
            } else {
                ++errors;
                EXPECT_FALSE(movie.error().message.empty());
            }
        }
        EXPECT_GT(errors, 0);
        if (compression == Compression::None) {
            // One shorter movie per tag boundary: after the header, then after each tag but the End.
            EXPECT_EQ(shorter, static_cast<int>(full.size()));
        }
    }
}

TEST(TruncatedFiles, messagesSayWhatAndWhere) {
    const Bytes bytes = smallMovie(Compression::None).build();
    EXPECT_EQ(readMovie(std::span(bytes).first(5)).error().message,
              "truncated file header: 5 bytes, at least 8 needed");
    EXPECT_EQ(readMovie(std::span(bytes).first(10)).error().message, "truncated movie header at offset 10");
    // The rectangle shape starts after the header, FileAttributes and SetBackgroundColor.
    const Result<Movie> whole = readMovie(bytes);
    ASSERT_TRUE(whole.ok());
    const std::uint32_t shapeOffset = whole->tags[2].offset;
    const Result<Movie> cut = readMovie(std::span(bytes).first(shapeOffset + 1));
    EXPECT_EQ(cut.error().message, "truncated tag header at offset " + std::to_string(shapeOffset));
    const Result<Movie> cutBody = readMovie(std::span(bytes).first(shapeOffset + 10));
    EXPECT_EQ(cutBody.error().message, "DefineShape3 at offset " + std::to_string(shapeOffset) +
                                           " declares 28 bytes but only 8 remain");
}

TEST(WrongTagLengths, lengthTooShortForTheBodyIsATruncatedTag) {
    SwfWriter body;
    body.writeDefineShape(std::get<DefineShapeTag>(smallMovie(Compression::None).movie().tags[2].body));
    Bytes shape = body.takeBytes();
    shape.resize(shape.size() - 3);
    SwfWriter stream;
    stream.writeTagHeader(TagCode::DefineShape3, static_cast<std::uint32_t>(shape.size()));
    stream.out().writeBytes(shape);
    stream.writeTagHeader(TagCode::End, 0);
    const Result<Movie> movie = readMovie(writeMovieFile(plainHeader(), stream.bytes()));
    ASSERT_FALSE(movie.ok());
    EXPECT_EQ(movie.error().message, "truncated DefineShape3 at offset 17");
}

TEST(WrongTagLengths, fixedSizeTagsShorterThanTheirFields) {
    const std::vector<std::pair<TagCode, std::string>> cases{
        {TagCode::PlaceObject2, "truncated PlaceObject2 at offset 17"},
        {TagCode::RemoveObject, "truncated RemoveObject at offset 17"},
        {TagCode::SetBackgroundColor, "truncated SetBackgroundColor at offset 17"},
        {TagCode::FrameLabel, "truncated FrameLabel at offset 17"}, // name without terminator
        {TagCode::DoInitAction, "truncated DoInitAction at offset 17"},
        {TagCode::DefineSprite, "truncated DefineSprite at offset 17"},
        {TagCode::DefineSceneAndFrameLabelData, "truncated DefineSceneAndFrameLabelData at offset 17"},
    };
    for (const auto& [code, message] : cases) {
        SwfWriter stream;
        stream.writeTagHeader(code, 1);
        stream.out().writeU8(0x41);
        const Result<Movie> movie = readMovie(writeMovieFile(plainHeader(), stream.bytes()));
        ASSERT_FALSE(movie.ok()) << message;
        EXPECT_EQ(movie.error().message, message);
    }
}

TEST(WrongTagLengths, longLengthPastTheEndAndCutLongHeader) {
    SwfWriter stream;
    stream.writeTagHeader(TagCode::DoAction, 0x7FFFFFFF, true);
    stream.out().writeU8(0x07);
    EXPECT_EQ(readMovie(writeMovieFile(plainHeader(), stream.bytes())).error().message,
              "DoAction at offset 17 declares 2147483647 bytes but only 1 remain");
    const Bytes cutHeader{0x3F, 0x03, 0x10, 0x00};
    EXPECT_EQ(readMovie(writeMovieFile(plainHeader(), cutHeader)).error().message,
              "truncated DoAction header at offset 17");
}

TEST(WrongTagLengths, malformedBodiesNameTheRecord) {
    // A fill style of type 0x17 in a DefineShape3.
    const Bytes shape{0x01, 0x00, 0x00, 0x01, 0x17, 0x00, 0x00, 0x00, 0x00, 0x00};
    SwfWriter stream;
    stream.writeTagHeader(TagCode::DefineShape3, static_cast<std::uint32_t>(shape.size()));
    stream.out().writeBytes(shape);
    EXPECT_EQ(readMovie(writeMovieFile(plainHeader(), stream.bytes())).error().message,
              "invalid fill style type 0x17 in DefineShape3 at offset 17");
}

TEST(CorruptStreams, notASwfFile) {
    EXPECT_EQ(readMovie(Bytes{'G', 'I', 'F', '8', '9', 'a', 0, 0, 0}).error().message,
              "not a SWF file: no FWS, CWS or ZWS signature at offset 0");
    EXPECT_FALSE(readMovie(Bytes{'X', 'W', 'S', 10, 20, 0, 0, 0, 0}).ok());
    EXPECT_FALSE(readMovie(Bytes{}).ok());
}

TEST(CorruptStreams, damagedZlibHeaderIsAnError) {
    Bytes bytes = smallMovie(Compression::Zlib).build();
    bytes[8] ^= 0xFF;
    const Result<Movie> movie = readMovie(bytes);
    ASSERT_FALSE(movie.ok());
    EXPECT_EQ(movie.error().message, "corrupt zlib stream (incorrect header check) near offset 10");
}

TEST(CorruptStreams, damagedLzmaPropertiesAreAnError) {
    Bytes bytes = smallMovie(Compression::Lzma).build();
    bytes[12] = 0xFF; // lc/lp/pb beyond their range
    const Result<Movie> movie = readMovie(bytes);
    ASSERT_FALSE(movie.ok());
    EXPECT_EQ(movie.error().message.rfind("corrupt LZMA stream", 0), 0u) << movie.error().message;
}

TEST(CorruptStreams, everySingleByteDamageIsSurvived) {
    // Flipping any one byte of a file gives an error or some movie; the tags of a movie that
    // reads must be well-formed enough to write again.
    for (Compression compression : {Compression::None, Compression::Zlib, Compression::Lzma}) {
        const Bytes bytes = smallMovie(compression).build();
        int errors = 0;
        for (std::size_t index = 8; index < bytes.size(); ++index) {
            Bytes damaged = bytes;
            damaged[index] ^= 0x5A;
            const Result<Movie> movie = readMovie(damaged);
            if (!movie.ok()) {
                ++errors;
                continue;
            }
            SwfWriter writer;
            writer.writeTags(movie->tags);
        }
        EXPECT_GT(errors, 0);
    }
}

TEST(CorruptStreams, randomTagStreamsGiveErrorsOrMoviesNeverCrashes) {
    std::mt19937 random(7);
    int movies = 0;
    for (int round = 0; round < 2000; ++round) {
        Bytes stream(random() % 200);
        for (std::uint8_t& byte : stream) {
            byte = static_cast<std::uint8_t>(random());
        }
        // Mostly short tags of the codes the reader parses, so bodies get exercised.
        if (stream.size() >= 2) {
            const std::uint16_t codes[] = {2, 22, 32, 83, 4, 26, 70, 39, 12, 59, 86, 43};
            const std::uint16_t code = codes[random() % std::size(codes)];
            const auto length = static_cast<std::uint16_t>(std::min<std::size_t>(stream.size() - 2, 62));
            stream[0] = static_cast<std::uint8_t>((code << 6) | length);
            stream[1] = static_cast<std::uint8_t>(code >> 2);
        }
        const Result<Movie> movie = readMovie(writeMovieFile(plainHeader(), stream));
        movies += movie.ok() ? 1 : 0;
    }
    EXPECT_GT(movies, 0);
}

TEST(CompressionBombs, declaredSizeAboveTheLimitIsRefusedBeforeInflating) {
    for (Compression compression : {Compression::Zlib, Compression::Lzma}) {
        Bytes bytes = smallMovie(compression).build();
        setDeclaredLength(bytes, 0xFFFFFFFF);
        const Result<Movie> movie = readMovie(bytes);
        ASSERT_FALSE(movie.ok());
        EXPECT_EQ(movie.error().message,
                  "declared uncompressed size 4294967295 at offset 4 exceeds the 536870912-byte limit");
        EXPECT_FALSE(readHeader(bytes).ok());
    }
    ReadOptions tight;
    tight.maxUncompressedSize = 100;
    EXPECT_FALSE(readMovie(smallMovie(Compression::Zlib).build(), tight).ok());
    const Bytes uncompressed = smallMovie(Compression::None).build();
    EXPECT_EQ(readMovie(uncompressed, tight).error().message,
              "file of " + std::to_string(uncompressed.size()) + " bytes exceeds the 100-byte limit");
}

TEST(CompressionBombs, hugeClaimUnderTheLimitReadsOnlyWhatIsThere) {
    for (Compression compression : {Compression::Zlib, Compression::Lzma}) {
        const MovieBuilder builder = smallMovie(compression);
        Bytes bytes = builder.build();
        setDeclaredLength(bytes, 500u * 1024 * 1024);
        Result<Movie> movie = readMovie(bytes);
        ASSERT_TRUE(movie.ok()) << movie.error().message;
        clearOffsets(movie->tags);
        EXPECT_EQ(movie->tags, builder.movie().tags);
    }
}

TEST(CompressionBombs, declaredLengthBelowTheHeaderIsAnError) {
    Bytes bytes = smallMovie(Compression::Zlib).build();
    setDeclaredLength(bytes, 4);
    EXPECT_EQ(readMovie(bytes).error().message,
              "declared file length 4 at offset 4 is shorter than the header");
}

// A tag of `body` in an uncompressed movie.
Bytes movieWithTag(TagCode code, const Bytes& body, Compression compression = Compression::None) {
    SwfWriter stream;
    stream.writeTagHeader(code, static_cast<std::uint32_t>(body.size()), true);
    stream.out().writeBytes(body);
    return writeMovieFile(plainHeader(compression), stream.bytes());
}

TEST(AmplificationBombs, millionTinyShapeEdgesStopAtTheDecodedSizeLimit) {
    // Ten-bit edges, four to five bytes: 1.25 MB of records that would take 112 MB as structs.
    Bytes shape{1, 0, 0x00, 0x00, 0x00, 0x00};
    for (int group = 0; group < 250000; ++group) {
        shape.insert(shape.end(), {0xC0, 0x70, 0x1C, 0x07, 0x01});
    }
    shape.push_back(0x00);
    ReadOptions options;
    options.maxDecodedSize = 10u * 1024 * 1024;
    const Result<Movie> movie =
        readMovie(movieWithTag(TagCode::DefineShape3, shape, Compression::Zlib), options);
    ASSERT_FALSE(movie.ok());
    EXPECT_EQ(movie.error().message,
              "the parsed movie would take more than the 10485760-byte limit in DefineShape3 at offset 17");
    options.maxDecodedSize = 200u * 1024 * 1024;
    const Result<Movie> allowed = readMovie(movieWithTag(TagCode::DefineShape3, shape), options);
    ASSERT_TRUE(allowed.ok()) << allowed.error().message;
    EXPECT_EQ(std::get<DefineShapeTag>(allowed->tags[0].body).shape.records.size(), 1000000u);
}

TEST(AmplificationBombs, actionsAndTagCountsCountAgainstTheLimitToo) {
    ReadOptions options;
    options.maxDecodedSize = 1024 * 1024;
    const Result<Movie> actions = readMovie(movieWithTag(TagCode::DoAction, Bytes(100000, 0x07)), options);
    ASSERT_FALSE(actions.ok());
    EXPECT_EQ(actions.error().message,
              "the parsed movie would take more than the 1048576-byte limit in DoAction at offset 17");
    // The budget is the movie's, not each tag's: many blocks that each fit add up.
    SwfWriter manyBlocks;
    for (int block = 0; block < 300; ++block) {
        manyBlocks.writeTagHeader(TagCode::DoAction, 1000, true);
        manyBlocks.out().writeBytes(Bytes(1000, 0x07));
    }
    const Result<Movie> blocks = readMovie(writeMovieFile(plainHeader(), manyBlocks.bytes()), options);
    ASSERT_FALSE(blocks.ok());
    EXPECT_EQ(blocks.error().message.rfind(
                  "the parsed movie would take more than the 1048576-byte limit in DoAction", 0),
              0u);
    Bytes frames;
    for (int frame = 0; frame < 100000; ++frame) {
        frames.insert(frames.end(), {0x40, 0x00});
    }
    const Result<Movie> tags = readMovie(writeMovieFile(plainHeader(), frames), options);
    ASSERT_FALSE(tags.ok());
    EXPECT_EQ(tags.error().message, "the parsed movie would take more than the 1048576-byte limit");
}

TEST(NestingBomb, thousandNestedSpritesAreRefusedAtTheLimit) {
    // Built as bytes from the inside out: each level is a DefineSprite tag around the last.
    Bytes level = {0x00, 0x00}; // End
    for (int depth = 0; depth < 1000; ++depth) {
        SwfWriter writer;
        writer.writeTagHeader(TagCode::DefineSprite, static_cast<std::uint32_t>(level.size() + 4), true);
        writer.out().writeU16(static_cast<std::uint16_t>(depth + 1));
        writer.out().writeU16(1);
        writer.out().writeBytes(level);
        level = writer.takeBytes();
    }
    const Result<Movie> movie = readMovie(writeMovieFile(plainHeader(), level));
    ASSERT_FALSE(movie.ok());
    EXPECT_EQ(
        movie.error().message.rfind("sprites nested deeper than 8 levels in DefineSprite at offset ", 0), 0u)
        << movie.error().message;
}

TEST(HostileCounts, claimedCountsAllocateNothingBeyondTheBytes) {
    // A fill style array claiming 65535 entries, a scene list claiming 2^32-1, a filter list
    // claiming 255: each in a tag of a few bytes.
    const std::vector<std::pair<TagCode, Bytes>> cases{
        {TagCode::DefineShape3, {1, 0, 0x00, 0xFF, 0xFF, 0xFF}},
        {TagCode::DefineSceneAndFrameLabelData, {0xFF, 0xFF, 0xFF, 0xFF, 0x0F, 0x00}},
        {TagCode::PlaceObject3, {0x00, 0x01, 1, 0, 0xFF, 1}},
    };
    for (const auto& [code, body] : cases) {
        SwfWriter stream;
        stream.writeTagHeader(code, static_cast<std::uint32_t>(body.size()));
        stream.out().writeBytes(body);
        EXPECT_FALSE(readMovie(writeMovieFile(plainHeader(), stream.bytes())).ok()) << tagName(code);
    }
}

} // namespace
} // namespace kf::swf::test
