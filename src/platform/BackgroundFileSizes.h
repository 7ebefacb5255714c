#pragma once

#include <QtGlobal>

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace kf {

// File sizes looked up on a second thread while the caller goes on reading folders: on a
// large tree each size is a name look-up in the kernel, about a third of a folder search,
// and it need not wait for the walk nor hold it up.
class BackgroundFileSizes {
public:
    using Batch = std::size_t;

    BackgroundFileSizes() = default;
    ~BackgroundFileSizes();
    BackgroundFileSizes(const BackgroundFileSizes&) = delete;
    BackgroundFileSizes& operator=(const BackgroundFileSizes&) = delete;

    // Takes over directoryHandle (closed once the names are looked up) and returns the
    // batch whose sizes follow the order of names. When too many folders wait already,
    // or no thread can be started, the sizes are looked up at once: open handles stay few.
    Batch lookUp(int directoryHandle, std::vector<std::string> names);
    // Waits until every batch is done.
    void waitForAll();
    // The size of a regular file, the file a link leads to included; nothing for other
    // entries or when it cannot be read. Valid once waitForAll has returned.
    std::optional<quint64> size(Batch batch, std::size_t index) const;

    // How many folders may wait for the thread; each holds an open directory handle.
    static constexpr std::size_t MaximumWaiting = 128;

private:
    struct Job {
        int directoryHandle = -1;
        std::vector<std::string> names;
        std::vector<std::optional<quint64>> sizes;
        // Taken by the thread or by the caller; each job runs once.
        bool claimed = false;
    };

    static void run(Job& job);
    void work();
    bool startThread();

    // A deque: jobs keep their addresses while more are added.
    std::deque<Job> m_jobs;
    std::size_t m_nextJob = 0; // the first job the thread has not looked at
    std::size_t m_waitingJobs = 0;
    std::size_t m_doneJobs = 0;
    bool m_stopping = false;
    bool m_threadFailed = false;
    std::mutex m_mutex;
    std::condition_variable m_jobAdded;
    std::condition_variable m_jobDone;
    std::thread m_thread;
};

} // namespace kf
