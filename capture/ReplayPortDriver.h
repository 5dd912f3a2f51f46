#pragma once

#include "capture/CaptureReplay.h"
#include "port/CaptureProgress.h"
#include "port/PortDriver.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <string_view>

// A replayed capture in place of the interface cable: listed and opened as the cable is, it
// answers each request written to it as the capture recorded (see CaptureReplay). With the
// recorded timing each answer's bytes become readable as long after the request as they came
// then; without it, at once. `progress`, when given, hears when the capture has ended.
class ReplayPortDriver final : public PortDriver {
public:
    static constexpr std::string_view Location = "replay";
    static constexpr std::string_view SerialNumber = "R1REPLAY";

    ReplayPortDriver(std::shared_ptr<const CaptureSource> capture, bool keepTiming,
        std::shared_ptr<CaptureProgress> progress = {});

    std::optional<std::vector<PortListing>> ListPorts() override;
    bool Open(const std::string& location) override;
    bool Close() override;
    bool SetBaudRate(int baudRate) override;
    std::optional<std::size_t> Read(std::span<std::uint8_t> buffer) override;
    bool Write(std::span<const std::uint8_t> bytes) override;
    bool WaitForData(std::chrono::milliseconds timeout) override;
    void Interrupt() override;
    PortOpenError LastOpenError() const override;

private:
    using Clock = std::chrono::steady_clock;
    struct Arriving {
        Clock::time_point readyAt;
        std::uint8_t byte = 0;
    };

    // Under m_mutex.
    bool ByteReady(Clock::time_point now) const;

    const bool m_keepTiming;
    const std::shared_ptr<CaptureProgress> m_progress;
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    CaptureReplay m_replay;
    std::deque<Arriving> m_arriving;
    bool m_open = false;
    bool m_interrupted = false;
    PortOpenError m_lastOpenError;
};
