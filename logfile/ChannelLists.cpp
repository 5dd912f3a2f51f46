#include "logfile/ChannelLists.h"

#include "defs/LiveValueCatalogue.h"
#include "logfile/ChannelNumber.h"
#include "logfile/ChannelTables.h"

#include <algorithm>

namespace {

constexpr std::string_view kAddressStem = "Address";
constexpr int kAddressListCount = 42; // Address0..Address41 in the raw list

bool IsAllDigits(std::string_view text)
{
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

} // namespace

std::vector<std::string> NamedChannelList()
{
    std::vector<const ChannelName*> listed;
    for (const LiveValueRow& row : LiveValueCatalogue()) {
        for (const ChannelName& channel : row.channels) {
            if (channel.listOrder != ChannelName::kNotListed)
                listed.push_back(&channel);
        }
    }
    std::sort(listed.begin(), listed.end(),
        [](const ChannelName* a, const ChannelName* b) { return a->listOrder < b->listOrder; });
    std::vector<std::string> names;
    names.reserve(listed.size());
    for (const ChannelName* channel : listed)
        names.emplace_back(channel->name);
    return names;
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
    // Every listed name is one the log knows (the catalogue's tests see to it).
    if (!IsLogChannel(name))
        return quoted + " is not a channel: choose one from the list, or type " + std::string(kAddressStem)
            + "0 to " + std::string(kAddressStem) + lastAddress;
    return std::nullopt;
}
