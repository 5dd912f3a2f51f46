#pragma once

#include "defs/LiveValueCatalogue.h"
#include "defs/ValueLimits.h"

#include <QString>
#include <QStringList>

#include <string>
#include <vector>

// The texts the limits and alarms are told in, in the window's language.
namespace LimitTexts {

// What the windows call the value: its data viewer caption, else its log channel name, else its
// identifier ("RPM", "Battery (V)", "MAP").
QString ValueName(const LiveValueRow& row);
// The limit as the windows show it: no more digits than it needs ("14.8", "6500").
QString LimitNumber(float limit);
// The note of the marker an alarm adds to a recording: "Alarm: RPM above 6500".
QString AlarmNote(const LiveValueRow& row, const LimitReading& reading);
// The status bar's text for the values in alarm ("Alarm: RPM, CTS"); empty for none.
QString AlarmStatus(const std::vector<std::string>& valuesInAlarm);
// Why the limits typed for a value cannot be taken.
QString ProblemText(const LiveValueRow& row, LimitProblem problem);

} // namespace LimitTexts
