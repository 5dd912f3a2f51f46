#include "defs/EcuIdentification.h"
#include "defs/LiveValues.h"
#include "defs/RoleTable.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

using Kind = LiveValueKind;
using Read = float (*)(const LiveValues&);

struct RoleCase {
    const char* name;
    const char* id;
    std::vector<std::pair<int, std::uint8_t>> steps; // role and raw byte, in arrival order
    Kind kind; // what the last step reports
    Read read;
    float expected;
    const char* temperatureUnit = "C";
    const char* speedUnit = "KPH";
};

void PrintTo(const RoleCase& roleCase, std::ostream* out)
{
    *out << roleCase.name;
}

// Expected values worked out by hand from the role formulas, each step rounded to single precision.
const RoleCase RoleCases[] = {
    { "RpmHighByteOnly", "1103", { { 4, 0x0C } }, Kind::RpmHighByte,
        [](const LiveValues& v) -> float { return v.rpmHighByte; }, 12 },
    { "Rpm1103", "1103", { { 4, 0x0C }, { 5, 0x80 } }, Kind::Rpm,
        [](const LiveValues& v) -> float { return v.rpm; }, 3126 },
    { "Rpm1253Offset", "1253", { { 4, 0x00 }, { 5, 0x00 } }, Kind::Rpm,
        [](const LiveValues& v) -> float { return v.rpm; }, -400 },
    { "Rpm1253TruncatesToZero", "1253", { { 4, 0x10 }, { 5, 0x00 } }, Kind::Rpm,
        [](const LiveValues& v) -> float { return v.rpm; }, 0 },
    { "Rpm1253", "1253", { { 4, 0x20 }, { 5, 0x00 } }, Kind::Rpm,
        [](const LiveValues& v) -> float { return v.rpm; }, 400 },
    { "RpmWithoutHighByte", "", { { 5, 200 } }, Kind::Rpm, [](const LiveValues& v) -> float { return v.rpm; },
        200 },
    { "SpeedKph", "1103", { { 6, 50 } }, Kind::RoadSpeed,
        [](const LiveValues& v) -> float { return v.roadSpeed; }, 95 },
    { "SpeedMph", "1103", { { 6, 50 } }, Kind::RoadSpeed,
        [](const LiveValues& v) -> float { return v.roadSpeed; }, 59, "C", "MPH" },
    { "SpeedOffsetKph", "1702", { { 6, 100 } }, Kind::RoadSpeed,
        [](const LiveValues& v) -> float { return v.roadSpeed; }, 187 },
    { "SpeedOffsetMph", "1702", { { 6, 100 } }, Kind::RoadSpeed,
        [](const LiveValues& v) -> float { return v.roadSpeed; }, 116, "C", "MPH" },
    { "SpeedNegativeTruncatesToZero", "1702", { { 6, 0 } }, Kind::RoadSpeed,
        [](const LiveValues& v) -> float { return v.roadSpeed; }, 0 },
    { "CoolantDefault", "", { { 7, 100 } }, Kind::CoolantTemp,
        [](const LiveValues& v) { return v.coolantTemp; }, 13.339996f },
    { "Coolant1103", "1103", { { 7, 140 } }, Kind::CoolantTemp,
        [](const LiveValues& v) { return v.coolantTemp; }, 47.5f },
    { "Coolant1103F", "1103", { { 7, 140 } }, Kind::CoolantTemp,
        [](const LiveValues& v) { return v.coolantTemp; }, 117.5f, "F" },
    { "CoolantBoilingF", "1601", { { 7, 150 } }, Kind::CoolantTemp,
        [](const LiveValues& v) { return v.coolantTemp; }, 212, "F" },
    { "CoolantLowerCaseFIsCelsius", "1601", { { 7, 150 } }, Kind::CoolantTemp,
        [](const LiveValues& v) { return v.coolantTemp; }, 100, "f" },
    { "AirDefaultTruncatedOffset", "", { { 8, 150 } }, Kind::AirTemp,
        [](const LiveValues& v) { return v.airTemp; }, 53 },
    { "Air1112", "1112", { { 8, 100 } }, Kind::AirTemp, [](const LiveValues& v) { return v.airTemp; }, 19 },
    { "AirF", "1601", { { 8, 60 } }, Kind::AirTemp, [](const LiveValues& v) { return v.airTemp; }, 50, "F" },
    { "Load8WithOffset", "1453", { { 9, 100 } }, Kind::Load8,
        [](const LiveValues& v) -> float { return v.load8; }, 455 },
    { "Load8Default", "", { { 9, 20 } }, Kind::Load8, [](const LiveValues& v) -> float { return v.load8; },
        100 },
    { "LoadHighWord", "1601", { { 10, 0x40 } }, Kind::LoadHighWord,
        [](const LiveValues& v) -> float { return v.loadHighWord; }, 16384 },
    { "Load16", "1601", { { 10, 0x40 }, { 11, 0 } }, Kind::Load16,
        [](const LiveValues& v) -> float { return v.load16; }, 113 },
    { "Load16Role12", "1103", { { 12, 200 } }, Kind::Load16,
        [](const LiveValues& v) -> float { return v.load16; }, 208 },
    { "Tps1103", "1103", { { 13, 200 } }, Kind::TpsPercent, [](const LiveValues& v) { return v.tpsPercent; },
        98 },
    { "Tps1943", "1943", { { 13, 90 } }, Kind::TpsPercent, [](const LiveValues& v) { return v.tpsPercent; },
        99 },
    { "TpsF602", "F602", { { 13, 255 } }, Kind::TpsPercent, [](const LiveValues& v) { return v.tpsPercent; },
        65 },
    { "TpsVolts1202", "1202", { { 14, 128 } }, Kind::TpsVolts, [](const LiveValues& v) { return v.tpsVolts; },
        2.5600002f },
    { "TpsVoltsDefault", "", { { 14, 255 } }, Kind::TpsVolts, [](const LiveValues& v) { return v.tpsVolts; },
        4.9804688f },
    { "O2Low", "1103", { { 15, 92 } }, Kind::O2Bank1, [](const LiveValues& v) { return v.o2Volts[0]; },
        0.44878048f },
    { "O2Mid", "1103", { { 15, 93 } }, Kind::O2Bank1, [](const LiveValues& v) { return v.o2Volts[0]; },
        0.45365855f },
    { "O2High", "1103", { { 15, 185 } }, Kind::O2Bank1, [](const LiveValues& v) { return v.o2Volts[0]; },
        0.902439f },
    { "O2Bank2", "1601", { { 16, 100 } }, Kind::O2Bank2, [](const LiveValues& v) { return v.o2Volts[1]; },
        0.5f },
    { "Raw17", "", { { 17, 7 } }, Kind::Raw17, [](const LiveValues& v) -> float { return v.raw17; }, 7 },
    { "Raw18", "", { { 18, 9 } }, Kind::Raw18, [](const LiveValues& v) -> float { return v.raw18; }, 9 },
    { "Iac1103", "1103", { { 19, 100 } }, Kind::Iac, [](const LiveValues& v) -> float { return v.iac; }, 39 },
    { "Iac1902", "1902", { { 19, 1 } }, Kind::Iac, [](const LiveValues& v) -> float { return v.iac; }, 256 },
    { "InjectorHigh1", "1103", { { 20, 3 } }, Kind::InjectorHighByte1,
        [](const LiveValues& v) -> float { return v.injectorHighByte[0]; }, 3 },
    { "InjectorPw1", "1103", { { 20, 3 }, { 21, 0xE8 } }, Kind::InjectorPw1,
        [](const LiveValues& v) { return v.injectorPw[0]; }, 1.02f },
    { "InjectorHigh2", "1601", { { 22, 1 } }, Kind::InjectorHighByte2,
        [](const LiveValues& v) -> float { return v.injectorHighByte[1]; }, 1 },
    { "InjectorPw2", "1601", { { 22, 1 }, { 23, 0xF4 } }, Kind::InjectorPw2,
        [](const LiveValues& v) { return v.injectorPw[1]; }, 4 },
    { "InjectorBanksKeepTheirHighBytes", "1601", { { 20, 1 }, { 22, 2 }, { 21, 0xF4 } }, Kind::InjectorPw1,
        [](const LiveValues& v) { return v.injectorPw[0]; }, 4 },
    { "Advance1103", "1103", { { 24, 100 } }, Kind::Advance,
        [](const LiveValues& v) -> float { return v.advance; }, 23 },
    { "AdvanceTowardZero", "1103", { { 24, 30 } }, Kind::Advance,
        [](const LiveValues& v) -> float { return v.advance; }, -1 },
    { "AdvanceNegativeFactor", "1112", { { 24, 100 } }, Kind::Advance,
        [](const LiveValues& v) -> float { return v.advance; }, 26 },
    { "AdvanceF602", "F602", { { 24, 100 } }, Kind::Advance,
        [](const LiveValues& v) -> float { return v.advance; }, -14 },
    { "Stft1", "1103", { { 25, 150 } }, Kind::Stft1, [](const LiveValues& v) { return v.stft[0]; }, 0.3806f },
    { "Ltft1", "1103", { { 26, 100 } }, Kind::Ltft1, [](const LiveValues& v) { return v.ltft[0]; },
        -0.4844f },
    { "Stft2", "1601", { { 27, 200 } }, Kind::Stft2, [](const LiveValues& v) { return v.stft[1]; },
        0.55368f },
    { "Ltft2", "1601", { { 28, 128 } }, Kind::Ltft2, [](const LiveValues& v) { return v.ltft[1]; }, 0 },
    { "Tft1", "1103", { { 45, 150 } }, Kind::Tft1, [](const LiveValues& v) { return v.tft[0]; }, 0.3806f },
    { "Tft2", "1601", { { 46, 200 } }, Kind::Tft2, [](const LiveValues& v) { return v.tft[1]; }, 0.55368f },
    { "VeDefault", "", { { 29, 100 } }, Kind::Ve, [](const LiveValues& v) -> float { return v.ve; }, 77 },
    { "Ve1253", "1253", { { 29, 100 } }, Kind::Ve, [](const LiveValues& v) -> float { return v.ve; }, 99 },
    { "VeBelowZeroTruncates", "", { { 29, 0 } }, Kind::Ve, [](const LiveValues& v) -> float { return v.ve; },
        0 },
    { "BatteryGreen", "1103", { { 30, 180 } }, Kind::Battery,
        [](const LiveValues& v) { return v.batteryVolts; }, 14.0625f },
    { "BatteryHigh", "1103", { { 30, 190 } }, Kind::Battery,
        [](const LiveValues& v) { return v.batteryVolts; }, 14.84375f },
    { "BatteryLow", "1103", { { 30, 115 } }, Kind::Battery,
        [](const LiveValues& v) { return v.batteryVolts; }, 8.984375f },
    { "Purge1601", "1601", { { 31, 50 } }, Kind::Purge, [](const LiveValues& v) -> float { return v.purge; },
        100 },
    { "Purge1843", "1843", { { 31, 100 } }, Kind::Purge, [](const LiveValues& v) -> float { return v.purge; },
        39 },
    { "StatusByte0", "1103", { { 32, 0xA5 } }, Kind::StatusFlags,
        [](const LiveValues& v) -> float { return v.statusBytes[0]; }, 0xA5 },
    { "StatusByte1", "1103", { { 33, 0x11 } }, Kind::StatusFlags,
        [](const LiveValues& v) -> float { return v.statusBytes[1]; }, 0x11 },
    { "StatusByte2", "1112", { { 34, 0x22 } }, Kind::StatusFlags,
        [](const LiveValues& v) -> float { return v.statusBytes[2]; }, 0x22 },
    { "StatusByte3", "1112", { { 35, 0x5A } }, Kind::StatusFlags,
        [](const LiveValues& v) -> float { return v.statusBytes[3]; }, 0x5A },
    { "TargetIdle1103", "1103", { { 36, 100 } }, Kind::TargetIdle,
        [](const LiveValues& v) -> float { return v.targetIdle; }, 784 },
    { "TargetIdle17E2", "17E2", { { 36, 100 } }, Kind::TargetIdle,
        [](const LiveValues& v) -> float { return v.targetIdle; }, 1281 },
    { "IgnitionTrim", "", { { 37, 77 } }, Kind::IgnitionTrim,
        [](const LiveValues& v) -> float { return v.ignitionTrim; }, 77 },
    { "Egr1701", "1701", { { 38, 77 } }, Kind::Egr, [](const LiveValues& v) -> float { return v.egr; }, 77 },
    { "Egr1843", "1843", { { 38, 100 } }, Kind::Egr, [](const LiveValues& v) -> float { return v.egr; }, 39 },
    { "Baro1453", "1453", { { 39, 200 } }, Kind::Baro, [](const LiveValues& v) { return v.baro; }, 1103 },
    // 4.95 x 200 is 989.99994 in single precision, which truncates to 989.
    { "Baro1112SinglePrecision", "1112", { { 39, 200 } }, Kind::Baro,
        [](const LiveValues& v) { return v.baro; }, 989 },
    { "AtmVss", "1701", { { 40, 1 } }, Kind::AtmVss, [](const LiveValues& v) -> float { return v.atmVss; },
        1 },
    { "AtmPos", "1701", { { 41, 2 } }, Kind::AtmPos, [](const LiveValues& v) -> float { return v.atmPos; },
        2 },
    { "AtmStatus", "1701", { { 42, 3 } }, Kind::AtmStatus,
        [](const LiveValues& v) -> float { return v.atmStatus; }, 3 },
    { "FaultByte0", "1103", { { 0, 0x81 } }, Kind::FaultFlags,
        [](const LiveValues& v) -> float { return v.faultBytes[0]; }, 0x81 },
    { "FaultByte1", "1103", { { 1, 0x02 } }, Kind::FaultFlags,
        [](const LiveValues& v) -> float { return v.faultBytes[1]; }, 0x02 },
    { "FaultByte2", "1103", { { 2, 0x40 } }, Kind::FaultFlags,
        [](const LiveValues& v) -> float { return v.faultBytes[2]; }, 0x40 },
    { "FaultByte3", "1103", { { 3, 0xFF } }, Kind::FaultFlags,
        [](const LiveValues& v) -> float { return v.faultBytes[3]; }, 0xFF },
    { "FaultByte4", "1702", { { 43, 0x10 } }, Kind::FaultFlags,
        [](const LiveValues& v) -> float { return v.faultBytes[4]; }, 0x10 },
    { "Egt1112", "1112", { { 44, 200 } }, Kind::EgtTemp, [](const LiveValues& v) { return v.egtTemp; }, 190 },
    { "Egt1112F", "1112", { { 44, 200 } }, Kind::EgtTemp, [](const LiveValues& v) { return v.egtTemp; }, 374,
        "F" },
    { "IacAdjustDefault", "", { { 47, 50 } }, Kind::IacAdjust,
        [](const LiveValues& v) -> float { return v.iacAdjust; }, 79 },
    { "IacAdjust1112", "1112", { { 47, 50 } }, Kind::IacAdjust,
        [](const LiveValues& v) -> float { return v.iacAdjust; }, 100 },
    { "TimeFromStartRaw0", "", { { 48, 0 } }, Kind::TimeFromStart,
        [](const LiveValues& v) -> float { return v.timeFromStart; }, 510 },
    { "TimeFromStartRaw255", "", { { 48, 255 } }, Kind::TimeFromStart,
        [](const LiveValues& v) -> float { return v.timeFromStart; }, 0 },
    { "TimeFromStartRaw100", "", { { 48, 100 } }, Kind::TimeFromStart,
        [](const LiveValues& v) -> float { return v.timeFromStart; }, 310 },
};

