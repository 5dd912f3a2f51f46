#include "logfile/LogRows.h"

#include "defs/TextExcerpt.h"
#include "logfile/LogFields.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>

namespace {

constexpr float kGap = std::numeric_limits<float>::quiet_NaN();
// Lines read between two reports of progress (and looks at whether the read was cancelled).
constexpr std::size_t kLinesPerReport = 4096;

std::string TimeGoesBack(std::string_view heading, std::string_view timeText)
{
    return std::string(heading) + ": the time goes back to " + Excerpt(timeText) + "; the row is not read";
}

// Reads each line in one pass: a field's end and its number are found together, and only a
// field that is no plain decimal is looked at again.
class RowsReader {
public:
    RowsReader(const LogLayout& layout, RowBlock& block, const RowTarget& target)
        : m_layout(layout)
        , m_block(block)
        , m_target(target)
    {
    }

    void Read(ReadProgress* progress)
    {
        const char* const begin = m_block.text.data();
        const char* const end = begin + m_block.text.size();
        const char* p = begin;
        const char* reported = begin;
        std::size_t line = m_block.firstLine;
        for (std::size_t count = 1; p < end; ++line, ++count) {
            p = ReadLine(p, end, line);
            if (progress && count % kLinesPerReport == 0) {
                progress->Advance(static_cast<std::size_t>(p - reported));
                reported = p;
                if (progress->Cancelled())
                    return;
            }
        }
        if (progress)
            progress->Advance(static_cast<std::size_t>(p - reported));
    }

private:
    // Where the field that starts at `p` ends: at the separator, the line's end ("\r\n" or
    // "\n") or the end of the text.
    const char* FieldEnd(const char* p, const char* end) const
    {
        for (; p != end; ++p) {
            if (*p == m_layout.separator || *p == '\n' || (*p == '\r' && (p + 1 == end || p[1] == '\n')))
                return p;
        }
        return p;
    }

    // Reads the marker line that starts at `p`; returns where the next line starts.
    const char* ReadMarker(const char* p, const char* end, std::size_t lineNumber)
    {
        const char* const lineEnd = std::find(p, end, '\n');
        std::string_view line(p, static_cast<std::size_t>(lineEnd - p));
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (lineEnd == end && m_block.endsFile)
            Problem({ lineNumber, 0, "the last line is cut short and is not read" });
        else if (std::optional<LogMarker> marker = LogMarkerLine::Read(line))
            m_block.markers.push_back(std::move(*marker));
        else
            Problem({ lineNumber, 0, QuotedExcerpt(line) + " is not a marker; it is not read" });
        return lineEnd == end ? end : lineEnd + 1;
    }

