#pragma once

#include "sim/FaultInjector.h"

#include <optional>
#include <string>
#include <string_view>

// What dazederir-ecusim did over one run, as it writes it with --stats when it ends, so that a
// soak run can hold the program's own counts against it.
struct SimulatorStats {
    SimulatorCounters counters;
    int rejectedRequests = 0; // request frames dropped for a wrong checksum or length
    int pulls = 0; // times the cable was pulled on the unplug schedule
};

// One "name value" line per counter.
std::string StatsText(const SimulatorStats& stats);
// Reads what StatsText wrote; nothing when a counter is missing or not a whole number.
std::optional<SimulatorStats> ParseStatsText(std::string_view text);
