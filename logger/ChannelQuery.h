#pragma once

#include "link/EcuQueries.h"

#include <optional>
#include <string_view>
#include <variant>

// The main window query that a channel reads.
enum class EcuQuery {
    RawValue,
    Rpm,
    TargetIdle,
    RoadSpeed,
    FaultByte,
    StatusByte,
    BatteryVolts,
    O2Volts,
    TpsPercent,
    TpsVolts,
    CoolantTemp,
    AirTemp,
    EgtTemp,
    Load8,
    Baro,
    Load16,
    InjectorPw,
    Iac,
    IacAdjust,
    Stft,
    Ltft,
    Tft,
    Ve,
    Advance,
    Mpg,
    Purge,
    Egr,
    IgnitionTrim,
    AtmVss,
    AtmPos,
    AtmStatus,
    TimeFromStart,
};

// A query's answer. Reals stay single precision so that a field rounds the value as it
// displays (0.45f rounds as 0.45, not as 0.44999998).
using QueryValue = std::variant<int, float>;

// `index` is the bank, byte or RawDataTable entry of the queries that take one.
QueryValue ReadQuery(const EcuQueries& ecu, EcuQuery query, int index);

// The value truncated toward zero; NaN gives 0 and values beyond the range of int its ends.
int TruncateToInt(const QueryValue& value);

// A name that a table row answers to: either an exact name whose query takes `index`, or a
// stem followed by a decimal number from `first` to `last`, whose query takes the number
// minus `first`. The empty pattern answers to nothing.
struct ChannelPattern {
    static constexpr int kUnnumbered = -1;

    std::string_view name;
    int first = kUnnumbered;
    int last = kUnnumbered;
    int index = 0;

    // The query index for `channel`, or nothing when this pattern does not name it.
    std::optional<int> Match(std::string_view channel) const;
};

constexpr ChannelPattern Name(std::string_view name, int index = 0)
{
    return ChannelPattern { name, ChannelPattern::kUnnumbered, ChannelPattern::kUnnumbered, index };
}

constexpr ChannelPattern Numbered(std::string_view stem, int first, int last)
{
    return ChannelPattern { stem, first, last, 0 };
}

// The number after `stem` in `channel` when the rest is decimal digits only and the number fits
// an int; nothing otherwise.
std::optional<int> NumberAfter(std::string_view channel, std::string_view stem);