class RoleUpdateTest : public testing::TestWithParam<RoleCase> { };

TEST_P(RoleUpdateTest, ScalesTheRawByte)
{
    const RoleCase& roleCase = GetParam();
    const EcuConstantsRow& constants = ConstantsRowAt(EcuRowOf(roleCase.id));
    LiveSettings settings;
    settings.temperatureUnit = roleCase.temperatureUnit;
    settings.speedUnit = roleCase.speedUnit;
    LiveValues values;
    Kind kind = Kind::None;
    for (const auto& [role, raw] : roleCase.steps)
        kind = ApplyRoleUpdate(values, role, raw, constants, settings);
    EXPECT_EQ(kind, roleCase.kind);
    EXPECT_EQ(roleCase.read(values), roleCase.expected);
}

INSTANTIATE_TEST_SUITE_P(EveryRole, RoleUpdateTest, testing::ValuesIn(RoleCases),
    [](const testing::TestParamInfo<RoleCase>& param) { return std::string(param.param.name); });

TEST(RoleUpdate, CodesWithoutAnUpdateChangeNothing)
{
    const EcuConstantsRow& constants = ConstantsRowAt(EcuRowOf("1702"));
    LiveValues values;
    values.rpm = 850;
    values.faultBytes[0] = 3;
    const LiveValues before = values;
    for (const int role : { 49, 50, 55, 51, 54, 56, 99, -1 }) {
        EXPECT_EQ(ApplyRoleUpdate(values, role, 0xFF, constants, LiveSettings {}), Kind::None) << role;
        EXPECT_EQ(values, before) << role;
    }
}

