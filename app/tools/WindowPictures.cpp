// dazederir-window-pictures: starts every window of the program on the simulated ECU, lets it
// run for a while with the tool windows open and the logger recording, then saves a picture of
// each window into a folder. Made for the pictures in docs/; run it under Xvfb to see the
// windows as a person would (`xvfb-run dazederir-window-pictures docs`). Then the simulated cable
// is pulled, and the dashboard, the data viewer and the actuator window are pictured again with
// the link lost. Last, the first seconds of the session, recorded as a capture, are replayed in a
// second set of windows until the capture has ended, and the dashboard is pictured then.
// `dazederir-window-pictures FOLDER LANGUAGE` shows the windows in that language ("de", "es") and
// names each picture with it (dashboard-de.png); `... FOLDER LANGUAGE dashboard,datalogger` saves
// only the pictures named (the README shows those two in German). After the first pictures,
// limits are set about the values of the moment, so that the engine speed dial is pictured in
// warning and the coolant dial in alarm (dashboard-limits.png), with the Limits window. The logger
// records with a trigger: it is pictured while it waits for the engine speed to pass 3000 rpm
// (datalogger-trigger.png), which the simulated car does when it drives off.
#include "app/AppOptions.h"
#include "app/MainWindows.h"
#include "app/ProgramLink.h"
#include "capture/CaptureSummary.h"
#include "logger/DataLoggerForm.h"
#include "translations/ProgramLanguage.h"
#include "ui/ActuatorForm.h"
#include "ui/CommsForm.h"
#include "ui/DataViewerForm.h"
#include "ui/EcuIdForm.h"
#include "ui/FaultCodesForm.h"
#include "ui/HelpBrowser.h"
#include "ui/HelpForm.h"
#include "ui/HelpWindow.h"
#include "ui/LimitsForm.h"
#include "ui/SampleRateForm.h"
#include "ui/SelDirForm.h"
#include "ui/StatusForm.h"
#include "ui/UnitsSelForm.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>

#include <cmath>
#include <memory>

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
// The capture that is replayed last: the session's first seconds.
constexpr int CaptureMs = 4000;
// The windows settle on the ended capture before the picture.
constexpr int SettleMs = 1500;
constexpr int RpmControlTest = 1;
// The simulated car idles for its first eight seconds: the logger still waits then.
constexpr int TriggerPictureMs = 6000;
// The limits pictures, taken before the others, which show the default limits again.
constexpr int LimitsSetMs = RunningMs - 2000;
constexpr int LimitsPicturesMs = RunningMs - 800;
constexpr int LimitsBackMs = RunningMs - 500;
constexpr float RpmStep = 100.0f; // limits a workshop would type
constexpr float RpmWarningShare = 0.5f; // of the engine speed of the moment
constexpr float RpmAlarmShare = 2.0f;
constexpr float CoolantAlarmBelow = 10.0f; // degrees under the coolant temperature of the moment
constexpr float CoolantWarningBelow = 20.0f;

