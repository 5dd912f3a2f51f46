#include "logfile/LogReader.h"

#include "defs/FileKind.h"
#include "logfile/LogLayout.h"
#include "logfile/LogRows.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <functional>
#include <memory>
#include <sys/stat.h>
#include <thread>

namespace {

constexpr double kMsPerSecond = 1000.0;
// A stretch of rows smaller than this is not worth a thread of its own.
constexpr std::size_t kLeastBlockBytes = std::size_t { 1 } << 20;
constexpr unsigned kMostThreads = 8;
// The file is read in pieces this large, so that its reading shows progress and can be cancelled.
constexpr std::size_t kReadPieceBytes = std::size_t { 8 } << 20;

// Runs `work(0)` .. `work(count - 1)` at once, the first on this thread.
void RunTogether(std::size_t count, const std::function<void(std::size_t)>& work)
{
    std::vector<std::jthread> others;
    others.reserve(count > 0 ? count - 1 : 0);
    for (std::size_t i = 1; i < count; ++i)
        others.emplace_back(work, i);
    if (count > 0)
        work(0);
}

// Whole lines of `text` in about `count` stretches of like size.
std::vector<RowBlock> BlocksOf(std::string_view text, std::size_t count)
{
    std::vector<RowBlock> blocks;
    std::size_t start = 0;
    for (std::size_t i = 1; i <= count && start < text.size(); ++i) {
        std::size_t end = i == count ? text.size() : std::max(start, text.size() * i / count);
        if (end < text.size()) {
            const std::size_t lineEnd = text.find('\n', end);
            end = lineEnd == std::string_view::npos ? text.size() : lineEnd + 1;
        }
        RowBlock& block = blocks.emplace_back();
        block.text = text.substr(start, end - start);
        start = end;
    }
    if (!blocks.empty())
        blocks.back().endsFile = true;
    return blocks;
}

std::size_t LinesIn(std::string_view text)
{
    std::size_t ends = 0;
    for (const char *p = text.data(), *end = p + text.size();
         (p = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)))); ++p)
        ++ends;
    return ends + (!text.empty() && text.back() != '\n' ? 1 : 0);
}

// Moves `count` rows from `from` down to `to` in the times and every column.
void MoveRows(LogContents& log, std::size_t from, std::size_t to, std::size_t count)
{
    if (from == to || count == 0)
        return;
    std::memmove(&log.timesMs[to], &log.timesMs[from], count * sizeof(double));
    for (LogColumn& column : log.columns)
        std::memmove(&column.values[to], &column.values[from], count * sizeof(float));
}

class ParallelReader {
public:
    ParallelReader(std::string_view text, ReadProgress* progress, unsigned threads)
        : m_text(text)
        , m_progress(progress)
        , m_threads(threads == 0 ? std::thread::hardware_concurrency() : threads)
    {
    }

    LogContents Read()
    {
        std::optional<LogLayout> layout = ReadLayout(m_text, m_log);
        if (!layout)
            return std::move(m_log);
        m_layout = std::move(*layout);
        const std::string_view rows = m_text.substr(m_layout.rowsOffset);
        const unsigned threads = std::clamp(m_threads, 1U, kMostThreads);
        m_blocks = BlocksOf(rows, std::clamp<std::size_t>(rows.size() / kLeastBlockBytes, 1, threads));
        PlaceBlocks();
        RunTogether(m_blocks.size(), [this](std::size_t i) { ReadBlock(i); });
        if (m_progress && m_progress->Cancelled())
            return {};
        Join();
        return std::move(m_log);
    }

private:
    // Gives every line of every block a place in the times and the columns.
    void PlaceBlocks()
    {
        std::vector<std::size_t> lines(m_blocks.size());
        RunTogether(m_blocks.size(), [&](std::size_t i) { lines[i] = LinesIn(m_blocks[i].text); });
        std::size_t total = 0;
        m_places.clear();
        for (std::size_t i = 0; i < m_blocks.size(); ++i) {
            m_blocks[i].firstLine = m_layout.linesBefore + total + 1;
            m_places.push_back(total);
            total += lines[i];
        }
        m_log.timesMs.resize(total);
        std::vector<LogColumn>& columns = m_log.columns;
        // Their pages are first touched here: shared out, that costs no more than a share.
        RunTogether(m_blocks.size(), [&](std::size_t i) {
            for (std::size_t c = i; c < columns.size(); c += m_blocks.size())
                columns[c].values.resize(total);
        });
    }

    void ReadBlock(std::size_t i)
    {
        RowTarget target;
        target.times = m_log.timesMs.data() + m_places[i];
        for (LogColumn& column : m_log.columns)
            target.columns.push_back(column.values.data() + m_places[i]);
        ReadRows(m_layout, m_blocks[i], target, m_progress);
    }

