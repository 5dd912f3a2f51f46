#include "viewer/LogOpening.h"

#include <QThread>

LogOpening::LogOpening(QObject* parent)
    : QObject(parent)
{
}

LogOpening::~LogOpening()
{
    StopAndWait();
}

void LogOpening::StopAndWait()
{
    if (!m_thread)
        return;
    m_progress->Cancel();
    m_thread->wait();
    // Its finished signal may still be queued: it must find nothing to report.
    m_thread->disconnect(this);
    m_thread->deleteLater();
    m_thread = nullptr;
}

void LogOpening::Start(const QString& path)
{
    StopAndWait();
    m_path = path;
    m_progress = std::make_shared<ReadProgress>();
    m_result = std::make_shared<LogFile>();
    // The thread owns shares of what it fills in, so that neither can go before it ends.
    m_thread = QThread::create([file = path.toStdString(), progress = m_progress, result = m_result] {
        *result = ReadLogFile(file, progress.get());
    });
    connect(m_thread, &QThread::finished, this, &LogOpening::Finish);
    m_thread->start();
}

void LogOpening::Cancel()
{
    if (m_progress)
        m_progress->Cancel();
}

void LogOpening::Finish()
{
    m_thread->deleteLater();
    m_thread = nullptr;
    // Cancel may come after the last byte was read, but before the result is taken.
    if (m_result->cancelled || m_progress->Cancelled())
        emit Cancelled(m_path);
    else
        emit Read(m_path, m_result);
}
