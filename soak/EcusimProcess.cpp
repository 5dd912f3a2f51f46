#include "soak/EcusimProcess.h"

#include <QFile>

namespace {

// Generous: only a broken simulator takes this long to open a terminal or to end.
constexpr int PatienceMs = 10000;

} // namespace

EcusimProcess::EcusimProcess(const QString& program, const QStringList& arguments)
{
    m_process.setProgram(program);
    m_process.setArguments(arguments);
    m_process.start(QIODevice::ReadOnly);
}

EcusimProcess::~EcusimProcess()
{
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished(PatienceMs);
    }
}

std::optional<std::string> EcusimProcess::WaitUntilServing()
{
    if (!m_process.waitForStarted(PatienceMs))
        return "cannot start " + m_process.program().toStdString() + ": "
            + m_process.errorString().toStdString();
    while (!m_process.canReadLine()) {
        if (!m_process.waitForReadyRead(PatienceMs)) {
            return m_process.program().toStdString()
                + " printed no terminal: " + m_process.readAllStandardError().trimmed().toStdString();
        }
    }
    m_process.readLine();
    return std::nullopt;
}

EcusimProcess::Ending EcusimProcess::Stop(const QString& statsFile)
{
    Ending ending;
    m_process.terminate();
    if (!m_process.waitForFinished(PatienceMs)) {
        m_process.kill();
        m_process.waitForFinished(PatienceMs);
        ending.crashed = true;
    }
    ending.crashed = ending.crashed || m_process.exitStatus() == QProcess::CrashExit;
    ending.exitCode = m_process.exitCode();
    ending.errorOutput = m_process.readAllStandardError().trimmed().toStdString();
    QFile file(statsFile);
    if (file.open(QIODevice::ReadOnly))
        ending.stats = ParseStatsText(file.readAll().toStdString());
    return ending;
}
