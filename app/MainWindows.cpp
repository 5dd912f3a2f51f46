#include "app/MainWindows.h"

#include "defs/EcuIdentification.h"
#include "link/EcuConnectionListener.h"
#include "locale/ConnectionTexts.h"
#include "logfile/ChannelTables.h"
#include "logger/DataLoggerForm.h"
#include "ui/ActuatorForm.h"
#include "ui/CommsForm.h"
#include "ui/DataViewerForm.h"
#include "ui/EcuIdForm.h"
#include "ui/FaultCodesForm.h"
#include "ui/HelpForm.h"
#include "ui/HelpWindow.h"
#include "ui/LimitsForm.h"
#include "ui/SampleRateForm.h"
#include "ui/SelDirForm.h"
#include "ui/StatusForm.h"
#include "ui/UnitsSelForm.h"
#include "viewer/LogViewerForm.h"

#include <QAction>
#include <QFileInfo>

namespace {

// The display modes of the data viewer and the data logger.
constexpr int FormattedMode = 1;
constexpr int RawMode = 0;
// Their status panels that the main window writes.
constexpr int SampleRatePanel = 2;
constexpr int RxErrorsPanel = 3;

} // namespace

MainWindows::MainWindows(EcuSession& session, std::unique_ptr<TDashBoardForm> dashboard,
    const QString& settingsFolder, const QString& defaultLogFolder)
    : m_session(session)
    , m_dashboard(std::move(dashboard))
{
    m_dataLogger = std::make_unique<TDataLoggerForm>(m_session, settingsFolder, defaultLogFolder);
    m_dataViewer = std::make_unique<TDataViewerForm>(m_session);
    m_unitsSel = std::make_unique<TUnitsSelForm>();
    m_faultCodes = std::make_unique<TFaultCodesForm>(m_session);
    m_sampleRate = std::make_unique<TSampleRateForm>();
    m_selDir = std::make_unique<TSelDirForm>();
    m_status = std::make_unique<TStatusForm>(m_session);
    m_actuator = std::make_unique<TActuatorForm>(m_session);
    m_help = std::make_unique<THelpForm>();
    m_helpContents = std::make_unique<HelpWindow>();
    m_ecuId = std::make_unique<TECUIDForm>();
    m_comms = std::make_unique<TCommsForm>();

    RegisterToolWindows();
    WireIdentification();
    WireRequests();
    WireDialogs();
    WireReplay();
}

MainWindows::~MainWindows()
{
    // The tool windows go before the main window, as they came after it.
    m_logViewer.reset();
    m_limits.reset();
    m_comms.reset();
    m_ecuId.reset();
    m_helpContents.reset();
    m_help.reset();
    m_actuator.reset();
    m_status.reset();
    m_selDir.reset();
    m_sampleRate.reset();
    m_faultCodes.reset();
    m_unitsSel.reset();
    m_dataViewer.reset();
    m_dataLogger.reset();
}

void MainWindows::RegisterToolWindows()
{
    using W = TDashBoardForm::ToolWindow;
    TDashBoardForm& dash = *m_dashboard;
    dash.SetToolWindow(W::DataViewer, m_dataViewer.get());
    dash.SetToolWindow(W::DataLogger, m_dataLogger.get());
    dash.SetToolWindow(W::FaultCodes, m_faultCodes.get());
    dash.SetToolWindow(W::StatusFlags, m_status.get());
    dash.SetToolWindow(W::Controls, m_actuator.get());
    dash.SetToolWindow(W::EcuId, m_ecuId.get());
    dash.SetToolWindow(W::Comms, m_comms.get());
    dash.SetToolWindow(W::SampleRate, m_sampleRate.get());
    dash.SetToolWindow(W::Units, m_unitsSel.get());
    dash.SetToolWindowMaker(W::Limits, [this] { return &Limits(); });
    dash.SetToolWindow(W::Help, m_help.get());
    dash.SetToolWindow(W::HelpContents, m_helpContents.get());
    dash.SetToolWindowMaker(W::LogViewer, [this] { return &LogViewer(); });
}

