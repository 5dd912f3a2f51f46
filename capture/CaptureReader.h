#pragma once

#include "capture/CaptureFile.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

// A capture's text, to be read from its start as often as needed: held in memory, or a regular
// file read a block at a time, so that the file's size never decides how much memory it takes.
class CaptureSource {
public:
    static std::shared_ptr<const CaptureSource> FromText(std::string text);
    // `path` opened for reading without waiting on it. A FIFO, a device or a folder is refused at
    // once: `error` then says why, naming the path.
    static std::shared_ptr<const CaptureSource> OpenFile(
        const std::filesystem::path& path, std::string& error);

    CaptureSource(const CaptureSource&) = delete;
    CaptureSource& operator=(const CaptureSource&) = delete;
    ~CaptureSource();

    // Copies what lies at `offset` into `into`; the count, 0 at the end (or when the file fails).
    std::size_t ReadAt(std::uint64_t offset, std::span<char> into) const;

private:
    CaptureSource() = default;

    std::string m_text;
    int m_fd = -1;
};

// How the reader reads: a line longer than maxLineBytes is refused by its number (no interface
// reads that much at once, and a hostile line must not fill the memory).
struct CaptureReadLimits {
    static constexpr std::size_t DefaultMaxLineBytes = 64 * 1024;
    static constexpr std::size_t DefaultBlockBytes = 64 * 1024;

    std::size_t maxLineBytes = DefaultMaxLineBytes;
    std::size_t blockBytes = DefaultBlockBytes;
};

// The chunks of a capture in order, each parsed as its line is read.
class CaptureChunkReader {
public:
    explicit CaptureChunkReader(std::shared_ptr<const CaptureSource> source, CaptureReadLimits limits = {});

    // The next chunk; nullopt at the end, or at a line that cannot be read (see Error).
    std::optional<CaptureChunk> Next();

    // Once Next has given nullopt: empty at a clean end, else what is wrong, naming the line.
    const std::string& Error() const { return m_error; }
    // The last line had no line end and could not be read: left out, everything before it taken.
    bool TornLastLine() const { return m_torn; }
    // The first "# baud" line's so far.
    int Baud() const { return m_baud.value_or(CaptureLog::DefaultBaud); }
    // The time of the last chunk read.
    double LastMs() const { return m_previousMs; }

private:
    struct Line {
        std::string_view text;
        bool withoutEnd = false;
    };
    std::optional<Line> NextLine();
    bool Fill();
    void Fail(const std::string& text);

    std::shared_ptr<const CaptureSource> m_source;
    CaptureReadLimits m_limits;
    std::string m_buffer;
    std::size_t m_used = 0; // of m_buffer, by the lines read
    std::uint64_t m_offset = 0; // in the source, of the buffer's end
    bool m_sourceEnded = false;
    bool m_ended = false;
    int m_lineNumber = 0;
    double m_previousMs = 0;
    std::optional<int> m_baud;
    std::string m_error;
    bool m_torn = false;
};

// The whole capture in memory (small captures: tests, hand-written sessions, the fuzz target).
CaptureRead ParseCapture(std::string_view text);
// The file at `path`, read as ParseCapture reads its text; an error names the file.
CaptureRead ReadCaptureFile(const std::filesystem::path& path);
