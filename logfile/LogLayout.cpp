#include "logfile/LogLayout.h"

#include "defs/TextExcerpt.h"
#include "logfile/ChannelTables.h"
#include "logfile/LogFields.h"
#include "logfile/LogHeader.h"

#include <algorithm>
#include <array>
#include <initializer_list>

namespace {

// Separators in the order that wins a tie: a tab or a semicolon in a header is rarely text.
constexpr std::array<char, 3> kSeparators = { '\t', ';', ',' };
constexpr int kSecondsShift = 3; // milliseconds in a second, as a power of ten

// The lines of a text, "\n" or "\r\n" ended.
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
        const std::size_t stop = end == std::string_view::npos ? m_text.size() : end;
        line = m_text.substr(m_pos, stop - m_pos);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        m_pos = end == std::string_view::npos ? m_text.size() : end + 1;
        ++m_number;
        return true;
    }
    bool NextNonEmpty(std::string_view& line)
    {
        while (Next(line)) {
            if (!Trimmed(line).empty())
                return true;
        }
        return false;
    }
    std::size_t Number() const { return m_number; }
    std::size_t Offset() const { return m_pos; }

private:
    std::string_view m_text;
    std::size_t m_pos = 0;
    std::size_t m_number = 0;
};

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

bool IsTimeHeading(const std::string& lower)
{
    return lower.find("time") != std::string::npos || lower == "t" || lower.starts_with("t ")
        || lower.starts_with("t[") || lower.starts_with("t(") || lower.starts_with("t_");
}

// The unit a heading gives a time column: Unnamed when it does not say.
TimeUnit TimeUnitIn(const std::string& lower)
{
    if (ContainsAny(lower, { "(ms)", "[ms]", "_ms", " ms", "msec", "millis" }))
        return TimeUnit::Milliseconds;
    if (ContainsAny(lower, { "(s)", "[s]", "_s", " s", "(sec", "[sec", "second" }))
        return TimeUnit::Seconds;
    return TimeUnit::Unnamed;
}

// The unit a units row gives the time.
TimeUnit TimeUnitNamed(std::string_view unit)
{
    const std::string lower = Lower(unit);
    if (lower == "ms" || lower == "msec" || lower.starts_with("milli"))
        return TimeUnit::Milliseconds;
    if (lower == "s" || lower == "sec" || lower.starts_with("second"))
        return TimeUnit::Seconds;
    return TimeUnit::Unnamed;
}

// A line of text alone in quotes, as some tools put before their header ("Capture Date: ...").
bool IsQuotedTitle(std::string_view line)
{
    const std::size_t first = line.find_first_not_of(" \t");
    const std::size_t last = line.find_last_not_of(" \t");
    if (first == std::string_view::npos || last - first < 1)
        return false;
    line = line.substr(first, last - first + 1);
    return line.front() == '"' && line.back() == '"' && line.find('"', 1) == line.size() - 1;
}

// A heading "Name (unit)" or "Name [unit]" of another tool: the name and the unit apart.
void SplitUnit(std::string_view heading, std::string& name, std::string& unit)
{
    name = heading;
    unit.clear();
    for (const auto& [open, close] :
        { std::pair { std::string_view(" ("), ')' }, std::pair { std::string_view(" ["), ']' } }) {
        const std::size_t at = heading.rfind(open);
        if (at == std::string_view::npos || at == 0 || heading.back() != close)
            continue;
        name = heading.substr(0, at);
        unit = heading.substr(at + open.size(), heading.size() - at - open.size() - 1);
        return;
    }
}

class LayoutReader {
public:
    LayoutReader(std::string_view text, LogContents& log)
        : m_lines(text)
        , m_log(log)
    {
    }

