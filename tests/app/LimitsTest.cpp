// Options > Limits through the program's own windows: the limits colour the dials, an alarm marks
// a running recording only while the car is live, and the limits are kept in the settings file.
#include "app/MainWindows.h"

#include "tests/actuator/CapturingForm.h"
#include "tests/dashboard/DashboardRig.h"
#include "tests/support/FileBytes.h"
#include "tests/support/UserActions.h"

#include "controls/KodraGauge.h"
#include "logger/DataLoggerForm.h"
#include "port/CaptureProgress.h"
#include "ui/LimitsForm.h"

#include <QCheckBox>
#include <QDir>
#include <QTableWidget>
#include <gtest/gtest.h>

#include <memory>

namespace {

void TypeLimit(TLimitsForm& form, std::string_view value, int column, const QString& text)
{
    const int row = form.RowOf(value);
    ASSERT_GE(row, 0) << value;
    form.Table().item(row, column)->setText(text);
}

QString LimitShown(const TLimitsForm& form, std::string_view value, int column)
{
    return form.Table().item(form.RowOf(value), column)->text();
}

// Whether a pixel of `color` lies within two pixels of `at` in the dial's picture.
bool ColourNear(const QImage& picture, QPoint at, const QColor& color)
{
    constexpr int Reach = 2;
    for (int dy = -Reach; dy <= Reach; ++dy) {
        for (int dx = -Reach; dx <= Reach; ++dx) {
            if (picture.pixelColor(at + QPoint(dx, dy)) == color)
                return true;
        }
    }
    return false;
}

struct DialPixels {
    QColor valueBox; // inside the value box, left of the figures
    QPoint band; // where the scale nears its end, between two ticks, in the band's middle
    QImage picture;
};

DialPixels ReadDial(TKodraGauge& dial)
{
    const QImage picture = dial.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const DialGeometry g = ComputeDialGeometry(dial.size(), GaugePaintRect(dial.size(), dial.BorderStyle()));
    constexpr int BoxInset = 4;
    constexpr double NearTheEnd = 0.94;
    constexpr int BandMiddle = 6; // from the face's edge: inside the rim, the band's pen
    const QPoint band = DialPoint(g.centre, DialScaleAngle(NearTheEnd),
        Radii { g.centre.x() - g.face.left - BandMiddle, g.centre.y() - g.face.top - BandMiddle });
    return { picture.pixelColor(g.valueBox.left + BoxInset, (g.valueBox.top + g.valueBox.bottom) / 2), band,
        picture };
}

TEST(Limits, AnAlarmColoursItsDialAndMarksTheRecordingOnlyWhileTheCarIsLive)
{
    DashboardRig rig;
    MainWindows windows(*rig.session, rig.TakeForm(), rig.SettingsFolder(), rig.SettingsFolder());
    TDashBoardForm& dash = windows.Dashboard();
    TDataLoggerForm& logger = windows.DataLogger();
    rig.Identify("1103");
    const auto batteryFine = RawWhere("1103", RoleBattery,
        [](const LiveValues& v) { return v.batteryVolts > 12.5f && v.batteryVolts < 14.0f; });
    ASSERT_TRUE(batteryFine);
    rig.PollRoles({ { RoleRpmHigh, 0x0C }, { RoleRpm, 0x80 }, { RoleBattery, *batteryFine } });
    const int rpm = rig.Queries().Values().rpm;
    ASSERT_GT(rpm, 1000);
    TKodraGauge& revCounter = *rig.Gauge("RevCounter");
    const QColor red = ColorFromRef(kColorRed);
    EXPECT_EQ(ReadDial(revCounter).valueBox, ColorFromRef(kColorSilver));

    logger.findChild<QCheckBox*>(QStringLiteral("SaveDataCB"))->setChecked(true);
    logger.StartLogging();
    ASSERT_TRUE(logger.IsLogging());

    // The engine speed above a high alarm typed into the window as a user would.
    ChooseMenuEntry(dash, QStringLiteral("Limits1"));
    TLimitsForm& limits = windows.Limits();
    ASSERT_TRUE(limits.isVisible());
    const int alarmAt = rpm - 100;
    TypeLimit(limits, "Rpm", TLimitsForm::WarningHighColumn, QString::number(rpm - 500));
    TypeLimit(limits, "Rpm", TLimitsForm::AlarmHighColumn, QString::number(alarmAt));
    ClickButton(limits, QStringLiteral("LimitsOk"));
    EXPECT_FALSE(limits.isVisible());
    rig.Tick(4);
    TickTimer(logger, QStringLiteral("LogTimer1"));

    EXPECT_EQ(dash.AlarmText(), QStringLiteral("Alarm: RPM"));
    DialPixels pixels = ReadDial(revCounter);
    EXPECT_EQ(pixels.valueBox, red);
    EXPECT_TRUE(ColourNear(pixels.picture, pixels.band, red));

    // Back under the warning limit the alarm is over; above the warning limit only amber.
    rig.PollRoles({ { RoleRpmHigh, 0x01 }, { RoleRpm, 0x00 } });
    EXPECT_TRUE(dash.AlarmText().isEmpty());
    EXPECT_EQ(ReadDial(revCounter).valueBox, ColorFromRef(kColorSilver));
    logger.StopLogging();
    const QString log = QDir(rig.SettingsFolder()).filePath(QStringLiteral("kodralog.csv"));
    const std::string live = ReadFileBytes(log.toStdString());
    EXPECT_NE(live.find(",Alarm: RPM above " + std::to_string(alarmAt) + "\r\n"), std::string::npos) << live;
    EXPECT_EQ(live.find("#marker,2,"), std::string::npos) << live;

    // A replayed capture is recorded as any cable is, and its values show against the limits, but
    // it is not the car now: no alarm, no marker.
    rig.session->SetReplayedCapture(QStringLiteral("my-car.capture"), std::make_shared<CaptureProgress>());
    logger.StartLogging();
    ASSERT_TRUE(logger.IsLogging());
    rig.PollRoles({ { RoleRpmHigh, 0x0C }, { RoleRpm, 0x80 } });
    rig.Tick(4);
    TickTimer(logger, QStringLiteral("LogTimer1"));
    ASSERT_EQ(rig.session->State().stage, SessionStage::ReplayingCapture);
    EXPECT_TRUE(dash.AlarmText().isEmpty());
    pixels = ReadDial(revCounter);
    EXPECT_EQ(pixels.valueBox, red);
    EXPECT_TRUE(ColourNear(pixels.picture, pixels.band, red));
    logger.StopLogging();
    const std::string replayed = ReadFileBytes(log.toStdString());
    EXPECT_EQ(replayed.find("#marker"), std::string::npos) << replayed;
}

TEST(Limits, BadInputChangesNothingAndGoodLimitsSurviveARestart)
{
    DashboardRig rig;
    Capturing<TLimitsForm> form;
    QObject::connect(&form, &TLimitsForm::LimitsChosen, rig.form, &TDashBoardForm::SetLimits);
    int chosen = 0;
    QObject::connect(&form, &TLimitsForm::LimitsChosen, &form, [&chosen] { ++chosen; });
    const std::string before = rig.SettingsText();

    // In Fahrenheit the window shows the coolant limits so; left alone they come back unchanged.
    LiveSettings fahrenheit;
    fahrenheit.temperatureUnit = "F";
    form.SetShownLimits(rig.form->Limits(), fahrenheit);
    EXPECT_EQ(LimitShown(form, "CoolantTemp", TLimitsForm::WarningHighColumn), QStringLiteral("221"));
    form.show();

    const struct {
        const char* what;
        int column;
        const char* text;
        const char* said;
    } bad[] = {
        { "a word", TLimitsForm::AlarmHighColumn, "lots", "\"lots\" is not a number" },
        { "alarm inside warning", TLimitsForm::AlarmHighColumn, "5000", "alarm limit must not lie inside" },
        { "low above high", TLimitsForm::WarningLowColumn, "6200", "below every high limit" },
    };
    for (const auto& input : bad) {
        form.SetShownLimits(rig.form->Limits(), fahrenheit);
        form.messages.clear();
        TypeLimit(form, "Rpm", input.column, QString::fromLatin1(input.text));
        ClickButton(form, QStringLiteral("LimitsOk"));
        ASSERT_EQ(form.messages.size(), 1) << input.what;
        EXPECT_TRUE(form.messages[0].startsWith(QStringLiteral("RPM: "))) << form.messages[0].toStdString();
        EXPECT_TRUE(form.messages[0].contains(QLatin1String(input.said))) << form.messages[0].toStdString();
        EXPECT_TRUE(form.isVisible()) << input.what;
    }
    EXPECT_EQ(chosen, 0);
    EXPECT_EQ(rig.form->Limits(), DefaultLimits());
    EXPECT_EQ(rig.SettingsText(), before);

    // The coolant limits cleared, a higher alarm for the engine speed, the rest as shown.
    form.SetShownLimits(rig.form->Limits(), fahrenheit);
    TypeLimit(form, "CoolantTemp", TLimitsForm::WarningHighColumn, QString());
    TypeLimit(form, "CoolantTemp", TLimitsForm::AlarmHighColumn, QString());
    TypeLimit(form, "Rpm", TLimitsForm::AlarmHighColumn, QStringLiteral("7000"));
    form.messages.clear();
    ClickButton(form, QStringLiteral("LimitsOk"));
    ASSERT_EQ(chosen, 1);
    EXPECT_TRUE(form.messages.isEmpty()) << form.messages.join(QLatin1Char('\n')).toStdString();

    LimitTable expected = DefaultLimits();
    expected.erase("CoolantTemp");
    expected["Rpm"].alarmHigh = 7000.0f;
    rig.Restart();
    EXPECT_EQ(rig.form->Limits(), expected);
    const std::string kept = rig.SettingsText();
    EXPECT_NE(kept.find("[Limits]"), std::string::npos) << kept;
    EXPECT_NE(kept.find("Rpm High Alarm=7000\n"), std::string::npos) << kept;
    EXPECT_NE(kept.find("CoolantTemp High Alarm=\n"), std::string::npos) << kept;
    EXPECT_NE(kept.find("BatteryVolts Low Alarm=9\n"), std::string::npos) << kept;
}

} // namespace
