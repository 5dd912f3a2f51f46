#pragma once

#include "link/SessionState.h"

#include <QString>

// What the status bars say about the session's state: the one place the windows take that text
// from.
QString SessionStateText(const SessionState& state);

// The title of a window that shows ECU data: its own caption, followed by where the numbers come
// from whenever they do not come live from the car.
QString SessionCaption(const QString& caption, const SessionState& state);
