#pragma once

#include <string>
#include <string_view>

// A small owned text for taking apart comma-separated definition texts such as the status
// texts "name,off-text,on-text". Copies its bytes on construction and assignment.
class CommaText {
public:
    CommaText() = default;
    CommaText(std::string_view text)
        : m_text(text)
    {
    }

    std::string_view View() const { return m_text; }
    const char* CStr() const { return m_text.c_str(); }
    int Length() const { return static_cast<int>(m_text.size()); }
    bool IsEmpty() const { return m_text.empty(); }

private:
    std::string m_text;
};

// `field` receives the text up to the first comma, CR or LF. When such a delimiter is found,
// `rest` receives the text after it and the result is true; otherwise `field` is the whole text,
// `rest` becomes empty and the result is false. Any of the three may be the same object.
bool SplitField(const CommaText& source, CommaText& field, CommaText& rest);

// Whether the two texts differ, ignoring the letter case of ASCII letters.
bool DiffersIgnoringCase(const CommaText& a, const CommaText& b);
