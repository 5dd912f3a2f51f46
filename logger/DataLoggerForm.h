#pragma once

#include "logfile/DataLog.h"
#include "logfile/LogTrigger.h"
#include "logfile/SampleInterval.h"
#include "logger/DataLoggerControls.h"
#include "logger/LoggerCharts.h"
#include "settings/SettingsFile.h"

#include <QMainWindow>
#include <QStringList>
#include <array>
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

class EcuQueries;
class EcuSession;
class QTimer;
class TPerformanceGraph;
class TriggerDialog;

// The data logger: samples four chosen channels of the live values every SampleInterval ms,
// shows each as a number and a strip chart, and with "Save To File" ticked records every sample
// as a CSV row, on the disk as it is taken and finished into the log file at Stop. A save that
// fails is reported and kept: Stop again (after fixing the folder or choosing another) saves it,
// and so does the end of the program. A trigger (LogTrigger) may make a run wait for a start
// condition, keeping only the last pre-trigger seconds in memory until it holds, and stop it by
// itself; without one every row is recorded from Start to Stop.
class TDataLoggerForm : public QMainWindow {
    Q_OBJECT

public:
    // Reads "kodralog.ini" in `settingsFolder` (the working directory if empty). Logs go to
    // `defaultLogFolder`, made when first needed, until the settings or Set Path name another
    // (empty: the working directory).
    TDataLoggerForm(const EcuQueries& ecu, const QString& settingsFolder,
        const QString& defaultLogFolder = QString(), QWidget* parent = nullptr);
    // Over the session: it records only what the car says. Start is refused while a log is
    // replayed, and a log replay is refused while this window records. The window takes its
    // display mode from each identified ECU and has fast polling read its channels first.
    TDataLoggerForm(EcuSession& session, const QString& settingsFolder,
        const QString& defaultLogFolder = QString(), QWidget* parent = nullptr);
    ~TDataLoggerForm() override;

    // 1: the named channels of a fully supported ECU; 0: the raw addresses. The channels in
    // force and the texts shown stay as they are.
    void SetDisplayMode(int mode);
    // The directory of the next save, stored as given.
    void SetLogPath(const QString& directory);
    // The program is ending: stops and saves an unsaved log as Stop would; when its folder
    // refuses it, in the home folder or else the temporary folder under its dated name. Returns
    // what went wrong and where the rows are, nothing when saved or when there was nothing to save.
    std::optional<std::string> FinishForExit();
    // Writes the settings without a word to the user (the program is ending, maybe with no
    // display left); returns why they could not be written.
    std::optional<std::string> WriteSettings();
    // Finishes the recordings an earlier run left unfinished in the log folder. Returns what to
    // tell the user, empty when there were none.
    QString RecoverUnfinished();

    // Whether the session polls as fast as the line allows: the time base of that name needs it.
    void SetFastPolling(bool fast) { m_fastPolling = fast; }
    // The time base "As fast as the line allows" is in force.
    bool FastTimeBase() const { return m_timeBaseText == QLatin1String(kFastTimeBase); }

    // Chooses what Start waits for and when the run stops, as OK in the Trigger dialog does (not
    // while logging). Returns what cannot be used; nothing changes then.
    std::optional<TriggerProblem> SetTrigger(const TriggerTexts& texts);

    // Start and Stop as the buttons do, for a caller that is no user (--start-logging).
    void StartLogging() { DL_Start_ButtonClick(); }
    void StopLogging() { DL_Stop_ButtonClick(); }

    void FillChannelList();
    void FillTimeBaseList();
    void UpdateSampleInterval();
    void SaveSettings();

    // Marks the row taken last while a saving run records, as the Marker button and key M do, with
    // `note` (the user may type one afterwards). Returns its number; 0 when nothing is recorded.
    int AddMarker(const QString& note = QString());

