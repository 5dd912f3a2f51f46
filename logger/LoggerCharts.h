#pragma once

#include "logger/DataLoggerControls.h"

#include <cstdint>

class EcuQueries;
class ResolvedChannel;

// The data logger's four strip charts and the labels around them: each sample plots the value of
// its channel, and the time labels follow the newest sample.
class LoggerCharts {
public:
    explicit LoggerCharts(std::array<ChartControls, kLoggedChannels>& charts)
        : m_charts(charts)
    {
    }

    // Plots the value `channel` reads now in chart `chart` (0..3) and shows it beside the chart.
    void Plot(std::size_t chart, const ResolvedChannel& channel, const EcuQueries& ecu);
    // Labels the time axis of every chart for `sampleCount` samples taken `intervalMs` apart.
    void ShowTimeAxis(std::uint32_t sampleCount, int intervalMs);
    void Clear(std::size_t chart);
    void ClearAll();

private:
    std::array<ChartControls, kLoggedChannels>& m_charts;
};
