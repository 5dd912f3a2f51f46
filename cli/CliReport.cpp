#include "cli/CliReport.h"

#include "cli/JsonWriter.h"
#include "defs/FaultCodes.h"
#include "defs/StatusFlags.h"

#include <charconv>
#include <variant>
#include <vector>

namespace {

using Number = std::variant<int, float>;

struct ValueField {
    std::string_view name;
    Number (*read)(const EcuQueries& q);
};

// The live values by the names scripts read them by, in this order.
// clang-format off
constexpr ValueField ValueFields[] = {
    { "Rpm",           [](const EcuQueries& q) -> Number { return q.GetRpm(); } },
    { "TargetIdle",    [](const EcuQueries& q) -> Number { return q.GetTargetIdle(); } },
    { "RoadSpeed",     [](const EcuQueries& q) -> Number { return q.GetRoadSpeed(); } },
    { "BatteryVolts",  [](const EcuQueries& q) -> Number { return q.GetBatteryVolts(); } },
    { "O2Volts0",      [](const EcuQueries& q) -> Number { return q.GetO2Volts(0); } },
    { "O2Volts1",      [](const EcuQueries& q) -> Number { return q.GetO2Volts(1); } },
    { "TpsPercent",    [](const EcuQueries& q) -> Number { return q.GetTpsPercent(); } },
    { "TpsVolts",      [](const EcuQueries& q) -> Number { return q.GetTpsVolts(); } },
    { "CoolantTemp",   [](const EcuQueries& q) -> Number { return q.GetCoolantTemp(); } },
    { "AirTemp",       [](const EcuQueries& q) -> Number { return q.GetAirTemp(); } },
    { "EgtTemp",       [](const EcuQueries& q) -> Number { return q.GetEgtTemp(); } },
    { "Load8",         [](const EcuQueries& q) -> Number { return q.GetLoad8(); } },
    { "Baro",          [](const EcuQueries& q) -> Number { return q.GetBaro(); } },
    { "Load16",        [](const EcuQueries& q) -> Number { return q.GetLoad16(); } },
    { "InjectorPw0",   [](const EcuQueries& q) -> Number { return q.GetInjectorPw(0); } },
    { "InjectorPw1",   [](const EcuQueries& q) -> Number { return q.GetInjectorPw(1); } },
    { "Iac",           [](const EcuQueries& q) -> Number { return q.GetIac(); } },
    { "IacAdjust",     [](const EcuQueries& q) -> Number { return q.GetIacAdjust(); } },
    { "Stft0",         [](const EcuQueries& q) -> Number { return q.GetStft(0); } },
    { "Stft1",         [](const EcuQueries& q) -> Number { return q.GetStft(1); } },
    { "Ltft0",         [](const EcuQueries& q) -> Number { return q.GetLtft(0); } },
    { "Ltft1",         [](const EcuQueries& q) -> Number { return q.GetLtft(1); } },
    { "Tft0",          [](const EcuQueries& q) -> Number { return q.GetTft(0); } },
    { "Tft1",          [](const EcuQueries& q) -> Number { return q.GetTft(1); } },
    { "Ve",            [](const EcuQueries& q) -> Number { return q.GetVe(); } },
    { "Advance",       [](const EcuQueries& q) -> Number { return q.GetAdvance(); } },
    { "Mpg",           [](const EcuQueries& q) -> Number { return q.GetMpg(); } },
    { "Purge",         [](const EcuQueries& q) -> Number { return q.GetPurge(); } },
    { "Egr",           [](const EcuQueries& q) -> Number { return q.GetEgr(); } },
    { "IgnitionTrim",  [](const EcuQueries& q) -> Number { return q.GetIgnitionTrim(); } },
    { "AtmVss",        [](const EcuQueries& q) -> Number { return q.GetAtmVss(); } },
    { "AtmPos",        [](const EcuQueries& q) -> Number { return q.GetAtmPos(); } },
    { "AtmStatus",     [](const EcuQueries& q) -> Number { return q.GetAtmStatus(); } },
    { "TimeFromStart", [](const EcuQueries& q) -> Number { return q.GetTimeFromStart(); } },
};
// clang-format on

constexpr int StatusBytesShown = 4;

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
    for (int i = 0; i < StatusBytesShown; ++i)
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
    FaultBytes bytes {};
    for (int i = 0; i < FaultByteCount; ++i)
        bytes[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(c.GetFaultByte(i));
    return DecodeFaults(FaultListOf(c.GetEcuId()), bytes);
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

} // namespace

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

std::string FaultListText(const std::vector<DecodedFault>& faults, std::string_view none)
{
    if (faults.empty())
        return std::string(none) + "\n";
    std::string text;
    for (const DecodedFault& fault : faults)
        text += "Code " + std::string(fault.code) + "\n" + std::string(fault.description) + "\n\n";
    return text;
}

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
            const Number number = field.read(c);
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
        const Number number = field.read(c);
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
    return "Current:\n" + FaultListText(faults.current, "No Current Codes") + "History:\n"
        + FaultListText(faults.stored, "No Stored Codes");
}

std::string CliReport::Status() const
{
    const EcuConnection& c = connection;
    StatusBytes bytes {};
    for (int i = 0; i < StatusBytesShown; ++i)
        bytes[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(c.GetStatusByte(i));
    const std::vector<StatusLine> lines = DecodeStatus(StatusListOf(c.GetEcuId()), bytes);
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
