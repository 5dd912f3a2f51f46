// Fast polling against the line's limit, over dazederir-ecusim sending at the line speed on a
// pseudo-terminal, with the session run as the command-line tool runs it (the link thread's word
// that bytes arrived sends each next request; a tick every 50 ms supervises the link).
//
// FastSweeps: complete sweeps a second of "1103" (five windows) against the line's limit, one
// sweep being 5 exchanges of 22 bytes of 10 bit times. LoggedRefresh: how often four logged
// channels spread over three windows (RPM, CTS, IAT, battery) get fresh values, against the
// line's limit for one exchange: without priority, with their windows first, with gathered reads.
// FastTimeBaseRows: rows a second of the logger's time base "As fast as the line allows" (one each
// time the four channels have all been read again) with gathered reads, against the line's limit for
// one exchange.
// FastSweepsHeld: FastSweeps at 15625 baud through an interface chip that holds received bytes for
// its latency timer (dazederir-ecusim --sim-latency): 1 ms as the program asks for, 16 ms as the
// kernel's default leaves it.
#include "link/EcuSession.h"
#include "logfile/ChannelTables.h"
#include "port/D2xxThread.h"
#include "port/SerialPortDriver.h"

#include "ChildProcess.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <functional>
#include <limits>
#include <map>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr auto Warmup = 2s;
constexpr auto Measured = 10s;
constexpr auto GiveUpAfter = 20s;
constexpr double BitsPerByte = 10.0;
constexpr double ExchangeBytes = 2.0 * EcuFrame::MaxLength;
constexpr int EcuWindows = 5; // "1103": addresses 0..39
constexpr double Percent = 100.0;

enum Priority : int { NoPriority = 0, PriorityWindows = 1, GatheredReads = 2 };

double ExchangesPerSecond(int baud)
{
    return baud / (ExchangeBytes * BitsPerByte);
}

// The ECU simulator on a pseudo-terminal and a fast session on it, run as the tool runs it.
class FastRun {
public:
    FastRun(int baud, std::chrono::microseconds gap, int latencyMs = 0)
        : m_ecusim(
            ECUSIM_PROGRAM, { "--ecu", "1103", "--sim-pace", "--sim-latency", std::to_string(latencyMs) })
        , m_path(QString::fromStdString(m_ecusim.ReadLine().value_or("")))
        , m_session(
              [this]() -> std::unique_ptr<InterfaceLink> {
                  return std::make_unique<TD2xxThread>(
                      [port = m_path] { return std::make_shared<SerialPortDriver>(port); });
              },
              EcuSession::Ticking::ByCaller)
    {
        m_session.Settings().SetBaudText(QString::number(baud));
        m_session.Settings().SetFastGap(gap);
        m_session.SetPollMode(EcuConnection::PollMode::Fast);
    }

    EcuSession& Session() { return m_session; }
    const EcuConnection& Connection() const { return m_session.Connection(); }

    bool RunUntil(const std::function<bool()>& done, Clock::duration limit)
    {
        const auto end = Clock::now() + limit;
        while (!done() && Clock::now() < end) {
            m_session.ServiceUntil(std::min(m_nextTick, end));
            if (Clock::now() >= m_nextTick) {
                m_session.Tick();
                m_nextTick
                    = std::max(m_nextTick + std::chrono::milliseconds(EcuConnection::TickMs), Clock::now());
            }
        }
        return done();
    }

    bool ConnectAndWarmUp()
    {
        m_session.Connect();
        if (!RunUntil([this] { return Connection().CompletedSweeps() >= 1; }, GiveUpAfter))
            return false;
        RunUntil([] { return false; }, Warmup);
        return true;
    }

private:
    ChildProcess m_ecusim;
    QString m_path;
    EcuSession m_session;
    Clock::time_point m_nextTick = Clock::now();
};

void MeasureSweeps(benchmark::State& state, int baud, std::chrono::microseconds gap, int latencyMs)
{
    FastRun run(baud, gap, latencyMs);
    if (!run.ConnectAndWarmUp()) {
        state.SkipWithError("no sweep from the simulator");
        return;
    }
    double sweepsPerSecond = 0;
    for (auto _ : state) {
        const int before = run.Connection().CompletedSweeps();
        const auto start = Clock::now();
        run.RunUntil([] { return false; }, Measured);
        const std::chrono::duration<double> elapsed = Clock::now() - start;
        sweepsPerSecond = (run.Connection().CompletedSweeps() - before) / elapsed.count();
        state.SetIterationTime(elapsed.count());
    }
    const double limit = ExchangesPerSecond(baud) / EcuWindows;
    state.counters["sweeps_per_s"] = sweepsPerSecond;
    state.counters["line_limit"] = limit;
    state.counters["percent_of_limit"] = Percent * sweepsPerSecond / limit;
    state.counters["rx_errors"] = run.Connection().RxErrorCount();
}

void FastSweeps(benchmark::State& state)
{
    MeasureSweeps(state, static_cast<int>(state.range(0)), std::chrono::microseconds(state.range(1)), 0);
}

void FastSweepsHeld(benchmark::State& state)
{
    constexpr int Baud = 15625;
    MeasureSweeps(state, Baud, FastPollSchedule::DefaultGap, static_cast<int>(state.range(0)));
}

