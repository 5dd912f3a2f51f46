// Comms > Disconnect in the program's own windows over its link to the simulated ECU: the port is
// closed and stays so, the windows say nothing is connected, a recording goes on with empty rows,
// and Connect brings the values back.
#include "logger/DataLoggerForm.h"

#include "tests/app/SimulatedProgram.h"
#include "tests/support/UserActions.h"

#include "controls/KodraGauge.h"

#include <QCheckBox>
#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

TEST(CommsDisconnect, ClosesThePortUntilConnectAndARecordingKeepsItsRowsEmptyMeanwhile)
{
    SimulatedProgram p;
    p.dashboard.show();
    ChooseMenuEntry(p.dashboard, QStringLiteral("Connect1"));
    ASSERT_TRUE(p.TickUntilLive());
    const auto* revCounter = p.dashboard.findChild<TKodraGauge*>(QStringLiteral("RevCounter"));
    ASSERT_NE(revCounter, nullptr);
    EXPECT_TRUE(revCounter->HasValue());

    TDataLoggerForm& logger = p.windows.DataLogger();
    logger.SetLogPath(p.dir.path());
    logger.findChild<QCheckBox*>(QStringLiteral("SaveDataCB"))->setChecked(true);
    logger.StartLogging();
    ASSERT_TRUE(logger.IsLogging());
    TickTimer(logger, QStringLiteral("LogTimer1"));

    ChooseMenuEntry(p.dashboard, QStringLiteral("Disconnect1"));
    EXPECT_EQ(p.session.State().stage, SessionStage::NoCable);
    ASSERT_TRUE(p.TickUntil([&] { return !p.session.OpenPort(); })) << "the port was closed";
    const int requestsAfterClose = p.link.simulation->Counters().requests;
    for (int tick = 0; tick < 10; ++tick) { // two sample periods: long enough to ask again
        p.session.Tick();
        QTest::qWait(EcuSession::TickMs);
    }
    TickTimer(logger, QStringLiteral("LogTimer1"));
    EXPECT_EQ(p.link.simulation->Counters().requests, requestsAfterClose) << "nothing asked of the ECU";
    EXPECT_EQ(p.session.State().stage, SessionStage::NoCable) << "no connection by itself";
    EXPECT_EQ(p.dashboard.PanelText(1), QStringLiteral("Not Connected"));
    EXPECT_FALSE(revCounter->HasValue());
    EXPECT_TRUE(logger.IsLogging());

    ChooseMenuEntry(p.dashboard, QStringLiteral("Connect1"));
    ASSERT_TRUE(p.TickUntilLive());
    EXPECT_EQ(p.dashboard.PanelText(1), QStringLiteral("Connected to ECU"));
    EXPECT_TRUE(revCounter->HasValue());
    TickTimer(logger, QStringLiteral("LogTimer1"));
    logger.StopLogging();

    QFile log(p.dir.filePath(QStringLiteral("kodralog.csv")));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QStringList rows = QString::fromLatin1(log.readAll()).split(QStringLiteral("\r\n")).mid(3);
    // Each row as "v" (values), "e" (every value field empty) or "x" (anything else), in turn.
    const QRegularExpression emptyRow(QStringLiteral("^\\d+,+$"));
    const QRegularExpression valueRow(QStringLiteral("^\\d+,-?\\d"));
    QString kinds;
    for (const QString& row : rows) {
        if (valueRow.match(row).hasMatch())
            kinds += QLatin1Char('v');
        else if (emptyRow.match(row).hasMatch())
            kinds += QLatin1Char('e');
        else if (!row.isEmpty())
            kinds += QLatin1Char('x');
    }
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^v+e+v+$")).match(kinds).hasMatch())
        << kinds.toStdString() << "\n"
        << rows.join(QLatin1Char('\n')).toStdString();
}

} // namespace
