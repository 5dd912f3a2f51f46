#include "defs/KeptFile.h"

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <random>
#include <system_error>
#include <unistd.h>

namespace {

// Random names to try once the numbered ones are taken; each is free but for a one in four
// billion chance, so running out of them means the folder refuses every name.
constexpr int RandomNameTries = 16;

std::string NameTail(int attempt, std::mt19937& random)
{
    if (attempt == 1)
        return {};
    if (attempt <= MaxNumberedNames)
        return "-" + std::to_string(attempt);
    char tail[16];
    std::snprintf(tail, sizeof tail, "-%08x", static_cast<unsigned>(random()));
    return tail;
}

} // namespace

std::optional<std::filesystem::path> RenameWithoutReplacing(const std::filesystem::path& from,
    const std::filesystem::path& folder, const std::string& base, const std::string& ext,
    std::string& problem)
{
    std::mt19937 random(std::random_device {}());
    for (int attempt = 1; attempt <= MaxNumberedNames + RandomNameTries; ++attempt) {
        const std::filesystem::path to = folder / (base + NameTail(attempt, random) + ext);
        if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
            return to;
        if (errno == EINVAL) {
            // A file system without the no-replace rename: a hard link refuses to replace too.
            if (::link(from.c_str(), to.c_str()) == 0) {
                ::unlink(from.c_str());
                return to;
            }
        }
        if (errno != EEXIST) {
            problem = "cannot rename " + from.string() + " to " + to.string() + ": "
                + std::error_code(errno, std::generic_category()).message();
            return std::nullopt;
        }
    }
    problem = "cannot rename " + from.string() + ": no free name in " + folder.string();
    return std::nullopt;
}

std::string FileNameStamp(std::time_t time)
{
    std::tm local {};
    localtime_r(&time, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    return stamp;
}
