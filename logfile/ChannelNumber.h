#pragma once

#include <optional>
#include <string_view>

// The number after `stem` in `channel` when the rest is decimal digits only and the number fits
// an int; nothing otherwise.
std::optional<int> NumberAfter(std::string_view channel, std::string_view stem);
