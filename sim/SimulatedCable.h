#pragma once

#include "port/InterfaceCable.h"
#include "port/PortDriver.h"
#include "sim/LineResponder.h"
#include "sim/ReceiveHold.h"

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

// An interface cable in memory, behind the same driver calls as a real one, for the tests and
// the demonstration mode. Bytes written to it go to a LineResponder (the far end of the line);
// what the responder returns becomes readable, at once or paced at the line speed. Every call
// is safe from any thread, so a test can plug the cable in or pull it out while the link
// thread uses it.
class SimulatedCable final : public PortDriver {
public:
    // Seconds on a monotonic clock; tests pass one they set by hand.
    using Clock = std::function<double()>;

    // The USB strings a device shows in the port list.
    struct Device {
        std::string serialNumber;
        std::string product;
    };

    // What the cable was asked to do, for tests to check.
    struct Record {
        int listCount = 0;
        int openCount = 0;
        int closeCount = 0;
        bool open = false;
        std::uint32_t baudRate = 0;
        static constexpr std::size_t WrittenHistoryBytes = 65536;
        std::vector<std::uint8_t> written; // the most recent WrittenHistoryBytes bytes
    };

    // The speed of a port just opened, before one is set.
    static constexpr std::uint32_t DefaultBaudRate = 9600;
    // A byte on the line is a start bit, eight data bits and a stop bit.
    static constexpr int BitsPerByte = 10;
    // Where the cable is listed; the other devices are listed under other names.
    static constexpr std::string_view Location = "simulated-cable";

    static Device MatchingCable() { return { "R1SIM001", std::string(InterfaceCable::Product) }; }

    // The cable starts plugged in, with the identity of the interface cable and no responder.
    SimulatedCable();

    void SetResponder(std::shared_ptr<LineResponder> responder);
    void SetIdentity(Device identity);
    // Other people's adapters and look-alikes, listed before the cable and after it. Only the
    // cable itself can be opened.
    void SetOtherDevices(std::vector<Device> before, std::vector<Device> after = {});
    void PlugIn();
    // Ends the open port, drops unread bytes; the cable leaves the port list.
    void PullOut();
    bool IsPluggedIn() const;
    // Makes listing the ports fail (a broken driver installation).
    void SetListFails(bool fails);
    void SetOpenFails(bool fails);
    // Makes every returned byte readable 10 bit times after the one before it, on `clock`.
    void SetPaced(bool paced, Clock clock);
    // Holds returned bytes as an interface chip with this latency timer does (see ReceiveHold),
    // on `clock`; 0 passes them on as they come. The open port then reports this latency.
    void SetReceiveLatency(std::chrono::milliseconds latency, Clock clock);

    Record GetRecord() const;

    std::optional<std::vector<PortListing>> ListPorts() override;
    bool Open(const std::string& location) override;
    bool Close() override;
    bool SetBaudRate(int baudRate) override;
    // Returns the bytes readable now, up to the buffer's size, without waiting for more.
    std::optional<std::size_t> Read(std::span<std::uint8_t> buffer) override;
    bool Write(std::span<const std::uint8_t> bytes) override;
    bool WaitForData(std::chrono::milliseconds timeout) override;
    void Interrupt() override;
    PortOpenError LastOpenError() const override;
    std::optional<int> ReceiveLatencyMs() const override;

private:
    struct Arriving {
        double readyAt = 0;
        std::uint8_t byte = 0;
    };

    // All under m_mutex.
    std::size_t ReadyCount();
    void DropArriving();
    bool IsOtherDevice(const std::string& location) const;

    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    std::shared_ptr<LineResponder> m_responder;
    Device m_identity = MatchingCable();
    std::vector<Device> m_devicesBefore;
    std::vector<Device> m_devicesAfter;
    bool m_pluggedIn = true;
    bool m_open = false;
    bool m_interrupted = false;
    bool m_listFails = false;
    bool m_openFails = false;
    bool m_paced = false;
    Clock m_clock;
    double m_lastReadyAt = 0;
    std::deque<Arriving> m_arriving;
    std::chrono::milliseconds m_latency { 0 };
    ReceiveHold m_hold;
    std::size_t m_released = 0; // of m_arriving, the first bytes the hold has passed on
    Record m_record;
    PortOpenError m_lastOpenError;
};
