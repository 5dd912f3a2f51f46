// Request to reply through the link thread with the session recording on and off: the recording
// driver hands every byte to the recorder's queue on the link's path, and the recorder's own
// thread writes and syncs the file. Two lines: the simulated cable answering at once (nothing but
// the link's own work between request and reply) and dazederir-ecusim on a pseudo-terminal at
// 15625 baud (the line time, 14.1 ms, included). Recording must add under 0.5 ms.
#include "bench/latency/TimedExchange.h"
#include "capture/RecordingPortDriver.h"
#include "link/FrameReceiver.h"
#include "port/D2xxThread.h"
#include "port/SerialPortDriver.h"
#include "sim/SimulatedEnvironment.h"

#include "ChildProcess.h"

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr auto GiveUpAfter = 10s;
constexpr auto PollStep = 50us;
constexpr int Exchanges = 300;
constexpr double MsPerSecond = 1000.0;
constexpr double Median = 0.5;
constexpr double Percentile99 = 0.99;
constexpr int Baud = 15625;
constexpr int Windows = 4;

void Measure(benchmark::State& state, const TD2xxThread::DriverFactory& drivers)
{
    const bool recording = state.range(0) != 0;
    QTemporaryDir dir;
    const auto recorder = std::make_shared<SessionRecorder>();
    if (recording && !recorder->Start(dir.filePath(QStringLiteral("bench.capture")).toStdString()).empty()) {
        state.SkipWithError("the capture file could not be made");
        return;
    }
    TD2xxThread link(
        [&drivers, recorder] { return std::make_shared<RecordingPortDriver>(drivers(), recorder); });
    link.OpenPort(QString::number(Baud));
    if (!WaitForPortOpen(link, GiveUpAfter)) {
        state.SkipWithError("the port did not open");
        return;
    }

    FrameReceiver receiver;
    std::vector<double> latencies;
    int window = 0;
    for (auto _ : state) {
        double milliseconds = 0;
        if (!TimedExchange(link, receiver, window, PollStep, GiveUpAfter, milliseconds)) {
            state.SkipWithError("no reply");
            return;
        }
        state.SetIterationTime(milliseconds / MsPerSecond);
        latencies.push_back(milliseconds);
        window = (window + EcuFrame::MaxDataBytes) % (EcuFrame::MaxDataBytes * Windows);
    }
    state.counters["median_ms"] = Quantile(latencies, Median);
    state.counters["p99_ms"] = Quantile(latencies, Percentile99);
    state.counters["file_bytes"] = static_cast<double>(recorder->FileBytes());
}

void SimulatedCableRequestToReply(benchmark::State& state)
{
    const SimulatedEnvironment environment("1103", SimulatorSettings {});
    Measure(state, environment.DriverFactory());
}

void PtyRequestToReply(benchmark::State& state)
{
    ChildProcess ecusim(ECUSIM_PROGRAM, { "--ecu", "1103", "--sim-pace" });
    const QString path = QString::fromStdString(ecusim.ReadLine().value_or(""));
    Measure(state, [path]() -> PortDriverPtr { return std::make_shared<SerialPortDriver>(path); });
}

} // namespace

BENCHMARK(SimulatedCableRequestToReply)
    ->ArgName("recording")
    ->Arg(0)
    ->Arg(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(Exchanges);
BENCHMARK(PtyRequestToReply)
    ->ArgName("recording")
    ->Arg(0)
    ->Arg(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(Exchanges);
BENCHMARK_MAIN();
