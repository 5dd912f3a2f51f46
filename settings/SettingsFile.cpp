#include "settings/SettingsFile.h"

#include "defs/FileKind.h"

#include <QSaveFile>
#include <QString>
#include <QtGlobal>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr std::size_t BytesPerKiB = 1024;

enum class ReadOutcome { Missing, Read, Unreadable };

struct FileText {
    ReadOutcome outcome = ReadOutcome::Missing;
    std::string text;
    std::string problem; // why it could not be read
};

// Closes the descriptor on every way out.
class Descriptor {
public:
    explicit Descriptor(int fd)
        : m_fd(fd)
    {
    }
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int Get() const { return m_fd; }

private:
    int m_fd;
};

std::string NotASettingsFile(const struct stat& status)
{
    if (!S_ISREG(status.st_mode))
        return "it is " + FileKindText(status.st_mode) + ", not a file";
    return "it is larger than " + std::to_string(SettingsFile::MaxBytes / BytesPerKiB) + " KiB";
}

bool Fits(const struct stat& status)
{
    return S_ISREG(status.st_mode) && static_cast<std::uintmax_t>(status.st_size) <= SettingsFile::MaxBytes;
}

FileText Unreadable(std::string problem)
{
    return { ReadOutcome::Unreadable, {}, std::move(problem) };
}

// Not QFile: opening a FIFO with it waits for a writer, and a device may not be opened at all. The
// kind is checked before opening and again on what was opened, in case the name was swapped between.
FileText ReadBounded(const std::filesystem::path& path)
{
    struct stat status { };
    if (::stat(path.c_str(), &status) != 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return {};
        return Unreadable(std::strerror(errno));
    }
    if (!Fits(status))
        return Unreadable(NotASettingsFile(status));
    const Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (file.Get() < 0)
        return errno == ENOENT ? FileText {} : Unreadable(std::strerror(errno));
    if (::fstat(file.Get(), &status) != 0)
        return Unreadable(std::strerror(errno));
    if (!Fits(status))
        return Unreadable(NotASettingsFile(status));

    // One byte more than allowed tells a file that grew since fstat.
    std::string text(SettingsFile::MaxBytes + 1, '\0');
    std::size_t length = 0;
    while (length < text.size()) {
        const ssize_t got = ::read(file.Get(), text.data() + length, text.size() - length);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return Unreadable(std::strerror(errno));
        if (got == 0)
            break;
        length += static_cast<std::size_t>(got);
    }
    if (length > SettingsFile::MaxBytes)
        return Unreadable(NotASettingsFile(status));
    text.resize(length);
    return { ReadOutcome::Read, std::move(text), {} };
}

// Root may write anything, so the mode bits are asked too: a file without any write permission was
// made read-only on purpose.
bool IsReadOnly(const std::filesystem::path& path, const struct stat& status)
{
    constexpr mode_t AnyWrite = S_IWUSR | S_IWGRP | S_IWOTH;
    return (status.st_mode & AnyWrite) == 0 || ::access(path.c_str(), W_OK) != 0;
}

// The replacement is a new file, so it would belong to whoever saves; root (or a member of the
// group) can give it back. Where the system refuses, the file keeps its contents and mode anyway.
void KeepOwner(int fd, const struct stat& status)
{
    if (::fchown(fd, status.st_uid, status.st_gid) == 0)
        return;
    if (::fchown(fd, static_cast<uid_t>(-1), status.st_gid) != 0)
        return; // the contents and the mode are kept all the same
}

// A link is named with the file it points at: that is the file being written.
std::string Named(const std::filesystem::path& path)
{
    std::error_code ec;
    if (!std::filesystem::is_symlink(path, ec))
        return path.string();
    const std::filesystem::path target = std::filesystem::weakly_canonical(path, ec);
    return ec ? path.string() : path.string() + " (a link to " + target.string() + ")";
}

// QSaveFile creates its temporary file exclusively under a unique name, writes the new text through
// a link to the link's target, and gives the new file the old one's permissions.
std::optional<std::string> Replace(const std::filesystem::path& path, const std::string& text)
{
    std::error_code ec;
    std::filesystem::create_directories(path.parent_path(), ec);
    if (ec)
        return Named(path) + " could not be written: cannot create the folder " + path.parent_path().string()
            + ": " + ec.message();
    struct stat existing { };
    const bool exists = ::stat(path.c_str(), &existing) == 0;
    if (exists && IsReadOnly(path, existing))
        return Named(path) + " is read-only; it was left as it is";

    QSaveFile file(QString::fromStdString(path.string()));
    if (!file.open(QIODevice::WriteOnly))
        return Named(path) + " could not be written: " + file.errorString().toStdString();
    if (exists)
        KeepOwner(file.handle(), existing);
    const auto size = static_cast<qint64>(text.size());
    if (file.write(text.data(), size) != size || !file.commit())
        return Named(path) + " could not be written: " + file.errorString().toStdString();
    return std::nullopt;
}

} // namespace

SettingsFile::SettingsFile(const std::filesystem::path& path)
{
    std::error_code ec;
    m_path = std::filesystem::absolute(path, ec).lexically_normal();
    if (ec)
        m_path = path.lexically_normal();
}

IniFile SettingsFile::Read()
{
    const FileText file = ReadBounded(m_path);
    if (file.outcome == ReadOutcome::Read)
        return IniFile::FromText(file.text);
    if (file.outcome == ReadOutcome::Unreadable && !m_leftAlone) {
        m_leftAlone = true;
        qWarning("%s cannot be read (%s): the defaults are used and the file is left as it is",
            m_path.c_str(), file.problem.c_str());
    }
    return {};
}

std::optional<std::string> SettingsFile::Update(const std::function<void(IniFile&)>& write)
{
    if (m_leftAlone)
        return std::nullopt;
    IniFile ini = Read();
    if (m_leftAlone)
        return std::nullopt;
    write(ini);
    return Replace(m_path, ini.Text());
}
