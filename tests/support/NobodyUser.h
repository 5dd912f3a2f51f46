#pragma once

#include <sys/types.h>

// The user "nobody": tests that run as root drop to it where a refusal by the system is wanted
// (root may open, read and write anything).
inline constexpr uid_t NobodyId = 65534;
