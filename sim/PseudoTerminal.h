#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

// The master side of a pseudo-terminal, standing in for the serial cable: a client opens the
// slave path (/dev/pts/N) as it would a serial port. The slave side is put in raw mode so the tty
// layer neither echoes nor translates bytes, and one slave descriptor is kept open here so that
// the master does not report an error while no client is attached.
class PseudoTerminal {
public:
    static constexpr int DefaultBaud = 15625;

    // nullptr with `error` set when the system cannot provide one.
    static std::unique_ptr<PseudoTerminal> Open(std::string& error);
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    const std::string& SlavePath() const { return m_slavePath; }
    int MasterFd() const { return m_master; } // for poll(); non-blocking

    // Everything the client has written so far (possibly nothing).
    std::vector<std::uint8_t> ReadAvailable();
    // Writes as much as the tty accepts without blocking; returns the count written. A client
    // that never reads fills the buffer and the rest is lost, as on a real line.
    std::size_t Write(std::span<const std::uint8_t> bytes);
    // The line speed the client set, or `fallback` when it cannot be read.
    int ClientBaud(int fallback = DefaultBaud) const;

private:
    PseudoTerminal(int master, int slave, std::string slavePath);

    int m_master;
    int m_slave;
    std::string m_slavePath;
};

// The output speed set on a terminal, as a number of baud, including speeds outside the
// classic table (15625, 7812); 0 when it cannot be read.
int TerminalBaud(int fd);
// Sets input and output speed to `baud` (any number, not only the classic table); false on failure.
bool SetTerminalBaud(int fd, int baud);
