#pragma once

#include "ui/SettingsDialog.h"

// The information window: who makes the program and which version it is, with the way into the
// help pages.
class THelpForm : public SettingsDialog {
    Q_OBJECT

public:
    explicit THelpForm(QWidget* parent = nullptr);

signals:
    // Help Contents was clicked.
    void HelpContentsWanted();
};
