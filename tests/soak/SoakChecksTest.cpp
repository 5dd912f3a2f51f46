// The soak run's verdicts, its command line, and the counters the simulator hands it.
#include "sim/SimulatorOptions.h"
#include "sim/SimulatorStats.h"
#include "soak/SoakOptions.h"
#include "soak/SoakReport.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>

namespace {

// A run in which everything went right: 3 pulls, each caught a request in flight, one of those
// exchanges lost with the cable, and a reply still awaited at the end.
SoakResult GoodRun()
{
    SoakResult r;
    r.intervalMs = 40;
    r.ticks = 600;
    r.ticksChecked = 500;
    r.requestsSent = 540;
    SimulatorStats sim;
    sim.counters.requests = 540;
    sim.counters.dropped = 10;
    sim.counters.spoiled = 12;
    sim.counters.identifyIgnored = 2;
    sim.pulls = 3;
    r.simulator = sim;
    r.coreRxErrors = 25;
    r.replyPendingAtEnd = true;
    r.cableGone = 3;
    r.goneWithReplyAwaited = 3;
    r.losses = 3;
    r.identifications = 4;
    r.reidentified = 3;
    r.samples = r.rowsSaved = r.rowsChecked = 750;
    r.saves = 3;
    return r;
}

struct Fault {
    const char* name;
    std::function<void(SoakResult&)> spoil;
    const char* failedCheck; // the start of the one check that must fail
};

void PrintTo(const Fault& fault, std::ostream* out)
{
    *out << fault.name;
}

class SoakVerdict : public testing::TestWithParam<Fault> { };

TEST(SoakVerdict, AGoodRunPassesEveryCheck)
{
    const std::vector<SoakCheck> checks = EvaluateSoak(GoodRun());
    EXPECT_TRUE(AllPassed(checks));
    EXPECT_EQ(checks.size(), 7U);
}

TEST_P(SoakVerdict, FailsTheCheckThatGuardsAgainstIt)
{
    SoakResult result = GoodRun();
    GetParam().spoil(result);
    const std::vector<SoakCheck> checks = EvaluateSoak(result);
    std::vector<std::string> failed;
    for (const SoakCheck& check : checks) {
        if (!check.passed) {
            failed.push_back(check.name);
            EXPECT_FALSE(check.detail.empty()) << check.name;
        }
    }
    ASSERT_EQ(failed.size(), 1U) << testing::PrintToString(failed);
    EXPECT_TRUE(failed[0].starts_with(GetParam().failedCheck)) << failed[0];
    std::ostringstream summary;
    PrintSoakSummary(summary, SoakOptions {}, result, checks);
    EXPECT_NE(summary.str().find("result: FAIL"), std::string::npos) << summary.str();
}

INSTANTIATE_TEST_SUITE_P(Faults, SoakVerdict,
    testing::Values(
        Fault { "ErrorCountedTwice", [](SoakResult& r) { r.coreRxErrors += 4; }, "every failed exchange" },
        Fault { "ErrorNotCounted",
            [](SoakResult& r) {
                r.coreRxErrors -= 2;
                r.replyPendingAtEnd = false;
            },
            "every failed exchange" },
        Fault { "CountsWithoutPullsAreExact",
            [](SoakResult& r) {
                r.simulator->pulls = r.cableGone = r.goneWithReplyAwaited = 0;
                r.losses = r.reidentified = 0;
                r.identifications = 1;
            },
            "every failed exchange" },
        Fault { "PullUnnoticed", [](SoakResult& r) { r.simulator->pulls = 5; }, "every pull" },
        Fault {
            "NoIdentificationAfterALoss", [](SoakResult& r) { r.reidentified = 2; }, "every reconnection" },
        Fault { "DataPolledBeforeIdentification", [](SoakResult& r) { r.dataBeforeReidentification = 1; },
            "every reconnection" },
        Fault { "RowLost", [](SoakResult& r) { r.rowsSaved -= 1; }, "one saved row" },
        Fault { "SaveFailed", [](SoakResult& r) { r.failedSaves = r.logProblemCount = 1; }, "one saved row" },
        Fault { "GapInAFile", [](SoakResult& r) { r.logProblemCount = 1; }, "one saved row" },
        Fault { "WrongValue", [](SoakResult& r) { r.wrongValueTicks = 1; }, "every value" },
        Fault { "WrongRow",
            [](SoakResult& r) {
                r.wrongRows = 1;
                r.logProblemCount = 1;
            },
            "every value" },
        Fault { "SimulatorCrashed", [](SoakResult& r) { r.ecusimCrashed = true; }, "the simulator" },
        Fault { "NothingChecked", [](SoakResult& r) { r.ticksChecked = 0; }, "the run identified" }),
    [](const auto& param) { return std::string(param.param.name); });

TEST(SoakVerdict, ARunThatCouldNotStartFailsWithItsReason)
{
    SoakResult result;
    result.setupError = "cannot start /nowhere/dazederir-ecusim";
    const std::vector<SoakCheck> checks = EvaluateSoak(result);
    ASSERT_EQ(checks.size(), 1U);
    EXPECT_FALSE(checks[0].passed);
    EXPECT_EQ(checks[0].detail, result.setupError);
}

TEST(SimulatorStats, TextReadsBackAndAMissingOrBadCounterIsRefused)
{
    SimulatorStats stats;
    stats.counters = { 100, 90, 2, 3, 4, 5, 8, 6, 1 };
    stats.rejectedRequests = 7;
    stats.pulls = 9;
    const std::string text = StatsText(stats);
    const std::optional<SimulatorStats> read = ParseStatsText(text);
    ASSERT_TRUE(read.has_value()) << text;
    EXPECT_EQ(read->counters.FailedExchanges(), 2 + 3 + 8);
    EXPECT_EQ(read->pulls, 9);
    EXPECT_EQ(StatsText(*read), text);
    EXPECT_FALSE(ParseStatsText(text.substr(0, text.rfind("pulls"))).has_value());
    std::string bad = text;
    bad.replace(bad.find("100"), 3, "1x0");
    EXPECT_FALSE(ParseStatsText(bad).has_value());
}

SoakOptionsParse Parse(const std::vector<std::string>& args)
{
    return ParseSoakOptions(args, "/build/dazederir-ecusim");
}

TEST(SoakOptions, DefaultsInjectEveryFaultAndOptionsOverrideThem)
{
    const SoakOptionsParse defaults = Parse({});
    ASSERT_EQ(defaults.error, "");
    EXPECT_EQ(defaults.options.ecusimProgram, "/build/dazederir-ecusim");
    const SimulatorSettings& s = defaults.options.simulator;
    EXPECT_GT(s.dropChance * s.corruptChance * s.cutChance * s.noiseChance, 0.0);
    EXPECT_GT(s.identifyAfter, 1);
    EXPECT_TRUE(s.unplug.has_value());

    const SoakOptionsParse parse
        = Parse({ "--duration", "600", "--ecu=f802", "--baud", "7812", "--sample-rate=100", "--time-base",
            "2", "--channels", "RPM,CTS,VSS,Batt Volts*10", "--save-every", "0.5", "--log-dir", "/tmp",
            "--ecusim", "/opt/ecusim", "--sim-drop", "0", "--no-unplug", "--sim-pace" });
    ASSERT_EQ(parse.error, "");
    const SoakOptions& o = parse.options;
    EXPECT_EQ(o.durationSeconds, 600.0);
    EXPECT_EQ(o.ecuId, "F802");
    EXPECT_EQ(o.baudText, QStringLiteral("7812"));
    EXPECT_EQ(o.sampleRateMs, 100);
    EXPECT_EQ(o.timeBase, 2);
    EXPECT_EQ(o.channels, (LogChannelNames { "RPM", "CTS", "VSS", "Batt Volts*10" }));
    EXPECT_EQ(o.saveEveryMinutes, 0.5);
    EXPECT_EQ(o.logDir, "/tmp");
    EXPECT_EQ(o.ecusimProgram, "/opt/ecusim");
    EXPECT_EQ(o.simulator.dropChance, 0.0);
    EXPECT_GT(o.simulator.corruptChance, 0.0);
    EXPECT_FALSE(o.simulator.unplug.has_value());
    EXPECT_TRUE(o.simulator.pace);
}

class SoakBadOption : public testing::TestWithParam<std::pair<std::vector<std::string>, std::string>> { };

TEST_P(SoakBadOption, IsRefusedWithALineNamingIt)
{
    const SoakOptionsParse parse = Parse(GetParam().first);
    EXPECT_NE(parse.error.find(GetParam().second), std::string::npos) << parse.error;
    EXPECT_EQ(parse.error.find('\n'), std::string::npos) << parse.error;
}

INSTANTIATE_TEST_SUITE_P(Inputs, SoakBadOption,
    testing::Values(std::pair { std::vector<std::string> { "--duration", "0" }, std::string("\"0\"") },
        std::pair { std::vector<std::string> { "--duration", "nan" }, std::string("\"nan\"") },
        std::pair { std::vector<std::string> { "--duration" }, std::string("--duration: missing value") },
        std::pair { std::vector<std::string> { "--ecu", "11G3" }, std::string("\"11G3\"") },
        std::pair { std::vector<std::string> { "--baud", "-1" }, std::string("\"-1\"") },
        std::pair { std::vector<std::string> { "--sample-rate", "20" }, std::string("\"20\"") },
        std::pair { std::vector<std::string> { "--time-base", "0" }, std::string("\"0\"") },
        std::pair { std::vector<std::string> { "--channels", "RPM,CTS,VSS" }, std::string("not 3") },
        std::pair {
            std::vector<std::string> { "--channels", "RPM,CTS,VSS,Nonsense" }, std::string("\"Nonsense\"") },
        std::pair { std::vector<std::string> { "--save-every", "-1" }, std::string("\"-1\"") },
        std::pair { std::vector<std::string> { "--log-dir=" }, std::string("--log-dir") },
        std::pair { std::vector<std::string> { "--sim-bytes", "1=2" }, std::string("--sim-bytes") },
        std::pair { std::vector<std::string> { "--sim-drop", "2" }, std::string("--sim-drop") },
        std::pair {
            std::vector<std::string> { "--no-unplug", "--sim-unplug", "5:1" }, std::string("together") },
        std::pair { std::vector<std::string> { "--sim-unplug", "1e300:1" }, std::string("EVERY 1e300") },
        std::pair { std::vector<std::string> { "--frobnicate" }, std::string("\"--frobnicate\"") },
        std::pair { std::vector<std::string> { "stray" }, std::string("\"stray\"") }));

// The arguments handed to dazederir-ecusim must give it exactly the soak's settings, or the
// simulator's counts would not be those of the faults asked for.
TEST(SoakOptions, SimulatorArgumentsReproduceTheSettings)
{
    SimulatorSettings settings;
    settings.fixedBytes[0] = 0;
    settings.fixedBytes[37] = 255;
    settings.identifyAfter = 4;
    settings.dropChance = 0.1;
    settings.corruptChance = 1.0 / 3;
    settings.cutChance = 0.0;
    settings.noiseChance = 0.07;
    settings.resetFails = true;
    settings.unplug = UnplugSchedule(6.5, 0.3);
    settings.pace = true;
    settings.seed = 4000000000U;

    const SimulatorOptionsParse parse = ParseSimulatorOptions(SimulatorArguments(settings));
    ASSERT_TRUE(parse.Ok()) << parse.error;
    EXPECT_TRUE(parse.rest.empty());
    const SimulatorSettings& s = parse.settings;
    EXPECT_EQ(s.fixedBytes, settings.fixedBytes);
    EXPECT_EQ(s.identifyAfter, 4);
    EXPECT_EQ(s.dropChance, settings.dropChance);
    EXPECT_EQ(s.corruptChance, settings.corruptChance);
    EXPECT_EQ(s.cutChance, 0.0);
    EXPECT_EQ(s.noiseChance, settings.noiseChance);
    EXPECT_TRUE(s.resetFails);
    ASSERT_TRUE(s.unplug.has_value());
    EXPECT_EQ(s.unplug->Every(), 6.5);
    EXPECT_EQ(s.unplug->Out(), 0.3);
    EXPECT_TRUE(s.pace);
    EXPECT_EQ(s.seed, 4000000000U);
}

} // namespace
