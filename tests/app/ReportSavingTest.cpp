// File > Save Report... and Reset ECU's offer to save one first, in the program's own windows over
// its link to the simulated ECU, with a log open in the log viewer.
#include "app/ReportSaving.h"
#include "viewer/LogViewerForm.h"

#include "tests/app/AnsweredDialogs.h"
#include "tests/app/SimulatedProgram.h"
#include "tests/support/UserActions.h"

#include <QFile>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

using TestReportSaving = AnsweredDialogs<ReportSaving>;

constexpr const char* kLog = "KodraPower log file\n"
                             "Time,2026-07-12 10:49:56,Temperature,C,Speed,MPH\n"
                             "Elapsed Time (ms),RPM,CTS\n"
                             "0,850,80\n"
                             "1000,3010,87\n"
                             "#marker,1,1000,misfire under load\n"
                             "2000,2140,90\n";

struct ReportProgram : SimulatedProgram {
    TestReportSaving saving { session, windows };
};

QString FileText(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

TEST(ReportSaving, ResetOffersTheReportFirstWhichHoldsTheEcuAndTheViewersLog)
{
    ReportProgram p;
    p.dashboard.show();
    p.session.Connect();
    ASSERT_TRUE(p.TickUntilLive());
    const QString log = p.dir.filePath(QStringLiteral("drive.csv"));
    QFile file(log);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(kLog) > 0);
    file.close();
    ASSERT_TRUE(p.windows.LogViewer().OpenLogAndWait(log));

    // Save Report... on the warning, then Cancel: the report is written and nothing reset.
    QSignalSpy resets(&p.session, &EcuSession::ResetFinished);
    p.saving.chosen = p.dir.filePath(QStringLiteral("before-reset.html"));
    p.dashboard.resetAnswers
        = { TDashBoardForm::ResetChoice::SaveReportFirst, TDashBoardForm::ResetChoice::Cancel };
    ChooseMenuEntry(p.dashboard, QStringLiteral("ResetECU1"));
    EXPECT_EQ(p.dashboard.confirmations.size(), 2) << "asked again once the report was written";
    // A reset asked for would go out, and be answered, before the next read.
    const int sweeps = p.session.Connection().CompletedSweeps();
    ASSERT_TRUE(p.TickUntil([&] { return p.session.Connection().CompletedSweeps() > sweeps; }));
    EXPECT_TRUE(resets.isEmpty());
    EXPECT_TRUE(p.saving.messages.isEmpty()) << p.saving.messages.join('\n').toStdString();

    const QString html = FileText(p.saving.chosen);
    for (const char* expected : { "1103", "Connected to ECU", "drive.csv", "<td>RPM</td>", "<td>850.00</td>",
             "<td>3010.00</td>", "misfire under load", "<img src=\"data:image/png;base64," })
        EXPECT_TRUE(html.contains(QLatin1String(expected))) << expected;

    // File > Save Report... as a PDF; a name of another kind is refused with a word, writing nothing.
    p.saving.chosen = p.dir.filePath(QStringLiteral("report.pdf"));
    ChooseMenuEntry(p.dashboard, QStringLiteral("SaveReport1"));
    EXPECT_TRUE(FileText(p.saving.chosen).startsWith(QLatin1String("%PDF")));
    p.saving.chosen = p.dir.filePath(QStringLiteral("report.doc"));
    ChooseMenuEntry(p.dashboard, QStringLiteral("SaveReport1"));
    EXPECT_EQ(p.saving.messages.size(), 1);
    EXPECT_FALSE(QFile::exists(p.saving.chosen));
}

} // namespace
