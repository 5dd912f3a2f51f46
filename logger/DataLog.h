#pragma once

#include "link/EcuQueries.h"
#include "logger/FileHandler.h"

#include <QDateTime>
#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

constexpr int kLoggedChannels = 4;
using LogChannelNames = std::array<std::string, kLoggedChannels>;

// The CSV log of one run, held in memory as ready-made lines and written in one go:
//   KodraPower log file
//   Time,2026-07-12 10:49:56
//   Elapsed Time (ms),RPM,MAP,CTS,IAT
//   400,850,1013,86,24
// Every line ends with "\r\n". Time stamps are nominal: the sample interval times the row
// number. Element 0 of LogLines is the header, each further element one row.
class DataLog {
public:
    static constexpr const char* kLogFileName = "kodralog.csv";

    // Empties the log and starts a new one with the header for these channels; the rows read
    // the same channels. The log counts as unsaved from here until a save succeeds.
    void AppendHeader(const QDateTime& start, const LogChannelNames& channels, int sampleIntervalMs);
    // Appends the next row, read from the live values; returns its length in bytes.
    std::size_t AppendRow(const EcuQueries& ecu);

    const std::vector<std::string>& LogLines() const { return m_logLines; }
    std::size_t RowCount() const { return m_logLines.empty() ? 0 : m_logLines.size() - 1; }
    std::int64_t ElapsedMs() const { return m_elapsedMs; }
    // Bytes of data rows since the header, "\r\n" included; the header is not counted.
    std::int64_t LoggedBytes() const { return m_loggedBytes; }
    bool HasUnsavedLog() const { return m_unsaved; }

    // Writes every line to `target`, replacing the file there only when all went well. Returns
    // the reason on failure (the log stays unsaved and can be saved again), nothing on success.
    std::optional<std::string> SaveLog(const std::filesystem::path& target);

private:
    std::vector<std::string> m_logLines;
    LogChannelNames m_channels;
    int m_sampleIntervalMs = 0;
    std::int64_t m_elapsedMs = 0;
    std::int64_t m_loggedBytes = 0;
    bool m_unsaved = false;
    FileHandler m_fileHandler;
};

// The file a save writes: "kodralog.csv" in `logFilePath` when that names an existing directory,
// otherwise in the working directory; always absolute, so the user can be told where it went.
std::filesystem::path LogTargetPath(const std::filesystem::path& logFilePath);
