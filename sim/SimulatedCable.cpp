#include "sim/SimulatedCable.h"

#include <algorithm>
#include <string>
#include <utility>

namespace {

// While paced bytes are still on their way, WaitForData looks again this often.
constexpr std::chrono::milliseconds PacedRecheck { 1 };

// Where the other devices are listed: their place among them.
std::string OtherDeviceLocation(std::size_t index)
{
    return "simulated-device-" + std::to_string(index);
}

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
        m_open = false;
        m_record.open = false;
        DropArriving();
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

void SimulatedCable::SetReceiveLatency(std::chrono::milliseconds latency, Clock clock)
{
    const std::lock_guard lock(m_mutex);
    m_latency = latency;
    m_hold = ReceiveHold(std::chrono::duration<double>(latency).count());
    m_released = 0;
    if (clock)
        m_clock = std::move(clock);
}

std::optional<int> SimulatedCable::ReceiveLatencyMs() const
{
    const std::lock_guard lock(m_mutex);
    if (!m_open || m_latency.count() == 0)
        return std::nullopt;
    return static_cast<int>(m_latency.count());
}

void SimulatedCable::DropArriving()
{
    m_arriving.clear();
    m_hold.Clear();
    m_released = 0;
}

SimulatedCable::Record SimulatedCable::GetRecord() const
{
    const std::lock_guard lock(m_mutex);
    return m_record;
}

std::optional<std::vector<PortListing>> SimulatedCable::ListPorts()
{
    const std::lock_guard lock(m_mutex);
    ++m_record.listCount;
    if (m_listFails)
        return std::nullopt;
    std::vector<PortListing> ports;
    std::size_t others = 0;
    const auto listOther = [&ports, &others](const Device& device) {
        ports.push_back({ OtherDeviceLocation(others++), device.product, device.serialNumber });
    };
    std::ranges::for_each(m_devicesBefore, listOther);
    if (m_pluggedIn)
        ports.push_back({ std::string(Location), m_identity.product, m_identity.serialNumber });
    std::ranges::for_each(m_devicesAfter, listOther);
    return ports;
}

bool SimulatedCable::IsOtherDevice(const std::string& location) const
{
    const std::size_t others = m_devicesBefore.size() + m_devicesAfter.size();
    for (std::size_t index = 0; index < others; ++index) {
        if (location == OtherDeviceLocation(index))
            return true;
    }
    return false;
}

bool SimulatedCable::Open(const std::string& location)
{
    const std::lock_guard lock(m_mutex);
    ++m_record.openCount;
    // Other devices belong to other programs here; the cable opens once at a time.
    if (m_openFails || IsOtherDevice(location) || (location == Location && m_open)) {
        m_lastOpenError = { false, "The simulated device is busy" };
        return false;
    }
    if (location != Location || !m_pluggedIn) {
        m_lastOpenError = { false, "No simulated device is listed as " + location };
        return false;
    }
    m_lastOpenError = {};
    m_open = true;
    m_record.open = true;
    m_record.baudRate = DefaultBaudRate;
    DropArriving();
    return true;
}

PortOpenError SimulatedCable::LastOpenError() const
{
    const std::lock_guard lock(m_mutex);
    return m_lastOpenError;
}

bool SimulatedCable::Close()
{
    const std::lock_guard lock(m_mutex);
    if (!m_open)
        return false;
    ++m_record.closeCount;
    m_record.open = false;
    m_open = false;
    DropArriving();
    return true;
}

bool SimulatedCable::SetBaudRate(int baudRate)
{
    const std::lock_guard lock(m_mutex);
    if (!m_open || baudRate <= 0)
        return false;
    m_record.baudRate = static_cast<std::uint32_t>(baudRate);
    return true;
}

std::size_t SimulatedCable::ReadyCount()
{
    if (m_latency.count() > 0) {
        m_released += m_hold.Release(m_clock());
        return m_released;
    }
    if (!m_paced)
        return m_arriving.size();
    const double now = m_clock();
    return static_cast<std::size_t>(std::count_if(m_arriving.begin(), m_arriving.end(),
        [now](const Arriving& arriving) { return arriving.readyAt <= now; }));
}

std::optional<std::size_t> SimulatedCable::Read(std::span<std::uint8_t> buffer)
{
    const std::lock_guard lock(m_mutex);
    if (!m_open)
        return std::nullopt;
    const std::size_t count = std::min(buffer.size(), ReadyCount());
    for (std::size_t i = 0; i < count; ++i) {
        buffer[i] = m_arriving.front().byte;
        m_arriving.pop_front();
    }
    if (m_latency.count() > 0)
        m_released -= count;
    return count;
}

bool SimulatedCable::Write(std::span<const std::uint8_t> bytes)
{
    {
        const std::lock_guard lock(m_mutex);
        if (!m_open)
            return false;
        m_record.written.insert(m_record.written.end(), bytes.begin(), bytes.end());
        // Only the recent bytes are of use to a test; a demonstration running for hours must not
        // grow without bound.
        if (m_record.written.size() > Record::WrittenHistoryBytes)
            m_record.written.erase(m_record.written.begin(),
                m_record.written.end() - static_cast<std::ptrdiff_t>(Record::WrittenHistoryBytes));
        if (m_responder) {
            const double byteTime = static_cast<double>(BitsPerByte) / m_record.baudRate;
            // Held bytes need their true arrival times; others only their order.
            const bool timed = m_paced || m_latency.count() > 0;
            double readyAt = timed ? std::max(m_lastReadyAt, m_clock()) : 0;
            for (const std::uint8_t byte : m_responder->Transfer(bytes)) {
                if (m_paced)
                    readyAt += byteTime;
                m_arriving.push_back({ readyAt, byte });
                if (m_latency.count() > 0)
                    m_hold.Arrive(readyAt);
            }
            m_lastReadyAt = readyAt;
        }
    }
    m_changed.notify_all();
    return true;
}

bool SimulatedCable::WaitForData(std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    std::unique_lock lock(m_mutex);
    while (true) {
        if (!m_open)
            return false;
        if (ReadyCount() > 0 || std::exchange(m_interrupted, false))
            return true;
        const auto now = std::chrono::steady_clock::now();
        if (now >= deadline)
            return true;
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
