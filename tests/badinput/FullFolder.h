#pragma once

#include "logger/DataLog.h"

#include <QTemporaryDir>

#include <filesystem>
#include <string>

// A log folder with no room left. Two ways to get one: a 64 KiB tmpfs mounted over the folder
// and filled up (needs the right to mount, which root in a container may lack), or /dev/full
// standing where the log writer puts its temporary file, which any user can arrange.
class FullFolder {
public:
    enum class Kind { Tmpfs, DevFull };
    // What the log file holds before the test saves over it.
    static constexpr const char* EarlierLog = "earlier good log\r\n";

    explicit FullFolder(Kind kind);
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
    Kind m_kind;
    QTemporaryDir m_dir;
    std::filesystem::path m_path;
    bool m_mounted = false;
    std::string m_problem;
};
