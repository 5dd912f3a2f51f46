#include "logger/DataLoggerForm.h"

#include "controls/PerformanceGraph.h"
#include "locale/LocaleFixed.h"
#include "logger/ChannelLists.h"
#include "logger/ChannelTables.h"
#include "logger/DataLoggerSettings.h"
#include "logger/SampleInterval.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <limits>

namespace {

constexpr const char* kCaption = "DazedErir DataLogger";
constexpr const char* kOutputFilePrefix = "Output file:    ";
constexpr int kIntervalPanel = 0;
constexpr int kOutputFilePanel = 1;
constexpr int kProgressPanel = 2;

// Channels with an offset are drawn on a scale that starts here.
constexpr int kOffsetScaleStart = -40;

// The time labels: T0 at the newest sample, then a quarter of the chart's span further back each.
constexpr std::array<float, kTimeLabels> kSpanFractions = { 0.0F, 0.25F, 0.5F, 0.75F, 1.0F };
constexpr int kTimeLabelPrecision = 3;
constexpr int kTimeLabelDecimals = 1;
constexpr float kSecondsPerMs = 0.001F;

const QStringList kTimeBaseChoices = { "1", "2", "5", "10", "15", "30", "60" };

QStringList ToQStringList(const std::vector<std::string>& texts)
{
    QStringList list;
    list.reserve(static_cast<qsizetype>(texts.size()));
    for (const std::string& text : texts)
        list << QString::fromStdString(text);
    return list;
}

// Replacing the items of an editable combo box keeps the text it shows.
void ReplaceItems(QComboBox& combo, const QStringList& items)
{
    const QString shown = combo.currentText();
    combo.clear();
    combo.addItems(items);
    combo.setCurrentIndex(static_cast<int>(items.indexOf(shown)));
    combo.setEditText(shown);
}

int PlusSaturated(int value, int addend)
{
    const long long sum = static_cast<long long>(value) + addend;
    return static_cast<int>(std::min<long long>(sum, std::numeric_limits<int>::max()));
}

QString PathText(const std::filesystem::path& path)
{
    return QString::fromStdString(path.string());
}

} // namespace

TDataLoggerForm::TDataLoggerForm(
    const EcuQueries& ecu, const QString& settingsFolder, const QString& defaultLogFolder, QWidget* parent)
    : QMainWindow(parent)
    , m_ecu(ecu)
    , m_settingsFile(DataLoggerSettingsFile(settingsFolder))
    , m_defaultLogFolder(defaultLogFolder)
    , m_controls(DataLoggerControls::Build(*this))
    , LogTimer1(new QTimer(this))
{
    setWindowTitle(QString::fromLatin1(kCaption));
    LogTimer1->setObjectName(QStringLiteral("LogTimer1"));
    // Rows carry nominal time stamps; a precise timer keeps them close to the real ones.
    LogTimer1->setTimerType(Qt::PreciseTimer);
    ApplySettings();
    FillTimeBaseList();
    ReplaceItems(*m_controls.timeBaseCombo, m_timeBaseList);
    SetDisplayMode(m_namedChannels);
    UpdateSampleInterval();
    ConnectControls();
}

TDataLoggerForm::~TDataLoggerForm()
{
    if (const std::optional<std::string> problem = FinishForExit())
        qWarning("DataLogger: %s", problem->c_str());
}

std::optional<std::string> TDataLoggerForm::FinishForExit()
{
    // The program is ending: the log goes where Stop would have put it, also one kept from a
    // failed save while a run without saving goes on.
    LogTimer1->stop();
    if (!m_log.HasUnsavedLog())
        return std::nullopt;
    const std::filesystem::path target = LogTarget();
    const std::optional<std::string> error = m_log.SaveLog(target);
    if (!error)
        return std::nullopt;
    const std::string refused = "the log could not be saved to " + target.string() + ": " + *error;
    // No later Stop can try again: the rows the disk refused go to another folder, or are lost.
    for (const std::filesystem::path& folder : FallbackLogFolders(target.parent_path())) {
        const std::filesystem::path elsewhere = folder / m_log.DatedFileName();
        if (!m_log.SaveLog(elsewhere))
            return refused + "; it was saved to " + elsewhere.string() + " instead";
    }
    const std::string kept = m_log.RecordingPath().empty() ? "they could not be written anywhere"
                                                           : "the rows written so far stay in "
            + m_log.RecordingPath().string() + " and are recovered at the next start";
    return refused + "; " + kept;
}

