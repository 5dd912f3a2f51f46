#pragma once

#include "ini/IniFile.h"

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

// One settings file on disk, read and written so that nothing it holds is ever lost.
//
// Reading takes only a regular file of at most MaxBytes (a folder, a FIFO or a device in its place
// is not opened for reading, so start-up cannot hang on it) and follows a symbolic link. A file
// that exists but cannot be read is reported once, on standard error, and from then on never
// written: its contents are unknown, and the defaults must not replace the user's lines.
//
// Writing replaces the file whole through a uniquely named temporary file created beside it (never
// through a link planted there), so a failed save leaves the old file as it was. A symbolic link
// keeps pointing at its target, which gets the new text; the file keeps its mode and, where the
// system allows, its owner. A file the user may not write (read-only) is left alone.
class SettingsFile {
public:
    // Settings files are a few hundred bytes; anything far larger is not one.
    static constexpr std::size_t MaxBytes = 256 * 1024;

    explicit SettingsFile(const std::filesystem::path& path);

    // The file as named, absolute and without doubled separators, for messages.
    const std::filesystem::path& Path() const { return m_path; }

    // The file's contents; empty for a missing file and for one that cannot be read.
    IniFile Read();

    // Reads the file again (another program may have changed it meanwhile), lets `write` set its
    // keys and replaces it. Returns why the file could not be written, naming it. A file that could
    // not be read is left as it is without a further word: that was said when it was read.
    std::optional<std::string> Update(const std::function<void(IniFile&)>& write);

    // True once a read failed: the file is not written again during this run.
    bool LeftAlone() const { return m_leftAlone; }

private:
    std::filesystem::path m_path;
    bool m_leftAlone = false;
};
