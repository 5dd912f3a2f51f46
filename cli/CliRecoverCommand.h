#pragma once

#include "cli/CliCommands.h"

#include <span>
#include <string>

// recover [DIR]: finishes every recording left unfinished in DIR (default: the working
// directory) into a log file named after its start time and prints each path written.
CommandParse ParseRecover(std::span<const std::string> args);
