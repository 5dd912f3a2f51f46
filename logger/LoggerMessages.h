#pragma once

#include "logfile/LogTrigger.h"

#include <QString>

#include <cstddef>
#include <filesystem>
#include <string>

struct Recovery;

// What the data logger tells its user, word for word, in one place.
namespace LoggerMessages {

// The recordings an earlier run left unfinished that are now saved, then any that could not be;
// empty when there were none.
QString Recovered(const Recovery& recovery);
QString BadTimeBase(const QString& typed, const QString& kept);
// The question before a new saving run replaces a log whose save failed.
QString StartOverUnsaved(std::size_t rows, const std::filesystem::path& recording);
QString NotWritten(const std::string& problem);
// Logging stopped because the disk has fallen `waitingBytes` behind the rows.
QString DiskFellBehind(std::size_t waitingBytes, std::size_t rows);
QString NotSaved(const std::filesystem::path& target, const std::string& error, std::size_t rows);
QString SettingsNotSaved(const std::string& error);
// Start refused while a log is replayed.
QString ReplayUnderWay();
// Another program records into the file asked for: this log goes to `instead`.
QString TargetTaken(
    qint64 process, const std::filesystem::path& wanted, const std::filesystem::path& instead);

// The name of a trigger setting, as the Trigger dialog labels its box.
QString TriggerField(TriggerProblem::Field field);
// A trigger setting that cannot be used, naming it and why.
QString BadTrigger(const TriggerProblem& problem);
// What the trigger does: before Start (`run` null), while the run waits or records, and after it.
QString TriggerState(const TriggerPlan& plan, const LogTrigger* run);

} // namespace LoggerMessages
