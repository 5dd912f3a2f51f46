#include "ChildProcess.h"

#include <array>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

int MillisecondsLeft(Clock::time_point deadline)
{
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

} // namespace

ChildProcess::ChildProcess(const std::string& program, const std::vector<std::string>& args)
{
    std::array<int, 2> out {};
    std::array<int, 2> err {};
    if (pipe2(out.data(), O_CLOEXEC) != 0)
        return;
    if (pipe2(err.data(), O_CLOEXEC) != 0) {
        close(out[0]);
        close(out[1]);
        return;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, err[1], STDERR_FILENO);
    std::vector<std::string> argvStrings { program };
    argvStrings.insert(argvStrings.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& arg : argvStrings)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    pid_t pid = -1;
    if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ) == 0)
        m_pid = pid;
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    close(err[1]);
    m_out = out[0];
    m_err = err[0];
}

ChildProcess::~ChildProcess()
{
    if (m_pid > 0) {
        kill(m_pid, SIGKILL);
        waitpid(m_pid, nullptr, 0);
    }
    if (m_out >= 0)
        close(m_out);
    if (m_err >= 0)
        close(m_err);
}

std::optional<std::string> ChildProcess::ReadLine()
{
    const auto deadline = Clock::now() + Patience;
    while (true) {
        const auto end = m_outBuffer.find('\n');
        if (end != std::string::npos) {
            std::string line = m_outBuffer.substr(0, end);
            m_outBuffer.erase(0, end + 1);
            return line;
        }
        pollfd ready { m_out, POLLIN, 0 };
        if (poll(&ready, 1, MillisecondsLeft(deadline)) <= 0)
            return std::nullopt;
        std::array<char, 256> chunk {};
        const ssize_t count = read(m_out, chunk.data(), chunk.size());
        if (count <= 0)
            return std::nullopt;
        m_outBuffer.append(chunk.data(), static_cast<std::size_t>(count));
    }
}

void ChildProcess::Signal(int signal) const
{
    if (m_pid > 0)
        kill(m_pid, signal);
}

int ChildProcess::Wait(std::chrono::milliseconds patience)
{
    if (m_pid <= 0)
        return -1;
    const auto deadline = Clock::now() + patience;
    while (true) {
        int status = 0;
        const pid_t done = waitpid(m_pid, &status, WNOHANG);
        if (done == m_pid) {
            m_pid = -1;
            return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        }
        if (MillisecondsLeft(deadline) == 0)
            return -1;
        // A process descriptor becomes readable when the process ends.
        const int processFd = static_cast<int>(syscall(SYS_pidfd_open, m_pid, 0));
        pollfd ended { processFd, POLLIN, 0 };
        poll(&ended, 1, MillisecondsLeft(deadline));
        if (processFd >= 0)
            close(processFd);
    }
}

std::string ChildProcess::ErrorOutput()
{
    std::string text;
    std::array<char, 256> chunk {};
    pollfd ready { m_err, POLLIN, 0 };
    while (poll(&ready, 1, 0) > 0) {
        const ssize_t count = read(m_err, chunk.data(), chunk.size());
        if (count <= 0)
            break;
        text.append(chunk.data(), static_cast<std::size_t>(count));
    }
    return text;
}
