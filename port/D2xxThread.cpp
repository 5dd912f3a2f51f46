#include "port/D2xxThread.h"

#include "defs/WholeNumber.h"
#include "port/InterfaceCable.h"

#include <QDeadlineTimer>
#include <QMutexLocker>
#include <QtGlobal>

#include <algorithm>
#include <array>
#include <optional>

namespace {

using Clock = std::chrono::steady_clock;

// Each pass moves at most this many bytes each way (the size of the scratch buffers).
constexpr std::size_t ScratchBytes = 100;
// Only a driver call stuck for this long could keep the thread from ending.
constexpr int ShutdownBoundMs = 5000;

// A positive whole number in decimal, blanks around it allowed.
std::optional<int> ParseBaudText(const QString& text)
{
    const std::optional<int> value = ParseWholeNumber(text.toStdString());
    return value && *value > 0 ? value : std::nullopt;
}

} // namespace

TD2xxThread::TD2xxThread(DriverFactory factory, QObject* parent)
    : QThread(parent)
    , m_factory(std::move(factory))
{
    setObjectName(QStringLiteral("D2xxPort"));
    start(QThread::NormalPriority);
}

TD2xxThread::~TD2xxThread()
{
    m_stopRequested.store(true);
    WakeUp();
    if (!wait(QDeadlineTimer(ShutdownBoundMs))) {
        qCritical("The interface link thread did not stop in %d ms; still waiting for it", ShutdownBoundMs);
        wait();
    }
}

int TD2xxThread::OpenPort(const QString& baudText)
{
    const std::optional<int> baudRate = ParseBaudText(baudText);
    if (!baudRate)
        return 1;
    m_baudRate.store(*baudRate);
    m_openRequested.store(true);
    WakeUp();
    return 0;
}

int TD2xxThread::ClosePort()
{
    m_closeRequested.store(true);
    WakeUp();
    return 0;
}

bool TD2xxThread::IsPortOpen() const
{
    return m_portOpen.load();
}

QString TD2xxThread::GetStatusText() const
{
    const QMutexLocker lock(&m_textMutex);
    return m_statusText;
}

int TD2xxThread::SendBytes(std::span<const std::uint8_t> bytes)
{
    m_txRing.Put(bytes.first(std::min(bytes.size(), RingCapacity)));
    WakeUp();
    return 0;
}

int TD2xxThread::ReceiveBytes(ReceiveBuffer& buffer, std::uint8_t& count)
{
    count = static_cast<std::uint8_t>(m_rxRing.Take(buffer));
    if (count > 0 && m_waitingForRoom.exchange(false))
        WakeUp();
    return 0;
}

int TD2xxThread::SetBaudRate(const QString& baudText)
{
    const std::optional<int> baudRate = ParseBaudText(baudText);
    if (!baudRate || !m_portOpen.load())
        return 1;
    m_newBaudRate.store(*baudRate);
    WakeUp();
    return 0;
}

PortOpenError TD2xxThread::GetOpenError() const
{
    const QMutexLocker lock(&m_textMutex);
    return m_openError;
}

std::optional<OpenPortDetails> TD2xxThread::GetOpenPort() const
{
    const QMutexLocker lock(&m_textMutex);
    return m_openPort;
}

void TD2xxThread::SetArrivalNotifier(std::function<void()> notify)
{
    const std::lock_guard lock(m_notifyMutex);
    m_arrivalNotifier = std::move(notify);
}

void TD2xxThread::run()
{
    const PortDriverPtr driver = m_factory ? m_factory() : nullptr;
    {
        const std::lock_guard lock(m_wakeMutex);
        m_wakeableDriver = driver;
    }
    if (!driver) {
        SetStatusText(BadDriver);
        while (!m_stopRequested.load())
            Pause();
        return;
    }

    Clock::time_point nextScan = Clock::now();
    while (!m_stopRequested.load()) {
        if (Clock::now() >= nextScan) {
            m_cable = ScanDevices(*driver);
            nextScan = Clock::now() + ScanInterval;
            if (m_portOpen.load() && !m_openCableListed)
                LoseCable(*driver);
        }
        if (!m_cable) {
            Pause();
            continue;
        }

        // While an open request is pending, a close request waits for it.
        if (m_openRequested.load() && !m_portOpen.load())
            OpenStep(*driver);
        else if (!m_openRequested.load() && m_closeRequested.load() && m_portOpen.load())
            CloseStep(*driver);

        if (!m_portOpen.load()) {
            Pause();
            continue;
        }
        if (!MoveBytes(*driver)) {
            LoseCable(*driver);
            // "No Interface" stays up for a whole scan interval, long enough for the main
            // window to see that the cable went away.
            nextScan = Clock::now() + ScanInterval;
        }
    }

    if (m_portOpen.load()) {
        driver->Close();
        m_portOpen.store(false);
    }
    const std::lock_guard lock(m_wakeMutex);
    m_wakeableDriver.reset();
}

