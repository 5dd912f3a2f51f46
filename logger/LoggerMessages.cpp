#include "logger/LoggerMessages.h"

#include "logfile/RecordingFile.h"

#include <QCoreApplication>
#include <QStringList>

#include <algorithm>

namespace {

QString PathText(const std::filesystem::path& path)
{
    return QString::fromStdString(path.string());
}

QString ConditionText(const std::optional<TriggerCondition>& condition)
{
    return condition ? QString::fromStdString(condition->Text()) : QString();
}

// How the run will end, when the trigger says: "stops 2 s after CTS > 90", "stops after 60 s".
QString StopText(const TriggerPlan& plan)
{
    if (plan.stop)
        return QCoreApplication::translate("TDataLoggerForm", "stops %1 s after %2")
            .arg(plan.stopDelaySeconds)
            .arg(ConditionText(plan.stop));
    if (plan.stopAfterSeconds)
        return QCoreApplication::translate("TDataLoggerForm", "stops after %1 s").arg(*plan.stopAfterSeconds);
    return {};
}

QString Joined(const QString& first, const QString& then)
{
    return then.isEmpty() ? first : QCoreApplication::translate("TDataLoggerForm", "%1; %2").arg(first, then);
}

QString RunningState(const TriggerPlan& plan, const LogTrigger& run)
{
    using Stage = LogTrigger::Stage;
    using End = LogTrigger::End;
    switch (run.CurrentStage()) {
    case Stage::Waiting:
        return plan.preTriggerSeconds > 0
            ? QCoreApplication::translate("TDataLoggerForm", "Waiting for %1, keeping the last %2 s")
                  .arg(ConditionText(plan.start))
                  .arg(plan.preTriggerSeconds)
            : QCoreApplication::translate("TDataLoggerForm", "Waiting for %1").arg(ConditionText(plan.start));
    case Stage::Recording:
        return Joined(plan.start ? QCoreApplication::translate("TDataLoggerForm", "Started on %1")
                                       .arg(ConditionText(plan.start))
                                 : QCoreApplication::translate("TDataLoggerForm", "Recording"),
            StopText(plan));
    case Stage::Stopping:
        return QCoreApplication::translate("TDataLoggerForm", "%1 held: stopping %2 s after it")
            .arg(ConditionText(plan.stop))
            .arg(plan.stopDelaySeconds);
    case Stage::Done:
        break;
    }
    switch (run.Ended()) {
    case End::StopCondition:
        return QCoreApplication::translate("TDataLoggerForm", "Stopped %1 s after %2")
            .arg(plan.stopDelaySeconds)
            .arg(ConditionText(plan.stop));
    case End::StopTime:
        return QCoreApplication::translate("TDataLoggerForm", "Stopped after %1 s")
            .arg(plan.stopAfterSeconds.value_or(0));
    case End::WhileWaiting:
        return QCoreApplication::translate("TDataLoggerForm", "Stopped while waiting for %1")
            .arg(ConditionText(plan.start));
    case End::NotYet:
    case End::Rows:
    case End::Finished:
        break;
    }
    return QCoreApplication::translate("TDataLoggerForm", "Stopped");
}

} // namespace

