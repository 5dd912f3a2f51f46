#include "link/SerialPortDriver.h"

#include "link/SerialPortCheck.h"
#include "link/UsbDeviceStrings.h"

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QMetaEnum>
#include <QSerialPort>
#include <QSerialPortInfo>

#include <algorithm>
#include <array>

#ifdef __linux__
#include <linux/serial.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/ioctl.h>
#include <unistd.h>
#endif

namespace {

// The vendor library's code for a device type it does not know.
constexpr std::uint32_t FtDeviceUnknown = 3;

// Received bytes the port holds until the link thread takes them. Without a bound, a line that
// sends faster than the thread reads (a flooding ECU on a pseudo-terminal) grows this process by
// tens of megabytes a second; with it, the kernel's buffer fills and the sender waits. An exchange
// is 22 bytes, so this is room for many.
constexpr qint64 ReadBufferBytes = 4096;

// The kernel's FTDI driver holds received bytes for 16 ms by default, long enough on its own to
// make a 50 ms poll at 7812 baud miss its reply. Ports that have no such setting (a
// pseudo-terminal) refuse the request, which is fine.
void RequestLowLatency([[maybe_unused]] int descriptor)
{
#ifdef __linux__
    serial_struct settings {};
    if (::ioctl(descriptor, TIOCGSERIAL, &settings) == 0) {
        settings.flags |= ASYNC_LOW_LATENCY;
        ::ioctl(descriptor, TIOCSSERIAL, &settings);
    }
#endif
}

std::string OpenErrorText(const QString& location, const QSerialPort& port)
{
    const char* name = QMetaEnum::fromType<QSerialPort::SerialPortError>().valueToKey(port.error());
    return QStringLiteral("Cannot open %1: %2 (%3)")
        .arg(location, port.errorString(), QLatin1String(name ? name : "UnknownError"))
        .toStdString();
}

QSerialPort::StopBits StopBitsOf(std::uint8_t stopBits)
{
    constexpr std::uint8_t FtStopBits2 = 2;
    return stopBits == FtStopBits2 ? QSerialPort::TwoStop : QSerialPort::OneStop;
}

QSerialPort::Parity ParityOf(std::uint8_t parity)
{
    // The library's order: none, odd, even, mark, space.
    constexpr std::array<QSerialPort::Parity, 5> parities { QSerialPort::NoParity, QSerialPort::OddParity,
        QSerialPort::EvenParity, QSerialPort::MarkParity, QSerialPort::SpaceParity };
    return parity < parities.size() ? parities[parity] : QSerialPort::NoParity;
}

} // namespace

SerialPortDriver::SerialPortDriver()
    : SerialPortDriver(QString())
{
}

SerialPortDriver::SerialPortDriver(QString explicitPortPath, QString sysfsRoot)
    : m_explicitPortPath(std::move(explicitPortPath))
    , m_sysfsRoot(std::move(sysfsRoot))
    , m_interruptFd(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK))
{
}

SerialPortDriver::~SerialPortDriver()
{
    if (m_interruptFd >= 0)
        ::close(m_interruptFd);
}

FtStatus SerialPortDriver::CreateDeviceInfoList(std::uint32_t& count)
{
    if (m_explicitPortPath.isEmpty()) {
        m_list = SearchUsbPorts();
    } else {
        m_list.clear();
        if (QFileInfo::exists(m_explicitPortPath)) {
            FtDeviceInfo info;
            info.type = FtDeviceUnknown;
            info.serialNumber = std::string(ExplicitPortSerial);
            info.description = std::string(InterfaceCable::Description);
            m_list.push_back({ m_explicitPortPath, info });
        }
    }
    count = static_cast<std::uint32_t>(m_list.size());
    return FtStatus::FT_OK;
}

std::vector<SerialPortDriver::ListedPort> SerialPortDriver::SearchUsbPorts() const
{
    std::vector<ListedPort> list;
    for (const QSerialPortInfo& port : QSerialPortInfo::availablePorts()) {
        if (!port.hasVendorIdentifier() || !port.hasProductIdentifier())
            continue; // not a USB device
        const UsbDeviceStrings usb = ReadUsbDeviceStrings(m_sysfsRoot, port.portName());
        FtDeviceInfo info;
        info.type = FtDeviceUnknown;
        info.id = (static_cast<std::uint32_t>(port.vendorIdentifier()) << 16) | port.productIdentifier();
        info.description = FtBufferText(
            usb.found ? usb.product : port.description().toStdString(), FtDeviceInfo::DescriptionBuffer);
        info.serialNumber = FtBufferText(usb.found ? usb.serialNumber : port.serialNumber().toStdString(),
            FtDeviceInfo::SerialNumberBuffer);
        list.push_back({ port.systemLocation(), info });
    }
    return list;
}

