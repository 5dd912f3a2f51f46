#pragma once

#include <string>
#include <vector>

// One finished run of dazederir-cli.
struct CliRun {
    int status = -1; // exit status; -1 when it did not exit by itself in time
    std::string out;
    std::string err;
};

CliRun RunCli(const std::vector<std::string>& args);
// The tool run as a user without root's rights (run as it is when not root).
CliRun RunCliAsNobody(const std::vector<std::string>& args);
// Another program, by its path.
CliRun RunProgram(const std::string& program, const std::vector<std::string>& args);
