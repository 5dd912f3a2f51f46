// dazederir: the diagnostic program's start-up. It reads the options, creates every window once,
// in the order the program has always used, and runs the event loop until the main window closes.
#include "app/AppOptions.h"
#include "app/MainWindows.h"
#include "app/OrderlyEnd.h"
#include "app/ProgramLink.h"
#include "app/ProgramPlaces.h"
#include "app/ReportSaving.h"
#include "app/StartupProbes.h"
#include "defs/ProgramVersion.h"
#include "logger/DataLoggerForm.h"
#include "translations/ProgramLanguage.h"
#include "ui/DashboardSettings.h"
#include "ui/MakerLogo.h"
#include "ui/SessionRecordingControl.h"
#include "viewer/LogViewerForm.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QIcon>
#include <QMessageBox>
#include <QTimer>

#include <iostream>
#include <string>
#include <vector>

namespace {

constexpr int BadUsageStatus = 2;
constexpr int LogNotSavedStatus = 1;
constexpr int FileNotWrittenStatus = 4;
constexpr QSize IconSize { MakerLogoDesignSide, MakerLogoDesignSide };

// Said without stopping the start: the program is usable while the message stands.
void TellRecoveredRecordings(TDashBoardForm& dashboard, TDataLoggerForm& logger)
{
    const QString text = logger.RecoverUnfinished();
    if (text.isEmpty())
        return;
    auto* box = new QMessageBox(
        QMessageBox::Information, QApplication::applicationName(), text, QMessageBox::Ok, &dashboard);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setModal(false);
    box->show();
}

} // namespace

int main(int argc, char** argv)
{
    QElapsedTimer started;
    started.start();

    // Checked before the toolkit starts, so a bad option needs no display.
    const std::vector<std::string> args(argv + 1, argv + argc);
    const AppOptionsParse parse = ParseAppOptions(args);
    if (!parse.Ok()) {
        std::cerr << "dazederir: " << parse.error << "\nTry 'dazederir --help'.\n";
        return BadUsageStatus;
    }
    const AppOptions& options = parse.options;
    if (options.help) {
        std::cout << AppUsage();
        return 0;
    }
    if (options.version) {
        std::cout << VersionLine("dazederir");
        return 0;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromStdString(ProgramTitle()));
    QApplication::setWindowIcon(QIcon(MakerLogo(IconSize)));
    // Hidden tool windows must not keep the program alive, nor may a visible one: the program
    // ends when the main window closes, and only then.
    QApplication::setQuitOnLastWindowClosed(false);

    const ProgramPlaces places = ChooseProgramPlaces({ options.settingsDir,
        QCoreApplication::applicationDirPath(), QStringLiteral(DAZED_INSTALL_BINDIR), QDir::currentPath() });
    // The settings say the language, which must be in place before the first window is made.
    LoadedDashboardSettings dashboardSettings = LoadDashboardSettings(places.settingsFolder);
    const ProgramLanguage language(dashboardSettings.settings.language);
    ProgramLink link = MakeProgramLink(options);
    EcuSession session(link.factory);
    DescribeCable(session, link, options);
    MainWindows windows(session, std::make_unique<TDashBoardForm>(session, std::move(dashboardSettings)),
        places.settingsFolder, places.defaultLogFolder);
    TDashBoardForm& dashboard = windows.Dashboard();
    SessionRecordingControl recording(*link.recorder, session, dashboard);
    ReportSaving reportSaving(session, windows);
    if (!options.recordPath.isEmpty()) {
        if (const QString problem = recording.StartRecording(options.recordPath); !problem.isEmpty()) {
            std::cerr << "dazederir: --record: " << problem.toStdString() << "\n";
            return FileNotWrittenStatus;
        }
    }
    QObject::connect(
        &dashboard, &TDashBoardForm::Closing, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    const OrderlyEndSignals endSignals;
    QObject::connect(
        &endSignals, &OrderlyEndSignals::EndRequested, &dashboard, [&dashboard] { dashboard.close(); },
        Qt::QueuedConnection);
    const EndInOrderAtExit endAtExit([&windows, &dashboard] {
        for (const std::optional<std::string>& problem : { windows.DataLogger().FinishForExit(),
                 dashboard.WriteSettings(), windows.DataLogger().WriteSettings() }) {
            if (problem)
                std::cerr << "dazederir: " << *problem << "\n";
        }
    });

    dashboard.show();
    TellRecoveredRecordings(dashboard, windows.DataLogger());
    // A newcomer running the demonstration sees a live dashboard at once, and a replay has
    // nothing else to do.
    if (options.cable == CableKind::Simulated || options.cable == CableKind::Replay)
        session.Connect();
    if (options.startLogging) {
        windows.DataLogger().show();
        // From the event loop: a message that Start shows must not hold the loop off, or an end
        // asked for meanwhile (a signal) would find no loop to quit.
        QTimer::singleShot(0, &windows.DataLogger(), &TDataLoggerForm::StartLogging);
    }

    if (!options.openLog.isEmpty()) {
        windows.LogViewer().show();
        windows.LogViewer().OpenLog(options.openLog);
    }

    if (options.reportStartup)
        ReportFirstPaint(dashboard, started);
    if (!options.screenshots.empty())
        ScheduleScreenshots(
            dashboard, options.screenshots, options.screenshotAfterMs, AppOptions::ScreenshotSpacingMs);
    const int status = app.exec();
    // Finished here, while the windows still stand, so that a log that cannot be saved is heard of.
    if (const std::optional<std::string> problem = windows.DataLogger().FinishForExit()) {
        std::cerr << "dazederir: " << *problem << "\n";
        // Whoever closed the window is there to read it; an end by a signal must not wait for anyone.
        if (!endSignals.Received()) {
            QString text = QString::fromStdString(*problem);
            text[0] = text[0].toUpper();
            QMessageBox::warning(nullptr, QCoreApplication::applicationName(), text);
        }
        return LogNotSavedStatus;
    }
    return status;
}
