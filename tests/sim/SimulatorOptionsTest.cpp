#include "sim/SimulatorOptions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

SimulatorOptionsParse Parse(const std::vector<std::string>& args)
{
    return ParseSimulatorOptions(args);
}

TEST(SimulatorOptions, DefaultsWhenNoOptionIsGiven)
{
    const SimulatorOptionsParse parse = Parse({});
    ASSERT_TRUE(parse.Ok());
    const SimulatorSettings& s = parse.settings;
    EXPECT_EQ(s.identifyAfter, 1);
    EXPECT_EQ(s.seed, 1U);
    EXPECT_EQ(s.dropChance + s.corruptChance + s.cutChance + s.noiseChance, 0.0);
    EXPECT_FALSE(s.resetFails);
    EXPECT_FALSE(s.pace);
    EXPECT_FALSE(s.unplug.has_value());
    for (const auto& fixed : s.fixedBytes)
        EXPECT_FALSE(fixed.has_value());
}

TEST(SimulatorOptions, EveryOptionInBothSpellings)
{
    const SimulatorOptionsParse parse = Parse({ "--sim-bytes", "5=0x7F,0x10=200,255=0", "--sim-id-after=3",
        "--sim-drop", "0.25", "--sim-corrupt=1", "--sim-cut", "0", "--sim-noise=.5", "--sim-reset-fails",
        "--sim-unplug", "2.5:0.5", "--sim-pace", "--sim-seed=4294967295" });
    ASSERT_TRUE(parse.Ok()) << parse.error;
    EXPECT_TRUE(parse.rest.empty());
    const SimulatorSettings& s = parse.settings;
    EXPECT_EQ(s.fixedBytes[5], 0x7F);
    EXPECT_EQ(s.fixedBytes[16], 200);
    EXPECT_EQ(s.fixedBytes[255], 0);
    EXPECT_FALSE(s.fixedBytes[6].has_value());
    EXPECT_EQ(s.identifyAfter, 3);
    EXPECT_DOUBLE_EQ(s.dropChance, 0.25);
    EXPECT_DOUBLE_EQ(s.corruptChance, 1.0);
    EXPECT_DOUBLE_EQ(s.cutChance, 0.0);
    EXPECT_DOUBLE_EQ(s.noiseChance, 0.5);
    EXPECT_TRUE(s.resetFails);
    ASSERT_TRUE(s.unplug.has_value());
    EXPECT_DOUBLE_EQ(s.unplug->Every(), 2.5);
    EXPECT_DOUBLE_EQ(s.unplug->Out(), 0.5);
    EXPECT_TRUE(s.pace);
    EXPECT_EQ(s.seed, 4294967295U);
}

TEST(SimulatorOptions, OtherOptionsAreLeftInOrder)
{
    const SimulatorOptionsParse parse
        = Parse({ "--port", "/dev/pts/3", "--sim-drop", "0.1", "values", "--sweeps", "4", "--sim-pace" });
    ASSERT_TRUE(parse.Ok()) << parse.error;
    EXPECT_EQ(parse.rest, (std::vector<std::string> { "--port", "/dev/pts/3", "values", "--sweeps", "4" }));
    EXPECT_DOUBLE_EQ(parse.settings.dropChance, 0.1);
    EXPECT_TRUE(parse.settings.pace);
}

TEST(SimulatorOptions, SingleOptionStepForAnotherProgramsParser)
{
    const std::vector<std::string> args { "--json", "--sim-seed", "7", "--sim-drop", "2" };
    SimulatorSettings settings;
    std::string error;
    std::size_t index = 0;
    EXPECT_EQ(TakeSimulatorOption(args, index, settings, error), SimOptionOutcome::NotSimulatorOption);
    EXPECT_EQ(index, 0U);
    index = 1;
    EXPECT_EQ(TakeSimulatorOption(args, index, settings, error), SimOptionOutcome::Taken);
    EXPECT_EQ(index, 3U);
    EXPECT_EQ(settings.seed, 7U);
    EXPECT_EQ(TakeSimulatorOption(args, index, settings, error), SimOptionOutcome::Failed);
    EXPECT_EQ(error, "--sim-drop: 2 is out of range 0..1");
    EXPECT_DOUBLE_EQ(settings.dropChance, 0.0);
}

TEST(SimulatorOptions, LaterRepeatsOverrideAndByteListsAccumulate)
{
    const SimulatorOptionsParse parse
        = Parse({ "--sim-seed", "3", "--sim-seed", "9", "--sim-bytes", "1=1,2=2", "--sim-bytes", "2=5" });
    ASSERT_TRUE(parse.Ok()) << parse.error;
    EXPECT_EQ(parse.settings.seed, 9U);
    EXPECT_EQ(parse.settings.fixedBytes[1], 1);
    EXPECT_EQ(parse.settings.fixedBytes[2], 5);
}

struct BadOption {
    std::vector<std::string> args;
    std::string error;
};

void PrintTo(const BadOption& c, std::ostream* os)
{
    for (const auto& arg : c.args)
        *os << arg << " ";
}

class SimulatorOptionsRejected : public testing::TestWithParam<BadOption> { };

