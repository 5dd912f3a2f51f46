#pragma once

#include <filesystem>
#include <optional>
#include <string>

// Renames `from` to "<base><ext>" in `folder`, never over an existing file: when that name is
// taken, to "<base>-2<ext>", "-3" and on, and past MaxNumberedNames to "<base>-<8 hex digits><ext>",
// a name no other file has. The name it got, or nothing and why (`problem`, naming both paths).
std::optional<std::filesystem::path> RenameWithoutReplacing(const std::filesystem::path& from,
    const std::filesystem::path& folder, const std::string& base, const std::string& ext,
    std::string& problem);

inline constexpr int MaxNumberedNames = 99;

// "YYYYMMDD-HHMMSS" of the local time at `time`, as file names carry a time.
std::string FileNameStamp(std::time_t time);
