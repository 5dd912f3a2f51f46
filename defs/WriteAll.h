#pragma once

#include <cstddef>
#include <string_view>

// What WriteAll did: how many bytes went out, and the errno of the call that failed (0 when they
// all went out).
struct WriteOutcome {
    std::size_t written = 0;
    int error = 0;
};

// Writes every byte of `bytes` to `fd`, going on after a short write or a call that a signal
// interrupted.
WriteOutcome WriteAll(int fd, std::string_view bytes);
