#pragma once

#include <QLabel>

// One panel of a status bar: at least its design width, and wider whenever its text needs it,
// so that a status such as a long log path or "Connected to ECU" is never cut off. When the window
// is too narrow to give it that room, the text is shown shortened in the middle (a path keeps its
// start and its file name) and whole in the tooltip; text() stays the whole text.
class StatusPanel final : public QLabel {
public:
    StatusPanel(int designWidth, const QString& text, QWidget* parent);

    QSize minimumSizeHint() const override;
    QSize sizeHint() const override { return minimumSizeHint(); }

    // The text as the panel paints it at its present width.
    QString ShownText() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    int TextRoom() const;
    void UpdateToolTip();

    int m_designWidth;
    QString m_wholeTextTip;
};
