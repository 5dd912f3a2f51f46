#pragma once

#include <string_view>
#include <vector>

// The field without the blanks around it, and without the quotes around it when it is quoted.
std::string_view Trimmed(std::string_view field);

// Splits `line` at `separator` into `fields`, reusing their storage.
void SplitFields(std::string_view line, char separator, std::vector<std::string_view>& fields);
