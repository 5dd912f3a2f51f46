#include "logger/ChannelQuery.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

QueryValue ReadQuery(const EcuQueries& ecu, EcuQuery query, int index)
{
    switch (query) {
    case EcuQuery::RawValue:
        return ecu.GetRawValue(index);
    case EcuQuery::Rpm:
        return ecu.GetRpm();
    case EcuQuery::TargetIdle:
        return ecu.GetTargetIdle();
    case EcuQuery::RoadSpeed:
        return ecu.GetRoadSpeed();
    case EcuQuery::FaultByte:
        return ecu.GetFaultByte(index);
    case EcuQuery::StatusByte:
        return ecu.GetStatusByte(index);
    case EcuQuery::BatteryVolts:
        return ecu.GetBatteryVolts();
    case EcuQuery::O2Volts:
        return ecu.GetO2Volts(index);
    case EcuQuery::TpsPercent:
        return ecu.GetTpsPercent();
    case EcuQuery::TpsVolts:
        return ecu.GetTpsVolts();
    case EcuQuery::CoolantTemp:
        return ecu.GetCoolantTemp();
    case EcuQuery::AirTemp:
        return ecu.GetAirTemp();
    case EcuQuery::EgtTemp:
        return ecu.GetEgtTemp();
    case EcuQuery::Load8:
        return ecu.GetLoad8();
    case EcuQuery::Baro:
        return ecu.GetBaro();
    case EcuQuery::Load16:
        return ecu.GetLoad16();
    case EcuQuery::InjectorPw:
        return ecu.GetInjectorPw(index);
    case EcuQuery::Iac:
        return ecu.GetIac();
    case EcuQuery::IacAdjust:
        return ecu.GetIacAdjust();
    case EcuQuery::Stft:
        return ecu.GetStft(index);
    case EcuQuery::Ltft:
        return ecu.GetLtft(index);
    case EcuQuery::Tft:
        return ecu.GetTft(index);
    case EcuQuery::Ve:
        return ecu.GetVe();
    case EcuQuery::Advance:
        return ecu.GetAdvance();
    case EcuQuery::Mpg:
        return ecu.GetMpg();
    case EcuQuery::Purge:
        return ecu.GetPurge();
    case EcuQuery::Egr:
        return ecu.GetEgr();
    case EcuQuery::IgnitionTrim:
        return ecu.GetIgnitionTrim();
    case EcuQuery::AtmVss:
        return ecu.GetAtmVss();
    case EcuQuery::AtmPos:
        return ecu.GetAtmPos();
    case EcuQuery::AtmStatus:
        return ecu.GetAtmStatus();
    case EcuQuery::TimeFromStart:
        return ecu.GetTimeFromStart();
    }
    return 0;
}

int TruncateToInt(const QueryValue& value)
{
    if (const int* whole = std::get_if<int>(&value))
        return *whole;
    const float real = std::get<float>(value);
    if (std::isnan(real))
        return 0;
    // Converting a float outside the range of int is undefined; clamp first.
    constexpr auto lowest = static_cast<double>(std::numeric_limits<int>::min());
    constexpr auto highest = static_cast<double>(std::numeric_limits<int>::max());
    return static_cast<int>(std::clamp(std::trunc(static_cast<double>(real)), lowest, highest));
}

std::optional<int> NumberAfter(std::string_view channel, std::string_view stem)
{
    if (!channel.starts_with(stem))
        return std::nullopt;
    const std::string_view digits = channel.substr(stem.size());
    if (digits.empty()
        || !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    int number = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (error != std::errc() || end != digits.data() + digits.size())
        return std::nullopt;
    return number;
}

std::optional<int> ChannelPattern::Match(std::string_view channel) const
{
    if (name.empty())
        return std::nullopt;
    if (first == kUnnumbered)
        return channel == name ? std::optional<int>(index) : std::nullopt;
    const std::optional<int> number = NumberAfter(channel, name);
    if (!number || *number < first || *number > last)
        return std::nullopt;
    return *number - first;
}
