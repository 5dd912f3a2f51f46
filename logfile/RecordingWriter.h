#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>

// Writes a recording's bytes to its open file from a thread of its own, so that whoever takes the
// rows (the window's thread, which also runs fast polling) never waits for the disk: Queue only
// copies the bytes under a lock. The thread writes what is queued at once and forces it to the disk
// at least every SyncEvery, so a power cut loses at most that much.
//
// A disk that refuses bytes (full, gone) or is slower than the rows: the bytes wait here, in order,
// and are written first when it takes them again. The wait is bounded: once MaxQueuedBytes wait,
// HasRoom says no and the taker must stop adding (the data logger ends the recording then).
class RecordingWriter {
public:
    static constexpr std::chrono::seconds SyncEvery { 1 };
    // About four hours of every value of the catalogue at the line's fastest row rate, or days of
    // four channels: a disk that falls this far behind is not coming back in time.
    static constexpr std::size_t DefaultMaxQueuedBytes = std::size_t { 256 } << 20;

    explicit RecordingWriter(std::size_t maxQueuedBytes = DefaultMaxQueuedBytes);
    // Stops the thread after writing what it can.
    ~RecordingWriter();
    RecordingWriter(const RecordingWriter&) = delete;
    RecordingWriter& operator=(const RecordingWriter&) = delete;

    // Starts writing to `fd`, which stays the caller's (it is neither synced nor closed at Stop).
    void Start(int fd);
    // Queues `bytes` behind what waits; false (nothing queued) when the bound is reached.
    bool Queue(std::string_view bytes);
    // Writes out what waits, forces it to the disk and stops the thread; returns the bytes the disk
    // refused, in order, for the caller to hold.
    std::string Stop();

    bool IsRunning() const { return m_thread.joinable(); }
    bool HasRoom() const { return m_waitingBytes.load() < m_maxQueuedBytes; }
    // Bytes queued and not yet written.
    std::size_t WaitingBytes() const { return m_waitingBytes.load(); }
    // Why the latest write failed; nothing once one succeeds again.
    std::optional<std::string> Problem() const;

private:
    void Run();
    // Writes `bytes` from the front; erases what was written. False when the file refused.
    bool WriteOut(std::string& bytes);

    const std::size_t m_maxQueuedBytes;
    int m_fd = -1;
    std::thread m_thread;
    std::atomic<std::size_t> m_waitingBytes { 0 };

    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    std::string m_queue; // guarded by m_mutex
    bool m_stopWanted = false; // guarded by m_mutex
    std::optional<std::string> m_problem; // guarded by m_mutex
    std::string m_refused; // the thread's, handed over at Stop
};