std::optional<PortListing> TD2xxThread::ScanDevices(PortDriver& driver)
{
    m_openCableListed = false;
    const std::optional<std::vector<PortListing>> ports = driver.ListPorts();
    if (!ports) {
        SetStatusText(BadDriver);
        return std::nullopt;
    }

    const bool portOpen = m_portOpen.load();
    std::optional<PortListing> found;
    for (const PortListing& port : *ports) {
        if (!IsInterfaceCable(port))
            continue;
        if (portOpen) {
            // The cable in use stays the one chosen, even when a second one is plugged in.
            if (port.location == m_openLocation) {
                m_openCableListed = true;
                found = port;
            } else if (!m_openCableListed) {
                found = port;
            }
        } else {
            found = port;
        }
    }
    SetStatusText(found ? VadInterface : NoInterface);
    return found;
}

void TD2xxThread::OpenStep(PortDriver& driver)
{
    if (!driver.Open(m_cable->location)) {
        SetOpenError(driver.LastOpenError());
        return; // the request stays pending: the next pass tries again
    }
    m_openLocation = m_cable->location;
    SetOpenPort(OpenPortDetails {
        m_cable->location, m_cable->product, m_cable->serialNumber, driver.ReceiveLatencyMs() });
    m_newBaudRate.store(0);
    driver.SetBaudRate(m_baudRate.load());
    m_openCableListed = true;
    m_portOpen.store(true);
    m_openRequested.store(false);
    SetOpenError({});
}

void TD2xxThread::CloseStep(PortDriver& driver)
{
    if (!driver.Close())
        return; // tried again on the next pass
    m_openLocation.clear();
    SetOpenPort(std::nullopt);
    m_portOpen.store(false);
    m_closeRequested.store(false);
}

bool TD2xxThread::MoveBytes(PortDriver& driver)
{
    if (const int newBaudRate = m_newBaudRate.exchange(0); newBaudRate != 0)
        driver.SetBaudRate(newBaudRate);

    std::array<std::uint8_t, ScratchBytes> scratch {};
    // No more than the receive ring has room for: a line that sends faster than the main thread
    // takes (a flood) waits in the port and the kernel, rather than keep this thread reading and
    // overwriting the ring as fast as the bytes come.
    const std::size_t room = RingCapacity - m_rxRing.Count();
    if (room > 0) {
        const std::optional<std::size_t> received
            = driver.Read(std::span(scratch).first(std::min(room, ScratchBytes)));
        if (!received)
            return false;
        m_rxRing.Put(std::span(scratch).first(*received));
        if (*received > 0) {
            const std::lock_guard lock(m_notifyMutex);
            if (m_arrivalNotifier)
                m_arrivalNotifier();
        }
    }

    const std::size_t toSend = m_txRing.Take(scratch);
    if (toSend > 0 && !driver.Write(std::span(scratch).first(toSend)))
        return false;

    // More to send goes out on the next pass at once; otherwise sleep until bytes arrive, bytes
    // are queued to send, or a request comes (WakeUp interrupts the wait).
    if (m_txRing.Count() > 0)
        return true;
    if (ReceiveRingFull()) {
        // Waiting for the port would end at once: the bytes it holds are what fills the ring.
        Pause(PassWait);
        return true;
    }
    return driver.WaitForData(PassWait);
}

bool TD2xxThread::ReceiveRingFull()
{
    // Said before it is checked: a Take after the check then finds it said and wakes the thread.
    m_waitingForRoom.exchange(true);
    if (m_rxRing.Count() < RingCapacity) {
        m_waitingForRoom.store(false);
        return false;
    }
    return true;
}

void TD2xxThread::LoseCable(PortDriver& driver)
{
    // A pulled cable's port may still count as open; releasing it here frees it for the cable's
    // return, and the result does not matter.
    driver.Close();
    m_openLocation.clear();
    SetOpenPort(std::nullopt);
    m_portOpen.store(false);
    m_cable.reset();
    m_openCableListed = false;
    SetStatusText(NoInterface);
}

void TD2xxThread::Pause(std::chrono::milliseconds duration)
{
    std::unique_lock lock(m_wakeMutex);
    m_wake.wait_for(lock, duration, [this] { return m_stopRequested.load() || m_wakeRequested; });
    m_wakeRequested = false;
}

void TD2xxThread::WakeUp()
{
    {
        const std::lock_guard lock(m_wakeMutex);
        m_wakeRequested = true;
        if (m_wakeableDriver)
            m_wakeableDriver->Interrupt();
    }
    m_wake.notify_all();
}

void TD2xxThread::SetStatusText(const char* text)
{
    const QMutexLocker lock(&m_textMutex);
    if (m_statusText != QLatin1String(text))
        m_statusText = QString::fromLatin1(text);
}

void TD2xxThread::SetOpenPort(std::optional<OpenPortDetails> details)
{
    const QMutexLocker lock(&m_textMutex);
    m_openPort = std::move(details);
}

void TD2xxThread::SetOpenError(PortOpenError error)
{
    const QMutexLocker lock(&m_textMutex);
    m_openError = std::move(error);
}
