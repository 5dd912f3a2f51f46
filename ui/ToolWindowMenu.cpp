#include "ui/ToolWindowMenu.h"

#include <utility>

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace {

std::size_t IndexOf(ToolWindowMenu::ToolWindow which)
{
    return static_cast<std::size_t>(which);
}

QAction* AddCommand(QMenu* menu, const QString& caption, const char* name)
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

} // namespace

ToolWindowMenu::ToolWindowMenu(QMenuBar& bar, QObject* parent)
    : QObject(parent)
{
    bar.setObjectName(QStringLiteral("MainMenu1"));

    QMenu* file = bar.addMenu(QStringLiteral("&File"));
    m_exit = AddCommand(file, QStringLiteral("E&xit"), "Exit1");

    QMenu* view = bar.addMenu(QStringLiteral("&View"));
    AddEntry(view, QStringLiteral("DataViewer"), "DataViewer1", ToolWindow::DataViewer);
    AddEntry(view, QStringLiteral("DataLogger"), "DataLogger1", ToolWindow::DataLogger);
    AddEntry(view, QStringLiteral("FaultCodes"), "FaultCodes1", ToolWindow::FaultCodes);
    AddEntry(view, QStringLiteral("Status Flags"), "StatusFlags1", ToolWindow::StatusFlags);
    AddEntry(view, QStringLiteral("Controls"), "Controls1", ToolWindow::Controls);
    AddEntry(view, QStringLiteral("ECU ID"), "ECUID1", ToolWindow::EcuId);
    AddEntry(view, QStringLiteral("Log Viewer"), "LogViewer1", ToolWindow::LogViewer);

    QMenu* comms = bar.addMenu(QStringLiteral("&Comms"));
    m_connect = AddCommand(comms, QStringLiteral("Connect"), "Connect1");
    AddEntry(comms, QStringLiteral("Baud Rate"), "BaudRate1", ToolWindow::Comms);
    AddEntry(comms, QStringLiteral("Sample Rate"), "SampleRate1", ToolWindow::SampleRate);
    m_recordSession = AddCommand(comms, QStringLiteral("Record Session..."), "RecordSession1");
    m_recordSession->setEnabled(false); // until something records behind it
    QMenu* protocol = comms->addMenu(QStringLiteral("Protocol"));
    protocol->setObjectName(QStringLiteral("Protocol1"));
    AddCommand(protocol, QStringLiteral("VAD"), "VAD1");
    AddCommand(protocol, QStringLiteral("ISO9141"), "ISO91411");
    protocol->setEnabled(false);

    QMenu* options = bar.addMenu(QStringLiteral("&Options"));
    AddEntry(options, QStringLiteral("Units"), "Units1", ToolWindow::Units);

    QMenu* command = bar.addMenu(QStringLiteral("Co&mmand"));
    m_reset = AddCommand(command, QStringLiteral("Reset ECU"), "ResetECU1");

    QMenu* help = bar.addMenu(QStringLiteral("&Help"));
    AddEntry(help, QStringLiteral("Help"), "Help1", ToolWindow::Help);
}

QAction* ToolWindowMenu::AddEntry(QMenu* menu, const QString& caption, const char* name, ToolWindow which)
{
    QAction* action = AddCommand(menu, caption, name);
    action->setEnabled(false); // until the window is registered
    connect(action, &QAction::triggered, this, [this, which] { Show(which); });
    m_actions[IndexOf(which)] = action;
    return action;
}

void ToolWindowMenu::SetWindow(ToolWindow which, QWidget* window)
{
    m_windows[IndexOf(which)] = window;
    m_actions[IndexOf(which)]->setEnabled(window != nullptr);
}

void ToolWindowMenu::SetWindowMaker(ToolWindow which, std::function<QWidget*()> make)
{
    m_actions[IndexOf(which)]->setEnabled(static_cast<bool>(make));
    m_makers[IndexOf(which)] = std::move(make);
}

QWidget* ToolWindowMenu::Window(ToolWindow which) const
{
    return m_windows[IndexOf(which)];
}

QAction* ToolWindowMenu::Action(ToolWindow which) const
{
    return m_actions[IndexOf(which)];
}

void ToolWindowMenu::Show(ToolWindow which)
{
    if (!Window(which) && m_makers[IndexOf(which)])
        m_windows[IndexOf(which)] = std::exchange(m_makers[IndexOf(which)], nullptr)();
    QWidget* window = Window(which);
    if (!window)
        return;
    emit Showing(which);
    window->show();
    window->raise();
    window->activateWindow();
}
