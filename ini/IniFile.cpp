#include "ini/IniFile.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace {

constexpr std::string_view Blanks = " \t\r";
// Some editors put it before the first line of a UTF-8 file; it would hide the first section.
constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

std::string_view Trim(std::string_view text)
{
    const auto first = text.find_first_not_of(Blanks);
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(Blanks);
    return text.substr(first, last - first + 1);
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

bool IsComment(std::string_view trimmed)
{
    return !trimmed.empty() && (trimmed[0] == ';' || trimmed[0] == '#');
}

// The section name of a "[Name]" line, or nothing.
std::optional<std::string_view> SectionName(std::string_view line)
{
    const std::string_view trimmed = Trim(line);
    if (trimmed.size() < 2 || trimmed.front() != '[')
        return std::nullopt;
    const auto close = trimmed.find(']');
    if (close == std::string_view::npos)
        return std::nullopt;
    return Trim(trimmed.substr(1, close - 1));
}

struct KeyValue {
    std::string_view key;
    std::string_view value;
};

std::optional<KeyValue> SplitKeyValue(std::string_view line)
{
    const std::string_view trimmed = Trim(line);
    if (trimmed.empty() || IsComment(trimmed) || trimmed.front() == '[')
        return std::nullopt;
    const auto equals = trimmed.find('=');
    if (equals == std::string_view::npos)
        return std::nullopt;
    std::string_view value = Trim(trimmed.substr(equals + 1));
    // Other programs may quote a value; the quotes are not part of it.
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        value = value.substr(1, value.size() - 2);
    return KeyValue { Trim(trimmed.substr(0, equals)), value };
}

std::string WithoutLineBreaks(std::string_view value)
{
    std::string result(value);
    std::replace_if(
        result.begin(), result.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    return result;
}

} // namespace

IniFile IniFile::FromText(std::string_view text)
{
    IniFile file;
    if (text.starts_with(ByteOrderMark)) {
        file.m_byteOrderMark = true;
        text.remove_prefix(ByteOrderMark.size());
    }
    std::size_t start = 0;
    while (start < text.size()) {
        const auto newline = text.find('\n', start);
        if (newline == std::string_view::npos) {
            file.m_lines.push_back({ std::string(text.substr(start)), "" });
            break;
        }
        std::string_view line = text.substr(start, newline - start);
        std::string end = "\n";
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
            end = "\r\n";
        }
        file.m_lines.push_back({ std::string(line), end });
        start = newline + 1;
    }
    if (!file.m_lines.empty() && !file.m_lines.front().end.empty())
        file.m_lineEnd = file.m_lines.front().end;
    return file;
}

std::optional<std::size_t> IniFile::FindSection(std::string_view section) const
{
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        const auto name = SectionName(m_lines[i].text);
        if (name && EqualsIgnoringCase(*name, section))
            return i;
    }
    return std::nullopt;
}

std::size_t IniFile::SectionEnd(std::size_t sectionLine) const
{
    std::size_t i = sectionLine + 1;
    while (i < m_lines.size() && !SectionName(m_lines[i].text))
        ++i;
    return i;
}

std::optional<std::size_t> IniFile::FindKey(std::size_t sectionLine, std::string_view key) const
{
    const std::size_t end = SectionEnd(sectionLine);
    for (std::size_t i = sectionLine + 1; i < end; ++i) {
        const auto pair = SplitKeyValue(m_lines[i].text);
        if (pair && EqualsIgnoringCase(pair->key, key))
            return i;
    }
    return std::nullopt;
}

std::optional<std::string> IniFile::Value(std::string_view section, std::string_view key) const
{
    const auto sectionLine = FindSection(section);
    if (!sectionLine)
        return std::nullopt;
    const auto keyLine = FindKey(*sectionLine, key);
    if (!keyLine)
        return std::nullopt;
    return std::string(SplitKeyValue(m_lines[*keyLine].text)->value);
}

std::string IniFile::ReadString(
    std::string_view section, std::string_view key, std::string_view fallback) const
{
    return Value(section, key).value_or(std::string(fallback));
}

int IniFile::ReadInteger(std::string_view section, std::string_view key, int fallback) const
{
    const auto value = Value(section, key);
    if (!value || value->empty())
        return fallback;
    const char* first = value->data();
    const char* last = first + value->size();
    if (*first == '+')
        ++first;
    int number = 0;
    const auto [end, error] = std::from_chars(first, last, number);
    if (error != std::errc() || end != last)
        return fallback;
    return number;
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool fallback) const
{
    return ReadInteger(section, key, fallback ? 1 : 0) != 0;
}

void IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value)
{
    const std::string line = std::string(key) + "=" + WithoutLineBreaks(value);
    const auto sectionLine = FindSection(section);
    if (!sectionLine) {
        if (!m_lines.empty() && m_lines.back().end.empty())
            m_lines.back().end = m_lineEnd;
        if (!m_lines.empty() && !Trim(m_lines.back().text).empty())
            m_lines.push_back(NewLine(""));
        m_lines.push_back(NewLine("[" + std::string(section) + "]"));
        m_lines.push_back(NewLine(line));
        return;
    }
    if (const auto keyLine = FindKey(*sectionLine, key)) {
        // Keep the key as the file spells it.
        const std::string existingKey(SplitKeyValue(m_lines[*keyLine].text)->key);
        m_lines[*keyLine].text = existingKey + "=" + WithoutLineBreaks(value);
        return;
    }
    // After the section's last non-blank line, so blank separators stay between sections.
    std::size_t insertAt = SectionEnd(*sectionLine);
    while (insertAt > *sectionLine + 1 && Trim(m_lines[insertAt - 1].text).empty())
        --insertAt;
    if (insertAt == m_lines.size() && m_lines.back().end.empty())
        m_lines.back().end = m_lineEnd;
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(insertAt), NewLine(line));
}

void IniFile::WriteInteger(std::string_view section, std::string_view key, int value)
{
    WriteString(section, key, std::to_string(value));
}

void IniFile::WriteBool(std::string_view section, std::string_view key, bool value)
{
    WriteString(section, key, value ? "1" : "0");
}

std::string IniFile::Text() const
{
    std::string text = m_byteOrderMark ? std::string(ByteOrderMark) : std::string();
    for (const Line& line : m_lines)
        text += line.text + line.end;
    return text;
}
