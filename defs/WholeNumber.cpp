#include "defs/WholeNumber.h"

#include <charconv>

std::optional<int> ParseWholeNumber(std::string_view text)
{
    constexpr std::string_view Blanks = " \t";
    const auto first = text.find_first_not_of(Blanks);
    if (first == std::string_view::npos)
        return std::nullopt;
    text = text.substr(first, text.find_last_not_of(Blanks) - first + 1);
    if (text.front() < '0' || text.front() > '9')
        return std::nullopt;
    int value = 0;
    const auto [end, problem] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (problem != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}
