#pragma once

#include "link/EcuQueries.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

// A channel is known only by its name; both look-ups are exact and case-sensitive, and the
// first row that answers to the name wins.

// The chart value of a channel. `offset` becomes 1 for channels drawn on a scale that starts
// at -40 (temperatures and fuel trims), else 0. An unknown name gives 0 with offset 0.
int ChannelGraphValue(const EcuQueries& ecu, std::string_view name, int& offset);

// The CSV field of a channel: whole numbers in decimal, reals rounded half away from zero to
// the channel's decimals and written in full with a full stop, whatever the locale. An unknown
// name gives "0".
std::string ChannelLogText(const EcuQueries& ecu, std::string_view name);

// Whether a row of the log table answers to the name.
bool IsLogChannel(std::string_view name);

// Four names separated by commas, each one a row of the log table answers to, as a command line
// gives them. The reason when the text is not that (`channels` is then left as it was).
std::optional<std::string> ParseLogChannelList(std::string_view text, std::array<std::string, 4>& channels);
