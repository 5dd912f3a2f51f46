#include "sim/SimulatedCable.h"

#include <utility>

#include <algorithm>

namespace {

// While paced bytes are still on their way, WaitForData looks again this often.
constexpr std::chrono::milliseconds PacedRecheck { 1 };

} // namespace

SimulatedCable::SimulatedCable()
    : m_clock([] {
        return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
    })
{
    m_record.baudRate = DefaultBaudRate;
}

void SimulatedCable::SetResponder(std::shared_ptr<LineResponder> responder)
{
    const std::lock_guard lock(m_mutex);
    m_responder = std::move(responder);
}

void SimulatedCable::SetIdentity(Device identity)
{
    const std::lock_guard lock(m_mutex);
    m_identity = std::move(identity);
}

void SimulatedCable::SetOtherDevices(std::vector<Device> before, std::vector<Device> after)
{
    const std::lock_guard lock(m_mutex);
    m_devicesBefore = std::move(before);
    m_devicesAfter = std::move(after);
}

void SimulatedCable::PlugIn()
{
    const std::lock_guard lock(m_mutex);
    m_pluggedIn = true;
}

void SimulatedCable::PullOut()
{
    {
        const std::lock_guard lock(m_mutex);
        m_pluggedIn = false;
        m_openHandle = 0;
        m_record.open = false;
        m_arriving.clear();
    }
    m_changed.notify_all();
}

bool SimulatedCable::IsPluggedIn() const
{
    const std::lock_guard lock(m_mutex);
    return m_pluggedIn;
}

void SimulatedCable::SetListFails(bool fails)
{
    const std::lock_guard lock(m_mutex);
    m_listFails = fails;
}

void SimulatedCable::SetOpenFails(bool fails)
{
    const std::lock_guard lock(m_mutex);
    m_openFails = fails;
}

void SimulatedCable::SetPaced(bool paced, Clock clock)
{
    const std::lock_guard lock(m_mutex);
    m_paced = paced;
    if (clock)
        m_clock = std::move(clock);
}

SimulatedCable::Record SimulatedCable::GetRecord() const
{
    const std::lock_guard lock(m_mutex);
    return m_record;
}

FtStatus SimulatedCable::CreateDeviceInfoList(std::uint32_t& count)
{
    const std::lock_guard lock(m_mutex);
    ++m_record.listCount;
    if (m_listFails)
        return FtStatus::FT_OTHER_ERROR;
    m_snapshot.clear();
    for (const Device& device : m_devicesBefore)
        m_snapshot.push_back({ device, false });
    if (m_pluggedIn)
        m_snapshot.push_back({ m_identity, true });
    for (const Device& device : m_devicesAfter)
        m_snapshot.push_back({ device, false });
    count = static_cast<std::uint32_t>(m_snapshot.size());
    return FtStatus::FT_OK;
}

FtStatus SimulatedCable::GetDeviceInfoDetail(std::uint32_t index, FtDeviceInfo& info)
{
    const std::lock_guard lock(m_mutex);
    if (index >= m_snapshot.size())
        return FtStatus::FT_DEVICE_NOT_FOUND;
    const Listed& listed = m_snapshot[index];
    info = {};
    info.serialNumber = FtBufferText(listed.device.serialNumber, FtDeviceInfo::SerialNumberBuffer);
    info.description = FtBufferText(listed.device.description, FtDeviceInfo::DescriptionBuffer);
    info.locationId = index + 1;
    if (listed.isCable && m_openHandle != 0) {
        info.handle = m_openHandle;
        info.flags = FtFlagOpened;
    }
    return FtStatus::FT_OK;
}

FtStatus SimulatedCable::Open(std::uint32_t index, FtHandle& handle)
{
    const std::lock_guard lock(m_mutex);
    ++m_record.openCount;
    if (index >= m_snapshot.size())
        return FtStatus::FT_DEVICE_NOT_FOUND;
    // Other devices belong to other programs here; the cable opens once at a time.
    if (m_openFails || !m_snapshot[index].isCable || m_openHandle != 0) {
        m_lastOpenError = { false, "The simulated device is busy" };
        return FtStatus::FT_DEVICE_NOT_OPENED;
    }
    if (!m_pluggedIn)
        return FtStatus::FT_DEVICE_NOT_FOUND;
    m_lastOpenError = {};
    m_openHandle = ++m_lastHandle;
    m_record.open = true;
    m_record.baudRate = DefaultBaudRate;
    m_arriving.clear();
    handle = m_openHandle;
    return FtStatus::FT_OK;
}

FtOpenError SimulatedCable::LastOpenError() const
{
    const std::lock_guard lock(m_mutex);
    return m_lastOpenError;
}

FtStatus SimulatedCable::Close(FtHandle handle)
{
    const std::lock_guard lock(m_mutex);
    if (!IsOpenHandle(handle))
        return FtStatus::FT_INVALID_HANDLE;
    ++m_record.closeCount;
    m_record.open = false;
    m_openHandle = 0;
    m_arriving.clear();
    return FtStatus::FT_OK;
}