// Limits about the values of the moment: engine speed in warning, coolant in alarm.
LimitTable LimitsForPictures(const LiveValues& values)
{
    LimitTable limits = DefaultLimits();
    const auto rpm = static_cast<float>(values.rpm);
    const auto round = [](float value) { return std::floor(value / RpmStep) * RpmStep; };
    limits["Rpm"] = { std::nullopt, std::nullopt, round(rpm * RpmWarningShare), round(rpm * RpmAlarmShare) };
    const float coolant = std::floor(values.coolantTemp);
    limits["CoolantTemp"]
        = { std::nullopt, std::nullopt, coolant - CoolantWarningBelow, coolant - CoolantAlarmBelow };
    return limits;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
    const QString languageCode = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral("en");
    const ProgramLanguage language(languageCode);
    const QString nameSuffix = language.Translated() ? QLatin1Char('-') + languageCode : QString();
    const QStringList wanted = argc > 3
        ? QString::fromLocal8Bit(argv[3]).split(QLatin1Char(','), Qt::SkipEmptyParts)
        : QStringList();
    QTemporaryDir settings; // the pictures must not depend on, nor change, anyone's settings

    AppOptions options;
    options.cable = CableKind::Simulated;
    options.settingsDir = settings.path();
    options.simulator.unplug = UnplugSchedule(PullAtSeconds, PulledForSeconds);
    ProgramLink link = MakeProgramLink(options);
    EcuSession session(link.factory);
    MainWindows windows(session, std::make_unique<TDashBoardForm>(session, settings.path()), settings.path());

    windows.Dashboard().show();
    const QString capture = settings.filePath(QStringLiteral("first-seconds.capture"));
    link.recorder->Start(capture.toStdString());
    session.Connect();
    QTimer::singleShot(CaptureMs, &app, [&link] { link.recorder->Stop(); });

    TDataLoggerForm& logger = windows.DataLogger();
    logger.SetLogPath(settings.path());
    auto* timeBase = logger.findChild<QComboBox*>(QStringLiteral("GrT_Sel_T_Combo"));
    // Chosen from the list, as a user would.
    const int fastest = timeBase->findText(QString::fromLatin1(FastestTimeBase));
    timeBase->setCurrentIndex(fastest);
    emit timeBase->activated(fastest);
    logger.show();
    if (const std::optional<TriggerProblem> problem = logger.SetTrigger({ .startWhen = "RPM > 3000",
            .stopWhen = {},
            .stopDelay = {},
            .preTrigger = "5",
            .stopAfter = {} })) {
        std::fprintf(stderr, "the trigger was refused: %s\n", problem->English().c_str());
        return 1;
    }
    logger.StartLogging();

    windows.Actuator().SelectTest(RpmControlTest);
    // The page made from the ECU tables, which shows the most of what the help window does.
    windows.HelpContents().Browser().setSource(
        HelpBrowser::ContentsUrl().resolved(QUrl(QStringLiteral("ecus.html"))));
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
        { &windows.HelpContents(), "helpcontents" },
    };
    for (const auto& [window, name] : pictures)
        window->show();

    int failures = 0;
    const auto save = [&folder, &failures, &nameSuffix, &wanted](QWidget* window, const QString& name) {
        if (!wanted.isEmpty() && !wanted.contains(name))
            return;
        const QString file = folder.filePath(name + nameSuffix + QStringLiteral(".png"));
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
    QTimer::singleShot(TriggerPictureMs, &app, [&] { save(&logger, QStringLiteral("datalogger-trigger")); });
    QTimer::singleShot(LimitsSetMs, &app, [&] {
        windows.Dashboard().SetLimits(LimitsForPictures(session.Queries().Values()));
        windows.Dashboard().ToolWindowAction(TDashBoardForm::ToolWindow::Limits)->trigger();
    });
    QTimer::singleShot(LimitsBackMs, &app, [&] { windows.Dashboard().SetLimits(DefaultLimits()); });
    QTimer::singleShot(LimitsPicturesMs, &app, [&] {
        save(&windows.Dashboard(), QStringLiteral("dashboard-limits"));
        save(&windows.Limits(), QStringLiteral("limits"));
        windows.Limits().hide();
    });
    // The replay of the capture, in windows of its own once the first ones are pictured.
    QTemporaryDir replaySettings;
    AppOptions replayOptions;
    replayOptions.cable = CableKind::Replay;
    replayOptions.replayPath = capture;
    std::unique_ptr<ProgramLink> replayLink;
    std::unique_ptr<EcuSession> replaySession;
    std::unique_ptr<MainWindows> replayWindows;
    const auto replay = [&] {
        CaptureScan scan = ScanCaptureFile(capture.toStdString());
        if (!scan.source) {
            std::fprintf(stderr, "could not read the capture: %s\n", scan.error.c_str());
            QCoreApplication::exit(1);
            return;
        }
        replayOptions.replay = std::move(scan.source);
        replayLink = std::make_unique<ProgramLink>(MakeProgramLink(replayOptions));
        replaySession = std::make_unique<EcuSession>(replayLink->factory);
        DescribeCable(*replaySession, *replayLink, replayOptions);
        replayWindows = std::make_unique<MainWindows>(*replaySession,
            std::make_unique<TDashBoardForm>(*replaySession, replaySettings.path()), replaySettings.path());
        QObject::connect(
            replaySession.get(), &EcuSession::StateChanged, &app, [&](const SessionState& state) {
                if (state.stage != SessionStage::CaptureEnded)
                    return;
                QTimer::singleShot(SettleMs, &app, [&] {
                    save(&replayWindows->Dashboard(), QStringLiteral("dashboard-captureended"));
                    QCoreApplication::exit(failures == 0 ? 0 : 1);
                });
            });
        replayWindows->Dashboard().show();
        replaySession->Connect();
    };
    QTimer::singleShot(LinkLostPicturesMs, &app, [&] {
        save(&windows.Dashboard(), QStringLiteral("dashboard-linklost"));
        save(&windows.DataViewer(), QStringLiteral("dataviewer-linklost"));
        save(&windows.Actuator(), QStringLiteral("actuator-linklost"));
        for (const auto& [window, name] : pictures)
            window->hide();
        replay();
    });
    const int status = app.exec();
    // The replay's windows go before their session.
    replayWindows.reset();
    replaySession.reset();
    return status;
}
