#pragma once

#include <chrono>
#include <functional>

// Seconds on a monotonic clock. The simulator reads time only through this, so that tests can
// drive the engine scene and the cable schedule with a clock they set by hand.
using SimClock = std::function<double()>;

inline SimClock SteadySimClock()
{
    return [] {
        const auto sinceEpoch = std::chrono::steady_clock::now().time_since_epoch();
        return std::chrono::duration<double>(sinceEpoch).count();
    };
}
