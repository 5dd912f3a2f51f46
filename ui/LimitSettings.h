#pragma once

#include "defs/ValueLimits.h"
#include "ini/IniFile.h"

// The limits as kept in "kodradash.ini": under [Limits], four keys a value, "Rpm High Alarm=6500",
// temperatures in degrees Celsius and speeds in km/h; an empty value is a limit cleared. A file
// without any limit key gives the default limits. A value whose keys do not make sound limits (a
// word, a low limit above a high one) gets its default limits, so a hand-edited file never
// leaves a value watched against nonsense.
LimitTable ReadLimits(const IniFile& ini);
// Adds the keys only once the limits differ from the defaults, so that a file written by a
// program that does not know them comes back as it was.
void WriteLimits(IniFile& ini, const LimitTable& limits);
