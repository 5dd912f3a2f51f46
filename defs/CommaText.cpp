#include "defs/CommaText.h"

#include <algorithm>

namespace {

constexpr std::string_view FieldDelimiters = ",\r\n";

char LowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

bool SplitField(const CommaText& source, CommaText& field, CommaText& rest)
{
    // Work from a copy: writing `field` or `rest` may overwrite `source`.
    const std::string text(source.View());
    const std::string_view view(text);
    const auto delimiter = view.find_first_of(FieldDelimiters);
    if (delimiter == std::string_view::npos) {
        field = CommaText(view);
        rest = CommaText();
        return false;
    }
    field = CommaText(view.substr(0, delimiter));
    rest = CommaText(view.substr(delimiter + 1));
    return true;
}

bool DiffersIgnoringCase(const CommaText& a, const CommaText& b)
{
    return !std::ranges::equal(
        a.View(), b.View(), [](char x, char y) { return LowerAscii(x) == LowerAscii(y); });
}
