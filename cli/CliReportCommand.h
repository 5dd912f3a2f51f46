#pragma once

#include "cli/CliCommands.h"

#include <span>
#include <string>

// report --out FILE [--sweeps N]: after the sweeps, writes the diagnostic report the main window's
// File > Save Report... writes, as a PDF or as HTML by the name of FILE, in English.
CommandParse ParseReportCommand(std::span<const std::string> args);