    bool IsLogging() const;
    int SampleInterval() const { return m_sampleInterval; }
    std::uint32_t SampleCount() const { return m_sampleCount; }
    QString ChannelName(int chart) const { return m_channelNames.at(static_cast<std::size_t>(chart)); }
    QString TimeBaseText() const { return m_timeBaseText; }
    QString LogFilePath() const { return m_logFilePath; }
    // The log this window saved last; empty until one is saved.
    QString SavedLogPath() const { return m_savedLogPath; }
    int NamedChannels() const { return m_namedChannels; }
    const QStringList& ChannelList() const { return m_channelList; }
    const QStringList& TimeBaseList() const { return m_timeBaseList; }
    const DataLog& Log() const { return m_log; }
    const TriggerTexts& Trigger() const { return m_triggerTexts; }
    QString PanelText(int panel) const { return m_controls.PanelText(panel); }

public slots:
    // The session has read every logged channel again (`at`, when the last reply came): with the
    // time base "As fast as the line allows", a row stamped with that time.
    void PriorityValuesRead(std::chrono::steady_clock::time_point at);

signals:
    void DirectoryDialogRequested();
    // File > Open Log: the user wants a log shown in the log viewer.
    void OpenLogRequested();
    void ExitRequested();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    // A modal message box with OK; tests record the text instead.
    virtual void ShowMessage(const QString& text);
    // A modal question with OK and Cancel; true for OK.
    virtual bool Confirm(const QString& text);

private slots:
    void DL_Start_ButtonClick();
    void DL_Stop_ButtonClick();
    void LogTimer1Timer();
    void Ch1_Sel_ComboSelect() { ChannelChosen(0); }
    void Ch1_Sel_ComboCloseUp() { ChannelChosen(0); }
    void Ch2_Sel_ComboSelect() { ChannelChosen(1); }
    void Ch3_Sel_ComboSelect() { ChannelChosen(2); }
    void Ch3_Sel_ComboCloseUp() { ChannelChosen(2); }
    void Ch4_Sel_ComboSelect() { ChannelChosen(3); }
    void Ch4_Sel_ComboCloseUp() { ChannelChosen(3); }
    void GrT_Sel_T_ComboSelect() { TimeBaseChosen(); }
    void GrT_Sel_T_ComboCloseUp() { TimeBaseChosen(); }
    void SetPathClick();
    void MarkerClick() { AddMarker(); }
    void MarkerNoteEntered();
    void TriggerClick();
    void TriggerChosen(const TriggerTexts& texts);

private:
    void FormClose();
    void ApplySettings();
    void ConnectControls();
    void ChannelChosen(int chart);
    // Tells the session which bytes the channels in force need, so that fast polling reads them
    // before the others.
    void ShareLoggedChannels();
    void TimeBaseChosen();
    bool SaveLog();
    // How a run ends: Stop (or its trigger), or the program's end, which puts up no message.
    enum class Ending { Stop, Program };
    enum class Notice { Shown, Withheld };
    // Makes the recording file with the header: at Start, or when the start condition first holds.
    // Tells the user when the file asked for is another program's, or cannot be written.
    void BeginLog(Notice notice = Notice::Shown);
    // A row taken `ms` after Start: to the trigger, and what it keeps to the log.
    void TakeRow(std::int64_t ms);
    void KeepRows(const std::vector<LogRow>& rows);
    // Ends the run's trigger: what it held while waiting goes to the log.
    void FinishTrigger(Ending ending);
    void ShowTriggerState();
    void ReportWriteProblem();
    // The note typed for the latest marker goes to the log, unless it already holds it.
    void KeepTypedNote();
    void SetMarkingEnabled(bool enabled);
    void ShowFileSize();
    // The time base as the combo box shows it.
    QString ShownTimeBase() const;
    QString FastTimeBaseText() const;
    void ShowOutputFile();
    LogChannelNames ChannelsInForce() const;
    // Where the log is saved; the default log folder is made here, when first needed.
    std::filesystem::path LogTarget() const;
    // Where the next save will go, without making any folder.
    std::filesystem::path PlannedTarget() const;
    TPerformanceGraph& FirstChart() const { return *m_controls.charts.front().graph; }

    const EcuQueries& m_ecu;
    EcuSession* m_session = nullptr;
    SettingsFile m_settingsFile;
    const QString m_defaultLogFolder;
    DataLoggerControls m_controls;
    LoggerCharts m_charts;
    QTimer* LogTimer1 = nullptr;

    std::uint32_t m_sampleCount = 0;
    int m_sampleInterval = 0;
    int m_namedChannels = 1;
    QStringList m_channelList;
    QStringList m_timeBaseList;
    QString m_logFilePath;
    QString m_savedLogPath;
    std::array<QString, kLoggedChannels> m_channelNames;
    std::array<ResolvedChannel, kLoggedChannels> m_chartChannels; // the names above, looked up
    QString m_timeBaseText;
    DataLog m_log;
    TriggerTexts m_triggerTexts;
    TriggerPlan m_triggerPlan; // read from the texts
    std::optional<LogTrigger> m_trigger; // of the latest run
    TriggerDialog* m_triggerDialog = nullptr; // made when first opened
    LogColumns m_columns; // of the run
    QDateTime m_requestedAt; // Start
    bool m_logBegun = false; // in this run
    bool m_savingRun = false; // "Save To File" as it was at Start
    bool m_fastRun = false; // the time base "As fast as the line allows" at Start
    bool m_fastPolling = false;
    std::chrono::steady_clock::time_point m_startedAt;
    bool m_settingsFailureShown = false;
    // A window the user never opened does not put up a message box when the program ends.
    bool m_everShown = false;
    bool m_writeProblemShown = false; // in this run
    int m_notedMarker = 0; // whose note the note box holds; 0: none yet
};
