#pragma once

#include "defs/LiveValues.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The three lines that open the program's own logs, which other tools and its own reader rely on:
//   KodraPower log file
//   Time,2026-07-12 10:49:56,Temperature,C,Speed,MPH
//   Elapsed Time (ms),RPM,MAP,CTS,IAT
// After the start time, the unit choice says what the temperatures and the road speed hold; logs
// written before it was recorded end that line at the time.
struct LogHeader {
    static constexpr std::string_view kTitle = "KodraPower log file";
    static constexpr std::string_view kTimeField = "Time";
    static constexpr char kSeparator = ',';
    static constexpr std::string_view kElapsedHeading = "Elapsed Time (ms)";
    static constexpr std::string_view kLineEnd = "\r\n";
    static constexpr std::size_t kLines = 3;

    std::string startText; // as written: "2026-07-12 10:49:56"
    std::optional<LiveSettings> units; // the unit choice, when the log records it
    std::vector<std::string> headings; // of the channels, after the elapsed time

    // The three lines, each with its line end.
    std::string Text() const;
    // What line 2 says; nothing when it is not a start line.
    static std::optional<LogHeader> FromStartLine(std::string_view line);
};
