#include "defs/LiveValues.h"

#include "defs/RoleTable.h"
#include "defs/UnitConversions.h"

#include <cmath>
#include <cstddef>
#include <limits>

// Every scaled value is worked out in single precision, one rounded step at a time, so that
// the readings match the ECU tables to the last digit. The build forbids contracting a multiply
// and an add into one fused step.

namespace {

using K = EcuConstant;

constexpr int HighByteWeight = 256;
constexpr int TpsSupplyVolts = 5;
constexpr float PerAdcStep = 0.00390625f; // 1/256 of the supply
constexpr float MsPerInjectorCount = 0.001f;
constexpr int TrimCentre = 128;
constexpr int TimeFromStartLimit = 510; // seconds at raw 0
constexpr int SecondsPerTimeStep = 2;

// Toward zero, as the ECU tables expect; values no table can produce are clamped, not undefined.
int Trunc(float value)
{
    if (std::isnan(value))
        return 0;
    constexpr auto lowest = static_cast<float>(std::numeric_limits<int>::min());
    constexpr auto highest = 2147483520.0f; // the largest float below 2^31
    if (value <= lowest)
        return std::numeric_limits<int>::min();
    if (value >= highest)
        return static_cast<int>(highest);
    return static_cast<int>(value);
}

float InChosenTemperatureUnit(float celsius, const LiveSettings& settings)
{
    if (settings.temperatureUnit != LiveSettings::kFahrenheit)
        return celsius;
    const float scaled = celsius * FahrenheitPerCelsius;
    return scaled + FahrenheitAtFreezing;
}

int EngineSpeed(int highByte, std::uint8_t raw, const EcuConstantsRow& k)
{
    const auto counts = static_cast<float>(highByte * HighByteWeight + raw);
    const float scaled = counts * k[K::RpmFactor];
    return Trunc(k[K::RpmOffset] + scaled);
}

int RoadSpeed(std::uint8_t raw, const EcuConstantsRow& k, const LiveSettings& settings)
{
    const float scaled = static_cast<float>(raw) * k[K::SpeedFactor];
    float speed = scaled + k[K::SpeedOffset];
    if (settings.speedUnit == LiveSettings::kMilesPerHour)
        speed = speed * KphToMph;
    return Trunc(speed);
}

float CoolantTemp(std::uint8_t raw, const EcuConstantsRow& k, const LiveSettings& settings)
{
    const float scaled = static_cast<float>(raw) * k[K::CoolantFactor];
    return InChosenTemperatureUnit(scaled - k[K::CoolantOffset], settings);
}

float AirTemp(std::uint8_t raw, const EcuConstantsRow& k, const LiveSettings& settings)
{
    const float scaled = static_cast<float>(raw) * k[K::AirTempFactor];
    return InChosenTemperatureUnit(scaled - static_cast<float>(k.Truncated(K::AirTempOffset)), settings);
}

float EgtTemp(std::uint8_t raw, const EcuConstantsRow& k, const LiveSettings& settings)
{
    const float celsius = static_cast<float>(raw) * k[K::EgtFactor];
    return static_cast<float>(Trunc(InChosenTemperatureUnit(celsius, settings)));
}

float TpsVolts(std::uint8_t raw, const EcuConstantsRow& k)
{
    const float volts = static_cast<float>(raw * TpsSupplyVolts) * PerAdcStep;
    return k[K::TpsVoltFactor] * volts;
}

float InjectorPulseWidth(int highByte, std::uint8_t raw, const EcuConstantsRow& k)
{
    const auto counts = static_cast<float>(highByte * HighByteWeight + raw);
    const float ms = counts * MsPerInjectorCount;
    return ms * k[K::InjectorFactor];
}

float FuelTrim(std::uint8_t raw, const EcuConstantsRow& k)
{
    return static_cast<float>(raw - TrimCentre) * k[K::TrimFactor];
}

// raw x factor + offset, truncated: the shape of most single-byte roles.
int Linear(std::uint8_t raw, const EcuConstantsRow& k, K factor, K offset)
{
    const float scaled = static_cast<float>(raw) * k[factor];
    return Trunc(scaled + k[offset]);
}

// factor x raw - offset, truncated.
int LinearLessOffset(std::uint8_t raw, const EcuConstantsRow& k, K factor, K offset)
{
    const float scaled = k[factor] * static_cast<float>(raw);
    return Trunc(scaled - k[offset]);
}

// offset + factor x raw, truncated.
int OffsetPlusLinear(std::uint8_t raw, const EcuConstantsRow& k, K factor, K offset)
{
    const float scaled = k[factor] * static_cast<float>(raw);
    return Trunc(k[offset] + scaled);
}

int Load16(int highWord, std::uint8_t raw, const EcuConstantsRow& k)
{
    const float scaled = k[K::LoadFactor] * static_cast<float>(highWord + raw);
    return Trunc(scaled - k[K::LoadOffset]);
}

LiveValueKind StoreFaultByte(LiveValues& values, std::size_t byte, std::uint8_t raw)
{
    values.faultBytes[byte] = raw;
    return LiveValueKind::FaultFlags;
}

LiveValueKind StoreStatusByte(LiveValues& values, std::size_t byte, std::uint8_t raw)
{
    values.statusBytes[byte] = raw;
    return LiveValueKind::StatusFlags;
}

LiveValueKind UpdateRoadSpeed(
    LiveValues& values, std::uint8_t raw, const EcuConstantsRow& k, const LiveSettings& settings)
{
    values.roadSpeed = RoadSpeed(raw, k, settings);
    if (settings.idleGaugeMode == "MPG")
        UpdateMpgFigure(values, k, settings);
    return LiveValueKind::RoadSpeed;
}

} // namespace

