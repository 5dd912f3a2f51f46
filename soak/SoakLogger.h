#pragma once

#include "link/EcuQueries.h"
#include "logfile/DataLog.h"

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// The data logger's part of a soak run: samples four channels into the logger's DataLog at its
// interval and saves the log every few minutes and at the end, as a Stop and a Start would (a
// save that fails keeps the log, as the logger does, for the next save to retry). Every saved
// file is read back: its size must be the log's, the rows' elapsed
// times must step by the interval, and a row taken while the values were settled must read what
// the ECU's bytes give: each field one of its channel's choices.
class SoakLogger {
public:
    static constexpr std::size_t MaxProblemsKept = 10;
    // The texts each channel's log field may read.
    using FieldChoices = std::array<std::vector<std::string>, kLoggedChannels>;

    SoakLogger(const EcuQueries& ecu, const LogChannelNames& channels, int intervalMs,
        std::filesystem::path target, FieldChoices choices);

    void Start();
    // One row; `settled`: its fields must be among the choices.
    void Sample(bool settled);
    // Saves and checks the file, then starts a new log if the save succeeded. `cableOut`: the
    // cable was out of the car at that moment.
    void SaveAndStartAgain(bool cableOut);
    // The last save, without a new start.
    void Finish(bool cableOut);

    int Samples() const { return m_samples; }
    int RowsSaved() const { return m_rowsSaved; }
    int Saves() const { return m_saves; }
    int FailedSaves() const { return m_failedSaves; }
    int SavesWithCableOut() const { return m_savesWithCableOut; }
    int WrongRows() const { return m_wrongRows; }
    // Rows sampled that no checked file holds.
    int RowsLost() const { return m_samples - m_rowsSaved; }
    // Faults found in the saved files (the first few), wrong rows included.
    const std::vector<std::string>& Problems() const { return m_problems; }
    int ProblemCount() const { return m_problemCount; }

private:
    bool Save(bool cableOut);
    void CheckFile();
    bool FieldsAllowed(std::string_view fields) const;
    void Problem(const std::string& text);

    const EcuQueries& m_ecu;
    const LogChannelNames m_channels;
    const int m_intervalMs;
    const std::filesystem::path m_target;
    const FieldChoices m_choices;
    DataLog m_log;
    std::vector<bool> m_settled; // per row of the current log
    int m_samples = 0;
    int m_rowsSaved = 0;
    int m_saves = 0;
    int m_failedSaves = 0;
    int m_savesWithCableOut = 0;
    int m_wrongRows = 0;
    int m_problemCount = 0;
    std::vector<std::string> m_problems;
};
