#pragma once

#include "capture/CaptureReplay.h"

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

// Reads the exchanges to their end (its reader then tells whether the capture was whole).
CaptureSummary SummarizeCapture(CaptureExchangeReader& exchanges);
CaptureSummary SummarizeCapture(const CaptureLog& log);

// A capture file read through once, in bounded memory, as the programs check it before they use
// it: its source for replaying, or why it cannot be used (naming the file and the line).
struct CaptureScan {
    std::shared_ptr<const CaptureSource> source; // null when it cannot be used
    std::string error;
    bool tornLastLine = false;
    CaptureSummary summary;
};

CaptureScan ScanCaptureFile(const std::filesystem::path& path);
