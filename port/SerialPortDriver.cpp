#include "port/SerialPortDriver.h"

#include "port/ReceiveLatency.h"
#include "port/SerialPortCheck.h"
#include "port/UsbDeviceStrings.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QMetaEnum>
#include <QSerialPort>
#include <QSerialPortInfo>

#include <algorithm>
#include <array>

#ifdef __linux__
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>
#endif

namespace {

// Received bytes the port holds until the link thread takes them. Without a bound, a line that
// sends faster than the thread reads (a flooding ECU on a pseudo-terminal) grows this process by
// tens of megabytes a second; with it, the kernel's buffer fills and the sender waits. An exchange
// is 22 bytes, so this is room for many.
constexpr qint64 ReadBufferBytes = 4096;

// The longest a write waits for its bytes to leave the port: a request goes out in a few
// milliseconds even at 7812 baud, so only a stuck line takes this long.
constexpr int WriteBoundMs = 300;

std::string OpenErrorText(const QString& location, const QSerialPort& port)
{
    const char* name = QMetaEnum::fromType<QSerialPort::SerialPortError>().valueToKey(port.error());
    //: %1 the port, %2 the system's reason, %3 Qt's name for the error
    return QCoreApplication::translate("SerialPortDriver", "Cannot open %1: %2 (%3)")
        .arg(location, port.errorString(), QLatin1String(name ? name : "UnknownError"))
        .toStdString();
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

std::optional<std::vector<PortListing>> SerialPortDriver::ListPorts()
{
    if (m_explicitPortPath.isEmpty())
        return SearchUsbPorts();
    std::vector<PortListing> ports;
    if (QFileInfo::exists(m_explicitPortPath)) {
        PortListing given;
        given.location = m_explicitPortPath.toStdString();
        given.namedByUser = true;
        ports.push_back(std::move(given));
    }
    return ports;
}

std::vector<PortListing> SerialPortDriver::SearchUsbPorts() const
{
    std::vector<PortListing> ports;
    for (const QSerialPortInfo& port : QSerialPortInfo::availablePorts()) {
        if (!port.hasVendorIdentifier() || !port.hasProductIdentifier())
            continue; // not a USB device
        const UsbDeviceStrings usb = ReadUsbDeviceStrings(m_sysfsRoot, port.portName());
        ports.push_back(
            { port.systemLocation().toStdString(), usb.found ? usb.product : port.description().toStdString(),
                usb.found ? usb.serialNumber : port.serialNumber().toStdString() });
    }
    return ports;
}

bool SerialPortDriver::Open(const std::string& location)
{
    if (m_port) {
        m_lastOpenError = { false, "A port is open already" };
        return false;
    }
    // A path given by the user may have become anything since it was checked; a port found by the
    // search is a terminal already.
    if (!m_explicitPortPath.isEmpty()) {
        if (std::string reason = NotSerialPortReason(location); !reason.empty()) {
            m_lastOpenError = { false, std::move(reason) };
            return false;
        }
    }
    const QString name = QString::fromStdString(location);
    auto port = std::make_unique<QSerialPort>();
    port->setReadBufferSize(ReadBufferBytes);
    port->setPortName(name);
    if (!port->open(QIODevice::ReadWrite)) {
        m_lastOpenError = { port->error() == QSerialPort::PermissionError, OpenErrorText(name, *port) };
        return false;
    }
    if (!port->setDataBits(QSerialPort::Data8) || !port->setParity(QSerialPort::NoParity)
        || !port->setStopBits(QSerialPort::OneStop) || !port->setFlowControl(QSerialPort::NoFlowControl)) {
        m_lastOpenError = { false, OpenErrorText(name, *port) };
        return false;
    }
    // The kernel's FTDI driver holds received bytes for 16 ms by default, long enough on its own
    // to make a 50 ms poll at 7812 baud miss its reply.
    m_latencyMs = LowerReceiveLatency(static_cast<int>(port->handle()), m_sysfsRoot, SysfsTtyName(name));
    m_lastOpenError = {};
    m_port = std::move(port);
    return true;
}

bool SerialPortDriver::Close()
{
    if (!m_port)
        return false;
    m_port.reset(); // the port closes as it is destroyed
    m_latencyMs.reset();
    return true;
}

QSerialPort* SerialPortDriver::Usable()
{
    return m_port && m_port->isOpen() ? m_port.get() : nullptr;
}

bool SerialPortDriver::Failed()
{
    switch (m_port->error()) {
    case QSerialPort::NoError:
        return false;
    case QSerialPort::TimeoutError:
        m_port->clearError();
        return false;
    default:
        // Qt reports a vanished device but leaves the port open.
        m_port->close();
        return true;
    }
}

bool SerialPortDriver::SetBaudRate(int baudRate)
{
    QSerialPort* port = Usable();
    if (!port)
        return false;
    // Rates off the standard list (7812, 15625) are set as custom divisors by the port.
    if (port->setBaudRate(baudRate))
        return true;
    Failed(); // a vanished device closes the port; a refused rate leaves it as it was
    return false;
}

std::optional<std::size_t> SerialPortDriver::Read(std::span<std::uint8_t> buffer)
{
    QSerialPort* port = Usable();
    if (!port)
        return std::nullopt;
    // Without an event loop the port takes in what the kernel holds only when asked to wait.
    port->waitForReadyRead(0);
    if (Failed())
        return std::nullopt;
    const qint64 got = port->read(reinterpret_cast<char*>(buffer.data()), static_cast<qint64>(buffer.size()));
    if (got < 0 || Failed())
        return std::nullopt;
    return static_cast<std::size_t>(got);
}

bool SerialPortDriver::Write(std::span<const std::uint8_t> bytes)
{
    QSerialPort* port = Usable();
    if (!port)
        return false;
    const qint64 queued
        = port->write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
    if (queued < 0 || Failed())
        return false;
    // Without an event loop nothing leaves the port's buffer unless we wait for it.
    const QDeadlineTimer deadline(WriteBoundMs);
    while (port->bytesToWrite() > 0 && !deadline.hasExpired()) {
        port->waitForBytesWritten(static_cast<int>(deadline.remainingTime()));
        if (Failed())
            return false;
    }
    return true;
}

bool SerialPortDriver::WaitForData(std::chrono::milliseconds timeout)
{
    QSerialPort* port = Usable();
    if (!port)
        return false;
    if (port->bytesAvailable() > 0)
        return true;
    // The port and the interrupt in one wait, so that bytes to send end it at once.
    std::array<pollfd, 2> watched { { { static_cast<int>(port->handle()), POLLIN, 0 },
        { m_interruptFd, POLLIN, 0 } } };
    const int ready = ::poll(watched.data(), m_interruptFd >= 0 ? 2 : 1, static_cast<int>(timeout.count()));
    if (ready > 0 && (watched[1].revents & POLLIN) != 0) {
        std::uint64_t interrupts = 0;
        [[maybe_unused]] const auto drained = ::read(m_interruptFd, &interrupts, sizeof interrupts);
    }
    // Readable, hung up or failed: the port takes the bytes in, or notices that it has gone.
    if (ready > 0 && watched[0].revents != 0)
        port->waitForReadyRead(0);
    return !Failed();
}

void SerialPortDriver::Interrupt()
{
    if (m_interruptFd < 0)
        return;
    const std::uint64_t one = 1;
    [[maybe_unused]] const auto written = ::write(m_interruptFd, &one, sizeof one);
}
