#include "sim/ReceiveHold.h"

#include <algorithm>

std::optional<double> ReceiveHold::NextRelease() const
{
    if (m_waiting.empty())
        return std::nullopt;
    const double timerEnds = m_waiting.front() + m_latency;
    // A full packet leaves as soon as its last byte is in, whatever the timer says.
    if (m_waiting.size() >= PacketBytes)
        return std::min(timerEnds, m_waiting[PacketBytes - 1]);
    return timerEnds;
}

std::size_t ReceiveHold::Release(double now)
{
    std::size_t released = 0;
    for (std::optional<double> at = NextRelease(); at && *at <= now; at = NextRelease()) {
        const bool packetFull = m_waiting.size() >= PacketBytes && m_waiting[PacketBytes - 1] <= *at
            && *at < m_waiting.front() + m_latency;
        // A full packet takes its 62 bytes; the timer passes on everything in the chip by then.
        const auto inChip = packetFull ? m_waiting.begin() + static_cast<std::ptrdiff_t>(PacketBytes)
                                       : std::upper_bound(m_waiting.begin(), m_waiting.end(), *at);
        released += static_cast<std::size_t>(inChip - m_waiting.begin());
        m_waiting.erase(m_waiting.begin(), inChip);
    }
    return released;
}
