#pragma once

#include "link/EcuQueries.h"

#include <string_view>
#include <vector>

// One moment of a replayed log: the values it gives and which values of the live value
// catalogue it holds (by the catalogue's order). A row taken with the link lost holds none.
struct ReplayedValues {
    LiveValues values;
    std::vector<bool> held;
    bool live = true;
};

// What the session answers its windows: the connection's values, or while a log is replayed the
// log's, with what the ECU told about itself (its ID, its kinds of sensor) still from the
// connection. The raw bytes are not in a log.
class ReplayedQueries final : public EcuQueries {
public:
    explicit ReplayedQueries(const EcuQueries& connection)
        : m_connection(connection)
    {
    }

    void Begin() { m_replaying = true; }
    void Show(const ReplayedValues& values) { m_values = values; }
    void End() { m_replaying = false; }
    // The cable behind the connection is silent for good (a replayed capture has ended): its
    // values are no longer current, though the connection has not yet noticed the silence.
    void SetSourceSilent(bool silent) { m_sourceSilent = silent; }
    bool Replaying() const { return m_replaying; }

    bool HasLiveValues() const override;
    const LiveValues& Values() const override;
    int GetRawValue(int offset) const override;
    std::string GetLoadSensorName() const override { return m_connection.GetLoadSensorName(); }
    std::string GetIacKindName() const override { return m_connection.GetIacKindName(); }
    std::string GetEgrKindName() const override { return m_connection.GetEgrKindName(); }
    std::string GetEcuId() const override { return m_connection.GetEcuId(); }
    std::string GetBaudText() const override { return m_connection.GetBaudText(); }
    const LiveSettings& Settings() const override { return m_connection.Settings(); }
    bool IsReplay() const override { return m_replaying; }
    bool HoldsValue(std::string_view name) const override;

private:
    const EcuQueries& m_connection;
    bool m_replaying = false;
    bool m_sourceSilent = false;
    ReplayedValues m_values;
};
