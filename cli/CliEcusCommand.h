#pragma once

#include "cli/CliCommands.h"

#include <span>
#include <string>

// ecus: every supported ECU ID with its support class and what it has fitted (load sensor, idle
// valve and EGR kinds); needs no ECU.
CommandParse ParseEcus(std::span<const std::string> args);
