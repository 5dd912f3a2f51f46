#pragma once

#include "defs/LiveValues.h"
#include "defs/RoleTable.h"

#include <array>
#include <span>
#include <string_view>
#include <variant>

// A live value as read. Reals stay single precision so that a field rounds the value as it
// displays (0.45f rounds as 0.45, not as 0.44999998).
using LiveNumber = std::variant<int, float>;
using LiveValueReader = LiveNumber (*)(const LiveValues&);
// Stores a value read back from a log (a replay), in the value's own type.
using LiveValueWriter = void (*)(LiveValues&, float);

// The value truncated toward zero; NaN gives 0 and values beyond the range of int its ends.
int TruncateToInt(const LiveNumber& value);
// The value as a float, which a whole number of the live values always fits exactly.
float AsFloat(const LiveNumber& value);

// Where a channel name of a value is taken: by the log and the chart, or by one of them only.
enum class ChannelUse {
    LogAndChart,
    LogOnly,
    ChartOnly,
};

struct ChannelName {
    static constexpr int kNotListed = -1;

    std::string_view name; // empty: no name
    ChannelUse use = ChannelUse::LogAndChart;
    // The name ends in a number after a space that may be typed with leading zeros.
    bool numbered = false;
    // The place of the name in the logger's list of named channels.
    int listOrder = kNotListed;
};

// What the unit of a value depends on: nothing, or the user's choice of temperature or speed unit.
enum class UnitChoice {
    Fixed,
    Temperature,
    Speed,
};

// The unit of a value: `text` for a fixed one ("rpm"; empty for a plain count or bit pattern).
struct ValueUnit {
    std::string_view text;
    UnitChoice choice = UnitChoice::Fixed;
};

// The unit the value comes in under these settings ("°F" for a temperature once Fahrenheit is
// chosen).
std::string_view UnitText(const ValueUnit& unit, const LiveSettings& settings);

// Digits of a readout: a whole number, or a fixed-point figure of `precision` significant digits
// and `decimals` after the point.
struct ReadoutDigits {
    static constexpr int kWholeNumber = -1;

    int precision = 0;
    int decimals = kWholeNumber;

    constexpr bool IsWholeNumber() const { return decimals == kWholeNumber; }
};

// A box of the data viewer's formatted pages: page 1 or 2 (0: not shown), box 0..24. An empty
// caption is named after the ECU's kind of sensor or valve.
struct ViewerBox {
    static constexpr int kNotShown = 0;

    int page = kNotShown;
    int box = 0;
    std::string_view caption;
    ReadoutDigits digits;
};

// The role codes of the polled bytes a value is made from, high bytes before the low bytes they
// combine with (a read gathering them must ask in this order).
struct ValueRoles {
    static constexpr std::size_t kMostRoles = 5; // the MPG figure: speed, engine speed, pulse width

    std::array<int, kMostRoles> codes {};
    std::size_t count = 0;

    constexpr std::span<const int> Codes() const { return { codes.data(), count }; }
};

// One live value: how scripts, the log, the chart and the data viewer name and show it, and how
// it is read from the live values.
struct LiveValueRow {
    // The identifier, which is also the command-line tool's JSON field name.
    std::string_view name;
    // Non-empty: the value is an element of this JSON array instead, in the order of the rows.
    std::string_view jsonArray;
    std::array<ChannelName, 2> channels;
    ValueUnit unit;
    // The CSV field: a whole number truncated (ReadoutDigits::kWholeNumber), or these decimals,
    // at least as many as any window shows of the value.
    int logDecimals;
    int channelScale; // the log and the chart show the value times this
    int chartOffset; // 1: drawn on a scale that starts at -40
    ViewerBox viewer;
    LiveValueReader read;
    LiveValueWriter write;
    ValueRoles roles;
};

// Every live value, in the order of the command-line tool's report.
std::span<const LiveValueRow> LiveValueCatalogue();

// The row of that identifier, or nullptr.
const LiveValueRow* FindLiveValue(std::string_view name);
