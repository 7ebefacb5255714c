#pragma once

#include "common/Result.h"
#include "swf/format/ArrivingBytes.h"
#include "swf/format/Decompression.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <span>
#include <thread>

namespace kf::swf {

// A compressed movie body decoded on a thread of its own into a buffer of its declared size,
// so its tags can be read while the rest is still being decoded: decompressing and reading a
// large movie then take about as long as the slower of the two instead of both together.
class StreamedBody final : public ArrivingBytes {
public:
    // Decodes into the whole of the given buffer, telling progress as it goes; returns the
    // decoded size or an error, as inflateZlibInto() does.
    using Decoder = std::function<Result<std::size_t>(std::span<std::uint8_t>, const DecodeProgress&)>;

    // Nothing when the buffer or the thread cannot be had.
    static std::unique_ptr<StreamedBody> start(std::size_t size, Decoder decoder);
    ~StreamedBody() override;
    StreamedBody(const StreamedBody&) = delete;
    StreamedBody& operator=(const StreamedBody&) = delete;

    // The whole buffer; only the bytes that have arrived may be read.
    std::span<const std::uint8_t> buffer() const { return {m_buffer.get(), m_size}; }
    std::size_t waitFor(std::size_t count) override;
    std::size_t expectedSize() const override { return m_size; }
    // Waits for the decoder to end: the decoded size or its error.
    Result<std::size_t> finish();

private:
    StreamedBody(std::unique_ptr<std::uint8_t[]> buffer, std::size_t size);
    bool arrived(std::size_t produced);
    void end(Result<std::size_t> result);

    std::unique_ptr<std::uint8_t[]> m_buffer;
    std::size_t m_size = 0;
    std::atomic<std::size_t> m_produced{0};
    std::atomic<bool> m_stopping{false};
    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_ended = false;                          // under m_mutex
    Result<std::size_t> m_result = std::size_t{0}; // under m_mutex, once ended
    std::thread m_thread;
};

} // namespace kf::swf