namespace LoggerMessages {

QString Recovered(const Recovery& recovery)
{
    // Past a few, a list would not fit on the screen: the count, the folder and the first and last.
    constexpr std::size_t ListedLogs = 5;
    constexpr std::size_t ListedProblems = 5;
    QStringList lines;
    if (recovery.logs.size() <= ListedLogs) {
        for (const RecoveredLog& log : recovery.logs)
            lines << QCoreApplication::translate("TDataLoggerForm", "%1 (%2 rows)")
                         .arg(PathText(log.path))
                         .arg(log.rows);
    } else {
        lines << QCoreApplication::translate("TDataLoggerForm", "%1 logs in %2, from %3 to %4")
                     .arg(recovery.logs.size())
                     .arg(PathText(recovery.logs.front().path.parent_path()))
                     .arg(PathText(recovery.logs.front().path.filename()))
                     .arg(PathText(recovery.logs.back().path.filename()));
    }
    QString text;
    if (!recovery.logs.empty())
        text = QCoreApplication::translate(
                   "TDataLoggerForm", "Recordings left unfinished when the program last ended are saved:")
            + QLatin1Char('\n') + lines.join(QLatin1Char('\n'));
    const std::size_t listed = std::min(recovery.problems.size(), ListedProblems);
    for (std::size_t i = 0; i < listed; ++i)
        text += (text.isEmpty() ? QString() : QStringLiteral("\n\n"))
            + QString::fromStdString(recovery.problems[i]);
    if (recovery.problems.size() > listed)
        text += QLatin1String("\n\n")
            + QCoreApplication::translate("TDataLoggerForm", "... and %1 more like these")
                  .arg(recovery.problems.size() - listed);
    return text;
}

QString BadTimeBase(const QString& typed, const QString& kept)
{
    return QCoreApplication::translate("TDataLoggerForm",
        "'%1' is not a valid time base: enter a whole number of seconds per division, "
        "1 or more. The time base stays %2.")
        .arg(typed, kept);
}

QString StartOverUnsaved(std::size_t rows, const std::filesystem::path& recording)
{
    return QCoreApplication::translate("TDataLoggerForm",
        "The last log (%1 rows) has not been saved.\nStart a new log? The rows written so "
        "far stay in %2 and are recovered at the next start.")
        .arg(rows)
        .arg(PathText(recording));
}

QString NotWritten(const std::string& problem)
{
    return QCoreApplication::translate("TDataLoggerForm",
        "The log is not being written to the disk:\n%1\n\nIts rows are kept until the disk "
        "takes them. Stop saves them, after fixing the folder or choosing another with "
        "File > Set Path.")
        .arg(QString::fromStdString(problem));
}

QString DiskFellBehind(std::size_t waitingBytes, std::size_t rows)
{
    constexpr double BytesPerMegabyte = 1024.0 * 1024.0;
    return QCoreApplication::translate("TDataLoggerForm",
        "The disk has not taken the last %1 MB of the log, so logging has stopped after %2 "
        "rows.\n\nEvery row taken is kept and goes to the disk as it catches up; Stop "
        "saves the log once they are all there.")
        .arg(static_cast<double>(waitingBytes) / BytesPerMegabyte, 0, 'f', 1)
        .arg(rows);
}

QString NotSaved(const std::filesystem::path& target, const std::string& error, std::size_t rows)
{
    return QCoreApplication::translate("TDataLoggerForm",
        "The log could not be saved to %1:\n%2\n\nIts %3 rows are kept. Press Stop again to "
        "save them, after fixing the folder or choosing another with File > Set Path.")
        .arg(PathText(target), QString::fromStdString(error))
        .arg(rows);
}

QString SettingsNotSaved(const std::string& error)
{
    return QCoreApplication::translate("TDataLoggerForm",
        "The data logger settings could not be saved:\n%1\n\nThe choices stay in force "
        "until the program ends; closing this window tries again.")
        .arg(QString::fromStdString(error));
}

QString TargetTaken(qint64 process, const std::filesystem::path& wanted, const std::filesystem::path& instead)
{
    return QCoreApplication::translate("TDataLoggerForm",
        "Another program (process %1) is recording into %2.\n\nThis recording goes to %3 instead, so that "
        "neither log is lost.")
        .arg(process)
        .arg(PathText(wanted), PathText(instead));
}

QString ReplayUnderWay()
{
    return QCoreApplication::translate("TDataLoggerForm",
        "A log is being replayed through the windows. Only what the car says is recorded: end the replay "
        "in the log viewer (End Replay) before pressing Start.");
}

QString TriggerField(TriggerProblem::Field field)
{
    using Field = TriggerProblem::Field;
    switch (field) {
    case Field::StartWhen:
        return QCoreApplication::translate("TDataLoggerForm", "Start when");
    case Field::StopWhen:
        return QCoreApplication::translate("TDataLoggerForm", "Stop when");
    case Field::StopDelay:
        return QCoreApplication::translate("TDataLoggerForm", "Stop delay (s)");
    case Field::PreTrigger:
        return QCoreApplication::translate("TDataLoggerForm", "Pre-trigger (s)");
    case Field::StopAfter:
        break;
    }
    return QCoreApplication::translate("TDataLoggerForm", "Stop after (s)");
}

QString BadTrigger(const TriggerProblem& problem)
{
    const QString text = QCoreApplication::translate("LogTrigger", problem.text);
    const QString first = QString::fromStdString(problem.first);
    return QCoreApplication::translate("TDataLoggerForm", "%1: %2")
        .arg(TriggerField(problem.field),
            problem.second.empty() ? text.arg(first)
                                   : text.arg(first, QString::fromStdString(problem.second)));
}

QString TriggerState(const TriggerPlan& plan, const LogTrigger* run)
{
    if (!plan.IsSet())
        return QCoreApplication::translate("TDataLoggerForm", "No trigger: Start records at once");
    if (run)
        return RunningState(plan, *run);
    return Joined(plan.start ? QCoreApplication::translate("TDataLoggerForm", "Start waits for %1")
                                   .arg(ConditionText(plan.start))
                             : QCoreApplication::translate("TDataLoggerForm", "Start records at once"),
        StopText(plan));
}

} // namespace LoggerMessages
