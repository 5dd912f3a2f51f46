#include "ui/HelpForm.h"

#include "controls/ColorRef.h"
#include "defs/ProgramVersion.h"
#include "ui/MakerLogo.h"

#include <QLabel>
#include <QPushButton>

namespace {

constexpr QSize kFormSize { 460, 300 };
constexpr QRect kMakerRect { 8, 8, 444, 32 };
constexpr QRect kLogoRect { 177, 46, 105, 57 };
constexpr QRect kContentsButtonRect { 150, 120, 160, 34 };
constexpr QRect kVersionRect { 8, 172, 444, 24 };
constexpr QRect kNoticeRect { 8, 204, 444, 36 };
constexpr QRect kCloseButtonRect { 190, 256, 80, 30 };

constexpr int kMakerFontPx = 24;
constexpr int kVersionFontPx = 19;
constexpr int kNoticeFontPx = 12;

void Style(QLabel* label, int fontPx, ColorRef colour)
{
    label->setAlignment(Qt::AlignCenter);
    QFont font = label->font();
    font.setPixelSize(fontPx);
    label->setFont(font);
    SetTextColour(label, colour);
}

} // namespace

THelpForm::THelpForm(QWidget* parent)
    : SettingsDialog("HelpForm", tr("Help"), kFormSize, parent)
{
    Style(AddWrappedLabel(tr("KodraPower Engine Management"), kMakerRect), kMakerFontPx, kColorRed);
    QLabel* logo = AddLabel({}, kLogoRect);
    logo->setObjectName(QStringLiteral("Logo"));
    logo->setPixmap(MakerLogo(kLogoRect.size()));
    QPushButton* contentsButton = AddButton("HelpContentsBtn", tr("Help Contents"), kContentsButtonRect);
    connect(contentsButton, &QPushButton::clicked, this, &THelpForm::HelpContentsWanted);
    Style(AddWrappedLabel(QString::fromStdString(ProgramTitle()), kVersionRect), kVersionFontPx, kColorRed);
    Style(AddWrappedLabel(tr("For workshop use: run actuator tests only with the vehicle stationary and "
                             "the engine conditions shown."),
              kNoticeRect),
        kNoticeFontPx, kColorWhite);

    QPushButton* closeButton = AddButton("CloseBtn", tr("Close"), kCloseButtonRect);
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
}
