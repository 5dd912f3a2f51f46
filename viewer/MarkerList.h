#pragma once

#include "logfile/LogReader.h"

#include <QListWidget>

// The markers of a log, one a line ("2  12.0 s  misfire"); choosing one asks for the cursor there.
class MarkerList : public QListWidget {
    Q_OBJECT

public:
    explicit MarkerList(QWidget* parent = nullptr);

    // Lists the markers of `log`; the list hides itself when there are none.
    void Show(const LogContents& log);
    // The line shown for a marker.
    static QString LineOf(const LogMarker& marker);

signals:
    void MarkerChosen(double seconds);
};
