#pragma once

#include <string>

// Why `path` cannot be a serial port (a regular file, a folder, a device that is no terminal),
// or empty when it may be one. A path that does not exist (yet) is not refused: a cable given by
// its path may be plugged in later. A device that may not be opened is left to the open, which
// says what to do about the permission.
std::string NotSerialPortReason(const std::string& path);
