#include "logfile/RecordingFile.h"

#include "defs/KeptFile.h"
#include "defs/WriteAll.h"
#include "logfile/LogHeader.h"
#include "logfile/LogMarker.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace {

constexpr std::string_view kUniqueTail = "-XXXXXX";
// "YYYY-MM-DD HH:MM:SS" and where its digits are.
constexpr std::size_t kStartTextLength = 19;
constexpr std::array<std::size_t, 5> kStartTextSeparators = { 4, 7, 10, 13, 16 };
// Enough of a file to read its title and start time.
constexpr std::size_t kHeadBytes = 128;
constexpr std::size_t kScanBlockBytes = 64 * 1024;
constexpr const char* kLogPrefix = "kodralog-";
constexpr const char* kLogExtension = ".csv";

std::string ErrorText(int error)
{
    return std::error_code(error, std::generic_category()).message();
}

std::string Failure(const std::string& what, const std::filesystem::path& path)
{
    return what + " " + path.string() + ": " + ErrorText(errno);
}

// A new name in a folder reaches the disk only when the folder itself is synced.
void SyncFolder(const std::filesystem::path& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

std::optional<std::string> ReadAll(int fd, std::string& text)
{
    text.clear();
    char buffer[1 << 16];
    for (off_t at = 0;;) {
        const ssize_t n = ::pread(fd, buffer, sizeof buffer, at);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return ErrorText(errno);
        }
        if (n == 0)
            return std::nullopt;
        text.append(buffer, static_cast<std::size_t>(n));
        at += n;
    }
}

// What recovery needs of a recording, found by reading it a block at a time: a leftover may be
// gigabytes long, and start-up must not hold it in memory.
struct LineScan {
    std::string head; // the first block, for the start time
    std::int64_t lineEnds = 0;
    std::int64_t markerLines = 0; // complete lines that are markers, not rows
    off_t completeEnd = 0; // just past the last line end
};

std::optional<std::string> ScanLines(int fd, LineScan& scan)
{
    std::array<char, kScanBlockBytes> block {};
    bool afterCr = false;
    // How much of the marker prefix the current line has begun with so far (a block may cut it);
    // -1 once the line cannot be a marker.
    std::ptrdiff_t markerPrefixMatched = 0;
    for (off_t at = 0;;) {
        const ssize_t n = ::pread(fd, block.data(), block.size(), at);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return ErrorText(errno);
        }
        if (n == 0)
            return std::nullopt;
        if (at == 0)
            scan.head.assign(block.data(), std::min<std::size_t>(static_cast<std::size_t>(n), kHeadBytes));
        for (ssize_t i = 0; i < n; ++i) {
            const char c = block[static_cast<std::size_t>(i)];
            if (afterCr && c == '\n') {
                ++scan.lineEnds;
                if (markerPrefixMatched == static_cast<std::ptrdiff_t>(LogMarkerLine::kPrefix.size()))
                    ++scan.markerLines;
                scan.completeEnd = at + i + 1;
                markerPrefixMatched = 0;
            } else if (markerPrefixMatched >= 0
                && markerPrefixMatched < static_cast<std::ptrdiff_t>(LogMarkerLine::kPrefix.size())) {
                markerPrefixMatched
                    = c == LogMarkerLine::kPrefix[static_cast<std::size_t>(markerPrefixMatched)]
                    ? markerPrefixMatched + 1
                    : -1;
            }
            afterCr = c == '\r';
        }
        at += n;
    }
}

struct Leftover {
    std::filesystem::path path;
    RecordingFile::StartStamp nameStamp;
};

std::optional<RecoveredLog> RecoverOne(
    const std::filesystem::path& folder, const Leftover& leftover, std::vector<std::string>& problems)
{
    const int fd = ::open(leftover.path.c_str(), O_RDWR | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        problems.push_back(Failure("cannot open", leftover.path));
        return std::nullopt;
    }
    // Held by a program that is still recording into it: not ours to finish.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return std::nullopt;
    }
    std::optional<RecoveredLog> recovered;
    LineScan scan;
    if (const std::optional<std::string> error = ScanLines(fd, scan)) {
        problems.push_back("cannot read " + leftover.path.string() + ": " + *error);
    } else if (scan.lineEnds < static_cast<std::int64_t>(LogHeader::kLines)) {
        // Ended before its header was whole: no row, no channel names, nothing to finish.
        ::unlink(leftover.path.c_str());
    } else {
        struct stat info { };
        std::string problem;
        if (::fstat(fd, &info) == 0 && scan.completeEnd < info.st_size
            && ::ftruncate(fd, scan.completeEnd) != 0) {
            problems.push_back(Failure("cannot cut the torn last line of", leftover.path));
        } else if (::fdatasync(fd) != 0) {
            problems.push_back(Failure("cannot write", leftover.path));
        } else {
            const std::string stamp = StartStampOfLog(scan.head).value_or(leftover.nameStamp);
            if (const auto path
                = RenameWithoutReplacing(leftover.path, folder, kLogPrefix + stamp, kLogExtension, problem)) {
                SyncFolder(folder);
                recovered = RecoveredLog { *path,
                    scan.lineEnds - scan.markerLines - static_cast<std::int64_t>(LogHeader::kLines) };
            } else {
                problems.push_back(problem);
            }
        }
    }
    ::close(fd);
    return recovered;
}

} // namespace

