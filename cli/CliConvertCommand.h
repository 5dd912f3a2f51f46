#pragma once

#include "cli/CliCommands.h"

#include <span>
#include <string>

// convert FILE --to msl [--out FILE]: writes a log (ours or another tool's, as logstat reads it) in
// the tab-delimited form of the engine-tuning log viewers, by default beside it with the extension
// ".msl"; needs no ECU. A log of which nothing could be read is refused, as by logstat.
CommandParse ParseConvert(std::span<const std::string> args);
