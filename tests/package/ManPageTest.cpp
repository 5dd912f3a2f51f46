// Each installed program against its manual page: the page shows what --help prints, and the
// version --version prints; the command-line tool's examples work as printed.
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
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

ProgramRun Start(const char* path, const QStringList& args, const QString& folder = {})
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(folder);
    process.start(QString::fromLocal8Bit(path), args);
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

// Roff text as a reader sees it, escapes taken out.
QString Unescaped(QString text)
{
    text.replace(QStringLiteral("\\-"), QStringLiteral("-"));
    text.replace(QStringLiteral("\\&"), QString());
    text.replace(QStringLiteral("\\e"), QStringLiteral("\\"));
    return text;
}

// The text of the page's first no-fill block (its description).
QString NoFillText(const QString& page)
{
    const qsizetype start = page.indexOf(QStringLiteral("\n.nf\n"));
    const qsizetype end = page.indexOf(QStringLiteral("\n.fi\n"));
    if (start < 0 || end < start)
        return QString();
    return Unescaped(page.mid(start + 5, end - start - 4));
}

// The lines of the section that start with the program's name, as a reader would type them.
QStringList CommandsOfSection(const QString& page, const QString& section, const QString& program)
{
    const qsizetype start = page.indexOf(QStringLiteral("\n.SH ") + section + QLatin1Char('\n'));
    if (start < 0)
        return {};
    const qsizetype end = page.indexOf(QStringLiteral("\n.SH "), start + 1);
    QStringList commands;
    for (const QString& line : Unescaped(page.mid(start, end - start)).split(QLatin1Char('\n'))) {
        if (line.startsWith(program + QLatin1Char(' ')))
            commands.append(line);
    }
    return commands;
}

class ManPageOf : public testing::TestWithParam<Program> { };

TEST_P(ManPageOf, ShowsItsHelpWordForWordAndTheVersionItPrints)
{
    const Program program = GetParam();
    const ProgramRun version = Start(program.path, { QStringLiteral("--version") });
    EXPECT_EQ(version.status, 0);
    const std::string versionLine = std::string(program.name) + " " PROJECT_VERSION_TEXT;
    EXPECT_EQ(version.out.toStdString(), versionLine + "\n");

    const ProgramRun help = Start(program.path, { QStringLiteral("--help") });
    ASSERT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.contains(QLatin1String("--version"))) << help.out.toStdString();

    const QString page = ManPage(program.name);
    EXPECT_EQ(NoFillText(page).toStdString(), help.out.toStdString());
    const QString heading = page.section(QLatin1Char('\n'), 0, 0);
    EXPECT_TRUE(
        heading.startsWith(QStringLiteral(".TH ") + QString::fromLatin1(program.name).toUpper() + " 1 "));
    EXPECT_TRUE(heading.contains(QString::fromStdString('"' + versionLine + '"'))) << heading.toStdString();
    for (const char* section : { "EXIT STATUS", "FILES", "EXAMPLES" })
        EXPECT_TRUE(page.contains(QStringLiteral("\n.SH %1\n").arg(QLatin1String(section)))) << section;
}

// Typed in the order printed, in an empty folder, each example does what it says and exits 0.
TEST(ManPageExamples, EveryCommandLineToolExampleRunsAsPrinted)
{
    const QString program = QStringLiteral("dazederir-cli");
    const QStringList commands
        = CommandsOfSection(ManPage("dazederir-cli"), QStringLiteral("EXAMPLES"), program);
    ASSERT_GE(commands.size(), 5) << "the page's examples are gone";
    const QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    for (const QString& command : commands) {
        QStringList args = command.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        args.removeFirst();
        // Quoted for the shell ('CTS>20'), which takes the quotes away.
        for (QString& arg : args) {
            if (arg.size() > 1 && arg.startsWith(QLatin1Char('\'')) && arg.endsWith(QLatin1Char('\'')))
                arg = arg.mid(1, arg.size() - 2);
        }
        const ProgramRun run = Start(DAZEDERIR_CLI_PATH, args, folder.path());
        EXPECT_EQ(run.status, 0) << command.toStdString();
        EXPECT_FALSE(run.out.isEmpty()) << command.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Installed, ManPageOf,
    testing::Values(Program { "dazederir", DAZEDERIR_PATH }, Program { "dazederir-cli", DAZEDERIR_CLI_PATH },
        Program { "dazederir-ecusim", DAZEDERIR_ECUSIM_PATH }),
    [](const testing::TestParamInfo<Program>& param) {
        return QString::fromLatin1(param.param.name).remove(QLatin1Char('-')).toStdString();
    });

} // namespace
