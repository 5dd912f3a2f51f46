#pragma once

#include "link/D2xxDriver.h"

#include <QString>

#include <map>
#include <memory>
#include <vector>

class QSerialPort;

// The driver calls over the machine's serial ports. Two modes:
// - search: the device list is the USB serial ports, with each device's own product string as
//   description and its USB serial number, so the cable is found by the usual rule;
// - explicit port: one given path (a pseudo-terminal, a symbolic link to one, a port with an
//   unusual name) is the only device, presented as the interface cable while the path exists.
// A port that fails (cable pulled, pseudo-terminal ended) is closed at once and every further
// call on its handle fails.
class SerialPortDriver final : public D2xxDriver {
public:
    // The serial number under which an explicit port is listed.
    static constexpr std::string_view ExplicitPortSerial = "R1PORT";

    SerialPortDriver();
    explicit SerialPortDriver(QString explicitPortPath, QString sysfsRoot = QStringLiteral("/sys"));
    ~SerialPortDriver() override;

    FtStatus CreateDeviceInfoList(std::uint32_t& count) override;
    FtStatus GetDeviceInfoDetail(std::uint32_t index, FtDeviceInfo& info) override;
    FtStatus Open(std::uint32_t index, FtHandle& handle) override;
    FtStatus Close(FtHandle handle) override;
    FtStatus SetBaudRate(FtHandle handle, std::uint32_t baudRate) override;
    FtStatus SetDataCharacteristics(
        FtHandle handle, std::uint8_t wordLength, std::uint8_t stopBits, std::uint8_t parity) override;
    FtStatus SetTimeouts(FtHandle handle, std::uint32_t readMs, std::uint32_t writeMs) override;
    FtStatus GetStatus(
        FtHandle handle, std::uint32_t& rxBytes, std::uint32_t& txBytes, std::uint32_t& events) override;
    FtStatus Read(FtHandle handle, std::span<std::uint8_t> buffer, std::uint32_t& bytesReturned) override;
    FtStatus Write(
        FtHandle handle, std::span<const std::uint8_t> bytes, std::uint32_t& bytesWritten) override;
    FtStatus WaitForData(FtHandle handle, std::chrono::milliseconds timeout) override;
    void Interrupt() override;
    FtOpenError LastOpenError() const override { return m_lastOpenError; }

private:
    struct ListedPort {
        QString location;
        FtDeviceInfo info;
    };
    struct OpenedPort {
        QString location;
        std::unique_ptr<QSerialPort> port;
        int readTimeoutMs = 0;
        int writeTimeoutMs = 0;
    };

    std::vector<ListedPort> SearchUsbPorts() const;
    // The open port of `handle`, or null when the handle is unknown or its port has failed.
    OpenedPort* Usable(FtHandle handle);
    // Closes the port when its last operation failed for good; true then.
    static bool Failed(OpenedPort& opened);

    const QString m_explicitPortPath;
    const QString m_sysfsRoot;
    std::vector<ListedPort> m_list;
    std::map<FtHandle, OpenedPort> m_opened;
    FtHandle m_lastHandle = 0;
    FtOpenError m_lastOpenError;
    int m_interruptFd = -1; // an eventfd: written by Interrupt, watched beside the port
};
