#pragma once

#include "link/EcuFrame.h"

#include <cstdint>
#include <span>
#include <vector>

// Rebuilds the program's request frames from the bytes it writes, which may arrive in pieces and
// with stray bytes in between. Bytes that start no frame are skipped; a frame with an impossible
// length or a wrong checksum is dropped and the search for a frame start resumes at its second
// byte, so a real request hidden behind a false start is still found.
class RequestAssembler {
public:
    // Appends `bytes` and returns every request now complete, in order.
    std::vector<EcuFrame> Feed(std::span<const std::uint8_t> bytes);

    int RejectedFrames() const { return m_rejectedFrames; } // dropped for a wrong checksum

private:
    std::vector<std::uint8_t> m_pending;
    int m_rejectedFrames = 0;
};
