#pragma once

#include "logfile/LogLayout.h"
#include "logfile/LogReader.h"

#include <cstddef>
#include <limits>
#include <string_view>
#include <vector>

// Where the rows of one stretch of a log go: the place of its first row in the times and in each
// column, which hold a place for every line of the stretch.
struct RowTarget {
    double* times = nullptr;
    std::vector<float*> columns;
};

// One stretch of a log's rows, whole lines of it, read apart from the others (by a thread of its
// own): its rows fill their places from the first on, without gaps between them.
struct RowBlock {
    std::string_view text;
    std::size_t firstLine = 0; // the number of the first line of `text` in the file
    bool endsFile = false; // the file's last line is the last line of `text`

    std::size_t rows = 0;
    // The latest time of its rows, which never go back; none read: below any time, unless the
    // block is read knowing the rows before it.
    double latestMs = -std::numeric_limits<double>::infinity();
    std::vector<LogProblem> problems; // the first LogContents::kListedProblems
    std::size_t unlistedProblems = 0;
    std::vector<LogMarker> markers; // as the lines come, a note given again included

    // To be read again, its rows to be no earlier than `latest`.
    void Restart(double latest)
    {
        rows = 0;
        latestMs = latest;
        problems.clear();
        unlistedProblems = 0;
        markers.clear();
    }
};

// Reads the rows of `block` as `layout` says, into `target`. Stops early, leaving the rest unread,
// when `progress` is cancelled.
void ReadRows(const LogLayout& layout, RowBlock& block, const RowTarget& target, ReadProgress* progress);
