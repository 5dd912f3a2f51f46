#pragma once

#include "logfile/FieldNumber.h"
#include "logfile/LogReader.h"

#include <cstddef>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// How the rows of a log are laid out, as the lines before them say.
struct LogLayout {
    static constexpr std::size_t kNoColumn = std::numeric_limits<std::size_t>::max();

    char separator = ',';
    FieldNumbers numbers;
    bool ownLog = false;
    std::size_t headings = 0; // fields of the header
    std::size_t timeField = kNoColumn;
    int timeShift = 0; // powers of ten from the file's unit of time to milliseconds
    std::vector<std::size_t> fieldColumn; // the column each field fills; kNoColumn for the time's
    std::vector<std::string> fieldNames; // each field's heading as the user is told it (an excerpt)
    std::size_t rowsOffset = 0; // where the line of the first row begins in the text
    std::size_t linesBefore = 0; // lines before it
};

// Reads the lines before the rows into `log`: the columns with their names and units, the time's
// heading, the start of one of the program's own logs, and what could not be read. Nothing when
// there is no header to read.
std::optional<LogLayout> ReadLayout(std::string_view text, LogContents& log);
