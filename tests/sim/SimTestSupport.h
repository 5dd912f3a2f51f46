#pragma once

#include "sim/SimClock.h"

#include <cstdint>
#include <vector>

// A clock the test sets by hand.
struct ManualClock {
    double now = 100.0;
    SimClock Clock()
    {
        return [this] { return now; };
    }
};

inline std::vector<std::uint8_t> Bytes(std::initializer_list<int> values)
{
    std::vector<std::uint8_t> bytes;
    for (const int value : values)
        bytes.push_back(static_cast<std::uint8_t>(value));
    return bytes;
}

template <typename Range> std::vector<std::uint8_t> Concat(std::vector<std::uint8_t> a, const Range& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}
