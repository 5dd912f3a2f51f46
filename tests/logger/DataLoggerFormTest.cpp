#include "LoggerFormRig.h"
#include "controls/PerformanceGraph.h"
#include "logfile/LogReader.h"

#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QLocale>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTimer>
#include <chrono>
#include <gtest/gtest.h>

namespace {

struct Plotted {
    int value;
    ColorRef color;
};

// The point of the newest completed band of a chart.
Plotted NewestPoint(const RecordingLoggerForm& form, int chart)
{
    const auto* graph = form.findChild<TPerformanceGraph*>(QStringLiteral("PGraph%1").arg(chart));
    const GraphBand& band = graph->Bands().Band(graph->LastY(graph->CurrentBand()));
    EXPECT_EQ(band.count, 1);
    return { band.values[0], band.colors[0] };
}

class DataLoggerFormTest : public ::testing::Test {
protected:
    LoggerFormRig rig;
};

TEST_F(DataLoggerFormTest, DefaultSettingsGiveTheDesignedWindow)
{
    const RecordingLoggerForm& form = *rig.form;
    EXPECT_EQ(form.windowTitle(), "DazedErir DataLogger");
    EXPECT_EQ(form.PanelText(0), "Sample interval: 400ms");
    // Where Stop will write, as the folder in force gives it.
    EXPECT_EQ(form.PanelText(1), "Output file:    " + QString::fromStdString(rig.LogFile().string()));
    EXPECT_EQ(form.pos(), QPoint(50, 50));
    EXPECT_FALSE(form.isMaximized());
    EXPECT_EQ(form.LogFilePath(), rig.logDir.path());
    const QStringList channels = { "RPM", "MAP", "CTS", "IAT" };
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(form.ChannelName(i), channels[i]);
        const QComboBox& combo = rig.Combo(QStringLiteral("Ch%1_Sel_Combo").arg(i + 1));
        EXPECT_EQ(combo.currentText(), channels[i]);
        EXPECT_EQ(combo.count(), 39);
    }
    EXPECT_EQ(rig.Combo("GrT_Sel_T_Combo").currentText(), "10");
    EXPECT_EQ(rig.Combo("GrT_Sel_T_Combo").count(), 8); // seven in seconds and "As fast as the line allows"
    EXPECT_TRUE(form.findChild<QCheckBox*>("SaveDataCB")->isChecked());
    EXPECT_FALSE(form.findChild<QTimer*>("LogTimer1")->isActive());
    EXPECT_EQ(form.findChild<QTimer*>("LogTimer1")->interval(), 400);

    const int gridSizes[] = { 25, 20, 20, 20 };
    for (int i = 0; i < 4; ++i) {
        const auto* graph = form.findChild<TPerformanceGraph*>(QStringLiteral("PGraph%1").arg(i + 1));
        ASSERT_NE(graph, nullptr);
        EXPECT_EQ(graph->size(), QSize(800, 100));
        EXPECT_EQ(graph->GridSize(), gridSizes[i]);
        EXPECT_EQ(graph->StepSize(), 1);
        EXPECT_EQ(graph->Scale(), 100);
        EXPECT_EQ(graph->Gradient(), 10);
        EXPECT_EQ(graph->ForeColor(), kColorSilver);
        EXPECT_EQ(graph->BackColor(), kColorWhite);
    }
    const QList<QLabel*> panels = form.statusBar()->findChildren<QLabel*>();
    ASSERT_EQ(panels.size(), 4);
    // The design widths, or wider where the text at start needs it.
    const int widths[] = { 150, 250, 300, 50 };
    for (int i = 0; i < 4; ++i) {
        const int textWidth = panels[i]->fontMetrics().horizontalAdvance(panels[i]->text());
        // A label measures its text by its bounding box, which may round a pixel the other way.
        EXPECT_NEAR(
            panels[i]->minimumSizeHint().width(), std::max(widths[i], textWidth + 2 * panels[i]->margin()), 1)
            << "panel " << i;
    }
}

