// The connection core's cost per 50 ms tick, and the time from the connect command to the
// identification over the simulated cable and over dazederir-ecusim on a pseudo-terminal.
#include "link/EcuConnection.h"
#include "port/D2xxThread.h"
#include "port/SerialPortDriver.h"
#include "sim/EcuSimulator.h"
#include "sim/IdealLine.h"
#include "sim/SimulatedEnvironment.h"

#include "ChildProcess.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;
constexpr std::chrono::milliseconds TickInterval { EcuConnection::TickMs };
constexpr std::chrono::seconds GiveUpAfter { 20 };
constexpr int LatencyRepetitions = 5;

// One tick with a request out and a reply in every time (50 ms sample period).
void ConnectionTick(benchmark::State& state)
{
    EcuSimulator ecu("1103", {}, [] { return 0.0; });
    IdealLine link(ecu);
    ConnectionEvents unheard;
    EcuConnection connection(link, unheard);
    connection.SetSampleRate(EcuConnection::MinSampleRate);
    connection.Connect();
    for (auto _ : state)
        connection.Tick();
    state.counters["rx_errors"] = connection.RxErrorCount();
}
BENCHMARK(ConnectionTick);

// Ticks every 50 ms from the connect command until the ECU is identified; the wall time taken.
void MeasureIdentification(
    benchmark::State& state, const TD2xxThread::DriverFactory& factory, const QString& baud)
{
    for (auto _ : state) {
        TD2xxThread link(factory);
        ConnectionEvents unheard;
        EcuConnection connection(link, unheard);
        connection.SetBaudText(baud);
        const auto start = Clock::now();
        connection.Connect();
        auto nextTick = start;
        while (Clock::now() - start < GiveUpAfter) {
            std::this_thread::sleep_until(nextTick);
            connection.Tick();
            if (connection.Connected())
                break;
            nextTick += TickInterval;
        }
        if (!connection.Connected()) {
            state.SkipWithError("no identification");
            return;
        }
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
    }
}

void IdentifySimulatedCable(benchmark::State& state)
{
    SimulatorSettings settings;
    settings.pace = state.range(1) != 0;
    const SimulatedEnvironment environment("1103", settings);
    MeasureIdentification(state, environment.DriverFactory(), QString::number(state.range(0)));
}
BENCHMARK(IdentifySimulatedCable)
    ->ArgNames({ "baud", "paced" })
    ->Args({ 15625, 0 })
    ->Args({ 15625, 1 })
    ->Args({ 7812, 1 })
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(LatencyRepetitions);

void IdentifyEcusimPty(benchmark::State& state)
{
    ChildProcess ecusim(ECUSIM_PROGRAM, { "--ecu", "1103", "--sim-pace" });
    const QString path = QString::fromStdString(ecusim.ReadLine().value_or(""));
    MeasureIdentification(
        state, [path] { return std::make_shared<SerialPortDriver>(path); }, QString::number(state.range(0)));
}
BENCHMARK(IdentifyEcusimPty)
    ->ArgName("baud")
    ->Arg(15625)
    ->Arg(7812)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(LatencyRepetitions);

} // namespace

BENCHMARK_MAIN();
