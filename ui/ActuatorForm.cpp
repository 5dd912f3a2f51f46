#include "ui/ActuatorForm.h"

#include "controls/ColorRef.h"
#include "defs/ActuatorTests.h"
#include "defs/EcuIdentification.h"
#include "link/EcuQueries.h"
#include "link/EcuSession.h"
#include "locale/LocaleFixed.h"
#include "locale/SessionStateText.h"

#include <QAction>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QShowEvent>
#include <QStatusBar>
#include <QTimer>

#include <algorithm>

namespace {

using Monitor1Value = int LiveValues::*;

// The value behind each test's first monitor; nullptr: Monitor1 keeps its last text.
Monitor1Value Monitor1ValueOf(ActuatorMonitor monitor)
{
    switch (monitor) {
    case ActuatorMonitor::TargetIdle:
        return &LiveValues::targetIdle;
    case ActuatorMonitor::Advance:
        return &LiveValues::advance;
    case ActuatorMonitor::IacAdjust:
        return &LiveValues::iacAdjust;
    case ActuatorMonitor::Egr:
        return &LiveValues::egr;
    case ActuatorMonitor::None:
        break;
    }
    return nullptr;
}

const ActuatorTest& RowOf(int test)
{
    return ActuatorTests()[static_cast<std::size_t>(test - 1)];
}

bool IsTest(int test)
{
    return FindActuatorTest(test) != nullptr;
}

constexpr int kRpmPrecision = 5;
constexpr int kCoolantPrecision = 3;

// Monitors 2 to 4 read the same values in every test, so they are live before one is chosen.
constexpr std::size_t kFirstSharedMonitor = 1;
const char* const kNoFirstMonitorCaption = "---";
constexpr QLatin1String kNoValue("--");

const char* const kWaitingText
    = QT_TRANSLATE_NOOP("TActuatorForm", "Waiting for the ECU to acknowledge %1 ...");
const char* const kAcknowledgedText = QT_TRANSLATE_NOOP("TActuatorForm", "ECU acknowledged %1");
const char* const kCancellingText = QT_TRANSLATE_NOOP("TActuatorForm", "Cancelling ...");
const char* const kCancelledText = QT_TRANSLATE_NOOP("TActuatorForm", "Test cancelled");
const char* const kNothingChosenTitle = QT_TRANSLATE_NOOP("TActuatorForm", "No test chosen");
const char* const kChooseCaption = QT_TRANSLATE_NOOP("TActuatorForm", "Choose a test from the View menu");
const char* const kNotSentText = QT_TRANSLATE_NOOP("TActuatorForm", "%1 not sent: %2");
const char* const kStoppedText = QT_TRANSLATE_NOOP("TActuatorForm", "%1 stopped: %2");

// --- Layout, in the central widget's pixels ---------------------------------------------

constexpr int kFormWidth = 360;
constexpr int kFormHeight = 548;
constexpr QRect kTitleRect { 8, 4, 348, 40 };
constexpr QRect kControlGroupRect { 8, 48, 344, 112 };
constexpr QRect kCommandEditRect { 10, 22, 190, 80 };
constexpr QRect kSetButtonRect { 212, 26, 120, 32 };
constexpr QRect kCancelButtonRect { 212, 66, 120, 32 };
constexpr QRect kMonitorsGroupRect { 8, 166, 344, 216 };
constexpr QPoint kFirstMonitorOrigin { 8, 20 };
constexpr QSize kMonitorGroupSize { 162, 92 };
constexpr QPoint kMonitorStep { 166, 96 }; // two monitors a row
constexpr int kMonitorsPerRow = 2;
constexpr QRect kMonitorLabelRect { 6, 20, 150, 64 };
constexpr QRect kConditionsGroupRect { 8, 388, 344, 96 };
constexpr QPoint kFirstConditionOrigin { 10, 20 };
constexpr QSize kConditionSize { 324, 18 };

constexpr int kTitleFontPx = 30;
constexpr int kCommandFontPx = 60;
constexpr int kMonitorFontPx = 40;

QFont PixelFont(int pixels)
{
    QFont font;
    font.setPixelSize(pixels);
    return font;
}

// How much taller than the design the title must be to hold, wrapped, the longest title of the
// window's language; everything below it moves down by as much.
int TitleDeepening(const QFont& font)
{
    const QFontMetrics metrics(font);
    int height = kTitleRect.height();
    const auto hold = [&](const char* title) {
        const QRect wrapped = metrics.boundingRect(
            QRect(QPoint(), QSize(kTitleRect.width(), 0)), Qt::TextWordWrap, TActuatorForm::tr(title));
        height = std::max(height, wrapped.height());
    };
    hold(kNothingChosenTitle);
    for (const ActuatorTest& test : ActuatorTests())
        hold(test.title);
    return height - kTitleRect.height();
}

// Edit fields paint Base and draw Text, so those roles follow the window colours here.
void SetWindowAndEditColours(QWidget* widget, ColorRef background, ColorRef text)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, ColorFromRef(background));
    palette.setColor(QPalette::Base, ColorFromRef(background));
    palette.setColor(QPalette::WindowText, ColorFromRef(text));
    palette.setColor(QPalette::Text, ColorFromRef(text));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

} // namespace

