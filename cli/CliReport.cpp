#include "cli/CliReport.h"

#include "cli/JsonWriter.h"
#include "defs/FaultCodes.h"
#include "defs/StatusFlags.h"
#include "link/FlagBytes.h"
#include "logger/ChannelQuery.h"

#include <charconv>
#include <variant>
#include <vector>

namespace {

struct ValueField {
    std::string_view name;
    EcuQuery query;
    int index; // the bank of the queries that take one
};

// The live values by the names scripts read them by, in this order.
// clang-format off
using Q = EcuQuery;
constexpr ValueField ValueFields[] = {
    { "Rpm",           Q::Rpm,            0 },
    { "TargetIdle",    Q::TargetIdle,     0 },
    { "RoadSpeed",     Q::RoadSpeed,      0 },
    { "BatteryVolts",  Q::BatteryVolts,   0 },
    { "O2Volts0",      Q::O2Volts,        0 },
    { "O2Volts1",      Q::O2Volts,        1 },
    { "TpsPercent",    Q::TpsPercent,     0 },
    { "TpsVolts",      Q::TpsVolts,       0 },
    { "CoolantTemp",   Q::CoolantTemp,    0 },
    { "AirTemp",       Q::AirTemp,        0 },
    { "EgtTemp",       Q::EgtTemp,        0 },
    { "Load8",         Q::Load8,          0 },
    { "Baro",          Q::Baro,           0 },
    { "Load16",        Q::Load16,         0 },
    { "InjectorPw0",   Q::InjectorPw,     0 },
    { "InjectorPw1",   Q::InjectorPw,     1 },
    { "Iac",           Q::Iac,            0 },
    { "IacAdjust",     Q::IacAdjust,      0 },
    { "Stft0",         Q::Stft,           0 },
    { "Stft1",         Q::Stft,           1 },
    { "Ltft0",         Q::Ltft,           0 },
    { "Ltft1",         Q::Ltft,           1 },
    { "Tft0",          Q::Tft,            0 },
    { "Tft1",          Q::Tft,            1 },
    { "Ve",            Q::Ve,             0 },
    { "Advance",       Q::Advance,        0 },
    { "Mpg",           Q::Mpg,            0 },
    { "Purge",         Q::Purge,          0 },
    { "Egr",           Q::Egr,            0 },
    { "IgnitionTrim",  Q::IgnitionTrim,   0 },
    { "AtmVss",        Q::AtmVss,         0 },
    { "AtmPos",        Q::AtmPos,         0 },
    { "AtmStatus",     Q::AtmStatus,      0 },
    { "TimeFromStart", Q::TimeFromStart,  0 },
};
// clang-format on

// The shortest decimal text that reads back as the same float, for people.
std::string ShortFloat(float value)
{
    char text[32];
    const auto result = std::to_chars(std::begin(text), std::end(text), value);
    return std::string(text, result.ptr);
}

std::vector<int> FaultBytesOf(const EcuQueries& q)
{
    std::vector<int> bytes;
    for (int i = 0; i < FaultByteCount; ++i)
        bytes.push_back(q.GetFaultByte(i));
    return bytes;
}

std::vector<int> StatusBytesOf(const EcuQueries& q)
{
    std::vector<int> bytes;
    for (int i = 0; i < EcuQueries::FilledStatusBytes; ++i)
        bytes.push_back(q.GetStatusByte(i));
    return bytes;
}

std::string JoinedInts(const std::vector<int>& values)
{
    std::string text;
    for (const int value : values)
        text += (text.empty() ? "" : " ") + std::to_string(value);
    return text;
}

DecodedFaults FaultsOf(const EcuConnection& c)
{
    return DecodeFaults(FaultListOf(c.GetEcuId()), ReadFaultBytes(c));
}

std::vector<JsonObject> FaultObjects(const std::vector<DecodedFault>& faults)
{
    std::vector<JsonObject> objects;
    for (const DecodedFault& fault : faults)
        objects.push_back(
            JsonObject().AddString("code", fault.code).AddString("description", fault.description));
    return objects;
}

JsonObject WithEcuId(const EcuConnection& c)
{
    return JsonObject().AddString("ecu_id", c.GetEcuId());
}

// "full", "obd2" or "none".
std::string_view SupportName(EcuSupport support)
{
    switch (support) {
    case SupportFull:
        return "full";
    case SupportObd2:
        return "obd2";
    case SupportNone:
        break;
    }
    return "none";
}

// The fault code viewer's list, or `none` when there is no fault.
std::string FaultListOrNone(const std::vector<DecodedFault>& faults, std::string_view none)
{
    return faults.empty() ? std::string(none) + "\n" : FaultListText(faults);
}

} // namespace

