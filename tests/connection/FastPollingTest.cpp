// Fast polling step by step on a clock the test moves: when each request leaves, how the gap
// follows failures, and which windows a pass reads.
#include "ConnectionRig.h"

#include "defs/RoleTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <map>

namespace {

using namespace std::chrono_literals;
using Lines = std::vector<std::string>;
using Time = EcuConnection::Clock::time_point;

// The connection in fast mode over the fake link. A reply reaches the connection only when the
// test lets it arrive, so "bytes arrived" and "time passed" are separate steps.
struct FastRig {
    FakeLink link;
    ScriptedEcu ecu;
    RecordingListener listener;
    Time now {};
    EcuConnection connection { link, listener.Events(), [this] { return now; } };
    std::deque<std::uint8_t> onTheLine; // sent by the ECU, not yet arrived
    std::vector<Time> sendTimes;

    explicit FastRig(std::chrono::microseconds gap)
    {
        link.farEnd = &ecu;
        connection.SetFastGap(gap);
        connection.SetPollMode(EcuConnection::PollMode::Fast);
        connection.Connect();
        link.Pass();
        Tick(); // asks for the port
        link.Pass();
        Tick(); // the port is open: the identification goes out
    }

    void Tick()
    {
        Step([this] { connection.Tick(); });
    }
    void Service()
    {
        Step([this] { connection.Service(); });
    }

    // The ECU's bytes so far arrive and the connection is told.
    void Arrive()
    {
        link.incoming.insert(link.incoming.end(), onTheLine.begin(), onTheLine.end());
        onTheLine.clear();
        Service();
    }

    // Time passes up to the connection's next deadline, where the session's timer would call it.
    void WaitForDeadline()
    {
        const auto next = connection.NextServiceTime();
        ASSERT_TRUE(next.has_value());
        now = std::max(now, *next);
        Service();
    }

