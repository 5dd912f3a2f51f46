#pragma once

#include "tests/support/FakeEcuQueries.h"
#include "tests/support/FileBytes.h"

#include <cstddef>
#include <string>

// Every "\n" of `text` is preceded by exactly one "\r", and no "\r" stands anywhere else.
inline bool HasOnlyCrlfLineEnds(const std::string& text)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'))
            return false;
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r'))
            return false;
    }
    return true;
}

// An engine at idle; logged with the default channels RPM, MAP, CTS, IAT its row reads
// "850,1013,86,24".
inline FakeEcuQueries IdleEngine()
{
    FakeEcuQueries ecu;
    ecu.rpm = 850;
    ecu.load8 = 1013;
    ecu.coolantTemp = 85.7F;
    ecu.airTemp = 24.0F;
    return ecu;
}
