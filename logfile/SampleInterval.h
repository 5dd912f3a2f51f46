#pragma once

#include <optional>
#include <string_view>

// The logger takes one sample per pixel of its first chart: a grid division of `gridSize`
// pixels spans the chosen time base, so the sample interval is time base x 1000 / grid size.
constexpr int kFirstChartGridSize = 25;
constexpr int kMsPerSecond = 1000;

// The time base "As fast as the line allows" as the settings file and the command line write it:
// a row each time the logged channels have all been read again, at the time they were (fast
// polling only).
inline constexpr std::string_view kFastTimeBase = "fast";
// The shortest time base offered, in seconds per division.
inline constexpr int kFastestTimeBase = 1;

// A time base in seconds per grid division: a whole number from 1 up whose interval still fits
// a timer's int milliseconds. Blanks around it are ignored; anything else gives nothing.
std::optional<int> ParseTimeBase(std::string_view text);

// Milliseconds between samples, truncated; nothing for a grid size of 0 or less.
std::optional<int> SampleIntervalFor(int timeBaseSeconds, int gridSize);
