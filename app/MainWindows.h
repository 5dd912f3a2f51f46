#pragma once

#include "ui/DashBoardForm.h"

#include <QString>

#include <memory>

class TActuatorForm;
class TCommsForm;
class TDataLoggerForm;
class TDataViewerForm;
class TECUIDForm;
class TFaultCodesForm;
class TLogViewerForm;
class THelpForm;
class TLimitsForm;
class HelpWindow;
class TSampleRateForm;
class TSelDirForm;
class TStatusForm;
class TUnitsSelForm;

// Every window of the program, created once in the order of start-up and alive to the end, and
// what passes between them: dialog choices, Exit, help, the log folder, alarm markers and the log
// viewer. Each window subscribes to the session's reports itself and sends it its requests.
class MainWindows {
public:
    // `dashboard` is the main window, made first over `session`, which outlives every window; the
    // others read their live values from the session. `settingsFolder` holds the data logger's
    // settings file; its logs go to `defaultLogFolder` (the working directory if empty) until the
    // user chooses another folder.
    MainWindows(EcuSession& session, std::unique_ptr<TDashBoardForm> dashboard, const QString& settingsFolder,
        const QString& defaultLogFolder = QString());
    ~MainWindows();
    MainWindows(const MainWindows&) = delete;
    MainWindows& operator=(const MainWindows&) = delete;

    TDashBoardForm& Dashboard() const { return *m_dashboard; }
    TDataLoggerForm& DataLogger() const { return *m_dataLogger; }
    TDataViewerForm& DataViewer() const { return *m_dataViewer; }
    TUnitsSelForm& UnitsSel() const { return *m_unitsSel; }
    TFaultCodesForm& FaultCodes() const { return *m_faultCodes; }
    TSampleRateForm& SampleRate() const { return *m_sampleRate; }
    TSelDirForm& SelDir() const { return *m_selDir; }
    TStatusForm& Status() const { return *m_status; }
    TActuatorForm& Actuator() const { return *m_actuator; }
    THelpForm& Help() const { return *m_help; }
    HelpWindow& HelpContents() const { return *m_helpContents; }
    TECUIDForm& EcuId() const { return *m_ecuId; }
    TCommsForm& Comms() const { return *m_comms; }
    TLimitsForm& Limits();
    // Made when first asked for (the menu, File > Open Log, --open-log): it is the slowest window
    // to make and most runs never open it.
    TLogViewerForm& LogViewer();
    bool LogViewerMade() const { return m_logViewer != nullptr; }

private:
    void RegisterToolWindows();
    void WireDialogs();
    void WireLogger();
    void BeforeShowing(TDashBoardForm::ToolWindow which);

    EcuSession& m_session;
    // The main window first and so destroyed last.
    std::unique_ptr<TDashBoardForm> m_dashboard;
    std::unique_ptr<TDataLoggerForm> m_dataLogger;
    std::unique_ptr<TDataViewerForm> m_dataViewer;
    std::unique_ptr<TUnitsSelForm> m_unitsSel;
    std::unique_ptr<TFaultCodesForm> m_faultCodes;
    std::unique_ptr<TSampleRateForm> m_sampleRate;
    std::unique_ptr<TSelDirForm> m_selDir;
    std::unique_ptr<TStatusForm> m_status;
    std::unique_ptr<TActuatorForm> m_actuator;
    std::unique_ptr<THelpForm> m_help;
    std::unique_ptr<HelpWindow> m_helpContents;
    std::unique_ptr<TECUIDForm> m_ecuId;
    std::unique_ptr<TCommsForm> m_comms;
    std::unique_ptr<TLimitsForm> m_limits;
    std::unique_ptr<TLogViewerForm> m_logViewer;
};