TActuatorForm::TActuatorForm(const EcuQueries& queries, QWidget* parent)
    : QMainWindow(parent)
    , m_queries(queries)
{
    setObjectName(QStringLiteral("ActuatorForm"));
    setWindowTitle(tr("DazedErir Actuator Controls"));
    BuildControls();
    BuildMenu();

    m_timer1 = new QTimer(this);
    m_timer1->setObjectName(QStringLiteral("Timer1"));
    m_timer1->setInterval(TimerIntervalMs);
    connect(m_timer1, &QTimer::timeout, this, &TActuatorForm::Timer1Timer);
    m_timer1->start();
}

TActuatorForm::TActuatorForm(EcuSession& session, QWidget* parent)
    : TActuatorForm(session.Queries(), parent)
{
    m_session = &session;
    connect(&session, &EcuSession::StateChanged, this, &TActuatorForm::ShowState);
    connect(&session, &EcuSession::EcuIdentified, this,
        [this](const IdentifiedEcu& ecu) { EnableTests(ecu.featureFlags & EcuFeatureMask); });
    connect(this, &TActuatorForm::ActuatorRequested, &session, &EcuSession::RequestActuator);
    connect(&session, &EcuSession::ActuatorReplied, this, &TActuatorForm::ActuatorReply);
}

bool TActuatorForm::EcuAnswers() const
{
    if (!m_session)
        return m_queries.HasLiveValues();
    // A replayed capture answers as the car did; a replayed log answers nothing.
    const SessionStage stage = m_session->State().stage;
    return stage == SessionStage::Live || stage == SessionStage::ReplayingCapture;
}

void TActuatorForm::ShowState(const SessionState& state)
{
    RefreshMonitors();
    if (!m_testActive || EcuAnswers())
        return;
    // Re-requests would wait on the line and start the test later, unasked.
    m_testActive = false;
    m_statusLabel->setText(tr(kStoppedText).arg(RequestName(m_selectedTest), SessionStateText(state)));
}

void TActuatorForm::showEvent(QShowEvent* event)
{
    // A message from an earlier visit says nothing about now.
    if (!m_testActive)
        m_statusLabel->clear();
    QMainWindow::showEvent(event);
}

