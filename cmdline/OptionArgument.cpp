#include "cmdline/OptionArgument.h"

#include <charconv>
#include <cmath>
#include <system_error>

std::string_view OptionName(std::string_view arg)
{
    return arg.substr(0, arg.find('='));
}

std::optional<std::string_view> TakeOptionValue(
    std::span<const std::string> args, std::size_t& index, std::string_view name)
{
    const std::string_view arg = args[index];
    if (arg.size() > name.size()) {
        index += 1;
        return arg.substr(name.size() + 1);
    }
    if (index + 1 >= args.size())
        return std::nullopt;
    index += 2;
    return args[index - 1];
}

std::optional<double> ParseFiniteDecimal(std::string_view text)
{
    double value = 0.0;
    const auto [end, problem] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || problem != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::string Quoted(std::string_view text)
{
    return "\"" + std::string(text) + "\"";
}
