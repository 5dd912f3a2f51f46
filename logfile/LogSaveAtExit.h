#pragma once

#include "logfile/DataLog.h"

#include <filesystem>
#include <optional>
#include <string>

// Saves `log` as `target` when the program ends. No later Stop can try again, so when the
// target's folder refuses it the rows go to the home folder, else the temporary folder, under the
// log's dated name. Returns what went wrong and where the rows are; nothing when saved as asked.
std::optional<std::string> SaveLogAtExit(DataLog& log, const std::filesystem::path& target);
