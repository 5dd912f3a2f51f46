#include "ui/DashBoardForm.h"

#include "controls/ColorRef.h"
#include "controls/KodraGauge.h"
#include "locale/ConnectionTexts.h"
#include "locale/SessionStateText.h"
#include "port/ReceiveLatency.h"
#include "ui/ClickableLabel.h"
#include "ui/LimitTexts.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>

namespace {

constexpr const char* ResetQuestion = QT_TRANSLATE_NOOP("TDashBoardForm",
    "All stored parameters will be lost and the stored fault codes cleared, do you wish to continue?");
constexpr const char* ResetCaption = QT_TRANSLATE_NOOP("TDashBoardForm", "Warning!");
constexpr const char* Obd2Message
    = QT_TRANSLATE_NOOP("TDashBoardForm", "OBD2 ECU detected - limited functionality available");
constexpr int TpsFullScale = 100; // the throttle dial reads percent

// The status bar's panels.
constexpr int LinkStatusPanel = 0;
constexpr int ConnectPanel = 1;
constexpr int SampleRatePanel = 2;
constexpr int RxErrorsPanel = 3;
constexpr int RecordingPanel = 4;

QString UnknownEcuMessage(const std::string& ecuId)
{
    return QCoreApplication::translate(
        "TDashBoardForm", "Formatted data not available for ECU ID %1. Please contact KodraPower Ltd")
        .arg(QString::fromStdString(ecuId));
}

} // namespace

TDashBoardForm::TDashBoardForm(EcuSession& session, const QString& settingsFolder, QWidget* parent)
    : TDashBoardForm(session, LoadDashboardSettings(settingsFolder), parent)
{
}

TDashBoardForm::TDashBoardForm(EcuSession& session, LoadedDashboardSettings loaded, QWidget* parent)
    : QMainWindow(parent)
    , m_session(session)
    , m_settingsFile(std::move(loaded.file))
    , m_settings(std::move(loaded.settings))
    , m_controls(BuildDashboardControls(*this))
    , m_dials(m_controls)
    , m_menu(new ToolWindowMenu(*menuBar(), this))
{
    // A fixed single border: the window keeps the size of its client area.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    ConnectControls();
    // Whatever the recording shows there, the window keeps its width.
    m_controls.panels[RecordingPanel]->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    m_controls.panels[RecordingPanel]->installEventFilter(this); // an alarm's text fits its width

    // 1. Initial state: the units of a window without settings.
    // 2. The settings file, read by the caller. A file that cannot be read counts as missing: its
    // defaults are used.
    m_menu->ShowLanguage(m_settings.language);
    // The window has one size, drawn for it, so InitMax is kept in the file but not applied.
    move(m_settings.left, m_settings.top);
    SetPanelText(SampleRatePanel,
        m_settings.fastPolling ? FastPollRateText(0) : SampleRateText(m_settings.sampleRate));
    // 3. Units.
    SetTempUnits(m_settings.tempUnits);
    SetSpeedUnits(m_settings.speedUnits);
    // 4.-5. The throttle dial reads percent; the idle gauge shows what its mode says.
    m_controls.tpsGauge->SetMaxValue(TpsFullScale);
    m_dials.SetMpgMode(m_settings.MpgMode());
    // The layout already gives the idle gauge its MPG title and scale.
    if (!m_settings.MpgMode())
        m_controls.mpgGauge->SetGTitle(QStringLiteral("IAC"));
    m_dials.ShowLimits(m_settings.limits, m_settings.Units());
    // 6. What the session reports, then the settings it runs with.
    m_caption = windowTitle();
    SubscribeToSession();
    ShowState(m_session.State());
    ShowValuesState();
    ApplySettings();
}

TDashBoardForm::~TDashBoardForm() = default;

void TDashBoardForm::ConnectControls()
{
    connect(m_controls.logoPic, &ClickableLabel::Clicked, this, &TDashBoardForm::LogoPicClick);
    connect(m_controls.milLabel, &ClickableLabel::Clicked, this, &TDashBoardForm::MILLabelClick);
    connect(m_menu->ExitAction(), &QAction::triggered, this, &TDashBoardForm::Exit1Click);
    connect(m_menu->ConnectAction(), &QAction::triggered, &m_session, &EcuSession::Connect);
    connect(m_menu->DisconnectAction(), &QAction::triggered, &m_session, &EcuSession::Disconnect);
    connect(m_menu->ResetAction(), &QAction::triggered, this, &TDashBoardForm::ResetEcu);
    connect(m_menu, &ToolWindowMenu::Showing, this, &TDashBoardForm::ToolWindowShowing);
    connect(m_menu, &ToolWindowMenu::LanguageChosen, this, &TDashBoardForm::ChooseLanguage);
}