std::vector<std::filesystem::path> TDataLoggerForm::FallbackLogFolders(const std::filesystem::path& refused)
{
    std::vector<std::filesystem::path> folders;
    for (const QString& folder : { QDir::homePath(), QDir::tempPath() }) {
        const std::filesystem::path path = std::filesystem::path(folder.toStdString()).lexically_normal();
        if (!folder.isEmpty() && path != refused.lexically_normal()
            && std::find(folders.begin(), folders.end(), path) == folders.end())
            folders.push_back(path);
    }
    return folders;
}

QString TDataLoggerForm::RecoverUnfinished()
{
    const Recovery recovery = RecoverRecordings(LogTargetPath(m_logFilePath.toStdString()).parent_path());
    QStringList lines;
    for (const RecoveredLog& log : recovery.logs)
        lines << QStringLiteral("%1 (%2 rows)").arg(PathText(log.path)).arg(log.rows);
    QString text;
    if (!lines.isEmpty()) {
        text = QStringLiteral("Recordings left unfinished when the program last ended are saved:\n")
            + lines.join(QLatin1Char('\n'));
        SetPanel(kProgressPanel, QStringLiteral("Recovered: ") + PathText(recovery.logs.back().path));
    }
    for (const std::string& problem : recovery.problems)
        text += (text.isEmpty() ? QString() : QStringLiteral("\n\n")) + QString::fromStdString(problem);
    return text;
}

void TDataLoggerForm::ApplySettings()
{
    const DataLoggerSettings settings = DataLoggerSettings::Read(m_settingsFile.Read(), m_defaultLogFolder);
    move(settings.left, settings.top);
    if (settings.initMax)
        setWindowState(windowState() | Qt::WindowMaximized);
    m_logFilePath = settings.filePath;
    ShowOutputFile();
    for (std::size_t i = 0; i < m_channelNames.size(); ++i) {
        m_channelNames[i] = settings.channels[i];
        m_chartChannels[i] = ResolvedChannel(m_channelNames[i].toStdString());
        m_controls.charts[i].channelCombo->setEditText(m_channelNames[i]);
    }
    m_timeBaseText = settings.timeBase;
    m_controls.timeBaseCombo->setEditText(m_timeBaseText);
}

void TDataLoggerForm::ConnectControls()
{
    // A choice from the list is the select event; a finished edit is the close-up of typed text.
    using Handler = void (TDataLoggerForm::*)();
    struct ComboHandlers {
        QComboBox* combo;
        Handler select;
        Handler closeUp;
    };
    const std::array<ComboHandlers, kLoggedChannels + 1> combos = { {
        { m_controls.charts[0].channelCombo, &TDataLoggerForm::Ch1_Sel_ComboSelect,
            &TDataLoggerForm::Ch1_Sel_ComboCloseUp },
        { m_controls.charts[1].channelCombo, &TDataLoggerForm::Ch2_Sel_ComboSelect, nullptr },
        { m_controls.charts[2].channelCombo, &TDataLoggerForm::Ch3_Sel_ComboSelect,
            &TDataLoggerForm::Ch3_Sel_ComboCloseUp },
        { m_controls.charts[3].channelCombo, &TDataLoggerForm::Ch4_Sel_ComboSelect,
            &TDataLoggerForm::Ch4_Sel_ComboCloseUp },
        { m_controls.timeBaseCombo, &TDataLoggerForm::GrT_Sel_T_ComboSelect,
            &TDataLoggerForm::GrT_Sel_T_ComboCloseUp },
    } };
    for (const ComboHandlers& handlers : combos) {
        connect(handlers.combo, &QComboBox::activated, this, handlers.select);
        if (handlers.closeUp)
            connect(handlers.combo->lineEdit(), &QLineEdit::editingFinished, this, handlers.closeUp);
    }
    connect(m_controls.startButton, &QPushButton::clicked, this, &TDataLoggerForm::DL_Start_ButtonClick);
    connect(m_controls.stopButton, &QPushButton::clicked, this, &TDataLoggerForm::DL_Stop_ButtonClick);
    connect(LogTimer1, &QTimer::timeout, this, &TDataLoggerForm::LogTimer1Timer);
    connect(m_controls.setPathAction, &QAction::triggered, this, &TDataLoggerForm::SetPathClick);
    connect(m_controls.exitAction, &QAction::triggered, this, &TDataLoggerForm::ExitRequested);
    // "Close" has no handler: it does nothing.
}

