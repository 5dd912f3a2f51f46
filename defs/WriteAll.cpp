#include "defs/WriteAll.h"

#include <cerrno>
#include <unistd.h>

WriteOutcome WriteAll(int fd, std::string_view bytes)
{
    WriteOutcome outcome;
    while (outcome.written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + outcome.written, bytes.size() - outcome.written);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            outcome.error = errno;
            return outcome;
        }
        if (n == 0) {
            // Nothing moved and nothing said why: trying again would only spin.
            outcome.error = EIO;
            return outcome;
        }
        outcome.written += static_cast<std::size_t>(n);
    }
    return outcome;
}