TEST_F(DataLoggerFormTest, FirstTickShowsValuesOffsetScalesTraceColoursAndTimeAxis)
{
    rig.ecu.rpm = 850;
    rig.ecu.load8 = 101;
    rig.ecu.coolantTemp = 85.7F;
    rig.ecu.airTemp = -55.0F;
    rig.PressStart();
    rig.Ticks(1);

    EXPECT_EQ(rig.LabelText("Ch1ValueLbl"), "850");
    EXPECT_EQ(rig.LabelText("Ch2ValueLbl"), "101");
    EXPECT_EQ(rig.LabelText("Ch3ValueLbl"), "85");
    EXPECT_EQ(rig.LabelText("Ch4ValueLbl"), "-55");
    EXPECT_EQ(rig.LabelText("MinScaleLbl1"), "0");
    EXPECT_EQ(rig.LabelText("MaxScaleLbl1"), "100");
    EXPECT_EQ(rig.LabelText("MinScaleLbl3"), "-40");
    EXPECT_EQ(rig.LabelText("MaxScaleLbl3"), "60");
    EXPECT_EQ(rig.LabelText("MinScaleLbl4"), "-40");

    const Plotted expected[]
        = { { 850, kColorRed }, { 101, kColorBlue }, { 125, kColorGreen }, { 0, kColorPurple } };
    for (int chart = 1; chart <= 4; ++chart) {
        const Plotted point = NewestPoint(*rig.form, chart);
        EXPECT_EQ(point.value, expected[chart - 1].value) << chart;
        EXPECT_EQ(point.color, expected[chart - 1].color) << chart;
    }

    const QStringList times = { "0.4", "-79.6", "-160.0", "-240.0", "-320.0" };
    for (int t = 0; t < 5; ++t) {
        for (int chart = 1; chart <= 4; ++chart)
            EXPECT_EQ(rig.LabelText(QStringLiteral("T%1Lbl%2").arg(t).arg(chart)), times[t]) << t << chart;
    }
    // Labels are written before the chart rescales to its data: the next tick shows it.
    rig.Ticks(1);
    EXPECT_EQ(rig.LabelText("MaxScaleLbl1"), "850");
    EXPECT_EQ(rig.LabelText("MaxScaleLbl3"), "90");
}

// No point of an earlier run or of the chart's earlier channel is read as the new one's.
TEST_F(DataLoggerFormTest, ChartsStartEmptyOnStartAndOnANewChannel)
{
    const auto* chart1 = rig.form->findChild<TPerformanceGraph*>(QStringLiteral("PGraph1"));
    const auto* chart2 = rig.form->findChild<TPerformanceGraph*>(QStringLiteral("PGraph2"));
    rig.ecu.rpm = 850;
    rig.ecu.load8 = 1013;
    rig.PressStart();
    rig.Ticks(3);
    rig.PressStop();
    EXPECT_EQ(chart1->Bands().LargestValue(), 850);
    ASSERT_GT(chart2->Bands().LargestValue(), 0);

    rig.Choose("Ch2_Sel_Combo", "VSS");
    EXPECT_EQ(chart2->Bands().LargestValue(), 0);
    EXPECT_EQ(chart1->Bands().LargestValue(), 850);
    rig.PressStart();
    EXPECT_EQ(chart1->Bands().LargestValue(), 0);
}

TEST_F(DataLoggerFormTest, NegativeValuesSitOnTheBottomEdgeOfEveryChart)
{
    rig.Type("Ch1_Sel_Combo", "Ign Trim");
    rig.Type("Ch3_Sel_Combo", "STFT B1");
    rig.ecu.ignitionTrim = -5;
    rig.ecu.stft[0] = -45.5F;
    rig.PressStart();
    rig.Ticks(1);
    EXPECT_EQ(rig.LabelText("Ch1ValueLbl"), "-5");
    EXPECT_EQ(NewestPoint(*rig.form, 1).value, 0);
    EXPECT_EQ(rig.LabelText("Ch3ValueLbl"), "-45");
    EXPECT_EQ(NewestPoint(*rig.form, 3).value, 0);
}

