#include "app/MainWindows.h"

#include "logfile/DataLog.h"
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

MainWindows::MainWindows(EcuSession& session, std::unique_ptr<TDashBoardForm> dashboard,
    const QString& settingsFolder, const QString& defaultLogFolder)
    : m_session(session)
    , m_dashboard(std::move(dashboard))
{
    // The windows subscribe to the session as they are made, after the main window did: its set-up
    // for an identified ECU and its message come before theirs.
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
    m_ecuId = std::make_unique<TECUIDForm>(m_session);
    m_comms = std::make_unique<TCommsForm>();

    RegisterToolWindows();
    WireDialogs();
    WireLogger();
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
    QObject::connect(m_unitsSel.get(), &TUnitsSelForm::TempUnitsChosen, dash, &TDashBoardForm::SetTempUnits);
    QObject::connect(
        m_unitsSel.get(), &TUnitsSelForm::SpeedUnitsChosen, dash, &TDashBoardForm::SetSpeedUnits);
    QObject::connect(dash, &TDashBoardForm::ToolWindowShowing, dash,
        [this](TDashBoardForm::ToolWindow which) { BeforeShowing(which); });
    // Exit in a tool window ends the program as the main window's own Exit does.
    QObject::connect(m_dataViewer.get(), &TDataViewerForm::ExitRequested, dash, &QWidget::close);
}

void MainWindows::WireLogger()
{
    TDataLoggerForm* logger = m_dataLogger.get();
    TDashBoardForm* dash = m_dashboard.get();
    logger->SetFastPolling(dash->FastPolling());
    QObject::connect(
        m_sampleRate.get(), &TSampleRateForm::FastPollingChosen, logger, &TDataLoggerForm::SetFastPolling);
    // An alarm's start marks a running recording; the logger ignores it when nothing records.
    QObject::connect(dash, &TDashBoardForm::AlarmStarted, logger,
        [logger](const QString& note) { logger->AddMarker(note); });
    QObject::connect(logger, &TDataLoggerForm::ExitRequested, dash, &QWidget::close);

    QObject::connect(logger, &TDataLoggerForm::DirectoryDialogRequested, m_selDir.get(), [this, logger] {
        m_selDir->ShowDirectory(logger->LogFilePath());
        m_selDir->show();
        m_selDir->raise();
    });
    QObject::connect(m_selDir.get(), &TSelDirForm::DirectoryChosen, logger, &TDataLoggerForm::SetLogPath);
    QObject::connect(logger, &TDataLoggerForm::OpenLogRequested, logger, [this, logger] {
        TLogViewerForm& logViewer = LogViewer();
        logViewer.show();
        logViewer.raise();
        logViewer.ChooseLog(
            QFileInfo(QString::fromStdString(LogTargetPath(logger->LogFilePath().toStdString()).string()))
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
