#pragma once

#include <QString>

// A fixed-point readout (see FormatFixed) with the user's locale's decimal point, as the windows
// show their values. The value stays a float so that it rounds as the figure it displays as.
QString LocaleFixed(float value, int precision, int decimals);
