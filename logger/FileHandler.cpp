#include "logger/FileHandler.h"

#include <cerrno>
#include <system_error>
#include <unistd.h>

namespace {

std::string ErrorText(int error)
{
    return std::error_code(error, std::generic_category()).message();
}

} // namespace

FileHandler::~FileHandler()
{
    Discard();
}

std::filesystem::path FileHandler::TemporaryPathFor(const std::filesystem::path& fileName)
{
    std::filesystem::path temporary = fileName;
    temporary += ".tmp";
    return temporary;
}

std::optional<std::string> FileHandler::Open(const std::filesystem::path& fileName)
{
    Discard();
    m_error.reset();
    m_target = fileName;
    m_temporary = TemporaryPathFor(fileName);
    errno = 0;
    m_file = std::fopen(m_temporary.c_str(), "wb");
    if (!m_file)
        return "cannot create " + m_temporary.string() + ": " + ErrorText(errno);
    return std::nullopt;
}

void FileHandler::Write(std::string_view text)
{
    if (!m_file || m_error || text.empty())
        return;
    errno = 0;
    if (std::fwrite(text.data(), 1, text.size(), m_file) != text.size())
        RecordError("cannot write " + m_temporary.string(), errno);
}

std::optional<std::string> FileHandler::Close()
{
    if (!m_file)
        return std::nullopt;
    if (!m_error && std::fflush(m_file) != 0)
        RecordError("cannot write " + m_temporary.string(), errno);
    // The rename must not reach the disk before the data does, or a power cut could leave
    // an empty file in place of the log.
    if (!m_error && ::fsync(::fileno(m_file)) != 0)
        RecordError("cannot write " + m_temporary.string(), errno);
    const int closed = std::fclose(m_file);
    m_file = nullptr;
    if (!m_error && closed != 0)
        RecordError("cannot write " + m_temporary.string(), errno);
    if (!m_error) {
        std::error_code ec;
        std::filesystem::rename(m_temporary, m_target, ec);
        if (ec)
            m_error = "cannot replace " + m_target.string() + ": " + ec.message();
    }
    if (m_error) {
        std::error_code ignored;
        std::filesystem::remove(m_temporary, ignored);
    }
    return m_error;
}

void FileHandler::RecordError(const std::string& what, int error)
{
    if (!m_error)
        m_error = what + ": " + (error != 0 ? ErrorText(error) : std::string("write error"));
}

void FileHandler::Discard()
{
    if (!m_file)
        return;
    std::fclose(m_file);
    m_file = nullptr;
    std::error_code ignored;
    std::filesystem::remove(m_temporary, ignored);
}
