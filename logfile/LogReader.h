#pragma once

#include "logfile/LogMarker.h"

#include <atomic>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What could not be read, and where: a line of the file (from 1) and a field of it (from 1; 0 when
// the whole line is meant).
struct LogProblem {
    std::size_t line = 0;
    std::size_t column = 0;
    std::string text;
};

// One channel of a log: its name, its unit where the file says it, and one value per row, NaN
// where the field was empty (a gap).
struct LogColumn {
    std::string name;
    std::string unit;
    std::vector<float> values;
};

// A log as read: the times of its rows in milliseconds, never going backwards, and every other
// column. Rows and fields that could not be read are left out or left as gaps, each one listed.
struct LogContents {
    // Problems beyond this many are only counted: a file of another kind would list every line.
    static constexpr std::size_t kListedProblems = 100;

    std::vector<double> timesMs;
    std::vector<LogColumn> columns;
    // In the order made; only the program's own logs hold them.
    std::vector<LogMarker> markers;
    std::string timeHeading;
    bool ownLog = false; // written by this program (its title line)
    std::string startText; // when the recording started, as the file says it; empty if it does not
    std::size_t headerLines = 0; // lines before the first row
    std::vector<LogProblem> problems;
    std::size_t unlistedProblems = 0;

    std::size_t Rows() const { return timesMs.size(); }
    double FirstMs() const { return timesMs.empty() ? 0.0 : timesMs.front(); }
    double LastMs() const { return timesMs.empty() ? 0.0 : timesMs.back(); }
    // The column of that heading; nullptr when there is none.
    const LogColumn* Column(std::string_view name) const;
    // Lists a problem, or counts it beyond kListedProblems.
    void AddProblem(LogProblem problem);
};

// How far a read running on another thread has come, and the wish to give it up; shared between
// the reading thread and the one that waits for it.
class ReadProgress {
public:
    void Cancel() { m_cancelled.store(true, std::memory_order_relaxed); }
    bool Cancelled() const { return m_cancelled.load(std::memory_order_relaxed); }
    // From 0 to 1.
    double Fraction() const;

    // The reader's side: the work ahead, in bytes, and the bytes done since.
    void Expect(std::size_t bytes) { m_total.fetch_add(bytes, std::memory_order_relaxed); }
    void Advance(std::size_t bytes) { m_done.fetch_add(bytes, std::memory_order_relaxed); }

private:
    std::atomic<bool> m_cancelled { false };
    std::atomic<std::size_t> m_total { 0 };
    std::atomic<std::size_t> m_done { 0 };
};

// Reads a log of this program (the title line, the start time and unit choice, the header, the
// rows; any number of columns) or the file of another tool: optional lines of quoted text, a header
// row naming the columns, one of them the time in milliseconds or seconds ("Time (ms)", "time_s",
// "Time [s]"...), optionally a row of units, then the rows. Fields are separated by commas,
// semicolons or tabs; where they are not separated by commas, a decimal comma is read as a point.
// Large texts are read by `threads` threads at once (0: as many as the processor runs at once). A
// cancelled read returns nothing.
LogContents ReadLogText(std::string_view text, ReadProgress* progress = nullptr, unsigned threads = 0);

struct LogFile {
    LogContents contents;
    // The file could not be read at all, or nothing could be read from it (no value in any row).
    std::optional<std::string> error;
    bool cancelled = false;
};

LogFile ReadLogFile(const std::filesystem::path& path, ReadProgress* progress = nullptr);

// Why no value could be read from the log; nothing when some could.
std::optional<std::string> NothingRead(const LogContents& log);

// "line 12, column 3: MAP: "abc" is not a number", as the user is told.
std::string ProblemText(const LogProblem& problem);
