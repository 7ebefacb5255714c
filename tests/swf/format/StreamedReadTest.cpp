// Large compressed movies are read while a second thread decompresses them. Whatever the
// bytes, that must give exactly what reading the decompressed body afterwards gives: the same
// tags at the same offsets, or the same error.
#include "TestMovies.h"

#include "swf/format/MovieReader.h"
#include "swf/writer/MovieBuilder.h"

#include <gtest/gtest.h>

#include <limits>
#include <random>

namespace kf::swf::test {
namespace {

ReadOptions streamedAlways() {
    ReadOptions options;
    options.smallestStreamedBody = 0;
    return options;
}

ReadOptions streamedNever() {
    ReadOptions options;
    options.smallestStreamedBody = std::numeric_limits<std::size_t>::max();
    return options;
}

::testing::AssertionResult readsAlike(std::span<const std::uint8_t> bytes, const ReadOptions& streamed) {
    const Result<Movie> whole = readMovie(bytes, streamedNever());
    const Result<Movie> arriving = readMovie(bytes, streamed);
    if (whole.ok() != arriving.ok()) {
        return ::testing::AssertionFailure()
               << (whole.ok() ? "only the streamed read failed: " + arriving.error().message
                              : "only the whole read failed: " + whole.error().message);
    }
    if (!whole.ok()) {
        if (whole.error().message != arriving.error().message) {
            return ::testing::AssertionFailure() << "\"" << whole.error().message << "\" read whole, \""
                                                 << arriving.error().message << "\" streamed";
        }
        return ::testing::AssertionSuccess();
    }
    if (!(*whole == *arriving) || whole->tags.size() != arriving->tags.size()) {
        return ::testing::AssertionFailure() << "the movies differ";
    }
    for (std::size_t index = 0; index < whole->tags.size(); ++index) {
        if (whole->tags[index].offset != arriving->tags[index].offset) {
            return ::testing::AssertionFailure() << "tag " << index << " has another offset";
        }
    }
    return ::testing::AssertionSuccess();
}

TEST(StreamedRead, cutOrDamagedStreamsReadAsTheyDoWhole) {
    for (Compression compression : {Compression::Zlib, Compression::Lzma}) {
        SCOPED_TRACE(compression == Compression::Zlib ? "zlib" : "lzma");
        const Bytes bytes = smallMovie(compression).build();
        ASSERT_TRUE(readsAlike(bytes, streamedAlways()));
        for (std::size_t length = 8; length < bytes.size(); ++length) {
            ASSERT_TRUE(readsAlike(std::span(bytes).first(length), streamedAlways())) << "cut at " << length;
        }
        for (std::size_t index = 8; index < bytes.size(); ++index) {
            Bytes damaged = bytes;
            damaged[index] ^= 0x5A;
            ASSERT_TRUE(readsAlike(damaged, streamedAlways())) << "damaged at " << index;
        }
    }
}

TEST(StreamedRead, moreTagsThanTheGuessedRoomAllArrive) {
    // Two-byte tags, far more of them than a guess from the body size leaves room for.
    MovieBuilder builder(10, Rect{Twips{0}, Twips{100}, Twips{0}, Twips{100}}, 24);
    builder.setCompression(Compression::Zlib);
    for (int frame = 0; frame < 5000; ++frame) {
        builder.showFrame();
    }
    const Bytes bytes = builder.build();
    EXPECT_TRUE(readsAlike(bytes, streamedAlways()));
    const Result<Movie> movie = readMovie(bytes, streamedAlways());
    ASSERT_TRUE(movie.ok()) << movie.error().message;
    EXPECT_EQ(movie->tags.size(), 5001u);

    // The memory limit still holds when the room grows.
    ReadOptions tight = streamedAlways();
    tight.maxDecodedSize = 1000 * sizeof(Tag);
    EXPECT_FALSE(readMovie(bytes, tight).ok());
}

TEST(StreamedRead, aBodyOfManyStepsArrivesWhole) {
    // Many times the steps the decompressing thread reports its progress in.
    MovieBuilder builder(10, Rect{Twips{0}, Twips{100}, Twips{0}, Twips{100}}, 24);
    builder.setCompression(Compression::Zlib);
    std::mt19937 random(3);
    for (std::uint16_t index = 0; index < 12; ++index) {
        Bytes data(64 * 1024);
        for (std::uint8_t& byte : data) {
            byte = static_cast<std::uint8_t>(random() % 4); // compresses about four times over
        }
        builder.addTag(TagCode::DefineBinaryData, UnknownTag{std::move(data)});
        builder.place(builder.addRectangle(Rect{Twips{0}, Twips{20}, Twips{0}, Twips{20}},
                                           ShapeBuilder::solidFill(Rgba{1, 2, 3, 255})),
                      Depth{static_cast<std::uint16_t>(1 + index)});
        builder.showFrame();
    }
    const Bytes bytes = builder.build();
    ASSERT_GT(readHeader(bytes)->fileLength, 3u * 256 * 1024);
    EXPECT_TRUE(readsAlike(bytes, streamedAlways()));
}

} // namespace
} // namespace kf::swf::test