TLimitsForm& MainWindows::Limits()
{
    // Made when first needed, as the log viewer is: its table of every value costs start-up time.
    if (!m_limits) {
        m_limits = std::make_unique<TLimitsForm>();
        QObject::connect(
            m_limits.get(), &TLimitsForm::LimitsChosen, m_dashboard.get(), &TDashBoardForm::SetLimits);
    }
    return *m_limits;
}

TLogViewerForm& MainWindows::LogViewer()
{
    if (!m_logViewer)
        m_logViewer = std::make_unique<TLogViewerForm>(m_session);
    return *m_logViewer;
}

void MainWindows::WireIdentification()
{
    EcuSession* session = &m_session;
    // After the main window's own subscription, made when it was built: its set-up for the ECU
    // and its message come first.
    QObject::connect(session, &EcuSession::EcuIdentified, m_dataViewer.get(),
        [this](const IdentifiedEcu& ecu) { OnEcuIdentified(ecu); });
    QObject::connect(session, &EcuSession::RxErrorCountChanged, m_dataViewer.get(),
        [viewer = m_dataViewer.get()](
            int count) { viewer->SetStatusText(RxErrorsPanel, RxErrorsText(count)); });
    // The viewer shows the period in force from the start and follows every change of it; in fast
    // polling, as the main window does, the rate measured instead.
    const auto fastPolling
        = [this] { return m_session.Connection().GetPollMode() == EcuConnection::PollMode::Fast; };
    m_dataViewer->SetStatusText(SampleRatePanel,
        fastPolling() ? FastPollRateText(0) : SampleRateText(m_session.Connection().SampleRate()));
    QObject::connect(session, &EcuSession::SampleRateChanged, m_dataViewer.get(),
        [viewer = m_dataViewer.get(), fastPolling](int ms) {
            if (!fastPolling())
                viewer->SetStatusText(SampleRatePanel, SampleRateText(ms));
        });
    QObject::connect(session, &EcuSession::SweepRateMeasured, m_dataViewer.get(),
        [viewer = m_dataViewer.get()](
            double perSecond) { viewer->SetStatusText(SampleRatePanel, FastPollRateText(perSecond)); });
    // Fast polling reads the bytes of the logger's channels first; the channels are looked at
    // again each time the rate is reported, which fast polling alone does.
    QObject::connect(
        session, &EcuSession::SweepRateMeasured, m_dataLogger.get(), [this] { FollowLoggedChannels(); });
    // The logger's fastest time base takes its rows as the session reads the channels again.
    QObject::connect(
        session, &EcuSession::PriorityValuesRead, m_dataLogger.get(), &TDataLoggerForm::PriorityValuesRead);
    m_dataLogger->SetFastPolling(m_dashboard->FastPolling());
}

void MainWindows::FollowLoggedChannels()
{
    LogChannelNames channels;
    for (std::size_t chart = 0; chart < channels.size(); ++chart)
        channels[chart] = m_dataLogger->ChannelName(static_cast<int>(chart)).toStdString();
    if (channels == m_priorityChannels)
        return;
    m_priorityChannels = channels;
    m_session.SetPollPriority(LoggedBytesOf(channels));
}

void MainWindows::OnEcuIdentified(const IdentifiedEcu& ecu)
{
    const QString ecuId = QString::fromStdString(ecu.ecuId);
    const EcuSupport support = ecu.support;
    // An OBD2 unit leaves both as they were.
    if (support != SupportObd2) {
        const int mode = support == SupportFull ? FormattedMode : RawMode;
        m_dataViewer->SetDisplayMode(mode);
        m_dataLogger->SetDisplayMode(mode);
    }
    m_faultCodes->SetEcu(ecuId);
    m_status->SetEcu(ecuId);
    m_actuator->EnableTests(ecu.featureFlags & EcuFeatureMask);
    m_ecuId->ShowEcuId(ecuId);
}

