#pragma once

#include <QWidget>

class HelpBrowser;

// The help: the pages shipped with the program, with Contents, Back and Forward.
class HelpWindow final : public QWidget {
    Q_OBJECT

public:
    explicit HelpWindow(QWidget* parent = nullptr);

    HelpBrowser& Browser() const { return *m_browser; }

private:
    HelpBrowser* m_browser = nullptr;
};
