#include "ui/SessionRecordingControl.h"

#include "capture/SessionRecorder.h"
#include "link/EcuSession.h"
#include "ui/DashBoardForm.h"

#include <QAction>
#include <QCoreApplication>
#include <QDateTime>
#include <QFileDialog>
#include <QMessageBox>
#include <QTimer>

#include <cstdint>

namespace {

constexpr const char* Context = "SessionRecordingControl";
constexpr const char* RecordCaption = QT_TRANSLATE_NOOP("SessionRecordingControl", "Record Session...");
constexpr const char* StopCaption = QT_TRANSLATE_NOOP("SessionRecordingControl", "Stop Recording");

QString Tr(const char* text)
{
    return QCoreApplication::translate(Context, text);
}
// Above this many of a unit the next larger one is shown, so that the figure fits the status bar's
// last panel at the window's fixed width.
constexpr std::uint64_t MostOfAUnit = 99999;
constexpr std::uint64_t BytesPerKilobyte = 1024;

QString SizeText(std::uint64_t bytes)
{
    for (const char* unit : { "B", "KB" }) {
        if (bytes <= MostOfAUnit)
            return QStringLiteral("%1 %2").arg(bytes).arg(QLatin1String(unit));
        bytes /= BytesPerKilobyte;
    }
    return QStringLiteral("%1 MB").arg(bytes);
}

// The identification the session made, stamped at the start of the capture.
SessionRecorder::Opening IdentificationOpening(const EcuConnection& connection)
{
    const std::optional<EcuConnection::IdentificationExchange>& made = connection.LastIdentification();
    if (!made)
        return {};
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(made->madeAt.time_since_epoch());
    const QString at = QDateTime::fromMSecsSinceEpoch(ms.count()).toString(QStringLiteral("HH:mm:ss"));
    return { "identification as made at " + at.toStdString(),
        { { 0, CaptureDirection::Written, made->request }, { 0, CaptureDirection::Read, made->answer } } };
}

} // namespace

SessionRecordingControl::SessionRecordingControl(
    SessionRecorder& recorder, const EcuSession& session, TDashBoardForm& dashboard)
    : m_recorder(recorder)
    , m_session(session)
    , m_dashboard(dashboard)
    , m_action(dashboard.RecordSessionAction())
    , m_timer(new QTimer(this))
{
    m_timer->setObjectName(QStringLiteral("RecordingTimer"));
    m_timer->setInterval(RefreshMs);
    connect(m_timer, &QTimer::timeout, this, &SessionRecordingControl::RefreshStatus);
    connect(m_action, &QAction::triggered, this, &SessionRecordingControl::RecordSessionClick);
    m_action->setEnabled(true);
}

SessionRecordingControl::~SessionRecordingControl()
{
    m_recorder.Stop();
}

QString SessionRecordingControl::StartRecording(const QString& path)
{
    const std::string problem
        = m_recorder.Start(path.toStdString(), IdentificationOpening(m_session.Connection()));
    if (!problem.empty())
        return QString::fromStdString(problem);
    m_action->setText(Tr(StopCaption));
    m_timer->start();
    RefreshStatus();
    return {};
}

void SessionRecordingControl::StopRecording()
{
    m_timer->stop();
    const std::string problem = m_recorder.Stop();
    m_action->setText(Tr(RecordCaption));
    m_dashboard.ShowRecordingText(QString());
    if (!problem.empty())
        ShowMessage(QString::fromStdString(problem));
}

QString SessionRecordingControl::ChooseFile()
{
    return QFileDialog::getSaveFileName(&m_dashboard, Tr(RecordCaption), QString(),
        QCoreApplication::translate("SessionRecordingControl", "Captures (*.capture *.txt);;All files (*)"));
}

void SessionRecordingControl::ShowMessage(const QString& text)
{
    QMessageBox::warning(&m_dashboard, QCoreApplication::applicationName(), text);
}

void SessionRecordingControl::RecordSessionClick()
{
    if (m_recorder.IsRecording()) {
        StopRecording();
        return;
    }
    const QString path = ChooseFile();
    if (path.isEmpty())
        return; // cancelled
    if (const QString problem = StartRecording(path); !problem.isEmpty())
        ShowMessage(problem);
}

void SessionRecordingControl::RefreshStatus()
{
    if (!m_recorder.Problem().empty()) {
        StopRecording(); // says why
        return;
    }
    m_dashboard.ShowRecordingText(QCoreApplication::translate("SessionRecordingControl", "Recording %1")
                                      .arg(SizeText(m_recorder.FileBytes())));
}
