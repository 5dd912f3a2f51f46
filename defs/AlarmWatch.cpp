#include "defs/AlarmWatch.h"

LimitReading ClassifyLiveValue(const LiveValueRow& row, const ValueLimits& keptLimits,
    const LiveValues& values, const LiveSettings& settings)
{
    return ClassifyValue(
        LimitsInChosenUnits(keptLimits, row.unit.choice, settings), AsFloat(row.read(values)));
}

std::vector<AlarmStart> AlarmWatch::Update(
    const LimitTable& limits, const LiveValues& values, const LiveSettings& settings, bool live)
{
    m_inAlarm.clear();
    std::vector<AlarmStart> started;
    if (!live) {
        m_running.clear();
        return started;
    }
    for (const LiveValueRow& row : LiveValueCatalogue()) {
        const auto found = limits.find(row.name);
        const auto running = m_running.find(row.name);
        if (found == limits.end()) {
            if (running != m_running.end())
                m_running.erase(running);
            continue;
        }
        const LimitReading reading = ClassifyLiveValue(row, found->second, values, settings);
        if (reading.level == LimitLevel::Alarm) {
            m_inAlarm.emplace_back(row.name);
            if (running == m_running.end()) {
                m_running.emplace(row.name);
                started.push_back({ std::string(row.name), reading });
            }
        } else if (reading.level == LimitLevel::Normal && running != m_running.end()) {
            m_running.erase(running);
        }
    }
    return started;
}
