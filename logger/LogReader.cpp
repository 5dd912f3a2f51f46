#include "logger/LogReader.h"

#include "defs/TextExcerpt.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <fstream>
#include <limits>
#include <sstream>

namespace {

constexpr std::string_view kOwnTitle = "KodraPower log file";
constexpr std::size_t kOwnHeaderLine = 3; // title, start time, header
constexpr double kMsPerSecond = 1000.0;
// Separators in the order that wins a tie: a tab or a semicolon in a header is rarely text.
constexpr std::array<char, 3> kSeparators = { '\t', ';', ',' };
constexpr float kGap = std::numeric_limits<float>::quiet_NaN();

// The lines of a text, "\n" or "\r\n" ended; a last line without its end is marked so.
class LineCursor {
public:
    explicit LineCursor(std::string_view text)
        : m_text(text)
    {
    }

    // The next line without its end; false at the end of the text.
    bool Next(std::string_view& line)
    {
        if (m_pos >= m_text.size())
            return false;
        const std::size_t end = m_text.find('\n', m_pos);
        m_ended = end != std::string_view::npos;
        const std::size_t stop = m_ended ? end : m_text.size();
        line = m_text.substr(m_pos, stop - m_pos);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        m_pos = m_ended ? end + 1 : m_text.size();
        ++m_number;
        return true;
    }
    std::size_t Number() const { return m_number; }
    bool Ended() const { return m_ended; }
    std::size_t Remaining() const { return m_text.size() - m_pos; }
    // The length of the next line with its end.
    std::size_t NextLength() const
    {
        const std::size_t end = m_text.find('\n', m_pos);
        return (end == std::string_view::npos ? m_text.size() : end + 1) - m_pos;
    }

private:
    std::string_view m_text;
    std::size_t m_pos = 0;
    std::size_t m_number = 0;
    bool m_ended = true;
};

std::string_view Trimmed(std::string_view field)
{
    while (!field.empty() && (field.front() == ' ' || field.front() == '\t'))
        field.remove_prefix(1);
    while (!field.empty() && (field.back() == ' ' || field.back() == '\t'))
        field.remove_suffix(1);
    if (field.size() >= 2 && field.front() == '"' && field.back() == '"')
        field = field.substr(1, field.size() - 2);
    return field;
}

// Splits `line` at `separator` into `fields`, reusing its storage.
void Split(std::string_view line, char separator, std::vector<std::string_view>& fields)
{
    fields.clear();
    std::size_t start = 0;
    while (true) {
        const std::size_t end = line.find(separator, start);
        if (end == std::string_view::npos) {
            fields.push_back(line.substr(start));
            return;
        }
        fields.push_back(line.substr(start, end - start));
        start = end + 1;
    }
}

char SeparatorOf(std::string_view header)
{
    char best = ',';
    std::ptrdiff_t most = 0;
    for (const char separator : kSeparators) {
        const std::ptrdiff_t count = std::count(header.begin(), header.end(), separator);
        if (count > most) {
            most = count;
            best = separator;
        }
    }
    return best;
}

std::string Lower(std::string_view text)
{
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
        [](unsigned char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c); });
    return lower;
}

bool ContainsAny(const std::string& text, std::initializer_list<std::string_view> parts)
{
    return std::any_of(parts.begin(), parts.end(),
        [&text](std::string_view part) { return text.find(part) != std::string::npos; });
}

enum class TimeUnit { None, Milliseconds, Seconds, Unnamed };

// The unit a heading gives a time column, None for a heading that is not a time.
TimeUnit TimeUnitOf(std::string_view heading)
{
    const std::string lower = Lower(heading);
    const bool time = lower.find("time") != std::string::npos || lower == "t" || lower.starts_with("t ")
        || lower.starts_with("t[") || lower.starts_with("t(") || lower.starts_with("t_");
    if (!time)
        return TimeUnit::None;
    if (ContainsAny(lower, { "(ms)", "[ms]", "_ms", " ms", "msec", "millis" }))
        return TimeUnit::Milliseconds;
    if (ContainsAny(lower, { "(s)", "[s]", "_s", " s", "(sec", "[sec", "second" }))
        return TimeUnit::Seconds;
    return TimeUnit::Unnamed;
}

bool ParseNumber(std::string_view text, float& value)
{
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size() && std::isfinite(value);
}

bool ParseNumber(std::string_view text, double& value)
{
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size() && std::isfinite(value);
}

// A short excerpt: a cell may be megabytes long, or hold escape sequences meant for a terminal.
std::string Quote(std::string_view text)
{
    return QuotedExcerpt(text);
}

class Reader {
public:
    explicit Reader(LogContents& log)
        : m_log(log)
    {
    }

    void Read(std::string_view text)
    {
        LineCursor lines(text);
        std::string_view line;
        if (!NextNonEmpty(lines, line)) {
            Problem(0, 0, "the file is empty");
            return;
        }
        if (line == kOwnTitle) {
            m_log.ownLog = true;
            while (lines.Number() < kOwnHeaderLine && lines.Next(line)) { }
            if (lines.Number() < kOwnHeaderLine) {
                Problem(lines.Number(), 0, "the header line is missing");
                return;
            }
        }
        m_headerLine = lines.Number();
        ReadHeader(line);
        m_log.timesMs.reserve(EstimatedRows(lines.Remaining(), lines.NextLength()));
        while (lines.Next(line)) {
            if (line.empty())
                continue;
            // A line cut short (the program was killed while writing it): what it holds cannot be
            // trusted. Another tool may leave the last line without an end: it counts when whole.
            Split(line, m_separator, m_fields);
            if (!lines.Ended() && (m_log.ownLog || m_fields.size() < m_headings)) {
                Problem(lines.Number(), 0, "the last line is cut short and is not read");
                break;
            }
            ReadRow(lines.Number());
        }
    }

private:
    static bool NextNonEmpty(LineCursor& lines, std::string_view& line)
    {
        while (lines.Next(line)) {
            if (!Trimmed(line).empty())
                return true;
        }
        return false;
    }

