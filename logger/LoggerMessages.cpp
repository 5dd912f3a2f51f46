#include "logger/LoggerMessages.h"

#include "logger/RecordingFile.h"

#include <QStringList>

namespace {

QString PathText(const std::filesystem::path& path)
{
    return QString::fromStdString(path.string());
}

} // namespace

namespace LoggerMessages {

QString Recovered(const Recovery& recovery)
{
    QStringList lines;
    for (const RecoveredLog& log : recovery.logs)
        lines << QStringLiteral("%1 (%2 rows)").arg(PathText(log.path)).arg(log.rows);
    QString text;
    if (!lines.isEmpty())
        text = QStringLiteral("Recordings left unfinished when the program last ended are saved:\n")
            + lines.join(QLatin1Char('\n'));
    for (const std::string& problem : recovery.problems)
        text += (text.isEmpty() ? QString() : QStringLiteral("\n\n")) + QString::fromStdString(problem);
    return text;
}

QString BadTimeBase(const QString& typed, const QString& kept)
{
    return QStringLiteral("'%1' is not a valid time base: enter a whole number of seconds per division, "
                          "1 or more. The time base stays %2.")
        .arg(typed, kept);
}

QString StartOverUnsaved(std::size_t rows, const std::filesystem::path& recording)
{
    return QStringLiteral("The last log (%1 rows) has not been saved.\nStart a new log? The rows written so "
                          "far stay in %2 and are recovered at the next start.")
        .arg(rows)
        .arg(PathText(recording));
}

QString NotWritten(const std::string& problem)
{
    return QStringLiteral("The log is not being written to the disk:\n%1\n\nIts rows are kept until the disk "
                          "takes them. Stop saves them, after fixing the folder or choosing another with "
                          "File > Set Path.")
        .arg(QString::fromStdString(problem));
}

QString NotSaved(const std::filesystem::path& target, const std::string& error, std::size_t rows)
{
    return QStringLiteral(
        "The log could not be saved to %1:\n%2\n\nIts %3 rows are kept. Press Stop again to "
        "save them, after fixing the folder or choosing another with File > Set Path.")
        .arg(PathText(target), QString::fromStdString(error))
        .arg(rows);
}

QString SettingsNotSaved(const std::string& error)
{
    return QStringLiteral("The data logger settings could not be saved:\n%1\n\nThe choices stay in force "
                          "until the program ends; closing this window tries again.")
        .arg(QString::fromStdString(error));
}

} // namespace LoggerMessages
