// The log viewer: opening a log recorded with every value, one hour and ten hours of it at the
// logger's fastest interval, by the reader alone and by the viewer until its plots are drawn,
// each beside `wc -l` on the same file as the floor of reading it at all; and a full redraw of
// the plots after a zoom of the ten-hour log.
#include "bench/support/WindowBenchMain.h"
#include "link/EcuSession.h"
#include "logfile/DataLog.h"
#include "logfile/LogReader.h"
#include "port/InterfaceLink.h"
#include "tests/support/FakeEcuQueries.h"
#include "viewer/LogViewerForm.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <limits>
#include <map>
#include <memory>
#include <qcustomplot.h>

namespace {

constexpr int kIntervalMs = 40;
constexpr int kRowsAnHour = 3600 * 1000 / kIntervalMs; // 90,000
constexpr int kShownChannels = 4;

// An engine whose values change every row, and a lost link now and then, so that fields have
// realistic lengths and the plots have gaps.
void NextRow(FakeEcuQueries& ecu, int row)
{
    constexpr int kGapEvery = 5000;
    ecu.liveValues = row % kGapEvery != 0;
    ecu.rpm = 800 + row % 5200;
    ecu.load8 = 30 + row % 70;
    ecu.coolantTemp = 20.0F + static_cast<float>(row % 700) * 0.1F;
    ecu.airTemp = 15.0F + static_cast<float>(row % 300) * 0.1F;
    ecu.batteryVolts = 12.0F + static_cast<float>(row % 25) * 0.1F;
    ecu.tpsPercent = static_cast<float>(row % 100);
    ecu.injectorPw[0] = 2.0F + static_cast<float>(row % 80) * 0.05F;
    ecu.stft[0] = -5.0F + static_cast<float>(row % 100) * 0.1F;
}

// A log with every value of `hours` hours, written once a run by the data logger's own writer.
const std::filesystem::path& LogOfHours(int hours)
{
    static QTemporaryDir dir;
    static std::map<int, std::filesystem::path> written;
    auto& path = written[hours];
    if (path.empty()) {
        path = std::filesystem::path(dir.path().toStdString()) / ("hours" + std::to_string(hours) + ".csv");
        DataLog log;
        log.AppendHeader(QDateTime::currentDateTime(), { "RPM", "MAP", "CTS", "IAT" }, kIntervalMs, path,
            { .allValues = true });
        FakeEcuQueries ecu;
        for (int row = 0; row < hours * kRowsAnHour; ++row) {
            NextRow(ecu, row);
            log.AppendRow(ecu);
        }
        log.SaveLog(path);
    }
    return path;
}

// What `wc -l` takes to count the lines of the file, the least of a few runs: the floor of any
// program that reads the file through.
double WcLinesMs(const std::filesystem::path& path)
{
    constexpr int kRuns = 3;
    double least = std::numeric_limits<double>::max();
    for (int run = 0; run < kRuns; ++run) {
        QProcess wc;
        wc.setStandardOutputFile(QProcess::nullDevice());
        QElapsedTimer timer;
        timer.start();
        wc.start(QStringLiteral("wc"), { QStringLiteral("-l"), QString::fromStdString(path.string()) });
        wc.waitForFinished();
        least = std::min(least, static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    return least;
}

// Runs `open` once an iteration and says its mean wall time beside `wc -l`'s on the same file.
template <typename Open>
void TimeOpening(benchmark::State& state, const std::filesystem::path& path, Open open)
{
    const double wcMs = WcLinesMs(path);
    double totalMs = 0;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        open();
        totalMs += static_cast<double>(timer.nsecsElapsed()) / 1e6;
    }
    const double meanMs = totalMs / static_cast<double>(state.iterations());
    state.counters["wc_l_ms"] = wcMs;
    state.counters["times_wc_l"] = meanMs / wcMs;
    state.counters["file_mib"] = static_cast<double>(std::filesystem::file_size(path)) / (1024.0 * 1024.0);
}

void BM_ReadLogWithEveryValue(benchmark::State& state)
{
    const std::filesystem::path& path = LogOfHours(static_cast<int>(state.range(0)));
    std::size_t rows = 0;
    std::size_t columns = 0;
    TimeOpening(state, path, [&] {
        const LogFile file = ReadLogFile(path);
        rows = file.contents.Rows();
        columns = file.contents.columns.size() + 1;
        benchmark::DoNotOptimize(file.contents.columns.data());
    });
    state.counters["rows"] = static_cast<double>(rows);
    state.counters["columns"] = static_cast<double>(columns);
}
BENCHMARK(BM_ReadLogWithEveryValue)
    ->Arg(1)
    ->Arg(10)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->UseRealTime()
    ->MeasureProcessCPUTime();

// No ECU behind the session: the viewer only reads and plots.
class NoLink final : public InterfaceLink {
public:
    int OpenPort(const QString&) override { return 0; }
    int ClosePort() override { return 0; }
    bool IsPortOpen() const override { return false; }
    QString GetStatusText() const override { return QString::fromLatin1(NoInterface); }
    int SendBytes(std::span<const std::uint8_t>) override { return 0; }
    int ReceiveBytes(ReceiveBuffer&, std::uint8_t& count) override
    {
        count = 0;
        return 0;
    }
    int SetBaudRate(const QString&) override { return 1; }
};

// The viewer's File > Open Log of the ten-hour log: read on its own threads while the window
// waits, then its first three channels plotted.
void BM_OpenInViewerTenHours(benchmark::State& state)
{
    EcuSession session([] { return std::make_unique<NoLink>(); }, EcuSession::Ticking::ByCaller);
    TLogViewerForm viewer(session);
    viewer.resize(1200, 760);
    viewer.show();
    const std::filesystem::path& path = LogOfHours(10);
    bool shown = true;
    TimeOpening(state, path, [&] {
        shown = viewer.OpenLogAndWait(QString::fromStdString(path.string())) && shown;
        viewer.Plot()->replot(QCustomPlot::rpImmediateRefresh);
    });
    if (!shown)
        state.SkipWithError("the log was not shown");
}
BENCHMARK(BM_OpenInViewerTenHours)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->UseRealTime()
    ->MeasureProcessCPUTime();

// A full redraw of four stacked plots of the ten-hour log, after each zoom: to a minute, to an
// hour and back to all ten hours (the most points).
void BM_RedrawAfterZoomTenHours(benchmark::State& state)
{
    EcuSession session([] { return std::make_unique<NoLink>(); }, EcuSession::Ticking::ByCaller);
    TLogViewerForm viewer(session);
    viewer.resize(1200, 760);
    viewer.show();
    viewer.OpenLogAndWait(QString::fromStdString(LogOfHours(10).string()));
    QStringList shown;
    for (int i = 0; i < kShownChannels; ++i)
        shown << QString::fromStdString(viewer.Log().columns[static_cast<std::size_t>(i)].name);
    viewer.ShowChannels(shown);
    const double allSeconds = viewer.Log().LastMs() / 1000.0;
    const std::array<std::pair<double, double>, 3> spans
        = { { { 18000.0, 18060.0 }, { 7200.0, 10800.0 }, { 0.0, allSeconds } } };
    std::size_t next = 0;
    double slowest = 0;
    for (auto _ : state) {
        const auto& [from, to] = spans[next++ % spans.size()];
        viewer.SetVisibleSeconds(from, to);
        const auto start = std::chrono::steady_clock::now();
        viewer.Plot()->replot(QCustomPlot::rpImmediateRefresh);
        const double seconds
            = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        slowest = std::max(slowest, seconds);
        state.SetIterationTime(seconds);
    }
    state.counters["slowest_ms"] = slowest * 1000.0;
    state.counters["points_per_plot"] = static_cast<double>(viewer.Log().Rows());
}
BENCHMARK(BM_RedrawAfterZoomTenHours)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(30);

} // namespace

int main(int argc, char** argv)
{
    return RunWindowBenchmarks(argc, argv);
}
