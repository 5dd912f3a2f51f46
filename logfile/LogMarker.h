#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A moment the technician marked while recording: numbered from 1 in the order made, at the time
// of the row taken last, with a short note that may come later.
struct LogMarker {
    int number = 0;
    double ms = 0;
    std::string note;

    bool operator==(const LogMarker&) const = default;
};

// How a marker stands in a log: a line of its own among the rows, right after the row it marks,
//   #marker,3,12040,misfire at full load
// (number, elapsed ms, note: the rest of the line, commas and all). A note typed later is the same
// line again with the note: the last line of a number gives its note. A log without markers has no
// such line, so it is exactly the file it always was; and '#' opens a comment for most CSV tools.
namespace LogMarkerLine {

inline constexpr std::string_view kPrefix = "#marker,";
// Longer notes are cut: a marker names a moment, the report says the rest.
inline constexpr std::size_t kMostNoteBytes = 200;

// The line, with its "\r\n".
std::string Text(int number, std::int64_t ms, std::string_view note);
// Whether `line` (without its line end) is a marker line, readable or not.
inline bool Is(std::string_view line)
{
    return line.starts_with(kPrefix);
}
// The marker a line (without its line end) holds; nothing when it holds none.
std::optional<LogMarker> Read(std::string_view line);

} // namespace LogMarkerLine

// A note as it can stand in a line: line breaks and other control characters become blanks, blanks
// around it go, and it is cut to LogMarkerLine::kMostNoteBytes without splitting a character.
std::string MarkerNote(std::string_view typed);

// Adds a marker read from a line: a number met before takes the later note.
void TakeMarker(std::vector<LogMarker>& markers, LogMarker marker);
