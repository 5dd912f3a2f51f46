#include "cli/CliReport.h"

#include "cli/JsonWriter.h"
#include "defs/FaultCodes.h"
#include "defs/LiveValueCatalogue.h"
#include "defs/StatusFlags.h"
#include "defs/SupportedEcus.h"
#include "link/FlagBytes.h"
#include "locale/ConnectionTexts.h"

#include <charconv>
#include <utility>
#include <variant>
#include <vector>

namespace {

// The shortest decimal text that reads back as the same float, for people.
std::string ShortFloat(float value)
{
    char text[32];
    const auto result = std::to_chars(std::begin(text), std::end(text), value);
    return std::string(text, result.ptr);
}

// The values that scripts read as arrays, each with its elements in the catalogue's order.
std::vector<std::pair<std::string_view, std::vector<int>>> JsonArraysOf(const LiveValues& values)
{
    std::vector<std::pair<std::string_view, std::vector<int>>> arrays;
    for (const LiveValueRow& row : LiveValueCatalogue()) {
        if (row.jsonArray.empty())
            continue;
        if (arrays.empty() || arrays.back().first != row.jsonArray)
            arrays.emplace_back(row.jsonArray, std::vector<int> {});
        arrays.back().second.push_back(TruncateToInt(row.read(values)));
    }
    return arrays;
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
                   .AddString("support", SupportClassName(c.GetEcuSupport()))
                   .AddInt("feature_flags", c.GetEcuFeatureFlags())
                   .Text()
            + "\n";
    }
    return c.GetEcuId() + " " + std::string(SupportClassName(c.GetEcuSupport())) + "\n";
}

std::string CliReport::IdentifyVerbose(const std::optional<OpenPortDetails>& port) const
{
    const OpenPortDetails shown = port.value_or(OpenPortDetails {});
    if (json) {
        const EcuConnection& c = connection;
        JsonObject object = WithEcuId(c);
        object.AddString("support", SupportClassName(c.GetEcuSupport()))
            .AddInt("feature_flags", c.GetEcuFeatureFlags())
            .AddString("port", shown.location)
            .AddString("product", shown.product)
            .AddString("serial", shown.serialNumber);
        if (shown.latencyMs)
            object.AddInt("latency_ms", *shown.latencyMs);
        else
            object.AddNull("latency_ms");
        return object.Text() + "\n";
    }
    const std::string latency = shown.latencyMs ? std::to_string(*shown.latencyMs) + " ms" : "unknown";
    return Identify() + "port " + shown.location + "\nproduct " + shown.product + "\nserial "
        + shown.serialNumber + "\nlatency " + latency + "\n";
}

std::string CliReport::Values() const
{
    const EcuConnection& c = connection;
    if (json) {
        JsonObject values;
        for (const LiveValueRow& row : LiveValueCatalogue()) {
            if (!row.jsonArray.empty())
                continue;
            const LiveNumber number = row.read(c.Values());
            if (const int* whole = std::get_if<int>(&number))
                values.AddInt(row.name, *whole);
            else
                values.AddFloat(row.name, std::get<float>(number));
        }
        for (const auto& [name, elements] : JsonArraysOf(c.Values()))
            values.AddIntArray(name, elements);
        return WithEcuId(c)
                   .AddString("support", SupportClassName(c.GetEcuSupport()))
                   .AddInt("rx_errors", c.RxErrorCount())
                   .AddString("load_sensor", c.GetLoadSensorName())
                   .AddString("iac_kind", c.GetIacKindName())
                   .AddString("egr_kind", c.GetEgrKindName())
                   .AddObject("values", values)
                   .Text()
            + "\n";
    }
    std::string text;
    for (const LiveValueRow& row : LiveValueCatalogue()) {
        if (!row.jsonArray.empty())
            continue;
        const LiveNumber number = row.read(c.Values());
        const int* whole = std::get_if<int>(&number);
        text += std::string(row.name) + ": "
            + (whole ? std::to_string(*whole) : ShortFloat(std::get<float>(number))) + "\n";
    }
    for (const auto& [name, elements] : JsonArraysOf(c.Values()))
        text += std::string(name) + ": " + JoinedInts(elements) + "\n";
    return text;
}

std::string CliReport::Raw() const
{
    const EcuConnection& c = connection;
    const std::vector<int> raw(c.RawDataTable().begin(), c.RawDataTable().end());
    if (json)
        return WithEcuId(c).AddInt("base_address", c.Range().Base()).AddIntArray("raw", raw).Text() + "\n";
    std::string text = "Base address " + std::to_string(c.Range().Base()) + "\n";
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
