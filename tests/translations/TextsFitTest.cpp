// Every text of every window fits the place it is shown in, in each language: a translation longer
// than the English must widen or wrap its place, never be cut.
#include "app/MainWindows.h"
#include "controls/StatusPanel.h"
#include "tests/dashboard/DashboardRig.h"
#include "tests/support/UserActions.h"
#include "translations/ProgramLanguage.h"

#include "logger/DataLoggerForm.h"
#include "ui/ActuatorForm.h"
#include "ui/CommsForm.h"
#include "ui/DataViewerForm.h"
#include "ui/EcuIdForm.h"
#include "ui/FaultCodesForm.h"
#include "ui/HelpForm.h"
#include "ui/HelpWindow.h"
#include "ui/LimitsForm.h"
#include "ui/SampleRateForm.h"
#include "ui/SelDirForm.h"
#include "ui/StatusForm.h"
#include "ui/UnitsSelForm.h"
#include "viewer/LogViewerForm.h"

#include <QAbstractButton>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleOptionGroupBox>
#include <QTextDocument>
#include <gtest/gtest.h>

#include <vector>

namespace {

// The width a one-line text takes in `widget`'s font, without the mnemonic's '&'.
int TextWidth(const QWidget& widget, QString text)
{
    return widget.fontMetrics().horizontalAdvance(text.remove(QRegularExpression(QStringLiteral("&(?!&)"))));
}

// Where a group box's title ends, as the style places it.
int TitleEnd(const QGroupBox& group)
{
    QStyleOptionGroupBox option;
    option.initFrom(&group);
    option.text = group.title();
    option.textAlignment = group.alignment();
    option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    option.features = group.isFlat() ? QStyleOptionFrame::Flat : QStyleOptionFrame::None;
    const QRect label
        = group.style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, &group);
    return label.left() + TextWidth(group, group.title());
}

// "window: text (needs N px, has M)" for each text that its place cuts.
QStringList CutTexts(const QWidget& window)
{
    QStringList cut;
    const auto check = [&cut, &window](const QWidget& place, const QString& text, int needs, int has) {
        if (place.isVisibleTo(&window) && !text.isEmpty() && needs > has)
            cut << QStringLiteral("%1 %2: \"%3\" (needs %4 px, has %5)")
                       .arg(window.objectName(), place.objectName(), text)
                       .arg(needs)
                       .arg(has);
    };
    for (const QLabel* label : window.findChildren<QLabel*>()) {
        // A status panel squeezed by a narrow window shortens its text in the middle and shows it
        // whole in its tool tip: what it paints is what must fit.
        const auto* panel = dynamic_cast<const StatusPanel*>(label);
        const QString text = panel ? panel->ShownText() : label->text();
        if (label->wordWrap() || text.contains(QLatin1Char('\n')) || Qt::mightBeRichText(text)) {
            check(*label, text, label->heightForWidth(label->width()), label->height());
        } else {
            const QMargins margins = label->contentsMargins();
            check(*label, text,
                TextWidth(*label, text) + margins.left() + margins.right() + 2 * label->margin(),
                label->width());
        }
    }
    for (const QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
        // A push button's text is centred between the style's margin and frames, as its size hint
        // has it; the style's least width for any push button is no part of what the text needs.
        const QStyle& style = *button->style();
        const int needs = qobject_cast<const QPushButton*>(button)
            ? TextWidth(*button, button->text()) + style.pixelMetric(QStyle::PM_ButtonMargin)
                + 2 * style.pixelMetric(QStyle::PM_DefaultFrameWidth)
            : button->sizeHint().width();
        check(*button, button->text(), needs, button->width());
    }
    for (const QGroupBox* group : window.findChildren<QGroupBox*>())
        check(*group, group->title(), TitleEnd(*group), group->width());
    return cut;
}

class TextsInEveryWindow : public ::testing::TestWithParam<const char*> { };

TEST_P(TextsInEveryWindow, FitWhereTheyAreShown)
{
    const ProgramLanguage language(QString::fromLatin1(GetParam()));
    DashboardRig rig;
    // Logs go to a short folder: how long a path is depends on where the user keeps logs, not on
    // the language.
    MainWindows windows(*rig.session, rig.TakeForm(), rig.SettingsFolder(), rig.SettingsFolder());
    rig.Identify("1103");
    rig.PollUntilLive();

    const std::vector<QWidget*> all { &windows.Dashboard(), &windows.DataLogger(), &windows.DataViewer(),
        &windows.FaultCodes(), &windows.Status(), &windows.EcuId(), &windows.Actuator(), &windows.Comms(),
        &windows.SampleRate(), &windows.UnitsSel(), &windows.Limits(), &windows.SelDir(), &windows.Help(),
        &windows.HelpContents(), &windows.LogViewer() };
    QStringList cut;
    for (QWidget* window : all) {
        window->show();
        cut << CutTexts(*window);
    }
    // The texts that change with what is shown: the data viewer's second page, each actuator test.
    ClickButton(windows.DataViewer(), QStringLiteral("PageBtn"));
    cut << CutTexts(windows.DataViewer());
    for (int test = 1; test <= ActuatorTestCount; ++test) {
        windows.Actuator().SelectTest(test);
        cut << CutTexts(windows.Actuator());
    }
    // The logger's trigger: its dialog, and the longest of what the row says while armed.
    TDataLoggerForm& logger = windows.DataLogger();
    ClickButton(logger, QStringLiteral("TriggerButton"));
    auto* triggerDialog = logger.findChild<QDialog*>(QStringLiteral("TriggerDialog"));
    ASSERT_NE(triggerDialog, nullptr);
    cut << CutTexts(*triggerDialog);
    triggerDialog->reject();
    ASSERT_FALSE(logger.SetTrigger({ .startWhen = "RPM>3000",
        .stopWhen = "CTS>90",
        .stopDelay = "2",
        .preTrigger = "5",
        .stopAfter = {} }));
    logger.StartLogging();
    cut << CutTexts(logger);
    logger.StopLogging();
    cut << CutTexts(logger);
    cut.removeDuplicates();
    EXPECT_TRUE(cut.isEmpty()) << cut.join(QLatin1Char('\n')).toStdString();
}

INSTANTIATE_TEST_SUITE_P(Languages, TextsInEveryWindow, ::testing::Values("en", "de", "es"),
    [](const ::testing::TestParamInfo<const char*>& param) { return std::string(param.param); });

} // namespace
