#include "logger/ChannelTables.h"

#include "defs/FormatFixed.h"
#include "logger/ChannelQuery.h"

#include <algorithm>
#include <array>
#include <limits>
#include <optional>
#include <variant>

namespace {

constexpr int kLastRawEntry = EcuQueries::RawTableSize - 1;

using Names = std::array<ChannelPattern, 2>;

template <typename Row> struct Found {
    const Row* row = nullptr;
    int index = 0;
};

template <typename Row, std::size_t N>
Found<Row> FindRow(const std::array<Row, N>& table, std::string_view channel)
{
    for (const Row& row : table) {
        for (const ChannelPattern& pattern : row.names) {
            if (const std::optional<int> index = pattern.Match(channel))
                return { &row, *index };
        }
    }
    return {};
}

// ---- Chart values ----

enum class ChartValue {
    AsRead,
    Truncated,
    TenfoldTruncated,
};

struct GraphRow {
    Names names;
    EcuQuery query;
    ChartValue chart;
    int offset;
};

using Q = EcuQuery;
using enum ChartValue;

// clang-format off
constexpr std::array kGraphRows = {
    //        channel names                                         main window query  chart value        offset
    GraphRow{ {Numbered("Address", 0, kLastRawEntry)},              Q::RawValue,       AsRead,            0 },
    GraphRow{ {Name("RPM")},                                        Q::Rpm,            AsRead,            0 },
    GraphRow{ {Name("MAP")},                                        Q::Load8,          AsRead,            0 },
    GraphRow{ {Name("AFM"), Name("MAF")},                           Q::Load16,         AsRead,            0 },
    GraphRow{ {Name("VSS")},                                        Q::RoadSpeed,      AsRead,            0 },
    // Bank 0 is bank 1: the chart shows what the value label and the log show under this name.
    GraphRow{ {Name("INJ PW B1", 0)},                               Q::InjectorPw,     Truncated,         0 },
    GraphRow{ {Name("TPS(Angle)")},                                 Q::TpsPercent,     Truncated,         0 },
    GraphRow{ {Name("TPS(Volts)")},                                 Q::TpsVolts,       Truncated,         0 },
    GraphRow{ {Name("CTS")},                                        Q::CoolantTemp,    Truncated,         1 },
    GraphRow{ {Name("IAT")},                                        Q::AirTemp,        Truncated,         1 },
    GraphRow{ {Name("O2 Sensor B1", 0), Name("O2 Sensor B2", 1)},   Q::O2Volts,        Truncated,         0 },
    GraphRow{ {Name("STFT B1", 0), Name("STFT B2", 1)},             Q::Stft,           Truncated,         1 },
    GraphRow{ {Name("LTFT B1", 0), Name("LTFT B2", 1)},             Q::Ltft,           Truncated,         1 },
    GraphRow{ {Name("CFT B1", 0), Name("CFT B2", 1)},               Q::Ltft,           Truncated,         1 },
    GraphRow{ {Name("MPG")},                                        Q::Mpg,            Truncated,         0 },
    GraphRow{ {Name("Batt Volts*10")},                              Q::BatteryVolts,   TenfoldTruncated,  0 },
    GraphRow{ {Numbered("Fault Flags ", 0, 4)},                     Q::FaultByte,      AsRead,            0 },
    GraphRow{ {Numbered("Status Flags ", 1, 4)},                    Q::StatusByte,     AsRead,            0 },
    GraphRow{ {Name("IAC")},                                        Q::Iac,            AsRead,            0 },
    GraphRow{ {Name("IAC Adj Mon")},                                Q::IacAdjust,      AsRead,            0 },
    GraphRow{ {Name("Ign Trim")},                                   Q::IgnitionTrim,   AsRead,            0 },
    GraphRow{ {Name("EGR")},                                        Q::Egr,            AsRead,            0 },
    GraphRow{ {Name("EGR Temp")},                                   Q::EgtTemp,        Truncated,         1 },
    GraphRow{ {Name("Can Purge")},                                  Q::Purge,          AsRead,            0 },
    GraphRow{ {Name("VE")},                                         Q::Ve,             AsRead,            0 },
    GraphRow{ {Name("ATM VSS"), Name("TCM VSS")},                   Q::AtmVss,         AsRead,            0 },
    GraphRow{ {Name("ATM Pos"), Name("TCM Pos")},                   Q::AtmPos,         AsRead,            0 },
    GraphRow{ {Name("ATM Status"), Name("TCM Status")},             Q::AtmStatus,      AsRead,            0 },
    GraphRow{ {Name("Time From Start")},                            Q::TimeFromStart,  AsRead,            0 },
    // Entries of the channel list that chart what the log table reads for them.
    GraphRow{ {Name("Target Idle")},                                Q::TargetIdle,     AsRead,            0 },
    GraphRow{ {Name("INJ PW B2", 1)},                               Q::InjectorPw,     Truncated,         0 },
    GraphRow{ {Name("Ign Advance")},                                Q::Advance,        AsRead,            0 },
    GraphRow{ {Name("EGR Flow")},                                   Q::Egr,            AsRead,            0 },
    GraphRow{ {Name("Evap Purge")},                                 Q::Purge,          AsRead,            0 },
    GraphRow{ {Numbered("Fault Codes ", 0, 4)},                     Q::FaultByte,      AsRead,            0 },
};
// clang-format on

// Ten times the value, in single precision like every scaled value.
QueryValue Tenfold(const QueryValue& value)
{
    return std::visit([](auto number) -> QueryValue { return static_cast<float>(number) * 10.0F; }, value);
}

int ChartInteger(const QueryValue& value, ChartValue chart)
{
    // A whole number reads as itself; a real truncates toward zero.
    return TruncateToInt(chart == TenfoldTruncated ? Tenfold(value) : value);
}

// ---- Log fields ----

enum class FieldKind {
    Decimal,
    Fixed,
    TenfoldFixed,
};

struct FieldText {
    FieldKind kind;
    int decimals;
};

constexpr FieldText Decimal { FieldKind::Decimal, 0 };
constexpr FieldText Fixed(int decimals)
{
    return { FieldKind::Fixed, decimals };
}
constexpr FieldText TenfoldFixed(int decimals)
{
    return { FieldKind::TenfoldFixed, decimals };
}

struct LogRow {
    Names names;
    EcuQuery query;
    FieldText field;
};

// clang-format off
constexpr std::array kLogRows = {
    //      channel names                                         main window query  field text
    LogRow{ {Numbered("Address", 0, kLastRawEntry)},              Q::RawValue,       Decimal },
    LogRow{ {Name("RPM")},                                        Q::Rpm,            Fixed(0) },
    LogRow{ {Name("MAP")},                                        Q::Load8,          Fixed(0) },
    LogRow{ {Name("MAF"), Name("AFM")},                           Q::Load16,         Decimal },
    LogRow{ {Name("Target Idle")},                                Q::TargetIdle,     Decimal },
    LogRow{ {Name("VSS")},                                        Q::RoadSpeed,      Decimal },
    LogRow{ {Name("TPS(Angle)")},                                 Q::TpsPercent,     Fixed(0) },
    LogRow{ {Name("TPS(Volts)")},                                 Q::TpsVolts,       Fixed(2) },
    LogRow{ {Name("CTS")},                                        Q::CoolantTemp,    Fixed(0) },
    LogRow{ {Name("IAT")},                                        Q::AirTemp,        Fixed(0) },
    LogRow{ {Name("Ign Advance")},                                Q::Advance,        Decimal },
    LogRow{ {Name("INJ PW B1", 0), Name("INJ PW B2", 1)},         Q::InjectorPw,     Fixed(0) },
    LogRow{ {Name("O2 Sensor B1", 0), Name("O2 Sensor B2", 1)},   Q::O2Volts,        Fixed(2) },
    LogRow{ {Name("STFT B1", 0), Name("STFT B2", 1)},             Q::Stft,           Fixed(2) },
    LogRow{ {Name("LTFT B1", 0), Name("LTFT B2", 1)},             Q::Ltft,           Fixed(2) },
    LogRow{ {Name("TFT B1", 0), Name("TFT B2", 1)},               Q::Tft,            Fixed(2) },
    LogRow{ {Name("Batt Volts*10")},                              Q::BatteryVolts,   TenfoldFixed(2) },
    LogRow{ {Name("MPG")},                                        Q::Mpg,            Fixed(2) },
    LogRow{ {Name("EGR Flow")},                                   Q::Egr,            Decimal },
    LogRow{ {Name("EGR Temp")},                                   Q::EgtTemp,        Fixed(0) },
    LogRow{ {Name("Evap Purge")},                                 Q::Purge,          Decimal },
    LogRow{ {Numbered("Fault Flags ", 0, 4)},                     Q::FaultByte,      Decimal },
    LogRow{ {Numbered("Status Flags ", 1, 4)},                    Q::StatusByte,     Decimal },
    LogRow{ {Name("VE")},                                         Q::Ve,             Decimal },
    LogRow{ {Name("ATM VSS")},                                    Q::AtmVss,         Decimal },
    LogRow{ {Name("ATM Pos")},                                    Q::AtmPos,         Decimal },
    LogRow{ {Name("ATM Status")},                                 Q::AtmStatus,      Decimal },
    // Entries of the channel list that log what the chart table reads for them.
    LogRow{ {Name("IAC")},                                        Q::Iac,            Decimal },
    LogRow{ {Name("IAC Adj Mon")},                                Q::IacAdjust,      Decimal },
    LogRow{ {Name("Ign Trim")},                                   Q::IgnitionTrim,   Decimal },
    LogRow{ {Numbered("Fault Codes ", 0, 4)},                     Q::FaultByte,      Decimal },
};
// clang-format on

// Enough significant digits for the whole integer part of any float, so that a field is only
// ever rounded to its decimals: 13.8 V as "Batt Volts*10" stays 138.00, never 1.4E2.
constexpr int kFloatIntegerDigits = std::numeric_limits<float>::max_exponent10 + 1;
constexpr std::string_view kFileDecimalPoint = ".";

std::string FieldOf(const QueryValue& value, FieldText field)
{
    if (field.kind == FieldKind::Decimal)
        return std::to_string(TruncateToInt(value));
    const int precision = kFloatIntegerDigits + field.decimals;
    const QueryValue shown = field.kind == FieldKind::TenfoldFixed ? Tenfold(value) : value;
    return std::visit(
        [&](auto number) { return FormatFixed(number, precision, field.decimals, kFileDecimalPoint); },
        shown);
}

} // namespace

