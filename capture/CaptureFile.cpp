#include "capture/CaptureFile.h"

#include "defs/Blanks.h"
#include "defs/TextExcerpt.h"
#include "defs/WholeNumber.h"
#include "link/EcuFrame.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <optional>

namespace {

constexpr std::string_view BaudPrefix = "# baud ";
constexpr int TimeDecimals = 3; // microseconds: finer than any serial driver's timing
constexpr int HexBase = 16;
// Thirty years of milliseconds: a longer time is no recording's, and would not fit its text.
constexpr double LongestMs = 1e12;

struct LineError {
    std::string text;
};

// The next blank-separated word of `text`, taken off its front.
std::string_view NextWord(std::string_view& text)
{
    text = WithoutBlanks(text);
    std::size_t end = 0;
    while (end < text.size() && !IsBlank(text[end]))
        ++end;
    const std::string_view word = text.substr(0, end);
    text.remove_prefix(end);
    return word;
}

std::optional<double> ParseMs(std::string_view word)
{
    // Digits first: from_chars alone would take "inf" or "nan".
    if (word.empty() || std::isdigit(static_cast<unsigned char>(word.front())) == 0)
        return std::nullopt;
    double value = 0;
    const auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (ec != std::errc() || end != word.data() + word.size() || !(value <= LongestMs))
        return std::nullopt;
    return value;
}

std::optional<std::uint8_t> ParseHexByte(std::string_view word)
{
    if (word.size() != 2)
        return std::nullopt;
    unsigned value = 0;
    const auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), value, HexBase);
    if (ec != std::errc() || end != word.data() + word.size())
        return std::nullopt;
    return static_cast<std::uint8_t>(value);
}

// One chunk line; `previousMs` is the time of the chunk before it.
std::optional<LineError> ParseChunkLine(std::string_view line, double previousMs, CaptureChunk& chunk)
{
    std::string_view rest = line;
    const std::string_view time = NextWord(rest);
    const std::optional<double> ms = ParseMs(time);
    if (!ms)
        return LineError { QuotedExcerpt(time) + " is not a time in milliseconds" };
    if (*ms < previousMs)
        return LineError { "the time " + Excerpt(time) + " goes back before the line above" };
    const std::string_view arrow = NextWord(rest);
    if (arrow != ">" && arrow != "<")
        return LineError { "expected > or < after the time, not " + QuotedExcerpt(arrow) };
    chunk.ms = *ms;
    chunk.direction = arrow == ">" ? CaptureDirection::Written : CaptureDirection::Read;
    chunk.bytes.clear();
    for (std::string_view word = NextWord(rest); !word.empty(); word = NextWord(rest)) {
        const std::optional<std::uint8_t> byte = ParseHexByte(word);
        if (!byte)
            return LineError { QuotedExcerpt(word) + " is not a byte of two hexadecimal digits" };
        chunk.bytes.push_back(*byte);
    }
    return std::nullopt;
}

std::optional<LineError> ParseBaudLine(std::string_view line, std::optional<int>& baud)
{
    const std::string_view number = WithoutBlanks(line.substr(BaudPrefix.size()));
    const std::optional<int> value = ParseWholeNumber(number);
    if (!value || *value <= 0)
        return LineError { QuotedExcerpt(number) + " is not a line speed" };
    if (!baud)
        baud = *value;
    return std::nullopt;
}

} // namespace

std::string CheckCaptureFirstLine(std::string_view line)
{
    if (WithoutBlanks(line) != CaptureFirstLine)
        return "not a capture file: the first line is not " + QuotedExcerpt(CaptureFirstLine);
    return {};
}

std::string ParseCaptureLine(
    std::string_view line, double previousMs, std::optional<int>& baud, std::optional<CaptureChunk>& chunk)
{
    chunk.reset();
    std::optional<LineError> error;
    if (line.starts_with(BaudPrefix)) {
        error = ParseBaudLine(line, baud);
    } else if (!line.starts_with('#') && !WithoutBlanks(line).empty()) {
        CaptureChunk read;
        error = ParseChunkLine(line, previousMs, read);
        if (!error)
            chunk = std::move(read);
    }
    return error ? error->text : std::string();
}

std::string CaptureHeaderText()
{
    return std::string(CaptureFirstLine) + "\n";
}

std::string CaptureBaudLine(int baud)
{
    return std::string(BaudPrefix) + std::to_string(baud) + "\n";
}

std::string CaptureTimeText(double ms)
{
    char time[32];
    const auto result
        = std::to_chars(std::begin(time), std::end(time), ms, std::chars_format::fixed, TimeDecimals);
    return { time, result.ptr };
}

std::string CaptureChunkLine(const CaptureChunk& chunk)
{
    std::string line = CaptureTimeText(chunk.ms);
    line += chunk.direction == CaptureDirection::Written ? " >" : " <";
    for (const std::uint8_t byte : chunk.bytes) {
        line += ' ';
        line += HexByteText(byte);
    }
    line += '\n';
    return line;
}
