#pragma once

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// Writes one file byte for byte, never leaving a half-written file in its place: the bytes go
// to a temporary file beside it ("<name>.tmp"), which Close flushes to the disk and renames
// over the target in one step. A save that fails anywhere leaves the earlier file as it was.
// Each Open starts afresh, so an earlier failure does not spoil later saves.
class FileHandler {
public:
    FileHandler() = default;
    FileHandler(const FileHandler&) = delete;
    FileHandler& operator=(const FileHandler&) = delete;
    ~FileHandler(); // an unfinished file is discarded

    // Starts writing `fileName` (relative names against the working directory). Returns the
    // reason when the temporary file cannot be created, nothing on success.
    std::optional<std::string> Open(const std::filesystem::path& fileName);
    // Appends all bytes of `text`, nothing added. After a failed write the rest is skipped and
    // Close reports the failure.
    void Write(std::string_view text);
    // Finishes the file: flushes, syncs and replaces the target. Returns the reason of the first
    // failure since Open (the target then stays as it was), nothing on success or when not open.
    std::optional<std::string> Close();

    bool IsOpen() const { return m_file != nullptr; }

    static std::filesystem::path TemporaryPathFor(const std::filesystem::path& fileName);

private:
    void RecordError(const std::string& what, int error);
    void Discard();

    std::FILE* m_file = nullptr;
    std::filesystem::path m_target;
    std::filesystem::path m_temporary;
    std::optional<std::string> m_error;
};