int ChannelGraphValue(const EcuQueries& ecu, std::string_view name, int& offset)
{
    offset = 0;
    const Found<GraphRow> found = FindRow(kGraphRows, name);
    if (!found.row)
        return 0;
    offset = found.row->offset;
    return ChartInteger(ReadQuery(ecu, found.row->query, found.index), found.row->chart);
}

std::string ChannelLogText(const EcuQueries& ecu, std::string_view name)
{
    const Found<LogRow> found = FindRow(kLogRows, name);
    if (!found.row)
        return "0";
    return FieldOf(ReadQuery(ecu, found.row->query, found.index), found.row->field);
}

bool IsLogChannel(std::string_view name)
{
    return FindRow(kLogRows, name).row != nullptr;
}

std::optional<std::string> ParseLogChannelList(std::string_view text, std::array<std::string, 4>& channels)
{
    std::array<std::string, 4> parsed;
    std::size_t count = 0;
    for (std::size_t start = 0; start <= text.size(); ++count) {
        const std::size_t comma = std::min(text.find(',', start), text.size());
        const std::string_view name = text.substr(start, comma - start);
        if (!IsLogChannel(name))
            return "unknown channel name \"" + std::string(name) + "\"";
        if (count < parsed.size())
            parsed[count] = name;
        start = comma + 1;
    }
    if (count != parsed.size())
        return "four channel names separated by commas are needed, not " + std::to_string(count);
    channels = parsed;
    return std::nullopt;
}
