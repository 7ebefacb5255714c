#include "platform/BackgroundFileSizes.h"

#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kf {

BackgroundFileSizes::~BackgroundFileSizes() {
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_jobAdded.notify_all();
    if (m_thread.joinable()) {
        m_thread.join();
    }
    // Jobs never run (the thread stopped first) still hold their handles.
    for (Job& job : m_jobs) {
        if (job.directoryHandle >= 0) {
            close(job.directoryHandle);
        }
    }
}

BackgroundFileSizes::Batch BackgroundFileSizes::lookUp(int directoryHandle, std::vector<std::string> names) {
    std::unique_lock lock(m_mutex);
    const Batch batch = m_jobs.size();
    m_jobs.push_back(Job{directoryHandle, std::move(names), {}, false});
    Job& job = m_jobs.back();
    const bool threaded = m_waitingJobs < MaximumWaiting && (m_thread.joinable() || startThread());
    if (threaded) {
        ++m_waitingJobs;
        lock.unlock();
        m_jobAdded.notify_one();
        return batch;
    }
    job.claimed = true;
    lock.unlock();
    // The deque keeps this job where it is while the thread works on others.
    run(job);
    lock.lock();
    ++m_doneJobs;
    return batch;
}

void BackgroundFileSizes::waitForAll() {
    std::unique_lock lock(m_mutex);
    m_jobDone.wait(lock, [this] { return m_doneJobs == m_jobs.size(); });
}

std::optional<quint64> BackgroundFileSizes::size(Batch batch, std::size_t index) const {
    if (batch >= m_jobs.size() || index >= m_jobs[batch].sizes.size()) {
        return std::nullopt;
    }
    return m_jobs[batch].sizes[index];
}

void BackgroundFileSizes::run(Job& job) {
    job.sizes.reserve(job.names.size());
    for (const std::string& name : job.names) {
        struct stat status {};
        if (fstatat(job.directoryHandle, name.c_str(), &status, 0) == 0 && S_ISREG(status.st_mode)) {
            job.sizes.emplace_back(quint64(status.st_size));
        } else {
            job.sizes.emplace_back();
        }
    }
    close(job.directoryHandle);
    job.directoryHandle = -1;
    job.names = {};
}

void BackgroundFileSizes::work() {
    std::unique_lock lock(m_mutex);
    while (true) {
        m_jobAdded.wait(lock, [this] { return m_stopping || m_waitingJobs > 0; });
        if (m_stopping) {
            return;
        }
        while (m_jobs[m_nextJob].claimed) {
            ++m_nextJob;
        }
        Job& job = m_jobs[m_nextJob];
        job.claimed = true;
        --m_waitingJobs;
        lock.unlock();
        run(job);
        lock.lock();
        ++m_doneJobs;
        m_jobDone.notify_all();
    }
}

bool BackgroundFileSizes::startThread() {
    if (m_threadFailed) {
        return false;
    }
    try {
        m_thread = std::thread([this] { work(); });
    } catch (const std::system_error&) {
        // Out of threads: the caller looks the sizes up itself.
        m_threadFailed = true;
    }
    return !m_threadFailed;
}

} // namespace kf
