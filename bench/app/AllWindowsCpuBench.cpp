// CPU of the whole program polling the simulated ECU every 50 ms: the main window alone, every
// window open as the menu opens them, and every window open while the data logger records. The
// process's CPU time covers both threads and the simulated ECU, which runs inside the link
// thread's driver calls, as in "dazederir --simulate".
#include "app/MainWindows.h"
#include "app/ProgramLink.h"
#include "bench/support/ProcessCpu.h"
#include "bench/support/WindowBenchMain.h"
#include "logger/DataLoggerForm.h"
#include "ui/DashboardSettings.h"

#include <QApplication>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace {

enum class Scene { MainWindowOnly, AllWindows, AllWindowsLogging };

constexpr int WarmUpMs = 3000; // identification and the first sweeps
constexpr int MeasuredMs = 20000;

void RunEventLoopFor(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

void ProgramCpu(benchmark::State& state)
{
    const auto scene = static_cast<Scene>(state.range(0));
    QTemporaryDir settings;
    const std::filesystem::path settingsFile = DashboardSettingsPath(settings.path());
    std::filesystem::create_directories(settingsFile.parent_path());
    std::ofstream(settingsFile) << "[Comms]\nSampleRate=50\n";

    AppOptions options;
    options.cable = CableKind::Simulated;
    ProgramLink link = MakeProgramLink(options);
    EcuSession session(link.factory);
    MainWindows windows(session, std::make_unique<TDashBoardForm>(session, settings.path()), settings.path());
    TDashBoardForm& dashboard = windows.Dashboard();
    windows.DataLogger().SetLogPath(settings.path());
    dashboard.show();
    session.Connect();
    if (scene != Scene::MainWindowOnly) {
        for (int which = 0; which < TDashBoardForm::ToolWindowCount; ++which)
            dashboard.ToolWindowAction(static_cast<TDashBoardForm::ToolWindow>(which))->trigger();
    }
    if (scene == Scene::AllWindowsLogging)
        windows.DataLogger().StartLogging();
    RunEventLoopFor(WarmUpMs);

    for (auto _ : state) {
        const double cpuBefore = ProcessCpuSeconds();
        RunEventLoopFor(MeasuredMs);
        state.counters["cpu_per_wall_s"] = (ProcessCpuSeconds() - cpuBefore) * 1000.0 / MeasuredMs;
    }
    const QWidgetList topLevel = QApplication::topLevelWidgets();
    state.counters["windows_shown"] = static_cast<double>(
        std::count_if(topLevel.begin(), topLevel.end(), [](QWidget* w) { return w->isVisible(); }));
    state.counters["sample_rate_ms"] = dashboard.SampleRate();
    state.counters["rx_errors"] = session.Connection().RxErrorCount();
    state.counters["sweeps"] = session.Connection().CompletedSweeps();
    if (scene == Scene::AllWindowsLogging)
        windows.DataLogger().StopLogging();
}

} // namespace

BENCHMARK(ProgramCpu)
    ->ArgName("scene")
    ->Arg(static_cast<int>(Scene::MainWindowOnly))
    ->Arg(static_cast<int>(Scene::AllWindows))
    ->Arg(static_cast<int>(Scene::AllWindowsLogging))
    ->Iterations(1)
    ->Unit(benchmark::kSecond);

int main(int argc, char** argv)
{
    return RunWindowBenchmarks(argc, argv);
}
