#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

// Status codes of the vendor's D2XX library, with its published values.
enum class FtStatus : int {
    FT_OK = 0,
    FT_INVALID_HANDLE = 1,
    FT_DEVICE_NOT_FOUND = 2,
    FT_DEVICE_NOT_OPENED = 3,
    FT_IO_ERROR = 4,
    FT_INSUFFICIENT_RESOURCES = 5,
    FT_INVALID_PARAMETER = 6,
    FT_INVALID_BAUD_RATE = 7,
    FT_OTHER_ERROR = 18,
};

// 0 means "no device open", as the vendor's device list reports it.
using FtHandle = std::uint32_t;

// Bit of FtDeviceInfo::flags set while the device is open.
inline constexpr std::uint32_t FtFlagOpened = 0x1;

// Data characteristics in the library's own encoding.
inline constexpr std::uint8_t FtBits8 = 8;
inline constexpr std::uint8_t FtStopBits1 = 0;
inline constexpr std::uint8_t FtParityNone = 0;

// One entry of the device list. The library fills fixed buffers of these sizes, terminator
// included; longer texts are cut.
struct FtDeviceInfo {
    static constexpr std::size_t SerialNumberBuffer = 16;
    static constexpr std::size_t DescriptionBuffer = 64;

    std::uint32_t flags = 0;
    std::uint32_t type = 0;
    std::uint32_t id = 0;
    std::uint32_t locationId = 0;
    std::string serialNumber;
    std::string description;
    FtHandle handle = 0;
};

// A text as it comes out of one of the library's fixed buffers.
inline std::string FtBufferText(std::string_view text, std::size_t bufferSize)
{
    return std::string(text.substr(0, bufferSize - 1));
}

// The identity of the diagnostic interface cable in the device list.
struct InterfaceCable {
    static constexpr std::string_view Description = "VAD Interface";
    static constexpr std::string_view SerialPrefix = "R1";
};

// Why the last Open failed, for a message that can tell the user what to do (for instance to
// join the group that may use serial ports).
struct FtOpenError {
    bool permissionDenied = false;
    std::string text;
};

// The calls of the vendor's D2XX library that the link thread uses, so that a serial port, a
// simulated cable or a test fake can stand in for it. Every call is made from the one thread that
// owns the driver.
class D2xxDriver {
public:
    virtual ~D2xxDriver() = default;

    // Takes a snapshot of the attached devices; the index of the other calls refers to it.
    virtual FtStatus CreateDeviceInfoList(std::uint32_t& count) = 0;
    virtual FtStatus GetDeviceInfoDetail(std::uint32_t index, FtDeviceInfo& info) = 0;
    virtual FtStatus Open(std::uint32_t index, FtHandle& handle) = 0;
    virtual FtStatus Close(FtHandle handle) = 0;
    virtual FtStatus SetBaudRate(FtHandle handle, std::uint32_t baudRate) = 0;
    virtual FtStatus SetDataCharacteristics(
        FtHandle handle, std::uint8_t wordLength, std::uint8_t stopBits, std::uint8_t parity)
        = 0;
    virtual FtStatus SetTimeouts(FtHandle handle, std::uint32_t readMs, std::uint32_t writeMs) = 0;
    // FT_GetStatus: bytes waiting to be read, bytes waiting to be sent, event flags.
    virtual FtStatus GetStatus(
        FtHandle handle, std::uint32_t& rxBytes, std::uint32_t& txBytes, std::uint32_t& events)
        = 0;
    virtual FtStatus Read(FtHandle handle, std::span<std::uint8_t> buffer, std::uint32_t& bytesReturned) = 0;
    virtual FtStatus Write(FtHandle handle, std::span<const std::uint8_t> bytes, std::uint32_t& bytesWritten)
        = 0;

    // Blocks until received bytes are waiting, `timeout` has passed or Interrupt is called (the
    // library's event notification). A timeout is FT_OK; a device that has gone away is an error.
    virtual FtStatus WaitForData(FtHandle handle, std::chrono::milliseconds timeout) = 0;
    // Makes a WaitForData in progress, or the next one, return at once: the one call that may
    // come from another thread, so that bytes to send need not wait for the wait to end.
    virtual void Interrupt() { }

    virtual FtOpenError LastOpenError() const { return {}; }
};

using D2xxDriverPtr = std::shared_ptr<D2xxDriver>;
