#include "sim/EcuSimulator.h"
#include "sim/EngineModel.h"
#include "sim/SceneEncoder.h"

#include "SimTestSupport.h"

#include "defs/EcuIdentification.h"
#include "defs/FaultCodes.h"
#include "defs/LiveValues.h"
#include "defs/StatusFlags.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>

namespace {

using K = EcuConstant;

// Runs the program's own role updates over the ECU's polled addresses, in address order.
LiveValues Decode(std::string_view id, const EcuMemory& memory)
{
    const int row = EcuRowOf(id);
    const EcuConstantsRow& constants = ConstantsRowAt(row);
    const RoleRow& roles = RoleRowAt(row);
    LiveSettings settings;
    settings.temperatureUnit = "C";
    settings.speedUnit = "KPH";
    LiveValues values;
    const int base = constants.Truncated(K::BaseAddress);
    for (int offset = 0; offset < RoleOffsetCount; ++offset)
        ApplyRoleUpdate(values, roles[static_cast<std::size_t>(offset)],
            memory[static_cast<std::size_t>(base + offset)], constants, settings);
    return values;
}

EcuMemory Filled(std::uint8_t byte)
{
    EcuMemory memory;
    memory.fill(byte);
    return memory;
}

// One engineering value of the scene and where the program finds it after decoding.
struct SceneValue {
    const char* name;
    std::vector<int> roles; // the value is checked when the row holds any of these
    std::function<double(const LiveValues&)> decoded;
    std::function<double(const EngineState&, const EcuConstantsRow&)> scene;
    std::function<double(const EcuConstantsRow&)> rawStep; // engineering units per raw step
    bool truncated; // the update truncates to a whole number
};

double Load(const EngineState& s, const EcuConstantsRow& k)
{
    return s.LoadFor(k.Truncated(K::LoadSensorKind));
}

// clang-format off
const std::vector<SceneValue> SceneValues {
    { "rpm",         { RoleRpm },            [](auto& v) { return v.rpm; },              [](auto& s, auto&) { return s.rpm; },           [](auto& k) { return std::abs(k[K::RpmFactor]); },        true },
    { "target idle", { RoleTargetIdle },     [](auto& v) { return v.targetIdle; },       [](auto& s, auto&) { return s.targetIdleRpm; }, [](auto& k) { return k[K::TargetIdleFactor]; },           true },
    { "road speed",  { RoleRoadSpeed },      [](auto& v) { return v.roadSpeed; },        [](auto& s, auto&) { return s.roadSpeedKph; },  [](auto& k) { return k[K::SpeedFactor]; },                true },
    { "coolant",     { RoleCoolantTemp },    [](auto& v) { return v.coolantTemp; },      [](auto& s, auto&) { return s.coolantC; },      [](auto& k) { return k[K::CoolantFactor]; },              false },
    { "air",         { RoleAirTemp },        [](auto& v) { return v.airTemp; },          [](auto& s, auto&) { return s.airC; },          [](auto& k) { return k[K::AirTempFactor]; },              false },
    { "load 8",      { RoleLoad8 },          [](auto& v) { return v.load8; },            Load,                                           [](auto& k) { return std::abs(k[K::LoadFactor]); },       true },
    { "load 16",     { RoleLoad16, RoleLoad16Alt }, [](auto& v) { return v.load16; },    Load,                                           [](auto& k) { return std::abs(k[K::LoadFactor]); },       true },
    { "tps %",       { RoleTpsPercent },     [](auto& v) { return v.tpsPercent; },       [](auto& s, auto&) { return s.tpsPercent; },    [](auto& k) { return k[K::TpsFactor]; },                  true },
    { "tps V",       { RoleTpsVolts },       [](auto& v) { return v.tpsVolts; },         [](auto& s, auto&) { return s.tpsVolts; },      [](auto& k) { return k[K::TpsVoltFactor] * 5.0 / 256; },  false },
    { "o2 bank 1",   { RoleO2Bank1 },        [](auto& v) { return v.o2Volts[0]; },       [](auto& s, auto&) { return s.o2Volts[0]; },    [](auto& k) { return 1.0 / k[K::O2Divisor]; },            false },
    { "o2 bank 2",   { RoleO2Bank2 },        [](auto& v) { return v.o2Volts[1]; },       [](auto& s, auto&) { return s.o2Volts[1]; },    [](auto& k) { return 1.0 / k[K::O2Divisor]; },            false },
    { "iac",         { RoleIac },            [](auto& v) { return v.iac; },              [](auto& s, auto&) { return s.iac; },           [](auto& k) { return k[K::IacFactor]; },                  true },
    { "injector 1",  { RoleInjectorPw1 },    [](auto& v) { return v.injectorPw[0]; },    [](auto& s, auto&) { return s.injectorMs[0]; }, [](auto& k) { return 0.001 * k[K::InjectorFactor]; },     false },
    { "injector 2",  { RoleInjectorPw2 },    [](auto& v) { return v.injectorPw[1]; },    [](auto& s, auto&) { return s.injectorMs[1]; }, [](auto& k) { return 0.001 * k[K::InjectorFactor]; },     false },
    { "advance",     { RoleAdvance },        [](auto& v) { return v.advance; },          [](auto& s, auto&) { return s.advanceDegrees; },[](auto& k) { return std::abs(k[K::AdvanceFactor]); },    true },
    { "stft 1",      { RoleStft1 },          [](auto& v) { return v.stft[0]; },          [](auto& s, auto& k) { return s.stftSteps[0] * k[K::TrimFactor]; }, [](auto& k) { return k[K::TrimFactor]; }, false },
    { "ltft 1",      { RoleLtft1 },          [](auto& v) { return v.ltft[0]; },          [](auto& s, auto& k) { return s.ltftSteps[0] * k[K::TrimFactor]; }, [](auto& k) { return k[K::TrimFactor]; }, false },
    { "ve",          { RoleVe },             [](auto& v) { return v.ve; },               [](auto& s, auto&) { return s.vePercent; },     [](auto& k) { return k[K::VeFactor]; },                   true },
    { "battery",     { RoleBattery },        [](auto& v) { return v.batteryVolts; },     [](auto& s, auto&) { return s.batteryVolts; },  [](auto& k) { return 1.0 / k[K::BatteryDivisor]; },       false },
    { "purge",       { RolePurge },          [](auto& v) { return v.purge; },            [](auto& s, auto&) { return s.purgePercent; },  [](auto& k) { return k[K::PurgeFactor]; },                true },
    { "egr",         { RoleEgr },            [](auto& v) { return v.egr; },              [](auto& s, auto&) { return s.egr; },           [](auto& k) { return k[K::EgrFactor]; },                  true },
    { "baro",        { RoleBaro },           [](auto& v) { return v.baro; },             [](auto& s, auto&) { return s.baroMbar; },      [](auto& k) { return std::abs(k[K::LoadFactor]); },       true },
    { "egt",         { RoleEgtTemp },        [](auto& v) { return v.egtTemp; },          [](auto& s, auto&) { return s.exhaustC; },      [](auto& k) { return k[K::EgtFactor]; },                  true },
    { "iac adjust",  { RoleIacAdjust },      [](auto& v) { return v.iacAdjust; },        [](auto& s, auto&) { return s.iacAdjust; },     [](auto& k) { return k[K::IacAdjFactor]; },               true },
    { "from start",  { RoleTimeFromStart },  [](auto& v) { return v.timeFromStart; },    [](auto& s, auto&) { return s.seconds; },       [](auto&) { return 2.0; },                                false },
};
// clang-format on

bool RowHasAnyRole(const RoleRow& roles, const std::vector<int>& wanted)
{
    return std::any_of(wanted.begin(), wanted.end(),
        [&roles](int role) { return std::find(roles.begin(), roles.end(), role) != roles.end(); });
}

// Cold idle, driving off, cruising, warm idle, warm cruise.
constexpr std::array<double, 5> Moments { 2.0, 12.0, 20.0, 282.0, 300.0 };

class EngineScene : public testing::TestWithParam<std::string_view> { };

TEST_P(EngineScene, RoleBytesDecodeToTheSceneWithinOneRawStep)
{
    const std::string_view id = GetParam();
    const int row = EcuRowOf(id);
    const EcuConstantsRow& k = ConstantsRowAt(row);
    const RoleRow& roles = RoleRowAt(row);
    const SceneEncoder encoder(id);
    const EngineModel engine;
    // What the bytes can express at all: a value beyond that must come out at the nearest end.
    const LiveValues fromZeros = Decode(id, Filled(0));
    const LiveValues fromOnes = Decode(id, Filled(0xFF));
    for (const double t : Moments) {
        const EngineState state = engine.At(t);
        const LiveValues decoded = Decode(id, encoder.Encode(state));
        for (const SceneValue& value : SceneValues) {
            if (!RowHasAnyRole(roles, value.roles))
                continue;
            const double lowest = std::min(value.decoded(fromZeros), value.decoded(fromOnes));
            const double highest = std::max(value.decoded(fromZeros), value.decoded(fromOnes));
            const double expected = std::clamp(value.scene(state, k), lowest, highest);
            const double tolerance = value.rawStep(k) + (value.truncated ? 1.0 : 0.0) + 1e-4;
            EXPECT_NEAR(value.decoded(decoded), expected, tolerance)
                << id << " " << value.name << " at " << t << " s";
        }
    }
}

TEST_P(EngineScene, FaultAndStatusBytesFollowTheEngine)
{
    const std::string_view id = GetParam();
    const SceneEncoder encoder(id);
    const EngineModel engine;
    const bool hasStoredFaultByte = RowHasAnyRole(RoleRowAt(EcuRowOf(id)), { RoleFaultFlags2 });
    const bool hasCurrentFaultByte = RowHasAnyRole(RoleRowAt(EcuRowOf(id)), { RoleFaultFlags0 });
    bool sawCurrentFault = false;
    bool sawIdle = false;
    bool sawOpen = false;
    for (double t = 0.0; t < 120.0; t += 0.5) {
        const EngineState state = engine.At(t);
        const LiveValues decoded = Decode(id, encoder.Encode(state));
        EXPECT_EQ(decoded.faultBytes[2] != 0, hasStoredFaultByte) << t;
        EXPECT_EQ(decoded.faultBytes[0] != 0, hasCurrentFaultByte && state.currentFault) << t;
        sawCurrentFault |= decoded.faultBytes[0] != 0;
        for (const StatusLine& line : DecodeStatus(StatusListOf(id), decoded.statusBytes)) {
            if (line.name == "Idle Position") {
                EXPECT_EQ(line.state, state.idlePosition ? "IDLE" : "OPEN") << t;
                sawIdle |= line.state == "IDLE";
                sawOpen |= line.state == "OPEN";
            }
            if (line.name == "EGR Valve") {
                EXPECT_EQ(line.state, state.egrOn ? "ON" : "OFF") << t;
            }
        }
    }
    EXPECT_EQ(sawCurrentFault, hasCurrentFaultByte);
    EXPECT_EQ(sawIdle, sawOpen) << "the idle switch must both close and open over two minutes";
}

INSTANTIATE_TEST_SUITE_P(EveryKnownRow, EngineScene, testing::ValuesIn(KnownEcuIds),
    [](const testing::TestParamInfo<std::string_view>& param) { return std::string(param.param); });

TEST(EngineModel, IdlesWarmsUpAndDrivesInCycles)
{
    const EngineModel engine;
    const EngineState coldIdle = engine.At(1.0);
    EXPECT_NEAR(coldIdle.rpm, 950, 50);
    EXPECT_LT(coldIdle.coolantC, 25);
    EXPECT_EQ(coldIdle.roadSpeedKph, 0);
    EXPECT_TRUE(coldIdle.idlePosition);
    EXPECT_FALSE(coldIdle.closedLoop);

    const EngineState warmIdle = engine.At(10 * EngineModel::DriveCycleSeconds + 2.0);
    EXPECT_NEAR(warmIdle.rpm, 800, 30);
    EXPECT_NEAR(warmIdle.coolantC, 90, 1);
    EXPECT_TRUE(warmIdle.closedLoop);

    const EngineState cruise = engine.At(10 * EngineModel::DriveCycleSeconds + 20.0);
    EXPECT_GT(cruise.rpm, 3000);
    EXPECT_GT(cruise.roadSpeedKph, 80);
    EXPECT_GT(cruise.tpsPercent, warmIdle.tpsPercent);
    EXPECT_FALSE(cruise.idlePosition);

    // The O2 signal crosses 0.45 V many times a minute; the battery stays near 14 V.
    int crossings = 0;
    bool rich = engine.At(0).richMixture;
    for (double t = 0.0; t < 60.0; t += 0.05) {
        const EngineState s = engine.At(t);
        crossings += s.richMixture != rich;
        rich = s.richMixture;
        EXPECT_NEAR(s.batteryVolts, 14.0, 0.2);
        EXPECT_EQ(s.richMixture, s.o2Volts[0] >= 0.45);
    }
    EXPECT_GT(crossings, 40);
}

TEST(EngineScene, FixedBytesOverrideTheSceneAndTheRestEvolves)
{
    // Row "1103": offsets 4 and 5 hold the engine speed high and low byte.
    constexpr std::size_t RpmHigh = 4;
    constexpr std::size_t RpmLow = 5;
    SimulatorSettings settings;
    settings.fixedBytes[RpmLow] = 0xAB;
    ManualClock clock;
    EcuSimulator sim("1103", settings, clock.Clock());
    const EcuMemory idle = sim.MemoryNow();
    clock.now += 20.0; // cruising
    const EcuMemory cruise = sim.MemoryNow();
    EXPECT_EQ(idle[RpmLow], 0xAB);
    EXPECT_EQ(cruise[RpmLow], 0xAB);
    EXPECT_NE(idle[RpmHigh], cruise[RpmHigh]);
}

TEST(EngineScene, EcusWithoutARowGetFixedBytes)
{
    for (const char* id : { "1B34", "1B41", "1B84", "ABCD" }) {
        ManualClock clock;
        EcuSimulator sim(id, {}, clock.Clock());
        const EcuMemory first = sim.MemoryNow();
        clock.now += 17.0;
        EXPECT_EQ(sim.MemoryNow(), first) << id;
        EXPECT_TRUE(std::any_of(first.begin(), first.begin() + 8, [](std::uint8_t b) { return b != 0; }))
            << id;
    }
}

} // namespace