// The chart moves one pixel per sample, so its 800 pixels hold exactly the span the time
// labels give, and one grid division of chart 1 is the chosen time base.
TEST_F(DataLoggerFormTest, TimeBaseSixtyGivesTwoPointFourSecondsAndLabelsMatchTheChart)
{
    rig.Type("GrT_Sel_T_Combo", "60");
    EXPECT_EQ(rig.form->SampleInterval(), 2400);
    EXPECT_EQ(rig.form->PanelText(0), "Sample interval: 2400ms");
    EXPECT_EQ(rig.form->findChild<QTimer*>("LogTimer1")->interval(), 2400);
    EXPECT_EQ(rig.form->TimeBaseText(), "60");

    rig.PressStart();
    rig.Ticks(1000);
    EXPECT_EQ(rig.LabelText("T0Lbl1"), "2.4E3");
    EXPECT_EQ(rig.LabelText("T4Lbl1"), "480.0");
    const auto* graph = rig.form->findChild<TPerformanceGraph*>("PGraph1");
    const int samplesAcrossChart = graph->width() / graph->StepSize();
    EXPECT_EQ(samplesAcrossChart * rig.form->SampleInterval(), (2400 - 480) * 1000);
    EXPECT_EQ(graph->GridSize() / graph->StepSize() * rig.form->SampleInterval(), 60 * 1000);
}

TEST_F(DataLoggerFormTest, BadTimeBasesAreRefusedAndChangeNothing)
{
    for (const QString bad : { "0", "abc", "1.5", "-2", "", "99999999999" }) {
        rig.form->messages.clear();
        rig.Type("GrT_Sel_T_Combo", bad);
        ASSERT_EQ(rig.form->messages.size(), 1) << bad.toStdString();
        EXPECT_TRUE(rig.form->messages.front().contains("'" + bad + "'"))
            << rig.form->messages.front().toStdString();
        EXPECT_EQ(rig.form->SampleInterval(), 400);
        EXPECT_EQ(rig.form->TimeBaseText(), "10");
        EXPECT_EQ(rig.Combo("GrT_Sel_T_Combo").currentText(), "10");
    }
    rig.Choose("GrT_Sel_T_Combo", "1");
    EXPECT_EQ(rig.form->SampleInterval(), 40);
}

TEST_F(DataLoggerFormTest, RawModeOffersAddressesKeepsTheChosenNamesAndChartsTheRawEntry)
{
    rig.form->SetDisplayMode(0);
    EXPECT_EQ(rig.form->NamedChannels(), 0);
    for (int i = 1; i <= 4; ++i) {
        const QComboBox& combo = rig.Combo(QStringLiteral("Ch%1_Sel_Combo").arg(i));
        ASSERT_EQ(combo.count(), 42);
        EXPECT_EQ(combo.itemText(0), "Address0");
        EXPECT_EQ(combo.itemText(41), "Address41");
    }
    EXPECT_EQ(rig.Combo("Ch1_Sel_Combo").currentText(), "RPM");
    EXPECT_EQ(rig.Combo("Ch4_Sel_Combo").currentText(), "IAT");
    EXPECT_EQ(rig.form->ChannelName(1), "MAP");

    rig.Choose("Ch1_Sel_Combo", "Address7");
    rig.Type("Ch4_Sel_Combo", "Address63");
    rig.ecu.raw[7] = 77;
    rig.ecu.raw[63] = 163;
    rig.PressStart();
    rig.Ticks(1);
    EXPECT_EQ(rig.LabelText("Ch1ValueLbl"), "77");
    EXPECT_EQ(rig.LabelText("Ch4ValueLbl"), "163");

    rig.PressStop();
    rig.form->SetDisplayMode(1);
    EXPECT_EQ(rig.Combo("Ch1_Sel_Combo").count(), 39);
    EXPECT_EQ(rig.Combo("Ch1_Sel_Combo").currentText(), "Address7");
    EXPECT_EQ(rig.form->ChannelName(0), "Address7");
}

