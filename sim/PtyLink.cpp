#include "sim/PtyLink.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string ReadLink(const std::string& path)
{
    std::array<char, 4096> target {};
    const ssize_t length = readlink(path.c_str(), target.data(), target.size() - 1);
    return length > 0 ? std::string(target.data(), static_cast<std::size_t>(length)) : std::string();
}

} // namespace

PtyLink::PtyLink(std::string path)
    : m_path(std::move(path))
{
}

PtyLink::~PtyLink()
{
    Remove();
}

bool PtyLink::CheckPathFree(std::string& error) const
{
    // Only a link this program made may be replaced: anything else at the path is someone's.
    struct stat status { };
    if (lstat(m_path.c_str(), &status) == 0 && (m_target.empty() || ReadLink(m_path) != m_target)) {
        error = "--link: " + m_path + " already exists; remove it or give another path";
        return false;
    }
    return true;
}

bool PtyLink::PointAt(const std::string& target, std::string& error)
{
    if (!CheckPathFree(error))
        return false;
    // Made under a temporary name and renamed over the path, so a client never sees it half done.
    const std::string temporary = m_path + ".ecusim-" + std::to_string(getpid());
    if (symlink(target.c_str(), temporary.c_str()) != 0) {
        error = "--link: cannot create " + temporary + ": " + std::strerror(errno);
        return false;
    }
    if (rename(temporary.c_str(), m_path.c_str()) != 0) {
        error = "--link: cannot create " + m_path + ": " + std::strerror(errno);
        unlink(temporary.c_str());
        return false;
    }
    m_target = target;
    return true;
}

void PtyLink::Remove()
{
    if (m_target.empty())
        return;
    if (ReadLink(m_path) == m_target)
        unlink(m_path.c_str());
    m_target.clear();
}
