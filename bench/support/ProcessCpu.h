#pragma once

#include <sys/resource.h>

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
