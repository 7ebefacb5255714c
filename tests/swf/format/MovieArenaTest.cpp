// Where a movie's style and record arrays live: its arena while they are the movie's, the
// heap once copied out, and as long as anything still holds them.
#include "TestMovies.h"

#include "swf/format/MovieArena.h"
#include "swf/format/MovieReader.h"

#include <gtest/gtest.h>

#include <cstring>
#include <utility>

namespace kf::swf::test {
namespace {

Movie movieWithShapes() {
    Result<Movie> movie = readMovie(smallMovie(Compression::None).build());
    EXPECT_TRUE(movie.ok());
    return movie.ok() ? std::move(movie).value() : Movie{};
}

DefineShapeTag* firstShape(Movie& movie) {
    for (Tag& tag : movie.tags) {
        if (auto* shape = std::get_if<DefineShapeTag>(&tag.body)) {
            return shape;
        }
    }
    return nullptr;
}

TEST(MovieArena, aMoviesArraysComeFromItsArenaAndCopiesFromTheHeap) {
    Movie movie = movieWithShapes();
    DefineShapeTag* shape = firstShape(movie);
    ASSERT_NE(shape, nullptr);
    ASSERT_NE(movie.arena.arena(), nullptr);
    EXPECT_EQ(shape->shape.records.get_allocator().arena(), movie.arena.arena());
    EXPECT_EQ(shape->shape.fillStyles.get_allocator().arena(), movie.arena.arena());

    const DefineShapeTag copy = *shape;
    EXPECT_EQ(copy, *shape);
    EXPECT_EQ(copy.shape.records.get_allocator().arena(), nullptr);
    EXPECT_EQ(copy.shape.fillStyles.get_allocator().arena(), nullptr);
    // A copy assigned over an array of the movie stays in the movie's arena.
    FillStyleArray moviesOwn = shape->shape.fillStyles;
    moviesOwn = FillStyleArray(shape->shape.fillStyles.get_allocator());
    moviesOwn = copy.shape.fillStyles;
    EXPECT_EQ(moviesOwn.get_allocator().arena(), movie.arena.arena());
    EXPECT_EQ(moviesOwn, copy.shape.fillStyles);
}

TEST(MovieArena, arraysMovedOutOfAMovieOutliveIt) {
    ShapeRecordArray records;
    FillStyleArray fills;
    DefineShapeTag expected;
    {
        Movie movie = movieWithShapes();
        DefineShapeTag* shape = firstShape(movie);
        ASSERT_NE(shape, nullptr);
        expected = *shape;
        records = std::move(shape->shape.records);
        fills = std::move(shape->shape.fillStyles);
    }
    // The arrays now hold the arena; reading and growing them touches only live memory.
    EXPECT_NE(records.get_allocator().arena(), nullptr);
    EXPECT_EQ(records, expected.shape.records);
    EXPECT_EQ(fills, expected.shape.fillStyles);
    records.insert(records.end(), expected.shape.records.begin(), expected.shape.records.end());
    EXPECT_EQ(records.size(), 2 * expected.shape.records.size());
    EXPECT_EQ(records.back(), expected.shape.records.back());
}

TEST(MovieArena, aMovedFromMovieLetsGoOfItsArena) {
    Movie read = movieWithShapes();
    MovieArena* arena = read.arena.arena();
    ASSERT_NE(arena, nullptr);
    Movie moved(std::move(read));
    EXPECT_EQ(read.arena.arena(), nullptr);
    EXPECT_EQ(moved.arena.arena(), arena);
    Movie assigned;
    assigned = std::move(moved);
    EXPECT_EQ(moved.arena.arena(), nullptr);
    EXPECT_EQ(assigned.arena.arena(), arena);
    ASSERT_NE(firstShape(assigned), nullptr);
    EXPECT_EQ(firstShape(assigned)->shape.records.get_allocator().arena(), arena);
    // A copy shares the arena, which its own copied arrays do not use.
    const Movie copy = assigned;
    EXPECT_EQ(copy.arena.arena(), arena);
    EXPECT_EQ(copy, assigned);
}

TEST(MovieArena, piecesAreAlignedApartAndLargeOnesGetTheirOwnBlock) {
    MovieAllocator<std::byte> holder = makeMovieArena();
    MovieArena& arena = *holder.arena();
    std::vector<std::pair<unsigned char*, std::size_t>> pieces;
    for (std::size_t index = 0; index < 5000; ++index) {
        const std::size_t alignment = std::size_t{1} << (index % 5); // 1 to 16
        const std::size_t size = 1 + index % 97;
        auto* piece = static_cast<unsigned char*>(arena.allocate(size, alignment));
        ASSERT_EQ(reinterpret_cast<std::uintptr_t>(piece) % alignment, 0u) << index;
        std::memset(piece, static_cast<int>(index & 0xFF), size);
        pieces.emplace_back(piece, size);
    }
    for (std::size_t index = 0; index < pieces.size(); ++index) {
        for (std::size_t offset = 0; offset < pieces[index].second; ++offset) {
            ASSERT_EQ(pieces[index].first[offset], index & 0xFF) << "piece " << index << " overwritten";
        }
    }
    const std::size_t beforeLarge = arena.reservedBytes();
    const std::size_t large = std::size_t{20} * 1024 * 1024;
    auto* big = static_cast<unsigned char*>(arena.allocate(large, 8));
    big[0] = 1;
    big[large - 1] = 2;
    EXPECT_GE(arena.reservedBytes(), beforeLarge + large);
    // Small pieces after it still come from the block that was current.
    const std::size_t afterLarge = arena.reservedBytes();
    arena.allocate(16, 8);
    EXPECT_EQ(arena.reservedBytes(), afterLarge);
}

} // namespace
} // namespace kf::swf::test
