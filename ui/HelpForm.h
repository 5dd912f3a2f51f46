#pragma once

#include "ui/SettingsDialog.h"

// The information window: who makes the program, which version it is, where its help lives.
class THelpForm : public SettingsDialog {
    Q_OBJECT

public:
    explicit THelpForm(QWidget* parent = nullptr);
};
