#pragma once

#include "link/CaptureFile.h"

#include <string>

// What a capture holds, told by the program's own frame receiver: the ECU it identified, the line
// speed, how long it ran, and how its exchanges went.
struct CaptureSummary {
    std::string ecuId; // of the first identification reply; empty when there was none
    int baud = CaptureLog::DefaultBaud;
    double durationMs = 0; // the time of the last chunk
    int requests = 0;
    int replies = 0;
    int failed = 0; // requests without a valid reply before the next request
};

CaptureSummary SummarizeCapture(const CaptureLog& log);
