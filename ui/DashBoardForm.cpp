#include "ui/DashBoardForm.h"

#include "controls/KodraGauge.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>

namespace {

constexpr const char* ResetQuestion = "All stored parameters will be lost, do you wish to continue?";
constexpr const char* ResetCaption = "Warning!";
constexpr const char* Obd2Message = "OBD2 ECU detected - limited functionality available";

QString UnknownEcuMessage(const std::string& ecuId)
{
    return QStringLiteral("Formatted data not available for ECU ID %1. Please contact KodraPower Ltd")
        .arg(QString::fromStdString(ecuId));
}

std::size_t IndexOf(TDashBoardForm::ToolWindow which)
{
    return static_cast<std::size_t>(which);
}

} // namespace

class TDashBoardForm::ConnectionEvents final : public EcuConnectionListener {
public:
    explicit ConnectionEvents(TDashBoardForm& form)
        : m_form(form)
    {
    }

    void LinkStatusChanged(const QString& statusText) override { m_form.SetPanelText(0, statusText); }
    void ConnectTextChanged(const QString& connectText) override { m_form.SetPanelText(1, connectText); }
    void SampleRateChanged(int ms) override
    {
        const QString text = ::SampleRateText(ms);
        m_form.SetPanelText(2, text);
        emit m_form.SampleRateShown(text);
    }
    void RxErrorCountChanged(int count) override
    {
        const QString text = ::RxErrorsText(count); // the free function, not the signal
        m_form.SetPanelText(3, text);
        emit m_form.RxErrorsText(text);
    }
    void EcuIdentified(const IdentifiedEcu& ecu) override { m_form.OnEcuIdentified(ecu); }
    void ResetFinished(bool succeeded) override { m_form.OnResetFinished(succeeded); }
    void ActuatorReplied(int test, int value) override { emit m_form.ActuatorReplied(test, value); }
    void PortPermissionDenied(const QString& message) override { m_form.ShowMessage(message); }
    void ValueChanged(LiveValueKind kind) override { m_form.OnValueChanged(kind); }
    void LiveValuesChanged(bool) override { m_form.ShowValuesState(); }

private:
    TDashBoardForm& m_form;
};

TDashBoardForm::TDashBoardForm(LinkFactory makeLink, const QString& settingsFolder, QWidget* parent)
    : QMainWindow(parent)
    , m_makeLink(std::move(makeLink))
    , m_events(std::make_unique<ConnectionEvents>(*this))
    , m_settingsFile(DashboardSettingsPath(settingsFolder))
{
    BuildControls();

    // 1. Initial state: the units of a window without settings.
    // 2. The settings file. A file that cannot be read counts as missing: its defaults are used.
    m_settings = ReadDashboardSettings(m_settingsFile.Read());
    // The window has one size, drawn for it, so InitMax is kept in the file but not applied.
    move(m_settings.left, m_settings.top);
    SetPanelText(2, SampleRateText(m_settings.sampleRate));
    // 3. Units.
    SetTempUnits(m_settings.tempUnits);
    SetSpeedUnits(m_settings.speedUnits);
    // 4.-5. The throttle dial reads percent; the idle gauge shows what its mode says.
    m_tpsGauge->SetMaxValue(100);
    // The layout already gives the idle gauge its MPG title and scale.
    if (!m_settings.MpgMode())
        m_mpgGauge->SetGTitle(QStringLiteral("IAC"));
    // 6. The link and the connection that drives it, then the timer.
    m_link = m_makeLink();
    m_connection = std::make_unique<EcuConnection>(*m_link, m_events.get());
    ShowValuesState();
    ApplySettings();
    m_timer1->start();
}

TDashBoardForm::~TDashBoardForm()
{
    // The connection refers to the link; it goes first.
    m_connection.reset();
    m_link.reset();
}

void TDashBoardForm::ApplySettings()
{
    // The values were checked when read, so none of these can refuse.
    m_connection->SetBaudText(m_settings.baudText);
    m_connection->SetSampleRate(m_settings.sampleRate);
    m_connection->SetTempUnits(m_settings.tempUnits.toStdString());
    m_connection->SetSpeedUnits(m_settings.speedUnits.toStdString());
    m_connection->SetIdleGaugeMode(m_settings.mpgDial.toStdString());
    m_connection->SetInjectorFlow(m_settings.flowRate);
}

const EcuQueries& TDashBoardForm::Queries() const
{
    return *m_connection;
}

QString TDashBoardForm::GetBaudText() const
{
    return m_connection->BaudText();
}

int TDashBoardForm::SampleRate() const
{
    return m_connection->SampleRate();
}

QString TDashBoardForm::PanelText(int panel) const
{
    if (panel < 0 || panel >= PanelCount)
        return {};
    return m_panels[static_cast<std::size_t>(panel)]->text();
}

void TDashBoardForm::SetPanelText(int panel, const QString& text)
{
    m_panels.at(static_cast<std::size_t>(panel))->setText(text);
}

void TDashBoardForm::Timer1Timer()
{
    m_connection->Tick();
}

void TDashBoardForm::LogoPicClick()
{
    Connect();
}

void TDashBoardForm::MILLabelClick()
{
    ShowToolWindow(ToolWindow::FaultCodes);
}