void TActuatorForm::BuildControls()
{
    // Black and silver below the menu bar only: the menu keeps the desktop's look.
    auto* central = new QWidget(this);
    SetWindowAndEditColours(central, kColorBlack, kColorSilver);
    setCentralWidget(central);

    // Nothing is chosen at first, and nothing shown as if it were: Set waits for a choice.
    m_controlTitle = new QLabel(tr(kNothingChosenTitle), central);
    m_controlTitle->setObjectName(QStringLiteral("Control_Title"));
    m_controlTitle->setFont(PixelFont(kTitleFontPx));
    m_controlTitle->setWordWrap(true);
    const int deepening = TitleDeepening(m_controlTitle->font());
    m_controlTitle->setGeometry(kTitleRect.adjusted(0, 0, 0, deepening));
    SetWindowAndEditColours(m_controlTitle, kColorBlack, kColorWhite);
    const QPoint below(0, deepening);
    resize(kFormWidth, kFormHeight + deepening);

    m_controlGroup = new QGroupBox(tr(kChooseCaption), central);
    m_controlGroup->setObjectName(QStringLiteral("Control_GB"));
    m_controlGroup->setGeometry(kControlGroupRect.translated(below));

    m_commandEdit = new QLineEdit(m_controlGroup);
    m_commandEdit->setEnabled(false);
    m_commandEdit->setObjectName(QStringLiteral("Command_EB"));
    m_commandEdit->setGeometry(kCommandEditRect);
    m_commandEdit->setFont(PixelFont(kCommandFontPx));
    SetWindowAndEditColours(m_commandEdit, kColorSilver, kColorBlack);

    //: Sends the test with the value in the box to the ECU.
    m_setButton = new QPushButton(tr("Set"), m_controlGroup);
    m_setButton->setObjectName(QStringLiteral("SetBtn"));
    m_setButton->setGeometry(kSetButtonRect);
    m_setButton->setEnabled(false);
    connect(m_setButton, &QPushButton::clicked, this, &TActuatorForm::SetBtnClick);

    m_cancelButton = new QPushButton(tr("Cancel"), m_controlGroup);
    m_cancelButton->setObjectName(QStringLiteral("CancelBtn"));
    m_cancelButton->setGeometry(kCancelButtonRect);
    connect(m_cancelButton, &QPushButton::clicked, this, &TActuatorForm::CancelBtnClick);

    auto* monitorsGroup = new QGroupBox(tr("Monitors"), central);
    monitorsGroup->setObjectName(QStringLiteral("GroupBox1"));
    monitorsGroup->setGeometry(kMonitorsGroupRect.translated(below));
    for (int i = 0; i < MonitorCount; ++i) {
        const QString number = QString::number(i + 1);
        const QPoint origin = kFirstMonitorOrigin
            + QPoint((i % kMonitorsPerRow) * kMonitorStep.x(), (i / kMonitorsPerRow) * kMonitorStep.y());
        // The shared monitors carry their captions from the start; the first waits for a test.
        const auto index = static_cast<std::size_t>(i);
        const QString caption = index >= kFirstSharedMonitor ? tr(RowOf(1).monitorCaptions.at(index))
                                                             : QString::fromLatin1(kNoFirstMonitorCaption);
        auto* group = new QGroupBox(caption, monitorsGroup);
        group->setObjectName(QStringLiteral("Monitor%1_GB").arg(number));
        group->setGeometry(QRect(origin, kMonitorGroupSize));
        auto* monitor = new QLabel(group);
        monitor->setObjectName(QStringLiteral("Monitor") + number);
        monitor->setGeometry(kMonitorLabelRect);
        monitor->setFont(PixelFont(kMonitorFontPx));
        monitor->setAlignment(Qt::AlignCenter);
        SetWindowAndEditColours(monitor, kColorSilver, kColorBlack);
        m_monitorGroups.at(index) = group;
        m_monitors.at(index) = monitor;
    }

    auto* conditionsGroup = new QGroupBox(tr("Conditions"), central);
    conditionsGroup->setObjectName(QStringLiteral("Conditions_GB"));
    conditionsGroup->setGeometry(kConditionsGroupRect.translated(below));
    const auto& conditions = ActuatorConditions();
    for (std::size_t i = 0; i < conditions.size(); ++i) {
        auto* condition = new QLabel(tr(conditions.at(i)), conditionsGroup);
        condition->setObjectName(QStringLiteral("Condition%1").arg(i + 1));
        condition->setGeometry(
            QRect(kFirstConditionOrigin + QPoint(0, static_cast<int>(i) * kConditionSize.height()),
                kConditionSize));
    }

    m_statusLabel = new QLabel(this);
    m_statusLabel->setObjectName(QStringLiteral("ActuatorStatus"));
    SetWindowAndEditColours(statusBar(), kColorBlack, kColorSilver);
    statusBar()->setSizeGripEnabled(false);
    statusBar()->addPermanentWidget(m_statusLabel, 1);
}

void TActuatorForm::BuildMenu()
{
    menuBar()->setObjectName(QStringLiteral("ActuatorMenu"));
    menuBar()->addMenu(tr("File"))->setObjectName(QStringLiteral("File1"));
    QMenu* view = menuBar()->addMenu(tr("View"));
    view->setObjectName(QStringLiteral("View1"));
    for (int test = 1; test <= TestCount; ++test) {
        const ActuatorTest& row = RowOf(test);
        QAction* action = view->addAction(tr(row.entryCaption));
        action->setObjectName(QString::fromLatin1(row.controlName));
        action->setEnabled(false);
        connect(action, &QAction::triggered, this, [this, test] { SelectTest(test); });
        m_testActions.at(static_cast<std::size_t>(test - 1)) = action;
    }
}

void TActuatorForm::EnableTests(int flags)
{
    for (int test = 1; test <= TestCount; ++test) {
        if ((flags & RowOf(test).flagBit) != 0)
            TestAction(test)->setEnabled(true);
    }
}