    std::optional<LogLayout> Read()
    {
        std::string_view line;
        if (!m_lines.NextNonEmpty(line)) {
            Problem(0, 0, "the file is empty");
            return std::nullopt;
        }
        if (line == LogHeader::kTitle) {
            m_layout.ownLog = m_log.ownLog = true;
            std::string_view start;
            if (!m_lines.Next(start) || !m_lines.Next(line)) {
                Problem(m_lines.Number(), 0, "the header line is missing");
                return std::nullopt;
            }
            if (std::optional<LogHeader> header = LogHeader::FromStartLine(start)) {
                m_log.startText = header->startText;
                m_units = header->units;
            }
        } else {
            while (IsQuotedTitle(line) && m_lines.NextNonEmpty(line)) { }
        }
        m_headerLine = m_lines.Number();
        ReadHeader(line);
        m_layout.rowsOffset = m_lines.Offset();
        m_layout.linesBefore = m_lines.Number();
        if (!m_layout.ownLog)
            ReadUnitsRow();
        SetTimeUnit();
        m_log.headerLines = m_layout.linesBefore;
        return m_layout;
    }

private:
    void ReadHeader(std::string_view header)
    {
        m_layout.separator = m_layout.ownLog ? ',' : SeparatorOf(header);
        m_layout.numbers = FieldNumbers(m_layout.separator != ',');
        std::vector<std::string_view> fields;
        SplitFields(header, m_layout.separator, fields);
        m_layout.headings = fields.size();
        m_layout.fieldColumn.assign(fields.size(), LogLayout::kNoColumn);
        for (std::size_t i = 0; i < fields.size(); ++i) {
            const std::string_view heading = Trimmed(fields[i]);
            // Only for what the user is told: a heading may be megabytes long, or hold escapes.
            m_layout.fieldNames.push_back(Excerpt(heading));
            const std::string lower = Lower(heading);
            if (m_layout.timeField == LogLayout::kNoColumn && IsTimeHeading(lower)) {
                m_layout.timeField = i;
                m_timeUnit = TimeUnitIn(lower);
                m_log.timeHeading = heading;
                continue;
            }
            m_layout.fieldColumn[i] = m_log.columns.size();
            LogColumn& column = m_log.columns.emplace_back();
            if (m_layout.ownLog) {
                column.name = heading;
                column.unit = LogUnitOf(heading, m_units);
            } else {
                SplitUnit(heading, column.name, column.unit);
            }
        }
    }

    // A row of units under the header: no field of it is a number.
    void ReadUnitsRow()
    {
        LineCursor ahead = m_lines;
        std::string_view line;
        if (!ahead.NextNonEmpty(line))
            return;
        std::vector<std::string_view> fields;
        SplitFields(line, m_layout.separator, fields);
        bool named = false;
        for (const std::string_view field : fields) {
            const std::string_view text = Trimmed(field);
            double number = 0;
            if (!text.empty() && m_layout.numbers.Read(text, number))
                return;
            named = named || !text.empty();
        }
        if (!named)
            return;
        for (std::size_t i = 0; i < std::min(fields.size(), m_layout.headings); ++i) {
            const std::string_view unit = Trimmed(fields[i]);
            if (i == m_layout.timeField) {
                if (m_timeUnit == TimeUnit::Unnamed)
                    m_timeUnit = TimeUnitNamed(unit);
            } else if (!unit.empty()) {
                m_log.columns[m_layout.fieldColumn[i]].unit = unit;
            }
        }
        m_layout.rowsOffset = ahead.Offset();
        m_layout.linesBefore = ahead.Number();
    }

    void SetTimeUnit()
    {
        if (m_layout.timeField == LogLayout::kNoColumn) {
            Problem(m_headerLine, 0,
                "no time column (a heading such as \"Time (ms)\" or \"Time (s)\"): the rows are placed one "
                "second apart");
            return;
        }
        switch (m_timeUnit) {
        case TimeUnit::Unnamed:
            Problem(m_headerLine, m_layout.timeField + 1,
                QuotedExcerpt(m_log.timeHeading) + " does not name its unit (ms or s): taken as seconds");
            m_layout.timeShift = kSecondsShift;
            break;
        case TimeUnit::Seconds:
            m_layout.timeShift = kSecondsShift;
            break;
        case TimeUnit::Milliseconds:
        case TimeUnit::None:
            break;
        }
    }

    void Problem(std::size_t line, std::size_t column, std::string text)
    {
        m_log.AddProblem({ line, column, std::move(text) });
    }

    LineCursor m_lines;
    LogContents& m_log;
    LogLayout m_layout;
    std::optional<LiveSettings> m_units;
    std::size_t m_headerLine = 0;
    TimeUnit m_timeUnit = TimeUnit::None;
};

} // namespace

std::optional<LogLayout> ReadLayout(std::string_view text, LogContents& log)
{
    return LayoutReader(text, log).Read();
}
