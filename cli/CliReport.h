#pragma once

#include "link/EcuConnection.h"

#include <optional>
#include <string>
#include <string_view>

// What the commands print, as text for people or as one JSON object, from the connection's
// state after the work of the command is done. Each text ends with a line end.
struct CliReport {
    const EcuConnection& connection;
    bool json;

    std::string Identify() const;
    // Identify, with the port, the cable's USB strings and the interface's receive latency.
    std::string IdentifyVerbose(const std::optional<OpenPortDetails>& port) const;
    std::string Values() const;
    std::string Raw() const;
    std::string Faults() const;
    std::string Status() const;
    std::string Reset(bool succeeded) const;
    std::string Actuator(std::string_view frameHex) const;
};
