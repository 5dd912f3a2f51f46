// dazederir-window-pictures: starts every window of the program on the simulated ECU, lets it
// run for a while with the tool windows open and the logger recording, then saves a picture of
// each window into a folder. Made for the pictures in docs/; run it under Xvfb to see the
// windows as a person would (`xvfb-run dazederir-window-pictures docs`). Then the simulated cable
// is pulled, and the dashboard and the data viewer are pictured again with the link lost.
#include "app/AppOptions.h"
#include "app/MainWindows.h"
#include "app/ProgramLink.h"
#include "logger/DataLoggerForm.h"
#include "ui/ActuatorForm.h"
#include "ui/CommsForm.h"
#include "ui/DataViewerForm.h"
#include "ui/EcuIdForm.h"
#include "ui/FaultCodesForm.h"
#include "ui/HelpForm.h"
#include "ui/SampleRateForm.h"
#include "ui/SelDirForm.h"
#include "ui/StatusForm.h"
#include "ui/UnitsSelForm.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <utility>
#include <vector>

namespace {

constexpr int RunningMs = 25000;
// The cable comes out a second after the pictures and stays out; the link is lost at the next
// scan of the link thread, the values at once.
constexpr double PullAtSeconds = 26.0;
constexpr double PulledForSeconds = 3600.0;
constexpr int LinkLostPicturesMs = 28000;
constexpr const char* FastestTimeBase = "1";
constexpr int RpmControlTest = 1;

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
    QTemporaryDir settings; // the pictures must not depend on, nor change, anyone's settings

    AppOptions options;
    options.cable = AppOptions::Cable::Simulated;
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
    // Chosen from the list, as a user would.
    const int fastest = timeBase->findText(QString::fromLatin1(FastestTimeBase));
    timeBase->setCurrentIndex(fastest);
    emit timeBase->activated(fastest);
    logger.show();
    logger.StartLogging();

    windows.Actuator().SelectTest(RpmControlTest);
    const std::vector<std::pair<QWidget*, const char*>> pictures {
        { &windows.Dashboard(), "dashboard" },
        { &logger, "datalogger" },
        { &windows.DataViewer(), "dataviewer" },
        { &windows.FaultCodes(), "faultcodes" },
        { &windows.Status(), "statusflags" },
        { &windows.EcuId(), "ecuid" },
        { &windows.Actuator(), "actuator" },
        { &windows.Comms(), "comms" },
        { &windows.SampleRate(), "samplerate" },
        { &windows.UnitsSel(), "units" },
        { &windows.SelDir(), "seldir" },
        { &windows.Help(), "help" },
    };
    for (const auto& [window, name] : pictures)
        window->show();

    int failures = 0;
    const auto save = [&folder, &failures](QWidget* window, const QString& name) {
        const QString file = folder.filePath(name + QStringLiteral(".png"));
        if (!window->grab().save(file)) {
            std::fprintf(stderr, "could not save %s\n", qPrintable(file));
            ++failures;
        }
    };
    QTimer::singleShot(RunningMs, &app, [&] {
        for (const auto& [window, name] : pictures)
            save(window, QString::fromLatin1(name));
        logger.StopLogging();
    });
    QTimer::singleShot(LinkLostPicturesMs, &app, [&] {
        save(&windows.Dashboard(), QStringLiteral("dashboard-linklost"));
        save(&windows.DataViewer(), QStringLiteral("dataviewer-linklost"));
        QCoreApplication::exit(failures == 0 ? 0 : 1);
    });
    return app.exec();
}
