#pragma once

#include <QWidget>

#include <cstddef>

class QComboBox;
class QPushButton;
class QSlider;

// The replay's controls: Play, Pause, Step, End Replay, the speed and the position in the log's
// rows. Disabled while there are no rows to replay.
class ReplayBar : public QWidget {
    Q_OBJECT

public:
    explicit ReplayBar(QWidget* parent = nullptr);

    // The rows there are to replay; none disables the controls.
    void SetRows(std::size_t rows);
    // Where the replay stands, without saying so back.
    void ShowRow(std::size_t row);
    double Speed() const;

signals:
    void PlayClicked();
    void PauseClicked();
    void StepClicked();
    void EndClicked();
    void SpeedChosen(double speed);
    // Chosen by the user: a drag, a click beside the handle, the keys.
    void RowChosen(std::size_t row);

private:
    QPushButton* AddButton(const QString& text, const char* name);

    QComboBox* m_speed = nullptr;
    QSlider* m_position = nullptr;
};
