#pragma once

#include "port/PortDriver.h"

#include <QString>

#include <memory>
#include <vector>

class QSerialPort;

// The line over the machine's serial ports. Two modes:
// - search: the ports listed are the USB serial ports, with each device's own product string and
//   USB serial number, so the cable is found by the usual rule;
// - explicit port: one given path (a pseudo-terminal, a symbolic link to one, a port with an
//   unusual name) is the only port listed, as named by the user, while the path exists.
// A port that fails (cable pulled, pseudo-terminal ended) is closed at once and every further
// call on it fails until it is opened again.
class SerialPortDriver final : public PortDriver {
public:
    SerialPortDriver();
    explicit SerialPortDriver(QString explicitPortPath, QString sysfsRoot = QStringLiteral("/sys"));
    ~SerialPortDriver() override;

    std::optional<std::vector<PortListing>> ListPorts() override;
    bool Open(const std::string& location) override;
    bool Close() override;
    bool SetBaudRate(int baudRate) override;
    std::optional<std::size_t> Read(std::span<std::uint8_t> buffer) override;
    bool Write(std::span<const std::uint8_t> bytes) override;
    bool WaitForData(std::chrono::milliseconds timeout) override;
    void Interrupt() override;
    PortOpenError LastOpenError() const override { return m_lastOpenError; }
    std::optional<int> ReceiveLatencyMs() const override { return m_latencyMs; }

private:
    std::vector<PortListing> SearchUsbPorts() const;
    // The open port, or null when none is open or it has failed.
    QSerialPort* Usable();
    // Closes the port when its last operation failed for good; true then.
    bool Failed();

    const QString m_explicitPortPath;
    const QString m_sysfsRoot;
    std::unique_ptr<QSerialPort> m_port;
    PortOpenError m_lastOpenError;
    std::optional<int> m_latencyMs; // of the port open now
    int m_interruptFd = -1; // an eventfd: written by Interrupt, watched beside the port
};
