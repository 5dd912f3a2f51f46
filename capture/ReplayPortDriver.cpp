#include "capture/ReplayPortDriver.h"

#include "port/InterfaceCable.h"

#include <algorithm>
#include <utility>

ReplayPortDriver::ReplayPortDriver(
    std::shared_ptr<const CaptureSource> capture, bool keepTiming, std::shared_ptr<CaptureProgress> progress)
    : m_keepTiming(keepTiming)
    , m_progress(std::move(progress))
    , m_replay(std::move(capture))
{
}

std::optional<std::vector<PortListing>> ReplayPortDriver::ListPorts()
{
    return std::vector<PortListing> { { std::string(Location), std::string(InterfaceCable::Product),
        std::string(SerialNumber) } };
}

bool ReplayPortDriver::Open(const std::string& location)
{
    const std::lock_guard lock(m_mutex);
    if (m_open || location != Location) {
        m_lastOpenError = { false, "the replayed cable is busy or not at " + location };
        return false;
    }
    m_open = true;
    m_arriving.clear();
    m_lastOpenError = {};
    return true;
}

bool ReplayPortDriver::Close()
{
    const std::lock_guard lock(m_mutex);
    m_arriving.clear();
    return std::exchange(m_open, false);
}

bool ReplayPortDriver::SetBaudRate(int baudRate)
{
    const std::lock_guard lock(m_mutex);
    return m_open && baudRate > 0;
}

bool ReplayPortDriver::ByteReady(Clock::time_point now) const
{
    return !m_arriving.empty() && m_arriving.front().readyAt <= now;
}

std::optional<std::size_t> ReplayPortDriver::Read(std::span<std::uint8_t> buffer)
{
    const std::lock_guard lock(m_mutex);
    if (!m_open)
        return std::nullopt;
    const Clock::time_point now = Clock::now();
    std::size_t count = 0;
    while (count < buffer.size() && ByteReady(now)) {
        buffer[count++] = m_arriving.front().byte;
        m_arriving.pop_front();
    }
    return count;
}

bool ReplayPortDriver::Write(std::span<const std::uint8_t> bytes)
{
    {
        const std::lock_guard lock(m_mutex);
        if (!m_open)
            return false;
        const Clock::time_point now = Clock::now();
        Clock::time_point readyAt = m_arriving.empty() ? now : m_arriving.back().readyAt;
        for (const TimedBytes& answer : m_replay.Transfer(bytes)) {
            if (m_keepTiming) {
                const std::chrono::duration<double, std::milli> delay(answer.delayMs);
                readyAt = std::max(readyAt, now + std::chrono::duration_cast<Clock::duration>(delay));
            }
            for (const std::uint8_t byte : answer.bytes)
                m_arriving.push_back({ readyAt, byte });
        }
        if (m_progress && m_replay.Ended())
            m_progress->MarkEnded();
    }
    m_changed.notify_all();
    return true;
}

bool ReplayPortDriver::WaitForData(std::chrono::milliseconds timeout)
{
    const Clock::time_point deadline = Clock::now() + timeout;
    std::unique_lock lock(m_mutex);
    while (true) {
        if (!m_open)
            return false;
        const Clock::time_point now = Clock::now();
        if (ByteReady(now) || std::exchange(m_interrupted, false) || now >= deadline)
            return true;
        // Bytes on their way become ready by the clock alone.
        const Clock::time_point until
            = m_arriving.empty() ? deadline : std::min(deadline, m_arriving.front().readyAt);
        m_changed.wait_until(lock, until);
    }
}

void ReplayPortDriver::Interrupt()
{
    {
        const std::lock_guard lock(m_mutex);
        m_interrupted = true;
    }
    m_changed.notify_all();
}

PortOpenError ReplayPortDriver::LastOpenError() const
{
    const std::lock_guard lock(m_mutex);
    return m_lastOpenError;
}
