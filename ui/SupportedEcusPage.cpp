#include "ui/SupportedEcusPage.h"

#include "defs/ActuatorTests.h"
#include "defs/SupportedEcus.h"

#include <QStringList>

namespace {

// The actuator tests that the feature flags enable, by their captions in the actuator window.
QString ActuatorTestsOf(int featureFlags)
{
    QStringList names;
    for (const ActuatorTest& test : ActuatorTests()) {
        if ((featureFlags & test.flagBit) != 0)
            names << QString::fromLatin1(test.title);
    }
    return names.isEmpty() ? QStringLiteral("none") : names.join(QStringLiteral(", "));
}

QString Cell(std::string_view text)
{
    return QStringLiteral("<td>%1</td>")
        .arg(QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
}

} // namespace

QString SupportedEcusPage()
{
    QString rows;
    QString obd2Ids;
    for (const SupportedEcu& ecu : SupportedEcus()) {
        if (ecu.support != SupportFull) {
            obd2Ids += (obd2Ids.isEmpty() ? QString() : QStringLiteral(", "))
                + QString::fromLatin1(ecu.id.data(), static_cast<qsizetype>(ecu.id.size()));
            continue;
        }
        rows += QStringLiteral("<tr>") + Cell(ecu.id) + Cell(ecu.loadSensor) + Cell(ecu.iacKind)
            + Cell(ecu.egrKind) + QStringLiteral("<td>%1</td></tr>\n").arg(ActuatorTestsOf(ecu.featureFlags));
    }
    return QStringLiteral(
        "<html><head><title>Supported ECUs</title></head><body>\n"
        "<p><a href=\"index.html\">Contents</a></p>\n"
        "<h1>Supported ECUs</h1>\n"
        "<p>The ECU's four-digit ID (View &gt; ECU ID) says how much the program knows of it. For "
        "these IDs it reads every value, fault code and status flag, and runs the actuator tests "
        "listed:</p>\n"
        "<table border=\"1\" cellspacing=\"0\" cellpadding=\"4\">\n"
        "<tr><th>ID</th><th>Load sensor</th><th>Idle valve</th><th>EGR valve</th>"
        "<th>Actuator tests</th></tr>\n%1</table>\n"
        "<p>Load sensor: MAP (manifold pressure), VAF (vane air flow) or MAF (mass air flow). Idle "
        "valve: FLOW, DC (duty cycle) or POS (position). EGR valve: FLOW or POS.</p>\n"
        "<p>OBD2 units (%2) are recognised, with limited functionality: their values are not "
        "decoded. Any other ID shows its raw data only.</p>\n"
        "<p><code>dazederir-cli ecus</code> prints the same list.</p>\n"
        "</body></html>\n")
        .arg(rows, obd2Ids);
}
