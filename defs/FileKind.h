#pragma once

#include <string>
#include <sys/types.h>

// What a path that is not a regular file is, as messages name it: "a folder", "a FIFO",
// "a device", "a socket", "a symbolic link"; "not a regular file" for anything else.
std::string FileKindText(mode_t mode);