void TDashBoardForm::ChooseLanguage(const QString& code)
{
    if (code == m_settings.language)
        return;
    m_settings.language = code;
    // The windows are made in one language at start-up, so the new one waits for the next start.
    ShowMessage(tr("DazedErir will be shown in the language you chose when it is next started."));
}

void TDashBoardForm::SubscribeToSession()
{
    EcuSession* session = &m_session;
    connect(session, &EcuSession::LinkStatusChanged, this, [this](const QString& text) {
        m_linkStatus = QCoreApplication::translate("LinkStatus", text.toUtf8().constData());
        ShowCable();
    });
    connect(session, &EcuSession::ReceiveLatencyChanged, this, &TDashBoardForm::OnReceiveLatencyChanged);
    connect(session, &EcuSession::StateChanged, this, &TDashBoardForm::ShowState);
    connect(session, &EcuSession::StateChanged, this, &TDashBoardForm::WatchAlarms);
    connect(session, &EcuSession::SampleRateChanged, this, [this](int ms) {
        if (!FastPolling())
            SetPanelText(SampleRatePanel, SampleRateText(ms));
    });
    connect(session, &EcuSession::SweepRateMeasured, this,
        [this](double perSecond) { SetPanelText(SampleRatePanel, FastPollRateText(perSecond)); });
    connect(session, &EcuSession::RxErrorCountChanged, this,
        [this](int count) { SetPanelText(RxErrorsPanel, RxErrorsText(count)); });
    connect(session, &EcuSession::EcuIdentified, this, &TDashBoardForm::OnEcuIdentified);
    connect(session, &EcuSession::ResetFinished, this, &TDashBoardForm::OnResetFinished);
    connect(session, &EcuSession::PortPermissionDenied, this,
        [this](const QString& reason) { ShowMessage(PortPermissionText(reason)); });
    connect(session, &EcuSession::ValueChanged, this, [this](LiveValueKind kind, const LiveValues& values) {
        m_dials.ShowValue(kind, values);
        WatchAlarms();
    });
    connect(session, &EcuSession::LiveValuesChanged, this, &TDashBoardForm::ShowValuesState);
    connect(session, &EcuSession::LiveValuesChanged, this, &TDashBoardForm::WatchAlarms);
    connect(session, &EcuSession::ReplayChanged, this, &TDashBoardForm::ShowReplay);
}

void TDashBoardForm::ShowCable()
{
    SetPanelText(LinkStatusPanel,
        m_receiveLatencyMs ? tr("%1, %2 ms").arg(m_linkStatus).arg(*m_receiveLatencyMs) : m_linkStatus);
}

void TDashBoardForm::OnReceiveLatencyChanged(std::optional<int> ms)
{
    m_receiveLatencyMs = ms;
    ShowCable();
    if (!ms || *ms < SlowReceiveLatencyMs || m_slowLatencyShown)
        return;
    m_slowLatencyShown = true;
    const QString message
        = tr("The interface cable holds the bytes it receives for %1 ms before passing them "
             "on, so every exchange with the ECU waits that much longer: polling is slowed."
             "\n\nSee \"Troubleshooting\" in the README to set it to 1 ms (the package's udev "
             "rule does it for you).")
              .arg(*ms);
    // Not from within the session's tick: its timer does not fire again while a message box
    // opened from its handler is up, and polling would stop until it is closed.
    QMetaObject::invokeMethod(
        this, [this, message] { ShowMessage(message); }, Qt::QueuedConnection);
}

void TDashBoardForm::ShowReplay(const QString& name)
{
    if (name.isEmpty()) {
        // Dials the log left without a value come back with the link's.
        m_dials.SetHeld({});
        m_dials.ShowLive(false, m_session.Queries().Values(), m_session.Connection().Constants());
        ShowValuesState();
        return;
    }
    m_dials.SetHeld([this](std::string_view value) { return m_session.Queries().HoldsValue(value); });
}

void TDashBoardForm::WatchAlarms()
{
    const EcuQueries& queries = m_session.Queries();
    const bool live = m_session.State().stage == SessionStage::Live && queries.HasLiveValues();
    for (const AlarmStart& start : m_alarms.Update(m_settings.limits, queries.Values(), Units(), live)) {
        if (const LiveValueRow* row = FindLiveValue(start.value))
            emit AlarmStarted(LimitTexts::AlarmNote(*row, start.reading));
    }
    const QString text = LimitTexts::AlarmStatus(m_alarms.InAlarm());
    if (text == m_alarmText)
        return;
    m_alarmText = text;
    ShowLastPanel();
}

