#include "link/ReplayedQueries.h"

#include "defs/LiveValueCatalogue.h"

bool ReplayedQueries::HasLiveValues() const
{
    if (m_replaying)
        return m_values.live;
    return !m_sourceSilent && m_connection.HasLiveValues();
}

const LiveValues& ReplayedQueries::Values() const
{
    return m_replaying ? m_values.values : m_connection.Values();
}

int ReplayedQueries::GetRawValue(int offset) const
{
    return m_replaying ? 0 : m_connection.GetRawValue(offset);
}

bool ReplayedQueries::HoldsValue(std::string_view name) const
{
    if (!m_replaying)
        return m_connection.HoldsValue(name);
    const LiveValueRow* row = FindLiveValue(name);
    if (!row || !m_values.live)
        return false;
    const auto index = static_cast<std::size_t>(row - LiveValueCatalogue().data());
    return index < m_values.held.size() && m_values.held[index];
}
