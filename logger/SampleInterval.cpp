#include "logger/SampleInterval.h"

#include <charconv>
#include <limits>

namespace {

// Longer time bases would overflow the millisecond interval of a one-pixel grid.
constexpr int kLongestTimeBase = std::numeric_limits<int>::max() / kMsPerSecond;

std::string_view TrimBlanks(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

} // namespace

std::optional<int> ParseTimeBase(std::string_view text)
{
    const std::string_view digits = TrimBlanks(text);
    if (digits.empty() || digits.find_first_not_of("0123456789") != std::string_view::npos)
        return std::nullopt;
    int seconds = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), seconds);
    if (error != std::errc() || end != digits.data() + digits.size())
        return std::nullopt;
    if (seconds < 1 || seconds > kLongestTimeBase)
        return std::nullopt;
    return seconds;
}

std::optional<int> SampleIntervalFor(int timeBaseSeconds, int gridSize)
{
    if (gridSize <= 0)
        return std::nullopt;
    return static_cast<int>(static_cast<long long>(timeBaseSeconds) * kMsPerSecond / gridSize);
}
