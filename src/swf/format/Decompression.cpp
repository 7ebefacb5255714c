#include "swf/format/Decompression.h"

#include "swf/format/HugePages.h"

#include <libdeflate.h>
#include <lzma.h>
#include <zlib.h>

#include <algorithm>
#include <limits>
#include <optional>
#include <string>

namespace kf::swf {

namespace {

// The first output buffer: a generous guess from the input size, never more than declared.
// Later growth doubles, so a truthful size costs a few reallocations at most.
std::size_t initialCapacity(std::size_t compressedSize, std::size_t expectedSize) {
    const std::size_t guess = std::max<std::size_t>(compressedSize, 1) * 8 + 65536;
    return std::min(guess, expectedSize);
}

void grow(std::vector<std::uint8_t>& output, std::size_t expectedSize) {
    output.resize(std::min(expectedSize, std::max<std::size_t>(output.size() * 2, 65536)));
}

// A SWF body compresses a few times over; a declared size far beyond that is a bomb or a lie,
// and must not size an allocation before the data is seen.
constexpr std::size_t plausibleRatio = 32;

} // namespace

bool isPlausibleDecodedSize(std::size_t compressedSize, std::size_t expectedSize) {
    return expectedSize / plausibleRatio <= compressedSize;
}

namespace {

// Whole-buffer inflate runs about twice as fast as zlib's streaming inflate, but it needs the
// output allocated at the declared size first, so it is tried only for plausible sizes. It
// gives an answer only for a stream that ends within the declared size: a stream cut short,
// longer than declared or corrupt goes the streaming way, whose rules for those cases hold.
std::optional<std::vector<std::uint8_t>> inflateWhole(std::span<const std::uint8_t> compressed,
                                                      std::size_t expectedSize) {
    if (!isPlausibleDecodedSize(compressed.size(), expectedSize)) {
        return std::nullopt;
    }
    libdeflate_decompressor* decompressor = libdeflate_alloc_decompressor();
    if (decompressor == nullptr) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> output;
    output.reserve(expectedSize);
    preferHugePages(output.data(), expectedSize);
    output.resize(expectedSize);
    std::size_t produced = 0;
    const libdeflate_result status = libdeflate_zlib_decompress(
        decompressor, compressed.data(), compressed.size(), output.data(), output.size(), &produced);
    libdeflate_free_decompressor(decompressor);
    if (status != LIBDEFLATE_SUCCESS) {
        return std::nullopt;
    }
    output.resize(produced);
    return output;
}

} // namespace

namespace {

// Where a streaming decoder writes: a vector that grows as data arrives, up to the expected
// size, or a buffer of fixed size allocated up front (the bytes are read while they arrive,
// so it must not move).
class GrowingOutput {
public:
    GrowingOutput(std::size_t compressedSize, std::size_t expectedSize)
        : m_bytes(initialCapacity(compressedSize, expectedSize)), m_expectedSize(expectedSize) {}
    std::size_t expectedSize() const { return m_expectedSize; }
    // Room after `produced`, grown when there is none.
    std::span<std::uint8_t> room(std::size_t produced) {
        if (produced == m_bytes.size()) {
            grow(m_bytes, m_expectedSize);
        }
        return std::span<std::uint8_t>(m_bytes).subspan(produced);
    }
    void progress(std::size_t) {}
    bool cancelled() const { return false; }
    std::vector<std::uint8_t> take(std::size_t produced) {
        m_bytes.resize(produced);
        return std::move(m_bytes);
    }

private:
    std::vector<std::uint8_t> m_bytes;
    std::size_t m_expectedSize;
};

class FixedOutput {
public:
    FixedOutput(std::span<std::uint8_t> bytes, const DecodeProgress& progress)
        : m_bytes(bytes), m_progress(progress) {}
    std::size_t expectedSize() const { return m_bytes.size(); }
    // Handed out a slice at a time, so whoever reads the bytes hears of them soon.
    std::span<std::uint8_t> room(std::size_t produced) {
        return m_bytes.subspan(produced, std::min(progressStep, m_bytes.size() - produced));
    }
    void progress(std::size_t produced) { m_going = m_progress(produced); }
    bool cancelled() const { return !m_going; }

private:
    static constexpr std::size_t progressStep = std::size_t{256} * 1024;
    std::span<std::uint8_t> m_bytes;
    const DecodeProgress& m_progress;
    bool m_going = true;
};

template <typename Output>
Result<std::size_t> inflateStream(std::span<const std::uint8_t> compressed, Output& output,
                                  std::size_t inputOffset) {
    z_stream stream{};
    if (inflateInit(&stream) != Z_OK) {
        return Result<std::size_t>::failure("cannot start zlib");
    }
    std::size_t produced = 0;
    std::size_t consumed = 0;
    int status = Z_OK;
    // zlib counts in uInt; feed and drain in chunks that fit.
    constexpr std::size_t chunk = std::numeric_limits<uInt>::max();
    while (produced < output.expectedSize() && !output.cancelled()) {
        const std::span<std::uint8_t> room = output.room(produced);
        const std::size_t inputChunk = std::min(chunk, compressed.size() - consumed);
        const std::size_t outputChunk = std::min(chunk, room.size());
        stream.next_in = const_cast<Bytef*>(compressed.data() + consumed);
        stream.avail_in = static_cast<uInt>(inputChunk);
        stream.next_out = room.data();
        stream.avail_out = static_cast<uInt>(outputChunk);
        status = inflate(&stream, Z_NO_FLUSH);
        consumed += inputChunk - stream.avail_in;
        produced += outputChunk - stream.avail_out;
        if (status == Z_STREAM_END) {
            break;
        }
        if (status == Z_BUF_ERROR && consumed == compressed.size()) {
            break; // the input ends before the stream does
        }
        if (status != Z_OK && status != Z_BUF_ERROR) {
            inflateEnd(&stream);
            const char* reason = stream.msg != nullptr ? stream.msg : "invalid data";
            return Result<std::size_t>::failure("corrupt zlib stream (" + std::string(reason) +
                                                ") near offset " + std::to_string(inputOffset + consumed));
        }
        output.progress(produced);
    }
    inflateEnd(&stream);
    return produced;
}

} // namespace

Result<std::vector<std::uint8_t>> inflateZlib(std::span<const std::uint8_t> compressed,
                                              std::size_t expectedSize, std::size_t inputOffset) {
    if (std::optional<std::vector<std::uint8_t>> whole = inflateWhole(compressed, expectedSize)) {
        return std::move(*whole);
    }
    GrowingOutput output(compressed.size(), expectedSize);
    const Result<std::size_t> produced = inflateStream(compressed, output, inputOffset);
    if (!produced) {
        return produced.error();
    }
    return output.take(*produced);
}

Result<std::size_t> inflateZlibInto(std::span<const std::uint8_t> compressed, std::span<std::uint8_t> output,
                                    std::size_t inputOffset, const DecodeProgress& progress) {
    FixedOutput fixed(output, progress);
    return inflateStream(compressed, fixed, inputOffset);
}

namespace {

template <typename Output>
Result<std::size_t> decodeLzmaStream(std::span<const std::uint8_t> properties,
                                     std::span<const std::uint8_t> compressed, Output& output,
                                     std::size_t inputOffset) {
    const std::size_t expectedSize = output.expectedSize();
    if (properties.size() != 5) {
        return Result<std::size_t>::failure("truncated LZMA properties at offset " +
                                            std::to_string(inputOffset));
    }
    // An .lzma header (properties, then the 64-bit uncompressed size) lets liblzma's "alone"
    // decoder read the raw stream. The size is written as unknown: we stop at the declared
    // size ourselves, and a known size would make liblzma reject streams that end with an
    // end marker early or go on past it. The dictionary size is capped at the output size:
    // a larger dictionary cannot be used, and the file's claim must not size our allocation.
    std::uint8_t header[13];
    std::copy(properties.begin(), properties.end(), header);
    std::uint32_t dictionarySize =
        static_cast<std::uint32_t>(properties[1]) | (static_cast<std::uint32_t>(properties[2]) << 8) |
        (static_cast<std::uint32_t>(properties[3]) << 16) | (static_cast<std::uint32_t>(properties[4]) << 24);
    dictionarySize = static_cast<std::uint32_t>(
        std::min<std::size_t>(dictionarySize, std::max<std::size_t>(expectedSize, 4096)));
    for (int index = 0; index < 4; ++index) {
        header[1 + index] = static_cast<std::uint8_t>(dictionarySize >> (8 * index));
    }
    std::fill(header + 5, header + 13, 0xFF);

    lzma_stream stream = LZMA_STREAM_INIT;
    if (lzma_alone_decoder(&stream, std::numeric_limits<std::uint64_t>::max()) != LZMA_OK) {
        return Result<std::size_t>::failure("cannot start the LZMA decoder");
    }
    stream.next_in = header;
    stream.avail_in = sizeof header;
    bool headerDone = false;
    lzma_ret status = LZMA_OK;
    while (stream.total_out < expectedSize && !output.cancelled()) {
        if (stream.avail_in == 0) {
            if (headerDone) {
                break; // the input ends before the stream does
            }
            headerDone = true;
            stream.next_in = compressed.data();
            stream.avail_in = compressed.size();
        }
        const std::span<std::uint8_t> room = output.room(stream.total_out);
        stream.next_out = room.data();
        stream.avail_out = room.size();
        status = lzma_code(&stream, LZMA_RUN);
        if (status == LZMA_STREAM_END) {
            break;
        }
        if (status != LZMA_OK && status != LZMA_BUF_ERROR) {
            const std::size_t consumed = headerDone ? compressed.size() - stream.avail_in : 0;
            lzma_end(&stream);
            return Result<std::size_t>::failure((status == LZMA_MEM_ERROR
                                                     ? std::string("out of memory decoding LZMA stream")
                                                     : std::string("corrupt LZMA stream")) +
                                                " near offset " + std::to_string(inputOffset + consumed));
        }
        if (status == LZMA_BUF_ERROR && stream.avail_in == 0 && headerDone) {
            break;
        }
        output.progress(stream.total_out);
    }
    const std::size_t produced = stream.total_out;
    lzma_end(&stream);
    return produced;
}

} // namespace

Result<std::vector<std::uint8_t>> decodeLzma(std::span<const std::uint8_t> properties,
                                             std::span<const std::uint8_t> compressed,
                                             std::size_t expectedSize, std::size_t inputOffset) {
    GrowingOutput output(compressed.size(), expectedSize);
    const Result<std::size_t> produced = decodeLzmaStream(properties, compressed, output, inputOffset);
    if (!produced) {
        return produced.error();
    }
    return output.take(*produced);
}

Result<std::size_t> decodeLzmaInto(std::span<const std::uint8_t> properties,
                                   std::span<const std::uint8_t> compressed, std::span<std::uint8_t> output,
                                   std::size_t inputOffset, const DecodeProgress& progress) {
    FixedOutput fixed(output, progress);
    return decodeLzmaStream(properties, compressed, fixed, inputOffset);
}

} // namespace kf::swf
