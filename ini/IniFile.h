#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// An INI settings file as ordinary text: "[Section]" headers and "Key=Value" lines, keys written
// as they are (blanks included), booleans as 1/0. Reading accepts what other programs write:
// blanks around "=", ";" and "#" comments, CRLF line ends, section and key names in any letter
// case. Writing changes only the lines of the keys written, so comments, unknown keys and the
// file's line-end style survive, and a file saved unchanged comes back byte for byte.
class IniFile {
public:
    IniFile() = default;
    static IniFile FromText(std::string_view text);

    // A missing file gives an empty IniFile; an unreadable one too, with `error` set.
    static IniFile Load(const std::filesystem::path& path, std::string* error = nullptr);

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

    // Creates the folder if needed and replaces the file in one step (a temporary file beside it,
    // renamed over it), so a failed save never leaves a half-written file. Returns the reason on
    // failure, nothing on success.
    std::optional<std::string> Save(const std::filesystem::path& path) const;

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
};
