#pragma once

#include "defs/AlarmWatch.h"
#include "link/EcuSession.h"
#include "settings/SettingsFile.h"
#include "ui/DashboardBuilder.h"
#include "ui/DashboardDials.h"
#include "ui/DashboardSettings.h"
#include "ui/ToolWindowMenu.h"

#include <QMainWindow>
#include <QString>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

class QAction;

// The main window: seven dials, six value boxes and the MIL lamp, and the menu that opens every
// other window. It shows what the ECU session reports, as every other window does, and keeps the
// session's settings with its own in "kodradash.ini".
class TDashBoardForm : public QMainWindow {
    Q_OBJECT

public:
    // The windows the menu opens; the application registers each once it exists.
    using ToolWindow = ToolWindowMenu::ToolWindow;
    static constexpr int ToolWindowCount = ToolWindowMenu::ToolWindowCount;
    static constexpr int PanelCount = DashboardControls::PanelCount;
    // The answers to Reset ECU's warning.
    enum class ResetChoice { Reset, SaveReportFirst, Cancel };

    // `settingsFolder` holds the settings file; empty means the working directory. The window
    // applies its settings to `session`, which outlives it.
    TDashBoardForm(EcuSession& session, const QString& settingsFolder, QWidget* parent = nullptr);
    // With the settings file already read (the program's start reads it for the language first).
    TDashBoardForm(EcuSession& session, LoadedDashboardSettings loaded, QWidget* parent = nullptr);
    ~TDashBoardForm() override;

    // A menu entry stays disabled until its window is registered.
    void SetToolWindow(ToolWindow which, QWidget* window);
    // A window made when first opened (see ToolWindowMenu::SetWindowMaker).
    void SetToolWindowMaker(ToolWindow which, std::function<QWidget*()> make)
    {
        m_menu->SetWindowMaker(which, std::move(make));
    }
    QWidget* RegisteredToolWindow(ToolWindow which) const { return m_menu->Window(which); }
    QAction* ToolWindowAction(ToolWindow which) const { return m_menu->Action(which); }
    // File > Save Report..., for whoever writes the report; disabled until then.
    QAction* SaveReportAction() const { return m_menu->SaveReportAction(); }
    // Comms > Record Session..., for whoever records the session; disabled until then.
    QAction* RecordSessionAction() const { return m_menu->RecordSessionAction(); }
    // What the session recording shows on the status bar (its last panel); empty to clear it.
    void ShowRecordingText(const QString& text);

    QString GetBaudText() const { return m_session.Connection().BaudText(); }
    int SampleRate() const { return m_session.Connection().SampleRate(); }
    bool FastPolling() const { return m_session.Connection().GetPollMode() == EcuConnection::PollMode::Fast; }
    QString TempUnits() const { return m_settings.tempUnits; }
    QString SpeedUnits() const { return m_settings.speedUnits; }
    QString IdleGaugeMode() const { return m_settings.mpgDial; }
    int InjectorFlow() const { return m_settings.flowRate; }
    QString PanelText(int panel) const;
    // The values in alarm, named on the status bar; empty while there is none.
    QString AlarmText() const { return m_alarmText; }
    // The warning and alarm limits, in degrees Celsius and km/h.
    const LimitTable& Limits() const { return m_settings.limits; }
    // The unit choices the values come in.
    LiveSettings Units() const { return m_settings.Units(); }
    std::filesystem::path SettingsPath() const { return m_settingsFile.Path(); }
    // Writes the settings without a word to the user (the program is ending, maybe with no
    // display left); returns why they could not be written.
    std::optional<std::string> WriteSettings();

public slots:
    void SetBaudText(const QString& baudText);
    void SetSampleRate(int ms);
    // "As fast as the line allows" (true) or one request per sample period.
    void SetFastPolling(bool fast);
    void SetTempUnits(const QString& units);
    void SetSpeedUnits(const QString& units);
    // Options > Limits: shown at once and saved in the settings file.
    void SetLimits(const LimitTable& kept);

signals:
    // About to show a tool window, so its shown values can be brought up to date first.
    void ToolWindowShowing(ToolWindowMenu::ToolWindow which);
    // An alarm began while the values were live: `note` names it for a marker in a recording
    // ("Alarm: RPM above 6500").
    void AlarmStarted(const QString& note);
    // The window has closed: port close asked for, settings saved, data logger closed.
    void Closing();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    // Every message box goes through these two, so tests can answer them. The warning offers to
    // save a report first while File > Save Report... can.
    virtual void ShowMessage(const QString& text);
    virtual ResetChoice AskReset(const QString& text, const QString& caption);

private slots:
    // Handlers of the window's own controls.
    void LogoPicClick();
    void MILLabelClick();
    void Exit1Click();
    // Asks for confirmation first, offering to save a report before the stored codes are
    // cleared; nothing is sent on Cancel.
    void ResetEcu();
    // Options > Language: kept in the settings, applied at the next start.
    void ChooseLanguage(const QString& code);

    // What the session reports.
    void OnEcuIdentified(const IdentifiedEcu& ecu);
    void OnResetFinished(bool succeeded);
    void ShowValuesState();
    void ShowReplay(const QString& name);
    void ShowState(const SessionState& state);

private:
    void ConnectControls();
    void SubscribeToSession();
    void ApplySettings();
    void SaveSettings();
    void SetPanelText(int panel, const QString& text);
    // The cable panel: the link status and, for an open port that says it, its receive latency.
    void ShowCable();
    void OnReceiveLatencyChanged(std::optional<int> ms);
    // Alarms begin and end only on live values; anything else ends them quietly.
    void WatchAlarms();
    // The last panel: the session recording's text and the values in alarm.
    void ShowLastPanel();

    EcuSession& m_session;
    SettingsFile m_settingsFile;
    DashboardSettings m_settings;
    const DashboardControls m_controls;
    DashboardDials m_dials;
    AlarmWatch m_alarms;
    ToolWindowMenu* m_menu = nullptr;

    // Hidden because the ECU is in neither list: the data viewer stands in for this window.
    QString m_caption; // the title when no log is replayed
    bool m_hiddenForUnknownEcu = false;
    bool m_closing = false;
    bool m_saveFailureShown = false;
    QString m_linkStatus;
    std::optional<int> m_receiveLatencyMs;
    QString m_recordingText;
    QString m_alarmText;
    bool m_slowLatencyShown = false; // told once a run
};