    static std::size_t EstimatedRows(std::size_t remaining, std::size_t firstRowLength)
    {
        // As if every row were as long as the first: an estimate only saves regrowing, so only the
        // times, the one column small enough to be over-reserved for a short first row, take it.
        return remaining / std::max<std::size_t>(firstRowLength, 1) + 1;
    }

    void ReadHeader(std::string_view header)
    {
        m_separator = m_log.ownLog ? ',' : SeparatorOf(header);
        Split(header, m_separator, m_fields);
        m_headings = m_fields.size();
        TimeUnit unit = TimeUnit::None;
        m_fieldColumn.assign(m_headings, kNoField);
        for (std::size_t i = 0; i < m_fields.size(); ++i) {
            const std::string_view heading = Trimmed(m_fields[i]);
            const TimeUnit found = TimeUnitOf(heading);
            if (m_timeField == kNoField && found != TimeUnit::None) {
                m_timeField = i;
                unit = found;
                m_log.timeHeading = heading;
                continue;
            }
            m_fieldColumn[i] = m_log.columns.size();
            m_log.columns.push_back({ std::string(heading), {} });
        }
        switch (unit) {
        case TimeUnit::None:
            Problem(m_headerLine, 0,
                "no time column (a heading such as \"Time (ms)\" or \"Time (s)\"): the rows are placed one "
                "second apart");
            break;
        case TimeUnit::Unnamed:
            Problem(m_headerLine, m_timeField + 1,
                Quote(m_log.timeHeading) + " does not name its unit (ms or s): taken as seconds");
            m_timeScale = kMsPerSecond;
            break;
        case TimeUnit::Seconds:
            m_timeScale = kMsPerSecond;
            break;
        case TimeUnit::Milliseconds:
            break;
        }
    }

    void ReadRow(std::size_t lineNumber)
    {
        double timeMs = static_cast<double>(m_log.timesMs.size()) * kMsPerSecond;
        if (m_timeField != kNoField) {
            const std::string_view text = m_timeField < m_fields.size() ? Trimmed(m_fields[m_timeField]) : "";
            double time = 0;
            if (!ParseNumber(text, time)) {
                Problem(lineNumber, m_timeField + 1,
                    Excerpt(m_log.timeHeading) + ": " + Quote(text) + " is not a time; the row is not read");
                return;
            }
            timeMs = time * m_timeScale;
            if (!m_log.timesMs.empty() && timeMs < m_log.timesMs.back()) {
                Problem(lineNumber, m_timeField + 1,
                    Excerpt(m_log.timeHeading) + ": the time goes back to " + Excerpt(text)
                        + "; the row is not read");
                return;
            }
        }
        if (m_fields.size() != m_headings) {
            Problem(lineNumber, 0,
                std::to_string(m_fields.size()) + " fields where the header has " + std::to_string(m_headings)
                    + (m_fields.size() < m_headings ? "; the missing ones are gaps"
                                                    : "; the extra ones are not read"));
        }
        m_log.timesMs.push_back(timeMs);
        for (std::size_t i = 0; i < m_headings; ++i) {
            if (i == m_timeField)
                continue;
            LogColumn& column = m_log.columns[m_fieldColumn[i]];
            const std::string_view text = i < m_fields.size() ? Trimmed(m_fields[i]) : "";
            float value = kGap;
            if (!text.empty() && !ParseNumber(text, value)) {
                Problem(lineNumber, i + 1,
                    Excerpt(column.name) + ": " + Quote(text) + " is not a number; read as a gap");
                value = kGap;
            }
            column.values.push_back(value);
        }
    }

    void Problem(std::size_t line, std::size_t column, std::string text)
    {
        if (m_log.problems.size() < LogContents::kListedProblems)
            m_log.problems.push_back({ line, column, std::move(text) });
        else
            ++m_log.unlistedProblems;
    }

    static constexpr std::size_t kNoField = std::numeric_limits<std::size_t>::max();

    LogContents& m_log;
    char m_separator = ',';
    std::size_t m_headerLine = 0;
    std::size_t m_headings = 0;
    std::size_t m_timeField = kNoField;
    double m_timeScale = 1.0;
    std::vector<std::size_t> m_fieldColumn; // the column of each field, kNoField for the time's
    std::vector<std::string_view> m_fields;
};

} // namespace

const LogColumn* LogContents::Column(std::string_view name) const
{
    const auto found = std::find_if(
        columns.begin(), columns.end(), [name](const LogColumn& column) { return column.name == name; });
    return found == columns.end() ? nullptr : &*found;
}

LogContents ReadLogText(std::string_view text)
{
    LogContents log;
    Reader(log).Read(text);
    return log;
}

LogFile ReadLogFile(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return { {}, "cannot open " + path.string() };
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    std::string text;
    if (!ec) {
        text.resize(static_cast<std::size_t>(size));
        file.read(text.data(), static_cast<std::streamsize>(text.size()));
        text.resize(static_cast<std::size_t>(file.gcount()));
    } else {
        std::ostringstream all;
        all << file.rdbuf();
        text = all.str();
    }
    if (file.bad())
        return { {}, "cannot read " + path.string() };
    return { ReadLogText(text), std::nullopt };
}

std::string ProblemText(const LogProblem& problem)
{
    std::string text = "line " + std::to_string(problem.line);
    if (problem.column != 0)
        text += ", column " + std::to_string(problem.column);
    return text + ": " + problem.text;
}