std::string CliReport::Identify() const
{
    const EcuConnection& c = connection;
    if (json) {
        return WithEcuId(c)
                   .AddString("support", SupportName(c.GetEcuSupport()))
                   .AddInt("feature_flags", c.GetEcuFeatureFlags())
                   .Text()
            + "\n";
    }
    return c.GetEcuId() + " " + std::string(SupportName(c.GetEcuSupport())) + "\n";
}

std::string CliReport::Values() const
{
    const EcuConnection& c = connection;
    if (json) {
        JsonObject values;
        for (const ValueField& field : ValueFields) {
            const QueryValue number = ReadQuery(c, field.query, field.index);
            if (const int* whole = std::get_if<int>(&number))
                values.AddInt(field.name, *whole);
            else
                values.AddFloat(field.name, std::get<float>(number));
        }
        values.AddIntArray("FaultBytes", FaultBytesOf(c)).AddIntArray("StatusBytes", StatusBytesOf(c));
        return WithEcuId(c)
                   .AddString("support", SupportName(c.GetEcuSupport()))
                   .AddInt("rx_errors", c.RxErrorCount())
                   .AddString("load_sensor", c.GetLoadSensorName())
                   .AddString("iac_kind", c.GetIacKindName())
                   .AddString("egr_kind", c.GetEgrKindName())
                   .AddObject("values", values)
                   .Text()
            + "\n";
    }
    std::string text;
    for (const ValueField& field : ValueFields) {
        const QueryValue number = ReadQuery(c, field.query, field.index);
        const int* whole = std::get_if<int>(&number);
        text += std::string(field.name) + ": "
            + (whole ? std::to_string(*whole) : ShortFloat(std::get<float>(number))) + "\n";
    }
    text += "FaultBytes: " + JoinedInts(FaultBytesOf(c)) + "\n";
    return text + "StatusBytes: " + JoinedInts(StatusBytesOf(c)) + "\n";
}

std::string CliReport::Raw() const
{
    const EcuConnection& c = connection;
    const std::vector<int> raw(c.RawDataTable().begin(), c.RawDataTable().end());
    if (json)
        return WithEcuId(c).AddInt("base_address", c.BaseAddress()).AddIntArray("raw", raw).Text() + "\n";
    std::string text = "Base address " + std::to_string(c.BaseAddress()) + "\n";
    constexpr std::size_t PerLine = 8;
    for (std::size_t offset = 0; offset < raw.size(); offset += PerLine) {
        const std::vector<int> line(raw.begin() + static_cast<std::ptrdiff_t>(offset),
            raw.begin() + static_cast<std::ptrdiff_t>(offset + PerLine));
        text += std::to_string(offset) + ": " + JoinedInts(line) + "\n";
    }
    return text;
}

std::string CliReport::Faults() const
{
    const DecodedFaults faults = FaultsOf(connection);
    if (json) {
        return WithEcuId(connection)
                   .AddObjectArray("current", FaultObjects(faults.current))
                   .AddObjectArray("stored", FaultObjects(faults.stored))
                   .Text()
            + "\n";
    }
    return "Current:\n" + FaultListOrNone(faults.current, "No Current Codes") + "History:\n"
        + FaultListOrNone(faults.stored, "No Stored Codes");
}

std::string CliReport::Status() const
{
    const EcuConnection& c = connection;
    const std::vector<StatusLine> lines = DecodeStatus(StatusListOf(c.GetEcuId()), ReadStatusBytes(c));
    if (json) {
        std::vector<JsonObject> objects;
        for (const StatusLine& line : lines)
            objects.push_back(JsonObject().AddString("name", line.name).AddString("state", line.state));
        return WithEcuId(c).AddObjectArray("lines", objects).Text() + "\n";
    }
    std::string text;
    for (const StatusLine& line : lines)
        text += line.name + ": " + line.state + "\n";
    return text;
}

std::string CliReport::Reset(bool succeeded) const
{
    const std::string_view result = succeeded ? ResetSucceededText : ResetFailedText;
    if (json)
        return WithEcuId(connection).AddString("result", result).Text() + "\n";
    return std::string(result) + "\n";
}

std::string CliReport::Actuator(std::string_view frameHex) const
{
    if (json)
        return WithEcuId(connection).AddString("frame", frameHex).Text() + "\n";
    return std::string(frameHex) + "\n";
}
