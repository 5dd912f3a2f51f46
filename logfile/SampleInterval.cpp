#include "logfile/SampleInterval.h"

#include "defs/WholeNumber.h"

#include <limits>

namespace {

// Longer time bases would overflow the millisecond interval of a one-pixel grid.
constexpr int kLongestTimeBase = std::numeric_limits<int>::max() / kMsPerSecond;

} // namespace

std::optional<int> ParseTimeBase(std::string_view text)
{
    const auto seconds = ParseWholeNumber(text);
    if (!seconds || *seconds < 1 || *seconds > kLongestTimeBase)
        return std::nullopt;
    return seconds;
}

std::optional<int> SampleIntervalFor(int timeBaseSeconds, int gridSize)
{
    if (gridSize <= 0)
        return std::nullopt;
    return static_cast<int>(static_cast<long long>(timeBaseSeconds) * kMsPerSecond / gridSize);
}
