#pragma once

#include <QElapsedTimer>
#include <QString>

#include <vector>

class QWidget;

// Debugging aids of the program: each ends it when done.

// Prints the milliseconds from `started` to the end of the first paint of `window` (or of any
// part of it) on standard output, then quits.
void ReportFirstPaint(QWidget& window, QElapsedTimer started);

// The program's exit status when a screenshot could not be written.
inline constexpr int ScreenshotFailedStatus = 4;

// Saves a picture of `window` into each file, the first `afterMs` after now and each further one
// `spacingMs` after the one before, then quits; a file that cannot be written ends the program at
// once with ScreenshotFailedStatus and a message naming the file and the reason.
void ScheduleScreenshots(QWidget& window, const std::vector<QString>& files, int afterMs, int spacingMs);
