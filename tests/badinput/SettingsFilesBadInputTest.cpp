// Both settings files as a hand edit, a disk fault or another program may leave them: garbage
// lines, binary bytes, missing sections, numbers too large for an int. Each window starts with
// the defaults for what it cannot read, works, and writes its settings back without losing the
// lines it does not understand.
#include "DashboardRig.h"
#include "LoggerFormRig.h"

#include "ini/IniFile.h"
#include "logger/DataLoggerSettings.h"
#include "tests/support/FileBytes.h"
#include "ui/DashboardSettings.h"

#include <gtest/gtest.h>

namespace {

using namespace std::string_literals;

struct BadFile {
    const char* name;
    std::string text;
    std::string kept; // a part of the file that must survive the window writing its settings
};

void PrintTo(const BadFile& file, std::ostream* out)
{
    *out << file.name;
}

// ---- bin//kodradash.ini ----

class DashboardSettingsFile : public testing::TestWithParam<BadFile> { };

TEST_P(DashboardSettingsFile, GivesTheDefaultsKeepsPollingAndLosesNoLine)
{
    DashboardRig rig(GetParam().text);
    const DashboardSettings defaults;
    EXPECT_EQ(rig.form->SampleRate(), defaults.sampleRate);
    EXPECT_EQ(rig.form->pos(), QPoint(defaults.left, defaults.top));

    rig.Identify("1103");
    rig.PollRoles({ { RoleRpm, 10 } });
    rig.CloseWindow();
    // The window writes back every setting as it holds it: all of them the defaults.
    const std::string saved = rig.SettingsText();
    EXPECT_NE(saved.find(GetParam().kept), std::string::npos) << saved;
    EXPECT_EQ(ReadDashboardSettings(IniFile::FromText(saved)), defaults) << saved;
}

INSTANTIATE_TEST_SUITE_P(Files, DashboardSettingsFile,
    testing::Values(BadFile { "GarbageLines",
                        "not a settings "
                        "file\nSampleRate=200\n[Comms\nBaudRate=7812\n===\n[]\n=50\n[Display]\nTempUnits\n",
                        "not a settings file\nSampleRate=200\n[Comms\nBaudRate=7812\n" },
        BadFile { "BinaryBytes",
            "\0\xff\xfe[Comms]\x01\r\nSampleRate=\x80\x81\n\0\0[Display]\xc3\nSpeedUnits=\0KPH\n"s,
            "\0\xff\xfe[Comms]\x01\r\n"s },
        // Keys only count in their own section: these are all in the wrong one.
        BadFile { "KeysOutsideTheirSections",
            "; kept\n[Display]\nSampleRate=200\nBaudRate=7812\nFlowRate=300\n",
            "; kept\n[Display]\nSampleRate=200\n" },
        BadFile { "NumbersTooLargeForAnInt",
            "[Form]\nTop=99999999999999999999\nLeft=-99999999999\n[Comms]\nBaudRate=99999999999\n"
            // 2^32 + 50: a reading that wrapped around would take it for 50.
            "SampleRate=4294967346\n[InjFlow]\nFlowRate=4294967506\n",
            "[InjFlow]\n" }),
    [](const auto& param) { return std::string(param.param.name); });

TEST(DashboardSettingsFile, MissingSectionsTakeTheirDefaultsAndThePresentOnesAreRead)
{
    DashboardRig rig("[Form]\nTop=60\nLeft=70\n"s);
    EXPECT_EQ(rig.form->pos(), QPoint(70, 60));
    EXPECT_EQ(rig.form->SampleRate(), DashboardSettings().sampleRate);
    rig.CloseWindow();
    const DashboardSettings saved = ReadDashboardSettings(IniFile::FromText(rig.SettingsText()));
    EXPECT_EQ(saved.top, 60);
    EXPECT_EQ(saved.baudText, DashboardSettings().baudText);
}

// ---- bin//kodralog.ini ----

class LoggerSettingsFile : public testing::TestWithParam<BadFile> {
protected:
    LoggerFormRig rig;
};

TEST_P(LoggerSettingsFile, GivesTheDefaultsKeepsLoggingAndLosesNoLine)
{
    rig.WriteSettings(GetParam().text);
    rig.Recreate();
    const DataLoggerSettings defaults;
    for (int chart = 0; chart < kLoggedChannels; ++chart)
        EXPECT_EQ(rig.form->ChannelName(chart), defaults.channels[static_cast<std::size_t>(chart)]) << chart;
    EXPECT_EQ(rig.form->TimeBaseText(), defaults.timeBase);
    EXPECT_EQ(rig.form->pos(), QPoint(defaults.left, defaults.top));

    rig.PressStart();
    rig.Ticks(3);
    rig.PressStop();
    EXPECT_EQ(rig.form->Log().RowCount(), 3U);
    EXPECT_TRUE(std::filesystem::exists(rig.LogFile()));

    ASSERT_TRUE(rig.form->close());
    const std::string saved = ReadFileBytes(rig.SettingsFile());
    EXPECT_NE(saved.find(GetParam().kept), std::string::npos) << saved;
    const DataLoggerSettings reread = DataLoggerSettings::Read(IniFile::FromText(saved));
    EXPECT_EQ(reread.channels, defaults.channels);
    EXPECT_EQ(reread.timeBase, defaults.timeBase);
    EXPECT_EQ(reread.top, defaults.top);
}

INSTANTIATE_TEST_SUITE_P(Files, LoggerSettingsFile,
    testing::Values(BadFile { "GarbageLines", "garbage\nCh1=VSS\n[Log\nCh2=VE\n=\n==\n[]\nTimeBase\n",
                        "garbage\nCh1=VSS\n[Log\nCh2=VE\n" },
        BadFile { "BinaryBytes", "\0\x7f\xff[Log]\x02\r\nCh1=\xff\xfe\nTimeBase=\x80\n\0"s,
            "\0\x7f\xff[Log]\x02\r\n"s },
        BadFile { "KeysOutsideTheirSections", "; kept\n[File]\nCh1=VSS\nTimeBase=30\n[Log]\nTop=9\n",
            "; kept\n[File]\nCh1=VSS\n" },
        BadFile { "NumbersTooLargeForAnInt",
            // Address 2^32 + 1 and a time base 2^32 + 2 must not wrap around to usable values.
            "[Form]\nTop=99999999999\nLeft=-99999999999\n[Log]\nCh1=Address4294967297\nTimeBase=4294967298\n",
            "[Form]\n" }),
    [](const auto& param) { return std::string(param.param.name); });

} // namespace
