#pragma once

#include <string_view>

// A space or a tab: what the files people edit by hand may put around a field or a word.
inline bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

// `text` without the blanks around it.
std::string_view WithoutBlanks(std::string_view text);
