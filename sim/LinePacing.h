#pragma once

// A byte on the line takes ten bit times: start bit, eight data bits, stop bit.
inline constexpr int BitsPerLineByte = 10;

inline double LineByteSeconds(int baud)
{
    return static_cast<double>(BitsPerLineByte) / baud;
}
