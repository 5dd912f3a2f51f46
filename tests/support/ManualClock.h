#pragma once

#include "logfile/LogReplay.h"

// The log player's clock, moved by the test by hand: no waiting, and every time exact.
struct ManualClock {
    LogPlayer::Clock::time_point now {};
    LogPlayer::Now Reader()
    {
        return [this] { return now; };
    }
};
