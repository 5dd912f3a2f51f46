#pragma once

#include "report/DiagnosticReport.h"

#include <QString>

// The report as one HTML page, which both the HTML file and the PDF are made from. The log's
// picture, when there is one, is the image at `pictureSource` (a data URL in a file of its own,
// a resource name for the PDF).
QString ReportHtml(const DiagnosticReport& report, const QString& pictureSource);
