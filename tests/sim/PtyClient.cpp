#include "PtyClient.h"

#include "ChildProcess.h"

#include <array>
#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace {

int PatienceMs()
{
    return static_cast<int>(ChildProcess::Patience.count());
}

} // namespace

PtyClient::PtyClient(const std::string& path)
    : m_fd(open(path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC))
{
    termios raw {};
    if (m_fd >= 0 && tcgetattr(m_fd, &raw) == 0) {
        cfmakeraw(&raw);
        tcsetattr(m_fd, TCSANOW, &raw);
    }
}

PtyClient::~PtyClient()
{
    if (m_fd >= 0)
        close(m_fd);
}

bool PtyClient::Send(const std::vector<std::uint8_t>& bytes) const
{
    return write(m_fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
}

std::vector<std::uint8_t> PtyClient::Receive(std::size_t count) const
{
    std::vector<std::uint8_t> bytes;
    while (bytes.size() < count) {
        pollfd ready { m_fd, POLLIN, 0 };
        if (poll(&ready, 1, PatienceMs()) <= 0 || !(ready.revents & POLLIN))
            break;
        std::array<std::uint8_t, 64> chunk {};
        const ssize_t got = read(m_fd, chunk.data(), std::min(chunk.size(), count - bytes.size()));
        if (got <= 0)
            break;
        bytes.insert(bytes.end(), chunk.begin(), chunk.begin() + got);
    }
    return bytes;
}

bool PtyClient::WaitForHangUp() const
{
    pollfd ready { m_fd, 0, 0 };
    return poll(&ready, 1, PatienceMs()) > 0 && (ready.revents & (POLLHUP | POLLERR));
}
