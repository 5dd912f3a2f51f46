// What the polled bytes become: worked values of a couple of ECUs, and the whole stack against
// the simulated ECU, with and without a faulty line.
#include "ConnectionRig.h"
#include "ExpectedValues.h"

#include "defs/EcuConstants.h"
#include "sim/EcuSimulator.h"

#include <gtest/gtest.h>

namespace {

void Put(ScriptedEcu& ecu, std::initializer_list<std::pair<int, int>> bytes)
{
    for (const auto& [address, value] : bytes)
        ecu.memory[static_cast<std::size_t>(address)] = static_cast<std::uint8_t>(value);
}

TEST(EcuConnectionValues, Row1103DecodesItsBytesByItsRolesAndConstants)
{
    ConnectionRig rig;
    Put(rig.ecu,
        {
            { 0, 0x01 },
            { 3, 0x01 }, // a current and a stored fault
            { 4, 0x03 },
            { 5, 0x20 }, // engine speed 800 counts
            { 6, 100 },
            { 7, 50 },
            { 8, 160 },
            { 9, 96 },
            { 10, 100 },
            { 12, 93 },
            { 13, 100 },
            { 14, 0x0B },
            { 15, 0xB8 }, // injector 3000 counts
            { 16, 200 },
            { 17, 0x55 }, // the second injector high byte is overwritten before it is used
            { 22, 180 },
            { 23, 0x01 },
        });
    rig.ConnectAndIdentify();
    ASSERT_TRUE(rig.TickUntil([&] { return rig.connection.CompletedSweeps() == 2; }));

    const EcuConnection& c = rig.connection;
    EXPECT_EQ(c.Values().rpm, 781); // trunc(800 x 0.977)
    EXPECT_EQ(c.Values().targetIdle, 784); // trunc(7.843 x 100)
    EXPECT_EQ(c.Values().roadSpeed, 59); // 95 km/h in MPH
    EXPECT_FLOAT_EQ(c.Values().coolantTemp, 60.0f);
    EXPECT_FLOAT_EQ(c.Values().airTemp, 20.0f);
    EXPECT_EQ(c.Values().tpsPercent, 49.0f);
    EXPECT_FLOAT_EQ(c.Values().o2Volts[0], 93.0f / 205.0f);
    EXPECT_EQ(c.Values().advance, 23); // trunc(35 - 11.7)
    EXPECT_FLOAT_EQ(c.Values().injectorPw[0], 3.06f);
    EXPECT_EQ(c.Values().load16, 208); // trunc(1.041 x 200)
    EXPECT_FLOAT_EQ(c.Values().batteryVolts, 14.0625f);
    EXPECT_EQ(c.Values().faultBytes[0], 1);
    EXPECT_EQ(c.Values().faultBytes[3], 1);
    EXPECT_EQ(c.Values().statusBytes[0], 1);
    EXPECT_EQ(c.GetLoadSensorName(), "VAF");
    EXPECT_EQ(c.GetIacKindName(), "DC");
    EXPECT_EQ(c.GetEgrKindName(), "FLOW");
    EXPECT_EQ(c.GetRawValue(17), 0x55);
    EXPECT_EQ(c.GetRawValue(-1), 0);
    EXPECT_EQ(c.GetRawValue(64), 0);
}

TEST(EcuConnectionValues, RowF802PollsFromBaseAddress20AndStoresOffsetsFromThere)
{
    ConnectionRig rig;
    rig.ecu.id = { 0xF8, 0x02 };
    Put(rig.ecu,
        {
            { 20, 0x77 }, // offset 0 has no role
            { 21, 200 },
            { 22, 100 },
            { 27, 0x0C },
            { 28, 0x80 },
            { 29, 100 },
            { 45, 160 },
        });
    rig.ConnectAndIdentify();
    ASSERT_TRUE(rig.TickUntil([&] { return rig.connection.CompletedSweeps() == 1; }));

    const EcuConnection& c = rig.connection;
    EXPECT_EQ(HexBytes(rig.link.sent.at(1).bytes), "13 0B 14 15 16 17 18 19 1A 1B 26");
    EXPECT_EQ(Timeline(rig.link).back(), "14:read 60"); // window 40 is the last below 66 - 20
    EXPECT_EQ(c.GetRawValue(0), 0x77);
    EXPECT_EQ(c.Values().ve, 51); // trunc(0.256 x 200)
    EXPECT_FLOAT_EQ(c.Values().coolantTemp, 60.0f);
    EXPECT_EQ(c.Values().rpm, 800); // 3200 counts x 0.25
    EXPECT_EQ(c.Values().roadSpeed, 62);
    EXPECT_FLOAT_EQ(c.Values().batteryVolts, 12.5f);
    EXPECT_EQ(c.GetLoadSensorName(), "MAF");
    EXPECT_EQ(c.GetEgrKindName(), "POS");
}

TEST(EcuConnectionValues, UnitSettingsApplyFromTheNextByte)
{
    ConnectionRig rig;
    Put(rig.ecu, { { 7, 50 }, { 8, 160 } });
    rig.ConnectAndIdentify();
    ASSERT_TRUE(rig.TickUntil([&] { return rig.connection.CompletedSweeps() == 1; }));
    EXPECT_EQ(rig.connection.Values().roadSpeed, 59);

    rig.connection.SetTempUnits("F");
    rig.connection.SetSpeedUnits("KPH");
    EXPECT_FLOAT_EQ(rig.connection.Values().coolantTemp, 60.0f); // converted only when its byte comes
    ASSERT_TRUE(rig.TickUntil([&] { return rig.connection.CompletedSweeps() == 2; }));
    EXPECT_FLOAT_EQ(rig.connection.Values().coolantTemp, 140.0f);
    EXPECT_EQ(rig.connection.Values().roadSpeed, 95);
}

TEST(EcuConnectionValues, MpgModeFoldsReadingsIntoTheFigureOnEachRoadSpeed)
{
    ConnectionRig rig;
    rig.connection.SetIdleGaugeMode("MPG");
    rig.ConnectAndIdentify(); // road speed 0: every reading is 99
    ASSERT_TRUE(rig.TickUntil([&] { return rig.connection.CompletedSweeps() == 1; }));
    EXPECT_FLOAT_EQ(rig.connection.Values().mpg, 99.0f / 4.0f);
}

struct StackCase {
    const char* ecuId;
    double faultChance; // for each of drop, corrupt, cut, noise
    std::uint32_t seed;
};

void PrintTo(const StackCase& c, std::ostream* out)
{
    *out << c.ecuId << " faults " << c.faultChance << " seed " << c.seed;
}

class EcuConnectionStack : public testing::TestWithParam<StackCase> { };

// The bytes the connection writes go to the simulated ECU and its answer comes back on the next
// tick: no thread, no clock but the ticks.
TEST_P(EcuConnectionStack, ValuesMatchTheSimulatorMemoryAndErrorsMatchItsFailures)
{
    SimulatorSettings settings;
    settings.dropChance = settings.corruptChance = settings.cutChance = GetParam().faultChance;
    settings.noiseChance = GetParam().faultChance;
    settings.seed = GetParam().seed;
    double now = 50.0;
    EcuSimulator simulator(GetParam().ecuId, settings, [&now] { return now; });

    ConnectionRig rig;
    rig.link.farEnd = &simulator;
    ASSERT_TRUE(rig.connection.SetSampleRate(50).isEmpty());
    rig.ConnectAndIdentify();
    ASSERT_TRUE(rig.TickUntil([&] { return rig.connection.CompletedSweeps() >= 12; }, 5000));

    const EcuConnection& c = rig.connection;
    EXPECT_EQ(c.GetEcuId(), GetParam().ecuId);
    EXPECT_EQ(c.Values(), ExpectedValues(GetParam().ecuId, simulator.MemoryNow()));
    for (int offset = 0; offset < EcuConnection::RawTableSize; ++offset) {
        const int address = c.Range().Base() + offset;
        if (offset <= c.Range().End() - c.Range().Base()) {
            EXPECT_EQ(c.GetRawValue(offset), simulator.MemoryNow()[static_cast<std::size_t>(address)])
                << offset;
        }
    }
    // A failed exchange is counted at the next period start, so the last one may still be open.
    const int failed = simulator.Counters().FailedExchanges();
    EXPECT_LE(c.RxErrorCount(), failed);
    EXPECT_GE(c.RxErrorCount(), failed - 1);
    if (GetParam().faultChance > 0) {
        EXPECT_GT(failed, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Ecus, EcuConnectionStack,
    testing::Values(StackCase { "1103", 0.0, 1 }, StackCase { "F802", 0.0, 1 }, StackCase { "1701", 0.0, 1 },
        StackCase { "ABCD", 0.0, 1 }, StackCase { "1103", 0.1, 7 }, StackCase { "F602", 0.15, 11 },
        StackCase { "1902", 0.2, 42 }),
    [](const auto& param) {
        return std::string(param.param.ecuId) + "_faults"
            + std::to_string(static_cast<int>(param.param.faultChance * 100)) + "_seed"
            + std::to_string(param.param.seed);
    });

} // namespace
