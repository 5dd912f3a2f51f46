// The connection over the real link thread and the simulated cable, ticked every 50 ms: values,
// error counts and reconnection with a faulty line and a cable that is pulled and put back.
#include "ExpectedValues.h"
#include "LiveRig.h"

#include "sim/SimulatedEnvironment.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

struct LineCase {
    const char* ecuId;
    double drop, corrupt, cut, noise;
    std::uint32_t seed;
};

void PrintTo(const LineCase& c, std::ostream* out)
{
    *out << c.ecuId << " seed " << c.seed;
}

class SimulatedLine : public testing::TestWithParam<LineCase> { };

TEST_P(SimulatedLine, ValuesAreRightAndEveryFailedExchangeIsCounted)
{
    SimulatorSettings faults;
    faults.dropChance = GetParam().drop;
    faults.corruptChance = GetParam().corrupt;
    faults.cutChance = GetParam().cut;
    faults.noiseChance = GetParam().noise;
    faults.seed = GetParam().seed;
    const SimulatorSettings settings = FixedScene(GetParam().ecuId, faults);
    const SimulatedEnvironment environment(GetParam().ecuId, settings);
    LiveRig rig(environment.DriverFactory());

    ASSERT_TRUE(rig.ConnectAndPoll(4));

    const EcuConnection& c = rig.Connection();
    EXPECT_EQ(c.GetEcuId(), GetParam().ecuId);
    EXPECT_EQ(c.Values(), ExpectedValues(GetParam().ecuId, environment.MemoryNow()));
    for (int offset = 0; offset <= c.Range().End() - c.Range().Base(); ++offset)
        EXPECT_EQ(c.GetRawValue(offset),
            environment.MemoryNow()[static_cast<std::size_t>(c.Range().Base() + offset)]);
    // One failed exchange may still wait for the next period start to be counted.
    const int failed = environment.Counters().FailedExchanges();
    EXPECT_LE(c.RxErrorCount(), failed);
    EXPECT_GE(c.RxErrorCount(), failed - 1);
    EXPECT_EQ(rig.identifications, 1);
}

INSTANTIATE_TEST_SUITE_P(Faults, SimulatedLine,
    testing::Values(LineCase { "1103", 0, 0, 0, 0, 1 }, LineCase { "F802", 0, 0, 0, 0, 1 },
        LineCase { "1103", 0.1, 0.1, 0.1, 0.2, 3 }, LineCase { "1701", 0.15, 0.05, 0.15, 0.3, 17 },
        LineCase { "F602", 0.05, 0.15, 0.1, 0.1, 99 }),
    [](const auto& param) {
        return std::string(param.param.ecuId) + "_seed" + std::to_string(param.param.seed);
    });

TEST(SimulatedCableE2e, APulledCableComesBackWithAFreshIdentification)
{
    SimulatorSettings settings = FixedScene("1103", {});
    settings.unplug = UnplugSchedule(2.0, 0.5);
    const SimulatedEnvironment environment("1103", settings);
    LiveRig rig(environment.DriverFactory());

    ASSERT_TRUE(rig.ReconnectsTwice());
    EXPECT_EQ(rig.Connection().Values(), ExpectedValues("1103", environment.MemoryNow()));
}

class PacedLine : public testing::TestWithParam<const char*> { };

TEST_P(PacedLine, BytesAtTheLineSpeedStillAnswerWithinOnePeriod)
{
    SimulatorSettings settings = FixedScene("1202", {});
    settings.pace = true;
    const SimulatedEnvironment environment("1202", settings);
    LiveRig rig(environment.DriverFactory(), QString::fromLatin1(GetParam()));

    ASSERT_TRUE(rig.ConnectAndPoll(2));
    EXPECT_EQ(environment.Cable().GetRecord().baudRate, QString::fromLatin1(GetParam()).toUInt());
    EXPECT_EQ(rig.Connection().RxErrorCount(), 0);
    EXPECT_EQ(rig.Connection().Values(), ExpectedValues("1202", environment.MemoryNow()));
}

INSTANTIATE_TEST_SUITE_P(Bauds, PacedLine, testing::Values("7812", "15625"));

} // namespace
