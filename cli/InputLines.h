#pragma once

#include <string>
#include <vector>

// The lines that arrive on a file descriptor (standard input) while the tool goes on with its work:
// Take never waits. A terminal is not read, so that keys typed at a prompt are not taken for lines.
class InputLines {
public:
    explicit InputLines(int fd);

    // The lines complete since the last call, without their line ends; once the input has ended,
    // its last line too when it had no end.
    std::vector<std::string> Take();

private:
    int m_fd;
    bool m_open;
    std::string m_partial;
};
