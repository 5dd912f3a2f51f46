#pragma once

#include <pty.h>
#include <unistd.h>

#include <array>
#include <string>

// A serial port that exists but is not the cable: a pseudo-terminal that nobody answers on.
class SilentTerminal {
public:
    SilentTerminal()
    {
        std::array<char, 128> name {};
        int slave = -1;
        if (::openpty(&m_master, &slave, name.data(), nullptr, nullptr) == 0) {
            ::close(slave);
            m_path = name.data();
        }
    }
    ~SilentTerminal()
    {
        if (m_master >= 0)
            ::close(m_master);
    }
    SilentTerminal(const SilentTerminal&) = delete;
    SilentTerminal& operator=(const SilentTerminal&) = delete;

    // Empty when no pseudo-terminal could be had.
    const std::string& Path() const { return m_path; }

private:
    int m_master = -1;
    std::string m_path;
};
