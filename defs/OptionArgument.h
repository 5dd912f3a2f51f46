#pragma once

#include <cstddef>
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

// A finite decimal number using every character of `text` ("2.5", "1e3"); nothing otherwise.
std::optional<double> ParseFiniteDecimal(std::string_view text);

// What the user typed, in double quotes, as messages about it show it.
std::string Quoted(std::string_view text);
