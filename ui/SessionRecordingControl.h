#pragma once

#include <QObject>
#include <QString>

class EcuSession;
class QAction;
class QTimer;
class SessionRecorder;
class TDashBoardForm;

// Comms > "Record Session...": asks for a file and records every byte of the session into it,
// showing on the main window's status bar that it records and how many bytes the file holds;
// chosen again ("Stop Recording"), it finishes the file.
class SessionRecordingControl : public QObject {
    Q_OBJECT

public:
    // How often the status bar's figure follows the file.
    static constexpr int RefreshMs = 500;

    // All three outlive this object, which finishes a recording in progress when it goes.
    SessionRecordingControl(SessionRecorder& recorder, const EcuSession& session, TDashBoardForm& dashboard);
    ~SessionRecordingControl() override;

    // Starts recording into `path`; empty when it started, else why not. A recording started
    // after the ECU was identified begins with that identification, so that it replays.
    QString StartRecording(const QString& path);
    void StopRecording();

protected:
    // Every file dialog and message goes through these two, so tests can answer them.
    virtual QString ChooseFile();
    virtual void ShowMessage(const QString& text);

private slots:
    void RecordSessionClick();
    void RefreshStatus();

private:
    SessionRecorder& m_recorder;
    const EcuSession& m_session;
    TDashBoardForm& m_dashboard;
    QAction* m_action;
    QTimer* m_timer;
};
