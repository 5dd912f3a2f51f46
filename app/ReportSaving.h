#pragma once

#include "report/DiagnosticReport.h"

#include <QObject>
#include <QString>

#include <optional>

class EcuSession;
class MainWindows;

// File > Save Report... in the main window: asks for a file and writes the diagnostic report of
// the session there, with the figures and plots of the log shown in the log viewer or, when it
// shows none, of the log the data logger saved last.
class ReportSaving : public QObject {
    Q_OBJECT

public:
    // Both outlive this object.
    ReportSaving(const EcuSession& session, MainWindows& windows);

    // The report as it would be written now.
    DiagnosticReport Report();
    // Writes the report to `path` (a .pdf, .html or .htm name); why it could not be, or nothing.
    std::optional<QString> Save(const QString& path);

protected:
    // Every file dialog and message goes through these two, so tests can answer them.
    virtual QString ChooseFile();
    virtual void ShowMessage(const QString& text);

private slots:
    void SaveReportClick();

private:
    std::optional<DiagnosticReport::Log> LogPart();

    const EcuSession& m_session;
    MainWindows& m_windows;
};
