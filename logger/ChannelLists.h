#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The choices of the channel combo boxes: the named channels of a fully supported ECU, and
// "Address0".."Address41" for an ECU without formatted data.
std::vector<std::string> NamedChannelList();
std::vector<std::string> AddressChannelList();

// Why a typed channel name cannot be used, or nothing when it can. Refused: an "Address"
// followed by digits whose number is no RawDataTable index, and any name with a comma or a
// line break (it would add a column to the CSV header). Other unknown names are accepted; they
// chart 0 and log "0".
std::optional<std::string> ChannelNameProblem(std::string_view name);
