#include "logfile/LogSaveAtExit.h"

#include <QDir>
#include <algorithm>
#include <vector>

namespace {

std::vector<std::filesystem::path> FallbackLogFolders(const std::filesystem::path& refused)
{
    std::vector<std::filesystem::path> folders;
    for (const QString& folder : { QDir::homePath(), QDir::tempPath() }) {
        const std::filesystem::path path = std::filesystem::path(folder.toStdString()).lexically_normal();
        if (!folder.isEmpty() && path != refused.lexically_normal()
            && std::find(folders.begin(), folders.end(), path) == folders.end())
            folders.push_back(path);
    }
    return folders;
}

} // namespace

std::optional<std::string> SaveLogAtExit(DataLog& log, const std::filesystem::path& target)
{
    const std::optional<std::string> error = log.SaveLog(target);
    if (!error)
        return std::nullopt;
    const std::string refused = "the log could not be saved to " + target.string() + ": " + *error;
    for (const std::filesystem::path& folder : FallbackLogFolders(target.parent_path())) {
        const std::filesystem::path elsewhere = folder / log.DatedFileName();
        if (!log.SaveLog(elsewhere))
            return refused + "; it was saved to " + elsewhere.string() + " instead";
    }
    const std::string kept = log.RecordingPath().empty() ? "they could not be written anywhere"
                                                         : "the rows written so far stay in "
            + log.RecordingPath().string() + " and are recovered at the next start";
    return refused + "; " + kept;
}
