// The windows made after a language is chosen show it; what machines read stays English.
#include "tests/actuator/CapturingForm.h"
#include "tests/dashboard/DashboardRig.h"
#include "tests/logger/LogFileTestSupport.h"
#include "tests/logger/LoggerFormRig.h"
#include "translations/ProgramLanguage.h"
#include "ui/ActuatorForm.h"
#include "ui/DataViewerForm.h"

#include <QAction>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

struct Expected {
    const char* language;
    QString fileMenu; // the main window's first menu
    QString optionsMenu;
    QString connected; // the status bar once the ECU answers
    QString formatButton; // the data viewer's mode button
    QString setButton; // the actuator window's Set
    QString refusal; // of a target idle of 2001 rpm, worded in the table below the windows
    QString stopButton; // the data logger's
    QString firstChannel; // the data logger's caption over its first chart
};

class TranslatedWindows : public ::testing::TestWithParam<Expected> { };

QStringList MenuTitles(const QMainWindow& window)
{
    QStringList titles;
    for (const QAction* menu : window.menuBar()->actions())
        titles << menu->text();
    return titles;
}

TEST_P(TranslatedWindows, ShowTheirMenusButtonsAndStatusInTheChosenLanguage)
{
    const Expected& expected = GetParam();
    const ProgramLanguage language(QString::fromLatin1(expected.language));
    ASSERT_TRUE(language.Translated());

    DashboardRig rig;
    const QStringList menus = MenuTitles(*rig.form);
    EXPECT_EQ(menus.value(0), expected.fileMenu) << menus.join(u' ').toStdString();
    EXPECT_TRUE(menus.contains(expected.optionsMenu)) << menus.join(u' ').toStdString();
    rig.Identify("1103");
    rig.PollUntilLive();
    EXPECT_EQ(rig.form->PanelText(1), expected.connected);

    const TDataViewerForm viewer(*rig.session);
    EXPECT_EQ(viewer.findChild<QPushButton*>(QStringLiteral("ModeBtn"))->text(), expected.formatButton);
    Capturing<TActuatorForm> actuators(*rig.session);
    auto* setButton = ChildOf<QPushButton>(actuators, "SetBtn");
    EXPECT_EQ(setButton->text(), expected.setButton);
    actuators.SelectTest(1);
    ChildOf<QLineEdit>(actuators, "Command_EB")->setText(QStringLiteral("2001"));
    setButton->click();
    EXPECT_EQ(actuators.messages, QStringList { expected.refusal });

    const LoggerFormRig logger;
    EXPECT_EQ(ChildOf<QPushButton>(*logger.form, "DL_Stop_Button")->text(), expected.stopButton);
    EXPECT_EQ(logger.LabelText(QStringLiteral("Ch1_Label")), expected.firstChannel);
}

INSTANTIATE_TEST_SUITE_P(Languages, TranslatedWindows,
    ::testing::Values(Expected { "de", QStringLiteral("&Datei"), QStringLiteral("&Optionen"),
                          QStringLiteral("Mit Steuergerät verbunden"), QStringLiteral("Aufbereitet"),
                          QStringLiteral("Setzen"),
                          QStringLiteral("'2001' ist keine gültige Soll-Leerlaufdrehzahl: eine ganze Zahl in "
                                         "U/min von 500 bis 2000 eingeben"),
                          QStringLiteral("Stopp"), QStringLiteral("Kanal 1") },
        Expected { "es", QStringLiteral("&Archivo"), QStringLiteral("&Opciones"),
            QStringLiteral("Conectado a la centralita"), QStringLiteral("Formateados"),
            QStringLiteral("Aplicar"),
            QStringLiteral("'2001' no es un ralentí objetivo válido: introduzca un número entero de rpm de "
                           "500 a 2000"),
            QStringLiteral("Detener"), QStringLiteral("Canal 1") }),
    [](const ::testing::TestParamInfo<Expected>& param) { return std::string(param.param.language); });

// The time the log started is the one field that may differ between two runs.
std::string WithoutStartTime(const std::string& file)
{
    static const QRegularExpression startTime(QStringLiteral("\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d"));
    return QString::fromStdString(file).replace(startTime, QStringLiteral("<start>")).toStdString();
}

std::string LogOfFourTicks()
{
    LoggerFormRig rig;
    rig.ecu = IdleEngine();
    rig.PressStart();
    rig.Ticks(4);
    rig.PressStop();
    return ReadFileBytes(rig.LogFile());
}

TEST(GermanLog, IsByteForByteTheEnglishOneForTheSameValues)
{
    const std::string english = LogOfFourTicks();
    const ProgramLanguage german(QStringLiteral("de"));
    ASSERT_TRUE(german.Translated());
    const std::string inGerman = LogOfFourTicks();
    ASSERT_NE(english.find("Elapsed Time (ms),RPM,MAP,CTS,IAT\r\n"), std::string::npos) << english;
    EXPECT_EQ(WithoutStartTime(inGerman), WithoutStartTime(english));
}

TEST(LanguageChoice, IsKeptInTheSettingsFileAndTakesEffectAtTheNextStart)
{
    DashboardRig rig;
    EXPECT_TRUE(rig.form->findChild<QAction*>(QStringLiteral("Language_System"))->isChecked());
    rig.form->findChild<QAction*>(QStringLiteral("Language_de"))->trigger();
    ASSERT_EQ(rig.form->messages.size(), 1);
    EXPECT_TRUE(rig.form->messages.front().contains(QStringLiteral("next started")));
    // Still English until then.
    EXPECT_EQ(MenuTitles(*rig.form).value(0), QStringLiteral("&File"));

    rig.CloseWindow();
    EXPECT_NE(rig.SettingsText().find("Language=de"), std::string::npos) << rig.SettingsText();
    rig.Restart();
    EXPECT_TRUE(rig.form->findChild<QAction*>(QStringLiteral("Language_de"))->isChecked());
}

} // namespace
