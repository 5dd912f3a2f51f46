#pragma once

#include <fstream>
#include <string>
#include <string_view>

// A memory figure of this process in kB, as /proc/self/status gives it: "VmRSS" the resident
// memory now, "VmHWM" its peak. -1 when it cannot be read.
inline long ProcessMemoryKb(std::string_view field)
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with(field) && line.size() > field.size() && line[field.size()] == ':')
            return std::stol(line.substr(line.find_first_of("0123456789")));
    }
    return -1;
}
