#include "report/ReportHtml.h"

#include <QLocale>
#include <QStringList>

#include <algorithm>

namespace {

constexpr double kMsPerSecond = 1000.0;
constexpr int kSecondsDecimals = 1;
// The widest a picture is drawn, in pixels: the text width of a printed A4 page.
constexpr int kPagePictureWidth = 640;

// Builds the page a part at a time, every text escaped.
class HtmlPage {
public:
    void Heading(const QString& text) { m_html += QStringLiteral("<h2>%1</h2>\n").arg(text.toHtmlEscaped()); }
    void Paragraph(const QString& text) { m_html += QStringLiteral("<p>%1</p>\n").arg(text.toHtmlEscaped()); }

    // A table of `rows` under `headings`; none: `empty` instead.
    void Table(const QStringList& headings, const std::vector<QStringList>& rows, const QString& empty = {})
    {
        if (rows.empty()) {
            Paragraph(empty);
            return;
        }
        m_html += QStringLiteral("<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\">\n<tr>");
        for (const QString& heading : headings)
            m_html += QStringLiteral("<th align=\"left\">%1</th>").arg(heading.toHtmlEscaped());
        m_html += QStringLiteral("</tr>\n");
        for (const QStringList& row : rows) {
            m_html += QStringLiteral("<tr>");
            for (const QString& cell : row)
                m_html += QStringLiteral("<td>%1</td>").arg(cell.toHtmlEscaped());
            m_html += QStringLiteral("</tr>\n");
        }
        m_html += QStringLiteral("</table>\n");
    }

    void Picture(const QString& source, int width)
    {
        m_html += QStringLiteral("<p><img src=\"%1\" width=\"%2\"></p>\n")
                      .arg(source.toHtmlEscaped())
                      .arg(width);
    }

    QString Finished(const QString& title) const
    {
        return QStringLiteral(
            "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>%1</title></head>\n"
            "<body>\n<h1>%1</h1>\n%2</body></html>\n")
            .arg(title.toHtmlEscaped(), m_html);
    }

private:
    QString m_html;
};

std::vector<QStringList> FaultRows(const std::vector<DiagnosticReport::Fault>& faults)
{
    std::vector<QStringList> rows;
    for (const DiagnosticReport::Fault& fault : faults)
        rows.push_back({ fault.code, fault.description });
    return rows;
}

void AddLog(HtmlPage& page, const DiagnosticReport::Log& log, const QString& pictureSource)
{
    page.Heading(DiagnosticReport::tr("Log %1").arg(log.name));
    if (!log.recorded.isEmpty())
        page.Paragraph(DiagnosticReport::tr("Recorded %1").arg(log.recorded));
    std::vector<QStringList> channels;
    for (const DiagnosticReport::Channel& channel : log.channels)
        channels.push_back({ channel.name, channel.unit, channel.min, channel.max, channel.mean });
    page.Table(
        { DiagnosticReport::tr("Channel"), DiagnosticReport::tr("Unit"), DiagnosticReport::tr("Minimum"),
            DiagnosticReport::tr("Maximum"), DiagnosticReport::tr("Mean") },
        channels, DiagnosticReport::tr("The log holds no channel."));
    std::vector<QStringList> markers;
    for (const LogMarker& marker : log.markers) {
        markers.push_back({ QString::number(marker.number),
            QLocale().toString(marker.ms / kMsPerSecond, 'f', kSecondsDecimals),
            QString::fromStdString(marker.note) });
    }
    if (!markers.empty())
        page.Table({ DiagnosticReport::tr("Marker"), DiagnosticReport::tr("Time (s)"),
                       DiagnosticReport::tr("Note") },
            markers);
    if (!log.plots.isNull())
        page.Picture(pictureSource, std::min(log.plots.width(), kPagePictureWidth));
}

} // namespace

QString ReportHtml(const DiagnosticReport& report, const QString& pictureSource)
{
    HtmlPage page;
    page.Table({ DiagnosticReport::tr("Item"), DiagnosticReport::tr("Value") },
        {
            { DiagnosticReport::tr("Date and time"), QLocale().toString(report.made, QLocale::LongFormat) },
            { DiagnosticReport::tr("Program"), report.version },
            { DiagnosticReport::tr("Cable"), report.cable },
            { DiagnosticReport::tr("Port"), report.port },
            { DiagnosticReport::tr("Connection"), report.connection },
            { DiagnosticReport::tr("ECU ID"), report.ecuId },
            { DiagnosticReport::tr("Support"), report.support },
            { DiagnosticReport::tr("Fitted"), report.fitted },
        });

    page.Heading(DiagnosticReport::tr("Current fault codes"));
    page.Table({ DiagnosticReport::tr("Code"), DiagnosticReport::tr("Fault") },
        FaultRows(report.currentFaults), DiagnosticReport::tr("No current fault codes."));
    page.Heading(DiagnosticReport::tr("Stored fault codes"));
    page.Table({ DiagnosticReport::tr("Code"), DiagnosticReport::tr("Fault") },
        FaultRows(report.storedFaults), DiagnosticReport::tr("No stored fault codes."));

    page.Heading(DiagnosticReport::tr("Status flags"));
    std::vector<QStringList> flags;
    for (const DiagnosticReport::Flag& flag : report.flags)
        flags.push_back({ flag.name, flag.state });
    page.Table({ DiagnosticReport::tr("Flag"), DiagnosticReport::tr("State") }, flags,
        DiagnosticReport::tr("This ECU has no status flags."));

    page.Heading(DiagnosticReport::tr("Live values"));
    if (!report.valuesCurrent)
        page.Paragraph(DiagnosticReport::tr("Not current: these are the values the ECU gave last (%1).")
                           .arg(report.connection));
    std::vector<QStringList> values;
    for (const DiagnosticReport::Value& value : report.values)
        values.push_back({ value.name, value.text, value.unit });
    page.Table(
        { DiagnosticReport::tr("Value"), DiagnosticReport::tr("Reading"), DiagnosticReport::tr("Unit") },
        values);

    if (report.log)
        AddLog(page, *report.log, pictureSource);
    return page.Finished(DiagnosticReport::tr("Diagnostic report"));
}
