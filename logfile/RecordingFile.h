#pragma once

#include "logfile/RecordingWriter.h"

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// One log while it is being taken: a hidden file beside the log's final name, written from its
// first byte on, so that whatever ends the program, the rows taken are on the disk.
//   - Created exclusively under a unique name (never through a link), and locked for as long as
//     this object holds it, so that recovery in another program leaves it alone.
//   - Every Append goes to a writer thread of the recording's own (RecordingWriter), which writes it
//     at once and forces it to the disk at least once a second, so a power cut loses at most the
//     last second and a slow disk never holds up the one who appends.
//   - Finish forces the rest to the disk and renames it over the log's name in one step, after
//     keeping an earlier log found there under its own start time.
// Bytes the disk refuses (full, gone) are held and written first when it takes them again, at the
// latest by Finish, so the file on disk is always a prefix of the log and no row is lost. What is
// held is bounded: once HasRoom says no, nothing more may be appended.
class RecordingFile {
public:
    // "YYYYMMDD-HHMMSS": a start time as file names carry it.
    using StartStamp = std::string;

    // The hidden names of recordings: the prefix, the start stamp, a unique tail.
    static constexpr std::string_view kNamePrefix = ".kodralog-recording-";

    RecordingFile() = default;
    RecordingFile(const RecordingFile&) = delete;
    RecordingFile& operator=(const RecordingFile&) = delete;
    // Closes without finishing: an unfinished recording stays on the disk to be recovered.
    ~RecordingFile();

    // Starts a recording for the log `target` (absolute), beginning with `header`. Returns why the
    // recording file could not be made or written; the bytes are held all the same, and Finish
    // tries again.
    std::optional<std::string> Begin(
        const std::filesystem::path& target, const StartStamp& start, std::string_view header);
    // Appends `bytes`, which HasRoom must allow. Returns why the latest bytes could not be written
    // (they are held for a later try).
    std::optional<std::string> Append(std::string_view bytes);
    // Whether more bytes may be appended: false once the held bytes reach their bound.
    bool HasRoom() const;
    // Bytes appended that are not on the disk yet.
    std::size_t WaitingBytes() const;
    // Ends the recording as the log `target`: every byte on the disk under that name. Returns why
    // not; the recording stays (on disk and held) and Finish may be called again, also with
    // another target, whose folder then gets the recording.
    std::optional<std::string> Finish(const std::filesystem::path& target);

    // Gives up a recording refused at its start: its file, holding no row, goes.
    void Abandon();

    bool IsActive() const { return m_active; }
    const std::filesystem::path& Path() const { return m_path; }
    const StartStamp& Start() const { return m_start; }
    // Bytes of the log so far, header included, written or held.
    std::int64_t Bytes() const { return m_bytes; }

private:
    std::optional<std::string> Create(const std::filesystem::path& folder);
    std::optional<std::string> WriteHeld();
    std::optional<std::string> MoveTo(const std::filesystem::path& folder);
    void Close();

    int m_fd = -1;
    bool m_active = false;
    std::filesystem::path m_path;
    StartStamp m_start;
    std::string m_held;
    std::int64_t m_bytes = 0;
    // Writes while the recording file is open; m_held holds bytes only while it does not run.
    RecordingWriter m_writer;
};

// A log file found where a log is to be written: kept beside it as "<stem>-<start>.csv", the start
// read from its own second line, when it is a log an earlier recording wrote (anything else is
// replaced, as before). Returns why it could not be kept; nothing when kept or nothing to keep.
std::optional<std::string> KeepEarlierLog(const std::filesystem::path& target);

// The start stamp of a log from its first lines ("Time,YYYY-MM-DD HH:MM:SS" on line 2).
std::optional<RecordingFile::StartStamp> StartStampOfLog(std::string_view text);

struct RecoveredLog {
    std::filesystem::path path;
    std::int64_t rows = 0;
};

struct Recovery {
    std::vector<RecoveredLog> logs;
    std::vector<std::string> problems; // one line each, naming the file
};

// Finishes every recording left unfinished in `folder` (a crash, a kill, a power cut) into
// "kodralog-<start>.csv": every complete line kept, a torn last line dropped. A recording still
// held by a running program is left alone. One with no complete header holds no row and is removed.
Recovery RecoverRecordings(const std::filesystem::path& folder);