void MainWindows::WireRequests()
{
    TDashBoardForm* dash = m_dashboard.get();
    QObject::connect(
        m_actuator.get(), &TActuatorForm::ActuatorRequested, &m_session, &EcuSession::RequestActuator);
    QObject::connect(
        &m_session, &EcuSession::ActuatorReplied, m_actuator.get(), &TActuatorForm::ActuatorReply);
    // Exit in a tool window ends the program as the main window's own Exit does.
    QObject::connect(m_dataViewer.get(), &TDataViewerForm::ExitRequested, dash, &QWidget::close);
    QObject::connect(m_dataLogger.get(), &TDataLoggerForm::ExitRequested, dash, &QWidget::close);
}

void MainWindows::WireDialogs()
{
    TDashBoardForm* dash = m_dashboard.get();
    QObject::connect(m_help.get(), &THelpForm::HelpContentsWanted, dash,
        [dash] { dash->ToolWindowAction(TDashBoardForm::ToolWindow::HelpContents)->trigger(); });
    QObject::connect(m_comms.get(), &TCommsForm::BaudTextChosen, dash, &TDashBoardForm::SetBaudText);
    QObject::connect(
        m_sampleRate.get(), &TSampleRateForm::SampleRateChosen, dash, &TDashBoardForm::SetSampleRate);
    QObject::connect(
        m_sampleRate.get(), &TSampleRateForm::FastPollingChosen, dash, &TDashBoardForm::SetFastPolling);
    QObject::connect(m_sampleRate.get(), &TSampleRateForm::FastPollingChosen, m_dataLogger.get(),
        &TDataLoggerForm::SetFastPolling);
    QObject::connect(m_unitsSel.get(), &TUnitsSelForm::TempUnitsChosen, dash, &TDashBoardForm::SetTempUnits);
    QObject::connect(
        m_unitsSel.get(), &TUnitsSelForm::SpeedUnitsChosen, dash, &TDashBoardForm::SetSpeedUnits);
    // An alarm's start marks a running recording; the logger ignores it when nothing records.
    QObject::connect(dash, &TDashBoardForm::AlarmStarted, m_dataLogger.get(),
        [this](const QString& note) { m_dataLogger->AddMarker(note); });
    QObject::connect(dash, &TDashBoardForm::ToolWindowShowing, dash,
        [this](TDashBoardForm::ToolWindow which) { BeforeShowing(which); });

    QObject::connect(m_dataLogger.get(), &TDataLoggerForm::DirectoryDialogRequested, m_selDir.get(), [this] {
        m_selDir->ShowDirectory(m_dataLogger->LogFilePath());
        m_selDir->show();
        m_selDir->raise();
    });
    QObject::connect(
        m_selDir.get(), &TSelDirForm::DirectoryChosen, m_dataLogger.get(), &TDataLoggerForm::SetLogPath);
}

void MainWindows::WireReplay()
{
    QObject::connect(m_dataLogger.get(), &TDataLoggerForm::OpenLogRequested, m_dataLogger.get(), [this] {
        TLogViewerForm& logViewer = LogViewer();
        logViewer.show();
        logViewer.raise();
        logViewer.ChooseLog(QFileInfo(
            QString::fromStdString(LogTargetPath(m_dataLogger->LogFilePath().toStdString()).string()))
                                .path());
    });
}

void MainWindows::BeforeShowing(TDashBoardForm::ToolWindow which)
{
    // A dialog shows the value in force, so that OK without a change keeps it.
    switch (which) {
    case TDashBoardForm::ToolWindow::Comms:
        m_comms->SetShownBaudText(m_dashboard->GetBaudText());
        break;
    case TDashBoardForm::ToolWindow::SampleRate:
        m_sampleRate->SetShownSampleRate(m_dashboard->SampleRate());
        m_sampleRate->SetShownFastPolling(m_dashboard->FastPolling());
        break;
    case TDashBoardForm::ToolWindow::Units:
        m_unitsSel->SetShownUnits(m_dashboard->TempUnits(), m_dashboard->SpeedUnits());
        break;
    case TDashBoardForm::ToolWindow::Limits:
        Limits().SetShownLimits(m_dashboard->Limits(), m_dashboard->Units());
        break;
    default:
        break;
    }
}
