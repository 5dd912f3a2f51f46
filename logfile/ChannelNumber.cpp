#include "logfile/ChannelNumber.h"

#include <algorithm>
#include <charconv>

std::optional<int> NumberAfter(std::string_view channel, std::string_view stem)
{
    if (!channel.starts_with(stem))
        return std::nullopt;
    const std::string_view digits = channel.substr(stem.size());
    if (digits.empty()
        || !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    int number = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (error != std::errc() || end != digits.data() + digits.size())
        return std::nullopt;
    return number;
}
