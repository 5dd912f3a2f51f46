#pragma once

#include "cli/CliCommands.h"

#include <span>
#include <string>

// capinfo FILE: what a capture file holds (ECU ID, baud, duration, requests, replies, failed
// exchanges), read without an ECU.
CommandParse ParseCapinfo(std::span<const std::string> args);
