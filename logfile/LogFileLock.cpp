#include "logfile/LogFileLock.h"

#include <QLockFile>
#include <QString>

LogFileLock::LogFileLock() = default;

LogFileLock::~LogFileLock() = default;

std::optional<qint64> LogFileLock::Take(const std::filesystem::path& target)
{
    Release();
    const std::filesystem::path path = target.parent_path() / ("." + target.filename().string() + ".lock");
    auto lock = std::make_unique<QLockFile>(QString::fromStdString(path.string()));
    // A recording may last for hours: only a holder that is no longer running leaves it stale.
    lock->setStaleLockTime(0);
    if (lock->tryLock(0)) {
        m_lock = std::move(lock);
        m_target = target;
        return std::nullopt;
    }
    qint64 holder = 0;
    if (lock->error() == QLockFile::LockFailedError && lock->getLockInfo(&holder, nullptr, nullptr))
        return holder;
    return std::nullopt;
}

void LogFileLock::Release()
{
    m_lock.reset(); // unlocks
    m_target.clear();
}
