#include "defs/LiveValueCatalogue.h"

#include "defs/TranslatableText.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <limits>
#include <type_traits>

namespace {

template <typename T> LiveNumber Number(T value)
{
    if constexpr (std::is_floating_point_v<T>)
        return value;
    else
        return static_cast<int>(value);
}

template <auto Member> LiveNumber Read(const LiveValues& values)
{
    return Number(values.*Member);
}

template <auto Member, std::size_t Index> LiveNumber ReadAt(const LiveValues& values)
{
    return Number((values.*Member)[Index]);
}

// A replayed value is stored as the value would be: whole numbers truncated toward zero.
template <typename T> T Stored(float value)
{
    if constexpr (std::is_floating_point_v<T>)
        return static_cast<T>(value);
    else
        return static_cast<T>(TruncateToInt(value));
}

template <auto Member> void Write(LiveValues& values, float value)
{
    values.*Member = Stored<std::remove_reference_t<decltype(values.*Member)>>(value);
}

template <auto Member, std::size_t Index> void WriteAt(LiveValues& values, float value)
{
    (values.*Member)[Index] = Stored<std::remove_reference_t<decltype((values.*Member)[Index])>>(value);
}

// Engine speed is kept whole but has always been reported as a real.
LiveNumber ReadRpm(const LiveValues& values)
{
    return static_cast<float>(values.rpm);
}

using L = LiveValues;
using enum ChannelUse;
constexpr int W = ReadoutDigits::kWholeNumber;
constexpr int kTenfold = 10; // battery volts are logged and charted in tenths of a volt
constexpr int kFromMinus40 = 1;
constexpr std::string_view kFaultBytes = "FaultBytes";
constexpr std::string_view kStatusBytes = "StatusBytes";

constexpr ValueUnit Unit(std::string_view text)
{
    return { text, UnitChoice::Fixed };
}
constexpr ValueUnit kTemperature { {}, UnitChoice::Temperature };
constexpr ValueUnit kSpeed { {}, UnitChoice::Speed };
// The dashboard shows the oxygen sensors' volts to three decimals.
constexpr int kO2LogDecimals = 3;

constexpr ReadoutDigits Whole {};
constexpr ReadoutDigits Fixed(int precision, int decimals)
{
    return { precision, decimals };
}
constexpr ViewerBox Page1(int box, std::string_view caption, ReadoutDigits digits)
{
    return { 1, box, caption, digits };
}
constexpr ViewerBox Page2(int box, std::string_view caption, ReadoutDigits digits)
{
    return { 2, box, caption, digits };
}
constexpr ViewerBox kHidden {};

constexpr ChannelName Listed(std::string_view name, int listOrder)
{
    return { name, LogAndChart, false, listOrder };
}
constexpr ChannelName Numbered(std::string_view name, int listOrder = ChannelName::kNotListed)
{
    return { name, LogAndChart, true, listOrder };
}

constexpr ValueRoles Roles(std::initializer_list<int> codes)
{
    ValueRoles roles;
    for (const int code : codes)
        roles.codes.at(roles.count++) = code;
    return roles;
}

// clang-format off
constexpr std::array kRows = {
    // Columns: name (and JSON field), JSON array, channel names, unit, log decimals (W: whole), log and
    // chart scale, chart offset, data viewer box, reader, writer, the roles of the bytes it is made from.
    LiveValueRow{ "Rpm",           {},           { { Listed("RPM", 0) } },                                         Unit("rpm"),  0, 1,        0,            Page1(1, DAZED_TRANSLATABLE("TDataViewerForm", "RPM"), Fixed(5, 0)),                &ReadRpm, &Write<&L::rpm>, Roles({ RoleRpmHigh, RoleRpm }) },
    LiveValueRow{ "TargetIdle",    {},           { { Listed("Target Idle", 3) } },                                 Unit("rpm"),  W, 1,        0,            Page1(15, DAZED_TRANSLATABLE("TDataViewerForm", "Target Idle"), Whole),             &Read<&L::targetIdle>, &Write<&L::targetIdle>, Roles({ RoleTargetIdle }) },
    LiveValueRow{ "RoadSpeed",     {},           { { Listed("VSS", 8) } },                                         kSpeed,       W, 1,        0,            Page1(0, DAZED_TRANSLATABLE("TDataViewerForm", "VSS"), Whole),                      &Read<&L::roadSpeed>, &Write<&L::roadSpeed>, Roles({ RoleRoadSpeed }) },
    LiveValueRow{ "BatteryVolts",  {},           { { Listed("Batt Volts*10", 18) } },                              Unit("V"),    2, kTenfold, 0,            Page1(6, DAZED_TRANSLATABLE("TDataViewerForm", "Battery (V)"), Fixed(4, 2)),        &Read<&L::batteryVolts>, &Write<&L::batteryVolts>, Roles({ RoleBattery }) },
    LiveValueRow{ "O2Volts0",      {},           { { Listed("O2 Sensor B1", 11) } },                               Unit("V"),    kO2LogDecimals, 1, 0,      Page1(5, DAZED_TRANSLATABLE("TDataViewerForm", "O2 Bank1 (V)"), Fixed(4, 2)),       &ReadAt<&L::o2Volts, 0>, &WriteAt<&L::o2Volts, 0>, Roles({ RoleO2Bank1 }) },
    LiveValueRow{ "O2Volts1",      {},           { { Listed("O2 Sensor B2", 12) } },                               Unit("V"),    kO2LogDecimals, 1, 0,      Page2(15, DAZED_TRANSLATABLE("TDataViewerForm", "O2 Bank2"), Fixed(4, 2)),          &ReadAt<&L::o2Volts, 1>, &WriteAt<&L::o2Volts, 1>, Roles({ RoleO2Bank2 }) },
    LiveValueRow{ "TpsPercent",    {},           { { Listed("TPS(Angle)", 4) } },                                  Unit("%"),    1, 1,        0,            Page1(3, DAZED_TRANSLATABLE("TDataViewerForm", "TPS(%)"), Fixed(3, 1)),             &Read<&L::tpsPercent>, &Write<&L::tpsPercent>, Roles({ RoleTpsPercent }) },
    LiveValueRow{ "TpsVolts",      {},           { { Listed("TPS(Volts)", 5) } },                                  Unit("V"),    2, 1,        0,            Page1(4, DAZED_TRANSLATABLE("TDataViewerForm", "TPS(V)"), Fixed(3, 2)),             &Read<&L::tpsVolts>, &Write<&L::tpsVolts>, Roles({ RoleTpsVolts }) },
    LiveValueRow{ "CoolantTemp",   {},           { { Listed("CTS", 6) } },                                         kTemperature, 0, 1,        kFromMinus40, Page1(7, DAZED_TRANSLATABLE("TDataViewerForm", "CTS"), Fixed(3, 0)),                &Read<&L::coolantTemp>, &Write<&L::coolantTemp>, Roles({ RoleCoolantTemp }) },
    LiveValueRow{ "AirTemp",       {},           { { Listed("IAT", 7) } },                                         kTemperature, 0, 1,        kFromMinus40, Page1(8, DAZED_TRANSLATABLE("TDataViewerForm", "IAT"), Fixed(3, 0)),                &Read<&L::airTemp>, &Write<&L::airTemp>, Roles({ RoleAirTemp }) },
    LiveValueRow{ "EgtTemp",       {},           { { Listed("EGR Temp", 32) } },                                   kTemperature, 0, 1,        kFromMinus40, Page2(13, DAZED_TRANSLATABLE("TDataViewerForm", "EGT Temp"), Fixed(4, 0)),          &Read<&L::egtTemp>, &Write<&L::egtTemp>, Roles({ RoleEgtTemp }) },
    // The data viewer's load box shows the 8-bit load for a MAP sensor, the 16-bit one otherwise.
    LiveValueRow{ "Load8",         {},           { { Listed("MAP", 1) } },                                         Unit("mB"),   0, 1,        0,            Page1(2, "", Whole),                         &Read<&L::load8>, &Write<&L::load8>, Roles({ RoleLoad8 }) },
    LiveValueRow{ "Baro",          {},           {},                                                               Unit("mB"),   W, 1,        0,            Page1(18, DAZED_TRANSLATABLE("TDataViewerForm", "Baro (mB)"), Fixed(4, 0)),         &Read<&L::baro>, &Write<&L::baro>, Roles({ RoleBaro }) },
    LiveValueRow{ "Load16",        {},           { { { "MAF" }, Listed("AFM", 2) } },                              Unit("g/s"),  W, 1,        0,            Page1(2, "", Fixed(4, 0)),                   &Read<&L::load16>, &Write<&L::load16>, Roles({ RoleLoadHigh, RoleLoad16, RoleLoad16Alt }) },
    LiveValueRow{ "InjectorPw0",   {},           { { Listed("INJ PW B1", 9) } },                                   Unit("ms"),   3, 1,        0,            Page1(12, DAZED_TRANSLATABLE("TDataViewerForm", "Inj PW Bank1 (ms)"), Fixed(5, 3)), &ReadAt<&L::injectorPw, 0>, &WriteAt<&L::injectorPw, 0>, Roles({ RoleInjectorHigh1, RoleInjectorPw1 }) },
    LiveValueRow{ "InjectorPw1",   {},           { { Listed("INJ PW B2", 10) } },                                  Unit("ms"),   3, 1,        0,            Page2(12, DAZED_TRANSLATABLE("TDataViewerForm", "Inj PW Bank2"), Fixed(5, 3)),      &ReadAt<&L::injectorPw, 1>, &WriteAt<&L::injectorPw, 1>, Roles({ RoleInjectorHigh2, RoleInjectorPw2 }) },
    LiveValueRow{ "Iac",           {},           { { Listed("IAC", 19) } },                                        Unit("%"),    W, 1,        0,            Page1(14, "", Whole),                        &Read<&L::iac>, &Write<&L::iac>, Roles({ RoleIac }) },
    LiveValueRow{ "IacAdjust",     {},           { { Listed("IAC Adj Mon", 20) } },                                Unit("%"),    W, 1,        0,            Page1(19, DAZED_TRANSLATABLE("TDataViewerForm", "IAC Adj Mon (%)"), Whole),         &Read<&L::iacAdjust>, &Write<&L::iacAdjust>, Roles({ RoleIacAdjust }) },
    LiveValueRow{ "Stft0",         {},           { { Listed("STFT B1", 14) } },                                    Unit("%"),    2, 1,        kFromMinus40, Page1(9, DAZED_TRANSLATABLE("TDataViewerForm", "STFT Bank1"), Fixed(4, 2)),         &ReadAt<&L::stft, 0>, &WriteAt<&L::stft, 0>, Roles({ RoleStft1 }) },
    LiveValueRow{ "Stft1",         {},           { { Listed("STFT B2", 15) } },                                    Unit("%"),    2, 1,        kFromMinus40, Page2(16, DAZED_TRANSLATABLE("TDataViewerForm", "STFT Bank2"), Fixed(4, 2)),        &ReadAt<&L::stft, 1>, &WriteAt<&L::stft, 1>, Roles({ RoleStft2 }) },
    LiveValueRow{ "Ltft0",         {},           { { Listed("LTFT B1", 16), { "CFT B1", ChartOnly } } },           Unit("%"),    2, 1,        kFromMinus40, Page1(10, DAZED_TRANSLATABLE("TDataViewerForm", "LTFT Bank1"), Fixed(4, 2)),        &ReadAt<&L::ltft, 0>, &WriteAt<&L::ltft, 0>, Roles({ RoleLtft1 }) },
    LiveValueRow{ "Ltft1",         {},           { { Listed("LTFT B2", 17), { "CFT B2", ChartOnly } } },           Unit("%"),    2, 1,        kFromMinus40, Page2(17, DAZED_TRANSLATABLE("TDataViewerForm", "LTFT Bank2"), Fixed(4, 2)),        &ReadAt<&L::ltft, 1>, &WriteAt<&L::ltft, 1>, Roles({ RoleLtft2 }) },
    LiveValueRow{ "Tft0",          {},           { { { "TFT B1", LogOnly } } },                                    Unit("%"),    2, 1,        kFromMinus40, Page1(11, DAZED_TRANSLATABLE("TDataViewerForm", "TFT Bank1"), Fixed(4, 2)),         &ReadAt<&L::tft, 0>, &WriteAt<&L::tft, 0>, Roles({ RoleTft1 }) },
    LiveValueRow{ "Tft1",          {},           { { { "TFT B2", LogOnly } } },                                    Unit("%"),    2, 1,        kFromMinus40, Page2(18, DAZED_TRANSLATABLE("TDataViewerForm", "TFT Bank2"), Fixed(4, 2)),         &ReadAt<&L::tft, 1>, &WriteAt<&L::tft, 1>, Roles({ RoleTft2 }) },
    LiveValueRow{ "Ve",            {},           { { Listed("VE", 34) } },                                         Unit("%"),    W, 1,        0,            Page1(20, DAZED_TRANSLATABLE("TDataViewerForm", "VE (%)"), Whole),                  &Read<&L::ve>, &Write<&L::ve>, Roles({ RoleVe }) },
    LiveValueRow{ "Advance",       {},           { { Listed("Ign Advance", 13) } },                                Unit("deg"),  W, 1,        0,            Page1(13, DAZED_TRANSLATABLE("TDataViewerForm", "Ign Timing (degs)"), Whole),       &Read<&L::advance>, &Write<&L::advance>, Roles({ RoleAdvance }) },
    LiveValueRow{ "Mpg",           {},           { { Listed("MPG", 21) } },                                        Unit("MPG"),  2, 1,        0,            Page1(22, DAZED_TRANSLATABLE("TDataViewerForm", "MPG"), Fixed(4, 2)),               &Read<&L::mpg>, &Write<&L::mpg>, Roles({ RoleRpmHigh, RoleRpm, RoleInjectorHigh2, RoleInjectorPw2, RoleRoadSpeed }) },
    LiveValueRow{ "Purge",         {},           { { Listed("Evap Purge", 33), { "Can Purge", ChartOnly } } },     Unit("%"),    W, 1,        0,            Page1(16, DAZED_TRANSLATABLE("TDataViewerForm", "Evap Purge %"), Whole),            &Read<&L::purge>, &Write<&L::purge>, Roles({ RolePurge }) },
    LiveValueRow{ "Egr",           {},           { { Listed("EGR Flow", 31), { "EGR", ChartOnly } } },             Unit("%"),    W, 1,        0,            Page1(17, "", Whole),                        &Read<&L::egr>, &Write<&L::egr>, Roles({ RoleEgr }) },
    LiveValueRow{ "IgnitionTrim",  {},           { { Listed("Ign Trim", 35) } },                                   Unit("deg"),  W, 1,        0,            Page2(8, DAZED_TRANSLATABLE("TDataViewerForm", "Ignition Trim"), Whole),            &Read<&L::ignitionTrim>, &Write<&L::ignitionTrim>, Roles({ RoleIgnitionTrim }) },
    LiveValueRow{ "AtmVss",        {},           { { Listed("ATM VSS", 36), { "TCM VSS", ChartOnly } } },          Unit(""),     W, 1,        0,            Page2(9, DAZED_TRANSLATABLE("TDataViewerForm", "ATM VSS"), Whole),                  &Read<&L::atmVss>, &Write<&L::atmVss>, Roles({ RoleAtmVss }) },
    LiveValueRow{ "AtmPos",        {},           { { Listed("ATM Pos", 37), { "TCM Pos", ChartOnly } } },          Unit(""),     W, 1,        0,            Page2(10, DAZED_TRANSLATABLE("TDataViewerForm", "ATM Pos"), Whole),                 &Read<&L::atmPos>, &Write<&L::atmPos>, Roles({ RoleAtmPos }) },
    LiveValueRow{ "AtmStatus",     {},           { { Listed("ATM Status", 38), { "TCM Status", ChartOnly } } },    Unit(""),     W, 1,        0,            Page2(11, DAZED_TRANSLATABLE("TDataViewerForm", "ATM Status"), Whole),              &Read<&L::atmStatus>, &Write<&L::atmStatus>, Roles({ RoleAtmStatus }) },
    LiveValueRow{ "TimeFromStart", {},           { { { "Time From Start", ChartOnly } } },                         Unit("s"),    W, 1,        0,            Page2(19, DAZED_TRANSLATABLE("TDataViewerForm", "Time From Start(s)"), Whole),      &Read<&L::timeFromStart>, &Write<&L::timeFromStart>, Roles({ RoleTimeFromStart }) },
    // The log numbers the fault bytes from 0 and the status bytes from 1; the viewer both from 1.
    LiveValueRow{ "FaultByte0",    kFaultBytes,  { { Numbered("Fault Flags 0"), Numbered("Fault Codes 0", 22) } }, Unit(""),     W, 1,        0,            Page2(0, DAZED_TRANSLATABLE("TDataViewerForm", "Fault Flags 1"), Whole),            &ReadAt<&L::faultBytes, 0>, &WriteAt<&L::faultBytes, 0>, Roles({ RoleFaultFlags0 }) },
    LiveValueRow{ "FaultByte1",    kFaultBytes,  { { Numbered("Fault Flags 1"), Numbered("Fault Codes 1", 23) } }, Unit(""),     W, 1,        0,            Page2(1, DAZED_TRANSLATABLE("TDataViewerForm", "Fault Flags 2"), Whole),            &ReadAt<&L::faultBytes, 1>, &WriteAt<&L::faultBytes, 1>, Roles({ RoleFaultFlags1 }) },
    LiveValueRow{ "FaultByte2",    kFaultBytes,  { { Numbered("Fault Flags 2"), Numbered("Fault Codes 2", 24) } }, Unit(""),     W, 1,        0,            Page2(2, DAZED_TRANSLATABLE("TDataViewerForm", "Fault Flags 3"), Whole),            &ReadAt<&L::faultBytes, 2>, &WriteAt<&L::faultBytes, 2>, Roles({ RoleFaultFlags2 }) },
    LiveValueRow{ "FaultByte3",    kFaultBytes,  { { Numbered("Fault Flags 3"), Numbered("Fault Codes 3", 25) } }, Unit(""),     W, 1,        0,            Page2(3, DAZED_TRANSLATABLE("TDataViewerForm", "Fault Flags 4"), Whole),            &ReadAt<&L::faultBytes, 3>, &WriteAt<&L::faultBytes, 3>, Roles({ RoleFaultFlags3 }) },
    LiveValueRow{ "FaultByte4",    kFaultBytes,  { { Numbered("Fault Flags 4"), Numbered("Fault Codes 4", 26) } }, Unit(""),     W, 1,        0,            kHidden,                                     &ReadAt<&L::faultBytes, 4>, &WriteAt<&L::faultBytes, 4>, Roles({ RoleFaultFlags4 }) },
    LiveValueRow{ "StatusByte0",   kStatusBytes, { { Numbered("Status Flags 1", 27) } },                           Unit(""),     W, 1,        0,            Page2(4, DAZED_TRANSLATABLE("TDataViewerForm", "Status Flags 1"), Whole),           &ReadAt<&L::statusBytes, 0>, &WriteAt<&L::statusBytes, 0>, Roles({ RoleStatusFlags0 }) },
    LiveValueRow{ "StatusByte1",   kStatusBytes, { { Numbered("Status Flags 2", 28) } },                           Unit(""),     W, 1,        0,            Page2(5, DAZED_TRANSLATABLE("TDataViewerForm", "Status Flags 2"), Whole),           &ReadAt<&L::statusBytes, 1>, &WriteAt<&L::statusBytes, 1>, Roles({ RoleStatusFlags1 }) },
    LiveValueRow{ "StatusByte2",   kStatusBytes, { { Numbered("Status Flags 3", 29) } },                           Unit(""),     W, 1,        0,            Page2(6, DAZED_TRANSLATABLE("TDataViewerForm", "Status Flags 3"), Whole),           &ReadAt<&L::statusBytes, 2>, &WriteAt<&L::statusBytes, 2>, Roles({ RoleStatusFlags2 }) },
    LiveValueRow{ "StatusByte3",   kStatusBytes, { { Numbered("Status Flags 4", 30) } },                           Unit(""),     W, 1,        0,            Page2(7, DAZED_TRANSLATABLE("TDataViewerForm", "Status Flags 4"), Whole),           &ReadAt<&L::statusBytes, 3>, &WriteAt<&L::statusBytes, 3>, Roles({ RoleStatusFlags3 }) },
};
// clang-format on

} // namespace

