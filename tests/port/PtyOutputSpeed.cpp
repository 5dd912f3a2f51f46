#include "PtyOutputSpeed.h"

#include <asm/termbits.h>
#include <sys/ioctl.h>

int PtyOutputSpeed(int descriptor)
{
    termios2 settings {};
    if (::ioctl(descriptor, TCGETS2, &settings) != 0)
        return -1;
    return static_cast<int>(settings.c_ospeed);
}
