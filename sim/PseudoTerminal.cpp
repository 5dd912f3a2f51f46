#include "sim/PseudoTerminal.h"

#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace {

constexpr std::size_t ReadChunk = 256;

std::string SystemError(const char* what)
{
    return std::string(what) + ": " + std::strerror(errno);
}

} // namespace

std::unique_ptr<PseudoTerminal> PseudoTerminal::Open(std::string& error)
{
    const int master = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (master < 0) {
        error = SystemError("posix_openpt");
        return nullptr;
    }
    std::array<char, 64> name {};
    if (grantpt(master) != 0 || unlockpt(master) != 0 || ptsname_r(master, name.data(), name.size()) != 0) {
        error = SystemError("pseudo-terminal set-up");
        close(master);
        return nullptr;
    }
    const int slave = open(name.data(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slave < 0) {
        error = SystemError(name.data());
        close(master);
        return nullptr;
    }
    termios raw {};
    if (tcgetattr(slave, &raw) == 0) {
        cfmakeraw(&raw);
        tcsetattr(slave, TCSANOW, &raw);
    }
    // Until a client sets its own speed, the line runs at the ECU's usual one.
    SetTerminalBaud(slave, DefaultBaud);
    return std::unique_ptr<PseudoTerminal>(new PseudoTerminal(master, slave, name.data()));
}

PseudoTerminal::PseudoTerminal(int master, int slave, std::string slavePath)
    : m_master(master)
    , m_slave(slave)
    , m_slavePath(std::move(slavePath))
{
}

PseudoTerminal::~PseudoTerminal()
{
    close(m_slave);
    close(m_master);
}

std::vector<std::uint8_t> PseudoTerminal::ReadAvailable()
{
    std::vector<std::uint8_t> bytes;
    std::array<std::uint8_t, ReadChunk> chunk {};
    while (true) {
        const ssize_t count = read(m_master, chunk.data(), chunk.size());
        if (count > 0) {
            bytes.insert(bytes.end(), chunk.begin(), chunk.begin() + count);
            continue;
        }
        if (count < 0 && errno == EINTR)
            continue;
        return bytes; // EAGAIN: nothing more for now
    }
}

std::size_t PseudoTerminal::Write(std::span<const std::uint8_t> bytes)
{
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t count = write(m_master, bytes.data() + written, bytes.size() - written);
        if (count > 0) {
            written += static_cast<std::size_t>(count);
            continue;
        }
        if (count < 0 && errno == EINTR)
            continue;
        break;
    }
    return written;
}

int PseudoTerminal::ClientBaud(int fallback) const
{
    const int baud = TerminalBaud(m_slave);
    return baud > 0 ? baud : fallback;
}
