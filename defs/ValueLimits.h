#pragma once

#include "defs/LiveValueCatalogue.h"
#include "defs/LiveValues.h"

#include <functional>
#include <map>
#include <optional>
#include <string>

// The safe range of one live value: a value beyond a warning limit is worth a look, beyond an
// alarm limit it needs one now. Any of the four may be left out.
struct ValueLimits {
    std::optional<float> alarmLow;
    std::optional<float> warningLow;
    std::optional<float> warningHigh;
    std::optional<float> alarmHigh;

    bool IsEmpty() const { return !alarmLow && !warningLow && !warningHigh && !alarmHigh; }
    bool operator==(const ValueLimits&) const = default;
};

enum class LimitLevel {
    Normal,
    Warning,
    Alarm,
};

// Where a value stands against its limits, and which limit it is beyond when it is.
struct LimitReading {
    LimitLevel level = LimitLevel::Normal;
    bool high = false;
    float limit = 0;
};

// A value exactly at a limit is still inside it.
LimitReading ClassifyValue(const ValueLimits& limits, float value);

enum class LimitProblem {
    None,
    // A low limit at or above a high one leaves no normal range.
    LowAboveHigh,
    // An alarm limit inside the warning limit on its side: the alarm would come first.
    AlarmInsideWarning,
    NotFinite,
};
LimitProblem ProblemOf(const ValueLimits& limits);

// Limits are kept in degrees Celsius and kilometres per hour, whatever units the windows show,
// so that changing units never moves a limit. These give them in the chosen units and back.
ValueLimits LimitsInChosenUnits(const ValueLimits& kept, UnitChoice choice, const LiveSettings& settings);
ValueLimits LimitsFromChosenUnits(const ValueLimits& shown, UnitChoice choice, const LiveSettings& settings);

// Limits by catalogue identifier ("Rpm", "CoolantTemp"); a value not listed has none.
using LimitTable = std::map<std::string, ValueLimits, std::less<>>;

// What a new installation watches: coolant temperature, battery volts and engine speed.
LimitTable DefaultLimits();