    // The blocks' rows one after the other. A block read apart knew nothing of the times before
    // it: when its first row goes back before an earlier block's latest, it is read again knowing
    // that time, so that what is left out and said is what reading in one go leaves out and says.
    void Join()
    {
        double latest = -std::numeric_limits<double>::infinity();
        std::size_t rows = 0;
        for (std::size_t i = 0; i < m_blocks.size(); ++i) {
            RowBlock& block = m_blocks[i];
            if (block.rows > 0 && m_log.timesMs[m_places[i]] < latest) {
                block.Restart(latest);
                ReadBlock(i);
            }
            for (LogProblem& problem : block.problems)
                m_log.AddProblem(std::move(problem));
            m_log.unlistedProblems += block.unlistedProblems;
            for (LogMarker& marker : block.markers)
                TakeMarker(m_log.markers, std::move(marker));
            MoveRows(m_log, m_places[i], rows, block.rows);
            rows += block.rows;
            latest = std::max(latest, block.latestMs);
        }
        m_log.timesMs.resize(rows);
        for (LogColumn& column : m_log.columns)
            column.values.resize(rows);
        if (m_layout.timeField == LogLayout::kNoColumn) {
            for (std::size_t row = 0; row < rows; ++row)
                m_log.timesMs[row] = static_cast<double>(row) * kMsPerSecond;
        }
    }

    std::string_view m_text;
    ReadProgress* m_progress;
    unsigned m_threads;
    LogContents m_log;
    LogLayout m_layout;
    std::vector<RowBlock> m_blocks;
    std::vector<std::size_t> m_places; // of each block's first row
};

} // namespace

const LogColumn* LogContents::Column(std::string_view name) const
{
    const auto found = std::find_if(
        columns.begin(), columns.end(), [name](const LogColumn& column) { return column.name == name; });
    return found == columns.end() ? nullptr : &*found;
}

void LogContents::AddProblem(LogProblem problem)
{
    if (problems.size() < kListedProblems)
        problems.push_back(std::move(problem));
    else
        ++unlistedProblems;
}

double ReadProgress::Fraction() const
{
    const std::size_t total = m_total.load(std::memory_order_relaxed);
    if (total == 0)
        return 0.0;
    return std::min(
        1.0, static_cast<double>(m_done.load(std::memory_order_relaxed)) / static_cast<double>(total));
}

LogContents ReadLogText(std::string_view text, ReadProgress* progress, unsigned threads)
{
    return ParallelReader(text, progress, threads).Read();
}

LogFile ReadLogFile(const std::filesystem::path& path, ReadProgress* progress)
{
    // Opening a FIFO would wait for a writer for ever, and a device may have no end.
    struct stat info { };
    if (::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode))
        return { {}, path.string() + " is " + FileKindText(info.st_mode) + ", not a log file" };
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return { {}, "cannot open " + path.string() };
    std::error_code ec;
    // A pipe or a device has no size to read up to.
    const std::size_t size = std::filesystem::file_size(path, ec);
    if (ec)
        return { {}, "cannot read " + path.string() + ": " + ec.message() };
    // Reading and then parsing: each byte twice.
    if (progress)
        progress->Expect(2 * size);
    // Not a std::string: it would clear every byte before the file fills it.
    auto text = std::make_unique_for_overwrite<char[]>(size);
    std::size_t length = 0;
    while (file && length < size) {
        const std::size_t piece = std::min(kReadPieceBytes, size - length);
        file.read(text.get() + length, static_cast<std::streamsize>(piece));
        const auto got = static_cast<std::size_t>(file.gcount());
        length += got;
        if (progress) {
            progress->Advance(got);
            if (progress->Cancelled())
                return { {}, std::nullopt, true };
        }
    }
    if (file.bad())
        return { {}, "cannot read " + path.string() };
    LogFile read { ReadLogText(std::string_view(text.get(), length), progress), std::nullopt };
    read.cancelled = progress && progress->Cancelled();
    if (const std::optional<std::string> why = NothingRead(read.contents); why && !read.cancelled)
        read.error = "nothing could be read from " + path.string() + ": " + *why;
    return read;
}

std::optional<std::string> NothingRead(const LogContents& log)
{
    const bool anyValue = std::any_of(log.columns.begin(), log.columns.end(), [](const LogColumn& column) {
        return std::any_of(
            column.values.begin(), column.values.end(), [](float v) { return !std::isnan(v); });
    });
    if (anyValue)
        return std::nullopt;
    if (log.columns.empty())
        return "it has no column besides the time";
    const std::string why = log.Rows() == 0 ? "no row could be read" : "no value could be read";
    const auto rowProblem = std::find_if(log.problems.begin(), log.problems.end(),
        [&log](const LogProblem& problem) { return problem.line > log.headerLines; });
    if (rowProblem != log.problems.end())
        return why + " (" + ProblemText(*rowProblem) + ")";
    return why + (log.Rows() == 0 ? " (it has none)" : " (every field is empty)");
}

std::string ProblemText(const LogProblem& problem)
{
    std::string text = "line " + std::to_string(problem.line);
    if (problem.column != 0)
        text += ", column " + std::to_string(problem.column);
    return text + ": " + problem.text;
}