void TDataLoggerForm::SetDisplayMode(int mode)
{
    m_namedChannels = mode != 0 ? 1 : 0;
    FillChannelList();
    for (ChartControls& chart : m_controls.charts)
        ReplaceItems(*chart.channelCombo, m_channelList);
}

void TDataLoggerForm::SetLogPath(const QString& directory)
{
    m_logFilePath = directory;
    ShowOutputFile();
}

// Where the next Stop writes: a run under way moves to a newly chosen folder at its Stop.
void TDataLoggerForm::ShowOutputFile()
{
    SetPanel(kOutputFilePanel, kOutputFilePrefix + PathText(LogTargetPath(m_logFilePath.toStdString())));
}

void TDataLoggerForm::FillChannelList()
{
    m_channelList = ToQStringList(m_namedChannels != 0 ? NamedChannelList() : AddressChannelList());
}

void TDataLoggerForm::FillTimeBaseList()
{
    m_timeBaseList = kTimeBaseChoices;
}

void TDataLoggerForm::UpdateSampleInterval()
{
    const std::optional<int> seconds = ParseTimeBase(m_timeBaseText.toStdString());
    if (!seconds)
        return; // never stored: refused when chosen or read
    const std::optional<int> interval = SampleIntervalFor(*seconds, FirstChart().GridSize());
    if (!interval) {
        ShowMessage(QStringLiteral("Error Code 3"));
        return;
    }
    m_sampleInterval = *interval;
    LogTimer1->setInterval(m_sampleInterval);
    SetPanel(kIntervalPanel, QStringLiteral("Sample interval: %1ms").arg(m_sampleInterval));
}

void TDataLoggerForm::ChannelChosen(int chart)
{
    const auto slot = static_cast<std::size_t>(chart);
    QComboBox& combo = *m_controls.charts[slot].channelCombo;
    const QString text = combo.currentText();
    if (text == m_channelNames[slot])
        return;
    if (const std::optional<std::string> problem = ChannelNameProblem(text.toStdString())) {
        // Put the channel in force back first: the message box takes the focus, which
        // finishes the edit a second time.
        combo.setEditText(m_channelNames[slot]);
        ShowMessage(QString::fromStdString(*problem));
        return;
    }
    m_channelNames[slot] = text;
    m_chartChannels[slot] = ResolvedChannel(text.toStdString());
    // Points of the old channel would read as the new one's.
    m_controls.charts[slot].graph->Clear();
}

void TDataLoggerForm::TimeBaseChosen()
{
    QComboBox& combo = *m_controls.timeBaseCombo;
    const QString text = combo.currentText();
    if (text == m_timeBaseText)
        return;
    const std::optional<int> seconds = ParseTimeBase(text.toStdString());
    if (!seconds) {
        combo.setEditText(m_timeBaseText);
        ShowMessage(QStringLiteral("'%1' is not a valid time base: enter a whole number of seconds per "
                                   "division, 1 or more. The time base stays %2.")
                        .arg(text, m_timeBaseText));
        return;
    }
    m_timeBaseText = QString::number(*seconds);
    combo.setEditText(m_timeBaseText);
    UpdateSampleInterval();
}

bool TDataLoggerForm::IsLogging() const
{
    return LogTimer1->isActive();
}