    // Reads the line that starts at `p`; returns where the next one starts.
    const char* ReadLine(const char* p, const char* end, std::size_t lineNumber)
    {
        if (m_layout.ownLog
            && LogMarkerLine::Is(std::string_view(
                p, std::min<std::size_t>(LogMarkerLine::kPrefix.size(), static_cast<std::size_t>(end - p)))))
            return ReadMarker(p, end, lineNumber);
        const char* const lineStart = p;
        const std::size_t row = m_block.rows;
        m_pending.clear();
        m_timeProblem.reset();
        std::size_t field = 0;
        bool timeRead = false;
        double timeMs = 0;
        for (;; ++field) {
            const char* const start = p;
            float value = kGap;
            bool read = false;
            p = m_layout.numbers.Scan(p, end, value, read);
            const char* const stop = FieldEnd(p, end);
            read = read && stop == p;
            p = stop;
            if (field < m_layout.headings) {
                const std::string_view text(start, static_cast<std::size_t>(stop - start));
                if (field == m_layout.timeField)
                    timeRead = ReadTime(text, lineNumber, timeMs);
                else
                    m_target.columns[m_layout.fieldColumn[field]][row]
                        = read ? value : Value(field, text, lineNumber);
            }
            if (p == end || *p != m_layout.separator)
                break;
            ++p;
        }
        const std::size_t fields = field + 1;
        const bool blank = fields == 1 && p == lineStart;
        // The field ended at "\r\n", "\n", a last "\r" or the end of the text.
        if (p != end && *p == '\r')
            ++p;
        const bool ended = p != end;
        if (ended)
            ++p;
        if (blank)
            return p;
        // A line cut short (the program was killed while writing it): what it holds cannot be
        // trusted. Another tool may leave the last line without an end: it counts when whole.
        if (!ended && m_block.endsFile && (m_layout.ownLog || fields < m_layout.headings)) {
            Problem({ lineNumber, 0, "the last line is cut short and is not read" });
            return p;
        }
        if (m_layout.timeField != LogLayout::kNoColumn && fields <= m_layout.timeField) {
            m_timeProblem = LogProblem { lineNumber, m_layout.timeField + 1,
                m_layout.fieldNames[m_layout.timeField] + ": \"\" is not a time; the row is not read" };
        }
        if (m_timeProblem) {
            Problem(std::move(*m_timeProblem));
            return p;
        }
        if (fields != m_layout.headings) {
            Problem({ lineNumber, 0,
                std::to_string(fields) + " fields where the header has " + std::to_string(m_layout.headings)
                    + (fields < m_layout.headings ? "; the missing ones are gaps"
                                                  : "; the extra ones are not read") });
        }
        for (LogProblem& problem : m_pending)
            Problem(std::move(problem));
        for (std::size_t missing = fields; missing < m_layout.headings; ++missing) {
            if (missing != m_layout.timeField)
                m_target.columns[m_layout.fieldColumn[missing]][row] = kGap;
        }
        if (timeRead) {
            m_target.times[row] = timeMs;
            m_block.latestMs = timeMs;
        }
        ++m_block.rows;
        return p;
    }

    bool ReadTime(std::string_view text, std::size_t lineNumber, double& timeMs)
    {
        const std::size_t field = m_layout.timeField;
        if (!m_layout.numbers.Read(text, timeMs, m_layout.timeShift)) {
            text = Trimmed(text);
            if (!m_layout.numbers.Read(text, timeMs, m_layout.timeShift)) {
                m_timeProblem = LogProblem { lineNumber, field + 1,
                    m_layout.fieldNames[field] + ": " + QuotedExcerpt(text)
                        + " is not a time; the row is not read" };
                return false;
            }
        }
        if (timeMs < m_block.latestMs) {
            m_timeProblem = LogProblem { lineNumber, field + 1,
                TimeGoesBack(m_layout.fieldNames[field], Trimmed(text)) };
            return false;
        }
        return true;
    }

    float Value(std::size_t field, std::string_view text, std::size_t lineNumber)
    {
        float value = kGap;
        // Blanks and quotes are taken off only where the plain reading failed.
        if (text.empty() || m_layout.numbers.Read(text, value))
            return value;
        text = Trimmed(text);
        if (text.empty() || m_layout.numbers.Read(text, value))
            return value;
        m_pending.push_back({ lineNumber, field + 1,
            m_layout.fieldNames[field] + ": " + QuotedExcerpt(text) + " is not a number; read as a gap" });
        return kGap;
    }

    void Problem(LogProblem problem)
    {
        if (m_block.problems.size() < LogContents::kListedProblems)
            m_block.problems.push_back(std::move(problem));
        else
            ++m_block.unlistedProblems;
    }

    const LogLayout& m_layout;
    RowBlock& m_block;
    const RowTarget& m_target;
    // Problems of the line being read, said only if its row is read.
    std::vector<LogProblem> m_pending;
    std::optional<LogProblem> m_timeProblem;
};

} // namespace

void ReadRows(const LogLayout& layout, RowBlock& block, const RowTarget& target, ReadProgress* progress)
{
    RowsReader(layout, block, target).Read(progress);
}
