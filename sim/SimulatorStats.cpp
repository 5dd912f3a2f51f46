#include "sim/SimulatorStats.h"

#include <array>
#include <charconv>
#include <sstream>

namespace {

struct StatsField {
    std::string_view name;
    int SimulatorStats::*direct;
    int SimulatorCounters::*counter;
};

// clang-format off
constexpr std::array<StatsField, 11> Fields { {
    { "requests",          nullptr,                           &SimulatorCounters::requests },
    { "replies_sent",      nullptr,                           &SimulatorCounters::repliesSent },
    { "identify_ignored",  nullptr,                           &SimulatorCounters::identifyIgnored },
    { "dropped",           nullptr,                           &SimulatorCounters::dropped },
    { "corrupted",         nullptr,                           &SimulatorCounters::corrupted },
    { "cut",               nullptr,                           &SimulatorCounters::cut },
    { "spoiled",           nullptr,                           &SimulatorCounters::spoiled },
    { "noise_bytes",       nullptr,                           &SimulatorCounters::noiseBytes },
    { "reset_failures",    nullptr,                           &SimulatorCounters::resetFailures },
    { "rejected_requests", &SimulatorStats::rejectedRequests, nullptr },
    { "pulls",             &SimulatorStats::pulls,            nullptr },
} };
// clang-format on

template <typename Stats> decltype(auto) FieldOf(Stats& stats, const StatsField& field)
{
    return field.direct ? (stats.*field.direct) : (stats.counters.*field.counter);
}

} // namespace

std::string StatsText(const SimulatorStats& stats)
{
    std::string text;
    for (const StatsField& field : Fields)
        text += std::string(field.name) + " " + std::to_string(FieldOf(stats, field)) + "\n";
    return text;
}

std::optional<SimulatorStats> ParseStatsText(std::string_view text)
{
    SimulatorStats stats;
    std::array<bool, Fields.size()> seen {};
    std::istringstream lines { std::string(text) };
    std::string name;
    std::string value;
    while (lines >> name >> value) {
        for (std::size_t i = 0; i < Fields.size(); ++i) {
            if (Fields[i].name != name)
                continue;
            int& target = FieldOf(stats, Fields[i]);
            const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), target);
            if (error != std::errc() || end != value.data() + value.size())
                return std::nullopt;
            seen[i] = true;
        }
    }
    for (const bool found : seen) {
        if (!found)
            return std::nullopt;
    }
    return stats;
}
