// The dazederir program itself, run as a user would.
#include "tests/support/FileBytes.h"
#include "tests/support/NobodyUser.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct ProgramRun {
    int status = -1;
    QString out;
    QString err;
};

enum class As { Me, Nobody };

// A desktop start: the working directory is the home folder, no XDG variables set.
ProgramRun RunFromHome(const char* program, const QString& home, const QStringList& args)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("HOME"), home);
    environment.remove(QStringLiteral("XDG_CONFIG_HOME"));
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(home);
    process.start(QString::fromLatin1(program), args);
    constexpr int generousMs = 60000; // a bound against a hang, not a speed test
    EXPECT_TRUE(process.waitForFinished(generousMs)) << program;
    return { process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
        QString::fromLocal8Bit(process.readAllStandardOutput()),
        QString::fromLocal8Bit(process.readAllStandardError()) };
}

ProgramRun RunProgram(const QStringList& args, As user = As::Me)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(environment);
    if (user == As::Nobody) {
        const QString nobody = QString::number(NobodyId);
        process.start(QStringLiteral("/usr/bin/setpriv"),
            QStringList {
                "--reuid=" + nobody, "--regid=" + nobody, "--clear-groups", QStringLiteral(DAZEDERIR_PATH) }
                + args);
    } else {
        process.start(QStringLiteral(DAZEDERIR_PATH), args);
    }
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

TEST(Program, InstalledItKeepsItsFilesInTheUsersFoldersAndFromTheBuildTreeBelowTheWorkingDirectory)
{
    const QStringList startAndQuit { QStringLiteral("--simulate"), QStringLiteral("--startup-time") };
    QTemporaryDir home;
    const QDir at(home.path());
    ProgramRun run = RunFromHome(INSTALLED_DAZEDERIR_PATH, home.path(), startAndQuit);
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_TRUE(at.exists(QStringLiteral(".config/dazederir/kodradash.ini")));
    const std::string loggerIni
        = ReadFileBytes(at.filePath(QStringLiteral(".config/dazederir/kodralog.ini")).toStdString());
    EXPECT_NE(loggerIni.find("File Path=" + at.filePath(QStringLiteral("Documents/DazedErir")).toStdString()),
        std::string::npos)
        << loggerIni;
    EXPECT_FALSE(at.exists(QStringLiteral("bin"))); // no ~/bin
    EXPECT_FALSE(at.exists(QStringLiteral("Documents"))); // made by the first saved log

    // --settings-dir still says where.
    QTemporaryDir chosen;
    run = RunFromHome(INSTALLED_DAZEDERIR_PATH, home.path(),
        startAndQuit + QStringList { "--settings-dir", chosen.path() });
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_TRUE(QDir(chosen.path()).exists(QStringLiteral("bin/kodradash.ini")));

    run = RunFromHome(DAZEDERIR_PATH, home.path(), startAndQuit);
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_TRUE(at.exists(QStringLiteral("bin/kodradash.ini")));
    EXPECT_TRUE(at.exists(QStringLiteral("bin/kodralog.ini")));
}

// A settings folder with "bin" made, that user nobody may enter.
struct SettingsFolder {
    SettingsFolder()
    {
        std::filesystem::create_directories(Ini().parent_path());
        std::filesystem::permissions(dir.path().toStdString(),
            std::filesystem::perms::owner_all | std::filesystem::perms::group_read
                | std::filesystem::perms::group_exec | std::filesystem::perms::others_read
                | std::filesystem::perms::others_exec);
    }
    std::filesystem::path Ini() const
    {
        return std::filesystem::path(dir.path().toStdString()) / "bin/kodradash.ini";
    }
    QStringList StartAndQuit() const
    {
        return { QStringLiteral("--simulate"), QStringLiteral("--settings-dir"), dir.path(),
            QStringLiteral("--startup-time") };
    }
    QTemporaryDir dir;
};

// Root may read anything, so as root the program runs as nobody against root's private file.
TEST(Program, ASettingsFileItCannotReadIsLeftWholeAndSaidOnce)
{
    SettingsFolder folder;
    const std::string mine = "; the workshop's own\n[Comms]\nBaudRate=7812\n[Mine]\nKept=1\n";
    WriteFileBytes(folder.Ini(), mine);
    const bool root = ::geteuid() == 0;
    const auto mode = root ? std::filesystem::perms::owner_read | std::filesystem::perms::owner_write
                           : std::filesystem::perms::none;
    std::filesystem::permissions(folder.Ini(), mode);

    const ProgramRun run = RunProgram(folder.StartAndQuit(), root ? As::Nobody : As::Me);
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.startsWith("first paint after ")) << run.out.toStdString();
    EXPECT_EQ(ReadFileBytes(folder.Ini()), mine);
    EXPECT_EQ(std::filesystem::status(folder.Ini()).permissions(), mode);
    EXPECT_EQ(run.err.count(QString::fromStdString(folder.Ini().string())), 1) << run.err.toStdString();
}

TEST(Program, AFifoInPlaceOfTheSettingsFileHoldsUpNothingAndStaysAFifo)
{
    SettingsFolder folder;
    ASSERT_EQ(::mkfifo(folder.Ini().c_str(), 0644), 0);
    const ProgramRun run = RunProgram(folder.StartAndQuit());
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.startsWith("first paint after ")) << run.out.toStdString();
    EXPECT_TRUE(std::filesystem::is_fifo(folder.Ini()));
    EXPECT_EQ(run.err.count(QString::fromStdString(folder.Ini().string())), 1) << run.err.toStdString();
}

TEST(Program, AScreenshotThatCannotBeWrittenEndsItWithAStatusAndTheReason)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("no-such-folder/dash.png"));
    const ProgramRun run = RunProgram({ "--simulate", "--settings-dir", dir.path(), "--screenshot", file,
        "--screenshot", dir.filePath(QStringLiteral("second.png")), "--screenshot-after", "0" });
    EXPECT_EQ(run.status, 4) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(QStringLiteral("cannot write the screenshot ") + file))
        << run.err.toStdString();
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("second.png")))) << "it stopped at the first";
}

} // namespace
