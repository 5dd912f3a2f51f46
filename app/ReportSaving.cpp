#include "app/ReportSaving.h"

#include "app/MainWindows.h"
#include "logger/DataLoggerForm.h"
#include "report/ReportFile.h"
#include "viewer/LogViewerForm.h"

#include <QAction>
#include <QDateTime>
#include <QFileDialog>
#include <QFileInfo>
#include <QLayout>
#include <QMessageBox>

ReportSaving::ReportSaving(const EcuSession& session, MainWindows& windows)
    : m_session(session)
    , m_windows(windows)
{
    QAction* action = m_windows.Dashboard().SaveReportAction();
    connect(action, &QAction::triggered, this, &ReportSaving::SaveReportClick);
    action->setEnabled(true);
}

std::optional<DiagnosticReport::Log> ReportSaving::LogPart()
{
    const bool viewerShowsLog = m_windows.LogViewerMade() && !m_windows.LogViewer().LogPath().isEmpty();
    if (!viewerShowsLog) {
        const QString saved = m_windows.DataLogger().SavedLogPath();
        if (saved.isEmpty() || !QFileInfo::exists(saved))
            return std::nullopt;
        // The viewer draws the plots, shown or not; its layout sizes them even while hidden.
        TLogViewerForm& viewer = m_windows.LogViewer();
        viewer.layout()->activate();
        if (!viewer.OpenLogAndWait(saved))
            return std::nullopt;
    }
    const TLogViewerForm& viewer = m_windows.LogViewer();
    DiagnosticReport::Log part = ReportLogOf(QFileInfo(viewer.LogPath()).fileName(), viewer.Log());
    part.plots = viewer.Picture();
    return part;
}

DiagnosticReport ReportSaving::Report()
{
    DiagnosticReport report = ReportOfSession(m_session, QDateTime::currentDateTime());
    report.log = LogPart();
    return report;
}

std::optional<QString> ReportSaving::Save(const QString& path)
{
    return WriteReport(Report(), path);
}

QString ReportSaving::ChooseFile()
{
    const QString name
        = tr("report-%1.pdf").arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss")));
    return QFileDialog::getSaveFileName(&m_windows.Dashboard(), tr("Save Report"), name,
        tr("PDF documents (*.pdf);;HTML pages (*.html *.htm)"));
}

void ReportSaving::ShowMessage(const QString& text)
{
    QMessageBox::warning(&m_windows.Dashboard(), QCoreApplication::applicationName(), text);
}

void ReportSaving::SaveReportClick()
{
    const QString path = ChooseFile();
    if (path.isEmpty())
        return; // cancelled
    if (!ReportFormatOf(path)) {
        ShowMessage(
            tr("A report is saved as a PDF (.pdf) or an HTML page (.html, .htm): %1 is neither.").arg(path));
        return;
    }
    if (const std::optional<QString> problem = Save(path))
        ShowMessage(tr("The report could not be written to %1: %2").arg(path, *problem));
}