TEST_F(DataLoggerFormTest, BadChannelNamesAreRefusedAndTheChannelStays)
{
    for (const QString bad : { "Address99", "Address64", "RPM,MAP", "Whatever" }) {
        rig.form->messages.clear();
        rig.Type("Ch1_Sel_Combo", bad);
        ASSERT_EQ(rig.form->messages.size(), 1) << bad.toStdString();
        EXPECT_TRUE(rig.form->messages.front().contains(bad));
        EXPECT_EQ(rig.form->ChannelName(0), "RPM");
        EXPECT_EQ(rig.Combo("Ch1_Sel_Combo").currentText(), "RPM");
    }
}

// Chart 2 takes a channel only from its list (a finished edit that matches an item is such a
// choice); the others also take typed names that the list does not hold.
TEST_F(DataLoggerFormTest, TypedChannelsTakeEffectExceptOnChartTwoWhichShowsItsChannelAtStart)
{
    rig.Type("Ch1_Sel_Combo", "Address7");
    rig.Type("Ch2_Sel_Combo", "Address7");
    rig.Type("Ch3_Sel_Combo", "TFT B1");
    rig.Type("Ch4_Sel_Combo", "MPG");
    EXPECT_EQ(rig.form->ChannelName(0), "Address7");
    EXPECT_EQ(rig.form->ChannelName(1), "MAP");
    EXPECT_EQ(rig.form->ChannelName(2), "TFT B1");
    EXPECT_EQ(rig.form->ChannelName(3), "MPG");

    rig.PressStart();
    EXPECT_EQ(rig.Combo("Ch2_Sel_Combo").currentText(), "MAP");
    // The header is on the disk from Start.
    EXPECT_TRUE(ReadFileBytes(rig.form->Log().RecordingPath())
                    .ends_with("Elapsed Time (ms),Address7,MAP,TFT B1,MPG\r\n"));

    rig.PressStop();
    rig.Type("Ch2_Sel_Combo", "VSS");
    EXPECT_EQ(rig.form->ChannelName(1), "VSS");
    rig.Choose("Ch2_Sel_Combo", "IAT");
    EXPECT_EQ(rig.form->ChannelName(1), "IAT");
}

// "As fast as the line allows": refused without fast polling; with it, the timer only moves the
// charts and every row is one the session reported read, stamped with when it was; kept as "fast".
TEST_F(DataLoggerFormTest, AsFastAsTheLineAllowsTakesARowEachTimeTheChannelsAreReadAgain)
{
    rig.Choose("GrT_Sel_T_Combo", "As fast as the line allows");
    EXPECT_TRUE(rig.form->FastTimeBase());
    EXPECT_EQ(rig.form->PanelText(0), "Sample interval: as fast as the line allows");
    rig.PressStart();
    EXPECT_FALSE(rig.form->IsLogging());
    ASSERT_EQ(rig.form->messages.size(), 1);
    EXPECT_TRUE(rig.form->messages[0].contains("needs fast polling")) << rig.form->messages[0].toStdString();

    rig.form->SetFastPolling(true);
    rig.PressStart();
    ASSERT_TRUE(rig.form->IsLogging());
    const auto start = std::chrono::steady_clock::now();
    rig.Ticks(3);
    for (const int ms : { 1017, 1033, 1052 })
        rig.form->PriorityValuesRead(start + std::chrono::milliseconds(ms));
    rig.PressStop();
    const std::string file = ReadFileBytes(rig.LogFile());
    const std::size_t rows = file.find("IAT\r\n") + 5;
    ASSERT_NE(rows, std::string::npos + 5) << file;
    const QStringList lines = QString::fromStdString(file.substr(rows)).split("\r\n", Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3) << file;
    std::vector<int> stamps;
    for (const QString& line : lines)
        stamps.push_back(line.section(',', 0, 0).toInt());
    // Stamped from Start, which came a moment before `start`.
    EXPECT_GE(stamps[0], 1017);
    EXPECT_EQ(stamps[1] - stamps[0], 16);
    EXPECT_EQ(stamps[2] - stamps[1], 19);

    rig.form->SaveSettings();
    EXPECT_NE(ReadFileBytes(rig.SettingsFile()).find("TimeBase=fast"), std::string::npos);
    rig.Recreate();
    EXPECT_TRUE(rig.form->FastTimeBase());
    EXPECT_EQ(rig.Combo("GrT_Sel_T_Combo").currentText(), "As fast as the line allows");
}

