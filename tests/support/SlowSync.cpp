// Preloaded (LD_PRELOAD) into a program under test to stand for a disk that stalls (a USB stick,
// a network folder): every fdatasync first sleeps DAZED_SLOW_SYNC_MS milliseconds (default 800).
// When DAZED_SLOW_SYNC_TALLY names a file, each call appends one line to it, so that a test can
// see the slow path was taken.
#include <chrono>
#include <cstdlib>
#include <dlfcn.h>
#include <fcntl.h>
#include <thread>
#include <unistd.h>

namespace {

constexpr long DefaultStallMs = 800;

long StallMs()
{
    const char* text = std::getenv("DAZED_SLOW_SYNC_MS");
    return text ? std::strtol(text, nullptr, 10) : DefaultStallMs;
}

void Tally()
{
    const char* path = std::getenv("DAZED_SLOW_SYNC_TALLY");
    if (!path)
        return;
    const int fd = ::open(path, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0)
        return;
    [[maybe_unused]] const ssize_t written = ::write(fd, "sync\n", 5);
    ::close(fd);
}

} // namespace

extern "C" int fdatasync(int fd)
{
    using Sync = int (*)(int);
    static const auto real = reinterpret_cast<Sync>(::dlsym(RTLD_NEXT, "fdatasync"));
    std::this_thread::sleep_for(std::chrono::milliseconds(StallMs()));
    Tally();
    return real ? real(fd) : 0;
}
