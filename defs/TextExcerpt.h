#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Text from a file as a message or a terminal may show it: files are mailed between people, and
// a line of one may be megabytes long or hold escape sequences that retitle or clear a terminal.

// `text` with every control character, and every byte that is not part of valid UTF-8, written as
// \xHH (a backslash as \\); printable text, accented letters included, as it is.
std::string EscapedText(std::string_view text);

// At most `limit` characters of `text`, escaped as EscapedText; a text cut short ends in "...".
inline constexpr std::size_t DefaultExcerptLength = 40;
std::string Excerpt(std::string_view text, std::size_t limit = DefaultExcerptLength);
// The excerpt in double quotes; a text cut short also says how long it was.
std::string QuotedExcerpt(std::string_view text, std::size_t limit = DefaultExcerptLength);
