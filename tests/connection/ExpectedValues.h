#pragma once

#include "defs/LiveValues.h"

#include <array>
#include <cstdint>
#include <string>

// What the ECU tables give for the bytes of `memory` (by data address) after `sweeps` passes over
// the ECU's poll windows, worked out here independently of the poll cycle. All zero for an ECU
// without a row of its own.
LiveValues ExpectedValues(const std::string& ecuId, const std::array<std::uint8_t, 256>& memory,
    int sweeps = 2, const LiveSettings& settings = {});
