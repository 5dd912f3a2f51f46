#pragma once

#include "report/DiagnosticReport.h"

#include <QString>

#include <optional>

// The forms a report is written in, chosen by the file's name.
enum class ReportFormat { Pdf, Html };

// PDF for ".pdf", HTML for ".html" or ".htm" (any letter case); nothing for any other name.
std::optional<ReportFormat> ReportFormatOf(const QString& path);

// Writes the report to `path` in the form its name says, whole or not at all (an earlier file
// there stays until the new one is complete). Why it could not be written; nothing when it was.
// The PDF needs a QGuiApplication, for its fonts.
std::optional<QString> WriteReport(const DiagnosticReport& report, const QString& path);
