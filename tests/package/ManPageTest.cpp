// Each installed program against its manual page: the page shows what --help prints, and the
// version --version prints.
#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>

namespace {

struct Program {
    const char* name;
    const char* path;
};

struct ProgramRun {
    int status = -1;
    QString out;
};

ProgramRun Start(const char* path, const QString& option)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(environment);
    process.start(QString::fromLocal8Bit(path), { option });
    constexpr int generousMs = 30000; // a bound against a hang, not a speed test
    EXPECT_TRUE(process.waitForFinished(generousMs)) << path;
    return { process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
        QString::fromLocal8Bit(process.readAllStandardOutput()) };
}

QString ManPage(const char* name)
{
    QFile file(QStringLiteral(MAN_PAGE_DIR "/%1.1").arg(QLatin1String(name)));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
    return QString::fromUtf8(file.readAll());
}

// The text of the page's no-fill block as a reader sees it, escapes taken out.
QString NoFillText(const QString& page)
{
    const qsizetype start = page.indexOf(QStringLiteral("\n.nf\n"));
    const qsizetype end = page.indexOf(QStringLiteral("\n.fi\n"));
    if (start < 0 || end < start)
        return QString();
    QString text = page.mid(start + 5, end - start - 4);
    text.replace(QStringLiteral("\\-"), QStringLiteral("-"));
    text.replace(QStringLiteral("\\&"), QString());
    text.replace(QStringLiteral("\\e"), QStringLiteral("\\"));
    return text;
}

class ManPageOf : public testing::TestWithParam<Program> { };

TEST_P(ManPageOf, ShowsItsHelpWordForWordAndTheVersionItPrints)
{
    const Program program = GetParam();
    const ProgramRun version = Start(program.path, QStringLiteral("--version"));
    EXPECT_EQ(version.status, 0);
    const std::string versionLine = std::string(program.name) + " " PROJECT_VERSION_TEXT;
    EXPECT_EQ(version.out.toStdString(), versionLine + "\n");

    const ProgramRun help = Start(program.path, QStringLiteral("--help"));
    ASSERT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.contains(QLatin1String("--version"))) << help.out.toStdString();

    const QString page = ManPage(program.name);
    EXPECT_EQ(NoFillText(page).toStdString(), help.out.toStdString());
    const QString heading = page.section(QLatin1Char('\n'), 0, 0);
    EXPECT_TRUE(
        heading.startsWith(QStringLiteral(".TH ") + QString::fromLatin1(program.name).toUpper() + " 1 "));
    EXPECT_TRUE(heading.contains(QString::fromStdString('"' + versionLine + '"'))) << heading.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Installed, ManPageOf,
    testing::Values(Program { "dazederir", DAZEDERIR_PATH }, Program { "dazederir-cli", DAZEDERIR_CLI_PATH },
        Program { "dazederir-ecusim", DAZEDERIR_ECUSIM_PATH }),
    [](const testing::TestParamInfo<Program>& param) {
        return QString::fromLatin1(param.param.name).remove(QLatin1Char('-')).toStdString();
    });

} // namespace
