#pragma once

#include "capture/CaptureFile.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <filesystem>
#include <mutex>
#include <span>
#include <string>
#include <thread>
#include <vector>

// Records every byte written to the line and read from it into a capture file (see CaptureFile.h)
// while the session runs. The link thread only queues what passes (a lock and a copy, never the
// disk), so recording costs the link no time; a writer thread of the recorder's own writes the
// queue out and forces it to the disk every FlushEvery, so a crash loses at most that much. The
// recorder outlives ports: a cable pulled and put back goes on into the same file.
class SessionRecorder {
public:
    // What a capture begins with before the bytes that pass from then on: a comment saying what
    // it is, and chunks stamped at time 0.
    struct Opening {
        std::string comment;
        std::vector<CaptureChunk> chunks;
    };

    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::milliseconds FlushEvery { 500 };

    SessionRecorder() = default;
    // Finishes a recording in progress.
    ~SessionRecorder();
    SessionRecorder(const SessionRecorder&) = delete;
    SessionRecorder& operator=(const SessionRecorder&) = delete;

    // Starts a capture at `path` after finishing one in progress, and writes `opening` first; an
    // earlier file there is kept (see CaptureTarget). Empty when it started, else why the file
    // could not be made.
    std::string Start(const std::filesystem::path& path, const Opening& opening = {});
    // Writes out what is queued, forces it to the disk and closes the file. Empty, or the first
    // write that failed during the recording.
    std::string Stop();

    bool IsRecording() const { return m_recording.load(std::memory_order_relaxed); }
    std::filesystem::path Path() const;
    // Bytes of the capture file on the disk so far.
    std::uint64_t FileBytes() const { return m_fileBytes.load(std::memory_order_relaxed); }
    // Why the file could not be written (a full disk); empty while all is well.
    std::string Problem() const;

    // From the link thread, as the bytes pass.
    void Wrote(std::span<const std::uint8_t> bytes);
    void Read(std::span<const std::uint8_t> bytes);
    // The line speed is known also before a recording starts, so that every capture states it.
    void BaudSet(int baud);
    void PortOpened();
    void PortClosed();

private:
    enum class Kind { Written, Read, Baud, Opened, Closed };
    struct Event {
        Clock::time_point at;
        Kind kind = Kind::Written;
        std::vector<std::uint8_t> bytes;
        int baud = 0;
    };

    void Queue(Event event);
    void WriterLoop();
    // Writes `events` out as lines; false when the file refused them.
    bool WriteOut(const std::vector<Event>& events);
    bool WriteText(const std::string& text);

    std::atomic<bool> m_recording { false };
    std::atomic<int> m_lastBaud { 0 };
    std::atomic<std::uint64_t> m_fileBytes { 0 };

    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    std::vector<Event> m_queue;
    bool m_stopWanted = false;
    std::filesystem::path m_path;
    std::string m_problem;

    // Writer thread only, while it runs.
    int m_fd = -1;
    Clock::time_point m_start;
    double m_lastMs = 0;
    std::thread m_writer;
};
