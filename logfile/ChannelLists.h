#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The choices of the channel combo boxes: the named channels of a fully supported ECU, and
// "Address0".."Address41" for an ECU without formatted data.
std::vector<std::string> NamedChannelList();
std::vector<std::string> AddressChannelList();

// Why a typed channel name cannot be used, or nothing when it can. Taken: a name of the list, a
// name the log knows, and "Address" followed by a RawDataTable index. Everything else is refused,
// a name with a comma or a line break first (it would add a column to the CSV header).
std::optional<std::string> ChannelNameProblem(std::string_view name);
