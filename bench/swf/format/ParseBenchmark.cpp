// Parse throughput of the SWF reader on a generated 50 MB movie of shapes and places,
// uncompressed and zlib-compressed, beside plain inflate of the same bytes: the floor the
// compressed parse is measured against. A compressed body that large is inflated on a second
// thread while its tags are read; "OneThread" reads it the other way, inflating first.
#include "swf/format/MovieReader.h"
#include "swf/writer/MovieWriter.h"
#include "swf/writer/ShapeBuilder.h"
#include "swf/writer/SwfWriter.h"

#include <benchmark/benchmark.h>
#include <zlib.h>

#include <cstdint>
#include <limits>
#include <random>
#include <vector>

namespace kf::swf {
namespace {

constexpr std::size_t targetSize = 50u * 1024 * 1024;

Rgba randomColor(std::mt19937& random) {
    return Rgba{static_cast<std::uint8_t>(random()), static_cast<std::uint8_t>(random()),
                static_cast<std::uint8_t>(random()), static_cast<std::uint8_t>(128 + random() % 128)};
}

Twips randomTwips(std::mt19937& random, int range) {
    return Twips{static_cast<std::int32_t>(random() % range)};
}

// One shape: a rectangle, an ellipse or a polygon, with a solid or gradient fill and a line.
DefineShapeTag randomShape(std::mt19937& random, CharacterId id) {
    ShapeBuilder builder(3);
    const Twips x = randomTwips(random, 8000);
    const Twips y = randomTwips(random, 6000);
    const Twips size{200 + static_cast<std::int32_t>(random() % 2000)};
    const Rect area{x, x + size, y, y + size};
    if (random() % 2 == 0) {
        builder.setFill(ShapeBuilder::solidFill(randomColor(random)));
    } else {
        builder.setFill(ShapeBuilder::radialGradientFill(
            area, {{0, randomColor(random)}, {128, randomColor(random)}, {255, randomColor(random)}}));
    }
    builder.setLine(
        ShapeBuilder::lineStyle(static_cast<std::uint16_t>(20 + random() % 60), randomColor(random)));
    switch (random() % 3) {
    case 0:
        builder.addRectangle(area);
        break;
    case 1:
        builder.addEllipse(x, y, size, Twips{size.value / 2});
        break;
    default: {
        std::vector<ShapePoint> points;
        for (int index = 0; index < 12; ++index) {
            points.push_back({x + randomTwips(random, size.value), y + randomTwips(random, size.value)});
        }
        builder.addPolygon(points);
        break;
    }
    }
    return builder.build(id);
}

struct GeneratedMovie {
    std::vector<std::uint8_t> uncompressed;
    std::vector<std::uint8_t> compressed;
};

const GeneratedMovie& generatedMovie() {
    static const GeneratedMovie movie = [] {
        std::mt19937 random(20261207);
        SwfWriter tags(10);
        std::uint16_t nextId = 1;
        std::uint16_t frames = 0;
        while (tags.bytes().size() < targetSize) {
            // A frame: ten new shapes, each placed, and moves of those placed before.
            for (int shape = 0; shape < 10; ++shape) {
                const CharacterId id{nextId};
                nextId = static_cast<std::uint16_t>(nextId % 60000 + 1);
                tags.writeTag(Tag{TagCode::DefineShape3, 0, randomShape(random, id)});
                PlaceObjectTag place;
                place.version = 2;
                place.depth = Depth{static_cast<std::uint16_t>(1 + shape)};
                place.isMove = frames > 0;
                place.characterId = id;
                place.matrix = Matrix{
                    1.0 + (random() % 100) / 100.0,      0, 0, 1.0, static_cast<double>(random() % 11000),
                    static_cast<double>(random() % 8000)};
                place.colorTransform =
                    ColorTransform{256, 256, 256, static_cast<std::int16_t>(random() % 256), 0, 0, 0, 0};
                tags.writeTag(Tag{TagCode::PlaceObject2, 0, place});
            }
            tags.writeTag(Tag{TagCode::ShowFrame, 0, ShowFrameTag{}});
            ++frames;
        }
        tags.writeTag(Tag{TagCode::End, 0, EndTag{}});
        Header header;
        header.version = 10;
        header.frameSize = Rect{Twips{0}, Twips{11000}, Twips{0}, Twips{8000}};
        header.frameRate = UFixed8::fromDouble(24);
        header.frameCount = frames;
        GeneratedMovie generated;
        header.compression = Compression::None;
        generated.uncompressed = writeMovieFile(header, tags.bytes());
        header.compression = Compression::Zlib;
        generated.compressed = writeMovieFile(header, tags.bytes());
        return generated;
    }();
    return movie;
}

// Parses `bytes` once per iteration. Freeing the parsed movie is timed only when asked:
// it is the allocator's work, not the reader's, and a player keeps its movie anyway.
void parse(benchmark::State& state, const std::vector<std::uint8_t>& bytes, bool timeFreeing,
           const ReadOptions& options = {}) {
    for (auto _ : state) {
        Result<Movie> parsed = readMovie(bytes, options);
        if (!parsed) {
            state.SkipWithError(parsed.error().message.c_str());
            break;
        }
        benchmark::DoNotOptimize(parsed->tags.data());
        if (!timeFreeing) {
            state.PauseTiming();
            parsed = Movie{}; // frees the parsed tags while the clock stands
            state.ResumeTiming();
        }
    }
    state.SetBytesProcessed(
        static_cast<std::int64_t>(state.iterations() * generatedMovie().uncompressed.size()));
}

void parseUncompressed(benchmark::State& state) {
    parse(state, generatedMovie().uncompressed, false);
    state.counters["tags"] = static_cast<double>(readMovie(generatedMovie().uncompressed)->tags.size());
}

void parseZlib(benchmark::State& state) {
    parse(state, generatedMovie().compressed, false);
    state.counters["compressed_MB"] = static_cast<double>(generatedMovie().compressed.size()) / (1024 * 1024);
}

// The same without a second thread: the body inflated whole, then read.
void parseZlibOneThread(benchmark::State& state) {
    ReadOptions options;
    options.smallestStreamedBody = std::numeric_limits<std::size_t>::max();
    parse(state, generatedMovie().compressed, false, options);
}

void parseAndFreeUncompressed(benchmark::State& state) {
    parse(state, generatedMovie().uncompressed, true);
}

// Plain zlib: the compressed bytes inflated into a buffer of the right size, nothing more.
void inflateOnly(benchmark::State& state) {
    const GeneratedMovie& movie = generatedMovie();
    std::vector<std::uint8_t> output(movie.uncompressed.size());
    for (auto _ : state) {
        uLongf length = static_cast<uLongf>(output.size() - 8);
        const int status = uncompress(output.data(), &length, movie.compressed.data() + 8,
                                      static_cast<uLong>(movie.compressed.size() - 8));
        if (status != Z_OK) {
            state.SkipWithError("inflate failed");
            break;
        }
        benchmark::DoNotOptimize(output.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * movie.uncompressed.size()));
}

BENCHMARK(parseUncompressed)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(parseZlib)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(parseZlibOneThread)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(inflateOnly)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(parseAndFreeUncompressed)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace
} // namespace kf::swf

BENCHMARK_MAIN();
