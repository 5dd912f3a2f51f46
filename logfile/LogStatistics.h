#pragma once

#include "logfile/LogReader.h"

#include <cstddef>
#include <optional>
#include <vector>

// The figures of one channel over some rows: how many values and gaps, and the least, greatest
// and mean value (nothing while there is no value).
struct ChannelStatistics {
    std::size_t count = 0;
    std::size_t gaps = 0;
    std::optional<double> min;
    std::optional<double> max;
    std::optional<double> mean;
};

// Rows [first, end) of a log.
struct RowSpan {
    std::size_t first = 0;
    std::size_t end = 0;
};

ChannelStatistics StatisticsOf(const std::vector<float>& values, RowSpan rows);
inline ChannelStatistics StatisticsOf(const std::vector<float>& values)
{
    return StatisticsOf(values, { 0, values.size() });
}

// The rows whose times lie from `fromMs` to `toMs`, both included.
RowSpan RowsWithin(const std::vector<double>& timesMs, double fromMs, double toMs);
// The rows whose values a plot of the span shows, each held until the next row: the one in force
// at `fromMs` as well as those taken up to `toMs`.
RowSpan RowsShownWithin(const std::vector<double>& timesMs, double fromMs, double toMs);

// The row in force at `ms`: the last one taken at that time or before; nothing before the first.
std::optional<std::size_t> RowAt(const std::vector<double>& timesMs, double ms);
