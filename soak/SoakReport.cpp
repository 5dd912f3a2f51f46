#include "soak/SoakReport.h"

#include <algorithm>
#include <iomanip>
#include <sstream>

namespace {

using std::to_string;

SoakCheck Check(std::string name, bool passed, std::string detail)
{
    return { std::move(name), passed, passed ? std::string() : std::move(detail) };
}

SoakCheck SimulatorEndedCleanly(const SoakResult& r)
{
    return Check("the simulator ended cleanly and gave its counts",
        r.simulator && !r.ecusimCrashed && r.ecusimExitCode == 0,
        "crashed " + to_string(r.ecusimCrashed) + ", exit status " + to_string(r.ecusimExitCode)
            + (r.simulator ? "" : ", no counts") + (r.ecusimErrors.empty() ? "" : ": " + r.ecusimErrors));
}

// The program's failed exchanges are the simulator's plus those lost with the cable (at most one
// per pull that caught a request waiting for its reply), less the last one if still waiting.
SoakCheck FailuresCountedOnce(const SoakResult& r)
{
    const int simulatorFailed = r.simulator ? r.simulator->counters.FailedExchanges() : 0;
    const int surplus = r.coreRxErrors - simulatorFailed;
    const int pending = r.replyPendingAtEnd ? 1 : 0;
    return Check("every failed exchange counted exactly once",
        r.simulator && surplus >= -pending && surplus <= r.goneWithReplyAwaited,
        "\"Rx Errors\" " + to_string(r.coreRxErrors) + " against " + to_string(simulatorFailed)
            + " failed by the simulator, " + to_string(r.goneWithReplyAwaited)
            + " exchanges open when the cable went, " + to_string(pending) + " pending");
}

SoakCheck PullsNoticed(const SoakResult& r)
{
    const int pulls = r.simulator ? r.simulator->pulls : 0;
    return Check("every pull of the cable noticed", r.cableGone <= pulls && r.cableGone >= pulls - 1,
        "the link lost the cable " + to_string(r.cableGone) + " times for " + to_string(pulls) + " pulls");
}

SoakCheck ReconnectionsReidentify(const SoakResult& r)
{
    const int expected = r.losses - (r.lostAtEnd ? 1 : 0);
    return Check("every reconnection identifies the ECU again",
        r.reidentified == expected && r.dataBeforeReidentification == 0,
        to_string(r.reidentified) + " identifications after " + to_string(r.losses) + " losses, "
            + to_string(r.dataBeforeReidentification) + " data requests before identification");
}

SoakCheck LogComplete(const SoakResult& r)
{
    const int fileProblems = r.logProblemCount - r.wrongRows;
    return Check("one saved row per sample, no gap, no duplicate",
        r.samples == r.rowsSaved && fileProblems == 0 && r.failedSaves == 0,
        to_string(r.rowsSaved) + " rows saved for " + to_string(r.samples) + " samples, "
            + to_string(fileProblems) + " faults in the files, " + to_string(r.failedSaves)
            + " failed saves");
}

SoakCheck ValuesRight(const SoakResult& r)
{
    return Check("every value read matches the tables and formulas for the bytes sent",
        r.wrongValueTicks == 0 && r.wrongRows == 0,
        to_string(r.wrongValueTicks) + " ticks and " + to_string(r.wrongRows) + " rows with a wrong value");
}

// A run that never polled would pass every other check without proving anything.
SoakCheck Exercised(const SoakResult& r)
{
    return Check("the run identified the ECU and checked values and rows",
        r.identifications > 0 && r.ticksChecked > 0 && r.rowsChecked > 0,
        to_string(r.identifications) + " identifications, " + to_string(r.ticksChecked) + " ticks and "
            + to_string(r.rowsChecked) + " rows checked");
}

std::string Seconds(double seconds)
{
    std::ostringstream text;
    text << seconds << " s";
    return text.str();
}

void Line(std::ostream& out, const char* label, const std::string& text)
{
    out << std::left << std::setw(20) << label << " " << text << "\n";
}

} // namespace

