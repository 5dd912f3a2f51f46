// Peak memory of the programs that read a capture, on captures of 10 MB and 100 MB that hold one
// reply of half their size: `dazederir-cli capinfo` reads the whole file, `--replay` answers from
// it. Neither may grow with the file.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace {

constexpr std::size_t Megabyte = 1024 * 1024;
// Read lines of one huge "reply": 20,000 bytes each, well within the bound on a line.
constexpr std::size_t BytesPerLine = 20000;
constexpr long FirstSweepMs = 2;
// What the tool exits with when it refuses the file: a figure taken then would not measure reading it.
constexpr int RefusedStatus = 2;

// A session that identifies, reads the first window once with a reply of half the file, then
// reads it again and again, each time a millisecond later, to the file's size.
std::filesystem::path WriteCapture(std::size_t megabytes)
{
    const std::filesystem::path path = std::filesystem::temp_directory_path()
        / ("dazederir-bench-" + std::to_string(megabytes) + "mb.capture");
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << "# dazederir capture 1\n# baud 15625\n0.000 > 10 03 ED\n0.500 < 10 03 ED 10 05 11 03 D7\n";
    out << "1.000 > 13 0B 00 01 02 03 04 05 06 07 C6\n";
    std::string flood = "1.500 <";
    for (std::size_t i = 0; i < BytesPerLine; ++i)
        flood += " AA";
    flood += '\n';
    std::size_t written = 0;
    for (; written < megabytes * Megabyte / 2; written += flood.size())
        out << flood;
    for (long ms = FirstSweepMs; written < megabytes * Megabyte; ++ms) {
        const std::string at = std::to_string(ms);
        const std::string sweep = at + ".000 > 13 0B 00 01 02 03 04 05 06 07 C6\n" + at
            + ".500 < 13 0B 00 01 02 03 04 05 06 07 C6 13 0B 01 00 00 01 03 CF 79 00 95\n";
        out << sweep;
        written += sweep.size();
    }
    return path;
}

struct ToolRun {
    int exitStatus = -1;
    double peakMegabytes = 0;
};

// Runs the tool to its end: how it ended and its peak resident memory.
ToolRun RunTool(const std::vector<std::string>& args)
{
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(CLI_PROGRAM));
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, CLI_PROGRAM, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return {};
    int status = 0;
    rusage usage {};
    if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status))
        return {};
    constexpr double KilobytesPerMegabyte = 1024.0;
    return { WEXITSTATUS(status), static_cast<double>(usage.ru_maxrss) / KilobytesPerMegabyte };
}

void CapturePeakMemory(benchmark::State& state, bool replay)
{
    const auto megabytes = static_cast<std::size_t>(state.range(0));
    const std::filesystem::path capture = WriteCapture(megabytes);
    const std::vector<std::string> args = replay ? std::vector<std::string> { "--replay", capture.string(),
        "--timeout", "2", "values", "--sweeps", "1" }
                                                 : std::vector<std::string> { "capinfo", capture.string() };
    ToolRun run;
    for (auto _ : state)
        run = RunTool(args);
    if (run.exitStatus < 0 || run.exitStatus == RefusedStatus)
        state.SkipWithError("the tool refused the capture or did not end normally");
    state.counters["exit_status"] = run.exitStatus;
    state.counters["peak_rss_mb"] = run.peakMegabytes;
    state.counters["file_mb"] = static_cast<double>(std::filesystem::file_size(capture)) / Megabyte;
    std::filesystem::remove(capture);
}

void CapinfoPeakMemory(benchmark::State& state)
{
    CapturePeakMemory(state, false);
}

void ReplayPeakMemory(benchmark::State& state)
{
    CapturePeakMemory(state, true);
}

BENCHMARK(CapinfoPeakMemory)->Arg(10)->Arg(100)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(ReplayPeakMemory)->Arg(10)->Arg(100)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
