#include "capture/RecordingPortDriver.h"

RecordingPortDriver::RecordingPortDriver(PortDriverPtr inner, std::shared_ptr<SessionRecorder> recorder)
    : ForwardingPortDriver(std::move(inner))
    , m_recorder(std::move(recorder))
{
}

bool RecordingPortDriver::Open(const std::string& location)
{
    const bool opened = ForwardingPortDriver::Open(location);
    if (opened)
        m_recorder->PortOpened();
    return opened;
}

bool RecordingPortDriver::Close()
{
    m_recorder->PortClosed();
    return ForwardingPortDriver::Close();
}

bool RecordingPortDriver::SetBaudRate(int baudRate)
{
    const bool set = ForwardingPortDriver::SetBaudRate(baudRate);
    if (set)
        m_recorder->BaudSet(baudRate);
    return set;
}

std::optional<std::size_t> RecordingPortDriver::Read(std::span<std::uint8_t> buffer)
{
    const std::optional<std::size_t> count = ForwardingPortDriver::Read(buffer);
    if (count)
        m_recorder->Read(buffer.first(*count));
    return count;
}

bool RecordingPortDriver::Write(std::span<const std::uint8_t> bytes)
{
    // Taken as the bytes are handed over, so the delays of a replay count from the same moment
    // as the program's own.
    m_recorder->Wrote(bytes);
    return ForwardingPortDriver::Write(bytes);
}
