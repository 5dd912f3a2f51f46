#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

// A program started with its standard output and error read through pipes. Reads wait for data
// but give up after a generous bound, so a broken program fails the test instead of hanging it.
class ChildProcess {
public:
    static constexpr std::chrono::milliseconds Patience { 10000 };

    ChildProcess(const std::string& program, const std::vector<std::string>& args);
    ~ChildProcess(); // kills the child if it still runs
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool Started() const { return m_pid > 0; }
    int Pid() const { return m_pid; }
    // The next line of standard output, without its line end; nullopt at end of output or after Patience.
    std::optional<std::string> ReadLine();
    void Signal(int signal) const;
    // Waits for the exit; the exit status, or -1 if it did not exit normally within `patience`.
    int Wait(std::chrono::milliseconds patience = Patience);
    // Everything the child wrote to standard error (after it ended).
    std::string ErrorOutput();

private:
    int m_pid = -1;
    int m_out = -1;
    int m_err = -1;
    std::string m_outBuffer;
};
