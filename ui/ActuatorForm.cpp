#include "ui/ActuatorForm.h"

#include "controls/ColorRef.h"
#include "link/EcuQueries.h"
#include "controls/LocaleFixed.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>

#include <cmath>

namespace {

// What Set does with the command edit box of a test.
enum class CommandKind {
    TargetIdleRpm, // rpm scaled to the ECU's idle steps
    FixedAdvance, // always the same value; the box is not read
    EgrPosition, // the number as typed
    NoValue, // the frame carries no value; CommandValue keeps the last one
};

using Monitor1Query = int (EcuQueries::*)() const;

struct ActuatorTestRow {
    const char* entryCaption;
    const char* controlName;
    const char* title;
    const char* groupCaption;
    const char* editText;
    std::array<const char*, TActuatorForm::MonitorCount> monitorCaptions;
    int flagBit;
    CommandKind command;
    Monitor1Query monitor1; // nullptr: Monitor1 keeps its last text
};

// clang-format off
const std::array<ActuatorTestRow, TActuatorForm::TestCount> kActuatorTests { {
    { "RPM Control",        "RPMControl1",      "RPM Control",             "Set Target Idle",   "800", { "Target Idle",     "RPM", "CTS", "VSS" }, 0x01, CommandKind::TargetIdleRpm, &EcuQueries::GetTargetIdle },
    { "Fix Advance",        "FixAdvance1",      "Fix Advance",             "Fix Spark Advance", "---", { "Ign Adv",         "RPM", "CTS", "VSS" }, 0x02, CommandKind::FixedAdvance,  &EcuQueries::GetAdvance },
    { "IAC Calibration",    "IACCalibration1",  "IAC Calibration",         "Set IAC CAl",       "---", { "IAC Adjust Mon.", "RPM", "CTS", "VSS" }, 0x04, CommandKind::NoValue,       &EcuQueries::GetIacAdjust },
    { "EGR Sol. Control",   "EGRSolControl1",   "EGR Solenoid Control",    "EGR Solenoid",      "---", { "---",             "RPM", "CTS", "VSS" }, 0x08, CommandKind::NoValue,       nullptr },
    { "EGR Step Control",   "EGRStepControl1",  "EGR Stepper Control",     "EGR Position (%)",  "0",   { "EGR",             "RPM", "CTS", "VSS" }, 0x10, CommandKind::EgrPosition,   &EcuQueries::GetEgr },
    { "Rad.Fan Control",    "RadFanControl1",   "Radiator Fan Control",    "Radiator Fan",      "---", { "---",             "RPM", "CTS", "VSS" }, 0x20, CommandKind::NoValue,       nullptr },
    { "Can. Purge Control", "CanPurgeControl1", "Can. Purge Sol. Control", "Can. Purge",        "---", { "---",             "RPM", "CTS", "VSS" }, 0x40, CommandKind::NoValue,       nullptr },
    { "Fuel Pump Control",  "FuelPumpControl1", "Fuel Pump Control",       "Fuel Pump",         "---", { "---",             "RPM", "CTS", "VSS" }, 0x80, CommandKind::NoValue,       nullptr },
} };
// clang-format on

const std::array kConditions {
    "Maintain RPM between  500RPM and 2000RPM",
    "Maintain Coolant temp above 70C",
    "Maintain VSS = 0",
    "Maintain Throttle closed",
};

const ActuatorTestRow& RowOf(int test)
{
    return kActuatorTests.at(static_cast<std::size_t>(test - 1));
}

bool IsTest(int test)
{
    return test >= 1 && test <= TActuatorForm::TestCount;
}

constexpr double kRpmToIdleSteps = 0.12750223128904756; // one idle step is 7.843 rpm
constexpr int kMaxTargetIdleRpm = 2000; // 255 steps: the most the one data byte holds
constexpr int kFixedAdvanceValue = 16;
constexpr int kMaxEgrPosition = 255;

constexpr int kRpmPrecision = 5;
constexpr int kCoolantPrecision = 3;

const char* const kWaitingText = "Waiting for the ECU to acknowledge ...";
const char* const kAcknowledgedText = "ECU acknowledged";

// The value Set sends, or the message that explains why the text gives none.
struct CommandOutcome {
    int value = 0;
    QString error;
};

// `text` as a whole number from 0 to `max`, or the message that says what is wrong with it.
CommandOutcome WholeNumberUpTo(const QString& text, int max, const char* what, const char* unit)
{
    bool ok = false;
    const int number = text.trimmed().toInt(&ok);
    if (!ok)
        return { 0, QStringLiteral("'%1' is not a valid integer value").arg(text) };
    if (number < 0 || number > max)
        return { 0,
            QStringLiteral("'%1' is not a valid %2: enter a %3 from 0 to %4")
                .arg(text, QString::fromLatin1(what), QString::fromLatin1(unit), QString::number(max)) };
    return { number, {} };
}

CommandOutcome ComputeCommandValue(CommandKind kind, const QString& text, int previousValue)
{
    switch (kind) {
    case CommandKind::FixedAdvance:
        return { kFixedAdvanceValue, {} };
    case CommandKind::NoValue:
        return { previousValue, {} };
    case CommandKind::EgrPosition:
        return WholeNumberUpTo(text, kMaxEgrPosition, "EGR position", "whole number");
    case CommandKind::TargetIdleRpm: {
        const CommandOutcome rpm
            = WholeNumberUpTo(text, kMaxTargetIdleRpm, "target idle", "whole number of rpm");
        if (!rpm.error.isEmpty())
            return rpm;
        return { static_cast<int>(std::trunc(rpm.value * kRpmToIdleSteps)), {} };
    }
    }
    return { previousValue, {} };
}

// --- Layout, in the central widget's pixels ---------------------------------------------

constexpr int kFormWidth = 360;
constexpr int kFormHeight = 548;
constexpr QRect kTitleRect { 8, 4, 344, 40 };
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
    setWindowTitle(QStringLiteral("DazedErir Actuator Controls"));
    resize(kFormWidth, kFormHeight);
    BuildControls();
    BuildMenu();

