#include "port/SerialPortCheck.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

std::string NotSerialPortReason(const std::string& path)
{
    struct stat info { };
    if (::stat(path.c_str(), &info) != 0)
        return {};
    const std::string notAPort = path + " is not a serial port";
    if (S_ISDIR(info.st_mode))
        return notAPort + " (it is a folder)";
    if (!S_ISCHR(info.st_mode))
        return notAPort + " (it is not a device)";
    // Only a terminal device has a line speed; /dev/null and its like are character devices too.
    // Opened without waiting for a carrier and without becoming the controlling terminal.
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return {};
    const bool terminal = ::isatty(fd) == 1;
    ::close(fd);
    return terminal ? std::string() : notAPort + " (it is a device that is not a terminal)";
}