void TDataLoggerForm::DL_Start_ButtonClick()
{
    if (IsLogging())
        return;
    const bool saving = m_controls.saveDataBox->isChecked();
    // A run without saving leaves a kept log alone: it is still saved by Stop or at the end.
    if (saving && m_log.HasUnsavedLog()
        && !Confirm(QStringLiteral("The last log (%1 rows) has not been saved.\nStart a new log? The rows "
                                   "written so far stay in %2 and are recovered at the next start.")
                        .arg(m_log.RowCount())
                        .arg(PathText(m_log.RecordingPath()))))
        return;
    m_sampleCount = 0;
    m_savingRun = saving;
    m_writeProblemShown = false;
    ShowChannelsInForce();
    for (ChartControls& chart : m_controls.charts)
        chart.graph->Clear();
    SetSelectionEnabled(false);
    LogTimer1->start(m_sampleInterval);
    if (saving) {
        LogChannelNames channels;
        for (std::size_t i = 0; i < channels.size(); ++i)
            channels[i] = m_channelNames[i].toStdString();
        const std::filesystem::path target = LogTarget();
        m_log.AppendHeader(QDateTime::currentDateTime(), channels, m_sampleInterval, target);
        ReportWriteProblem();
    }
}

void TDataLoggerForm::DL_Stop_ButtonClick()
{
    if (!IsLogging()) {
        // Idle, but a log whose save failed is waiting: this is the retry.
        if (m_log.HasUnsavedLog())
            SaveLog();
        return;
    }
    LogTimer1->stop();
    if (m_savingRun)
        SaveLog();
    SetSelectionEnabled(true);
}

void TDataLoggerForm::LogTimer1Timer()
{
    ++m_sampleCount;
    for (std::size_t i = 0; i < m_controls.charts.size(); ++i)
        PlotChannel(m_controls.charts[i], m_chartChannels[i]);
    ShowTimeAxis();
    if (m_savingRun) {
        m_log.AppendRow(m_ecu);
        ReportWriteProblem();
    }
    const std::int64_t fileBytes = m_savingRun ? m_log.FileBytes() : 0;
    SetPanel(kProgressPanel, QStringLiteral("File size %1 bytes").arg(fileBytes));
}

// Once a run: the rows are kept while the disk refuses them, and Stop can still save them.
void TDataLoggerForm::ReportWriteProblem()
{
    const std::optional<std::string>& problem = m_log.WriteProblem();
    if (!problem || m_writeProblemShown)
        return;
    m_writeProblemShown = true;
    ShowMessage(QStringLiteral("The log is not being written to the disk:\n%1\n\nIts rows are kept until "
                               "the disk takes them. Stop saves them, after fixing the folder or choosing "
                               "another with File > Set Path.")
                    .arg(QString::fromStdString(*problem)));
}

void TDataLoggerForm::PlotChannel(ChartControls& chart, const ResolvedChannel& channel)
{
    const int offset = channel.ChartOffset();
    int value = channel.ChartValue(m_ecu);
    chart.valueLabel->setText(QString::number(value));
    const int scale = chart.graph->Scale();
    if (offset == 1) {
        chart.minScaleLabel->setText(QString::number(kOffsetScaleStart));
        chart.maxScaleLabel->setText(QString::number(scale + kOffsetScaleStart));
        value = PlusSaturated(value, -kOffsetScaleStart);
    } else {
        chart.minScaleLabel->setText(QStringLiteral("0"));
        chart.maxScaleLabel->setText(QString::number(scale));
    }
    // Below the bottom of its scale a value sits on the bottom edge, on every chart.
    chart.graph->DataPoint(chart.traceColor, std::max(value, 0));
    chart.graph->Update();
}

void TDataLoggerForm::ShowTimeAxis()
{
    const auto spanMs = static_cast<long long>(FirstChart().width()) * m_sampleInterval;
    const auto newestMs
        = static_cast<unsigned long long>(m_sampleCount) * static_cast<unsigned>(m_sampleInterval);
    const float span = static_cast<float>(spanMs) * kSecondsPerMs;
    const float newest = static_cast<float>(newestMs) * kSecondsPerMs;
    for (std::size_t t = 0; t < kSpanFractions.size(); ++t) {
        const float seconds = newest - kSpanFractions[t] * span;
        const QString text = LocaleFixed(seconds, kTimeLabelPrecision, kTimeLabelDecimals);
        for (ChartControls& chart : m_controls.charts)
            chart.timeLabels[t]->setText(text);
    }
}

