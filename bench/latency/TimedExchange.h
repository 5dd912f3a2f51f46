#pragma once

// One request-to-reply exchange over a live link, timed: what the latency benchmarks measure.
#include "link/EcuFrame.h"
#include "link/FrameReceiver.h"
#include "port/InterfaceLink.h"

#include <algorithm>
#include <chrono>
#include <span>
#include <thread>
#include <vector>

// Waits up to `giveUpAfter` for the link thread to open its port; whether it did.
inline bool WaitForPortOpen(const InterfaceLink& link, std::chrono::seconds giveUpAfter)
{
    const auto giveUp = std::chrono::steady_clock::now() + giveUpAfter;
    while (!link.IsPortOpen() && std::chrono::steady_clock::now() < giveUp)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return link.IsPortOpen();
}

// The value below which `q` (0..1) of `values` lie.
inline double Quantile(std::vector<double> values, double q)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0
                          : values[static_cast<std::size_t>(q * static_cast<double>(values.size() - 1))];
}

// Sends a read of the eight addresses from `window` and looks at the receive ring every
// `pollStep` until the reply is rebuilt or `giveUpAfter` has passed. Whether it came, and after
// how long.
inline bool TimedExchange(InterfaceLink& link, FrameReceiver& receiver, int window,
    std::chrono::microseconds pollStep, std::chrono::seconds giveUpAfter, double& milliseconds)
{
    using Clock = std::chrono::steady_clock;
    PollAddressList addresses {};
    for (std::size_t k = 0; k < addresses.size(); ++k)
        addresses[k] = static_cast<std::uint8_t>(window + static_cast<int>(k));
    const EcuFrame request = ReadDataRequest(addresses);
    bool replied = false;
    const FrameReceiver::ReplyHandler handler
        = [&replied](EcuFrameType type, std::span<const std::uint8_t>) { replied = type == etReadData; };
    InterfaceLink::ReceiveBuffer buffer {};
    receiver.RequestSent(request);
    const auto start = Clock::now();
    link.SendBytes(request.Bytes());
    while (!replied && Clock::now() - start < giveUpAfter) {
        std::uint8_t count = 0;
        link.ReceiveBytes(buffer, count);
        receiver.Feed(std::span<const std::uint8_t>(buffer.data(), count), handler);
        if (!replied)
            std::this_thread::sleep_for(pollStep);
    }
    milliseconds = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    return replied;
}