void TDashBoardForm::Exit1Click()
{
    close();
}

void TDashBoardForm::Connect()
{
    m_connection->Connect();
}

void TDashBoardForm::RequestActuator(int test, int value)
{
    m_connection->RequestActuator(test, value);
}

void TDashBoardForm::SetBaudText(const QString& baudText)
{
    if (const QString problem = m_connection->SetBaudText(baudText); !problem.isEmpty())
        ShowMessage(problem);
}

void TDashBoardForm::SetSampleRate(int ms)
{
    if (const QString problem = m_connection->SetSampleRate(ms); !problem.isEmpty())
        ShowMessage(problem);
}

void TDashBoardForm::ResetEcu()
{
    if (Confirm(QString::fromLatin1(ResetQuestion), QString::fromLatin1(ResetCaption)))
        m_connection->RequestReset();
}

void TDashBoardForm::SetToolWindow(ToolWindow which, QWidget* window)
{
    QPointer<QWidget>& slot = m_toolWindows[IndexOf(which)];
    if (slot && which == ToolWindow::DataViewer)
        slot->removeEventFilter(this);
    slot = window;
    if (window && which == ToolWindow::DataViewer)
        window->installEventFilter(this);
    m_toolActions[IndexOf(which)]->setEnabled(window != nullptr);
}

QWidget* TDashBoardForm::RegisteredToolWindow(ToolWindow which) const
{
    return m_toolWindows[IndexOf(which)];
}

QAction* TDashBoardForm::ToolWindowAction(ToolWindow which) const
{
    return m_toolActions[IndexOf(which)];
}

void TDashBoardForm::ShowToolWindow(ToolWindow which)
{
    QWidget* window = RegisteredToolWindow(which);
    if (!window)
        return;
    emit ToolWindowShowing(which);
    window->show();
    window->raise();
    window->activateWindow();
}

bool TDashBoardForm::eventFilter(QObject* watched, QEvent* event)
{
    // Closing the data viewer that stands in for this window would leave the program running with
    // nothing on screen; this window comes back instead.
    if (event->type() == QEvent::Hide && watched == RegisteredToolWindow(ToolWindow::DataViewer)
        && m_hiddenForUnknownEcu && !m_closing) {
        m_hiddenForUnknownEcu = false;
        show();
    }
    return QMainWindow::eventFilter(watched, event);
}

void TDashBoardForm::OnEcuIdentified(const IdentifiedEcu& ecu)
{
    switch (ecu.support) {
    case SupportNone:
        ShowMessage(UnknownEcuMessage(ecu.ecuId));
        m_hiddenForUnknownEcu = true;
        hide();
        ShowToolWindow(ToolWindow::DataViewer);
        break;
    case SupportObd2:
        ShowMessage(QString::fromLatin1(Obd2Message));
        break;
    case SupportFull:
        SetupGaugesForEcu();
        break;
    }
    // A known ECU on the line again (another car on the same cable): the dashboard is back.
    if (ecu.support != SupportNone && m_hiddenForUnknownEcu) {
        m_hiddenForUnknownEcu = false;
        show();
    }
    emit EcuIdentified(QString::fromStdString(ecu.ecuId), ecu.support, ecu.featureFlags);
}

void TDashBoardForm::OnResetFinished(bool succeeded)
{
    ShowMessage(QString::fromLatin1(succeeded ? ResetSucceededText : ResetFailedText));
}

void TDashBoardForm::closeEvent(QCloseEvent* event)
{
    m_closing = true;
    m_connection->CloseLink();
    SaveSettings();
    if (QWidget* logger = RegisteredToolWindow(ToolWindow::DataLogger))
        logger->close(); // it saves its own settings as it closes
    event->accept();
    emit Closing();
}

void TDashBoardForm::changeEvent(QEvent* event)
{
    // Every control is placed for the one size of the window: a maximised or full-screen window
    // (asked for by a window manager or a platform that ignores the fixed size) goes back to it.
    constexpr Qt::WindowStates Enlarged = Qt::WindowMaximized | Qt::WindowFullScreen;
    if (event->type() == QEvent::WindowStateChange && (windowState() & Enlarged) != 0)
        setWindowState(windowState() & ~Enlarged);
    QMainWindow::changeEvent(event);
}

std::optional<std::string> TDashBoardForm::WriteSettings()
{
    DashboardSettings current = m_settings;
    current.top = pos().y();
    current.left = pos().x();
    current.baudText = m_connection->BaudText();
    current.sampleRate = m_connection->SampleRate();
    return m_settingsFile.Update([&current](IniFile& ini) { WriteDashboardSettings(ini, current); });
}

void TDashBoardForm::SaveSettings()
{
    const std::optional<std::string> failure = WriteSettings();
    if (failure && !m_saveFailureShown) {
        m_saveFailureShown = true;
        ShowMessage(
            QStringLiteral("The settings could not be saved: %1").arg(QString::fromStdString(*failure)));
    }
}

void TDashBoardForm::ShowMessage(const QString& text)
{
    QMessageBox::information(this, QCoreApplication::applicationName(), text);
}

bool TDashBoardForm::Confirm(const QString& text, const QString& caption)
{
    return QMessageBox::warning(
               this, caption, text, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel)
        == QMessageBox::Ok;
}
