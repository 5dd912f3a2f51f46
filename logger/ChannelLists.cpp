#include "logger/ChannelLists.h"

#include "logger/ChannelQuery.h"
#include "logger/ChannelTables.h"

#include <algorithm>
#include <array>

namespace {

constexpr std::string_view kAddressStem = "Address";
constexpr int kAddressListCount = 42; // Address0..Address41 in the raw list

// clang-format off
constexpr std::array<std::string_view, 39> kNamedChannels = {
    "RPM", "MAP", "AFM", "Target Idle", "TPS(Angle)", "TPS(Volts)", "CTS", "IAT", "VSS",
    "INJ PW B1", "INJ PW B2", "O2 Sensor B1", "O2 Sensor B2", "Ign Advance", "STFT B1", "STFT B2",
    "LTFT B1", "LTFT B2", "Batt Volts*10", "IAC", "IAC Adj Mon", "MPG",
    "Fault Codes 0", "Fault Codes 1", "Fault Codes 2", "Fault Codes 3", "Fault Codes 4",
    "Status Flags 1", "Status Flags 2", "Status Flags 3", "Status Flags 4",
    "EGR Flow", "EGR Temp", "Evap Purge", "VE", "Ign Trim", "ATM VSS", "ATM Pos", "ATM Status",
};
// clang-format on

bool IsAllDigits(std::string_view text)
{
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

} // namespace

std::vector<std::string> NamedChannelList()
{
    return { kNamedChannels.begin(), kNamedChannels.end() };
}

std::vector<std::string> AddressChannelList()
{
    std::vector<std::string> list;
    list.reserve(kAddressListCount);
    for (int address = 0; address < kAddressListCount; ++address)
        list.push_back(std::string(kAddressStem) + std::to_string(address));
    return list;
}

std::optional<std::string> ChannelNameProblem(std::string_view name)
{
    const std::string quoted = "'" + std::string(name) + "'";
    if (name.find_first_of(",\r\n") != std::string_view::npos)
        return quoted + " is not a valid channel name: it must not contain a comma or a line break";
    const std::string lastAddress = std::to_string(EcuQueries::RawTableSize - 1);
    if (name.starts_with(kAddressStem) && IsAllDigits(name.substr(kAddressStem.size()))) {
        const std::optional<int> address = NumberAfter(name, kAddressStem);
        if (!address || *address >= EcuQueries::RawTableSize)
            return quoted + " is not a valid channel: the address must be 0 to " + lastAddress;
        return std::nullopt;
    }
    // As the command-line tool: a name that is not in the list and not logged would chart and
    // log a column of zeros.
    const bool listed = std::find(kNamedChannels.begin(), kNamedChannels.end(), name) != kNamedChannels.end();
    if (!listed && !IsLogChannel(name))
        return quoted + " is not a channel: choose one from the list, or type " + std::string(kAddressStem)
            + "0 to " + std::string(kAddressStem) + lastAddress;
    return std::nullopt;
}
