#include "FullFolder.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sys/mount.h>

namespace {

constexpr const char* FillerName = "filler";
constexpr std::size_t FillerChunk = 4096;
constexpr int MaxFillerChunks = 64; // more than a 64 KiB file system can hold

} // namespace

FullFolder::FullFolder()
    : m_path(std::filesystem::path(m_dir.path().toStdString()) / "logs")
{
    std::filesystem::create_directory(m_path);
    if (::mount("tmpfs", m_path.c_str(), "tmpfs", 0, "size=64k") != 0) {
        m_problem = std::string("cannot mount a tmpfs: ") + std::strerror(errno);
        return;
    }
    m_mounted = true;
    // The earlier log, then a filler that takes every block that is left.
    std::ofstream(LogFile(), std::ios::binary) << EarlierLog;
    std::ofstream filler(m_path / FillerName, std::ios::binary);
    const std::string chunk(FillerChunk, 'x');
    for (int i = 0; i < MaxFillerChunks && filler; ++i)
        filler.write(chunk.data(), static_cast<std::streamsize>(chunk.size())).flush();
}

FullFolder::~FullFolder()
{
    if (m_mounted)
        ::umount(m_path.c_str());
}

void FullFolder::MakeRoom()
{
    std::error_code ignored;
    std::filesystem::remove(m_path / FillerName, ignored);
}
