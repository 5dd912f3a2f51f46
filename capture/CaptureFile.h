#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A capture: every byte the program wrote to the diagnostic line and read from it, with its time,
// kept as plain text so that people and scripts can read and write it:
//
//   # dazederir capture 1
//   # baud 15625
//   0.000 > 10 03 ED
//   0.640 < 10
//
// One line per chunk: milliseconds since the start (never going backwards), ">" for bytes written
// or "<" for bytes read (the interface's echo included), then the bytes in hexadecimal. Lines that
// start with "#" are comments; the first line names the format, a "# baud N" line the line speed.
enum class CaptureDirection { Written, Read };

struct CaptureChunk {
    double ms = 0;
    CaptureDirection direction = CaptureDirection::Written;
    std::vector<std::uint8_t> bytes;

    bool operator==(const CaptureChunk&) const = default;
};

struct CaptureLog {
    static constexpr int DefaultBaud = 15625;

    // The first "# baud" line's; later ones mark a change of speed during the session.
    int baud = DefaultBaud;
    std::vector<CaptureChunk> chunks;
};

struct CaptureRead {
    CaptureLog log;
    // Empty when the text was read; otherwise what is wrong, naming the line ("line 7: ...").
    std::string error;
    // The last line had no line end and could not be read: a recording cut off in the middle of
    // a write. Everything before it was taken.
    bool tornLastLine = false;

    bool Ok() const { return error.empty(); }
};

inline constexpr std::string_view CaptureFirstLine = "# dazederir capture 1";

// One line after the first, without its line end: a chunk (into `chunk`, its time not before
// `previousMs`), a baud line (into `baud` unless one was read before), a comment or a blank line.
// Empty when it was read, else what is wrong with it.
std::string ParseCaptureLine(
    std::string_view line, double previousMs, std::optional<int>& baud, std::optional<CaptureChunk>& chunk);
// The first line: empty when it names the format, else what is wrong.
std::string CheckCaptureFirstLine(std::string_view line);

// The lines as a recording writes them, each ending in LF.
std::string CaptureHeaderText();
std::string CaptureBaudLine(int baud);
std::string CaptureChunkLine(const CaptureChunk& chunk);
// A time as the lines give it: milliseconds with three decimals ("640.125").
std::string CaptureTimeText(double ms);