std::vector<SoakCheck> EvaluateSoak(const SoakResult& result)
{
    if (!result.setupError.empty())
        return { Check("the run could be set up", false, result.setupError) };
    return { SimulatorEndedCleanly(result), FailuresCountedOnce(result), PullsNoticed(result),
        ReconnectionsReidentify(result), LogComplete(result), ValuesRight(result), Exercised(result) };
}

bool AllPassed(const std::vector<SoakCheck>& checks)
{
    return std::all_of(checks.begin(), checks.end(), [](const SoakCheck& c) { return c.passed; });
}

void PrintSoakSummary(
    std::ostream& out, const SoakOptions& o, const SoakResult& r, const std::vector<SoakCheck>& checks)
{
    const SimulatorSettings& s = o.simulator;
    out << "dazederir-soak: " << Seconds(o.durationSeconds) << ", ECU " << o.ecuId << " at "
        << o.baudText.toStdString() << " baud, "
        << (o.pollMode == EcuConnection::PollMode::Fast
                   ? std::string(o.gatherReads ? "fast polling with gathered reads" : "fast polling")
                   : "sample rate " + to_string(o.sampleRateMs) + " ms")
        << ", log row every " << r.intervalMs << " ms, saved every " << o.saveEveryMinutes << " min, seed "
        << s.seed << "\n";
    out << "faults asked: drop " << s.dropChance << ", corrupt " << s.corruptChance << ", cut " << s.cutChance
        << ", noise " << s.noiseChance << ", identification at request " << s.identifyAfter;
    if (s.unplug)
        out << ", cable out " << Seconds(s.unplug->Out()) << " every " << Seconds(s.unplug->Every());
    out << (s.pace ? ", line paced" : "") << "\n";

    if (r.setupError.empty()) {
        const SimulatorStats sim = r.simulator.value_or(SimulatorStats {});
        const SimulatorCounters& c = sim.counters;
        Line(out, "exchanges",
            to_string(r.requestsSent) + " requests sent, " + to_string(c.requests)
                + " received by the simulator ("
                + to_string(static_cast<int>(r.requestsSent / o.durationSeconds)) + " a second)");
        Line(out, "injected faults",
            "dropped " + to_string(c.dropped) + ", corrupted " + to_string(c.corrupted) + ", cut "
                + to_string(c.cut) + " (" + to_string(c.spoiled) + " replies spoiled), noise bytes "
                + to_string(c.noiseBytes) + ", identification ignored " + to_string(c.identifyIgnored)
                + ", cable pulls " + to_string(sim.pulls));
        Line(out, "failed exchanges",
            "\"Rx Errors\" " + to_string(r.coreRxErrors) + "; simulator " + to_string(c.FailedExchanges())
                + "; cable went " + to_string(r.cableGone) + " times, " + to_string(r.goneWithReplyAwaited)
                + " with a reply awaited; reply pending at end " + to_string(r.replyPendingAtEnd ? 1 : 0));
        Line(out, "reconnections",
            to_string(r.losses) + " (" + to_string(r.reidentified) + " identified again, "
                + to_string(r.dataBeforeReidentification) + " data requests before identification)");
        Line(out, "rows logged",
            to_string(r.rowsSaved) + " in " + to_string(r.saves) + " saves (" + to_string(r.savesWithCableOut)
                + " with the cable out, " + to_string(r.failedSaves) + " failed)");
        Line(out, "rows lost",
            to_string(r.samples - r.rowsSaved) + " of " + to_string(r.samples) + " samples");
        Line(out, "wrong values",
            to_string(r.wrongValueTicks + r.wrongRows) + " (" + to_string(r.ticksChecked) + " of "
                + to_string(r.ticks) + " ticks and " + to_string(r.rowsChecked) + " of "
                + to_string(r.samples) + " rows checked)");
        Line(out, "crashes", to_string(r.ecusimCrashed ? 1 : 0));
        for (const std::string& text : r.wrongValues)
            out << "  wrong value: " << text << "\n";
        for (const std::string& text : r.logProblems)
            out << "  log: " << text << "\n";
    }
    out << "checks:\n";
    for (const SoakCheck& check : checks)
        out << "  " << (check.passed ? "PASS " : "FAIL ") << check.name
            << (check.passed ? "" : ": " + check.detail) << "\n";
    out << "result: " << (AllPassed(checks) ? "PASS" : "FAIL") << std::endl;
}
