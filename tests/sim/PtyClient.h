#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The program's side of a pseudo-terminal line, with plain POSIX calls.
class PtyClient {
public:
    explicit PtyClient(const std::string& path); // opens in raw mode
    ~PtyClient();
    PtyClient(const PtyClient&) = delete;
    PtyClient& operator=(const PtyClient&) = delete;

    bool IsOpen() const { return m_fd >= 0; }
    int Fd() const { return m_fd; }
    bool Send(const std::vector<std::uint8_t>& bytes) const;
    // Reads until `count` bytes have come, the line hangs up or patience runs out.
    std::vector<std::uint8_t> Receive(std::size_t count) const;
    // Waits for the line to hang up (the cable pulled); false if it does not within patience.
    bool WaitForHangUp() const;

private:
    int m_fd = -1;
};
