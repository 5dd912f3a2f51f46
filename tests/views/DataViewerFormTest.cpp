#include "ui/DataViewerForm.h"

#include "tests/support/FakeEcuQueries.h"
#include "tests/support/UserActions.h"

#include <QLocale>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <ostream>
#include <string>

namespace {

class DataViewerTest : public ::testing::Test {
protected:
    QPushButton* Button(const char* name) { return form.findChild<QPushButton*>(QString::fromLatin1(name)); }

    static FakeEcuQueries Identified()
    {
        FakeEcuQueries identified;
        identified.ecuId = "1103";
        return identified;
    }

    FakeEcuQueries queries = Identified();
    TDataViewerForm form { queries };
};

TEST_F(DataViewerTest, StartsFormattedOnPage1WithDesignCaptionsAndARunningTimer)
{
    EXPECT_EQ(form.windowTitle(), "DazedErir DataViewer");
    EXPECT_TRUE(form.Formatted());
    EXPECT_EQ(Button("ModeBtn")->text(), "Format Data");
    EXPECT_EQ(Button("PageBtn")->text(), "Page2");
    for (int box = 0; box < TDataViewerForm::BoxCount; ++box)
        EXPECT_EQ(form.BoxCaption(box), QString::number(box));
    const auto* timer = form.findChild<QTimer*>("Timer1");
    ASSERT_NE(timer, nullptr);
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), 500);

    // The port panel names the port in use, which only the session knows.
    const QStringList panels { "", "Not Connected", "Sample Rate", "Bad Data Count 0", "" };
    for (int panel = 0; panel < TDataViewerForm::PanelCount; ++panel)
        EXPECT_EQ(form.PanelText(panel), panels[panel]) << panel;
}

TEST_F(DataViewerTest, MainWindowWritesStatusPanelsAndOutOfRangePanelsAreIgnored)
{
    form.SetStatusText(1, "Connected to ECU");
    form.SetStatusText(3, "Rx Errors 4");
    form.SetStatusText(TDataViewerForm::PanelCount, "lost");
    form.SetStatusText(-1, "lost");
    EXPECT_EQ(form.PanelText(1), "Connected to ECU");
    EXPECT_EQ(form.PanelText(3), "Rx Errors 4");
    EXPECT_EQ(form.PanelText(4), "");
}

TEST_F(DataViewerTest, UnknownEcuSwitchesToRawModeWithoutTouchingTheModeButton)
{
    for (int offset = 0; offset < 50; ++offset)
        queries.raw[static_cast<std::size_t>(offset)] = 200 - offset;
    queries.ecuId = "4242";
    form.SetDisplayMode(0);
    TickTimer(form, "Timer1");

    EXPECT_FALSE(form.Formatted());
    EXPECT_EQ(Button("ModeBtn")->text(), "Format Data");
    for (int box = 0; box < TDataViewerForm::BoxCount; ++box) {
        EXPECT_EQ(form.BoxCaption(box), QString::number(box));
        EXPECT_EQ(form.BoxText(box), QString::number(200 - box));
    }

    ClickButton(form, "PageBtn");
    TickTimer(form, "Timer1");
    for (int box = 0; box < TDataViewerForm::BoxCount; ++box) {
        EXPECT_EQ(form.BoxCaption(box), QString::number(25 + box));
        EXPECT_EQ(form.BoxText(box), QString::number(175 - box));
    }
}

struct LoadCase {
    const char* sensor;
    const char* caption;
    const char* text;
};

void PrintTo(const LoadCase& load, std::ostream* out)
{
    *out << load.sensor;
}

class LoadBoxTest : public DataViewerTest, public ::testing::WithParamInterface<LoadCase> { };