void TDashBoardForm::ShowLastPanel()
{
    // The last panel takes what room the window has left: an alarm shares it with the session
    // recording rather than squeezing the panels of the link.
    QStringList parts;
    for (const QString& part : { m_recordingText, m_alarmText }) {
        if (!part.isEmpty())
            parts << part;
    }
    QLabel* panel = m_controls.panels[RecordingPanel];
    const QString text = parts.join(QStringLiteral("  "));
    panel->setToolTip(m_alarmText.isEmpty() ? QString() : text);
    if (m_alarmText.isEmpty()) {
        panel->setText(text);
        panel->setAutoFillBackground(false);
        return;
    }
    // Several values in alarm, or a long name in another language, may outgrow the room: the
    // panel ends them with "..." and its tool tip holds them all.
    panel->setText(panel->fontMetrics().elidedText(text, Qt::ElideRight, panel->contentsRect().width()));
    SetColours(panel, kColorRed, kColorWhite);
}

void TDashBoardForm::SetLimits(const LimitTable& kept)
{
    m_settings.limits = kept;
    m_dials.ShowLimits(kept, Units());
    m_dials.ShowLevels(m_session.Queries().Values());
    WatchAlarms();
    SaveSettings();
}

void TDashBoardForm::ShowState(const SessionState& state)
{
    SetPanelText(ConnectPanel, SessionStateText(state));
    // The title names a replay; the status bar says the rest.
    setWindowTitle(state.file.isEmpty() ? m_caption : SessionCaption(m_caption, state));
}

void TDashBoardForm::ApplySettings()
{
    // The values were checked when read, so none of these can refuse.
    ConnectionSettings& connection = m_session.Settings();
    connection.SetBaudText(m_settings.baudText);
    connection.SetSampleRate(m_settings.sampleRate);
    connection.SetFastGap(std::chrono::microseconds(m_settings.fastPollGapMicroseconds));
    SetFastPolling(m_settings.fastPolling);
    connection.SetTempUnits(m_settings.tempUnits.toStdString());
    connection.SetSpeedUnits(m_settings.speedUnits.toStdString());
    connection.SetIdleGaugeMode(m_settings.mpgDial.toStdString());
    connection.SetInjectorFlow(m_settings.flowRate);
}

QString TDashBoardForm::PanelText(int panel) const
{
    if (panel < 0 || panel >= PanelCount)
        return {};
    return m_controls.panels[static_cast<std::size_t>(panel)]->text();
}

void TDashBoardForm::ShowRecordingText(const QString& text)
{
    m_recordingText = text;
    ShowLastPanel();
}

void TDashBoardForm::SetPanelText(int panel, const QString& text)
{
    m_controls.panels.at(static_cast<std::size_t>(panel))->setText(text);
}

void TDashBoardForm::LogoPicClick()
{
    m_session.Connect();
}

void TDashBoardForm::MILLabelClick()
{
    m_menu->Show(ToolWindow::FaultCodes);
}

void TDashBoardForm::Exit1Click()
{
    close();
}

void TDashBoardForm::SetBaudText(const QString& baudText)
{
    if (const QString problem = m_session.Settings().SetBaudText(baudText); !problem.isEmpty())
        ShowMessage(problem);
}

void TDashBoardForm::SetSampleRate(int ms)
{
    if (const QString problem = m_session.Settings().SetSampleRate(ms); !problem.isEmpty())
        ShowMessage(problem);
}

void TDashBoardForm::SetFastPolling(bool fast)
{
    m_session.SetPollMode(fast ? EcuConnection::PollMode::Fast : EcuConnection::PollMode::Tick);
}

void TDashBoardForm::SetTempUnits(const QString& units)
{
    m_settings.tempUnits = KnownTempUnits(units);
    m_dials.ShowTempUnits(m_settings.tempUnits);
    m_dials.ShowLimits(m_settings.limits, Units());
    m_session.Settings().SetTempUnits(m_settings.tempUnits.toStdString());
}

void TDashBoardForm::SetSpeedUnits(const QString& units)
{
    m_settings.speedUnits = KnownSpeedUnits(units);
    m_dials.ShowSpeedUnits(m_settings.speedUnits);
    m_dials.ShowLimits(m_settings.limits, Units());
    m_session.Settings().SetSpeedUnits(m_settings.speedUnits.toStdString());
}

