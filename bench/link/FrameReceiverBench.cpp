#include "link/FrameReceiver.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <vector>

namespace {

// What one 50 ms tick at 15625 baud can carry at most.
constexpr std::size_t BytesPerTick = 78;
constexpr int Exchanges = 1000;

struct Exchange {
    EcuFrame request;
    std::vector<std::uint8_t> line; // echo, sometimes a noise byte, reply
};

// A poll session as the line delivers it: each request's echo, then the ECU's reply, with now
// and then a stray byte that starts no frame.
std::vector<Exchange> PollSession()
{
    std::mt19937 random(7);
    std::uniform_int_distribution<int> byteOf(0, 255);
    std::vector<Exchange> session;
    for (int i = 0; i < Exchanges; ++i) {
        PollAddressList addresses {};
        PollAddressList values {};
        for (std::size_t k = 0; k < addresses.size(); ++k) {
            addresses[k] = static_cast<std::uint8_t>((i * 8 + static_cast<int>(k)) % 40);
            values[k] = static_cast<std::uint8_t>(byteOf(random));
        }
        const EcuFrame echo = ReadDataRequest(addresses);
        const EcuFrame reply = ReadDataRequest(values);
        Exchange exchange;
        exchange.request = echo;
        exchange.line.assign(echo.Bytes().begin(), echo.Bytes().end());
        if (byteOf(random) < 32)
            exchange.line.push_back(0x7E);
        exchange.line.insert(exchange.line.end(), reply.Bytes().begin(), reply.Bytes().end());
        session.push_back(std::move(exchange));
    }
    return session;
}

void FrameReceiverThroughput(benchmark::State& state)
{
    const std::vector<Exchange> session = PollSession();
    std::size_t bytes = 0;
    for (const Exchange& exchange : session)
        bytes += exchange.line.size();
    const auto chunk = static_cast<std::size_t>(state.range(0));

    int replies = 0;
    const FrameReceiver::ReplyHandler handler = [&replies](EcuFrameType, std::span<const std::uint8_t> data) {
        replies += static_cast<int>(data.size());
    };
    for (auto _ : state) {
        FrameReceiver receiver;
        for (const Exchange& exchange : session) {
            receiver.RequestSent(exchange.request);
            const std::span<const std::uint8_t> line(exchange.line);
            for (std::size_t at = 0; at < line.size(); at += chunk)
                receiver.Feed(line.subspan(at, std::min(chunk, line.size() - at)), handler);
        }
        benchmark::DoNotOptimize(replies);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}

} // namespace

BENCHMARK(FrameReceiverThroughput)->Arg(1)->Arg(BytesPerTick);
BENCHMARK_MAIN();
