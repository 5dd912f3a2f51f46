#pragma once

#include <optional>
#include <vector>

// The warning and alarm ranges a dial marks on its scale, in the dial's own units. Any of the
// four may be left out.
struct GaugeBands {
    std::optional<double> alarmLow;
    std::optional<double> warningLow;
    std::optional<double> warningHigh;
    std::optional<double> alarmHigh;

    bool operator==(const GaugeBands&) const = default;
};

// How urgently a gauge's value asks to be looked at: its value box turns amber or red.
enum class GaugeAlert {
    None,
    Warning,
    Alarm,
};

// One coloured stretch of the scale, as fractions of it (0 at the scale's start, 1 at its end).
struct BandArc {
    double from = 0;
    double to = 0;
    bool alarm = false;

    bool operator==(const BandArc&) const = default;
};

// The stretches of a scale from `minValue` to `maxValue` that lie beyond each limit, clipped to
// the scale; a band wholly off the scale has none. A warning stretch ends where the alarm one
// begins.
std::vector<BandArc> BandArcs(const GaugeBands& bands, int minValue, int maxValue);
