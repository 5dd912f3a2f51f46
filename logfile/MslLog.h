#pragma once

#include "logfile/LogReader.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// A log in the tab-delimited form that the common engine-tuning log viewers read:
//   "DazedErir log converted from kodralog.csv"
//   "Capture Date: 2026-07-12 10:49:56"
//   Time	RPM	MAP	...
//   s	rpm	mB	...
//   0.4	850	1013	...
// Quoted title lines, a names line, a units line, then one line per row with the time in
// seconds; an empty field stays empty (no value was read there). Lines end with "\r\n".
namespace MslLog {

inline constexpr std::string_view kExtension = ".msl";

// The whole text of `log`, read from the file named `sourceName`.
std::string Text(const LogContents& log, std::string_view sourceName);

// Writes the text to `target`, replacing a file there only once all of it is written; the reason
// when it could not be written.
std::optional<std::string> Write(
    const LogContents& log, std::string_view sourceName, const std::filesystem::path& target);

} // namespace MslLog
