#include "logfile/LogTrigger.h"

#include <gtest/gtest.h>

namespace {

const LogChannelNames kChannels = { "RPM", "MAP", "CTS", "IAT" };
constexpr std::int64_t kIntervalMs = 100;

TriggerPlan PlanOf(const TriggerTexts& texts)
{
    TriggerPlan plan;
    const std::optional<TriggerProblem> problem = TriggerPlan::Read(texts, plan);
    EXPECT_FALSE(problem.has_value()) << problem->English();
    return plan;
}

// A row every 100 ms whose engine speed is four times its time: 3200 rpm at 800 ms.
LogRow RowAt(std::int64_t ms)
{
    return { ms, "," + std::to_string(ms * 4) + ",1013,86,24", {} };
}

std::vector<std::int64_t> Times(const std::vector<LogRow>& rows)
{
    std::vector<std::int64_t> times;
    for (const LogRow& row : rows)
        times.push_back(row.ms);
    return times;
}

// While waiting, only the last pre-trigger seconds are held; the row that meets the start condition
// hands them over, with times counted from the last row left out, then itself; markers go with their
// rows. The stop condition ends the recording its delay after it first holds.
TEST(LogTrigger, KeepsThePreTriggerRowsBeforeTheStartAndStopsAfterTheDelay)
{
    LogTrigger trigger(
        PlanOf(
            { .startWhen = "RPM > 3000", .stopWhen = "RPM>3500", .stopDelay = "0.2", .preTrigger = "0.25" }),
        kChannels);
    std::vector<LogRow> kept;
    for (std::int64_t ms = kIntervalMs; trigger.CurrentStage() != LogTrigger::Stage::Done;
         ms += kIntervalMs) {
        ASSERT_LE(ms, 2000) << "never stopped";
        const std::vector<LogRow> now = trigger.Take(RowAt(ms));
        EXPECT_EQ(now.empty(), ms < 800) << ms;
        kept.insert(kept.end(), now.begin(), now.end());
        if (ms == 300 || ms == 700) {
            EXPECT_TRUE(trigger.Mark("at " + std::to_string(ms)));
        }
    }
    // Held: 600 and 700 (within 250 ms of the start at 800); left out last: 500.
    EXPECT_EQ(trigger.OriginMs(), 500);
    EXPECT_EQ(Times(kept), (std::vector<std::int64_t> { 100, 200, 300, 400, 500, 600 }));
    EXPECT_EQ(kept[2].fields, ",3200,1013,86,24") << "the start row";
    EXPECT_EQ(kept[1].markerNotes, std::vector<std::string> { "at 700" });
    for (const LogRow& row : kept)
        EXPECT_TRUE(row.markerNotes.empty() || row.ms == 200) << "the marker at 300 was dropped";
    // 3600 rpm at 900 ms is the stop; 200 ms later (1100 ms) the last row.
    EXPECT_EQ(trigger.Ended(), LogTrigger::End::StopCondition);
    EXPECT_TRUE(trigger.Take(RowAt(1200)).empty());
}

// Ended while still waiting, the log gets what was held: the last pre-trigger seconds, no start
// row. A row without values (the link lost) meets no condition, however it is put.
TEST(LogTrigger, EndedWhileWaitingHandsOverWhatWasHeld)
{
    LogTrigger trigger(PlanOf({ .startWhen = "MAP<500", .preTrigger = "0.2" }), kChannels);
    for (std::int64_t ms = kIntervalMs; ms <= 500; ms += kIntervalMs)
        EXPECT_TRUE(trigger.Take({ ms, ",,,,", {} }).empty());
    EXPECT_EQ(trigger.CurrentStage(), LogTrigger::Stage::Waiting);
    const std::vector<LogRow> held = trigger.Finish();
    EXPECT_EQ(Times(held), (std::vector<std::int64_t> { 100, 200, 300 }));
    EXPECT_EQ(trigger.Ended(), LogTrigger::End::WhileWaiting);

    // Without a start condition every row passes as it came, up to the rows asked for.
    TriggerPlan counted;
    counted.mostRowsFromStart = 2;
    LogTrigger plain(counted, kChannels);
    EXPECT_EQ(Times(plain.Take(RowAt(40))), std::vector<std::int64_t> { 40 });
    EXPECT_EQ(Times(plain.Take(RowAt(80))), std::vector<std::int64_t> { 80 });
    EXPECT_EQ(plain.Ended(), LogTrigger::End::Rows);
}

// What cannot be used says which setting and why, for the windows and the command line alike.
TEST(LogTrigger, TextsThatCannotBeUsedAreNamed)
{
    const auto problemOf = [](const TriggerTexts& texts) {
        TriggerPlan plan;
        std::optional<TriggerProblem> problem = TriggerPlan::Read(texts, plan);
        if (!problem)
            problem = plan.ChannelProblem(kChannels);
        return problem ? problem->English() : std::string("none");
    };
    EXPECT_EQ(problemOf({ .startWhen = "RPM=3000" }),
        "\"RPM=3000\" is not NAME>VALUE or NAME<VALUE (for example RPM>3000)");
    EXPECT_EQ(problemOf({ .startWhen = "RPM>>3000" }),
        "\"RPM>>3000\" is not NAME>VALUE or NAME<VALUE (for example RPM>3000)");
    EXPECT_EQ(problemOf({ .stopWhen = "RPM>3k" }), "\"3k\" is not a number");
    EXPECT_EQ(problemOf({ .stopWhen = "TPS>50" }),
        "\"TPS\" is not one of the four logged channels (RPM, MAP, CTS, IAT)");
    EXPECT_EQ(problemOf({ .stopDelay = "-1" }), "\"-1\" is not a number of seconds from 0 up");
    EXPECT_EQ(problemOf({ .preTrigger = "601" }), "\"601\" is more than the 600 seconds that can be kept");
    EXPECT_EQ(problemOf({ .startWhen = " CTS < -10.5 ", .stopAfter = "60" }), "none");
}

} // namespace