bool TDataLoggerForm::SaveLog()
{
    SetPanel(kProgressPanel, QStringLiteral("Saving data to file......"));
    const std::filesystem::path target = LogTarget();
    if (const std::optional<std::string> error = m_log.SaveLog(target)) {
        SetPanel(kProgressPanel, QStringLiteral("Save failed: ") + QString::fromStdString(*error));
        ShowMessage(
            QStringLiteral("The log could not be saved to %1:\n%2\n\nIts %3 rows are kept. Press Stop again "
                           "to save them, after fixing the folder or choosing another with File > Set Path.")
                .arg(PathText(target), QString::fromStdString(*error))
                .arg(m_log.RowCount()));
        return false;
    }
    SetPanel(kOutputFilePanel, kOutputFilePrefix + PathText(target));
    SetPanel(kProgressPanel, QStringLiteral("Done: ") + PathText(target));
    return true;
}

void TDataLoggerForm::SetSelectionEnabled(bool enabled)
{
    for (ChartControls& chart : m_controls.charts)
        chart.channelCombo->setEnabled(enabled);
    m_controls.timeBaseCombo->setEnabled(enabled);
    m_controls.saveDataBox->setEnabled(enabled);
}

// Ch2 takes typed text only from its list, so a combo box can show a text that is not in
// force; at Start every combo box shows the channel that is charted and logged.
void TDataLoggerForm::ShowChannelsInForce()
{
    for (std::size_t i = 0; i < m_channelNames.size(); ++i) {
        QComboBox& combo = *m_controls.charts[i].channelCombo;
        if (combo.currentText() != m_channelNames[i]) {
            combo.setCurrentIndex(static_cast<int>(m_channelList.indexOf(m_channelNames[i])));
            combo.setEditText(m_channelNames[i]);
        }
    }
}

void TDataLoggerForm::SetPathClick()
{
    emit DirectoryDialogRequested();
}

void TDataLoggerForm::closeEvent(QCloseEvent* event)
{
    FormClose();
    QMainWindow::closeEvent(event);
}

std::filesystem::path TDataLoggerForm::LogTarget() const
{
    if (!m_defaultLogFolder.isEmpty() && m_logFilePath == m_defaultLogFolder)
        QDir().mkpath(m_defaultLogFolder); // if it cannot be, the working directory takes the log
    return LogTargetPath(m_logFilePath.toStdString());
}

void TDataLoggerForm::showEvent(QShowEvent* event)
{
    m_everShown = true;
    QMainWindow::showEvent(event);
}

void TDataLoggerForm::FormClose()
{
    SaveSettings();
}

void TDataLoggerForm::SaveSettings()
{
    const std::optional<std::string> error = WriteSettings();
    if (!error || m_settingsFailureShown)
        return;
    if (!m_everShown) {
        qWarning("The data logger settings could not be saved: %s", error->c_str());
        return;
    }
    m_settingsFailureShown = true;
    ShowMessage(QStringLiteral("The data logger settings could not be saved:\n%1\n\nThe choices stay in "
                               "force until the program ends; closing this window tries again.")
                    .arg(QString::fromStdString(*error)));
}

std::optional<std::string> TDataLoggerForm::WriteSettings()
{
    DataLoggerSettings settings;
    settings.top = pos().y();
    settings.left = pos().x();
    settings.initMax = isMaximized();
    settings.filePath = m_logFilePath;
    settings.channels = m_channelNames;
    settings.timeBase = m_timeBaseText;
    return m_settingsFile.Update([&settings](IniFile& ini) { settings.Write(ini); });
}

QString TDataLoggerForm::ChannelName(int chart) const
{
    return m_channelNames.at(static_cast<std::size_t>(chart));
}

QString TDataLoggerForm::PanelText(int panel) const
{
    return m_controls.statusPanels.at(static_cast<std::size_t>(panel))->text();
}

void TDataLoggerForm::SetPanel(int panel, const QString& text)
{
    m_controls.statusPanels.at(static_cast<std::size_t>(panel))->setText(text);
}

void TDataLoggerForm::ShowMessage(const QString& text)
{
    QMessageBox::warning(this, windowTitle(), text);
}

bool TDataLoggerForm::Confirm(const QString& text)
{
    return QMessageBox::question(this, windowTitle(), text, QMessageBox::Ok | QMessageBox::Cancel)
        == QMessageBox::Ok;
}
