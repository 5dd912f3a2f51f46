#pragma once

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <optional>
#include <span>
#include <string>
#include <string_view>

// Command-line options of every program here are given as "--name VALUE" or "--name=VALUE".

// The option's name: the argument up to its first "=".
std::string_view OptionName(std::string_view arg);

// The value of the option at args[index], whose OptionName is `name`: what follows "=", or else the next
// argument. `index` moves past what was used; nothing, and `index` unchanged, when the option is the
// last argument and has no value.
std::optional<std::string_view> TakeOptionValue(
    std::span<const std::string> args, std::size_t& index, std::string_view name);

// Takes the option at args[index] when `table` has it: entries with a `name` and an
// `apply(value, target)` that stores the value and returns what is wrong with it, or "". False when
// the table does not have it; otherwise `index` moves past it and `error` names the option and the
// problem, if there is one.
template <typename Table, typename Target>
bool TakeTableOption(const Table& table, std::span<const std::string> args, std::size_t& index,
    Target& target, std::string& error)
{
    const std::string_view name = OptionName(args[index]);
    const auto option = std::find_if(
        std::begin(table), std::end(table), [name](const auto& entry) { return entry.name == name; });
    if (option == std::end(table))
        return false;
    const auto value = TakeOptionValue(args, index, name);
    if (!value)
        error = std::string(name) + ": missing value";
    else if (const std::string problem = option->apply(*value, target); !problem.empty())
        error = std::string(name) + ": " + problem;
    return true;
}

// A finite decimal number using every character of `text` ("2.5", "1e3"); nothing otherwise.
std::optional<double> ParseFiniteDecimal(std::string_view text);

// What the user typed, in double quotes, as messages about it show it.
std::string Quoted(std::string_view text);
