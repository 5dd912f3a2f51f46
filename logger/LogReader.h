#pragma once

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

// One channel of a log: its heading and one value per row, NaN where the field was empty (a gap).
struct LogColumn {
    std::string name;
    std::vector<float> values;
};

// A log as read: the times of its rows in milliseconds, never going backwards, and every other
// column. Rows and fields that could not be read are left out or left as gaps, each one listed.
struct LogContents {
    // Problems beyond this many are only counted: a file of another kind would list every line.
    static constexpr std::size_t kListedProblems = 100;

    std::vector<double> timesMs;
    std::vector<LogColumn> columns;
    std::string timeHeading;
    bool ownLog = false; // written by this program (its title line)
    std::vector<LogProblem> problems;
    std::size_t unlistedProblems = 0;

    std::size_t Rows() const { return timesMs.size(); }
    double FirstMs() const { return timesMs.empty() ? 0.0 : timesMs.front(); }
    double LastMs() const { return timesMs.empty() ? 0.0 : timesMs.back(); }
    // The column of that heading; nullptr when there is none.
    const LogColumn* Column(std::string_view name) const;
};

// Reads a log of this program (the title line, the start time, the header, the rows; any number
// of columns) or a CSV file of another tool: a header row naming the columns, one of them the time
// in milliseconds or seconds ("Time (ms)", "time_s", "Time [s]"...), fields separated by commas,
// semicolons or tabs, a full stop as the decimal point.
LogContents ReadLogText(std::string_view text);

struct LogFile {
    LogContents contents;
    std::optional<std::string> error; // the file could not be read at all
};

LogFile ReadLogFile(const std::filesystem::path& path);

// "line 12, column 3: MAP: "abc" is not a number", as the user is told.
std::string ProblemText(const LogProblem& problem);
