#include "logfile/LogStatistics.h"

#include <algorithm>
#include <cmath>

ChannelStatistics StatisticsOf(const std::vector<float>& values, RowSpan rows)
{
    ChannelStatistics statistics;
    const std::size_t end = std::min(rows.end, values.size());
    double sum = 0;
    float least = 0;
    float greatest = 0;
    for (std::size_t row = rows.first; row < end; ++row) {
        const float value = values[row];
        if (std::isnan(value)) {
            ++statistics.gaps;
            continue;
        }
        if (statistics.count == 0 || value < least)
            least = value;
        if (statistics.count == 0 || value > greatest)
            greatest = value;
        sum += value;
        ++statistics.count;
    }
    if (statistics.count > 0) {
        statistics.min = least;
        statistics.max = greatest;
        statistics.mean = sum / static_cast<double>(statistics.count);
    }
    return statistics;
}

RowSpan RowsWithin(const std::vector<double>& timesMs, double fromMs, double toMs)
{
    const auto first = std::lower_bound(timesMs.begin(), timesMs.end(), fromMs);
    const auto end = std::upper_bound(first, timesMs.end(), toMs);
    return { static_cast<std::size_t>(first - timesMs.begin()),
        static_cast<std::size_t>(end - timesMs.begin()) };
}

RowSpan RowsShownWithin(const std::vector<double>& timesMs, double fromMs, double toMs)
{
    RowSpan rows = RowsWithin(timesMs, fromMs, toMs);
    const bool heldFromBefore
        = rows.first > 0 && (rows.first == timesMs.size() || timesMs[rows.first] > fromMs);
    if (heldFromBefore && timesMs[rows.first - 1] <= toMs) {
        --rows.first;
        rows.end = std::max(rows.end, rows.first + 1);
    }
    return rows;
}

std::optional<std::size_t> RowAt(const std::vector<double>& timesMs, double ms)
{
    const auto after = std::upper_bound(timesMs.begin(), timesMs.end(), ms);
    if (after == timesMs.begin())
        return std::nullopt;
    return static_cast<std::size_t>(after - timesMs.begin()) - 1;
}