RecordingFile::~RecordingFile()
{
    Close();
}

std::optional<std::string> RecordingFile::Begin(
    const std::filesystem::path& target, const StartStamp& start, std::string_view header)
{
    Close();
    m_start = start;
    m_active = true;
    m_held.assign(header);
    m_bytes = static_cast<std::int64_t>(header.size());
    if (std::optional<std::string> error = Create(target.parent_path()))
        return error;
    // The header is written here, so that a disk that refuses it is said at once.
    std::optional<std::string> problem = WriteHeld();
    m_writer.Start(m_fd);
    m_writer.Queue(m_held);
    m_held.clear();
    return problem;
}

namespace {
constexpr mode_t kPlainFileMode = 0666;
} // namespace

std::optional<std::string> RecordingFile::Create(const std::filesystem::path& folder)
{
    std::string name = (folder / kNamePrefix).string() + m_start + std::string(kUniqueTail);
    // Exclusive creation: an existing name, a planted link included, is never opened.
    const int fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0)
        return Failure("cannot create a recording in", folder);
    // mkostemp makes the file private (0600); the finished log must be as readable as a log
    // created the ordinary way, so it gets what the user's umask allows.
    const mode_t umaskBits = ::umask(0);
    ::umask(umaskBits);
    ::fchmod(fd, kPlainFileMode & ~umaskBits);
    ::flock(fd, LOCK_EX | LOCK_NB);
    m_fd = fd;
    m_path = name;
    SyncFolder(folder);
    return std::nullopt;
}

std::optional<std::string> RecordingFile::Append(std::string_view bytes)
{
    m_bytes += static_cast<std::int64_t>(bytes.size());
    if (!m_writer.IsRunning()) {
        m_held.append(bytes);
        return m_fd < 0 ? std::optional<std::string>("no recording file") : WriteHeld();
    }
    m_writer.Queue(bytes);
    if (std::optional<std::string> problem = m_writer.Problem())
        return "cannot write " + m_path.string() + ": " + *problem;
    return std::nullopt;
}

bool RecordingFile::HasRoom() const
{
    return m_writer.IsRunning() ? m_writer.HasRoom() : m_held.size() < RecordingWriter::DefaultMaxQueuedBytes;
}

std::size_t RecordingFile::WaitingBytes() const
{
    return m_writer.IsRunning() ? m_writer.WaitingBytes() : m_held.size();
}

std::optional<std::string> RecordingFile::WriteHeld()
{
    const WriteOutcome outcome = WriteAll(m_fd, m_held);
    m_held.erase(0, outcome.written);
    if (outcome.error != 0)
        return "cannot write " + m_path.string() + ": " + ErrorText(outcome.error);
    return std::nullopt;
}

std::optional<std::string> RecordingFile::MoveTo(const std::filesystem::path& folder)
{
    std::string written;
    if (const std::optional<std::string> error = ReadAll(m_fd, written))
        return "cannot read " + m_path.string() + ": " + *error;
    const int oldFd = m_fd;
    const std::filesystem::path oldPath = m_path;
    if (std::optional<std::string> error = Create(folder)) {
        m_fd = oldFd;
        m_path = oldPath;
        return error;
    }
    std::optional<std::string> error;
    if (const WriteOutcome outcome = WriteAll(m_fd, written); outcome.error != 0)
        error = ErrorText(outcome.error);
    else if (::fdatasync(m_fd) != 0)
        error = ErrorText(errno);
    if (error) {
        const std::string reason = "cannot write " + m_path.string() + ": " + *error;
        ::close(m_fd);
        ::unlink(m_path.c_str());
        m_fd = oldFd;
        m_path = oldPath;
        return reason;
    }
    // Only now that every byte is in the new folder may the old recording go.
    ::unlink(oldPath.c_str());
    ::close(oldFd);
    return std::nullopt;
}

