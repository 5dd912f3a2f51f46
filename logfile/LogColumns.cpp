#include "logfile/LogColumns.h"

#include <algorithm>

LogColumns::LogColumns(const LogChannelNames& channels, bool allValues)
    : m_headings(channels.begin(), channels.end())
{
    for (const std::string& channel : channels)
        m_channels.emplace_back(channel);
    if (!allValues)
        return;
    // A value the four channels log already would be a second column of the same heading.
    const auto logged = [this](const LiveValueRow& row) {
        return std::any_of(m_channels.begin(), m_channels.begin() + kLoggedChannels,
            [&row](const ResolvedChannel& channel) { return channel.LogRow() == &row; });
    };
    for (const LiveValueRow& row : LiveValueCatalogue()) {
        if (logged(row))
            continue;
        m_channels.push_back(ResolvedChannel::OfRow(row));
        m_headings.emplace_back(AllValuesHeading(row));
    }
}

std::string LogColumns::Fields(const EcuQueries& ecu) const
{
    std::string fields;
    const bool live = ecu.HasLiveValues();
    for (const ResolvedChannel& channel : m_channels) {
        fields += ',';
        if (live)
            fields += channel.LogText(ecu);
    }
    return fields;
}
