// Recording and saving an hour of logging at the shortest interval, and the memory it holds.
#include "logger/DataLog.h"
#include "tests/support/FakeEcuQueries.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <string>
#include <sys/resource.h>

namespace {

constexpr int kShortestIntervalMs = 40;
constexpr int kRowsPerHour = 3600 * 1000 / kShortestIntervalMs; // 90,000
constexpr long kBytesPerKilobyte = 1024;
const LogChannelNames kChannels = { "RPM", "MAP", "CTS", "Batt Volts*10" };

long PeakRssBytes()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss * kBytesPerKilobyte;
}

// Heap and object bytes of the lines, as the log holds them (allocator overhead not counted).
std::size_t LogLinesBytes(const std::vector<std::string>& lines)
{
    const std::size_t inlineCapacity = std::string().capacity();
    std::size_t bytes = lines.capacity() * sizeof(std::string);
    for (const std::string& line : lines) {
        if (line.capacity() > inlineCapacity)
            bytes += line.capacity() + 1;
    }
    return bytes;
}

// An engine whose values change every row, so the rows have realistic lengths.
void FillHour(DataLog& log, FakeEcuQueries& ecu)
{
    log.AppendHeader(QDateTime::currentDateTime(), kChannels, kShortestIntervalMs);
    for (int row = 0; row < kRowsPerHour; ++row) {
        ecu.rpm = static_cast<float>(800 + row % 5200);
        ecu.load8 = 30 + row % 70;
        ecu.coolantTemp = 20.0F + static_cast<float>(row % 700) * 0.1F;
        ecu.batteryVolts = 12.0F + static_cast<float>(row % 25) * 0.1F;
        log.AppendRow(ecu);
    }
}

// Runs first, so that the peak RSS it reports grows from a process that has logged nothing. The
// growth is taken once per process: the framework calls this several times and the peak only rises.
void BM_RecordOneHourAt40ms(benchmark::State& state)
{
    static long rssGrowth = -1;
    std::size_t linesBytes = 0;
    std::int64_t loggedBytes = 0;
    for (auto _ : state) {
        const long before = PeakRssBytes();
        DataLog log;
        FakeEcuQueries ecu;
        FillHour(log, ecu);
        if (rssGrowth < 0)
            rssGrowth = PeakRssBytes() - before;
        linesBytes = LogLinesBytes(log.LogLines());
        loggedBytes = log.LoggedBytes();
        benchmark::DoNotOptimize(log.LogLines().data());
    }
    state.counters["rows"] = kRowsPerHour;
    state.counters["row_bytes"] = static_cast<double>(loggedBytes);
    state.counters["LogLines_bytes"] = static_cast<double>(linesBytes);
    state.counters["peak_rss_growth_bytes"] = static_cast<double>(rssGrowth);
}
BENCHMARK(BM_RecordOneHourAt40ms)->Unit(benchmark::kMillisecond);

void BM_SaveOneHourAt40ms(benchmark::State& state)
{
    QTemporaryDir dir;
    const std::filesystem::path target
        = std::filesystem::path(dir.path().toStdString()) / DataLog::kLogFileName;
    DataLog log;
    FakeEcuQueries ecu;
    FillHour(log, ecu);
    for (auto _ : state) {
        if (const std::optional<std::string> error = log.SaveLog(target)) {
            state.SkipWithError(error->c_str());
            break;
        }
    }
    const auto fileBytes = static_cast<double>(std::filesystem::file_size(target));
    state.counters["file_bytes"] = fileBytes;
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(fileBytes));
}
BENCHMARK(BM_SaveOneHourAt40ms)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
