#pragma once

#include <QWidget>

class LogOpening;
class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;

// What a window shows while a log is being read: its name, how far the read has come, and Cancel.
// Hidden while no read is under way.
class OpeningProgress : public QWidget {
    Q_OBJECT

public:
    OpeningProgress(LogOpening& opening, QWidget* parent = nullptr);

    // A read has started: shown, and following it until it ends.
    void Follow();
    // The read has ended, whichever way.
    void Stop();

private:
    void ShowFraction();

    LogOpening& m_opening;
    QLabel* m_name = nullptr;
    QProgressBar* m_bar = nullptr;
    QPushButton* m_cancel = nullptr;
    QTimer* m_timer = nullptr;
};
