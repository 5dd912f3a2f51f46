#include "app/AppOptions.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <ostream>

namespace {

AppOptionsParse Parse(std::vector<std::string> args)
{
    return ParseAppOptions(args);
}

TEST(AppOptions, NothingSearchesForTheCableWithSettingsInTheWorkingDirectory)
{
    const AppOptionsParse parse = Parse({});
    ASSERT_TRUE(parse.Ok()) << parse.error;
    EXPECT_EQ(parse.options.cable, CableKind::Search);
    EXPECT_TRUE(parse.options.settingsDir.isEmpty());
    EXPECT_FALSE(parse.options.help);
    EXPECT_TRUE(parse.options.screenshots.empty());
}

TEST(AppOptions, SimulateTakesAnIdAndTheSimulatorOptions)
{
    AppOptionsParse parse = Parse({ "--simulate" });
    ASSERT_TRUE(parse.Ok()) << parse.error;
    EXPECT_EQ(parse.options.cable, CableKind::Simulated);
    EXPECT_EQ(parse.options.simulatedEcuId, "1103");

    parse = Parse({ "--simulate=17e2", "--sim-drop", "0.25", "--sim-id-after=3", "--sim-reset-fails" });
    ASSERT_TRUE(parse.Ok()) << parse.error;
    EXPECT_EQ(parse.options.simulatedEcuId, "17E2");
    EXPECT_DOUBLE_EQ(parse.options.simulator.dropChance, 0.25);
    EXPECT_EQ(parse.options.simulator.identifyAfter, 3);
    EXPECT_TRUE(parse.options.simulator.resetFails);
}

TEST(AppOptions, PortSettingsDirAndDebuggingAids)
{
    QTemporaryDir dir;
    const AppOptionsParse parse
        = Parse({ "--port", "/dev/pts/7", "--settings-dir=" + dir.path().toStdString(), "--screenshot",
            "a.png", "--screenshot", "b.png", "--screenshot-after", "500", "--startup-time" });
    ASSERT_TRUE(parse.Ok()) << parse.error;
    EXPECT_EQ(parse.options.cable, CableKind::Port);
    EXPECT_EQ(parse.options.portPath, "/dev/pts/7");
    EXPECT_EQ(parse.options.settingsDir, QDir(dir.path()).absolutePath());
    EXPECT_EQ(parse.options.screenshots, (std::vector<QString> { "a.png", "b.png" }));
    EXPECT_EQ(parse.options.screenshotAfterMs, 500);
    EXPECT_TRUE(parse.options.reportStartup);
    EXPECT_TRUE(Parse({ "--help" }).options.help);
}

struct BadArgs {
    std::vector<std::string> args;
    const char* named; // what the message must name
};

std::ostream& operator<<(std::ostream& out, const BadArgs& bad)
{
    for (const auto& arg : bad.args)
        out << arg << ' ';
    return out;
}

class AppBadOptions : public ::testing::TestWithParam<BadArgs> { };

TEST_P(AppBadOptions, AreRefusedWithALineNamingTheInput)
{
    const AppOptionsParse parse = ParseAppOptions(GetParam().args);
    ASSERT_FALSE(parse.Ok());
    EXPECT_NE(parse.error.find(GetParam().named), std::string::npos) << parse.error;
    EXPECT_EQ(parse.error.find('\n'), std::string::npos) << "one line";
}

INSTANTIATE_TEST_SUITE_P(Cases, AppBadOptions,
    ::testing::Values(BadArgs { { "--bogus" }, "--bogus" }, BadArgs { { "stray" }, "stray" },
        BadArgs { { "--simulate=12345" }, "12345" }, BadArgs { { "--simulate=XYZW" }, "XYZW" },
        BadArgs { { "--simulate", "--port", "/dev/ttyUSB0" }, "--port" },
        BadArgs { { "--port", "/dev/ttyUSB0", "--simulate" }, "--simulate" },
        BadArgs { { "--port" }, "--port" },
        BadArgs { { "--port", "/dev/null" }, "/dev/null is not a serial port" },
        BadArgs { { "--sim-drop", "0.5" }, "--simulate" },
        BadArgs { { "--simulate", "--sim-drop", "2" }, "--sim-drop" },
        BadArgs { { "--simulate", "--sim-bytes", "300=1" }, "300" },
        BadArgs { { "--simulate", "--sim-frobnicate" }, "--sim-frobnicate" },
        BadArgs { { "--settings-dir", "/no/such/folder" }, "/no/such/folder" },
        BadArgs { { "--screenshot-after", "soon" }, "soon" }, BadArgs { { "--screenshot" }, "--screenshot" },
        BadArgs { { "--open-log", "/no/such/log.csv" }, "/no/such/log.csv" }));

} // namespace
