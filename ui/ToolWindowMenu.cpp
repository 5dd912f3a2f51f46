#include "ui/ToolWindowMenu.h"

#include <utility>

#include "translations/ProgramLanguage.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QKeySequence>
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

    QMenu* file = bar.addMenu(tr("&File"));
    m_saveReport = AddCommand(file, tr("Save Report..."), "SaveReport1");
    m_saveReport->setEnabled(false); // until something writes the report behind it
    m_exit = AddCommand(file, tr("E&xit"), "Exit1");

    QMenu* view = bar.addMenu(tr("&View"));
    AddEntry(view, tr("DataViewer"), "DataViewer1", ToolWindow::DataViewer);
    AddEntry(view, tr("DataLogger"), "DataLogger1", ToolWindow::DataLogger);
    AddEntry(view, tr("FaultCodes"), "FaultCodes1", ToolWindow::FaultCodes);
    AddEntry(view, tr("Status Flags"), "StatusFlags1", ToolWindow::StatusFlags);
    AddEntry(view, tr("Controls"), "Controls1", ToolWindow::Controls);
    AddEntry(view, tr("ECU ID"), "ECUID1", ToolWindow::EcuId);
    AddEntry(view, tr("Log Viewer"), "LogViewer1", ToolWindow::LogViewer);

    QMenu* comms = bar.addMenu(tr("&Comms"));
    m_connect = AddCommand(comms, tr("Connect"), "Connect1");
    m_disconnect = AddCommand(comms, tr("Disconnect"), "Disconnect1");
    AddEntry(comms, tr("Baud Rate"), "BaudRate1", ToolWindow::Comms);
    AddEntry(comms, tr("Sample Rate"), "SampleRate1", ToolWindow::SampleRate);
    m_recordSession = AddCommand(comms, tr("Record Session..."), "RecordSession1");
    m_recordSession->setEnabled(false); // until something records behind it
    QMenu* protocol = comms->addMenu(tr("Protocol"));
    protocol->setObjectName(QStringLiteral("Protocol1"));
    AddCommand(protocol, QStringLiteral("VAD"), "VAD1");
    AddCommand(protocol, QStringLiteral("ISO9141"), "ISO91411");
    protocol->setEnabled(false);

    QMenu* options = bar.addMenu(tr("&Options"));
    AddEntry(options, tr("Units"), "Units1", ToolWindow::Units);
    AddEntry(options, tr("Limits..."), "Limits1", ToolWindow::Limits);
    AddLanguageMenu(options);

    QMenu* command = bar.addMenu(tr("Co&mmand"));
    m_reset = AddCommand(command, tr("Reset ECU"), "ResetECU1");

    QMenu* help = bar.addMenu(tr("&Help"));
    AddEntry(help, tr("Help Contents"), "HelpContents1", ToolWindow::HelpContents)
        ->setShortcut(QKeySequence::HelpContents);
    AddEntry(help, tr("Help"), "Help1", ToolWindow::Help);
}

void ToolWindowMenu::AddLanguageMenu(QMenu* options)
{
    QMenu* menu = options->addMenu(tr("Language"));
    menu->setObjectName(QStringLiteral("Language1"));
    m_languages = new QActionGroup(this);
    for (const LanguageChoice& choice : LanguageChoices()) {
        // Each language is named in its own words, so that whoever reads none of the others finds it.
        const QString name = QCoreApplication::translate("LanguageChoice", choice.name);
        QAction* action = menu->addAction(name);
        action->setObjectName(QStringLiteral("Language_") + QLatin1String(choice.code));
        action->setCheckable(true);
        action->setData(QString::fromLatin1(choice.code));
        m_languages->addAction(action);
        connect(action, &QAction::triggered, this,
            [this, action] { emit LanguageChosen(action->data().toString()); });
    }
}

void ToolWindowMenu::ShowLanguage(const QString& code)
{
    for (QAction* action : m_languages->actions())
        action->setChecked(action->data().toString() == code);
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
