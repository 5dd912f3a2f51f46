#pragma once

#include "ini/SettingsFile.h"
#include "link/EcuConnection.h"
#include "link/EcuConnectionListener.h"
#include "link/InterfaceLink.h"
#include "ui/DashboardSettings.h"

#include <QMainWindow>
#include <QPointer>
#include <QString>

#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class ClickableLabel;
class QAction;
class QLabel;
class QStatusBar;
class QTimer;
class TKodraGauge;

// The main window: seven dials, six value boxes and the MIL lamp, the menu that opens every other
// window, and the hub of the program. It owns the link thread and the connection to the ECU, which
// its Timer1 drives, and it is what the tool windows read live values from (Queries) and ask for
// actions (the public slots). It keeps its settings in "kodradash.ini".
class TDashBoardForm : public QMainWindow {
    Q_OBJECT

public:
    // The windows the menu opens; the application registers each once it exists.
    enum class ToolWindow {
        DataViewer,
        DataLogger,
        FaultCodes,
        StatusFlags,
        Controls,
        EcuId,
        Comms,
        SampleRate,
        Units,
        Help,
    };
    Q_ENUM(ToolWindow)
    static constexpr int ToolWindowCount = static_cast<int>(ToolWindow::Help) + 1;

    // Makes the link to the cable (the link thread, or a fake in tests); called once, while the
    // window is being built.
    using LinkFactory = std::function<std::unique_ptr<InterfaceLink>()>;

    static constexpr int PanelCount = 5;
    static constexpr int TimerIntervalMs = EcuConnection::TickMs;

    // `settingsFolder` holds the settings file; empty means the working directory.
    TDashBoardForm(LinkFactory makeLink, const QString& settingsFolder, QWidget* parent = nullptr);
    ~TDashBoardForm() override;

    const EcuQueries& Queries() const;
    const EcuConnection& Connection() const { return *m_connection; }

    // A menu entry stays disabled until its window is registered.
    void SetToolWindow(ToolWindow which, QWidget* window);
    QWidget* RegisteredToolWindow(ToolWindow which) const;
    QAction* ToolWindowAction(ToolWindow which) const;

    QString GetBaudText() const;
    int SampleRate() const;
    QString TempUnits() const { return m_settings.tempUnits; }
    QString SpeedUnits() const { return m_settings.speedUnits; }
    QString IdleGaugeMode() const { return m_settings.mpgDial; }
    int InjectorFlow() const { return m_settings.flowRate; }
    QString PanelText(int panel) const;
    std::filesystem::path SettingsPath() const { return m_settingsFile.Path(); }
    // Writes the settings without a word to the user (the program is ending, maybe with no
    // display left); returns why they could not be written.
    std::optional<std::string> WriteSettings();

    // Handlers of the window's own controls.
    void Timer1Timer();
    void LogoPicClick();
    void MILLabelClick();
    void Exit1Click();

public slots:
    void Connect();
    void RequestActuator(int test, int value);
    void SetBaudText(const QString& baudText);
    void SetSampleRate(int ms);
    void SetTempUnits(const QString& units);
    void SetSpeedUnits(const QString& units);
    // Asks for confirmation first; nothing is sent on Cancel.
    void ResetEcu();

signals:
    // After the per-ECU set-up of this window and its message box, on every identification.
    void EcuIdentified(const QString& ecuId, int support, int featureFlags);
    void RxErrorsText(const QString& text);
    // The sample period in force changed; `text` is what status bars show for it.
    void SampleRateShown(const QString& text);
    void ActuatorReplied(int test, int value);
    // About to show a tool window, so its shown values can be brought up to date first.
    void ToolWindowShowing(TDashBoardForm::ToolWindow which);
    // The window has closed: port close asked for, settings saved, data logger closed.
    void Closing();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    // Every message box goes through these two, so tests can answer them.
    virtual void ShowMessage(const QString& text);
    virtual bool Confirm(const QString& text, const QString& caption);

private:
    // The connection's listener; it hands every notification to the On... handlers below (its
    // calls share names with this window's signals).
    class ConnectionEvents;

    void OnEcuIdentified(const IdentifiedEcu& ecu);
    void OnResetFinished(bool succeeded);
    void OnValueChanged(LiveValueKind kind);
    // Dials and value boxes show the values only while they are live and decoded; otherwise
    // dimmed needles and "--", until the first fresh reply.
    void ShowValuesState();

    // Building (DashBoardLayout.cpp).
    void BuildControls();
    void BuildTitleRow(QWidget* area);
    void BuildSmallDials(QWidget* area);
    void BuildLargeDials(QWidget* area);
    void BuildValueBoxes(QWidget* area);
    void BuildStatusBar();
    void BuildMenu();
    QAction* AddToolWindowEntry(QMenu* menu, const QString& caption, const char* name, ToolWindow which);
    void PlaceDialLabels(const TKodraGauge& dial, const std::vector<QLabel*>& labels);

    // Display (DashBoardDisplay.cpp).
    void ShowUnits();
    void SetupGaugesForEcu();
    void ShowMil();
    void ShowO2Volts(float volts);
    void ShowBatteryVolts(float volts);
    void ShowFixed(QLabel* label, float value, int precision, int decimals, const QString& suffix = {});

    void ApplySettings();
    void SaveSettings();
    void ShowToolWindow(ToolWindow which);
    void SetPanelText(int panel, const QString& text);

    const LinkFactory m_makeLink;
    const std::unique_ptr<ConnectionEvents> m_events;
    SettingsFile m_settingsFile;
    DashboardSettings m_settings;
    std::unique_ptr<InterfaceLink> m_link;
    std::unique_ptr<EcuConnection> m_connection;

    ClickableLabel* m_logoPic = nullptr;
    ClickableLabel* m_milLabel = nullptr;
    QStatusBar* m_statusBar = nullptr;
    std::array<QLabel*, PanelCount> m_panels {};
    TKodraGauge* m_tpsGauge = nullptr;
    TKodraGauge* m_afmGauge = nullptr;
    TKodraGauge* m_ctsGauge = nullptr;
    TKodraGauge* m_atsGauge = nullptr;
    TKodraGauge* m_mpgGauge = nullptr;
    TKodraGauge* m_revCounter = nullptr;
    TKodraGauge* m_speedo = nullptr;
    std::vector<QLabel*> m_revLabels;
    std::vector<QLabel*> m_speedoLabels;
    QLabel* m_battVoltsLabel = nullptr;
    QLabel* m_o2B1VoltsLabel = nullptr;
    QLabel* m_ignAdvanceLabel = nullptr;
    QLabel* m_injPwB1Label = nullptr;
    QLabel* m_tftLabel = nullptr;
    QLabel* m_ltftLabel = nullptr;
    QTimer* m_timer1 = nullptr;

    std::array<QPointer<QWidget>, ToolWindowCount> m_toolWindows {};
    std::array<QAction*, ToolWindowCount> m_toolActions {};
    // Hidden because the ECU is in neither list: the data viewer stands in for this window.
    bool m_hiddenForUnknownEcu = false;
    bool m_valuesShown = true; // until the constructor's first ShowValuesState
    bool m_closing = false;
    bool m_saveFailureShown = false;
};
