#pragma once

// The output speed set on a terminal, as a number of baud, read with the kernel's termios2
// call so that custom rates (7812, 15625) show as they are; -1 if it cannot be read. Kept in a
// file of its own because the kernel's termios2 header clashes with the C library's termios.h.
int PtyOutputSpeed(int descriptor);
