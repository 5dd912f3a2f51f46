#include "ui/EcuIdForm.h"

#include "controls/ColorRef.h"
#include "link/EcuSession.h"

#include <QFont>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>

namespace {

constexpr int ClientWidth = 208;
constexpr int ClientHeight = 146;
constexpr int CaptionFontPixels = 19;
constexpr int CaptionLeft = 64;
constexpr int CaptionTop = 24;
constexpr int CaptionWidth = 96;
constexpr int CaptionHeight = 28;
constexpr int EditLeft = 56;
constexpr int EditTop = 72;
constexpr int EditWidth = 96;
constexpr int EditHeight = 24;

} // namespace

TECUIDForm::TECUIDForm(QWidget* parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("ECUIDForm"));
    setWindowTitle(tr("ECU ID"));
    SetColours(this, kColorBlack, kColorWhite);

    ECUIDL = new QLabel(tr("ECU ID"), this);
    ECUIDL->setObjectName(QStringLiteral("ECUIDL"));
    QFont captionFont = ECUIDL->font();
    captionFont.setPixelSize(CaptionFontPixels);
    ECUIDL->setFont(captionFont);
    // A caption longer than the design's widens the window, the box staying under the caption.
    const int widening = std::max(0, ECUIDL->sizeHint().width() - CaptionWidth);
    ECUIDL->setGeometry(CaptionLeft, CaptionTop, CaptionWidth + widening, CaptionHeight);

    IDEB = new QLineEdit(QStringLiteral("0000"), this);
    IDEB->setObjectName(QStringLiteral("IDEB"));
    IDEB->setGeometry(EditLeft + widening / 2, EditTop, EditWidth, EditHeight);
    // It shows what the ECU said; there is nothing to type.
    IDEB->setReadOnly(true);

    resize(ClientWidth + widening, ClientHeight);
}

TECUIDForm::TECUIDForm(const EcuSession& session, QWidget* parent)
    : TECUIDForm(parent)
{
    connect(&session, &EcuSession::EcuIdentified, this,
        [this](const IdentifiedEcu& ecu) { ShowEcuId(QString::fromStdString(ecu.ecuId)); });
}

void TECUIDForm::ShowEcuId(const QString& ecuId)
{
    IDEB->setText(ecuId);
}

QString TECUIDForm::EcuIdText() const
{
    return IDEB->text();
}
