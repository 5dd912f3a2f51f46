#pragma once

#include "defs/LiveValues.h"
#include "defs/ValueLimits.h"

#include <set>
#include <string>
#include <vector>

// An alarm that began: the value (catalogue identifier) and the limit it went beyond.
struct AlarmStart {
    std::string value;
    LimitReading reading;
};

// Tells when alarms begin. An alarm lasts until its value is back within its warning limits (or
// within the alarm limit where there is no warning limit), so a value that wavers about an alarm
// limit makes one alarm, not one for each crossing.
class AlarmWatch {
public:
    // Takes the values of one moment. Only a `live` moment counts: any other ends every alarm
    // without a word, so nothing replayed or held from before a lost link ever raises one.
    // Returns the alarms that began with it, in catalogue order.
    std::vector<AlarmStart> Update(
        const LimitTable& limits, const LiveValues& values, const LiveSettings& settings, bool live);
    // The values beyond an alarm limit now, in catalogue order; none unless live.
    const std::vector<std::string>& InAlarm() const { return m_inAlarm; }

private:
    std::set<std::string, std::less<>> m_running;
    std::vector<std::string> m_inAlarm;
};

// The value against its limits, in the units the settings choose.
LimitReading ClassifyLiveValue(const LiveValueRow& row, const ValueLimits& keptLimits,
    const LiveValues& values, const LiveSettings& settings);
