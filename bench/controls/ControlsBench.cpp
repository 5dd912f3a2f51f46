// Cost of composing the dials and of the strip chart's per-sample and full redraws.
#include "bench/support/WindowBenchMain.h"
#include "controls/KodraGauge.h"
#include "controls/PerformanceGraph.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int kChartWidth = 800;
constexpr int kChartHeight = 100;

void BM_ComposeDial(benchmark::State& state)
{
    const int side = static_cast<int>(state.range(0));
    TKodraGauge gauge;
    gauge.resize(side, side);
    gauge.SetBorderStyle(side > 200 ? bsNone : bsSingle);
    gauge.SetMaxValue(8000);
    gauge.SetnTicks(9);
    gauge.SetGTitle(QStringLiteral("RPM"));
    int value = 0;
    for (auto _ : state) {
        value = (value + 97) % 8000;
        gauge.AddProgress(value - gauge.Progress()); // always composes
    }
    state.counters["composed"] = gauge.ComposeCount();
}
BENCHMARK(BM_ComposeDial)->Arg(255)->Arg(115)->Unit(benchmark::kMicrosecond);

// A logger-sized chart whose whole history holds `points` series per band. One series sits at
// the top so that the scale stays put and every Update takes the per-sample path.
class FullChart {
public:
    explicit FullChart(int points)
        : m_points(points)
    {
        m_chart.resize(kChartWidth, kChartHeight);
        m_chart.SetScale(100);
        m_chart.SetGradient(10);
        m_chart.Paint();
        for (int i = 0; i < m_chart.BandSlots(); ++i)
            addSample();
    }

    void addSample()
    {
        m_chart.DataPoint(kColorRed, 100);
        for (int series = 1; series < m_points; ++series)
            m_chart.DataPoint(static_cast<ColorRef>(series * 0x0F0F0F), 1 + (m_tick * 7 + series * 13) % 99);
        m_chart.Update();
        ++m_tick;
    }

    TPerformanceGraph& chart() { return m_chart; }

private:
    TPerformanceGraph m_chart;
    int m_points;
    int m_tick = 0;
};

void BM_ChartUpdate(benchmark::State& state)
{
    FullChart full(static_cast<int>(state.range(0)));
    for (auto _ : state)
        full.addSample();
    state.counters["scale"] = full.chart().Scale();
}
BENCHMARK(BM_ChartUpdate)->Arg(16)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_ChartReplay(benchmark::State& state)
{
    FullChart full(static_cast<int>(state.range(0)));
    for (auto _ : state)
        full.chart().Replay();
    state.counters["bands"] = full.chart().BandSlots();
}
BENCHMARK(BM_ChartReplay)->Arg(16)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    return RunWindowBenchmarks(argc, argv);
}
