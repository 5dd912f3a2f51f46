#pragma once

#include "link/EcuQueries.h"
#include "logfile/ChannelTables.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

constexpr int kLoggedChannels = 4;
using LogChannelNames = std::array<std::string, kLoggedChannels>;

// One row as it was taken, before it is in a log: its time and the fields after the time.
struct LogRow {
    std::int64_t ms = 0;
    std::string fields; // ",850,1013,86,24": each field after the time with its comma before it
    // Notes of the markers made while this was the row taken last, in the order made.
    std::vector<std::string> markerNotes;
};

// The columns of a log after its time: the four channels, then, with "every value", every value of
// the live value catalogue that they do not hold already, in its order.
class LogColumns {
public:
    LogColumns() = default;
    LogColumns(const LogChannelNames& channels, bool allValues);

    const std::vector<std::string>& Headings() const { return m_headings; }
    // The row's fields read from the live values: every one empty while the connection has none
    // (the values are then the last ones received: a gap, not a reading).
    std::string Fields(const EcuQueries& ecu) const;

private:
    std::vector<ResolvedChannel> m_channels;
    std::vector<std::string> m_headings;
};
