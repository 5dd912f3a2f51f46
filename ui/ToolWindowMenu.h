#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <array>
#include <functional>

class QAction;
class QActionGroup;
class QMenu;
class QMenuBar;

// The main window's menu and the registry of the windows it opens: an entry stays disabled until
// its window is registered, and choosing it shows the window. The entries that are commands of
// their own (Exit, Connect, Disconnect, Record Session, Reset ECU) are for the main window to connect.
class ToolWindowMenu final : public QObject {
    Q_OBJECT

public:
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
        Limits,
        Help,
        LogViewer,
        HelpContents,
    };
    Q_ENUM(ToolWindow)
    static constexpr int ToolWindowCount = static_cast<int>(ToolWindow::HelpContents) + 1;

    // Fills `bar`, which outlives this object (both belong to the main window).
    explicit ToolWindowMenu(QMenuBar& bar, QObject* parent = nullptr);

    void SetWindow(ToolWindow which, QWidget* window);
    // A window made only when first shown (it costs start-up time that most runs never use back):
    // the entry is enabled now, and `make` is called once, at the first Show.
    void SetWindowMaker(ToolWindow which, std::function<QWidget*()> make);
    // The window; null while it is not registered or not made yet.
    QWidget* Window(ToolWindow which) const;
    QAction* Action(ToolWindow which) const;
    // Brings the registered window up, if there is one.
    void Show(ToolWindow which);

    QAction* ExitAction() const { return m_exit; }
    QAction* ConnectAction() const { return m_connect; }
    QAction* DisconnectAction() const { return m_disconnect; }
    QAction* ResetAction() const { return m_reset; }
    QAction* RecordSessionAction() const { return m_recordSession; }
    QAction* SaveReportAction() const { return m_saveReport; }

    // Ticks the language in force in Options > Language ("System", "en", ...).
    void ShowLanguage(const QString& code);

signals:
    // Options > Language: the user chose the language of the next start.
    void LanguageChosen(const QString& code);
    // About to show a tool window, so its shown values can be brought up to date first.
    void Showing(ToolWindowMenu::ToolWindow which);

private:
    void AddLanguageMenu(QMenu* options);
    QAction* AddEntry(QMenu* menu, const QString& caption, const char* name, ToolWindow which);

    std::array<QPointer<QWidget>, ToolWindowCount> m_windows {};
    std::array<std::function<QWidget*()>, ToolWindowCount> m_makers {};
    std::array<QAction*, ToolWindowCount> m_actions {};
    QAction* m_exit = nullptr;
    QAction* m_connect = nullptr;
    QAction* m_disconnect = nullptr;
    QAction* m_reset = nullptr;
    QAction* m_recordSession = nullptr;
    QAction* m_saveReport = nullptr;
    QActionGroup* m_languages = nullptr;
};
