#include "logger/LoggerCharts.h"

#include "controls/PerformanceGraph.h"
#include "link/EcuQueries.h"
#include "locale/LocaleFixed.h"
#include "logfile/ChannelTables.h"

#include <QLabel>
#include <algorithm>
#include <limits>

namespace {

// Channels with an offset are drawn on a scale that starts here.
constexpr int kOffsetScaleStart = -40;

// The time labels: T0 at the newest sample, then a quarter of the chart's span further back each.
constexpr std::array<float, kTimeLabels> kSpanFractions = { 0.0F, 0.25F, 0.5F, 0.75F, 1.0F };
constexpr int kTimeLabelPrecision = 3;
constexpr int kTimeLabelDecimals = 1;
constexpr float kSecondsPerMs = 0.001F;

int PlusSaturated(int value, int addend)
{
    const long long sum = static_cast<long long>(value) + addend;
    return static_cast<int>(std::min<long long>(sum, std::numeric_limits<int>::max()));
}

} // namespace

void LoggerCharts::Plot(std::size_t chart, const ResolvedChannel& channel, const EcuQueries& ecu)
{
    ChartControls& controls = m_charts.at(chart);
    if (!ecu.HasLiveValues()) {
        // No current value: an empty readout and a gap in the line, never the last value held.
        controls.valueLabel->clear();
        controls.graph->Update();
        return;
    }
    const int offset = channel.ChartOffset();
    int value = channel.ChartValue(ecu);
    controls.valueLabel->setText(QString::number(value));
    const int scale = controls.graph->Scale();
    if (offset == 1) {
        controls.minScaleLabel->setText(QString::number(kOffsetScaleStart));
        controls.maxScaleLabel->setText(QString::number(scale + kOffsetScaleStart));
        value = PlusSaturated(value, -kOffsetScaleStart);
    } else {
        controls.minScaleLabel->setText(QStringLiteral("0"));
        controls.maxScaleLabel->setText(QString::number(scale));
    }
    // Below the bottom of its scale a value sits on the bottom edge, on every chart.
    controls.graph->DataPoint(controls.traceColor, std::max(value, 0));
    controls.graph->Update();
}

void LoggerCharts::ShowTimeAxis(std::uint32_t sampleCount, int intervalMs)
{
    const TPerformanceGraph& firstChart = *m_charts.front().graph;
    const auto spanMs = static_cast<long long>(firstChart.width()) * intervalMs;
    const auto newestMs = static_cast<unsigned long long>(sampleCount) * static_cast<unsigned>(intervalMs);
    const float span = static_cast<float>(spanMs) * kSecondsPerMs;
    const float newest = static_cast<float>(newestMs) * kSecondsPerMs;
    for (std::size_t t = 0; t < kSpanFractions.size(); ++t) {
        const float seconds = newest - kSpanFractions[t] * span;
        const QString text = LocaleFixed(seconds, kTimeLabelPrecision, kTimeLabelDecimals);
        for (ChartControls& controls : m_charts)
            controls.timeLabels[t]->setText(text);
    }
}

void LoggerCharts::Clear(std::size_t chart)
{
    m_charts.at(chart).graph->Clear();
}

void LoggerCharts::ClearAll()
{
    for (ChartControls& controls : m_charts)
        controls.graph->Clear();
}
