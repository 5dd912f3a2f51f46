#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// An INI settings file as ordinary text: "[Section]" headers and "Key=Value" lines, keys written
// as they are (blanks included), booleans as 1/0. Reading accepts what other programs write:
// blanks around "=", ";" and "#" comments, CRLF line ends, section and key names in any letter
// case, and a UTF-8 byte order mark before the first line. Writing changes only the lines of the
// keys written, so comments, unknown keys, the mark and the file's line-end style survive, and a
// file saved unchanged comes back byte for byte. Reading and writing the file on disk is
// SettingsFile's job.
class IniFile {
public:
    IniFile() = default;
    static IniFile FromText(std::string_view text);

    std::optional<std::string> Value(std::string_view section, std::string_view key) const;
    std::string ReadString(std::string_view section, std::string_view key, std::string_view fallback) const;
    // A value that is not a whole number within the range of int gives the fallback.
    int ReadInteger(std::string_view section, std::string_view key, int fallback) const;
    bool ReadBool(std::string_view section, std::string_view key, bool fallback) const;

    // Line breaks cannot be stored in a value; they are written as blanks.
    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    void WriteInteger(std::string_view section, std::string_view key, int value);
    void WriteBool(std::string_view section, std::string_view key, bool value);

    std::string Text() const;

private:
    struct Line {
        std::string text; // without its line end
        std::string end; // "\r\n", "\n", or empty for a last line without one
    };

    std::optional<std::size_t> FindSection(std::string_view section) const;
    std::optional<std::size_t> FindKey(std::size_t sectionLine, std::string_view key) const;
    std::size_t SectionEnd(std::size_t sectionLine) const;

    Line NewLine(std::string text) const { return { std::move(text), m_lineEnd }; }

    std::vector<Line> m_lines;
    std::string m_lineEnd = "\n"; // for lines this program adds: the file's own style
    bool m_byteOrderMark = false; // written back as it was found
};
