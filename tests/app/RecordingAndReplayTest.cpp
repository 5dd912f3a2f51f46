// The data logger and the log viewer over one session: a log replayed while the car is recorded
// would be written into the car's log as if the car had said it.
#include "logger/DataLoggerForm.h"
#include "viewer/LogViewerForm.h"

#include "tests/actuator/CapturingForm.h"
#include "tests/dashboard/DashboardRig.h"
#include "tests/support/FileBytes.h"
#include "tests/support/UserActions.h"

#include <QCheckBox>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

std::string FileText(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

TEST(RecordingAndReplay, NeitherBeginsWhileTheOtherRunsSoTheLogHoldsOnlyTheCar)
{
    DashboardRig rig;
    rig.Identify("1103");
    rig.PollUntilLive();
    QTemporaryDir dir;
    Capturing<TDataLoggerForm> logger(*rig.session, dir.path(), dir.path());
    logger.SetLogPath(dir.path());
    Capturing<TLogViewerForm> viewer(*rig.session);
    const QString oldLog = dir.filePath(QStringLiteral("old.csv"));
    // An older drive whose engine speed the car does not have now.
    WriteFileBytes(oldLog.toStdString(), "Time (ms),RPM,CTS\n0,3417,76\n500,3417,76\n1000,3417,76\n");
    ASSERT_TRUE(viewer.OpenLogAndWait(oldLog));
    viewer.show();

    logger.findChild<QCheckBox*>(QStringLiteral("SaveDataCB"))->setChecked(true);
    logger.StartLogging();
    ASSERT_TRUE(logger.IsLogging());
    ClickButton(viewer, QStringLiteral("PlayButton"));
    EXPECT_FALSE(rig.session->IsReplaying());
    ASSERT_EQ(viewer.messages.size(), 1);
    EXPECT_TRUE(viewer.messages[0].contains(QLatin1String("recording"))) << viewer.messages[0].toStdString();
    for (int row = 0; row < 3; ++row) {
        rig.Tick(4);
        TickTimer(logger, QStringLiteral("LogTimer1"));
    }
    logger.StopLogging();
    const std::string saved = FileText(dir.filePath(QStringLiteral("kodralog.csv")).toStdString());
    EXPECT_EQ(saved.find("3417"), std::string::npos) << saved;

    ClickButton(viewer, QStringLiteral("PlayButton"));
    ASSERT_TRUE(rig.session->IsReplaying());
    logger.StartLogging();
    EXPECT_FALSE(logger.IsLogging());
    ASSERT_EQ(logger.messages.size(), 1);
    EXPECT_TRUE(logger.messages[0].contains(QLatin1String("End Replay"))) << logger.messages[0].toStdString();

    ClickButton(viewer, QStringLiteral("EndReplayButton"));
    logger.StartLogging();
    EXPECT_TRUE(logger.IsLogging());
    logger.StopLogging();
}

} // namespace