TEST_P(LoadBoxTest, NamesAndShowsTheLoadOfTheEcusSensor)
{
    queries.loadSensorName = GetParam().sensor;
    queries.load8 = 87;
    queries.load16 = 23456;
    form.SetDisplayMode(1);
    TickTimer(form, "Timer1");
    EXPECT_EQ(form.BoxCaption(2), GetParam().caption);
    EXPECT_EQ(form.BoxText(2), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Sensors, LoadBoxTest,
    ::testing::Values(LoadCase { "MAP", "MAP (mB)", "87" }, LoadCase { "VAF", "VAF (l/m)", "2.346E4" },
        LoadCase { "MAF", "MAF (g/s)", "2.346E4" }),
    [](const auto& testInfo) { return std::string(testInfo.param.sensor); });

TEST_F(DataViewerTest, ActuatorKindsNameTheirBoxes)
{
    struct KindCase {
        const char* iac;
        const char* egr;
        const char* iacCaption;
        const char* egrCaption;
    };
    const KindCase cases[] {
        { "FLOW", "FLOW", "IAC Flow (l/m)", "EGR Flow (l/m)" },
        { "DC", "POS", "IAC Duty (%)", "EGR Pos (%)" },
        { "POS", "POS", "ISC Pos (%)", "EGR Pos (%)" },
    };
    for (const KindCase& kind : cases) {
        queries.iacKindName = kind.iac;
        queries.egrKindName = kind.egr;
        form.SetDisplayMode(1);
        EXPECT_EQ(form.BoxCaption(14), kind.iacCaption) << kind.iac;
        EXPECT_EQ(form.BoxCaption(17), kind.egrCaption) << kind.egr;
    }
}

struct ValueCase {
    int page;
    int box;
    std::function<void(FakeEcuQueries&)> set;
    const char* caption;
    const char* text;
};

void PrintTo(const ValueCase& value, std::ostream* out)
{
    *out << value.caption;
}

class FormattedValueTest : public DataViewerTest, public ::testing::WithParamInterface<ValueCase> { };

TEST_P(FormattedValueTest, ShowsTheValueWithItsDigits)
{
    const ValueCase& value = GetParam();
    value.set(queries);
    form.SetDisplayMode(1);
    if (value.page == 2)
        ClickButton(form, "PageBtn");
    TickTimer(form, "Timer1");
    EXPECT_EQ(form.BoxCaption(value.box), value.caption);
    EXPECT_EQ(form.BoxText(value.box), value.text);
}

INSTANTIATE_TEST_SUITE_P(BothPages, FormattedValueTest,
    ::testing::Values(ValueCase { 1, 0, [](FakeEcuQueries& q) { q.roadSpeed = 57; }, "VSS", "57" },
        ValueCase { 1, 1, [](FakeEcuQueries& q) { q.rpm = 851; }, "RPM", "851" },
        ValueCase { 1, 3, [](FakeEcuQueries& q) { q.tpsPercent = 12.34F; }, "TPS(%)", "12.3" },
        ValueCase { 1, 4, [](FakeEcuQueries& q) { q.tpsVolts = 0.5F; }, "TPS(V)", "0.50" },
        ValueCase { 1, 6, [](FakeEcuQueries& q) { q.batteryVolts = 13.856F; }, "Battery (V)", "13.86" },
        ValueCase { 1, 7, [](FakeEcuQueries& q) { q.coolantTemp = 87.6F; }, "CTS", "88" },
        ValueCase { 1, 10, [](FakeEcuQueries& q) { q.ltft[0] = -3.125F; }, "LTFT Bank1", "-3.13" },
        ValueCase { 1, 12, [](FakeEcuQueries& q) { q.injectorPw[0] = 2.5F; }, "Inj PW Bank1 (ms)", "2.500" },
        ValueCase { 1, 13, [](FakeEcuQueries& q) { q.advance = -4; }, "Ign Timing (degs)", "-4" },
        ValueCase { 1, 18, [](FakeEcuQueries& q) { q.baro = 1013.4F; }, "Baro (mB)", "1013" },
        ValueCase { 1, 22, [](FakeEcuQueries& q) { q.mpg = 31.456F; }, "MPG", "31.46" },
        ValueCase { 2, 2, [](FakeEcuQueries& q) { q.faultBytes[2] = 4; }, "Fault Flags 3", "4" },
        ValueCase { 2, 7, [](FakeEcuQueries& q) { q.statusBytes[3] = 129; }, "Status Flags 4", "129" },
        ValueCase { 2, 12, [](FakeEcuQueries& q) { q.injectorPw[1] = 3.1254F; }, "Inj PW Bank2", "3.125" },
        ValueCase { 2, 13, [](FakeEcuQueries& q) { q.egtTemp = 512.7F; }, "EGT Temp", "513" },
        ValueCase { 2, 15, [](FakeEcuQueries& q) { q.o2Volts[1] = 0.45F; }, "O2 Bank2", "0.45" },
        ValueCase { 2, 19, [](FakeEcuQueries& q) { q.timeFromStart = 3600; }, "Time From Start(s)", "3600" }),
    [](const auto& testInfo) {
        return "Page" + std::to_string(testInfo.param.page) + "Box" + std::to_string(testInfo.param.box);
    });

TEST_F(DataViewerTest, FixedPointValuesUseTheLocalesDecimalSeparator)
{
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    queries.batteryVolts = 13.856F;
    form.SetDisplayMode(1);
    TickTimer(form, "Timer1");
    QLocale::setDefault(previous);
    EXPECT_EQ(form.BoxText(6), "13,86");
}

TEST_F(DataViewerTest, BoxesCaptionedWithDashesShowDashesOnBothPages)
{
    // Values that would show through if a "--" box read a live value.
    queries.rpm = 1;
    queries.mpg = 1;
    queries.timeFromStart = 1;
    form.SetDisplayMode(1);
    for (int page = 1; page <= 2; ++page) {
        TickTimer(form, "Timer1");
        int dashed = 0;
        for (int box = 0; box < TDataViewerForm::BoxCount; ++box) {
            const bool dashCaption = form.BoxCaption(box) == "--";
            EXPECT_EQ(form.BoxText(box) == "--", dashCaption) << "page " << page << " box " << box;
            dashed += dashCaption ? 1 : 0;
        }
        EXPECT_EQ(dashed, page == 1 ? 3 : 6);
        ClickButton(form, "PageBtn");
    }
}

TEST_F(DataViewerTest, TwoPageClicksReturnToPage1)
{
    form.SetDisplayMode(1);
    ClickButton(form, "PageBtn");
    EXPECT_EQ(Button("PageBtn")->text(), "Page1");
    EXPECT_EQ(form.BoxCaption(0), "Fault Flags 1");
    EXPECT_EQ(form.BoxCaption(24), "--");

    Button("PageBtn")->click();
    EXPECT_EQ(Button("PageBtn")->text(), "Page2");
    EXPECT_EQ(form.BoxCaption(0), "VSS");
    EXPECT_EQ(form.BoxCaption(22), "MPG");
}

TEST_F(DataViewerTest, ModeButtonTogglesBetweenRawAndFormatted)
{
    Button("ModeBtn")->click();
    EXPECT_FALSE(form.Formatted());
    EXPECT_EQ(Button("ModeBtn")->text(), "Format Data");
    EXPECT_EQ(form.BoxCaption(1), "1");

    Button("ModeBtn")->click();
    EXPECT_TRUE(form.Formatted());
    EXPECT_EQ(Button("ModeBtn")->text(), "Raw Data");
    EXPECT_EQ(form.BoxCaption(1), "RPM");
}

TEST_F(DataViewerTest, ModeButtonIsDisabledOnlyWhileTheEcuIdIs0000)
{
    queries.ecuId = "0000";
    form.SetDisplayMode(0);
    EXPECT_FALSE(Button("ModeBtn")->isEnabled());
    ClickButton(form, "PageBtn");
    EXPECT_FALSE(Button("ModeBtn")->isEnabled());

    // A later identification of a known ECU brings the button back.
    queries.ecuId = "1103";
    form.SetDisplayMode(1);
    EXPECT_TRUE(Button("ModeBtn")->isEnabled());
    ClickButton(form, "PageBtn");
    EXPECT_TRUE(Button("ModeBtn")->isEnabled());
}

TEST_F(DataViewerTest, CloseHidesTheWindowAndExitAsksTheMainWindow)
{
    QSignalSpy exitRequests(&form, &TDataViewerForm::ExitRequested);
    form.show();
    ChooseMenuEntry(form, "Close1");
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(exitRequests.count(), 0);
    ChooseMenuEntry(form, "Exit1");
    EXPECT_EQ(exitRequests.count(), 1);
}

// Values that are not live (link lost, ECU silent for a sweep) are not shown as current, and an
// ECU whose values cannot be decoded shows no readings of 0; its raw bytes stay readable.
TEST_F(DataViewerTest, ValuesNotLiveOrNotDecodedShowDashes)
{
    queries.roadSpeed = 42;
    queries.raw[0] = 7;
    TickTimer(form, "Timer1");
    ASSERT_EQ(form.BoxText(0), "42");

    const auto allDashes = [this] {
        TickTimer(form, "Timer1");
        for (int box = 0; box < TDataViewerForm::BoxCount; ++box) {
            if (form.BoxText(box) != "--")
                return false;
        }
        return true;
    };
    queries.liveValues = false;
    EXPECT_TRUE(allDashes());
    ClickButton(form, "ModeBtn"); // raw
    EXPECT_TRUE(allDashes());

    queries.liveValues = true;
    for (const char* id : { "1B41", "4242" }) { // an OBD2 and an unknown ECU
        queries.ecuId = id;
        TickTimer(form, "Timer1");
        EXPECT_EQ(form.BoxText(0), "7") << id;
        ClickButton(form, "ModeBtn"); // formatted
        EXPECT_TRUE(allDashes()) << id;
        ClickButton(form, "ModeBtn");
    }
}

} // namespace
