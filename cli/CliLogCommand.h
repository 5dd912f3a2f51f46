#pragma once

#include "cli/CliCommands.h"

#include <span>
#include <string>

// log --channels C1,C2,C3,C4 [--time-base S] [--samples N] [--out FILE]: records N samples of
// four channels as the data logger does with "Save To File" ticked, at the interval that time
// base S gives on the logger's first chart, writes the CSV file and prints the path written.
CommandParse ParseLog(std::span<const std::string> args);
