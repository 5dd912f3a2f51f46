#include "logger/DataLoggerSettings.h"
#include "LoggerFormRig.h"
#include "ini/IniFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class DataLoggerSettingsTest : public ::testing::Test {
protected:
    LoggerFormRig rig;
};

TEST_F(DataLoggerSettingsTest, ReadAtCreationAndWrittenBackWhenClosed)
{
    rig.WriteSettings("; kept\n[Form]\nTop=120\nLeft=130\nInitMax=1\n[File]\nFile Path=/logs/car\n"
                      "[Log]\nCh1=VSS\nCh2=Address7\nCh3=EGR Temp\nCh4=Batt Volts*10\nTimeBase=30\n");
    rig.Recreate(false);
    EXPECT_EQ(rig.form->pos(), QPoint(130, 120));
    EXPECT_TRUE(rig.form->isMaximized());
    EXPECT_EQ(rig.form->LogFilePath(), "/logs/car");
    EXPECT_EQ(rig.form->ChannelName(1), "Address7");
    EXPECT_EQ(rig.Combo("Ch3_Sel_Combo").currentText(), "EGR Temp");
    EXPECT_EQ(rig.Combo("GrT_Sel_T_Combo").currentText(), "30");
    EXPECT_EQ(rig.form->PanelText(0), "Sample interval: 1200ms");

    rig.form->setWindowState(Qt::WindowNoState);
    rig.form->move(140, 150);
    rig.form->SetLogPath("/data/other dir");
    rig.Type("Ch4_Sel_Combo", "IAC Adj Mon");
    rig.Type("GrT_Sel_T_Combo", "5");
    EXPECT_TRUE(rig.form->close());

    const IniFile saved = IniFile::FromText(ReadFileBytes(rig.SettingsFile()));
    EXPECT_TRUE(saved.Text().starts_with("; kept\n"));
    EXPECT_EQ(saved.Value("Form", "Top"), "150");
    EXPECT_EQ(saved.Value("Form", "Left"), "140");
    EXPECT_EQ(saved.Value("Form", "InitMax"), "0");
    EXPECT_EQ(saved.Value("File", "File Path"), "/data/other dir");
    EXPECT_EQ(saved.Value("Log", "Ch1"), "VSS");
    EXPECT_EQ(saved.Value("Log", "Ch2"), "Address7");
    EXPECT_EQ(saved.Value("Log", "Ch4"), "IAC Adj Mon");
    EXPECT_EQ(saved.Value("Log", "TimeBase"), "5");

    rig.Recreate(false);
    EXPECT_EQ(rig.form->LogFilePath(), "/data/other dir");
    EXPECT_EQ(rig.form->pos(), QPoint(140, 150));
    EXPECT_EQ(rig.form->ChannelName(3), "IAC Adj Mon");
    EXPECT_EQ(rig.form->SampleInterval(), 200);
}

TEST_F(DataLoggerSettingsTest, ValuesTheWindowWouldRefuseGiveTheDefaults)
{
    rig.WriteSettings("[Form]\nTop=high\n[Log]\nCh1=Address99\nCh2=A,B\nCh3=IAT\nTimeBase=0\n");
    const DataLoggerSettings settings
        = DataLoggerSettings::Read(IniFile::FromText(ReadFileBytes(rig.SettingsFile())));
    EXPECT_EQ(settings.top, 50);
    EXPECT_EQ(settings.channels[0], "RPM");
    EXPECT_EQ(settings.channels[1], "MAP");
    EXPECT_EQ(settings.channels[2], "IAT");
    EXPECT_EQ(settings.timeBase, "10");
}

TEST_F(DataLoggerSettingsTest, MissingFolderIsCreatedAndAFailureIsReportedOnce)
{
    ASSERT_FALSE(std::filesystem::exists(rig.SettingsFile().parent_path()));
    rig.form->close();
    EXPECT_TRUE(std::filesystem::exists(rig.SettingsFile()));
    EXPECT_TRUE(rig.form->messages.isEmpty());

    std::filesystem::remove_all(rig.SettingsFile().parent_path());
    QFile blocker(QString::fromStdString(rig.SettingsFile().parent_path().string()));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly)); // "bin" is a file: no folder can be made
    blocker.close();
    // Never opened, as when the program ends: no message box for a window the user did not use.
    rig.form->close();
    EXPECT_TRUE(rig.form->messages.isEmpty());
    rig.form->show();
    rig.form->close();
    rig.form->close();
    ASSERT_EQ(rig.form->messages.size(), 1);
    EXPECT_TRUE(rig.form->messages.front().contains("kodralog.ini"));
}

// The rows go to disk from the first one, so the folder is made when the first recording starts;
// before it, the window already names the file there, not one in the working directory.
TEST(DataLoggerDefaultFolder, IsTheLogFolderUntilAnotherIsChosenAndMadeByTheFirstRecording)
{
    FakeEcuQueries ecu;
    QTemporaryDir home;
    const QString logs = home.filePath(QStringLiteral("Documents/DazedErir"));
    RecordingLoggerForm form(ecu, home.filePath(QStringLiteral("config")), logs);
    EXPECT_EQ(form.LogFilePath(), logs);
    EXPECT_FALSE(QFileInfo::exists(logs));
    EXPECT_EQ(form.PanelText(1),
        "Output file:    " + QDir(logs).filePath(QString::fromLatin1(DataLog::kLogFileName)));
    ClickButton(form, QStringLiteral("DL_Start_Button"));
    TickTimer(form, QStringLiteral("LogTimer1"));
    EXPECT_TRUE(QFileInfo::exists(logs));
    ClickButton(form, QStringLiteral("DL_Stop_Button"));
    EXPECT_TRUE(QFileInfo::exists(QDir(logs).filePath(QString::fromLatin1(DataLog::kLogFileName))))
        << form.messages.join(' ').toStdString();
}

} // namespace
