#include "ui/FaultCodesForm.h"

#include "controls/ColorRef.h"
#include "link/EcuSession.h"
#include "link/FlagBytes.h"
#include "locale/SessionStateText.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPalette>
#include <QPlainTextEdit>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr int RefreshIntervalMs = 100;
constexpr int ClientWidth = 727;
constexpr int ClientHeight = 419;

constexpr const char* NoCurrentCodes = QT_TRANSLATE_NOOP("TFaultCodesForm", "No Current Codes");
constexpr const char* NoStoredCodes = QT_TRANSLATE_NOOP("TFaultCodesForm", "No Stored Codes");

QPlainTextEdit* AddMemo(
    QLayout* layout, const QString& boxCaption, const QString& boxName, const QString& memoName)
{
    auto* group = new QGroupBox(boxCaption);
    group->setObjectName(boxName);
    auto* memo = new QPlainTextEdit(group);
    memo->setObjectName(memoName);
    memo->setReadOnly(true);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QPalette palette = memo->palette();
    palette.setColor(QPalette::Text, ColorFromRef(kColorBlack));
    memo->setPalette(palette);
    auto* inner = new QVBoxLayout(group);
    inner->addWidget(memo);
    layout->addWidget(group);
    return memo;
}

// As the command-line tool lists them, in the language shown.
QString FaultText(const std::vector<DecodedFault>& faults)
{
    QString text;
    for (const DecodedFault& fault : faults) {
        text += QCoreApplication::translate("TFaultCodesForm", "Code %1\n%2\n\n")
                    .arg(QString::fromStdString(std::string(fault.code)),
                        QString::fromStdString(std::string(fault.description)));
    }
    return text;
}

// Replacing the text resets the scroll position and the selection, so a list being read is only
// rewritten when it changed.
void ShowText(QPlainTextEdit* memo, const QString& text)
{
    if (memo->toPlainText() != text)
        memo->setPlainText(text);
}

} // namespace

TFaultCodesForm::TFaultCodesForm(const EcuQueries& queries, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_queries(queries)
{
    setObjectName(QStringLiteral("FaultCodesForm"));
    setWindowTitle(tr("Dazederir Fault Code Viewer"));
    m_caption = windowTitle();
    SetColours(this, kColorBlack, kColorWhite);

    auto* layout = new QHBoxLayout(this);
    CFMemo = AddMemo(layout, tr("Current"), QStringLiteral("GroupBox1"), QStringLiteral("CFMemo"));
    SFMemo = AddMemo(layout, tr("History"), QStringLiteral("GroupBox2"), QStringLiteral("SFMemo"));
    resize(ClientWidth, ClientHeight);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(RefreshIntervalMs);
    connect(Timer1, &QTimer::timeout, this, &TFaultCodesForm::Timer1Timer);
}

TFaultCodesForm::TFaultCodesForm(const EcuSession& session, QWidget* parent)
    : TFaultCodesForm(session.Queries(), parent)
{
    connect(&session, &EcuSession::StateChanged, this, &TFaultCodesForm::ShowState);
    connect(&session, &EcuSession::EcuIdentified, this,
        [this](const IdentifiedEcu& ecu) { SetEcu(QString::fromStdString(ecu.ecuId)); });
    ShowState(session.State());
}

void TFaultCodesForm::ShowState(const SessionState& state)
{
    setWindowTitle(SessionCaption(m_caption, state));
}

int TFaultCodesForm::SetEcu(const QString& ecuId)
{
    m_faultTexts = std::make_unique<TranslatedTexts<FaultPositionCount>>(
        "FaultCodes", FaultListOf(ecuId.toStdString()));
    m_faultList = m_faultTexts->Texts();
    Timer1->start();
    return 0;
}

QString TFaultCodesForm::CurrentText() const
{
    return CFMemo->toPlainText();
}

QString TFaultCodesForm::StoredText() const
{
    return SFMemo->toPlainText();
}

void TFaultCodesForm::Timer1Timer()
{
    // What was read last stays to be seen, dimmed, until the values are current again.
    const bool current = m_queries.HasLiveValues();
    CFMemo->setEnabled(current);
    SFMemo->setEnabled(current);
    const DecodedFaults faults = DecodeFaults(m_faultList, ReadFaultBytes(m_queries));
    ShowText(CFMemo, faults.current.empty() ? tr(NoCurrentCodes) : FaultText(faults.current));
    ShowText(SFMemo, faults.stored.empty() ? tr(NoStoredCodes) : FaultText(faults.stored));
}
