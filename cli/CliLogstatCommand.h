#pragma once

#include "cli/CliCommands.h"

#include <span>
#include <string>

// logstat FILE: for each channel of a log, its unit where the file says it, its count of values and
// of empty fields, its minimum, maximum and mean, and the first and last time; needs no ECU. What
// could not be read is said on standard error, line and column, and the rest counted; a file of
// which no value could be read is refused.
CommandParse ParseLogstat(std::span<const std::string> args);
