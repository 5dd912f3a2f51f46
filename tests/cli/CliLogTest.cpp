// dazederir-cli log against its simulated ECU: the CSV file it writes and what it reports.
#include "ChildProcess.h"
#include "CliRun.h"

#include "tests/support/FileBytes.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <filesystem>
#include <gtest/gtest.h>

namespace {

class CliLog : public testing::Test {
protected:
    std::filesystem::path Dir() const { return m_dir.path().toStdString(); }

    QTemporaryDir m_dir;
};

// Row 17E2 with its engine speed, road speed, coolant and battery bytes fixed.
const std::vector<std::string> kFixedEngine
    = { "--simulate=17E2", "--sim-bytes", "4=1,5=0,7=30,8=100,22=204", "log", "--time-base", "1" };

TEST_F(CliLog, RecordsTheSamplesAsTheDataLoggerWritesThem)
{
    const std::filesystem::path out = Dir() / "run.csv";
    std::vector<std::string> args = kFixedEngine;
    args.insert(args.end(),
        { "--channels", "RPM,CTS,Batt Volts*10,Address7", "--samples", "3", "--out", out.string() });
    const CliRun run = RunCli(args);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, out.string() + "\n");
    EXPECT_EQ(run.err, "");
    const std::string file = ReadFileBytes(out);
    const QRegularExpression layout(
        QStringLiteral("\\AKodraPower log file\r\n"
                       "Time,\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d\r\n"
                       "Elapsed Time \\(ms\\),RPM,CTS,Batt Volts\\*10,Address7\r\n"
                       "40,1003,19,150.00,30\r\n"
                       "80,1003,19,150.00,30\r\n"
                       "120,1003,19,150.00,30\r\n\\z"));
    EXPECT_TRUE(layout.match(QString::fromStdString(file)).hasMatch()) << file;
}

TEST_F(CliLog, JsonGivesTheAbsolutePathRowsAndFileSizeAndTheDefaultFileIsInTheWorkingDirectory)
{
    // The default "kodralog.csv" lands in the working directory of the run.
    const std::string command = "cd '" + Dir().string()
        + "' && exec '" CLI_PROGRAM
          "' --simulate --json log --channels=RPM,MAP,CTS,IAT --samples=2 --time-base=1";
    ChildProcess child("/bin/sh", { "-c", command });
    ASSERT_TRUE(child.Started());
    const std::optional<std::string> line = child.ReadLine();
    ASSERT_EQ(child.Wait(), 0) << child.ErrorOutput();
    ASSERT_TRUE(line.has_value());

    const std::filesystem::path file = Dir() / "kodralog.csv";
    const QJsonObject json = QJsonDocument::fromJson(QByteArray::fromStdString(*line)).object();
    EXPECT_EQ(json.value("path").toString().toStdString(), file.string()) << *line;
    EXPECT_EQ(json.value("rows").toInt(), 2);
    EXPECT_EQ(json.value("bytes").toInteger(), static_cast<qint64>(std::filesystem::file_size(file)));
    const QString text = QString::fromStdString(ReadFileBytes(file));
    EXPECT_TRUE(QRegularExpression(QStringLiteral("\r\n40,\\d+,\\d+,-?\\d+,-?\\d+\r\n80,[^\r\n]*\r\n\\z"))
                    .match(text)
                    .hasMatch())
        << text.toStdString();
}

// Nothing half-written is left, and the reason comes with the path.
TEST_F(CliLog, AFileThatCannotBeWrittenExitsWith4NamingThePathAndWhy)
{
    const std::filesystem::path out = Dir() / "kodralog.csv";
    std::filesystem::create_directory(Dir() / "kodralog.csv.tmp");
    const CliRun blocked = RunCli({ "--simulate", "log", "--channels", "RPM,MAP,CTS,IAT", "--samples", "1",
        "--time-base", "1", "--out", out.string() });
    EXPECT_EQ(blocked.status, 4);
    EXPECT_EQ(blocked.out, "");
    EXPECT_NE(blocked.err.find(out.string() + ": cannot create"), std::string::npos) << blocked.err;
    EXPECT_NE(blocked.err.find("Is a directory"), std::string::npos) << blocked.err;
    EXPECT_FALSE(std::filesystem::exists(out));

    const CliRun noFolder = RunCli(
        { "--simulate", "log", "--channels", "RPM,MAP,CTS,IAT", "--out", (Dir() / "no/such.csv").string() });
    EXPECT_EQ(noFolder.status, 4);
    EXPECT_NE(noFolder.err.find((Dir() / "no").string()), std::string::npos) << noFolder.err;
}

} // namespace
