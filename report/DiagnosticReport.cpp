#include "report/DiagnosticReport.h"

#include "defs/EcuIdentification.h"
#include "defs/LiveValueCatalogue.h"
#include "defs/ProgramVersion.h"
#include "link/EcuSession.h"
#include "link/FlagBytes.h"
#include "locale/LocaleFixed.h"
#include "locale/SessionStateText.h"
#include "locale/TranslatedTexts.h"
#include "logfile/LogStatistics.h"

#include <limits>

namespace {

// Enough significant digits for any value a float holds, so that only the decimals limit a figure.
constexpr int kAllDigits = std::numeric_limits<float>::max_exponent10 + 1;
// The figures of a log: its values are rounded this far, as the log viewer shows them.
constexpr int kFigureDecimals = 2;

QString Text(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A value with the decimals its log field keeps, which are at least those any window shows.
QString ValueText(const LiveValueRow& row, const LiveNumber& number)
{
    if (row.logDecimals == ReadoutDigits::kWholeNumber)
        return QString::number(TruncateToInt(number));
    return LocaleFixed(AsFloat(number), kAllDigits, row.logDecimals);
}

QString SupportText(EcuSupport support)
{
    switch (support) {
    case SupportFull:
        return DiagnosticReport::tr("Supported: every value, fault code, status flag and actuator test");
    case SupportObd2:
        return DiagnosticReport::tr("OBD2 ECU: limited functionality");
    case SupportNone:
        break;
    }
    return DiagnosticReport::tr("Not supported: raw data only");
}

QString CableText(const std::optional<OpenPortDetails>& port)
{
    if (!port)
        return DiagnosticReport::tr("No port open");
    const QString product = Text(port->product);
    return port->serialNumber.empty()
        ? product
        : DiagnosticReport::tr("%1, serial number %2").arg(product, Text(port->serialNumber));
}

std::vector<DiagnosticReport::Fault> FaultsOf(const std::vector<DecodedFault>& decoded)
{
    std::vector<DiagnosticReport::Fault> faults;
    faults.reserve(decoded.size());
    for (const DecodedFault& fault : decoded)
        faults.push_back({ Text(fault.code), Text(fault.description).trimmed() });
    return faults;
}

QString FigureText(const std::optional<double>& figure)
{
    return figure ? LocaleFixed(static_cast<float>(*figure), kAllDigits, kFigureDecimals) : QString();
}

} // namespace

DiagnosticReport ReportOfSession(const EcuSession& session, const QDateTime& made)
{
    const EcuQueries& ecu = session.Queries();
    const std::string ecuId = ecu.GetEcuId();
    const std::optional<OpenPortDetails> port = session.OpenPort();

    DiagnosticReport report;
    report.made = made;
    report.version = QString::fromStdString(ProgramTitle());
    report.cable = CableText(port);
    report.port = port ? Text(port->location) : QString();
    report.connection = SessionStateText(session.State());
    report.ecuId = Text(ecuId);
    report.support = SupportText(ClassifyEcuId(ecuId));
    report.fitted
        = DiagnosticReport::tr("%1 load sensor, %2 idle valve, %3 EGR")
              .arg(Text(ecu.GetLoadSensorName()), Text(ecu.GetIacKindName()), Text(ecu.GetEgrKindName()));
    report.valuesCurrent = session.State().Current();

    // The texts as the fault code and status flag windows show them.
    const TranslatedTexts<FaultPositionCount> faultTexts("FaultCodes", FaultListOf(ecuId));
    const DecodedFaults faults = DecodeFaults(faultTexts.Texts(), ReadFaultBytes(ecu));
    report.currentFaults = FaultsOf(faults.current);
    report.storedFaults = FaultsOf(faults.stored);
    const TranslatedTexts<StatusPositionCount> statusTexts("StatusFlags", StatusListOf(ecuId));
    for (const StatusLine& line : DecodeStatus(statusTexts.Texts(), ReadStatusBytes(ecu)))
        report.flags.push_back({ QString::fromStdString(line.name), QString::fromStdString(line.state) });

    for (const LiveValueRow& row : LiveValueCatalogue()) {
        // The fault and status bytes are told above, decoded.
        if (!row.jsonArray.empty())
            continue;
        report.values.push_back({ Text(row.name), ValueText(row, row.read(ecu.Values())),
            Text(UnitText(row.unit, ecu.Settings())) });
    }
    return report;
}

DiagnosticReport::Log ReportLogOf(const QString& name, const LogContents& log)
{
    DiagnosticReport::Log part;
    part.name = name;
    part.recorded = QString::fromStdString(log.startText);
    part.markers = log.markers;
    for (const LogColumn& column : log.columns) {
        const ChannelStatistics figures = StatisticsOf(column.values);
        part.channels.push_back({ QString::fromStdString(column.name), QString::fromStdString(column.unit),
            FigureText(figures.min), FigureText(figures.max), FigureText(figures.mean) });
    }
    return part;
}
