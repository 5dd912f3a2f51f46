// The dazederir program itself, run as a user would.
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct ProgramRun {
    int status = -1;
    QString out;
    QString err;
};

ProgramRun RunProgram(const QStringList& args)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(DAZEDERIR_PATH), args);
    constexpr int generousMs = 60000; // a bound against a hang, not a speed test
    EXPECT_TRUE(process.waitForFinished(generousMs)) << args.join(' ').toStdString();
    return { process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
        QString::fromLocal8Bit(process.readAllStandardOutput()),
        QString::fromLocal8Bit(process.readAllStandardError()) };
}

TEST(Program, BadOptionsEndWithStatus2AndAMessage)
{
    for (const QStringList& args : { QStringList { "--bogus" }, QStringList { "--simulate=ZZZZ" },
             QStringList { "--sim-drop", "0.1" }, QStringList { "--settings-dir", "/no/such/folder" } }) {
        const ProgramRun run = RunProgram(args);
        EXPECT_EQ(run.status, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(run.err.startsWith("dazederir: ")) << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty());
    }
}

TEST(Program, HelpListsTheOptions)
{
    const ProgramRun run = RunProgram({ "--help" });
    EXPECT_EQ(run.status, 0);
    for (const char* option : { "--simulate", "--port", "--settings-dir", "--sim-unplug", "--help" })
        EXPECT_TRUE(run.out.contains(QLatin1String(option))) << option;
}

TEST(Program, SimulationStartsPaintsAndSavesItsSettingsOnTheWayOut)
{
    QTemporaryDir dir;
    const ProgramRun run = RunProgram({ "--simulate", "--settings-dir", dir.path(), "--startup-time" });
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.startsWith("first paint after ")) << run.out.toStdString();
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("bin/kodradash.ini"))));
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("bin/kodralog.ini"))));
}

} // namespace
