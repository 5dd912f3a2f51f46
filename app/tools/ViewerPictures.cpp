// dazederir-viewer-pictures: records a log with every value on the simulated ECU, with the cable
// pulled for a while (a gap) and two moments marked, opens it in the log viewer with three channels and both
// cursors set, exports its picture, then replays it through the dashboard; saves a picture of each into a
// folder. Made for the pictures in docs/ (`xvfb-run dazederir-viewer-pictures docs`).
#include "app/AppOptions.h"
#include "app/MainWindows.h"
#include "app/ProgramLink.h"
#include "logger/DataLoggerForm.h"
#include "ui/DataViewerForm.h"
#include "viewer/LogViewerForm.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest/QTest>
#include <qcustomplot.h>

#include <cstdio>

namespace {

constexpr int RecordingMs = 16000;
// The cable is out from 9 s to 11 s of the recording (and next at 18 s, after it): the rows keep
// their times, without values, until the ECU is identified again.
constexpr double PullAtSeconds = 9.0;
constexpr double PulledForSeconds = 2.0;
constexpr const char* FastestTimeBase = "1";
constexpr double CursorASeconds = 3.0;
constexpr double CursorBSeconds = 14.0;
constexpr double MouseSeconds = 10.0;
constexpr int ReplayingMs = 4000;
// Moments marked while recording, as a technician presses M and types a note.
constexpr int FirstMarkerMs = 5000;
constexpr int SecondMarkerMs = 12500;

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
    QTemporaryDir settings;

    AppOptions options;
    options.cable = CableKind::Simulated;
    options.settingsDir = settings.path();
    options.simulator.unplug = UnplugSchedule(PullAtSeconds, PulledForSeconds);
    ProgramLink link = MakeProgramLink(options);
    EcuSession session(link.factory);
    MainWindows windows(session, std::make_unique<TDashBoardForm>(session, settings.path()), settings.path());
    windows.Dashboard().show();
    session.Connect();

    TDataLoggerForm& logger = windows.DataLogger();
    logger.SetLogPath(settings.path());
    auto* timeBase = logger.findChild<QComboBox*>(QStringLiteral("GrT_Sel_T_Combo"));
    const int fastest = timeBase->findText(QString::fromLatin1(FastestTimeBase));
    timeBase->setCurrentIndex(fastest);
    emit timeBase->activated(fastest);
    logger.findChild<QCheckBox*>(QStringLiteral("AllValuesCB"))->setChecked(true);
    logger.StartLogging();

    int failures = 0;
    const auto save = [&folder, &failures](QWidget* window, const QString& name) {
        const QString file = folder.filePath(name + QStringLiteral(".png"));
        if (!window->grab().save(file)) {
            std::fprintf(stderr, "could not save %s\n", qPrintable(file));
            ++failures;
        }
    };
    QTimer::singleShot(
        FirstMarkerMs, &logger, [&logger] { logger.AddMarker(QStringLiteral("stumble at 3000 rpm")); });
    QTimer::singleShot(
        SecondMarkerMs, &logger, [&logger] { logger.AddMarker(QStringLiteral("cable back")); });
    TLogViewerForm& viewer = windows.LogViewer();
    QTimer::singleShot(RecordingMs, &app, [&] {
        logger.StopLogging();
        viewer.show();
        if (!viewer.OpenLogAndWait(QDir(settings.path()).filePath(QStringLiteral("kodralog.csv"))))
            ++failures;
        viewer.ShowChannels(
            { QStringLiteral("RPM"), QStringLiteral("CTS"), QStringLiteral("Batt Volts*10") });
        viewer.SetCursorA(CursorASeconds);
        viewer.SetCursorB(CursorBSeconds);
        QCustomPlot* plot = viewer.Plot();
        plot->replot();
        const QCPAxisRect* rect = plot->axisRect(0);
        QTest::mouseMove(plot,
            QPoint(static_cast<int>(rect->axis(QCPAxis::atBottom)->coordToPixel(MouseSeconds)),
                rect->center().y()));
        plot->replot();
        save(&viewer, QStringLiteral("logviewer"));
        if (!viewer.ExportPng(folder.filePath(QStringLiteral("logviewer-export.png"))))
            ++failures;
        viewer.findChild<QPushButton*>(QStringLiteral("PlayButton"))->click();
        windows.DataViewer().show();
    });
    QTimer::singleShot(RecordingMs + ReplayingMs, &app, [&] {
        save(&windows.Dashboard(), QStringLiteral("dashboard-replay"));
        save(&windows.DataViewer(), QStringLiteral("dataviewer-replay"));
        QCoreApplication::exit(failures == 0 ? 0 : 1);
    });
    return app.exec();
}
