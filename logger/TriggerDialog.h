#pragma once

#include "logfile/LogTrigger.h"

#include <QDialog>

#include <array>

class QLineEdit;

// The data logger's Trigger... dialog: what Start waits for, when the recording stops, the stop
// delay, the pre-trigger time and a stop time, each typed as text. OK hands on what was typed
// (the logger checks it and closes the dialog only when it can use it); Cancel forgets it.
class TriggerDialog : public QDialog {
    Q_OBJECT

public:
    explicit TriggerDialog(QWidget* parent = nullptr);

    // Shows `texts`, forgetting what was typed before.
    void ShowTexts(const TriggerTexts& texts);
    TriggerTexts TypedTexts() const;
    // Puts the cursor in the box that holds what is wrong.
    void FocusOn(TriggerProblem::Field field);

signals:
    void TextsChosen(const TriggerTexts& texts);

private:
    static constexpr std::size_t kFields = 5;

    std::array<QLineEdit*, kFields> m_boxes {};
};
