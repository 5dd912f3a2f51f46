#include "sim/EcuSimulator.h"

#include "SimTestSupport.h"

#include <gtest/gtest.h>

#include <numeric>

namespace {

const PollAddressList PollWindow { 0, 1, 2, 3, 4, 5, 6, 7 };
constexpr std::size_t ReadReplyLength = 11;

std::vector<std::uint8_t> ReadRequestBytes()
{
    const EcuFrame frame = ReadDataRequest(PollWindow);
    return { frame.Bytes().begin(), frame.Bytes().end() };
}

// What one exchange looked like on the line, after the echo.
struct Observed {
    bool silent = false;
    bool noise = false;
    bool cut = false;
    bool badChecksum = false;
    bool Valid() const { return !silent && !cut && !badChecksum; }
};

Observed Observe(const std::vector<std::uint8_t>& line, std::size_t echoLength, std::size_t replyLength)
{
    Observed seen;
    std::vector<std::uint8_t> rest(line.begin() + static_cast<std::ptrdiff_t>(echoLength), line.end());
    if (rest.empty()) {
        seen.silent = true;
        return seen;
    }
    if (!IsEcuFrameType(rest.front())) {
        seen.noise = true;
        rest.erase(rest.begin());
    }
    if (rest.size() < replyLength) {
        seen.cut = true;
        return seen;
    }
    seen.badChecksum = (std::accumulate(rest.begin(), rest.end(), 0U) & 0xFF) != 0;
    return seen;
}

std::vector<std::vector<std::uint8_t>> RunReads(const SimulatorSettings& settings, int requests)
{
    ManualClock clock;
    EcuSimulator sim("1103", settings, clock.Clock());
    std::vector<std::vector<std::uint8_t>> lines;
    for (int i = 0; i < requests; ++i)
        lines.push_back(sim.Transfer(ReadRequestBytes()));
    return lines;
}

SimulatorSettings AllFaults(double chance, std::uint32_t seed)
{
    SimulatorSettings settings;
    settings.dropChance = settings.corruptChance = settings.cutChance = settings.noiseChance = chance;
    settings.seed = seed;
    return settings;
}

TEST(FaultInjection, SameSeedGivesTheSameFaultsAndAnotherSeedOthers)
{
    const auto first = RunReads(AllFaults(0.3, 42), 200);
    EXPECT_EQ(first, RunReads(AllFaults(0.3, 42), 200));
    EXPECT_NE(first, RunReads(AllFaults(0.3, 43), 200));
}

struct CertainFault {
    const char* name;
    double SimulatorSettings::*chance;
    bool Observed::*seen;
    int SimulatorCounters::*counter;
};

void PrintTo(const CertainFault& c, std::ostream* os)
{
    *os << c.name;
}

class FaultWithProbabilityOne : public testing::TestWithParam<CertainFault> { };

TEST_P(FaultWithProbabilityOne, HitsEveryReplyAndNothingElse)
{
    const CertainFault fault = GetParam();
    SimulatorSettings settings;
    settings.*fault.chance = 1.0;
    ManualClock clock;
    EcuSimulator sim("1103", settings, clock.Clock());
    constexpr int Requests = 50;
    const auto request = ReadRequestBytes();
    for (int i = 0; i < Requests; ++i) {
        const auto line = sim.Transfer(request);
        ASSERT_GE(line.size(), request.size());
        EXPECT_TRUE(std::equal(request.begin(), request.end(), line.begin())) << "echo comes first";
        const Observed seen = Observe(line, request.size(), ReadReplyLength);
        EXPECT_TRUE(seen.*fault.seen) << fault.name << " in exchange " << i;
        // The one fault asked for and no other.
        const int faults = int(seen.silent) + int(seen.noise) + int(seen.cut) + int(seen.badChecksum);
        EXPECT_EQ(faults, 1) << fault.name << " in exchange " << i;
    }
    EXPECT_EQ(sim.Counters().*fault.counter, Requests);
}

INSTANTIATE_TEST_SUITE_P(EachFault, FaultWithProbabilityOne,
    testing::Values(CertainFault { "drop", &SimulatorSettings::dropChance, &Observed::silent,
                        &SimulatorCounters::dropped },
        CertainFault { "corrupt", &SimulatorSettings::corruptChance, &Observed::badChecksum,
            &SimulatorCounters::corrupted },
        CertainFault { "cut", &SimulatorSettings::cutChance, &Observed::cut, &SimulatorCounters::cut },
        CertainFault {
            "noise", &SimulatorSettings::noiseChance, &Observed::noise, &SimulatorCounters::noiseBytes }),
    [](const testing::TestParamInfo<CertainFault>& param) { return std::string(param.param.name); });

TEST(FaultInjection, ProbabilityZeroLeavesEveryReplyIntact)
{
    const auto request = ReadRequestBytes();
    for (const auto& line : RunReads(AllFaults(0.0, 7), 100)) {
        const Observed seen = Observe(line, request.size(), ReadReplyLength);
        EXPECT_TRUE(seen.Valid());
        EXPECT_FALSE(seen.noise);
        EXPECT_EQ(line.size(), request.size() + ReadReplyLength);
    }
}

TEST(FaultInjection, CountersMatchWhatTheLineShowed)
{
    ManualClock clock;
    EcuSimulator sim("1103", AllFaults(0.4, 2024), clock.Clock());
    const auto request = ReadRequestBytes();
    constexpr int Requests = 400;
    int silent = 0, noise = 0, cut = 0, spoiled = 0, invalid = 0;
    for (int i = 0; i < Requests; ++i) {
        const Observed seen = Observe(sim.Transfer(request), request.size(), ReadReplyLength);
        silent += seen.silent;
        noise += seen.noise;
        cut += seen.cut;
        spoiled += seen.cut || seen.badChecksum;
        invalid += !seen.Valid();
    }
    const SimulatorCounters& c = sim.Counters();
    EXPECT_EQ(c.requests, Requests);
    EXPECT_EQ(c.dropped, silent);
    EXPECT_EQ(c.noiseBytes, noise);
    EXPECT_EQ(c.cut, cut);
    EXPECT_EQ(c.spoiled, spoiled);
    EXPECT_GE(c.corrupted, spoiled - cut);
    EXPECT_EQ(c.repliesSent, Requests - silent);
    EXPECT_EQ(c.FailedExchanges(), invalid);
    // At 0.4 each, every kind of fault must have happened in 400 exchanges.
    EXPECT_GT(silent, 0);
    EXPECT_GT(noise, 0);
    EXPECT_GT(cut, 0);
    EXPECT_GT(c.corrupted, 0);
}

TEST(FaultInjection, IdentificationAnsweredOnlyFromTheNthRequest)
{
    SimulatorSettings settings;
    settings.identifyAfter = 3;
    ManualClock clock;
    EcuSimulator sim("1103", settings, clock.Clock());
    const EcuFrame identify = IdentifyRequest();
    const std::vector<std::uint8_t> request(identify.Bytes().begin(), identify.Bytes().end());
    const std::vector<bool> answered { false, false, true, true, true };
    for (std::size_t i = 0; i < answered.size(); ++i) {
        const auto line = sim.Transfer(request);
        EXPECT_EQ(line.size() > request.size(), answered[i]) << "request " << i + 1;
    }
    EXPECT_EQ(sim.Counters().identifyIgnored, 2);
    EXPECT_EQ(sim.Counters().FailedExchanges(), 2);
    EXPECT_EQ(sim.Counters().repliesSent, 3);

    // Data reads are not held back by it.
    SimulatorSettings late;
    late.identifyAfter = 5;
    EcuSimulator reader("1103", late, clock.Clock());
    EXPECT_EQ(reader.Transfer(ReadRequestBytes()).size(), ReadRequestBytes().size() + ReadReplyLength);
}

} // namespace