void LoggedRefresh(benchmark::State& state)
{
    const int baud = static_cast<int>(state.range(0));
    const auto priority = static_cast<Priority>(state.range(1));
    FastRun run(baud, FastPollSchedule::DefaultGap);
    const std::array<std::string, 4> channels { "RPM", "CTS", "IAT", "Batt Volts*10" };
    if (priority != NoPriority)
        run.Session().Settings().SetPollPriority(LoggedBytesOf(channels));
    run.Session().Settings().SetGatherReads(priority == GatheredReads);

    // Each reply that carries a channel's byte stores it again: one fresh value.
    const std::array kinds { LiveValueKind::Rpm, LiveValueKind::CoolantTemp, LiveValueKind::AirTemp,
        LiveValueKind::Battery };
    std::map<LiveValueKind, int> fresh;
    QObject::connect(&run.Session(), &EcuSession::ValueChanged,
        [&fresh](LiveValueKind kind, const LiveValues&) { ++fresh[kind]; });
    if (!run.ConnectAndWarmUp()) {
        state.SkipWithError("no sweep from the simulator");
        return;
    }
    double refreshPerSecond = 0;
    double sweepsPerSecond = 0;
    for (auto _ : state) {
        fresh.clear();
        const int sweepsBefore = run.Connection().CompletedSweeps();
        const auto start = Clock::now();
        run.RunUntil([] { return false; }, Measured);
        const std::chrono::duration<double> elapsed = Clock::now() - start;
        int slowest = std::numeric_limits<int>::max();
        for (const LiveValueKind kind : kinds)
            slowest = std::min(slowest, fresh[kind]);
        refreshPerSecond = slowest / elapsed.count();
        sweepsPerSecond = (run.Connection().CompletedSweeps() - sweepsBefore) / elapsed.count();
        state.SetIterationTime(elapsed.count());
    }
    const double limit = ExchangesPerSecond(baud);
    state.counters["refresh_per_s"] = refreshPerSecond;
    state.counters["one_exchange_limit"] = limit;
    state.counters["percent_of_limit"] = Percent * refreshPerSecond / limit;
    state.counters["sweeps_per_s"] = sweepsPerSecond;
    state.counters["rx_errors"] = run.Connection().RxErrorCount();
}

void FastTimeBaseRows(benchmark::State& state)
{
    const int baud = static_cast<int>(state.range(0));
    FastRun run(baud, std::chrono::microseconds(state.range(1)));
    const std::array<std::string, 4> channels { "RPM", "CTS", "IAT", "Batt Volts*10" };
    run.Session().Settings().SetPollPriority(LoggedBytesOf(channels));
    run.Session().Settings().SetGatherReads(true);
    int rows = 0;
    QObject::connect(&run.Session(), &EcuSession::PriorityValuesRead, [&rows](Clock::time_point) { ++rows; });
    if (!run.ConnectAndWarmUp()) {
        state.SkipWithError("no sweep from the simulator");
        return;
    }
    double rowsPerSecond = 0;
    for (auto _ : state) {
        rows = 0;
        const auto start = Clock::now();
        run.RunUntil([] { return false; }, Measured);
        const std::chrono::duration<double> elapsed = Clock::now() - start;
        rowsPerSecond = rows / elapsed.count();
        state.SetIterationTime(elapsed.count());
    }
    const double limit = ExchangesPerSecond(baud);
    state.counters["rows_per_s"] = rowsPerSecond;
    state.counters["one_exchange_limit"] = limit;
    state.counters["percent_of_limit"] = Percent * rowsPerSecond / limit;
    state.counters["rx_errors"] = run.Connection().RxErrorCount();
}

// Both line speeds, each at the default gap and at none; one timed run of each.
void AtBothSpeedsAndGaps(benchmark::internal::Benchmark* bench)
{
    bench->ArgNames({ "baud", "gap_us" });
    for (const std::int64_t baud : { 15625, 7812 }) {
        for (const std::int64_t gap :
            { std::int64_t { FastPollSchedule::DefaultGap.count() }, std::int64_t { 0 } })
            bench->Args({ baud, gap });
    }
    bench->UseManualTime()->Unit(benchmark::kSecond)->Iterations(1);
}

} // namespace

BENCHMARK(FastTimeBaseRows)->Apply(AtBothSpeedsAndGaps);
BENCHMARK(FastSweeps)->Apply(AtBothSpeedsAndGaps);
BENCHMARK(FastSweepsHeld)
    ->ArgNames({ "latency_ms" })
    ->Arg(1)
    ->Arg(16)
    ->UseManualTime()
    ->Unit(benchmark::kSecond)
    ->Iterations(1);
BENCHMARK(LoggedRefresh)
    ->ArgNames({ "baud", "priority" })
    ->Args({ 15625, NoPriority })
    ->Args({ 15625, PriorityWindows })
    ->Args({ 15625, GatheredReads })
    ->Args({ 7812, NoPriority })
    ->Args({ 7812, PriorityWindows })
    ->Args({ 7812, GatheredReads })
    ->UseManualTime()
    ->Unit(benchmark::kSecond)
    ->Iterations(1);
BENCHMARK_MAIN();
