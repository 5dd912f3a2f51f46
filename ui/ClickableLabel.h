#pragma once

#include <QLabel>

// A label that acts on a click of the left mouse button, as the logo and the MIL lamp of the
// main window do.
class ClickableLabel : public QLabel {
    Q_OBJECT

public:
    explicit ClickableLabel(QWidget* parent = nullptr);

signals:
    void Clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};
