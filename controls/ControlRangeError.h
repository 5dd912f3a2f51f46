#pragma once

#include <stdexcept>
#include <string>

// Raised by the controls for a value outside what they accept; the control is left unchanged.
class ControlRangeError : public std::range_error {
public:
    explicit ControlRangeError(const std::string& message)
        : std::range_error(message)
    {
    }
};
