#include "controls/GaugeBands.h"

#include <algorithm>

std::vector<BandArc> BandArcs(const GaugeBands& bands, int minValue, int maxValue)
{
    std::vector<BandArc> arcs;
    if (maxValue <= minValue)
        return arcs;
    const double low = minValue;
    const double high = maxValue;
    const auto add = [&](double from, double to, bool alarm) {
        from = std::clamp(from, low, high);
        to = std::clamp(to, low, high);
        if (to > from)
            arcs.push_back({ (from - low) / (high - low), (to - low) / (high - low), alarm });
    };
    if (bands.alarmLow)
        add(low, *bands.alarmLow, true);
    if (bands.warningLow)
        add(bands.alarmLow.value_or(low), *bands.warningLow, false);
    if (bands.warningHigh)
        add(*bands.warningHigh, bands.alarmHigh.value_or(high), false);
    if (bands.alarmHigh)
        add(*bands.alarmHigh, high, true);
    return arcs;
}
