#include "ui/LimitSettings.h"

#include <array>
#include <charconv>
#include <string>

namespace {

constexpr const char* LimitsSection = "Limits";

struct LimitKey {
    const char* suffix;
    std::optional<float> ValueLimits::*limit;
};
constexpr std::array<LimitKey, 4> LimitKeys { {
    { " Low Alarm", &ValueLimits::alarmLow },
    { " Low Warning", &ValueLimits::warningLow },
    { " High Warning", &ValueLimits::warningHigh },
    { " High Alarm", &ValueLimits::alarmHigh },
} };

std::string KeyOf(std::string_view value, const LimitKey& key)
{
    return std::string(value) + key.suffix;
}

bool HasKeys(const IniFile& ini, std::string_view value)
{
    for (const LimitKey& key : LimitKeys) {
        if (ini.Value(LimitsSection, KeyOf(value, key)))
            return true;
    }
    return false;
}

bool HasAnyKeys(const IniFile& ini)
{
    for (const LiveValueRow& row : LiveValueCatalogue()) {
        if (HasKeys(ini, row.name))
            return true;
    }
    return false;
}

// Empty text is no limit; anything but a number is unreadable.
bool ParseLimit(std::string_view text, std::optional<float>& limit)
{
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    if (text.empty()) {
        limit.reset();
        return true;
    }
    float number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || end != text.data() + text.size())
        return false;
    limit = number;
    return true;
}

std::string LimitText(const std::optional<float>& limit)
{
    if (!limit)
        return {};
    // The shortest text that reads back as the same number ("14.8", not "14.80000019").
    std::array<char, 32> buffer {};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), *limit);
    return std::string(buffer.data(), result.ptr);
}

} // namespace

LimitTable ReadLimits(const IniFile& ini)
{
    const LimitTable defaults = DefaultLimits();
    if (!HasAnyKeys(ini))
        return defaults;
    LimitTable limits;
    for (const LiveValueRow& row : LiveValueCatalogue()) {
        if (!HasKeys(ini, row.name))
            continue;
        ValueLimits read;
        bool readable = true;
        for (const LimitKey& key : LimitKeys)
            readable = ParseLimit(ini.ReadString(LimitsSection, KeyOf(row.name, key), ""), read.*key.limit)
                && readable;
        if (!readable || ProblemOf(read) != LimitProblem::None) {
            const auto fallback = defaults.find(row.name);
            if (fallback == defaults.end())
                continue;
            read = fallback->second;
        }
        if (!read.IsEmpty())
            limits.emplace(row.name, read);
    }
    return limits;
}

void WriteLimits(IniFile& ini, const LimitTable& limits)
{
    const LimitTable defaults = DefaultLimits();
    if (limits == defaults && !HasAnyKeys(ini))
        return;
    for (const LiveValueRow& row : LiveValueCatalogue()) {
        const auto found = limits.find(row.name);
        // A default cleared must be written as cleared, or it would come back.
        if (found == limits.end() && !defaults.contains(row.name) && !HasKeys(ini, row.name))
            continue;
        const ValueLimits written = found == limits.end() ? ValueLimits {} : found->second;
        for (const LimitKey& key : LimitKeys)
            ini.WriteString(LimitsSection, KeyOf(row.name, key), LimitText(written.*key.limit));
    }
}
