#include "logger/DataLoggerForm.h"

#include "link/EcuSession.h"

#include "controls/PerformanceGraph.h"
#include "defs/EcuIdentification.h"
#include "logfile/ChannelLists.h"
#include "logfile/ChannelTables.h"
#include "logfile/LogSaveAtExit.h"
#include "logfile/SampleInterval.h"
#include "logger/DataLoggerSettings.h"
#include "logger/LoggerMessages.h"
#include "logger/TriggerDialog.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>

namespace {

constexpr const char* kCaption = QT_TRANSLATE_NOOP("TDataLoggerForm", "DazedErir DataLogger");
constexpr const char* kOutputFilePrefix = QT_TRANSLATE_NOOP("TDataLoggerForm", "Output file:    ");
constexpr int kIntervalPanel = 0;
constexpr int kOutputFilePanel = 1;
constexpr int kProgressPanel = 2;

const QStringList kTimeBaseChoices = { "1", "2", "5", "10", "15", "30", "60" };

QStringList ToQStringList(const std::vector<std::string>& texts)
{
    QStringList list;
    list.reserve(static_cast<qsizetype>(texts.size()));
    for (const std::string& text : texts)
        list << QString::fromStdString(text);
    return list;
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
    , m_charts(m_controls.charts)
    , LogTimer1(new QTimer(this))
{
    setWindowTitle(tr(kCaption));
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

TDataLoggerForm::TDataLoggerForm(
    EcuSession& session, const QString& settingsFolder, const QString& defaultLogFolder, QWidget* parent)
    : TDataLoggerForm(session.Queries(), settingsFolder, defaultLogFolder, parent)
{
    m_session = &session;
    connect(&session, &EcuSession::EcuIdentified, this, [this](const IdentifiedEcu& ecu) {
        if (const std::optional<int> mode = DisplayModeFor(ecu.support))
            SetDisplayMode(*mode);
    });
    connect(&session, &EcuSession::PriorityValuesRead, this, &TDataLoggerForm::PriorityValuesRead);
    // The channels of the settings are in force from now on.
    ShareLoggedChannels();
}

void TDataLoggerForm::ShareLoggedChannels()
{
    // The session keeps these across identifications, applying them to each ECU's addresses, and
    // a display mode changes no channel in force: a chosen channel is the only change to tell.
    if (m_session)
        m_session->Settings().SetPollPriority(LoggedBytesOf(ChannelsInForce()));
}

TDataLoggerForm::~TDataLoggerForm()
{
    if (const std::optional<std::string> problem = FinishForExit())
        qWarning("DataLogger: %s", problem->c_str());
}

std::optional<std::string> TDataLoggerForm::FinishForExit()
{
    // The program is ending: the log goes where Stop would have put it, also one kept from a
    // failed save while a run without saving goes on, and the rows a trigger held while waiting.
    if (IsLogging())
        FinishTrigger(Ending::Program);
    LogTimer1->stop();
    if (!m_log.HasUnsavedLog())
        return std::nullopt;
    // A folder removed while it was recorded into took the recording with it: the rows, still
    // held open, are saved elsewhere, which is said as a save elsewhere is.
    const std::filesystem::path recordingFolder = m_log.RecordingPath().parent_path();
    std::error_code ec;
    const bool folderGone = !recordingFolder.empty() && !std::filesystem::is_directory(recordingFolder, ec);
    const std::filesystem::path target = LogTarget();
    if (std::optional<std::string> problem = SaveLogAtExit(m_log, target))
        return problem;
    if (folderGone)
        return "the log folder " + recordingFolder.string() + " is gone; the log was saved to "
            + target.string() + " instead";
    return std::nullopt;
}

QString TDataLoggerForm::RecoverUnfinished()
{
    const Recovery recovery = RecoverRecordings(LogTargetPath(m_logFilePath.toStdString()).parent_path());
    if (!recovery.logs.empty())
        m_controls.SetPanel(kProgressPanel, tr("Recovered: %1").arg(PathText(recovery.logs.back().path)));
    return LoggerMessages::Recovered(recovery);
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
    m_controls.timeBaseCombo->setEditText(ShownTimeBase());
    m_controls.allValuesBox->setChecked(settings.allValues);
    m_triggerTexts = settings.trigger;
    TriggerPlan::Read(m_triggerTexts, m_triggerPlan); // read as sound by the settings
    ShowTriggerState();
}

void TDataLoggerForm::ConnectControls()
{
    // A choice from the list is the select event; a finished edit is the close-up of typed text.
    const auto closeUp = [](const ChartControls& chart) { return chart.channelCombo->lineEdit(); };
    const std::array<ChartControls, kLoggedChannels>& charts = m_controls.charts;
    connect(charts[0].channelCombo, &QComboBox::activated, this, &TDataLoggerForm::Ch1_Sel_ComboSelect);
    connect(closeUp(charts[0]), &QLineEdit::editingFinished, this, &TDataLoggerForm::Ch1_Sel_ComboCloseUp);
    connect(charts[1].channelCombo, &QComboBox::activated, this, &TDataLoggerForm::Ch2_Sel_ComboSelect);
    connect(charts[2].channelCombo, &QComboBox::activated, this, &TDataLoggerForm::Ch3_Sel_ComboSelect);
    connect(closeUp(charts[2]), &QLineEdit::editingFinished, this, &TDataLoggerForm::Ch3_Sel_ComboCloseUp);
    connect(charts[3].channelCombo, &QComboBox::activated, this, &TDataLoggerForm::Ch4_Sel_ComboSelect);
    connect(closeUp(charts[3]), &QLineEdit::editingFinished, this, &TDataLoggerForm::Ch4_Sel_ComboCloseUp);
    QComboBox* timeBase = m_controls.timeBaseCombo;
    connect(timeBase, &QComboBox::activated, this, &TDataLoggerForm::GrT_Sel_T_ComboSelect);
    connect(
        timeBase->lineEdit(), &QLineEdit::editingFinished, this, &TDataLoggerForm::GrT_Sel_T_ComboCloseUp);
    connect(m_controls.startButton, &QPushButton::clicked, this, &TDataLoggerForm::DL_Start_ButtonClick);
    connect(m_controls.stopButton, &QPushButton::clicked, this, &TDataLoggerForm::DL_Stop_ButtonClick);
    connect(LogTimer1, &QTimer::timeout, this, &TDataLoggerForm::LogTimer1Timer);
    connect(m_controls.markerButton, &QPushButton::clicked, this, &TDataLoggerForm::MarkerClick);
    // A text box that has the focus takes the key as a letter.
    connect(new QShortcut(QKeySequence(Qt::Key_M), this), &QShortcut::activated, this,
        &TDataLoggerForm::MarkerClick);
    connect(m_controls.markerNote, &QLineEdit::returnPressed, this, &TDataLoggerForm::MarkerNoteEntered);
    connect(m_controls.triggerButton, &QPushButton::clicked, this, &TDataLoggerForm::TriggerClick);
    connect(m_controls.setPathAction, &QAction::triggered, this, &TDataLoggerForm::SetPathClick);
    connect(m_controls.openLogAction, &QAction::triggered, this, &TDataLoggerForm::OpenLogRequested);
    connect(m_controls.exitAction, &QAction::triggered, this, &TDataLoggerForm::ExitRequested);
    // "Close" has no handler: it does nothing.
}

void TDataLoggerForm::SetDisplayMode(int mode)
{
    m_namedChannels = mode != 0 ? 1 : 0;
    FillChannelList();
    m_controls.ReplaceChannelItems(m_channelList);
}

void TDataLoggerForm::SetLogPath(const QString& directory)
{
    m_logFilePath = directory;
    ShowOutputFile();
}

// Where the next Stop writes: a run under way moves to a newly chosen folder at its Stop.
void TDataLoggerForm::ShowOutputFile()
{
    m_controls.SetPanel(kOutputFilePanel, tr(kOutputFilePrefix) + PathText(PlannedTarget()));
}

void TDataLoggerForm::FillChannelList()
{
    m_channelList = ToQStringList(m_namedChannels != 0 ? NamedChannelList() : AddressChannelList());
}

void TDataLoggerForm::FillTimeBaseList()
{
    m_timeBaseList = kTimeBaseChoices;
    m_timeBaseList << FastTimeBaseText();
}

QString TDataLoggerForm::FastTimeBaseText() const
{
    return tr("As fast as the line allows");
}

QString TDataLoggerForm::ShownTimeBase() const
{
    return FastTimeBase() ? FastTimeBaseText() : m_timeBaseText;
}

void TDataLoggerForm::UpdateSampleInterval()
{
    // The rows of the fastest time base come as the line brings them; the charts move at the
    // fastest pace of the others.
    const std::optional<int> seconds
        = FastTimeBase() ? std::optional<int>(kFastestTimeBase) : ParseTimeBase(m_timeBaseText.toStdString());
    if (!seconds)
        return; // never stored: refused when chosen or read
    const std::optional<int> interval = SampleIntervalFor(*seconds, FirstChart().GridSize());
    if (!interval) {
        ShowMessage(tr("Error Code 3"));
        return;
    }
    m_sampleInterval = *interval;
    LogTimer1->setInterval(m_sampleInterval);
    m_controls.SetPanel(kIntervalPanel,
        FastTimeBase() ? tr("Sample interval: as fast as the line allows")
                       : tr("Sample interval: %1ms").arg(m_sampleInterval));
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
    m_charts.Clear(slot);
    ShareLoggedChannels();
}

void TDataLoggerForm::TimeBaseChosen()
{
    QComboBox& combo = *m_controls.timeBaseCombo;
    const QString text = combo.currentText();
    if (text == ShownTimeBase())
        return;
    if (text == FastTimeBaseText() || text == QLatin1String(kFastTimeBase)) {
        m_timeBaseText = QLatin1String(kFastTimeBase);
        combo.setEditText(FastTimeBaseText());
        UpdateSampleInterval();
        return;
    }
    const std::optional<int> seconds = ParseTimeBase(text.toStdString());
    if (!seconds) {
        combo.setEditText(ShownTimeBase());
        ShowMessage(LoggerMessages::BadTimeBase(text, ShownTimeBase()));
        return;
    }
    m_timeBaseText = QString::number(*seconds);
    combo.setEditText(m_timeBaseText);
    UpdateSampleInterval();
}

LogChannelNames TDataLoggerForm::ChannelsInForce() const
{
    LogChannelNames channels;
    for (std::size_t i = 0; i < channels.size(); ++i)
        channels[i] = m_channelNames[i].toStdString();
    return channels;
}

bool TDataLoggerForm::IsLogging() const
{
    return LogTimer1->isActive();
}

void TDataLoggerForm::DL_Start_ButtonClick()
{
    if (IsLogging())
        return;
    if (FastTimeBase() && !m_fastPolling) {
        ShowMessage(
            tr("The time base \"As fast as the line allows\" takes a row each time the line has brought "
               "every channel again, so it needs fast polling: choose \"As fast as the line allows\" in "
               "the main window's Sample Rate dialog too, or another time base."));
        return;
    }
    if (m_session && m_session->IsReplaying()) {
        ShowMessage(LoggerMessages::ReplayUnderWay());
        return;
    }
    const bool saving = m_controls.saveDataBox->isChecked();
    const LogChannelNames channels = ChannelsInForce();
    // The channels may have changed since the trigger was chosen.
    if (const std::optional<TriggerProblem> problem = m_triggerPlan.ChannelProblem(channels)) {
        ShowMessage(LoggerMessages::BadTrigger(*problem));
        return;
    }
    // A run without saving leaves a kept log alone: it is still saved by Stop or at the end.
    if (saving && m_log.HasUnsavedLog()
        && !Confirm(LoggerMessages::StartOverUnsaved(m_log.RowCount(), m_log.RecordingPath())))
        return;
    m_sampleCount = 0;
    m_savingRun = saving;
    m_fastRun = FastTimeBase();
    m_startedAt = std::chrono::steady_clock::now();
    m_requestedAt = QDateTime::currentDateTime();
    m_writeProblemShown = false;
    m_notedMarker = 0;
    m_trigger.emplace(m_triggerPlan, channels);
    m_columns = LogColumns(channels, m_controls.allValuesBox->isChecked());
    m_logBegun = false;
    // Ch2 takes typed text only from its list, so a combo box can show a text that is not in force.
    m_controls.ShowChannels(m_channelNames, m_channelList);
    m_charts.ClearAll();
    m_controls.SetSelectionEnabled(false);
    LogTimer1->start(m_sampleInterval);
    if (m_session)
        m_session->SetRecordingLog(true);
    // Waiting for a start condition, nothing goes to the disk until it holds.
    if (saving && !m_triggerPlan.WaitsForStart())
        BeginLog();
    SetMarkingEnabled(saving);
    ShowTriggerState();
}

void TDataLoggerForm::BeginLog(Notice notice)
{
    const std::filesystem::path target = LogTarget();
    m_log.AppendHeader(m_requestedAt.addMSecs(m_trigger->OriginMs()), ChannelsInForce(), m_sampleInterval,
        target, { .allValues = m_controls.allValuesBox->isChecked(), .units = m_ecu.Settings() });
    m_logBegun = true;
    if (notice == Notice::Withheld)
        return; // FinishForExit says what went wrong
    if (const std::optional<qint64> other = m_log.TargetTakenBy()) {
        m_controls.SetPanel(kOutputFilePanel, tr(kOutputFilePrefix) + PathText(m_log.Target()));
        ShowMessage(LoggerMessages::TargetTaken(*other, target, m_log.Target()));
    }
    ReportWriteProblem();
}

void TDataLoggerForm::TakeRow(std::int64_t ms)
{
    KeepRows(m_trigger->Take({ ms, m_columns.Fields(m_ecu), {} }));
    const LogTrigger::Stage stage = m_trigger->CurrentStage();
    if (stage == LogTrigger::Stage::Done)
        DL_Stop_ButtonClick();
    else if (m_trigger->Plan().IsSet())
        ShowTriggerState();
}

void TDataLoggerForm::KeepRows(const std::vector<LogRow>& rows)
{
    if (!m_savingRun || rows.empty())
        return;
    if (!m_logBegun)
        BeginLog();
    m_log.AppendRows(rows);
    ReportWriteProblem();
}

void TDataLoggerForm::FinishTrigger(Ending ending)
{
    if (!m_trigger || !m_savingRun) {
        if (m_trigger)
            m_trigger->Finish();
        return;
    }
    const std::vector<LogRow> held = m_trigger->Finish();
    // Stopped while waiting, the log holds the pre-trigger rows of the moment, as a run stopped at
    // once holds none; a program ending makes no log of nothing.
    if (!m_logBegun && (ending == Ending::Stop || !held.empty()))
        BeginLog(ending == Ending::Stop ? Notice::Shown : Notice::Withheld);
    if (!m_logBegun)
        return;
    m_log.AppendRows(held);
    if (ending == Ending::Stop)
        ReportWriteProblem();
}

void TDataLoggerForm::ShowTriggerState()
{
    m_controls.triggerState->setText(m_trigger ? LoggerMessages::TriggerState(m_trigger->Plan(), &*m_trigger)
                                               : LoggerMessages::TriggerState(m_triggerPlan, nullptr));
}

void TDataLoggerForm::DL_Stop_ButtonClick()
{
    if (!IsLogging()) {
        // Idle, but a log whose save failed is waiting: this is the retry.
        if (m_log.HasUnsavedLog())
            SaveLog();
        return;
    }
    KeepTypedNote();
    SetMarkingEnabled(false);
    FinishTrigger(Ending::Stop);
    LogTimer1->stop();
    if (m_session)
        m_session->SetRecordingLog(false);
    if (m_savingRun)
        SaveLog();
    m_controls.SetSelectionEnabled(true);
    ShowTriggerState();
}

void TDataLoggerForm::LogTimer1Timer()
{
    // A timeout already on its way when Stop came has no run to add to.
    if (!IsLogging())
        return;
    if (m_savingRun && !m_log.HasRoom()) {
        // The log ends here rather than lose rows or hold up the window; Stop saves it later.
        KeepTypedNote();
        SetMarkingEnabled(false);
        LogTimer1->stop();
        m_controls.SetSelectionEnabled(true);
        ShowMessage(LoggerMessages::DiskFellBehind(m_log.WaitingBytes(), m_log.RowCount()));
        return;
    }
    ++m_sampleCount;
    for (std::size_t i = 0; i < m_chartChannels.size(); ++i)
        m_charts.Plot(i, m_chartChannels[i], m_ecu);
    m_charts.ShowTimeAxis(m_sampleCount, m_sampleInterval);
    if (!m_fastRun)
        TakeRow(static_cast<std::int64_t>(m_sampleCount) * m_sampleInterval);
    // A trigger may have ended the run, whose panel then says where the log went.
    if (IsLogging())
        ShowFileSize();
}

void TDataLoggerForm::PriorityValuesRead(std::chrono::steady_clock::time_point at)
{
    if (!IsLogging() || !m_fastRun || (m_savingRun && !m_log.HasRoom()))
        return;
    TakeRow(std::chrono::duration_cast<std::chrono::milliseconds>(at - m_startedAt).count());
}

int TDataLoggerForm::AddMarker(const QString& note)
{
    if (!IsLogging() || !m_savingRun)
        return 0;
    KeepTypedNote();
    if (m_trigger->CurrentStage() == LogTrigger::Stage::Waiting) {
        // Its number comes when the start holds, if its row is kept then.
        m_controls.markerLabel->setText(m_trigger->Mark(note.toStdString())
                ? tr("Marker held with the pre-trigger rows")
                : tr("Marker dropped: no rows are kept while waiting"));
        return 0;
    }
    m_notedMarker = m_log.AddMarker(note.toStdString());
    ReportWriteProblem();
    m_controls.markerLabel->setText(
        tr("Marker %1 at %2 s")
            .arg(m_notedMarker)
            .arg(static_cast<double>(m_log.ElapsedMs()) / ::kMsPerSecond, 0, 'f', 1));
    QLineEdit& box = *m_controls.markerNote;
    box.setText(QString::fromStdString(m_log.Markers().back().note));
    box.setPlaceholderText(tr("Note for marker %1 (Enter keeps it)").arg(m_notedMarker));
    box.setEnabled(true);
    if (isActiveWindow())
        box.setFocus();
    return m_notedMarker;
}

void TDataLoggerForm::MarkerNoteEntered()
{
    KeepTypedNote();
    // Back to the window, so that the next M marks again.
    m_controls.markerButton->setFocus();
}

void TDataLoggerForm::KeepTypedNote()
{
    if (m_notedMarker == 0 || !m_log.HasUnsavedLog())
        return;
    const std::string typed = m_controls.markerNote->text().toStdString();
    if (MarkerNote(typed) == m_log.Markers().at(static_cast<std::size_t>(m_notedMarker - 1)).note)
        return;
    m_log.NoteMarker(m_notedMarker, typed);
    ReportWriteProblem();
}

void TDataLoggerForm::SetMarkingEnabled(bool enabled)
{
    m_controls.markerButton->setEnabled(enabled);
    if (enabled) {
        m_controls.markerLabel->clear();
        m_controls.markerNote->clear();
        m_controls.markerNote->setPlaceholderText(tr("Press M while recording to mark a moment"));
    }
    m_controls.markerNote->setEnabled(false);
}

void TDataLoggerForm::ShowFileSize()
{
    const std::int64_t fileBytes = m_savingRun ? m_log.FileBytes() : 0;
    m_controls.SetPanel(kProgressPanel, tr("File size %1 bytes").arg(fileBytes));
}

// Once a run: the rows are kept while the disk refuses them, and Stop can still save them.
void TDataLoggerForm::ReportWriteProblem()
{
    const std::optional<std::string>& problem = m_log.WriteProblem();
    if (!problem || m_writeProblemShown)
        return;
    m_writeProblemShown = true;
    ShowMessage(LoggerMessages::NotWritten(*problem));
}

bool TDataLoggerForm::SaveLog()
{
    m_controls.SetPanel(kProgressPanel, tr("Saving data to file......"));
    const std::filesystem::path target = LogTarget();
    if (const std::optional<std::string> error = m_log.SaveLog(target)) {
        m_controls.SetPanel(kProgressPanel, tr("Save failed: %1").arg(QString::fromStdString(*error)));
        ShowMessage(LoggerMessages::NotSaved(target, *error, m_log.RowCount()));
        return false;
    }
    m_controls.SetPanel(kOutputFilePanel, tr(kOutputFilePrefix) + PathText(m_log.Target()));
    m_controls.SetPanel(kProgressPanel, tr("Done: %1").arg(PathText(m_log.Target())));
    m_savedLogPath = QString::fromStdString(m_log.Target().string());
    return true;
}

void TDataLoggerForm::TriggerClick()
{
    if (!m_triggerDialog) {
        m_triggerDialog = new TriggerDialog(this);
        connect(m_triggerDialog, &TriggerDialog::TextsChosen, this, &TDataLoggerForm::TriggerChosen);
    }
    m_triggerDialog->ShowTexts(m_triggerTexts);
    m_triggerDialog->open();
}

void TDataLoggerForm::TriggerChosen(const TriggerTexts& texts)
{
    if (const std::optional<TriggerProblem> problem = SetTrigger(texts)) {
        ShowMessage(LoggerMessages::BadTrigger(*problem));
        m_triggerDialog->FocusOn(problem->field);
        return;
    }
    m_triggerDialog->accept();
}

std::optional<TriggerProblem> TDataLoggerForm::SetTrigger(const TriggerTexts& texts)
{
    TriggerPlan plan;
    std::optional<TriggerProblem> problem = TriggerPlan::Read(texts, plan);
    if (!problem)
        problem = plan.ChannelProblem(ChannelsInForce());
    if (problem)
        return problem;
    m_triggerTexts = texts;
    m_triggerPlan = std::move(plan);
    // A run under way keeps the trigger it started with; the next Start takes this one.
    if (!IsLogging()) {
        m_trigger.reset();
        ShowTriggerState();
    }
    return std::nullopt;
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

std::filesystem::path TDataLoggerForm::PlannedTarget() const
{
    // The default folder is made only by the first recording; until then it is still where logs go.
    if (!m_defaultLogFolder.isEmpty() && m_logFilePath == m_defaultLogFolder)
        return (std::filesystem::absolute(m_defaultLogFolder.toStdString()) / DataLog::kLogFileName)
            .lexically_normal();
    return LogTargetPath(m_logFilePath.toStdString());
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
    ShowMessage(LoggerMessages::SettingsNotSaved(*error));
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
    settings.allValues = m_controls.allValuesBox->isChecked();
    settings.trigger = m_triggerTexts;
    return m_settingsFile.Update([&settings](IniFile& ini) { settings.Write(ini); });
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
