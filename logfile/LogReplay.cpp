#include "logfile/LogReplay.h"

#include "logfile/ChannelTables.h"
#include "logfile/LogStatistics.h"

#include <algorithm>
#include <cmath>

ReplayColumns::ReplayColumns(const LogContents& log)
{
    const std::span<const LiveValueRow> catalogue = LiveValueCatalogue();
    for (std::size_t column = 0; column < log.columns.size(); ++column) {
        if (const LiveValueRow* row = RowOfLogColumn(log.columns[column].name))
            m_sources.push_back({ column, row, static_cast<std::size_t>(row - catalogue.data()) });
    }
}

ReplayedValues ReplayColumns::ValuesAt(const LogContents& log, std::size_t row) const
{
    ReplayedValues replayed;
    replayed.held.assign(LiveValueCatalogue().size(), false);
    bool any = false;
    for (const Source& source : m_sources) {
        const std::vector<float>& values = log.columns[source.column].values;
        if (row >= values.size() || std::isnan(values[row]))
            continue;
        // The log holds the value as its channel shows it (battery volts in tenths).
        source.row->write(replayed.values, values[row] / static_cast<float>(source.row->channelScale));
        replayed.held[source.index] = true;
        any = true;
    }
    replayed.live = any;
    return replayed;
}

LogPlayer::LogPlayer(const std::vector<double>& timesMs, Now now)
    : m_timesMs(timesMs)
    , m_now(std::move(now))
{
}

void LogPlayer::Anchor()
{
    m_anchorClock = m_now();
    m_anchorMs = m_row < m_timesMs.size() ? m_timesMs[m_row] : 0.0;
}

void LogPlayer::Play()
{
    if (m_timesMs.empty())
        return;
    // Played to the end: Play starts again from the beginning.
    if (m_row + 1 >= m_timesMs.size())
        m_row = 0;
    m_playing = true;
    Anchor();
}

void LogPlayer::Pause()
{
    m_playing = false;
}

void LogPlayer::Step()
{
    m_playing = false;
    if (m_row + 1 < m_timesMs.size())
        ++m_row;
}

void LogPlayer::SetSpeed(double speed)
{
    m_speed = std::clamp(speed, kSlowest, kFastest);
    if (m_playing)
        Anchor();
}

void LogPlayer::Seek(std::size_t row)
{
    m_row = m_timesMs.empty() ? 0 : std::min(row, m_timesMs.size() - 1);
    if (m_playing)
        Anchor();
}

bool LogPlayer::Advance()
{
    if (!m_playing)
        return false;
    const std::chrono::duration<double, std::milli> elapsed = m_now() - m_anchorClock;
    const double logMs = m_anchorMs + elapsed.count() * m_speed;
    const std::size_t reached = std::max(RowAt(m_timesMs, logMs).value_or(0), m_row);
    const bool moved = reached != m_row;
    m_row = reached;
    if (m_row + 1 >= m_timesMs.size())
        m_playing = false;
    return moved;
}
