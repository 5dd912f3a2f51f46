#include "logfile/LogMarker.h"

#include <algorithm>
#include <charconv>

namespace {

constexpr char kSeparator = ',';
constexpr unsigned char kFirstPrintable = 0x20;
constexpr unsigned char kDelete = 0x7f;
// Bytes 10xxxxxx continue a UTF-8 character.
constexpr unsigned char kContinuationMask = 0xc0;
constexpr unsigned char kContinuation = 0x80;

template <typename Number> std::optional<Number> WholeNumber(std::string_view text)
{
    Number value {};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

} // namespace

std::string LogMarkerLine::Text(int number, std::int64_t ms, std::string_view note)
{
    std::string line(kPrefix);
    line += std::to_string(number);
    line += kSeparator;
    line += std::to_string(ms);
    line += kSeparator;
    line += MarkerNote(note);
    line += "\r\n";
    return line;
}

std::optional<LogMarker> LogMarkerLine::Read(std::string_view line)
{
    if (!Is(line))
        return std::nullopt;
    line.remove_prefix(kPrefix.size());
    const std::size_t numberEnd = line.find(kSeparator);
    if (numberEnd == std::string_view::npos)
        return std::nullopt;
    const std::size_t msEnd = line.find(kSeparator, numberEnd + 1);
    if (msEnd == std::string_view::npos)
        return std::nullopt;
    const std::optional<int> number = WholeNumber<int>(line.substr(0, numberEnd));
    const std::optional<std::int64_t> ms
        = WholeNumber<std::int64_t>(line.substr(numberEnd + 1, msEnd - numberEnd - 1));
    if (!number || *number < 1 || !ms || *ms < 0)
        return std::nullopt;
    return LogMarker { *number, static_cast<double>(*ms), MarkerNote(line.substr(msEnd + 1)) };
}

std::string MarkerNote(std::string_view typed)
{
    std::string note;
    for (const char c : typed) {
        const auto byte = static_cast<unsigned char>(c);
        note += byte < kFirstPrintable || byte == kDelete ? ' ' : c;
    }
    const std::size_t first = note.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    note.erase(0, first);
    note.erase(note.find_last_not_of(' ') + 1);
    if (note.size() > LogMarkerLine::kMostNoteBytes) {
        std::size_t cut = LogMarkerLine::kMostNoteBytes;
        while (cut > 0 && (static_cast<unsigned char>(note[cut]) & kContinuationMask) == kContinuation)
            --cut;
        note.erase(cut);
    }
    return note;
}

void TakeMarker(std::vector<LogMarker>& markers, LogMarker marker)
{
    const auto same = std::find_if(markers.begin(), markers.end(),
        [&marker](const LogMarker& known) { return known.number == marker.number; });
    if (same != markers.end())
        same->note = std::move(marker.note);
    else
        markers.push_back(std::move(marker));
}