FtStatus SimulatedCable::SetBaudRate(FtHandle handle, std::uint32_t baudRate)
{
    const std::lock_guard lock(m_mutex);
    if (!IsOpenHandle(handle))
        return FtStatus::FT_INVALID_HANDLE;
    if (baudRate == 0)
        return FtStatus::FT_INVALID_BAUD_RATE;
    m_record.baudRate = baudRate;
    return FtStatus::FT_OK;
}

FtStatus SimulatedCable::SetDataCharacteristics(
    FtHandle handle, std::uint8_t wordLength, std::uint8_t stopBits, std::uint8_t parity)
{
    const std::lock_guard lock(m_mutex);
    if (!IsOpenHandle(handle))
        return FtStatus::FT_INVALID_HANDLE;
    m_record.wordLength = wordLength;
    m_record.stopBits = stopBits;
    m_record.parity = parity;
    return FtStatus::FT_OK;
}

FtStatus SimulatedCable::SetTimeouts(FtHandle handle, std::uint32_t readMs, std::uint32_t writeMs)
{
    const std::lock_guard lock(m_mutex);
    if (!IsOpenHandle(handle))
        return FtStatus::FT_INVALID_HANDLE;
    m_record.readTimeoutMs = readMs;
    m_record.writeTimeoutMs = writeMs;
    return FtStatus::FT_OK;
}

std::size_t SimulatedCable::ReadyCount() const
{
    if (!m_paced)
        return m_arriving.size();
    const double now = m_clock();
    return static_cast<std::size_t>(std::count_if(m_arriving.begin(), m_arriving.end(),
        [now](const Arriving& arriving) { return arriving.readyAt <= now; }));
}

FtStatus SimulatedCable::GetStatus(
    FtHandle handle, std::uint32_t& rxBytes, std::uint32_t& txBytes, std::uint32_t& events)
{
    const std::lock_guard lock(m_mutex);
    if (!IsOpenHandle(handle))
        return FtStatus::FT_INVALID_HANDLE;
    rxBytes = static_cast<std::uint32_t>(ReadyCount());
    txBytes = 0;
    events = 0;
    return FtStatus::FT_OK;
}

FtStatus SimulatedCable::Read(FtHandle handle, std::span<std::uint8_t> buffer, std::uint32_t& bytesReturned)
{
    const std::lock_guard lock(m_mutex);
    bytesReturned = 0;
    if (!IsOpenHandle(handle))
        return FtStatus::FT_INVALID_HANDLE;
    const std::size_t count = std::min(buffer.size(), ReadyCount());
    for (std::size_t i = 0; i < count; ++i) {
        buffer[i] = m_arriving.front().byte;
        m_arriving.pop_front();
    }
    bytesReturned = static_cast<std::uint32_t>(count);
    return FtStatus::FT_OK;
}

FtStatus SimulatedCable::Write(
    FtHandle handle, std::span<const std::uint8_t> bytes, std::uint32_t& bytesWritten)
{
    {
        const std::lock_guard lock(m_mutex);
        bytesWritten = 0;
        if (!IsOpenHandle(handle))
            return FtStatus::FT_INVALID_HANDLE;
        m_record.written.insert(m_record.written.end(), bytes.begin(), bytes.end());
        // Only the recent bytes are of use to a test; a demonstration running for hours must not
        // grow without bound.
        if (m_record.written.size() > Record::WrittenHistoryBytes)
            m_record.written.erase(m_record.written.begin(),
                m_record.written.end() - static_cast<std::ptrdiff_t>(Record::WrittenHistoryBytes));
        bytesWritten = static_cast<std::uint32_t>(bytes.size());
        if (m_responder) {
            const double byteTime = static_cast<double>(BitsPerByte) / m_record.baudRate;
            double readyAt = m_paced ? std::max(m_lastReadyAt, m_clock()) : 0;
            for (const std::uint8_t byte : m_responder->Transfer(bytes)) {
                if (m_paced)
                    readyAt += byteTime;
                m_arriving.push_back({ readyAt, byte });
            }
            m_lastReadyAt = readyAt;
        }
    }
    m_changed.notify_all();
    return FtStatus::FT_OK;
}

FtStatus SimulatedCable::WaitForData(FtHandle handle, std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    std::unique_lock lock(m_mutex);
    while (true) {
        if (!IsOpenHandle(handle))
            return FtStatus::FT_INVALID_HANDLE;
        if (ReadyCount() > 0)
            return FtStatus::FT_OK;
        if (std::exchange(m_interrupted, false))
            return FtStatus::FT_OK;
        const auto now = std::chrono::steady_clock::now();
        if (now >= deadline)
            return FtStatus::FT_OK;
        // Paced bytes become ready by the clock alone, with no notification.
        const auto until = m_arriving.empty() ? deadline : std::min(deadline, now + PacedRecheck);
        m_changed.wait_until(lock, until);
    }
}

void SimulatedCable::Interrupt()
{
    {
        const std::lock_guard lock(m_mutex);
        m_interrupted = true;
    }
    m_changed.notify_all();
}
