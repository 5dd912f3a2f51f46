#pragma once

#include "logfile/LogReader.h"

#include <QObject>
#include <QString>

#include <memory>

class QThread;

// Reads a log on a thread of its own, so that the window that waits for it goes on answering;
// one read at a time. The result comes back by a signal, on the thread that started the read.
class LogOpening : public QObject {
    Q_OBJECT

public:
    explicit LogOpening(QObject* parent = nullptr);
    // Gives up a read under way and waits for its thread, which stops within a few milliseconds.
    ~LogOpening() override;

    // Starts reading `path`, giving up a read under way.
    void Start(const QString& path);
    void Cancel();
    bool Busy() const { return m_thread != nullptr; }
    QString Path() const { return m_path; }
    // How far the read has come, from 0 to 1.
    double Fraction() const { return m_progress ? m_progress->Fraction() : 0.0; }

signals:
    // The read is over: `file` holds the log or why it could not be read.
    void Read(const QString& path, std::shared_ptr<LogFile> file);
    void Cancelled(const QString& path);

private:
    void Finish();
    void StopAndWait();

    QThread* m_thread = nullptr;
    std::shared_ptr<ReadProgress> m_progress;
    std::shared_ptr<LogFile> m_result;
    QString m_path;
};
