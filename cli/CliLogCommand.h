#pragma once

#include "cli/CliCommands.h"

#include <span>
#include <string>

// log --channels C1,C2,C3,C4 [--all-values] [--time-base S] [--samples N] [--out FILE]: records N samples of
// four channels (and every live value after them) as the data logger does with "Save To File"
// (and "Record all values") ticked, at the interval that time
// base S gives on the logger's first chart, writes the CSV file and prints the path written.
CommandParse ParseLog(std::span<const std::string> args);