LiveValueKind ApplyRoleUpdate(
    LiveValues& v, int role, std::uint8_t raw, const EcuConstantsRow& k, const LiveSettings& settings)
{
    using Kind = LiveValueKind;
    switch (role) {
    case RoleFaultFlags0:
    case RoleFaultFlags1:
    case RoleFaultFlags2:
    case RoleFaultFlags3:
        return StoreFaultByte(v, static_cast<std::size_t>(role - RoleFaultFlags0), raw);
    case RoleFaultFlags4:
        return StoreFaultByte(v, 4, raw);
    case RoleStatusFlags0:
    case RoleStatusFlags1:
    case RoleStatusFlags2:
    case RoleStatusFlags3:
        return StoreStatusByte(v, static_cast<std::size_t>(role - RoleStatusFlags0), raw);
    case RoleRpm:
        v.rpm = EngineSpeed(v.rpmHighByte, raw, k);
        return Kind::Rpm;
    case RoleRoadSpeed:
        return UpdateRoadSpeed(v, raw, k, settings);
    case RoleCoolantTemp:
        v.coolantTemp = CoolantTemp(raw, k, settings);
        return Kind::CoolantTemp;
    case RoleAirTemp:
        v.airTemp = AirTemp(raw, k, settings);
        return Kind::AirTemp;
    case RoleLoad8:
        v.load8 = Linear(raw, k, K::LoadFactor, K::LoadOffset);
        return Kind::Load8;
    case RoleLoadHigh:
        v.loadHighWord = raw * HighByteWeight;
        return Kind::LoadHighWord;
    case RoleLoad16:
    case RoleLoad16Alt:
        v.load16 = Load16(v.loadHighWord, raw, k);
        return Kind::Load16;
    case RoleTpsPercent:
        v.tpsPercent = static_cast<float>(Trunc(static_cast<float>(raw) * k[K::TpsFactor]));
        return Kind::TpsPercent;
    case RoleTpsVolts:
        v.tpsVolts = TpsVolts(raw, k);
        return Kind::TpsVolts;
    case RoleO2Bank1:
        v.o2Volts[0] = static_cast<float>(raw) / k[K::O2Divisor];
        return Kind::O2Bank1;
    case RoleO2Bank2:
        v.o2Volts[1] = static_cast<float>(raw) / k[K::O2Divisor];
        return Kind::O2Bank2;
    case RoleIac:
        v.iac = Linear(raw, k, K::IacFactor, K::IacOffset);
        return Kind::Iac;
    case RoleInjectorHigh1:
        v.injectorHighByte[0] = raw;
        return Kind::InjectorHighByte1;
    case RoleInjectorPw1:
        v.injectorPw[0] = InjectorPulseWidth(v.injectorHighByte[0], raw, k);
        return Kind::InjectorPw1;
    case RoleInjectorHigh2:
        v.injectorHighByte[1] = raw;
        return Kind::InjectorHighByte2;
    case RoleInjectorPw2:
        v.injectorPw[1] = InjectorPulseWidth(v.injectorHighByte[1], raw, k);
        return Kind::InjectorPw2;
    case RoleAdvance:
        v.advance = Linear(raw, k, K::AdvanceFactor, K::AdvanceOffset);
        return Kind::Advance;
    case RoleStft1:
        v.stft[0] = FuelTrim(raw, k);
        return Kind::Stft1;
    case RoleStft2:
        v.stft[1] = FuelTrim(raw, k);
        return Kind::Stft2;
    case RoleLtft1:
        v.ltft[0] = FuelTrim(raw, k);
        return Kind::Ltft1;
    case RoleLtft2:
        v.ltft[1] = FuelTrim(raw, k);
        return Kind::Ltft2;
    case RoleTft1:
        v.tft[0] = FuelTrim(raw, k);
        return Kind::Tft1;
    case RoleTft2:
        v.tft[1] = FuelTrim(raw, k);
        return Kind::Tft2;
    case RoleVe:
        v.ve = LinearLessOffset(raw, k, K::VeFactor, K::VeOffset);
        return Kind::Ve;
    case RoleBattery:
        v.batteryVolts = static_cast<float>(raw) / k[K::BatteryDivisor];
        return Kind::Battery;
    case RolePurge:
        v.purge = Trunc(static_cast<float>(raw) * k[K::PurgeFactor]);
        return Kind::Purge;
    case RoleTargetIdle:
        v.targetIdle = OffsetPlusLinear(raw, k, K::TargetIdleFactor, K::TargetIdleOffset);
        return Kind::TargetIdle;
    case RoleEgr:
        v.egr = Trunc(k[K::EgrFactor] * static_cast<float>(raw));
        return Kind::Egr;
    case RoleBaro:
        v.baro = static_cast<float>(OffsetPlusLinear(raw, k, K::LoadFactor, K::LoadOffset));
        return Kind::Baro;
    case RoleEgtTemp:
        v.egtTemp = EgtTemp(raw, k, settings);
        return Kind::EgtTemp;
    case RoleIacAdjust:
        v.iacAdjust = LinearLessOffset(raw, k, K::IacAdjFactor, K::IacAdjOffset);
        return Kind::IacAdjust;
    case RoleTimeFromStart:
        v.timeFromStart = TimeFromStartLimit - SecondsPerTimeStep * raw;
        return Kind::TimeFromStart;
    default:
        break;
    }
    for (const PlainByteRole& plain : PlainByteRoles) {
        if (plain.role == role) {
            v.*plain.value = raw;
            return plain.kind;
        }
    }
    return Kind::None; // 49, 50, 55 and unknown codes: the raw byte is all there is
}
