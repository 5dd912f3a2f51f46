// Logging as fast as the line allows onto a disk whose every sync takes 800 ms (a USB stick, a
// network folder): dazederir-cli log --poll fast --gather-reads --time-base fast against
// dazederir-ecusim paced at 15625 baud, with the test library that slows fdatasync preloaded, and
// the same run without it. From the log's own times: rows a second and the largest gap between two
// rows. The rate must stay within 5 % of the run without the stall, and no gap may pass twice the
// fastest sample interval of the other time bases (40 ms): a writer that made the rows wait for
// the disk would show 800 ms gaps.
#include "ChildProcess.h"

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int Rows = 200; // about four seconds
// Each of the run's ten or so syncs (once a second, and at the start and the end) takes 800 ms
// when stalled: the log is given that on top of its rows.
constexpr std::chrono::seconds LogPatience { 30 };
constexpr int HeaderLines = 3;
constexpr double MsPerSecond = 1000.0;

std::vector<long> RowTimes(const std::string& path)
{
    std::ifstream file(path);
    std::vector<long> times;
    std::string line;
    for (int n = 0; std::getline(file, line); ++n) {
        if (n >= HeaderLines)
            times.push_back(std::stol(line.substr(0, line.find(','))));
    }
    return times;
}

void LogOnto(benchmark::State& state)
{
    const bool stalled = state.range(0) != 0;
    QTemporaryDir dir;
    const std::string out = dir.filePath("fast.csv").toStdString();
    const std::string tally = dir.filePath("syncs").toStdString();
    ChildProcess ecusim(ECUSIM_PROGRAM, { "--ecu", "1103", "--sim-pace" });
    const std::string port = ecusim.ReadLine().value_or("");
    if (stalled) {
        ::setenv("LD_PRELOAD", SLOW_SYNC_LIBRARY, 1);
        ::setenv("DAZED_SLOW_SYNC_TALLY", tally.c_str(), 1);
    }
    std::vector<long> times;
    for (auto _ : state) {
        ChildProcess log(CLI_PROGRAM,
            { "--port", port, "--poll", "fast", "--gather-reads", "log", "--channels",
                "RPM,CTS,IAT,Batt Volts*10", "--time-base", "fast", "--samples", std::to_string(Rows),
                "--out", out });
        const int status = log.Wait(LogPatience);
        if (status != 0) {
            state.SkipWithError(("dazederir-cli log failed: " + log.ErrorOutput()).c_str());
            break;
        }
        times = RowTimes(out);
        state.SetIterationTime(static_cast<double>(times.empty() ? 0 : times.back()) / MsPerSecond);
    }
    ::unsetenv("LD_PRELOAD");
    ::unsetenv("DAZED_SLOW_SYNC_TALLY");
    if (times.size() < 2)
        return;
    long largestGap = 0;
    for (std::size_t k = 1; k < times.size(); ++k)
        largestGap = std::max(largestGap, times[k] - times[k - 1]);
    std::ifstream syncs(tally);
    const auto syncCount
        = std::count(std::istreambuf_iterator<char>(syncs), std::istreambuf_iterator<char>(), '\n');
    state.counters["rows"] = static_cast<double>(times.size());
    state.counters["rows_per_s"] = static_cast<double>(times.size() - 1) * MsPerSecond
        / static_cast<double>(times.back() - times.front());
    state.counters["largest_gap_ms"] = static_cast<double>(largestGap);
    state.counters["slowed_syncs"] = static_cast<double>(syncCount);
}

} // namespace

BENCHMARK(LogOnto)
    ->ArgNames({ "stalled" })
    ->Arg(0)
    ->Arg(1)
    ->UseManualTime()
    ->Unit(benchmark::kSecond)
    ->Iterations(1);
BENCHMARK_MAIN();
