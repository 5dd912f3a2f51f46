#pragma once

#include <cstdint>
#include <span>
#include <vector>

// The far end of the diagnostic line as a byte stream: it is given the bytes the program wrote
// and returns the bytes that come back, in order (the line's echo of every written byte, then
// the ECU's replies). The simulated cable and the pseudo-terminal simulator both drive one.
class LineResponder {
public:
    virtual ~LineResponder() = default;
    virtual std::vector<std::uint8_t> Transfer(std::span<const std::uint8_t> written) = 0;
};