TEST_F(DataLoggerFormTest, TimeLabelsUseTheLocaleDecimalPoint)
{
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    rig.Recreate();
    rig.Type("Ch1_Sel_Combo", "TPS(Volts)");
    rig.ecu.tpsVolts = 4.57F;
    rig.PressStart();
    rig.Ticks(1);
    const QString newest = rig.LabelText("T0Lbl1");
    const std::string row = "\r\n400,4.57,0,0,0\r\n";
    const std::string file = FileBytesOnce(
        rig.form->Log().RecordingPath(), [&row](const std::string& bytes) { return bytes.ends_with(row); });
    QLocale::setDefault(before);
    EXPECT_EQ(newest, "0,4");
    EXPECT_TRUE(file.ends_with(row)) << file;
}

TEST_F(DataLoggerFormTest, MenuAsksForTheDirectoryDialogAndExitCloseDoesNothing)
{
    QSignalSpy dialog(rig.form.get(), &TDataLoggerForm::DirectoryDialogRequested);
    QSignalSpy exit(rig.form.get(), &TDataLoggerForm::ExitRequested);
    rig.form->findChild<QAction*>("SetPath")->trigger();
    EXPECT_EQ(dialog.count(), 1);
    EXPECT_EQ(exit.count(), 0);
    rig.form->findChild<QAction*>("Close1")->trigger();
    EXPECT_EQ(dialog.count() + exit.count(), 1);
    rig.form->findChild<QAction*>("Exit1")->trigger();
    EXPECT_EQ(exit.count(), 1);
    EXPECT_EQ(rig.form->findChild<QAction*>("SetPath")->text(), "Set &Path");
    EXPECT_EQ(rig.form->findChild<QAction*>("Exit1")->text(), "E&xit");
}

} // namespace

// Key M marks the row taken last: the marker is on the disk at once, as the rows are, and the note
// typed after it follows as soon as Enter is pressed; a note still being typed at the next marker or
// at Stop is kept too. Without a recording nothing is marked.
TEST_F(DataLoggerFormTest, KeyMMarksTheLatestRowOnTheDiskAndTheNoteTypedAfterwardsFollows)
{
    rig.form->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(rig.form.get()));
    QTest::keyClick(rig.form.get(), Qt::Key_M);
    EXPECT_EQ(rig.form->Log().Markers().size(), 0U);

    rig.PressStart();
    rig.Ticks(2);
    QTest::keyClick(rig.form.get(), Qt::Key_M);
    auto* note = rig.form->findChild<QLineEdit*>(QStringLiteral("MarkerNote"));
    ASSERT_TRUE(note->hasFocus());
    // Whether the recording on the disk comes to hold `part` (the writer thread takes it there).
    const auto onDisk = [this](const std::string& part) {
        const auto holds
            = [&part](const std::string& bytes) { return bytes.find(part) != std::string::npos; };
        return holds(FileBytesOnce(rig.form->Log().RecordingPath(), holds));
    };
    const std::string marked = "#marker,1,800,\r\n";
    EXPECT_TRUE(onDisk(marked));
    // The letter goes into the note, not into a second marker.
    QTest::keyClicks(note, "misfire, 3rd gear");
    QTest::keyClick(note, Qt::Key_Return);
    const std::string noted = marked + "#marker,1,800,misfire, 3rd gear\r\n";
    EXPECT_TRUE(onDisk(noted));

    rig.Ticks(1);
    ClickButton(*rig.form, QStringLiteral("MarkerButton"));
    QTest::keyClicks(note, "pinking");
    rig.PressStop();
    const LogFile saved = ReadLogFile(rig.LogFile());
    ASSERT_EQ(saved.error, std::nullopt);
    EXPECT_EQ(saved.contents.Rows(), 3U);
    EXPECT_TRUE(saved.contents.problems.empty());
    EXPECT_EQ(saved.contents.markers,
        (std::vector<LogMarker> { { 1, 800, "misfire, 3rd gear" }, { 2, 1200, "pinking" } }));
    EXPECT_FALSE(rig.form->findChild<QPushButton*>(QStringLiteral("MarkerButton"))->isEnabled());
}

