#include "capture/CaptureReader.h"

#include "defs/FileKind.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

std::shared_ptr<const CaptureSource> CaptureSource::FromText(std::string text)
{
    std::shared_ptr<CaptureSource> source(new CaptureSource());
    source->m_text = std::move(text);
    return source;
}

std::shared_ptr<const CaptureSource> CaptureSource::OpenFile(
    const std::filesystem::path& path, std::string& error)
{
    // Without waiting: opening a FIFO for reading would otherwise block until someone writes.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        error = "cannot open " + path.string() + ": " + std::strerror(errno);
        return nullptr;
    }
    struct stat info { };
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        error = path.string() + " is " + FileKindText(info.st_mode) + ", not a capture file";
        ::close(fd);
        return nullptr;
    }
    std::shared_ptr<CaptureSource> source(new CaptureSource());
    source->m_fd = fd;
    return source;
}

CaptureSource::~CaptureSource()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

std::size_t CaptureSource::ReadAt(std::uint64_t offset, std::span<char> into) const
{
    if (m_fd < 0) {
        if (offset >= m_text.size())
            return 0;
        const std::size_t count = std::min(into.size(), m_text.size() - static_cast<std::size_t>(offset));
        std::copy_n(m_text.begin() + static_cast<std::ptrdiff_t>(offset), count, into.begin());
        return count;
    }
    while (true) {
        const ssize_t count = ::pread(m_fd, into.data(), into.size(), static_cast<off_t>(offset));
        if (count >= 0)
            return static_cast<std::size_t>(count);
        if (errno != EINTR)
            return 0;
    }
}

CaptureChunkReader::CaptureChunkReader(std::shared_ptr<const CaptureSource> source, CaptureReadLimits limits)
    : m_source(std::move(source))
    , m_limits(limits)
{
    m_limits.blockBytes = std::max<std::size_t>(m_limits.blockBytes, 1);
}

bool CaptureChunkReader::Fill()
{
    if (m_sourceEnded)
        return false;
    // The lines read are dropped first, so the buffer never holds more than a line and a block.
    m_buffer.erase(0, m_used);
    m_used = 0;
    const std::size_t had = m_buffer.size();
    m_buffer.resize(had + m_limits.blockBytes);
    const std::size_t count = m_source->ReadAt(m_offset, std::span(m_buffer).subspan(had));
    m_buffer.resize(had + count);
    m_offset += count;
    m_sourceEnded = count == 0;
    return count > 0;
}

std::optional<CaptureChunkReader::Line> CaptureChunkReader::NextLine()
{
    while (true) {
        const std::size_t end = m_buffer.find('\n', m_used);
        const std::size_t length = (end == std::string::npos ? m_buffer.size() : end) - m_used;
        if (length > m_limits.maxLineBytes) {
            Fail("line " + std::to_string(m_lineNumber + 1) + " is longer than "
                + std::to_string(m_limits.maxLineBytes) + " characters, more than any capture line holds");
            return std::nullopt;
        }
        if (end != std::string::npos || (!Fill() && m_used < m_buffer.size())) {
            const std::size_t at = m_used;
            const bool withoutEnd = end == std::string::npos;
            const std::size_t lineEnd = withoutEnd ? m_buffer.size() : end;
            m_used = withoutEnd ? m_buffer.size() : end + 1;
            ++m_lineNumber;
            std::string_view text(m_buffer.data() + at, lineEnd - at);
            if (text.ends_with('\r'))
                text.remove_suffix(1);
            return Line { text, withoutEnd };
        }
        if (m_sourceEnded && m_used >= m_buffer.size())
            return std::nullopt;
    }
}

void CaptureChunkReader::Fail(const std::string& text)
{
    m_error = text;
    m_ended = true;
}

std::optional<CaptureChunk> CaptureChunkReader::Next()
{
    while (!m_ended) {
        const std::optional<Line> line = NextLine();
        if (!line) {
            if (m_lineNumber == 0 && m_error.empty())
                Fail("line 1: the file is empty, not a capture file");
            m_ended = true;
            break;
        }
        std::optional<CaptureChunk> chunk;
        const std::string problem = m_lineNumber == 1
            ? CheckCaptureFirstLine(line->text)
            : ParseCaptureLine(line->text, m_previousMs, m_baud, chunk);
        if (problem.empty()) {
            if (!chunk)
                continue;
            m_previousMs = chunk->ms;
            return chunk;
        }
        // A recording cut off in the middle of a line loses that line only.
        if (line->withoutEnd && m_lineNumber > 1)
            m_torn = true;
        else
            m_error = "line " + std::to_string(m_lineNumber) + ": " + problem;
        m_ended = true;
    }
    return std::nullopt;
}

CaptureRead ParseCapture(std::string_view text)
{
    CaptureChunkReader reader(CaptureSource::FromText(std::string(text)));
    CaptureRead read;
    while (std::optional<CaptureChunk> chunk = reader.Next())
        read.log.chunks.push_back(std::move(*chunk));
    read.error = reader.Error();
    read.tornLastLine = reader.TornLastLine();
    read.log.baud = reader.Baud();
    return read;
}

CaptureRead ReadCaptureFile(const std::filesystem::path& path)
{
    CaptureRead read;
    const std::shared_ptr<const CaptureSource> source = CaptureSource::OpenFile(path, read.error);
    if (!source)
        return read;
    CaptureChunkReader reader(source);
    while (std::optional<CaptureChunk> chunk = reader.Next())
        read.log.chunks.push_back(std::move(*chunk));
    read.tornLastLine = reader.TornLastLine();
    read.log.baud = reader.Baud();
    if (!reader.Error().empty())
        read.error = path.string() + " " + reader.Error();
    return read;
}
