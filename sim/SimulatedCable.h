#pragma once

#include "link/D2xxDriver.h"
#include "sim/LineResponder.h"

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

// An interface cable in memory, behind the same driver calls as a real one, for the tests and
// the demonstration mode. Bytes written to it go to a LineResponder (the far end of the line);
// what the responder returns becomes readable, at once or paced at the line speed. Every call
// is safe from any thread, so a test can plug the cable in or pull it out while the link
// thread uses it.
class SimulatedCable final : public D2xxDriver {
public:
    // Seconds on a monotonic clock; tests pass one they set by hand.
    using Clock = std::function<double()>;

    struct Device {
        std::string serialNumber;
        std::string description;
    };

    // What the cable was asked to do, for tests to check.
    struct Record {
        int listCount = 0;
        int openCount = 0;
        int closeCount = 0;
        bool open = false;
        std::uint32_t baudRate = 0;
        std::uint8_t wordLength = 0;
        std::uint8_t stopBits = 0;
        std::uint8_t parity = 0;
        std::uint32_t readTimeoutMs = 0;
        std::uint32_t writeTimeoutMs = 0;
        static constexpr std::size_t WrittenHistoryBytes = 65536;
        std::vector<std::uint8_t> written; // the most recent WrittenHistoryBytes bytes
    };

    // The vendor library's rate before one is set.
    static constexpr std::uint32_t DefaultBaudRate = 9600;
    // A byte on the line is a start bit, eight data bits and a stop bit.
    static constexpr int BitsPerByte = 10;

    static Device MatchingCable() { return { "R1SIM001", std::string(InterfaceCable::Description) }; }

    // The cable starts plugged in, with the identity of the interface cable and no responder.
    SimulatedCable();

    void SetResponder(std::shared_ptr<LineResponder> responder);
    void SetIdentity(Device identity);
    // Other people's adapters and look-alikes, listed before the cable and after it. Only the
    // cable itself can be opened.
    void SetOtherDevices(std::vector<Device> before, std::vector<Device> after = {});
    void PlugIn();
    // Ends the open handle, drops unread bytes; the cable leaves the device list.
    void PullOut();
    bool IsPluggedIn() const;
    // Makes the device list call fail (a broken driver installation).
    void SetListFails(bool fails);
    void SetOpenFails(bool fails);
    // Makes every returned byte readable 10 bit times after the one before it, on `clock`.
    void SetPaced(bool paced, Clock clock);

    Record GetRecord() const;

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
    // Returns the bytes readable now, up to the buffer's size, without waiting for more.
    FtStatus Read(FtHandle handle, std::span<std::uint8_t> buffer, std::uint32_t& bytesReturned) override;
    FtStatus Write(
        FtHandle handle, std::span<const std::uint8_t> bytes, std::uint32_t& bytesWritten) override;
    FtStatus WaitForData(FtHandle handle, std::chrono::milliseconds timeout) override;
    void Interrupt() override;
    FtOpenError LastOpenError() const override;

private:
    struct Listed {
        Device device;
        bool isCable = false;
    };
    struct Arriving {
        double readyAt = 0;
        std::uint8_t byte = 0;
    };

    // All under m_mutex.
    bool IsOpenHandle(FtHandle handle) const { return handle != 0 && handle == m_openHandle; }
    std::size_t ReadyCount() const;

    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    std::shared_ptr<LineResponder> m_responder;
    Device m_identity = MatchingCable();
    std::vector<Device> m_devicesBefore;
    std::vector<Device> m_devicesAfter;
    std::vector<Listed> m_snapshot;
    bool m_pluggedIn = true;
    bool m_interrupted = false;
    bool m_listFails = false;
    bool m_openFails = false;
    bool m_paced = false;
    Clock m_clock;
    FtHandle m_openHandle = 0;
    FtHandle m_lastHandle = 0;
    double m_lastReadyAt = 0;
    std::deque<Arriving> m_arriving;
    Record m_record;
    FtOpenError m_lastOpenError;
};