QAction* TActuatorForm::TestAction(int test) const
{
    return m_testActions.at(static_cast<std::size_t>(test - 1));
}

QString TActuatorForm::StatusText() const
{
    return m_statusLabel->text();
}

void TActuatorForm::SelectTest(int test)
{
    if (!IsTest(test))
        return;
    const ActuatorTest& row = RowOf(test);
    m_controlTitle->setText(tr(row.title));
    m_controlGroup->setTitle(tr(row.groupCaption));
    m_commandEdit->setText(QString::fromLatin1(row.editText));
    m_commandEdit->setEnabled(true);
    m_setButton->setEnabled(true);
    for (std::size_t i = 0; i < m_monitorGroups.size(); ++i)
        m_monitorGroups.at(i)->setTitle(tr(row.monitorCaptions.at(i)));
    // What the ECU acknowledged was about the test that was chosen before.
    if (test != m_selectedTest)
        m_statusLabel->clear();
    m_selectedTest = test;
}

void TActuatorForm::SetBtnClick()
{
    if (!IsTest(m_selectedTest))
        return; // Set is enabled only once a test is chosen
    const ActuatorCommand command
        = ActuatorCommandValue(m_selectedTest, m_commandEdit->text().toStdString(), m_commandValue);
    if (command.refusal) {
        ShowMessage(QString::fromStdString(command.refusal->Worded(tr(command.refusal->text).toStdString())));
        return;
    }
    m_commandValue = command.value;
    if (!EcuAnswers()) {
        const QString why = m_session ? SessionStateText(m_session->State()) : tr("no ECU answers");
        m_statusLabel->setText(tr(kNotSentText).arg(RequestName(m_selectedTest), why));
        return;
    }
    m_testActive = true;
    Request(m_selectedTest, m_commandValue);
}

void TActuatorForm::CancelBtnClick()
{
    m_testActive = false;
    Request(0, 0);
}

QString TActuatorForm::RequestName(int test)
{
    return IsTest(test) ? tr(RowOf(test).title) : tr("the cancel");
}

void TActuatorForm::Request(int test, int value)
{
    // The session holds the command until the ECU answers, so say that it is on its way.
    m_statusLabel->setText(IsTest(test) ? tr(kWaitingText).arg(RequestName(test)) : tr(kCancellingText));
    Emit(test, value);
}

void TActuatorForm::Emit(int test, int value)
{
    m_lastRequest = { test, value };
    emit ActuatorRequested(test, value);
}

void TActuatorForm::ActuatorReply(int test, int value)
{
    // A reply to an earlier request (one replaced or cancelled since) says nothing about this one.
    if (!m_lastRequest || m_lastRequest->test != test || m_lastRequest->value != value)
        return;
    if (!IsTest(test)) {
        m_statusLabel->setText(tr(kCancelledText));
        return;
    }
    // After Cancel or a change of test the reply to a re-request still in flight is not shown.
    if (m_testActive && test == m_selectedTest)
        m_statusLabel->setText(tr(kAcknowledgedText).arg(RequestName(test)));
}

void TActuatorForm::Timer1Timer()
{
    RefreshMonitors();
    if (m_actuatorTicks % TicksPerRequest == 0 && m_testActive) {
        Emit(m_selectedTest, m_commandValue);
        if (m_selectedTest == 0)
            m_testActive = false;
    }
    ++m_actuatorTicks;
}

void TActuatorForm::RefreshMonitors()
{
    if (!m_queries.HasLiveValues()) {
        // Values not current are not shown as if they were: a test must not be judged by them.
        for (QLabel* monitor : m_monitors)
            monitor->setText(kNoValue);
        return;
    }
    const LiveValues& values = m_queries.Values();
    if (IsTest(m_selectedTest)) {
        const Monitor1Value monitor1 = Monitor1ValueOf(RowOf(m_selectedTest).monitor1);
        if (monitor1 != nullptr)
            m_monitors[0]->setText(QString::number(values.*monitor1));
    }
    m_monitors[1]->setText(LocaleFixed(static_cast<float>(values.rpm), kRpmPrecision, 0));
    m_monitors[2]->setText(LocaleFixed(values.coolantTemp, kCoolantPrecision, 0));
    m_monitors[3]->setText(QString::number(values.roadSpeed));
}

void TActuatorForm::ShowMessage(const QString& text)
{
    QMessageBox::warning(this, windowTitle(), text);
}
