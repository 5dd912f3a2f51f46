// CPU used by the link thread while a port is open and the line is quiet: the main thread
// sleeps, so the process's CPU time is the link thread's.
#include "bench/support/ProcessCpu.h"
#include "port/D2xxThread.h"
#include "port/SerialPortDriver.h"
#include "sim/SimulatedCable.h"

#include <benchmark/benchmark.h>

#include <pty.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <thread>

namespace {

using namespace std::chrono_literals;

constexpr auto MeasuredWall = 3s;

void MeasureIdle(benchmark::State& state, const TD2xxThread::DriverFactory& factory, bool openPort)
{
    for (auto _ : state) {
        TD2xxThread link(factory);
        if (openPort) {
            link.OpenPort("15625");
            const auto giveUp = std::chrono::steady_clock::now() + 10s;
            while (!link.IsPortOpen() && std::chrono::steady_clock::now() < giveUp)
                std::this_thread::sleep_for(1ms);
            if (!link.IsPortOpen()) {
                state.SkipWithError("the port did not open");
                return;
            }
        }
        const double cpuBefore = ProcessCpuSeconds();
        const auto wallBefore = std::chrono::steady_clock::now();
        std::this_thread::sleep_for(MeasuredWall);
        const double cpu = ProcessCpuSeconds() - cpuBefore;
        const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - wallBefore;
        state.counters["cpu_per_wall_s"] = cpu / wall.count();
    }
}

void IdleOpenSimulatedCable(benchmark::State& state)
{
    const auto cable = std::make_shared<SimulatedCable>();
    MeasureIdle(
        state, [cable] { return cable; }, true);
}

void IdleNoCable(benchmark::State& state)
{
    const auto cable = std::make_shared<SimulatedCable>();
    cable->PullOut();
    MeasureIdle(
        state, [cable] { return cable; }, false);
}

void IdleOpenPseudoTerminal(benchmark::State& state)
{
    int master = -1;
    int slave = -1;
    std::array<char, 128> name {};
    if (::openpty(&master, &slave, name.data(), nullptr, nullptr) != 0) {
        state.SkipWithError("no pseudo-terminal");
        return;
    }
    ::close(slave);
    const QString path = QString::fromLatin1(name.data());
    MeasureIdle(
        state, [path] { return std::make_shared<SerialPortDriver>(path); }, true);
    ::close(master);
}

} // namespace

BENCHMARK(IdleOpenSimulatedCable)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK(IdleNoCable)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK(IdleOpenPseudoTerminal)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK_MAIN();
