#include "logfile/RecordingWriter.h"

#include "defs/WriteAll.h"

#include <cerrno>
#include <system_error>
#include <unistd.h>

namespace {

// After a refused write, the disk is tried again this often even when no new bytes come.
constexpr std::chrono::milliseconds RetryEvery { 250 };

} // namespace

RecordingWriter::RecordingWriter(std::size_t maxQueuedBytes)
    : m_maxQueuedBytes(maxQueuedBytes)
{
}

RecordingWriter::~RecordingWriter()
{
    Stop();
}

void RecordingWriter::Start(int fd)
{
    Stop();
    m_fd = fd;
    m_refused.clear();
    {
        const std::lock_guard lock(m_mutex);
        m_stopWanted = false;
        m_problem.reset();
    }
    m_thread = std::thread([this] { Run(); });
}

bool RecordingWriter::Queue(std::string_view bytes)
{
    if (!HasRoom())
        return false;
    {
        // Counted under the lock, before the thread can take the bytes and count them off.
        const std::lock_guard lock(m_mutex);
        m_waitingBytes.fetch_add(bytes.size());
        m_queue.append(bytes);
    }
    m_wake.notify_one();
    return true;
}

std::string RecordingWriter::Stop()
{
    if (!m_thread.joinable())
        return {};
    {
        const std::lock_guard lock(m_mutex);
        m_stopWanted = true;
    }
    m_wake.notify_one();
    m_thread.join();
    m_waitingBytes.store(0);
    return std::move(m_refused);
}

std::optional<std::string> RecordingWriter::Problem() const
{
    const std::lock_guard lock(m_mutex);
    return m_problem;
}

void RecordingWriter::Run()
{
    using Clock = std::chrono::steady_clock;
    Clock::time_point lastSync = Clock::now();
    bool unsynced = false;
    std::string bytes;
    while (true) {
        bool last = false;
        {
            std::unique_lock lock(m_mutex);
            const auto wait = m_refused.empty()
                ? std::chrono::duration_cast<std::chrono::milliseconds>(SyncEvery)
                : RetryEvery;
            m_wake.wait_for(lock, wait, [this] { return m_stopWanted || !m_queue.empty(); });
            bytes.swap(m_queue);
            last = m_stopWanted;
        }
        // Refused bytes go first, so the file on the disk is always a prefix of the recording.
        m_refused.append(bytes);
        bytes.clear();
        if (!m_refused.empty()) {
            const std::size_t before = m_refused.size();
            const bool written = WriteOut(m_refused);
            m_waitingBytes.fetch_sub(before - m_refused.size());
            unsynced = unsynced || m_refused.size() < before;
            const std::lock_guard lock(m_mutex);
            if (written)
                m_problem.reset();
        }
        const Clock::time_point now = Clock::now();
        if (unsynced && (last || now - lastSync >= SyncEvery)) {
            ::fdatasync(m_fd);
            lastSync = now;
            unsynced = false;
        }
        if (last)
            return;
    }
}

bool RecordingWriter::WriteOut(std::string& bytes)
{
    const WriteOutcome outcome = WriteAll(m_fd, bytes);
    if (outcome.error != 0) {
        const std::string reason = std::error_code(outcome.error, std::generic_category()).message();
        bytes.erase(0, outcome.written);
        const std::lock_guard lock(m_mutex);
        m_problem = reason;
        return false;
    }
    bytes.clear();
    return true;
}
