#pragma once

#include <QTextBrowser>

// The help pages built into the program, with the pages that are made as they are asked for
// (the supported ECUs) served beside them.
class HelpBrowser final : public QTextBrowser {
    Q_OBJECT

public:
    explicit HelpBrowser(QWidget* parent = nullptr);

    // The contents page, where every other page is linked from.
    static QUrl ContentsUrl();

    QVariant loadResource(int type, const QUrl& name) override;
};
