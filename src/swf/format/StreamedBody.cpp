#include "swf/format/StreamedBody.h"

#include "swf/format/HugePages.h"

#include <new>
#include <system_error>

namespace kf::swf {

StreamedBody::StreamedBody(std::unique_ptr<std::uint8_t[]> buffer, std::size_t size)
    : m_buffer(std::move(buffer)), m_size(size) {}

std::unique_ptr<StreamedBody> StreamedBody::start(std::size_t size, Decoder decoder) {
    // Left uninitialised: the decoder writes every byte that is ever read.
    std::unique_ptr<std::uint8_t[]> buffer(new (std::nothrow) std::uint8_t[size == 0 ? 1 : size]);
    if (!buffer) {
        return nullptr;
    }
    preferHugePages(buffer.get(), size);
    std::unique_ptr<StreamedBody> body(new StreamedBody(std::move(buffer), size));
    StreamedBody* self = body.get();
    try {
        body->m_thread = std::thread([self, decoder = std::move(decoder)] {
            const DecodeProgress progress = [self](std::size_t produced) { return self->arrived(produced); };
            // Whatever happens, the reader waiting on this thread hears that it ended.
            Result<std::size_t> result = Result<std::size_t>::failure("out of memory decoding the movie");
            try {
                result = decoder(std::span<std::uint8_t>(self->m_buffer.get(), self->m_size), progress);
            } catch (...) {
            }
            self->end(std::move(result));
        });
    } catch (const std::system_error&) {
        return nullptr;
    }
    return body;
}

StreamedBody::~StreamedBody() {
    m_stopping.store(true, std::memory_order_relaxed);
    if (m_thread.joinable()) {
        m_thread.join();
    }
}

bool StreamedBody::arrived(std::size_t produced) {
    m_produced.store(produced, std::memory_order_release);
    {
        // Taken so a reader that has just found too few bytes is waiting before it is woken.
        const std::lock_guard lock(m_mutex);
    }
    m_changed.notify_all();
    return !m_stopping.load(std::memory_order_relaxed);
}

void StreamedBody::end(Result<std::size_t> result) {
    {
        const std::lock_guard lock(m_mutex);
        if (result) {
            m_produced.store(*result, std::memory_order_release);
        }
        m_result = std::move(result);
        m_ended = true;
    }
    m_changed.notify_all();
}

std::size_t StreamedBody::waitFor(std::size_t count) {
    const std::size_t produced = m_produced.load(std::memory_order_acquire);
    if (produced >= count) {
        return produced;
    }
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [&] { return m_ended || m_produced.load(std::memory_order_acquire) >= count; });
    return m_produced.load(std::memory_order_acquire);
}

Result<std::size_t> StreamedBody::finish() {
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [&] { return m_ended; });
    return m_result;
}

} // namespace kf::swf