TEST(RoleUpdate, AirTemperatureOffsetIsTruncatedBeforeUse)
{
    EcuConstantsRow constants;
    constants.values[static_cast<std::size_t>(EcuConstant::AirTempFactor)] = 1.0f;
    constants.values[static_cast<std::size_t>(EcuConstant::AirTempOffset)] = 40.7f;
    LiveValues values;
    ApplyRoleUpdate(values, RoleAirTemp, 100, constants, LiveSettings {});
    EXPECT_EQ(values.airTemp, 60.0f);
}

// A whole reply as the connection logic runs it: every byte through the role of its offset.
LiveValues ApplyReply(const char* id, int firstOffset, std::initializer_list<std::uint8_t> bytes)
{
    const EcuConstantsRow& constants = ConstantsRowAt(EcuRowOf(id));
    LiveValues values;
    int offset = firstOffset;
    for (const std::uint8_t raw : bytes)
        ApplyRoleUpdate(values, RoleAt(id, offset++), raw, constants, LiveSettings {});
    return values;
}

TEST(RoleUpdate, TheInjectorLowByteOf1103CombinesWithOffset14NotOffset17)
{
    // Offsets 8..15, then 16..23: offset 17 is a second bank 1 high byte that nothing combines with.
    LiveValues values = ApplyReply("1103", 8, { 0, 0, 0, 0, 0, 0, 0x03, 0xE8 });
    EXPECT_EQ(values.injectorPw[0], 1.02f);
    const EcuConstantsRow& constants = ConstantsRowAt(EcuRowOf("1103"));
    ApplyRoleUpdate(values, RoleAt("1103", 17), 0x7F, constants, LiveSettings {});
    EXPECT_EQ(values.injectorPw[0], 1.02f);
    EXPECT_EQ(values.injectorHighByte[0], 0x7F);
}

TEST(RoleUpdate, F802OffsetZeroHasNoRole)
{
    EXPECT_EQ(ApplyReply("F802", 0, { 0xFF }), LiveValues {});
}

TEST(RoleUpdate, TheEmptyRoleRowLeavesTheFaultBytesAlone)
{
    const EcuConstantsRow noConstants;
    LiveValues values;
    for (int offset = 0; offset < 8; ++offset)
        ApplyRoleUpdate(values, RoleAt(EmptyRoleRow(), offset), 0xFF, noConstants, LiveSettings {});
    EXPECT_EQ(values, LiveValues {});
}

} // namespace
