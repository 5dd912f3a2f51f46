#pragma once

#include <QtGlobal>

#include <filesystem>
#include <memory>
#include <optional>

class QLockFile;

// Who records into a log file, across programs: a lock file beside it (".kodralog.csv.lock" for
// "kodralog.csv"), held from the start of a recording until it is saved, so that a second program
// asked to record there learns which process does. A lock left by a program that was killed
// is taken over.
class LogFileLock {
public:
    LogFileLock();
    ~LogFileLock();
    LogFileLock(const LogFileLock&) = delete;
    LogFileLock& operator=(const LogFileLock&) = delete;

    // Takes the lock of `target`, giving up the one held before. The id of the process that
    // holds it instead; nothing when taken, or when no lock can be made there at all (the
    // recording itself then says why the folder cannot be used).
    std::optional<qint64> Take(const std::filesystem::path& target);
    void Release();
    bool Holds(const std::filesystem::path& target) const { return m_lock && m_target == target; }

private:
    std::unique_ptr<QLockFile> m_lock;
    std::filesystem::path m_target;
};
