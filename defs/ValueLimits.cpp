#include "defs/ValueLimits.h"

#include "defs/UnitConversions.h"

#include <array>
#include <cmath>

namespace {

// clang-format off
// Defaults a workshop would start from. The battery's alarm limits are where its box has always
// turned red.
constexpr float CoolantWarning = 105.0f; // degrees Celsius
constexpr float CoolantAlarm   = 115.0f;
constexpr float BatteryAlarmLow    = 9.0f; // volts
constexpr float BatteryWarningLow  = 11.5f;
constexpr float BatteryWarningHigh = 14.6f;
constexpr float BatteryAlarmHigh   = 14.8f;
constexpr float RpmWarning = 6000.0f;
constexpr float RpmAlarm   = 6500.0f;
// clang-format on

bool Beyond(const std::optional<float>& limit, float value, bool high)
{
    return limit && (high ? value > *limit : value < *limit);
}

// Every limit, each converted by `convert`.
template <typename Convert> ValueLimits Converted(const ValueLimits& limits, Convert convert)
{
    const auto each = [&convert](const std::optional<float>& limit) {
        return limit ? std::optional<float>(convert(*limit)) : std::nullopt;
    };
    return { each(limits.alarmLow), each(limits.warningLow), each(limits.warningHigh),
        each(limits.alarmHigh) };
}

bool Fahrenheit(const LiveSettings& settings)
{
    return settings.temperatureUnit == LiveSettings::kFahrenheit;
}

bool MilesPerHour(const LiveSettings& settings)
{
    return settings.speedUnit == LiveSettings::kMilesPerHour;
}

} // namespace

LimitReading ClassifyValue(const ValueLimits& limits, float value)
{
    // Alarms first: a value beyond an alarm limit is beyond its warning limit too.
    if (Beyond(limits.alarmHigh, value, true))
        return { LimitLevel::Alarm, true, *limits.alarmHigh };
    if (Beyond(limits.alarmLow, value, false))
        return { LimitLevel::Alarm, false, *limits.alarmLow };
    if (Beyond(limits.warningHigh, value, true))
        return { LimitLevel::Warning, true, *limits.warningHigh };
    if (Beyond(limits.warningLow, value, false))
        return { LimitLevel::Warning, false, *limits.warningLow };
    return {};
}

LimitProblem ProblemOf(const ValueLimits& limits)
{
    const std::array all { limits.alarmLow, limits.warningLow, limits.warningHigh, limits.alarmHigh };
    for (const std::optional<float>& limit : all) {
        if (limit && !std::isfinite(*limit))
            return LimitProblem::NotFinite;
    }
    for (const std::optional<float>& low : { limits.alarmLow, limits.warningLow }) {
        for (const std::optional<float>& high : { limits.warningHigh, limits.alarmHigh }) {
            if (low && high && *low >= *high)
                return LimitProblem::LowAboveHigh;
        }
    }
    const bool lowInside = limits.alarmLow && limits.warningLow && *limits.alarmLow > *limits.warningLow;
    const bool highInside = limits.alarmHigh && limits.warningHigh && *limits.alarmHigh < *limits.warningHigh;
    return lowInside || highInside ? LimitProblem::AlarmInsideWarning : LimitProblem::None;
}

ValueLimits LimitsInChosenUnits(const ValueLimits& kept, UnitChoice choice, const LiveSettings& settings)
{
    if (choice == UnitChoice::Temperature && Fahrenheit(settings)) {
        return Converted(
            kept, [](float celsius) { return celsius * FahrenheitPerCelsius + FahrenheitAtFreezing; });
    }
    if (choice == UnitChoice::Speed && MilesPerHour(settings))
        return Converted(kept, [](float kph) { return kph * KphToMph; });
    return kept;
}

ValueLimits LimitsFromChosenUnits(const ValueLimits& shown, UnitChoice choice, const LiveSettings& settings)
{
    if (choice == UnitChoice::Temperature && Fahrenheit(settings)) {
        return Converted(shown,
            [](float fahrenheit) { return (fahrenheit - FahrenheitAtFreezing) / FahrenheitPerCelsius; });
    }
    if (choice == UnitChoice::Speed && MilesPerHour(settings))
        return Converted(shown, [](float mph) { return mph / KphToMph; });
    return shown;
}

LimitTable DefaultLimits()
{
    return {
        { "CoolantTemp", { std::nullopt, std::nullopt, CoolantWarning, CoolantAlarm } },
        { "BatteryVolts", { BatteryAlarmLow, BatteryWarningLow, BatteryWarningHigh, BatteryAlarmHigh } },
        { "Rpm", { std::nullopt, std::nullopt, RpmWarning, RpmAlarm } },
    };
}