TEST_P(SimulatorOptionsRejected, WithAnErrorNamingTheInput)
{
    const SimulatorOptionsParse parse = Parse(GetParam().args);
    EXPECT_FALSE(parse.Ok());
    EXPECT_EQ(parse.error, GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(BadValues, SimulatorOptionsRejected,
    testing::Values(
        // clang-format off
        BadOption { { "--sim-bytes", "300=1" },        "--sim-bytes: address 300 is out of range 0..255" },
        BadOption { { "--sim-bytes", "0x100=1" },      "--sim-bytes: address 0x100 is out of range 0..255" },
        BadOption { { "--sim-bytes", "1=256" },        "--sim-bytes: value 256 is out of range 0..255" },
        BadOption { { "--sim-bytes", "0x1G=1" },       "--sim-bytes: address \"0x1G\" is not a number" },
        BadOption { { "--sim-bytes", "1=0x1G" },       "--sim-bytes: value \"0x1G\" is not a number" },
        BadOption { { "--sim-bytes", "1=-1" },         "--sim-bytes: value \"-1\" is not a number" },
        BadOption { { "--sim-bytes", "1=0x" },         "--sim-bytes: value \"0x\" is not a number" },
        BadOption { { "--sim-bytes", "7" },            "--sim-bytes: \"7\" is not of the form A=V" },
        BadOption { { "--sim-bytes", "1=2,,3=4" },     "--sim-bytes: empty entry in \"1=2,,3=4\"" },
        BadOption { { "--sim-bytes", "1=2," },         "--sim-bytes: empty entry in \"1=2,\"" },
        BadOption { { "--sim-bytes", "99999999999999999999999=1" },
                    "--sim-bytes: address 99999999999999999999999 is out of range 0..255" },
        BadOption { { "--sim-bytes" },                 "--sim-bytes: missing value" },
        BadOption { { "--sim-id-after", "0" },         "--sim-id-after: 0 is out of range 1..2147483647" },
        BadOption { { "--sim-id-after", "two" },       "--sim-id-after: \"two\" is not a whole number" },
        BadOption { { "--sim-id-after", "1.5" },       "--sim-id-after: \"1.5\" is not a whole number" },
        BadOption { { "--sim-drop", "1.5" },           "--sim-drop: 1.5 is out of range 0..1" },
        BadOption { { "--sim-corrupt", "-0.1" },       "--sim-corrupt: -0.1 is out of range 0..1" },
        BadOption { { "--sim-cut", "nan" },            "--sim-cut: \"nan\" is not a number" },
        BadOption { { "--sim-noise", "0.5x" },         "--sim-noise: \"0.5x\" is not a number" },
        BadOption { { "--sim-noise=" },                "--sim-noise: \"\" is not a number" },
        BadOption { { "--sim-unplug", "5" },           "--sim-unplug: \"5\" is not of the form EVERY:FOR" },
        BadOption { { "--sim-unplug", "5:" },          "--sim-unplug: FOR \"\" is not a number" },
        BadOption { { "--sim-unplug", "a:1" },         "--sim-unplug: EVERY \"a\" is not a number" },
        BadOption { { "--sim-unplug", "0:0.5" },       "--sim-unplug: EVERY 0 must be above 0" },
        BadOption { { "--sim-unplug", "5:-1" },        "--sim-unplug: FOR -1 must be above 0" },
        BadOption { { "--sim-unplug", "5:1:2" },       "--sim-unplug: FOR \"1:2\" is not a number" },
        BadOption { { "--sim-unplug", "1:1" },         "--sim-unplug: FOR 1 must be shorter than EVERY 1" },
        BadOption { { "--sim-unplug", "1e19:1" },      "--sim-unplug: EVERY 1e19 must be from 0.001 to 86400 seconds (a day)" },
        BadOption { { "--sim-unplug", "5:1e-9" },      "--sim-unplug: FOR 1e-9 must be from 0.001 to 86400 seconds (a day)" },
        BadOption { { "--sim-seed", "-1" },            "--sim-seed: \"-1\" is not a whole number" },
        BadOption { { "--sim-seed", "4294967296" },    "--sim-seed: 4294967296 is out of range 0..4294967295" },
        BadOption { { "--sim-pace=1" },                "--sim-pace: takes no value" },
        BadOption { { "--sim-dorp", "0.5" },           "--sim-dorp: unknown simulator option" } // clang-format on
        ));

TEST(SimulatorOptions, BadByteListChangesNoByte)
{
    SimulatorSettings settings;
    const std::vector<std::string> args { "--sim-bytes", "1=1,2=300" };
    std::string error;
    std::size_t index = 0;
    EXPECT_EQ(TakeSimulatorOption(args, index, settings, error), SimOptionOutcome::Failed);
    EXPECT_FALSE(settings.fixedBytes[1].has_value());
}

TEST(SimulatorOptions, EcuIdMustBeFourHexDigits)
{
    EXPECT_EQ(NormalizedEcuId("1103"), "1103");
    EXPECT_EQ(NormalizedEcuId("17e2"), "17E2");
    EXPECT_EQ(NormalizedEcuId("ABCD"), "ABCD");
    for (const char* bad : { "", "110", "11033", "11G3", " 110", "0x11" })
        EXPECT_FALSE(NormalizedEcuId(bad).has_value()) << bad;
}

} // namespace