std::optional<std::string> RecordingFile::Finish(const std::filesystem::path& target)
{
    // From here the file is this thread's again; what the disk refused comes back to be held.
    if (m_writer.IsRunning())
        m_held = m_writer.Stop();
    const std::filesystem::path folder = target.parent_path();
    if (m_fd < 0) {
        if (std::optional<std::string> error = Create(folder))
            return error;
    } else if (m_path.parent_path() != folder) {
        if (std::optional<std::string> error = MoveTo(folder))
            return error;
    }
    if (std::optional<std::string> error = WriteHeld())
        return error;
    // The rename must not reach the disk before the data does, or a power cut could leave a
    // short file under the log's name.
    if (::fdatasync(m_fd) != 0)
        return Failure("cannot write", m_path);
    if (std::optional<std::string> error = KeepEarlierLog(target))
        return error;
    if (::rename(m_path.c_str(), target.c_str()) != 0)
        return Failure("cannot replace", target);
    SyncFolder(folder);
    Close();
    m_active = false;
    return std::nullopt;
}

void RecordingFile::Abandon()
{
    m_writer.Stop();
    if (m_fd >= 0)
        ::unlink(m_path.c_str());
    Close();
    m_path.clear();
    m_held.clear();
    m_active = false;
}

void RecordingFile::Close()
{
    // Whatever the disk refuses to the end stays held with this object; the file is a prefix.
    if (m_writer.IsRunning())
        m_held = m_writer.Stop();
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

std::optional<std::string> KeepEarlierLog(const std::filesystem::path& target)
{
    struct stat info { };
    if (::lstat(target.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    const int fd = ::open(target.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return std::nullopt; // unreadable: not known to be a log
    std::string head(kHeadBytes, '\0');
    const ssize_t n = ::read(fd, head.data(), head.size());
    ::close(fd);
    head.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    const std::optional<RecordingFile::StartStamp> stamp = StartStampOfLog(head);
    if (!stamp)
        return std::nullopt;
    std::string problem;
    const std::string base = target.stem().string() + "-" + *stamp;
    if (!RenameWithoutReplacing(target, target.parent_path(), base, target.extension().string(), problem))
        return "cannot keep the earlier log: " + problem;
    return std::nullopt;
}

std::optional<RecordingFile::StartStamp> StartStampOfLog(std::string_view text)
{
    for (const std::string_view opening : { LogHeader::kTitle, LogHeader::kLineEnd, LogHeader::kTimeField,
             std::string_view(&LogHeader::kSeparator, 1) }) {
        if (!text.starts_with(opening))
            return std::nullopt;
        text.remove_prefix(opening.size());
    }
    if (text.size() < kStartTextLength)
        return std::nullopt;
    const std::string_view when = text.substr(0, kStartTextLength);
    RecordingFile::StartStamp stamp;
    for (std::size_t i = 0; i < when.size(); ++i) {
        const bool separator = std::find(kStartTextSeparators.begin(), kStartTextSeparators.end(), i)
            != kStartTextSeparators.end();
        if (separator)
            continue;
        if (when[i] < '0' || when[i] > '9')
            return std::nullopt;
        stamp += when[i];
        if (stamp.size() == 8)
            stamp += '-';
    }
    return stamp;
}

Recovery RecoverRecordings(const std::filesystem::path& folder)
{
    Recovery recovery;
    std::vector<Leftover> leftovers;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
        const std::string name = entry.path().filename().string();
        if (!name.starts_with(RecordingFile::kNamePrefix))
            continue;
        std::error_code statError;
        if (entry.is_symlink(statError) || !entry.is_regular_file(statError)) {
            // A recording is only ever a file this program made: whatever else carries the name is
            // left alone, and said.
            recovery.problems.push_back("left " + entry.path().string() + " alone: it is "
                + (entry.is_symlink(statError)          ? "a symbolic link"
                        : entry.is_directory(statError) ? "a folder"
                                                        : "not a regular file")
                + ", not a recording");
            continue;
        }
        const std::string tail = name.substr(RecordingFile::kNamePrefix.size());
        const std::size_t stampLength
            = tail.size() > kUniqueTail.size() ? tail.size() - kUniqueTail.size() : 0;
        leftovers.push_back({ entry.path(), tail.substr(0, stampLength) });
    }
    if (ec)
        recovery.problems.push_back("cannot read the folder " + folder.string() + ": " + ec.message());
    std::sort(leftovers.begin(), leftovers.end(),
        [](const Leftover& a, const Leftover& b) { return a.path < b.path; });
    for (const Leftover& leftover : leftovers) {
        if (std::optional<RecoveredLog> log = RecoverOne(folder, leftover, recovery.problems))
            recovery.logs.push_back(std::move(*log));
    }
    return recovery;
}