void TDashBoardForm::ResetEcu()
{
    for (;;) {
        switch (AskReset(tr(ResetQuestion), tr(ResetCaption))) {
        case ResetChoice::Reset:
            m_session.RequestReset();
            return;
        case ResetChoice::SaveReportFirst:
            // Asked again once the report is written (or not), so that the reset stays a choice.
            SaveReportAction()->trigger();
            break;
        case ResetChoice::Cancel:
            return;
        }
    }
}

void TDashBoardForm::SetToolWindow(ToolWindow which, QWidget* window)
{
    // The data viewer is watched: it may stand in for this window (eventFilter).
    if (which == ToolWindow::DataViewer) {
        if (QWidget* previous = RegisteredToolWindow(which))
            previous->removeEventFilter(this);
        if (window)
            window->installEventFilter(this);
    }
    m_menu->SetWindow(which, window);
}

bool TDashBoardForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Resize && watched == m_controls.panels[RecordingPanel]
        && !m_alarmText.isEmpty())
        ShowLastPanel();
    // Closing the data viewer that stands in for this window would leave the program running with
    // nothing on screen; this window comes back instead.
    if (event->type() == QEvent::Hide && watched == RegisteredToolWindow(ToolWindow::DataViewer)
        && m_hiddenForUnknownEcu && !m_closing) {
        m_hiddenForUnknownEcu = false;
        show();
    }
    return QMainWindow::eventFilter(watched, event);
}

void TDashBoardForm::ShowValuesState()
{
    const EcuConnection& connection = m_session.Connection();
    const EcuQueries& queries = m_session.Queries();
    // A replayed log was taken from an ECU the dials could show, whatever is on the line now.
    const bool live
        = queries.HasLiveValues() && (queries.IsReplay() || connection.GetEcuSupport() == SupportFull);
    m_dials.ShowLive(live, queries.Values(), connection.Constants());
}

void TDashBoardForm::OnEcuIdentified(const IdentifiedEcu& ecu)
{
    switch (ecu.support) {
    case SupportNone:
        ShowMessage(UnknownEcuMessage(ecu.ecuId));
        m_hiddenForUnknownEcu = true;
        hide();
        m_menu->Show(ToolWindow::DataViewer);
        break;
    case SupportObd2:
        ShowMessage(tr(Obd2Message));
        break;
    case SupportFull:
        m_dials.SetupForEcu(m_session.Connection().Constants());
        break;
    }
    // A known ECU on the line again (another car on the same cable): the dashboard is back.
    if (ecu.support != SupportNone && m_hiddenForUnknownEcu) {
        m_hiddenForUnknownEcu = false;
        show();
    }
}

void TDashBoardForm::OnResetFinished(bool succeeded)
{
    ShowMessage(ResetResultText(succeeded));
}

void TDashBoardForm::closeEvent(QCloseEvent* event)
{
    m_closing = true;
    m_session.CloseLink();
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
    current.baudText = m_session.Connection().BaudText();
    current.sampleRate = m_session.Connection().SampleRate();
    current.fastPolling = FastPolling();
    return m_settingsFile.Update([&current](IniFile& ini) { WriteDashboardSettings(ini, current); });
}

void TDashBoardForm::SaveSettings()
{
    const std::optional<std::string> failure = WriteSettings();
    if (failure && !m_saveFailureShown) {
        m_saveFailureShown = true;
        ShowMessage(tr("The settings could not be saved: %1").arg(QString::fromStdString(*failure)));
    }
}

void TDashBoardForm::ShowMessage(const QString& text)
{
    QMessageBox::information(this, QCoreApplication::applicationName(), text);
}

TDashBoardForm::ResetChoice TDashBoardForm::AskReset(const QString& text, const QString& caption)
{
    QMessageBox box(QMessageBox::Warning, caption, text, QMessageBox::Ok | QMessageBox::Cancel, this);
    box.setDefaultButton(QMessageBox::Cancel);
    QPushButton* report = nullptr;
    if (SaveReportAction()->isEnabled()) {
        report = box.addButton(tr("Save Report..."), QMessageBox::ActionRole);
        report->setObjectName(QStringLiteral("SaveReportFirst"));
    }
    box.exec();
    if (report && box.clickedButton() == report)
        return ResetChoice::SaveReportFirst;
    return box.clickedButton() == box.button(QMessageBox::Ok) ? ResetChoice::Reset : ResetChoice::Cancel;
}
