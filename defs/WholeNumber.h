#pragma once

#include <optional>
#include <string_view>

// A whole number as a person types it in a box, a settings file or an option: decimal digits
// only (no sign, no fraction), blanks around them allowed, within the range of int.
std::optional<int> ParseWholeNumber(std::string_view text);
