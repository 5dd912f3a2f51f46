// The kernel's termios2 carries the actual speed as a number; its header clashes with
// <termios.h>, so this lives in a file of its own.
#include "sim/PseudoTerminal.h"

#include <asm/termbits.h>
#include <sys/ioctl.h>

int TerminalBaud(int fd)
{
    struct termios2 settings { };
    if (ioctl(fd, TCGETS2, &settings) != 0)
        return 0;
    return static_cast<int>(settings.c_ospeed);
}

bool SetTerminalBaud(int fd, int baud)
{
    struct termios2 settings { };
    if (baud <= 0 || ioctl(fd, TCGETS2, &settings) != 0)
        return false;
    settings.c_cflag &= ~(CBAUD | (CBAUD << IBSHIFT));
    settings.c_cflag |= BOTHER | (BOTHER << IBSHIFT);
    settings.c_ispeed = static_cast<speed_t>(baud);
    settings.c_ospeed = static_cast<speed_t>(baud);
    return ioctl(fd, TCSETS2, &settings) == 0;
}
