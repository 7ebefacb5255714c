#include "swf/writer/MovieWriter.h"

#include "swf/writer/SwfWriter.h"

#include <lzma.h>
#include <zlib.h>

namespace kf::swf {

namespace {

std::vector<std::uint8_t> deflate(std::span<const std::uint8_t> data) {
    uLongf length = compressBound(static_cast<uLong>(data.size()));
    std::vector<std::uint8_t> compressed(length);
    if (compress2(compressed.data(), &length, data.data(), static_cast<uLong>(data.size()),
                  Z_BEST_COMPRESSION) != Z_OK) {
        return {};
    }
    compressed.resize(length);
    return compressed;
}

// The .lzma ("alone") format: 5 property bytes, an 8-byte size, then the raw stream. ZWS keeps
// the properties and drops the size, so we encode .lzma and cut those 8 bytes out.
std::vector<std::uint8_t> lzmaAlone(std::span<const std::uint8_t> data) {
    lzma_options_lzma options;
    if (lzma_lzma_preset(&options, 6) != 0) {
        return {};
    }
    lzma_stream stream = LZMA_STREAM_INIT;
    if (lzma_alone_encoder(&stream, &options) != LZMA_OK) {
        return {};
    }
    std::vector<std::uint8_t> output(data.size() + data.size() / 2 + 1024);
    stream.next_in = data.data();
    stream.avail_in = data.size();
    stream.next_out = output.data();
    stream.avail_out = output.size();
    lzma_ret result = LZMA_OK;
    while (result == LZMA_OK) {
        if (stream.avail_out == 0) {
            const std::size_t used = output.size();
            output.resize(output.size() * 2);
            stream.next_out = output.data() + used;
            stream.avail_out = output.size() - used;
        }
        result = lzma_code(&stream, LZMA_FINISH);
    }
    const std::size_t produced = stream.total_out;
    lzma_end(&stream);
    if (result != LZMA_STREAM_END) {
        return {};
    }
    output.resize(produced);
    return output;
}

void appendU32(std::vector<std::uint8_t>& bytes, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        bytes.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

} // namespace

std::vector<std::uint8_t> writeMovieFile(const Header& header, std::span<const std::uint8_t> tagStream) {
    SwfWriter body(header.version);
    body.writeRect(header.frameSize);
    body.out().writeU16(header.frameRate.raw);
    body.out().writeU16(header.frameCount);
    body.out().writeBytes(tagStream);
    const std::vector<std::uint8_t>& uncompressed = body.bytes();
    const auto fileLength = static_cast<std::uint32_t>(uncompressed.size() + 8);

    std::vector<std::uint8_t> file;
    switch (header.compression) {
    case Compression::None:
        file = {'F', 'W', 'S', header.version};
        appendU32(file, fileLength);
        file.insert(file.end(), uncompressed.begin(), uncompressed.end());
        break;
    case Compression::Zlib: {
        file = {'C', 'W', 'S', header.version};
        appendU32(file, fileLength);
        const std::vector<std::uint8_t> compressed = deflate(uncompressed);
        file.insert(file.end(), compressed.begin(), compressed.end());
        break;
    }
    case Compression::Lzma: {
        const std::vector<std::uint8_t> alone = lzmaAlone(uncompressed);
        if (alone.size() < 13) {
            return {};
        }
        file = {'Z', 'W', 'S', header.version};
        appendU32(file, fileLength);
        appendU32(file, static_cast<std::uint32_t>(alone.size() - 13));
        file.insert(file.end(), alone.begin(), alone.begin() + 5);
        file.insert(file.end(), alone.begin() + 13, alone.end());
        break;
    }
    }
    return file;
}

std::vector<std::uint8_t> writeMovie(const Movie& movie) {
    SwfWriter tags(movie.header.version);
    tags.writeTags(movie.tags);
    return writeMovieFile(movie.header, tags.bytes());
}

} // namespace kf::swf
