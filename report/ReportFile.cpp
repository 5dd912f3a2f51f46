#include "report/ReportFile.h"

#include "report/ReportHtml.h"

#include <QBuffer>
#include <QFileInfo>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextDocument>

namespace {

// Where the PDF's document finds the log's picture.
const QString kPictureResource = QStringLiteral("report-plots.png");
constexpr const char* kPictureFormat = "PNG";
constexpr int kPdfResolution = 300; // dots per inch: sharp text and plots when printed

// The picture inside the HTML file itself, so that the file is all there is to send.
QString PictureDataUrl(const DiagnosticReport& report)
{
    if (!report.log || report.log->plots.isNull())
        return {};
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    report.log->plots.save(&buffer, kPictureFormat);
    return QStringLiteral("data:image/png;base64,") + QString::fromLatin1(png.toBase64());
}

QByteArray PdfOf(const DiagnosticReport& report)
{
    QByteArray pdf;
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setResolution(kPdfResolution);
    writer.setTitle(DiagnosticReport::tr("Diagnostic report"));
    writer.setCreator(report.version);
    QTextDocument document;
    if (report.log && !report.log->plots.isNull())
        document.addResource(QTextDocument::ImageResource, QUrl(kPictureResource), report.log->plots);
    document.setHtml(ReportHtml(report, kPictureResource));
    document.print(&writer);
    return pdf;
}

} // namespace

std::optional<ReportFormat> ReportFormatOf(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("pdf"))
        return ReportFormat::Pdf;
    if (suffix == QLatin1String("html") || suffix == QLatin1String("htm"))
        return ReportFormat::Html;
    return std::nullopt;
}

std::optional<QString> WriteReport(const DiagnosticReport& report, const QString& path)
{
    const std::optional<ReportFormat> format = ReportFormatOf(path);
    if (!format)
        return DiagnosticReport::tr("a report is written as .pdf, .html or .htm");
    const QByteArray bytes
        = *format == ReportFormat::Pdf ? PdfOf(report) : ReportHtml(report, PictureDataUrl(report)).toUtf8();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return file.errorString();
    return std::nullopt;
}
