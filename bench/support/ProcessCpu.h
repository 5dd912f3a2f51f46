#pragma once

#include <sys/resource.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>

// User and system CPU time used so far by every thread of this process, in seconds.
inline double ProcessCpuSeconds()
{
    constexpr double MicrosecondsPerSecond = 1e6;
    rusage usage {};
    ::getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / MicrosecondsPerSecond;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// CPU time used so far by this process's threads named `name`, in seconds: what a helper thread
// inside a benchmark (a fake ECU) costs, to be taken out of the process's figure.
inline double ThreadsCpuSeconds(std::string_view name)
{
    const double ticksPerSecond = static_cast<double>(::sysconf(_SC_CLK_TCK));
    double seconds = 0;
    for (const auto& task : std::filesystem::directory_iterator("/proc/self/task")) {
        std::string comm;
        std::getline(std::ifstream(task.path() / "comm"), comm);
        if (comm != name)
            continue;
        std::string stat;
        std::getline(std::ifstream(task.path() / "stat"), stat);
        // After the name in parentheses: state, then 10 fields before utime and stime.
        std::istringstream fields(stat.substr(stat.rfind(')') + 2));
        std::string skipped;
        for (int field = 0; field < 11; ++field)
            fields >> skipped;
        double userTicks = 0;
        double systemTicks = 0;
        fields >> userTicks >> systemTicks;
        seconds += (userTicks + systemTicks) / ticksPerSecond;
    }
    return seconds;
}
