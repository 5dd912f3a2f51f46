// Request to reply over a pseudo-terminal, with dazederir-ecusim sending its echo and reply at the
// line speed: from the read request put into the link thread's transmit ring to the reply frame
// rebuilt from its receive ring. The line itself needs 22 byte times for the request's echo and
// the 11-byte reply; everything above that is the link's own delay. (The main window handles the
// reply at its next 50 ms tick, which this leaves out.)
#include "bench/latency/TimedExchange.h"
#include "link/FrameReceiver.h"
#include "port/D2xxThread.h"
#include "port/SerialPortDriver.h"
#include "sim/LinePacing.h"

#include "ChildProcess.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr auto GiveUpAfter = 10s;
// How often the receive ring is looked at: fine enough not to blur a 14 ms exchange.
constexpr auto PollStep = 200us;
constexpr int Exchanges = 300;
constexpr int BytesOnTheLine = 2 * EcuFrame::MaxLength; // the echo of the request, then the reply
constexpr double MsPerSecond = 1000.0;
constexpr double Median = 0.5;
constexpr double Percentile99 = 0.99;

void RequestToReply(benchmark::State& state)
{
    const int baud = static_cast<int>(state.range(0));
    ChildProcess ecusim(ECUSIM_PROGRAM, { "--ecu", "1103", "--sim-pace" });
    const QString path = QString::fromStdString(ecusim.ReadLine().value_or(""));
    TD2xxThread link([path] { return std::make_shared<SerialPortDriver>(path); });
    link.OpenPort(QString::number(baud));
    if (!WaitForPortOpen(link, GiveUpAfter)) {
        state.SkipWithError("the pseudo-terminal did not open");
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
        window = (window + EcuFrame::MaxDataBytes) % (EcuFrame::MaxDataBytes * 4);
    }
    state.counters["median_ms"] = Quantile(latencies, Median);
    state.counters["p99_ms"] = Quantile(latencies, Percentile99);
    state.counters["line_ms"] = BytesOnTheLine * LineByteSeconds(baud) * MsPerSecond;
}

} // namespace

BENCHMARK(RequestToReply)
    ->ArgName("baud")
    ->Arg(15625)
    ->Arg(7812)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(Exchanges);
BENCHMARK_MAIN();