    m_timer1 = new QTimer(this);
    m_timer1->setObjectName(QStringLiteral("Timer1"));
    m_timer1->setInterval(TimerIntervalMs);
    connect(m_timer1, &QTimer::timeout, this, &TActuatorForm::Timer1Timer);
    m_timer1->start();
}

void TActuatorForm::BuildControls()
{
    // Black and silver below the menu bar only: the menu keeps the desktop's look.
    auto* central = new QWidget(this);
    SetWindowAndEditColours(central, kColorBlack, kColorSilver);
    setCentralWidget(central);

    m_controlTitle = new QLabel(QStringLiteral("RPM Control"), central);
    m_controlTitle->setObjectName(QStringLiteral("Control_Title"));
    m_controlTitle->setGeometry(kTitleRect);
    m_controlTitle->setFont(PixelFont(kTitleFontPx));
    SetWindowAndEditColours(m_controlTitle, kColorBlack, kColorWhite);

    m_controlGroup = new QGroupBox(QStringLiteral("Set Target Idle"), central);
    m_controlGroup->setObjectName(QStringLiteral("Control_GB"));
    m_controlGroup->setGeometry(kControlGroupRect);

    m_commandEdit = new QLineEdit(QStringLiteral("800"), m_controlGroup);
    m_commandEdit->setObjectName(QStringLiteral("Command_EB"));
    m_commandEdit->setGeometry(kCommandEditRect);
    m_commandEdit->setFont(PixelFont(kCommandFontPx));
    SetWindowAndEditColours(m_commandEdit, kColorSilver, kColorBlack);

    m_setButton = new QPushButton(QStringLiteral("Set"), m_controlGroup);
    m_setButton->setObjectName(QStringLiteral("SetBtn"));
    m_setButton->setGeometry(kSetButtonRect);
    connect(m_setButton, &QPushButton::clicked, this, &TActuatorForm::SetBtnClick);

    m_cancelButton = new QPushButton(QStringLiteral("Cancel"), m_controlGroup);
    m_cancelButton->setObjectName(QStringLiteral("CancelBtn"));
    m_cancelButton->setGeometry(kCancelButtonRect);
    connect(m_cancelButton, &QPushButton::clicked, this, &TActuatorForm::CancelBtnClick);

    auto* monitorsGroup = new QGroupBox(QStringLiteral("Monitors"), central);
    monitorsGroup->setObjectName(QStringLiteral("GroupBox1"));
    monitorsGroup->setGeometry(kMonitorsGroupRect);
    for (int i = 0; i < MonitorCount; ++i) {
        const QString number = QString::number(i + 1);
        const QPoint origin = kFirstMonitorOrigin
            + QPoint((i % kMonitorsPerRow) * kMonitorStep.x(), (i / kMonitorsPerRow) * kMonitorStep.y());
        auto* group = new QGroupBox(QStringLiteral("Monitor") + number, monitorsGroup);
        group->setObjectName(QStringLiteral("Monitor%1_GB").arg(number));
        group->setGeometry(QRect(origin, kMonitorGroupSize));
        auto* monitor = new QLabel(group);
        monitor->setObjectName(QStringLiteral("Monitor") + number);
        monitor->setGeometry(kMonitorLabelRect);
        monitor->setFont(PixelFont(kMonitorFontPx));
        monitor->setAlignment(Qt::AlignCenter);
        SetWindowAndEditColours(monitor, kColorSilver, kColorBlack);
        m_monitorGroups.at(static_cast<std::size_t>(i)) = group;
        m_monitors.at(static_cast<std::size_t>(i)) = monitor;
    }

    auto* conditionsGroup = new QGroupBox(QStringLiteral("Conditions"), central);
    conditionsGroup->setObjectName(QStringLiteral("Conditions_GB"));
    conditionsGroup->setGeometry(kConditionsGroupRect);
    for (std::size_t i = 0; i < kConditions.size(); ++i) {
        auto* condition = new QLabel(QString::fromLatin1(kConditions.at(i)), conditionsGroup);
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
    menuBar()->addMenu(QStringLiteral("File"))->setObjectName(QStringLiteral("File1"));
    QMenu* view = menuBar()->addMenu(QStringLiteral("View"));
    view->setObjectName(QStringLiteral("View1"));
    for (int test = 1; test <= TestCount; ++test) {
        const ActuatorTestRow& row = RowOf(test);
        QAction* action = view->addAction(QString::fromLatin1(row.entryCaption));
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
    const ActuatorTestRow& row = RowOf(test);
    m_controlTitle->setText(QString::fromLatin1(row.title));
    m_controlGroup->setTitle(QString::fromLatin1(row.groupCaption));
    m_commandEdit->setText(QString::fromLatin1(row.editText));
    for (std::size_t i = 0; i < m_monitorGroups.size(); ++i)
        m_monitorGroups.at(i)->setTitle(QString::fromLatin1(row.monitorCaptions.at(i)));
    m_selectedTest = test;
}

void TActuatorForm::SetBtnClick()
{
    // Set before any test is chosen sends the all-zero command, as Cancel does.
    if (IsTest(m_selectedTest)) {
        const CommandOutcome outcome
            = ComputeCommandValue(RowOf(m_selectedTest).command, m_commandEdit->text(), m_commandValue);
        if (!outcome.error.isEmpty()) {
            ShowMessage(outcome.error);
            return;
        }
        m_commandValue = outcome.value;
    }
    m_testActive = true;
    Request(m_selectedTest, m_commandValue);
}

void TActuatorForm::CancelBtnClick()
{
    m_testActive = false;
    Request(0, 0);
}

void TActuatorForm::Request(int test, int value)
{
    // The main window holds the command until the ECU answers, so say that it is on its way.
    m_statusLabel->setText(QString::fromLatin1(kWaitingText));
    emit ActuatorRequested(test, value);
}

void TActuatorForm::ActuatorReply()
{
    m_statusLabel->setText(QString::fromLatin1(kAcknowledgedText));
}

void TActuatorForm::Timer1Timer()
{
    if (IsTest(m_selectedTest))
        RefreshMonitors();
    if (m_actuatorTicks % TicksPerRequest == 0 && m_testActive) {
        emit ActuatorRequested(m_selectedTest, m_commandValue);
        if (m_selectedTest == 0)
            m_testActive = false;
    }
    ++m_actuatorTicks;
}

void TActuatorForm::RefreshMonitors()
{
    const Monitor1Query monitor1 = RowOf(m_selectedTest).monitor1;
    if (monitor1 != nullptr)
        m_monitors[0]->setText(QString::number((m_queries.*monitor1)()));
    m_monitors[1]->setText(LocaleFixed(m_queries.GetRpm(), kRpmPrecision, 0));
    m_monitors[2]->setText(LocaleFixed(m_queries.GetCoolantTemp(), kCoolantPrecision, 0));
    m_monitors[3]->setText(QString::number(m_queries.GetRoadSpeed()));
}

void TActuatorForm::ShowMessage(const QString& text)
{
    QMessageBox::warning(this, windowTitle(), text);
}