FtStatus SerialPortDriver::GetDeviceInfoDetail(std::uint32_t index, FtDeviceInfo& info)
{
    if (index >= m_list.size())
        return FtStatus::FT_DEVICE_NOT_FOUND;
    info = m_list[index].info;
    for (const auto& [handle, opened] : m_opened) {
        if (opened.location == m_list[index].location && opened.port->isOpen()) {
            info.handle = handle;
            info.flags |= FtFlagOpened;
        }
    }
    return FtStatus::FT_OK;
}

FtStatus SerialPortDriver::Open(std::uint32_t index, FtHandle& handle)
{
    if (index >= m_list.size())
        return FtStatus::FT_DEVICE_NOT_FOUND;
    const QString& location = m_list[index].location;
    // A path given by the user may have become anything since it was checked; a port found by the
    // search is a terminal already.
    if (!m_explicitPortPath.isEmpty()) {
        if (std::string reason = NotSerialPortReason(location.toStdString()); !reason.empty()) {
            m_lastOpenError = { false, std::move(reason) };
            return FtStatus::FT_DEVICE_NOT_OPENED;
        }
    }
    auto port = std::make_unique<QSerialPort>();
    port->setReadBufferSize(ReadBufferBytes);
    port->setPortName(location);
    if (!port->open(QIODevice::ReadWrite)) {
        m_lastOpenError = { port->error() == QSerialPort::PermissionError, OpenErrorText(location, *port) };
        return FtStatus::FT_DEVICE_NOT_OPENED;
    }
    RequestLowLatency(static_cast<int>(port->handle()));
    m_lastOpenError = {};
    do
        ++m_lastHandle;
    while (m_lastHandle == 0 || m_opened.contains(m_lastHandle));
    handle = m_lastHandle;
    m_opened.emplace(handle, OpenedPort { location, std::move(port) });
    return FtStatus::FT_OK;
}

FtStatus SerialPortDriver::Close(FtHandle handle)
{
    const auto opened = m_opened.find(handle);
    if (opened == m_opened.end())
        return FtStatus::FT_INVALID_HANDLE;
    m_opened.erase(opened); // the port closes as it is destroyed
    return FtStatus::FT_OK;
}

SerialPortDriver::OpenedPort* SerialPortDriver::Usable(FtHandle handle)
{
    const auto opened = m_opened.find(handle);
    if (opened == m_opened.end() || !opened->second.port->isOpen())
        return nullptr;
    return &opened->second;
}

bool SerialPortDriver::Failed(OpenedPort& opened)
{
    switch (opened.port->error()) {
    case QSerialPort::NoError:
        return false;
    case QSerialPort::TimeoutError:
        opened.port->clearError();
        return false;
    default:
        // Qt reports a vanished device but leaves the port open.
        opened.port->close();
        return true;
    }
}

FtStatus SerialPortDriver::SetBaudRate(FtHandle handle, std::uint32_t baudRate)
{
    OpenedPort* opened = Usable(handle);
    if (!opened)
        return FtStatus::FT_INVALID_HANDLE;
    // Rates off the standard list (7812, 15625) are set as custom divisors by the port.
    if (!opened->port->setBaudRate(static_cast<qint32>(baudRate)))
        return Failed(*opened) ? FtStatus::FT_IO_ERROR : FtStatus::FT_INVALID_BAUD_RATE;
    return FtStatus::FT_OK;
}

FtStatus SerialPortDriver::SetDataCharacteristics(
    FtHandle handle, std::uint8_t wordLength, std::uint8_t stopBits, std::uint8_t parity)
{
    OpenedPort* opened = Usable(handle);
    if (!opened)
        return FtStatus::FT_INVALID_HANDLE;
    constexpr std::uint8_t FtBits5 = 5;
    if (wordLength < FtBits5 || wordLength > FtBits8)
        return FtStatus::FT_INVALID_PARAMETER;
    QSerialPort& port = *opened->port;
    const bool applied = port.setDataBits(static_cast<QSerialPort::DataBits>(wordLength))
        && port.setStopBits(StopBitsOf(stopBits)) && port.setParity(ParityOf(parity))
        && port.setFlowControl(QSerialPort::NoFlowControl);
    if (!applied)
        return Failed(*opened) ? FtStatus::FT_IO_ERROR : FtStatus::FT_INVALID_PARAMETER;
    return FtStatus::FT_OK;
}

