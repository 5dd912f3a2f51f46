// Resident memory and CPU of the whole program over a minute of a flooding line, in either polling
// mode: the main window, started as "dazederir --port" starts it, on a pseudo-terminal whose ECU
// answers the identification and the first sweeps, then sends read replies nobody asked for as
// fast as the line takes them. The fake ECU's own thread is left out of the CPU figure.
#include "ScriptedPtyEcu.h"
#include "app/MainWindows.h"
#include "app/ProgramLink.h"
#include "bench/support/ProcessCpu.h"
#include "bench/support/WindowBenchMain.h"
#include "tests/support/ProcessMemory.h"

#include <QApplication>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>
#include <benchmark/benchmark.h>

namespace {

constexpr int WarmUpMs = 3000; // identification and the first sweeps
constexpr int FloodMs = 60000;
constexpr double KbPerMb = 1024.0;
constexpr double PercentPerShare = 100.0;
constexpr double MsPerSecond = 1000.0;

// The program's CPU time so far: the process's, less the fake ECU's.
double ProgramCpuSeconds()
{
    return ProcessCpuSeconds() - ThreadsCpuSeconds(ScriptedPtyEcu::ThreadName);
}

void RunEventLoopFor(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

void FloodMemory(benchmark::State& state)
{
    ScriptedPtyEcu ecu;
    if (ecu.Path().empty()) {
        state.SkipWithError(ecu.Error().c_str());
        return;
    }
    ecu.Start();
    QTemporaryDir settings;
    AppOptions options;
    options.cable = CableKind::Port;
    options.portPath = QString::fromStdString(ecu.Path());
    ProgramLink link = MakeProgramLink(options);
    EcuSession session(link.factory);
    MainWindows windows(session, std::make_unique<TDashBoardForm>(session, settings.path()), settings.path());
    TDashBoardForm& dashboard = windows.Dashboard();
    dashboard.show();
    dashboard.SetFastPolling(state.range(0) != 0);
    session.Connect();
    RunEventLoopFor(WarmUpMs);
    const long residentBefore = ProcessMemoryKb("VmRSS");
    const int errorsBefore = session.Connection().RxErrorCount();

    double cpuSeconds = 0;
    for (auto _ : state) {
        const double cpuBefore = ProgramCpuSeconds();
        ecu.flood = true;
        RunEventLoopFor(FloodMs);
        ecu.flood = false;
        cpuSeconds = ProgramCpuSeconds() - cpuBefore;
    }
    state.counters["cpu_percent_of_a_core"] = cpuSeconds * PercentPerShare * MsPerSecond / FloodMs;
    state.counters["resident_before_mb"] = residentBefore / KbPerMb;
    state.counters["resident_after_mb"] = ProcessMemoryKb("VmRSS") / KbPerMb;
    state.counters["resident_peak_mb"] = ProcessMemoryKb("VmHWM") / KbPerMb;
    state.counters["frames_dropped"] = session.Connection().RxErrorCount() - errorsBefore;
    state.counters["live_at_end"] = session.Connection().HasLiveValues() ? 1 : 0;
}

} // namespace

BENCHMARK(FloodMemory)
    ->ArgName("fast")
    ->Arg(0)
    ->Arg(1)
    ->Iterations(1)
    ->Unit(benchmark::kSecond)
    ->UseRealTime();

int main(int argc, char** argv)
{
    return RunWindowBenchmarks(argc, argv);
}
