#include "capture/CaptureTarget.h"

#include "defs/FileKind.h"
#include "defs/KeptFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>

namespace {

constexpr mode_t NewFileMode = 0666; // as the user's umask allows, like any file they save

} // namespace

CaptureTarget CaptureTarget::Make(const std::filesystem::path& path)
{
    CaptureTarget target;
    struct stat info { };
    if (::lstat(path.c_str(), &info) == 0) {
        if (!S_ISREG(info.st_mode)) {
            // A link is never followed: the capture would land wherever it points.
            target.error = "cannot write " + path.string() + ": it is " + FileKindText(info.st_mode);
            return target;
        }
        std::string problem;
        const std::string base = path.stem().string() + "-" + FileNameStamp(info.st_mtime);
        const auto kept
            = RenameWithoutReplacing(path, path.parent_path(), base, path.extension().string(), problem);
        if (!kept) {
            target.error = "cannot keep the earlier capture: " + problem;
            return target;
        }
        target.keptAs = *kept;
    }
    // Exclusive: a link or a file planted since the look above is refused, not followed or replaced.
    target.fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, NewFileMode);
    if (target.fd < 0)
        target.error = "cannot write " + path.string() + ": " + std::strerror(errno);
    return target;
}
