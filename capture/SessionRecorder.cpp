#include "capture/SessionRecorder.h"

#include "capture/CaptureFile.h"
#include "capture/CaptureTarget.h"
#include "defs/WriteAll.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

std::string PortLine(const char* what, double ms)
{
    return std::string("# port ") + what + " at " + CaptureTimeText(ms) + " ms\n";
}

} // namespace

SessionRecorder::~SessionRecorder()
{
    Stop();
}

std::string SessionRecorder::Start(const std::filesystem::path& path, const Opening& opening)
{
    Stop();
    CaptureTarget target = CaptureTarget::Make(path);
    if (target.fd < 0)
        return target.error;
    m_fd = target.fd;
    m_fileBytes.store(0);
    m_lastMs = 0;
    {
        const std::lock_guard lock(m_mutex);
        m_path = path;
        m_problem.clear();
        m_queue.clear();
        m_stopWanted = false;
        m_start = Clock::now();
    }
    std::string header = CaptureHeaderText();
    if (const int baud = m_lastBaud.load(); baud > 0)
        header += CaptureBaudLine(baud);
    if (!opening.comment.empty())
        header += "# " + opening.comment + "\n";
    for (const CaptureChunk& chunk : opening.chunks)
        header += CaptureChunkLine(chunk);
    if (!WriteText(header)) {
        ::close(m_fd);
        m_fd = -1;
        return Problem();
    }
    m_recording.store(true);
    m_writer = std::thread([this] { WriterLoop(); });
    return {};
}

std::string SessionRecorder::Stop()
{
    if (!m_writer.joinable())
        return {};
    m_recording.store(false);
    {
        const std::lock_guard lock(m_mutex);
        m_stopWanted = true;
    }
    m_wake.notify_all();
    m_writer.join();
    return Problem();
}

std::filesystem::path SessionRecorder::Path() const
{
    const std::lock_guard lock(m_mutex);
    return m_path;
}

std::string SessionRecorder::Problem() const
{
    const std::lock_guard lock(m_mutex);
    return m_problem;
}

void SessionRecorder::Wrote(std::span<const std::uint8_t> bytes)
{
    if (IsRecording() && !bytes.empty())
        Queue({ Clock::now(), Kind::Written, { bytes.begin(), bytes.end() } });
}

void SessionRecorder::Read(std::span<const std::uint8_t> bytes)
{
    if (IsRecording() && !bytes.empty())
        Queue({ Clock::now(), Kind::Read, { bytes.begin(), bytes.end() } });
}

void SessionRecorder::BaudSet(int baud)
{
    if (m_lastBaud.exchange(baud) != baud && IsRecording())
        Queue({ Clock::now(), Kind::Baud, {}, baud });
}

void SessionRecorder::PortOpened()
{
    if (IsRecording())
        Queue({ Clock::now(), Kind::Opened, {} });
}

void SessionRecorder::PortClosed()
{
    if (IsRecording())
        Queue({ Clock::now(), Kind::Closed, {} });
}

void SessionRecorder::Queue(Event event)
{
    const std::lock_guard lock(m_mutex);
    m_queue.push_back(std::move(event));
}

void SessionRecorder::WriterLoop()
{
    std::vector<Event> events;
    bool failed = false;
    while (true) {
        bool last = false;
        {
            std::unique_lock lock(m_mutex);
            m_wake.wait_for(lock, FlushEvery, [this] { return m_stopWanted; });
            events.swap(m_queue);
            last = m_stopWanted;
        }
        if (!failed && !events.empty()) {
            // Forced to the disk here, once a period: the link never waits for it.
            failed = !WriteOut(events) || ::fdatasync(m_fd) != 0;
        }
        events.clear();
        if (last)
            break;
    }
    ::close(m_fd);
    m_fd = -1;
}

bool SessionRecorder::WriteOut(const std::vector<Event>& events)
{
    std::string text;
    for (const Event& event : events) {
        using Ms = std::chrono::duration<double, std::milli>;
        // Times never go back in a capture, whatever the order two calls took the clock in.
        m_lastMs = std::max(m_lastMs, Ms(event.at - m_start).count());
        switch (event.kind) {
        case Kind::Written:
            text += CaptureChunkLine({ m_lastMs, CaptureDirection::Written, event.bytes });
            break;
        case Kind::Read:
            text += CaptureChunkLine({ m_lastMs, CaptureDirection::Read, event.bytes });
            break;
        case Kind::Baud:
            text += CaptureBaudLine(event.baud);
            break;
        case Kind::Opened:
            text += PortLine("opened", m_lastMs);
            break;
        case Kind::Closed:
            text += PortLine("closed", m_lastMs);
            break;
        }
    }
    return WriteText(text);
}

bool SessionRecorder::WriteText(const std::string& text)
{
    const WriteOutcome outcome = WriteAll(m_fd, text);
    m_fileBytes.fetch_add(static_cast<std::uint64_t>(outcome.written), std::memory_order_relaxed);
    if (outcome.error != 0) {
        const std::lock_guard lock(m_mutex);
        if (m_problem.empty())
            m_problem = "cannot write " + m_path.string() + ": " + std::strerror(outcome.error);
        return false;
    }
    return true;
}