// Armed through its dialog, the logger says what it waits for and writes nothing; the row where the
// engine speed crosses starts the log, after the rows of the pre-trigger time, which count from the
// first one kept and keep the marker made at them. A condition on a channel not logged is refused.
TEST_F(DataLoggerFormTest, ArmedItWaitsForTheConditionAndStartsWhereTheValueCrosses)
{
    ClickButton(*rig.form, QStringLiteral("TriggerButton"));
    auto* dialog = rig.form->findChild<QDialog*>(QStringLiteral("TriggerDialog"));
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(dialog->isVisible());
    const auto type = [dialog](const char* box, const QString& text) {
        auto* edit = dialog->findChild<QLineEdit*>(QLatin1String(box));
        edit->selectAll();
        QTest::keyClicks(edit, text);
    };
    type("StartWhenBox", QStringLiteral("TPS > 50"));
    ClickButton(*dialog, QStringLiteral("TriggerOk"));
    ASSERT_EQ(rig.form->messages.size(), 1);
    EXPECT_EQ(rig.form->messages.back(),
        "Start when: \"TPS\" is not one of the four logged channels (RPM, MAP, CTS, IAT)");
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(rig.form->Trigger(), TriggerTexts {});

    type("StartWhenBox", QStringLiteral("RPM > 3000"));
    type("PreTriggerBox", QStringLiteral("0.8"));
    ClickButton(*dialog, QStringLiteral("TriggerOk"));
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(rig.LabelText("TriggerState"), "Start waits for RPM > 3000");

    rig.PressStart();
    for (const int rpm : { 800, 900, 1000 }) {
        rig.ecu.rpm = rpm;
        rig.Ticks(1);
        if (rpm == 800 || rpm == 1000) {
            EXPECT_EQ(rig.form->AddMarker(QStringLiteral("at %1").arg(rpm)), 0) << "numbered once kept";
        }
    }
    EXPECT_EQ(rig.LabelText("TriggerState"), "Waiting for RPM > 3000, keeping the last 0.8 s");
    EXPECT_FALSE(rig.form->Log().HasUnsavedLog()) << "nothing on the disk while waiting";

    rig.ecu.rpm = 3100;
    rig.Ticks(1);
    EXPECT_EQ(rig.LabelText("TriggerState"), "Started on RPM > 3000");
    EXPECT_TRUE(rig.form->Log().HasUnsavedLog());
    rig.Ticks(1);
    rig.PressStop();

    const LogFile saved = ReadLogFile(rig.LogFile());
    ASSERT_EQ(saved.error, std::nullopt);
    // Taken at 400 .. 2000 ms; kept from 800 (0.8 s before the start at 1600), time 0 at 400.
    EXPECT_EQ(saved.contents.timesMs, (std::vector<double> { 400, 800, 1200, 1600 }));
    EXPECT_EQ(saved.contents.Column("RPM")->values, (std::vector<float> { 900, 1000, 3100, 3100 }));
    EXPECT_EQ(saved.contents.markers, (std::vector<LogMarker> { { 1, 800, "at 1000" } }));
}