std::span<const LiveValueRow> LiveValueCatalogue()
{
    return kRows;
}

const LiveValueRow* FindLiveValue(std::string_view name)
{
    const auto found = std::find_if(
        kRows.begin(), kRows.end(), [name](const LiveValueRow& row) { return row.name == name; });
    return found == kRows.end() ? nullptr : &*found;
}

int TruncateToInt(const LiveNumber& value)
{
    if (const int* whole = std::get_if<int>(&value))
        return *whole;
    const float real = std::get<float>(value);
    if (std::isnan(real))
        return 0;
    // Converting a float outside the range of int is undefined; clamp first.
    constexpr auto lowest = static_cast<double>(std::numeric_limits<int>::min());
    constexpr auto highest = static_cast<double>(std::numeric_limits<int>::max());
    return static_cast<int>(std::clamp(std::trunc(static_cast<double>(real)), lowest, highest));
}

std::string_view UnitText(const ValueUnit& unit, const LiveSettings& settings)
{
    switch (unit.choice) {
    case UnitChoice::Temperature:
        return settings.temperatureUnit == LiveSettings::kFahrenheit ? "°F" : "°C";
    case UnitChoice::Speed:
        return settings.speedUnit == LiveSettings::kMilesPerHour ? "MPH" : "KPH";
    case UnitChoice::Fixed:
        break;
    }
    return unit.text;
}

float AsFloat(const LiveNumber& value)
{
    return std::visit([](auto number) { return static_cast<float>(number); }, value);
}