FtStatus SerialPortDriver::SetTimeouts(FtHandle handle, std::uint32_t readMs, std::uint32_t writeMs)
{
    OpenedPort* opened = Usable(handle);
    if (!opened)
        return FtStatus::FT_INVALID_HANDLE;
    opened->readTimeoutMs = static_cast<int>(readMs);
    opened->writeTimeoutMs = static_cast<int>(writeMs);
    return FtStatus::FT_OK;
}

FtStatus SerialPortDriver::GetStatus(
    FtHandle handle, std::uint32_t& rxBytes, std::uint32_t& txBytes, std::uint32_t& events)
{
    OpenedPort* opened = Usable(handle);
    if (!opened)
        return FtStatus::FT_INVALID_HANDLE;
    // Without an event loop the port takes in what the kernel holds only when asked to wait.
    opened->port->waitForReadyRead(0);
    if (Failed(*opened))
        return FtStatus::FT_IO_ERROR;
    rxBytes = static_cast<std::uint32_t>(opened->port->bytesAvailable());
    txBytes = static_cast<std::uint32_t>(opened->port->bytesToWrite());
    events = 0;
    return FtStatus::FT_OK;
}

FtStatus SerialPortDriver::Read(FtHandle handle, std::span<std::uint8_t> buffer, std::uint32_t& bytesReturned)
{
    bytesReturned = 0;
    OpenedPort* opened = Usable(handle);
    if (!opened)
        return FtStatus::FT_INVALID_HANDLE;
    QSerialPort& port = *opened->port;
    // Like the library: wait up to the read timeout for the whole count, return what came.
    const QDeadlineTimer deadline(opened->readTimeoutMs);
    std::size_t total = 0;
    while (total < buffer.size()) {
        const qint64 got = port.read(
            reinterpret_cast<char*>(buffer.data() + total), static_cast<qint64>(buffer.size() - total));
        if (got < 0 || Failed(*opened))
            return FtStatus::FT_IO_ERROR;
        total += static_cast<std::size_t>(got);
        if (total == buffer.size() || deadline.hasExpired())
            break;
        port.waitForReadyRead(static_cast<int>(deadline.remainingTime()));
        if (Failed(*opened))
            return FtStatus::FT_IO_ERROR;
    }
    bytesReturned = static_cast<std::uint32_t>(total);
    return FtStatus::FT_OK;
}

FtStatus SerialPortDriver::Write(
    FtHandle handle, std::span<const std::uint8_t> bytes, std::uint32_t& bytesWritten)
{
    bytesWritten = 0;
    OpenedPort* opened = Usable(handle);
    if (!opened)
        return FtStatus::FT_INVALID_HANDLE;
    QSerialPort& port = *opened->port;
    const qint64 queued
        = port.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
    if (queued < 0 || Failed(*opened))
        return FtStatus::FT_IO_ERROR;
    // Without an event loop nothing leaves the port's buffer unless we wait for it.
    const QDeadlineTimer deadline(opened->writeTimeoutMs);
    while (port.bytesToWrite() > 0 && !deadline.hasExpired()) {
        port.waitForBytesWritten(static_cast<int>(deadline.remainingTime()));
        if (Failed(*opened))
            return FtStatus::FT_IO_ERROR;
    }
    bytesWritten = static_cast<std::uint32_t>(queued - port.bytesToWrite());
    return FtStatus::FT_OK;
}

FtStatus SerialPortDriver::WaitForData(FtHandle handle, std::chrono::milliseconds timeout)
{
    OpenedPort* opened = Usable(handle);
    if (!opened)
        return FtStatus::FT_INVALID_HANDLE;
    if (opened->port->bytesAvailable() > 0)
        return FtStatus::FT_OK;
    // The port and the interrupt in one wait, so that bytes to send end it at once.
    std::array<pollfd, 2> watched { { { static_cast<int>(opened->port->handle()), POLLIN, 0 },
        { m_interruptFd, POLLIN, 0 } } };
    const int ready = ::poll(watched.data(), m_interruptFd >= 0 ? 2 : 1, static_cast<int>(timeout.count()));
    if (ready > 0 && (watched[1].revents & POLLIN) != 0) {
        std::uint64_t interrupts = 0;
        [[maybe_unused]] const auto drained = ::read(m_interruptFd, &interrupts, sizeof interrupts);
    }
    // Readable, hung up or failed: the port takes the bytes in, or notices that it has gone.
    if (ready > 0 && watched[0].revents != 0)
        opened->port->waitForReadyRead(0);
    return Failed(*opened) ? FtStatus::FT_IO_ERROR : FtStatus::FT_OK;
}

void SerialPortDriver::Interrupt()
{
    if (m_interruptFd < 0)
        return;
    const std::uint64_t one = 1;
    [[maybe_unused]] const auto written = ::write(m_interruptFd, &one, sizeof one);
}
