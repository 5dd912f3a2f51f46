// dazederir-cli report against its simulated ECU, the report read back as a reader of it would:
// the PDF's text through pdftotext, the HTML page as its file.
#include "CliRun.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using Args = std::vector<std::string>;

// Current faults in bytes 0 and 1 and stored ones in bytes 2 and 3, several of each.
const std::string kFaultBytes = "0=0x81,1=0x12,2=0x44,3=0x09";

QJsonObject JsonOf(const CliRun& run)
{
    return QJsonDocument::fromJson(QByteArray::fromStdString(run.out)).object();
}

// Runs of blanks and line ends as one blank: a page breaks lines where it likes; ligatures (the
// PDF's "fl") as their letters.
QString Words(const QString& text)
{
    return text.normalized(QString::NormalizationForm_KC)
        .replace(QRegularExpression(QStringLiteral("\\s+")), QStringLiteral(" "))
        .trimmed();
}

// What a reader of the report sees in it.
QString ReadBack(const QString& path)
{
    if (path.endsWith(QLatin1String(".pdf"))) {
        const CliRun text = RunProgram("/usr/bin/pdftotext", { "-layout", path.toStdString(), "-" });
        EXPECT_EQ(text.status, 0) << text.err;
        return Words(QString::fromStdString(text.out));
    }
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    QString html = QString::fromUtf8(file.readAll());
    html.replace(QRegularExpression(QStringLiteral("<[^>]*>")), QStringLiteral(" "));
    for (const auto& [entity, character] : { std::pair { "&amp;", "&" }, { "&lt;", "<" }, { "&gt;", ">" },
             { "&quot;", "\"" }, { "&#39;", "'" } })
        html.replace(QLatin1String(entity), QLatin1String(character));
    return Words(html);
}

class CliReport : public testing::TestWithParam<const char*> { };

TEST_P(CliReport, HoldsTheEcuIdEveryFaultTextAndEveryValueName)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("car.") + QLatin1String(GetParam()));
    const Args simulated { "--simulate=1103", "--json", "--sim-bytes", kFaultBytes };
    Args report = simulated;
    report.insert(report.end(), { "report", "--out", path.toStdString(), "--sweeps", "1" });
    const CliRun run = RunCli(report);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(JsonOf(run).value("path").toString(), path);

    const QString text = ReadBack(path);
    EXPECT_TRUE(text.contains(QLatin1String("1103"))) << text.toStdString();

    Args faults = simulated;
    faults.push_back("faults");
    const QJsonObject decoded = JsonOf(RunCli(faults));
    int faultCount = 0;
    for (const char* list : { "current", "stored" }) {
        for (const QJsonValue fault : decoded.value(QLatin1String(list)).toArray()) {
            ++faultCount;
            const QString description = Words(fault.toObject().value("description").toString());
            EXPECT_TRUE(text.contains(description)) << description.toStdString();
        }
    }
    EXPECT_GE(faultCount, 6) << "the simulator's bytes give faults of both kinds";

    Args values = simulated;
    values.push_back("values");
    const QJsonObject live = JsonOf(RunCli(values)).value("values").toObject();
    ASSERT_FALSE(live.isEmpty());
    for (const QString& name : live.keys()) {
        if (live.value(name).isArray())
            continue; // the fault and status bytes, told decoded
        EXPECT_TRUE(text.contains(QStringLiteral(" %1 ").arg(name))) << name.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Forms, CliReport, testing::Values("pdf", "html"));

TEST(CliReportName, AnotherExtensionExitsWith2AndWritesNothing)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("car.txt"));
    const CliRun run = RunCli({ "--simulate", "report", "--out", path.toStdString() });
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("car.txt"), std::string::npos) << run.err;
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

} // namespace