    std::string LastRequest() const { return Describe(link.sent.back().bytes); }

private:
    template <typename Call> void Step(Call call)
    {
        const std::size_t before = link.sent.size();
        call();
        for (std::size_t i = before; i < link.sent.size(); ++i)
            sendTimes.push_back(now);
        // What the far end answered stays on the line until Arrive.
        onTheLine.insert(onTheLine.end(), link.incoming.begin(), link.incoming.end());
        link.incoming.clear();
    }
};

TEST(FastPolling, EachCompleteReplySendsTheNextRequestAtOnceWithoutWaitingForATick)
{
    FastRig rig(0us);
    ASSERT_EQ(rig.LastRequest(), "id");
    rig.Service();
    EXPECT_EQ(rig.link.sent.size(), 1u) << "nothing more while the reply is awaited";

    for (int i = 0; i < 6; ++i)
        rig.Arrive();

    Lines requests;
    for (const auto& sent : rig.link.sent)
        requests.push_back(Describe(sent.bytes));
    EXPECT_EQ(requests, (Lines { "id", "read 0", "read 8", "read 16", "read 24", "read 32", "read 0" }));
    for (const Time sent : rig.sendTimes)
        EXPECT_EQ(sent, Time {}) << "the clock never moved: no request waited for anything";
    EXPECT_EQ(rig.connection.CompletedSweeps(), 1);
    EXPECT_EQ(rig.connection.TickCount(), 2);
    EXPECT_EQ(rig.connection.RxErrorCount(), 0);
}

TEST(FastPolling, TheGapWidensAtEachFailureNarrowsAfterARunOfGoodExchangesAndEachFailureCountsOnce)
{
    constexpr auto gap = 2ms;
    FastRig rig(gap);
    rig.ecu.lostReplies = { 3, 4 }; // the reads of windows 8 and 8 again
    rig.Arrive(); // identification
    rig.WaitForDeadline(); // read 0 after the gap
    rig.Arrive();
    Time answered = rig.now;
    rig.WaitForDeadline(); // read 8, whose reply is lost
    EXPECT_EQ(rig.sendTimes.back() - answered, gap);

    const Time sent = rig.sendTimes.back();
    rig.Arrive(); // the echo alone
    rig.WaitForDeadline(); // the time-out
    EXPECT_EQ(rig.now - sent, std::chrono::microseconds(14'080) + EcuConnection::FastReplySlack)
        << "a reply may take its bytes' time on the line plus the slack";
    EXPECT_EQ(rig.connection.RxErrorCount(), 1);

    rig.WaitForDeadline(); // the same window again, once its reply could no longer come late
    EXPECT_EQ(rig.LastRequest(), "read 8");
    EXPECT_EQ(rig.sendTimes.back() - sent, FastPollSchedule::LateReplyHorizon);
    rig.Arrive();
    rig.WaitForDeadline(); // and lost again
    EXPECT_EQ(rig.connection.RxErrorCount(), 2);

    // Two failures have doubled the gap twice. A run of good exchanges halves it, a second run
    // brings it back to the gap set, and no further: each request waits that long after the
    // reply before it.
    for (int good = 0; good <= 3 * FastPollSchedule::GoodRunToNarrow; ++good) {
        answered = rig.now;
        rig.WaitForDeadline();
        rig.Arrive();
        if (good == 0)
            continue; // after a failure, the wait for a late reply
        const auto expected = good < FastPollSchedule::GoodRunToNarrow ? 4 * gap
            : good < 2 * FastPollSchedule::GoodRunToNarrow             ? 2 * gap
                                                                       : gap;
        ASSERT_EQ(rig.sendTimes.back() - answered, expected) << good;
    }
    EXPECT_EQ(rig.connection.RxErrorCount(), 2);
    EXPECT_EQ(rig.listener.Only("errors:"), (Lines { "errors:1", "errors:2" }));
    EXPECT_TRUE(rig.connection.HasLiveValues());

    // Reset and actuator requests go out between the reads, and their replies come back.
    rig.connection.RequestReset();
    rig.connection.RequestActuator(1, 102);
    for (int i = 0; i < 3; ++i) {
        rig.WaitForDeadline();
        rig.Arrive();
    }
    EXPECT_EQ(rig.listener.Only("reset:"), Lines { "reset:ok" });
    EXPECT_EQ(rig.listener.Only("actuator:"), Lines { "actuator:1/102" });
}

// Under load, or from a slow ECU, the bytes of an exchange can come after it was given up; a
// reply still on its way could pass for the answer to the next window. After a failed exchange
// the next request waits until a late reply could no longer come, and for the line to be quiet
// for a whole reply time-out, so that they come while nothing is awaited; they are dropped, and
// the reply after them is not trusted either.
TEST(FastPolling, BytesThatComeAfterTheTimeOutHoldBackTheNextRequestAndSpoilItsReply)
{
    constexpr auto gap = 2ms;
    constexpr auto replyTimeout = std::chrono::microseconds(14'080) + EcuConnection::FastReplySlack;
    FastRig rig(gap);
    rig.ecu.memory[0] = 0x5A;
    rig.Arrive(); // identification
    rig.WaitForDeadline(); // read 0, its bytes held up
    const std::deque<std::uint8_t> late = std::exchange(rig.onTheLine, {});
    rig.WaitForDeadline(); // the time-out
    ASSERT_EQ(rig.connection.RxErrorCount(), 1);
    constexpr auto lateBy = FastPollSchedule::LateReplyHorizon - 3ms;
    rig.now = rig.sendTimes[1] + lateBy;
    rig.onTheLine = late;
    rig.Arrive();
    EXPECT_EQ(rig.link.sent.size(), 2u);
    EXPECT_EQ(rig.connection.RxErrorCount(), 3) << "the late echo and reply, nobody asked for them";
    rig.WaitForDeadline();
    EXPECT_EQ(rig.sendTimes.back() - rig.sendTimes[1], lateBy + replyTimeout)
        << "the quiet counts again from the late bytes";
    EXPECT_EQ(rig.LastRequest(), "read 0");
    rig.Arrive();
    EXPECT_EQ(rig.connection.RxErrorCount(), 4);
    EXPECT_EQ(rig.connection.GetRawValue(0), 0) << "no byte taken from a reply that could be a late one";
}

// A line that never falls quiet (noise a byte a millisecond) lets no request out: each reply
// time-out it holds one back counts as a failed exchange, so the values stop being live.
TEST(FastPolling, ALineThatNeverFallsQuietFailsTheExchangesItHoldsBack)
{
    FastRig rig(2ms);
    rig.Arrive(); // identification
    while (rig.connection.CompletedSweeps() < 1) {
        rig.WaitForDeadline();
        rig.Arrive();
    }
    ASSERT_TRUE(rig.connection.HasLiveValues());
    const std::size_t sent = rig.link.sent.size();
    constexpr int NoiseMs = 1000;
    for (int ms = 0; ms < NoiseMs; ++ms) {
        rig.now += 1ms;
        rig.link.incoming.push_back(0x00);
        rig.Service();
    }
    EXPECT_EQ(rig.link.sent.size(), sent);
    const auto replyTimeout = std::chrono::microseconds(14'080) + EcuConnection::FastReplySlack;
    EXPECT_EQ(rig.connection.RxErrorCount(),
        NoiseMs / std::chrono::duration_cast<std::chrono::milliseconds>(replyTimeout).count());
    EXPECT_FALSE(rig.connection.HasLiveValues());
}

// Reads of one pass, as "read N" by their first address, until `count` have gone out.
// The next `count` requests, each answered `exchangeTime` after it left.
Lines Reads(FastRig& rig, std::size_t count, std::chrono::microseconds exchangeTime = 0us)
{
    rig.Arrive(); // identification
    Lines reads;
    while (reads.size() < count) {
        if (!rig.connection.Receiver().AwaitingReply())
            rig.WaitForDeadline(); // a gap to wait out
        reads.push_back(rig.LastRequest());
        rig.now += exchangeTime;
        rig.Arrive();
    }
    return reads;
}

TEST(FastPolling, PriorityWindowsAreReadEveryPassAndTheOthersInTurnSoEveryWindowIsSwept)
{
    FastRig rig(0us);
    // Engine speed (window 0) and a raw byte of window 16.
    rig.connection.SetPollPriority({ { RoleRpmHigh, RoleRpm }, { 17 } });
    EXPECT_EQ(Reads(rig, 9),
        (Lines {
            "read 0", "read 16", "read 8", "read 0", "read 16", "read 24", "read 0", "read 16", "read 32" }));
    EXPECT_EQ(rig.connection.CompletedSweeps(), 1) << "the pass that read window 32 completed the sweep";
}

// Logged channels first: every exchange but the very first is the one request for their scattered
// bytes (high bytes before the low bytes they combine with), and the room it has to spare reads the
// windows' addresses in turn, so every address of the ECU is still read within a second.
TEST(FastPolling, AGatheredReadTakesEveryExchangeAndItsSpareRoomReadsEveryWindowWithinASecond)
{
    FastRig rig(0us);
    rig.ecu.memory[4] = 0x0C; // engine speed high byte
    rig.ecu.memory[5] = 0x80;
    rig.ecu.memory[8] = 0x7A;
    rig.ecu.memory[22] = 0x8C;
    rig.connection.SetGatherReads(true);
    // RPM, CTS, battery: offsets 4 and 5, 8, 22 of "1103" in three of its five windows.
    rig.connection.SetPollPriority({ { RoleRpmHigh, RoleRpm, RoleCoolantTemp, RoleBattery }, {} });

    constexpr auto ExchangeTime = 14ms; // as at 15625 baud
    const Lines reads = Reads(rig, 150, ExchangeTime); // about two seconds
    const auto addressesOf = [&rig](std::size_t request) {
        const auto data = rig.link.sent[request].bytes.begin() + EcuFrame::HeaderBytes;
        return std::vector<std::uint8_t>(data, data + EcuFrame::MaxDataBytes);
    };
    EXPECT_EQ(reads.front(), "read 0") << "a window first, as nothing has been read yet";
    EXPECT_EQ(addressesOf(2), (std::vector<std::uint8_t> { 4, 5, 8, 22, 8, 9, 10, 11 }))
        << "the room to spare reads the next window";
    EXPECT_EQ(static_cast<std::size_t>(std::count(reads.begin(), reads.end(), "read 4")), reads.size() - 1);
    EXPECT_EQ(rig.listener.priorityReads.size(), reads.size() - 1) << "each gathered reply brings all four";

    constexpr int PolledAddresses = 40;
    std::map<int, Time> lastRead;
    ASSERT_EQ(rig.sendTimes.size(), rig.link.sent.size());
    for (std::size_t request = 1; request < rig.link.sent.size(); ++request) {
        for (const std::uint8_t address : addressesOf(request)) {
            if (const auto before = lastRead.find(address); before != lastRead.end()) {
                EXPECT_LE(rig.sendTimes[request] - before->second, FastPollSchedule::EveryWindowWithin)
                    << "address " << int { address };
            }
            lastRead[address] = rig.sendTimes[request];
        }
    }
    for (int address = 0; address < PolledAddresses; ++address) {
        ASSERT_TRUE(lastRead.contains(address)) << "address " << address;
        EXPECT_LE(rig.now - lastRead[address], FastPollSchedule::EveryWindowWithin) << "address " << address;
    }
    EXPECT_GE(rig.connection.CompletedSweeps(), 10) << "the spare room completes a sweep in ten exchanges";

    // A fresh ECU whose only reads so far were gathered ones has its values from them.
    FastRig fresh(0us);
    fresh.ecu.memory = rig.ecu.memory;
    fresh.connection.SetGatherReads(true);
    fresh.connection.SetPollPriority({ { RoleRpmHigh, RoleRpm, RoleCoolantTemp, RoleBattery }, {} });
    Reads(fresh, 2); // a window, then the gathered read

    EXPECT_EQ(fresh.connection.GetRawValue(22), 0x8C);
    EXPECT_EQ(fresh.connection.GetRawValue(8), 0x7A);
    EXPECT_EQ(fresh.connection.Values().rpm, rig.connection.Values().rpm);
    EXPECT_GT(fresh.connection.Values().rpm, 0);
}

TEST(FastPolling, TickModeIgnoresServiceCalls)
{
    ConnectionRig rig;
    rig.connection.Connect();
    rig.Tick(4);
    const std::size_t sent = rig.link.sent.size();
    for (int i = 0; i < 10; ++i)
        rig.connection.Service();
    EXPECT_EQ(rig.link.sent.size(), sent);
    EXPECT_FALSE(rig.connection.NextServiceTime().has_value());
}

} // namespace
