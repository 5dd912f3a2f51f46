#pragma once

#include <filesystem>
#include <string>

// A capture file made for writing as logs are: never through a symbolic link, never into a FIFO,
// a device or a folder (refused at once, so that nothing waits on them), and an earlier file at
// the path kept beside it as "<stem>-YYYYMMDD-HHMMSS<ext>" (the time it was last written) rather
// than overwritten.
struct CaptureTarget {
    int fd = -1; // open for writing; -1 when refused
    std::string error; // why it was refused, naming the path
    std::filesystem::path keptAs; // where an earlier file went; empty when there was none

    // A file made at `path`.
    static CaptureTarget Make(const std::filesystem::path& path);
};
