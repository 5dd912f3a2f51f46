#include "logger/TriggerDialog.h"

#include "logger/LoggerMessages.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

using Field = TriggerProblem::Field;

struct TriggerBox {
    Field field;
    std::string TriggerTexts::*text;
    const char* objectName;
};

// In the order shown, each box at the index of its field.
// clang-format off
constexpr std::array<TriggerBox, 5> kBoxes { {
    { Field::StartWhen,  &TriggerTexts::startWhen,  "StartWhenBox" },
    { Field::StopWhen,   &TriggerTexts::stopWhen,   "StopWhenBox" },
    { Field::StopDelay,  &TriggerTexts::stopDelay,  "StopDelayBox" },
    { Field::PreTrigger, &TriggerTexts::preTrigger, "PreTriggerBox" },
    { Field::StopAfter,  &TriggerTexts::stopAfter,  "StopAfterBox" },
} };
// clang-format on

// Wide enough for "Batt Volts*10 > 12.5" with room to spare.
constexpr int kBoxWidthInCharacters = 24;

} // namespace

TriggerDialog::TriggerDialog(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("TriggerDialog"));
    setWindowTitle(tr("Trigger"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    auto* hint
        = new QLabel(tr("A condition is one of the four logged channels above or below a value, "
                        "for example RPM > 3000 or TPS(Angle) < 10. Leave \"Start when\" empty to record "
                        "from Start, \"Stop when\" empty to stop with Stop."),
            this);
    hint->setWordWrap(true);
    layout->addWidget(hint);
    auto* form = new QFormLayout;
    for (std::size_t i = 0; i < kBoxes.size(); ++i) {
        auto* box = new QLineEdit(this);
        box->setObjectName(QLatin1String(kBoxes[i].objectName));
        box->setMinimumWidth(box->fontMetrics().averageCharWidth() * kBoxWidthInCharacters);
        form->addRow(LoggerMessages::TriggerField(kBoxes[i].field), box);
        m_boxes[i] = box;
    }
    layout->addLayout(form);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("TriggerOk"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("TriggerCancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, [this] { emit TextsChosen(TypedTexts()); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

void TriggerDialog::ShowTexts(const TriggerTexts& texts)
{
    for (std::size_t i = 0; i < kBoxes.size(); ++i)
        m_boxes[i]->setText(QString::fromStdString(texts.*kBoxes[i].text));
}

TriggerTexts TriggerDialog::TypedTexts() const
{
    TriggerTexts texts;
    for (std::size_t i = 0; i < kBoxes.size(); ++i)
        texts.*kBoxes[i].text = m_boxes[i]->text().trimmed().toStdString();
    return texts;
}

void TriggerDialog::FocusOn(Field field)
{
    // A message about the box may have been shown over another window, which then kept the keys.
    raise();
    activateWindow();
    for (std::size_t i = 0; i < kBoxes.size(); ++i) {
        if (kBoxes[i].field == field) {
            m_boxes[i]->setFocus();
            m_boxes[i]->selectAll();
        }
    }
}
