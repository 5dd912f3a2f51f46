#pragma once

#include "logfile/DataLog.h"

#include <QTemporaryDir>

#include <filesystem>
#include <string>

// A log folder with no room left: a 64 KiB tmpfs mounted over the folder and filled up (needs the
// right to mount, which root in a container may lack). The recording file's name is unique and
// never follows a link, so /dev/full can no longer be planted in its place.
class FullFolder {
public:
    // What the log file holds before the test saves over it.
    static constexpr const char* EarlierLog = "earlier good log\r\n";

    FullFolder();
    ~FullFolder();
    FullFolder(const FullFolder&) = delete;
    FullFolder& operator=(const FullFolder&) = delete;

    // Why the folder could not be made full; empty when it is.
    const std::string& Problem() const { return m_problem; }
    std::filesystem::path Path() const { return m_path; }
    std::filesystem::path LogFile() const { return m_path / DataLog::kLogFileName; }
    // Frees the space, so that a second save can succeed.
    void MakeRoom();

private:
    QTemporaryDir m_dir;
    std::filesystem::path m_path;
    bool m_mounted = false;
    std::string m_problem;
};
