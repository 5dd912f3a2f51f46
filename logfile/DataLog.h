#pragma once

#include "link/EcuQueries.h"
#include "logfile/LogColumns.h"
#include "logfile/LogFileLock.h"
#include "logfile/LogMarker.h"
#include "logfile/RecordingFile.h"

#include <QDateTime>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// What a log records besides its four channels.
struct LogChoices {
    // Every other value of the live value catalogue after the four channels, in its order.
    bool allValues = false;
    // The unit choice the values come in, which the header records.
    LiveSettings units {};
};

// The CSV log of one run, written to the disk row by row as it is taken:
//   KodraPower log file
//   Time,2026-07-12 10:49:56,Temperature,C,Speed,MPH
//   Elapsed Time (ms),RPM,MAP,CTS,IAT
//   400,850,1013,86,24
//   #marker,1,400,misfire
// Every line ends with "\r\n". Time stamps are nominal: the sample interval times the row
// number. With "every value" the four channels are followed by a column for every value of the
// live value catalogue that they do not hold already, under the same rules. The rows go into a
// recording file beside the log's name, which SaveLog turns into the log; memory holds only rows
// the disk has not taken yet (a writer thread takes them there, see RecordingFile).
class DataLog {
public:
    static constexpr const char* kLogFileName = "kodralog.csv";

    // Starts a new log for the file `target` (absolute) with the header for these channels; the
    // rows read the same channels, and the further values the options ask for.
    // The log counts as unsaved from here until a save succeeds. Returns why the recording cannot
    // be written for now: its rows are kept all the same, and written as soon as the disk takes
    // them, at the latest by SaveLog.
    std::optional<std::string> AppendHeader(const QDateTime& start, const LogChannelNames& channels,
        int sampleIntervalMs, const std::filesystem::path& target, const LogChoices& options = {});
    // Appends the next row, read from the live values (every value field empty while the
    // connection has none); returns its length in bytes.
    std::size_t AppendRow(const EcuQueries& ecu);
    // The same, stamped with `elapsedMs` (ms since Start) instead of the next nominal time: rows of
    // the time base "As fast as the line allows" carry when their values were read. A stamp
    // before the last one's is raised to it, so times never go back.
    std::size_t AppendRowAt(const EcuQueries& ecu, std::int64_t elapsedMs);
    // Appends rows taken earlier (LogColumns::Fields of the same channels and options), each
    // followed by the markers made at it.
    void AppendRows(const std::vector<LogRow>& rows);

    // Marks the row taken last (the start, before the first row) with the next number and `note`;
    // the marker goes to the disk as the rows do. Returns its number.
    int AddMarker(std::string_view note = {});
    // Gives marker `number` its note (replacing an earlier one); a number not made is ignored.
    void NoteMarker(int number, std::string_view note);
    // This log's markers, in the order made.
    const std::vector<LogMarker>& Markers() const { return m_markers; }

    std::size_t RowCount() const { return m_rowCount; }
    std::int64_t ElapsedMs() const { return m_elapsedMs; }
    // Bytes of data rows since the header, "\r\n" included; the header is not counted.
    std::int64_t LoggedBytes() const { return m_loggedBytes; }
    // Bytes of the whole file: the header and the rows.
    std::int64_t FileBytes() const { return m_recording.Bytes(); }
    bool HasUnsavedLog() const { return m_recording.IsActive(); }
    // Whether another row may be appended: no once the rows the disk has not taken yet reach
    // their bound (a disk that does not keep up); the log then ends there.
    bool HasRoom() const { return !m_recording.IsActive() || m_recording.HasRoom(); }
    // Bytes of rows appended that are not on the disk yet.
    std::size_t WaitingBytes() const { return m_recording.WaitingBytes(); }
    // Why the latest rows could not be written; nothing while they reach the disk.
    const std::optional<std::string>& WriteProblem() const { return m_writeProblem; }
    // The log file this run is meant for (after a save, the file written); the recording file,
    // while there is one.
    const std::filesystem::path& Target() const { return m_target; }
    // Another program was recording into the file asked for when this log began: the id of its
    // process. This log then goes under its dated name beside that file (Target()), also when
    // saved into another folder.
    const std::optional<qint64>& TargetTakenBy() const { return m_targetTakenBy; }
    const std::filesystem::path& RecordingPath() const { return m_recording.Path(); }
    // The log's name with its start time, "kodralog-YYYYMMDD-HHMMSS.csv": how it is saved in a
    // folder other than the one asked for, where it must not pass for that folder's newest log.
    std::filesystem::path DatedFileName() const;

    // Finishes the log as the file `target`, replacing the file there (after keeping it when an
    // earlier log) only when all went well. Returns the reason on failure (the log stays
    // unsaved and can be saved again, also elsewhere), nothing on success.
    std::optional<std::string> SaveLog(const std::filesystem::path& target);
    // Gives up a log whose recording was refused at its start, before any row.
    void Discard()
    {
        m_recording.Abandon();
        m_lock.Release();
    }

private:
    LogColumns m_columns;
    int m_sampleIntervalMs = 0;
    std::int64_t m_elapsedMs = 0;
    std::int64_t m_loggedBytes = 0;
    std::size_t m_rowCount = 0;
    std::vector<LogMarker> m_markers;
    std::filesystem::path m_target;
    std::filesystem::path m_wantedName; // the file name asked for
    std::optional<qint64> m_targetTakenBy;
    std::optional<std::string> m_writeProblem;
    RecordingFile m_recording;
    // Held from the header until the log is saved.
    LogFileLock m_lock;

    // Where a save into `target` writes, with the lock of that file taken.
    std::filesystem::path TakeSaveTarget(const std::filesystem::path& target);
    std::size_t AppendFieldsAt(std::string_view fields, std::int64_t elapsedMs);
};

// The file a save writes: "kodralog.csv" in `logFilePath` when that names an existing directory,
// otherwise in the working directory; always absolute, so the user can be told where it went.
std::filesystem::path LogTargetPath(const std::filesystem::path& logFilePath);
