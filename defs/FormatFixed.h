#pragma once

#include <concepts>
#include <string>
#include <string_view>

// The text of a fixed-point readout: `value` rounded half away from zero to at most `precision`
// significant digits and at most `decimals` digits after the separator, written with exactly
// `decimals` digits after it. When the rounded value has more integer digits than `precision`
// it is written in exponent form instead ("1.23E3"). The windows pass the locale's separator;
// files pass ".". Rounding works on the shortest decimal digits that read back as the value, so
// a float 0.45 rounds as the 0.45 it displays as, not as 0.44999998.
std::string FormatFixed(double value, int precision, int decimals, std::string_view decimalSeparator = ".");
std::string FormatFixed(float value, int precision, int decimals, std::string_view decimalSeparator = ".");

template <std::integral Integer>
std::string FormatFixed(Integer value, int precision, int decimals, std::string_view decimalSeparator = ".")
{
    return FormatFixed(static_cast<double>(value), precision, decimals, decimalSeparator);
}
