#include "cli/InputLines.h"

#include <array>
#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace {

constexpr std::size_t kReadBytes = 4096;

bool OpenAndNoTerminal(int fd)
{
    return fd >= 0 && ::fcntl(fd, F_GETFD) != -1 && ::isatty(fd) == 0;
}

} // namespace

InputLines::InputLines(int fd)
    : m_fd(fd)
    , m_open(OpenAndNoTerminal(fd))
{
}

std::vector<std::string> InputLines::Take()
{
    std::vector<std::string> lines;
    std::array<char, kReadBytes> buffer {};
    while (m_open) {
        pollfd ready { m_fd, POLLIN, 0 };
        if (::poll(&ready, 1, 0) <= 0 || (ready.revents & (POLLIN | POLLHUP)) == 0) {
            // Nothing waiting; a descriptor that is not open ends the input.
            m_open = (ready.revents & POLLNVAL) == 0;
            break;
        }
        const ssize_t got = ::read(m_fd, buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            m_open = false;
            if (!m_partial.empty())
                lines.push_back(std::move(m_partial));
            m_partial.clear();
            break;
        }
        m_partial.append(buffer.data(), static_cast<std::size_t>(got));
        for (std::size_t end = m_partial.find('\n'); end != std::string::npos; end = m_partial.find('\n')) {
            std::string line = m_partial.substr(0, end);
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            lines.push_back(std::move(line));
            m_partial.erase(0, end + 1);
        }
    }
    return lines;
}
