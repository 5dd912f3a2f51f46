#pragma once

#include <cstddef>
#include <deque>
#include <optional>

// The receive side of a USB serial chip: bytes that came in from the line wait in the chip until
// its latency timer has run since the first of them arrived, or until a packet's worth wait, and
// only then reach the computer. Times in seconds on one clock; pure logic, tests drive it by hand.
class ReceiveHold {
public:
    // Bytes of one USB packet besides the chip's two status bytes.
    static constexpr std::size_t PacketBytes = 62;

    // No latency: every byte passes the moment it arrives.
    explicit ReceiveHold(double latencySeconds = 0.0)
        : m_latency(latencySeconds)
    {
    }

    double LatencySeconds() const { return m_latency; }
    // A byte reaches the chip at `at` (never before the one before it; it may lie ahead).
    void Arrive(double at) { m_waiting.push_back(at); }
    // How many waiting bytes have been passed on by `now`; they leave the hold, oldest first.
    std::size_t Release(double now);
    // When the next bytes will be passed on; nothing while none wait.
    std::optional<double> NextRelease() const;
    std::size_t Waiting() const { return m_waiting.size(); }
    void Clear() { m_waiting.clear(); }

private:
    std::deque<double> m_waiting;
    double m_latency;
};
