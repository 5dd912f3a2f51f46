#pragma once

#include "sim/SimulatorStats.h"
#include "soak/SoakOptions.h"

#include <optional>
#include <ostream>
#include <string>
#include <vector>

// What one soak run saw, from the program's side and from the simulator's.
struct SoakResult {
    std::string setupError; // the run could not be made; nothing else counts then

    int intervalMs = 0; // of the log's samples
    int ticks = 0;
    int ticksChecked = 0; // with every value settled, so every query was held against the bytes
    int wrongValueTicks = 0;
    std::vector<std::string> wrongValues; // the first few

    int requestsSent = 0;
    int coreRxErrors = 0;
    bool replyPendingAtEnd = false;
    int cableGone = 0;
    int goneWithReplyAwaited = 0;
    int losses = 0;
    int identifications = 0;
    int reidentified = 0;
    int dataBeforeReidentification = 0;
    bool lostAtEnd = false; // the last loss had not been followed by an identification yet

    int samples = 0;
    int rowsChecked = 0;
    int rowsSaved = 0;
    int saves = 0;
    int failedSaves = 0;
    int savesWithCableOut = 0;
    int wrongRows = 0;
    int logProblemCount = 0;
    std::vector<std::string> logProblems; // the first few

    bool ecusimCrashed = false;
    int ecusimExitCode = 0;
    std::string ecusimErrors;
    std::optional<SimulatorStats> simulator;
};

struct SoakCheck {
    std::string name;
    bool passed = false;
    std::string detail; // why it failed
};

std::vector<SoakCheck> EvaluateSoak(const SoakResult& result);
bool AllPassed(const std::vector<SoakCheck>& checks);
// The one summary a run prints.
void PrintSoakSummary(std::ostream& out, const SoakOptions& options, const SoakResult& result,
    const std::vector<SoakCheck>& checks);
