// readMovie and readHeader: the container (FWS, CWS, ZWS), the header, then the tag stream.
#include "swf/format/MovieReader.h"

#include "swf/format/Decompression.h"
#include "swf/format/StreamedBody.h"
#include "swf/format/SwfReader.h"

#include <memory>
#include <new>
#include <optional>

namespace kf::swf {

namespace {

constexpr std::size_t fileHeaderSize = 8;      // signature, version, file length
constexpr std::size_t lzmaPrefixSize = 17;     // the above, compressed length, 5 property bytes
constexpr std::size_t largestMovieHeader = 21; // a 17-byte RECT, frame rate and frame count

struct Container {
    Compression compression = Compression::None;
    std::uint8_t version = 0;
    std::uint32_t fileLength = 0;
};

std::uint32_t readLittleEndian32(std::span<const std::uint8_t> bytes, std::size_t offset) {
    return static_cast<std::uint32_t>(bytes[offset]) | (static_cast<std::uint32_t>(bytes[offset + 1]) << 8) |
           (static_cast<std::uint32_t>(bytes[offset + 2]) << 16) |
           (static_cast<std::uint32_t>(bytes[offset + 3]) << 24);
}

Result<Container> readContainer(std::span<const std::uint8_t> bytes, const ReadOptions& options) {
    if (bytes.size() < fileHeaderSize) {
        return Result<Container>::failure("truncated file header: " + std::to_string(bytes.size()) +
                                          " bytes, at least 8 needed");
    }
    Container container;
    if (bytes[1] != 'W' || bytes[2] != 'S') {
        return Result<Container>::failure("not a SWF file: no FWS, CWS or ZWS signature at offset 0");
    }
    switch (bytes[0]) {
    case 'F':
        container.compression = Compression::None;
        break;
    case 'C':
        container.compression = Compression::Zlib;
        break;
    case 'Z':
        container.compression = Compression::Lzma;
        break;
    default:
        return Result<Container>::failure("not a SWF file: no FWS, CWS or ZWS signature at offset 0");
    }
    container.version = bytes[3];
    container.fileLength = readLittleEndian32(bytes, 4);
    if (container.compression != Compression::None) {
        if (container.fileLength < fileHeaderSize) {
            return Result<Container>::failure("declared file length " + std::to_string(container.fileLength) +
                                              " at offset 4 is shorter than the header");
        }
        if (container.fileLength > options.maxUncompressedSize) {
            return Result<Container>::failure(
                "declared uncompressed size " + std::to_string(container.fileLength) +
                " at offset 4 exceeds the " + std::to_string(options.maxUncompressedSize) + "-byte limit");
        }
    }
    if (container.compression == Compression::None && bytes.size() > options.maxUncompressedSize) {
        return Result<Container>::failure("file of " + std::to_string(bytes.size()) + " bytes exceeds the " +
                                          std::to_string(options.maxUncompressedSize) + "-byte limit");
    }
    if (container.compression == Compression::Lzma && bytes.size() < lzmaPrefixSize) {
        return Result<Container>::failure("truncated LZMA header: " + std::to_string(bytes.size()) +
                                          " bytes, at least 17 needed");
    }
    return container;
}

// The file after its 8-byte header, uncompressed, up to `limit` bytes. Uncompressed files
// are used in place; `storage` holds the inflated bytes otherwise.
Result<std::span<const std::uint8_t>> movieBody(std::span<const std::uint8_t> bytes,
                                                const Container& container, std::size_t limit,
                                                std::vector<std::uint8_t>& storage) {
    const std::size_t declaredBody = container.fileLength - fileHeaderSize;
    Result<std::vector<std::uint8_t>> decoded = std::vector<std::uint8_t>{};
    switch (container.compression) {
    case Compression::None: {
        // The actual bytes count, not the declared length: files with a wrong length in
        // the header are common and play.
        const std::span<const std::uint8_t> body = bytes.subspan(fileHeaderSize);
        return body.first(std::min(body.size(), limit));
    }
    case Compression::Zlib:
        decoded = inflateZlib(bytes.subspan(fileHeaderSize), std::min(declaredBody, limit), fileHeaderSize);
        break;
    case Compression::Lzma:
        decoded = decodeLzma(bytes.subspan(12, 5), bytes.subspan(lzmaPrefixSize),
                             std::min(declaredBody, limit), lzmaPrefixSize);
        break;
    }
    if (!decoded) {
        return decoded.error();
    }
    storage = std::move(decoded.value());
    return std::span<const std::uint8_t>(storage);
}

struct MovieStart {
    Header header;
    std::size_t tagsOffset = 0; // in the body
};

Result<MovieStart> readMovieHeader(std::span<const std::uint8_t> body, const Container& container) {
    MovieStart start;
    start.header.compression = container.compression;
    start.header.version = container.version;
    start.header.fileLength = container.fileLength;
    SwfReader reader(body, container.version, fileHeaderSize);
    start.header.frameSize = reader.readRect();
    start.header.frameRate = UFixed8{reader.bits().readU16()};
    start.header.frameCount = reader.bits().readU16();
    if (reader.failed()) {
        return Result<MovieStart>::failure("truncated movie header at offset " +
                                           std::to_string(fileHeaderSize + body.size()));
    }
    start.tagsOffset = reader.bits().position();
    return start;
}

Movie readTags(SwfReader& reader, const Header& header) {
    Movie movie;
    movie.header = header;
    movie.arena = makeMovieArena();
    reader.setArena(movie.arena);
    movie.tags = reader.readTags(true);
    return movie;
}

// Starts decompressing a large body on a thread of its own; nothing for an uncompressed or
// small one, or where the declared size is not plausible enough to allocate up front.
std::unique_ptr<StreamedBody> startStreamedBody(std::span<const std::uint8_t> bytes,
                                                const Container& container, const ReadOptions& options) {
    const std::size_t size =
        std::min<std::size_t>(container.fileLength - fileHeaderSize, options.maxUncompressedSize);
    if (container.compression == Compression::None || size < options.smallestStreamedBody) {
        return nullptr;
    }
    if (container.compression == Compression::Zlib) {
        const std::span<const std::uint8_t> compressed = bytes.subspan(fileHeaderSize);
        if (!isPlausibleDecodedSize(compressed.size(), size)) {
            return nullptr;
        }
        return StreamedBody::start(
            size, [compressed](std::span<std::uint8_t> output, const DecodeProgress& progress) {
                return inflateZlibInto(compressed, output, fileHeaderSize, progress);
            });
    }
    const std::span<const std::uint8_t> compressed = bytes.subspan(lzmaPrefixSize);
    if (!isPlausibleDecodedSize(compressed.size(), size)) {
        return nullptr;
    }
    const std::span<const std::uint8_t> properties = bytes.subspan(12, 5);
    return StreamedBody::start(
        size, [properties, compressed](std::span<std::uint8_t> output, const DecodeProgress& progress) {
            return decodeLzmaInto(properties, compressed, output, lzmaPrefixSize, progress);
        });
}

// The tags of a body still being decompressed, read as its bytes arrive. The result is the
// one reading the whole body afterwards would give: an error in the compressed stream wins
// over whatever the tags before it said.
Result<Movie> readStreamedMovie(StreamedBody& body, const Container& container, const ReadOptions& options) {
    Result<Movie> movie = [&]() -> Result<Movie> {
        const std::size_t arrived = body.waitFor(largestMovieHeader);
        const Result<MovieStart> start = readMovieHeader(body.buffer().first(arrived), container);
        if (!start) {
            return start.error();
        }
        SwfReader reader(body.buffer().subspan(start->tagsOffset, arrived - start->tagsOffset),
                         container.version, fileHeaderSize + start->tagsOffset, options);
        reader.setArrivingBytes(&body, start->tagsOffset);
        Movie read = readTags(reader, start->header);
        if (reader.failed()) {
            return Result<Movie>::failure(reader.errorMessage());
        }
        return read;
    }();
    const Result<std::size_t> decoded = body.finish();
    if (!decoded) {
        return decoded.error();
    }
    return movie;
}

Result<Movie> readMovieUnguarded(std::span<const std::uint8_t> bytes, const ReadOptions& options) {
    const Result<Container> container = readContainer(bytes, options);
    if (!container) {
        return container.error();
    }
    if (std::unique_ptr<StreamedBody> streamed = startStreamedBody(bytes, *container, options)) {
        return readStreamedMovie(*streamed, *container, options);
    }
    std::vector<std::uint8_t> storage;
    const Result<std::span<const std::uint8_t>> body =
        movieBody(bytes, *container, options.maxUncompressedSize, storage);
    if (!body) {
        return body.error();
    }
    const Result<MovieStart> start = readMovieHeader(*body, *container);
    if (!start) {
        return start.error();
    }
    SwfReader reader(body->subspan(start->tagsOffset), container->version, fileHeaderSize + start->tagsOffset,
                     options);
    Movie movie = readTags(reader, start->header);
    if (reader.failed()) {
        return Result<Movie>::failure(reader.errorMessage());
    }
    return movie;
}

} // namespace

Result<Movie> readMovie(std::span<const std::uint8_t> bytes, const ReadOptions& options) {
    try {
        return readMovieUnguarded(bytes, options);
    } catch (const std::bad_alloc&) {
        return Result<Movie>::failure("out of memory reading the movie");
    } catch (const std::exception& exception) {
        return Result<Movie>::failure(std::string("cannot read the movie: ") + exception.what());
    }
}

Result<Header> readHeader(std::span<const std::uint8_t> bytes, const ReadOptions& options) {
    try {
        const Result<Container> container = readContainer(bytes, options);
        if (!container) {
            return container.error();
        }
        // Only the header's own bytes are decompressed.
        std::vector<std::uint8_t> storage;
        const Result<std::span<const std::uint8_t>> body =
            movieBody(bytes, *container, largestMovieHeader, storage);
        if (!body) {
            return body.error();
        }
        const Result<MovieStart> start = readMovieHeader(*body, *container);
        if (!start) {
            return start.error();
        }
        return start->header;
    } catch (const std::exception&) {
        return Result<Header>::failure("out of memory reading the header");
    }
}

} // namespace kf::swf
