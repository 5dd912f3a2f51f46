// The recording path: rows written to the disk as they are taken, with the flush policy of the
// data logger, over a recording longer than a working day; and the memory it holds meanwhile.
#include "logfile/DataLog.h"
#include "tests/support/FakeEcuQueries.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <chrono>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

constexpr int kShortestIntervalMs = 40;
constexpr int kRows = 900000; // ten hours at 40 ms
constexpr int kRowsFirstHour = 3600 * 1000 / kShortestIntervalMs; // 90,000
const LogChannelNames kChannels = { "RPM", "MAP", "CTS", "Batt Volts*10" };

// Resident memory now (not the peak): it must stay flat while rows go to the disk.
long ResidentBytes()
{
    long pages = 0;
    long resident = 0;
    std::ifstream("/proc/self/statm") >> pages >> resident;
    return resident * ::sysconf(_SC_PAGESIZE);
}

// An engine whose values change every row, so the rows have realistic lengths.
void NextRow(FakeEcuQueries& ecu, int row)
{
    ecu.rpm = 800 + row % 5200;
    ecu.load8 = 30 + row % 70;
    ecu.coolantTemp = 20.0F + static_cast<float>(row % 700) * 0.1F;
    ecu.batteryVolts = 12.0F + static_cast<float>(row % 25) * 0.1F;
}

void BM_Record900000Rows(benchmark::State& state)
{
    double seconds = 0;
    double stopMs = 0;
    long firstHourGrowth = 0;
    long laterGrowth = 0;
    std::int64_t fileBytes = 0;
    for (auto _ : state) {
        QTemporaryDir dir;
        const std::filesystem::path target
            = std::filesystem::path(dir.path().toStdString()) / DataLog::kLogFileName;
        const long before = ResidentBytes();
        long afterFirstHour = before;
        DataLog log;
        FakeEcuQueries ecu;
        const auto start = std::chrono::steady_clock::now();
        log.AppendHeader(QDateTime::currentDateTime(), kChannels, kShortestIntervalMs, target);
        for (int row = 0; row < kRows; ++row) {
            NextRow(ecu, row);
            log.AppendRow(ecu);
            if (row + 1 == kRowsFirstHour)
                afterFirstHour = ResidentBytes();
        }
        const auto recorded = std::chrono::steady_clock::now();
        if (const std::optional<std::string> error = log.SaveLog(target)) {
            state.SkipWithError(error->c_str());
            break;
        }
        const auto stopped = std::chrono::steady_clock::now();
        seconds = std::chrono::duration<double>(recorded - start).count();
        stopMs = std::chrono::duration<double, std::milli>(stopped - recorded).count();
        firstHourGrowth = afterFirstHour - before;
        laterGrowth = ResidentBytes() - afterFirstHour;
        fileBytes = log.FileBytes();
    }
    state.counters["rows"] = kRows;
    state.counters["rows_per_second"] = kRows / seconds;
    state.counters["stop_ms"] = stopMs;
    state.counters["file_bytes"] = static_cast<double>(fileBytes);
    state.counters["rss_growth_first_hour_bytes"] = static_cast<double>(firstHourGrowth);
    state.counters["rss_growth_later_bytes"] = static_cast<double>(laterGrowth);
}
BENCHMARK(BM_Record900000Rows)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

BENCHMARK_MAIN();
