// dazederir-cli log against its simulated ECU: the CSV file it writes and what it reports.
#include "ChildProcess.h"
#include "CliRun.h"

#include "tests/support/FileBytes.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <set>
#include <thread>

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
                       "Time,\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d,Temperature,C,Speed,MPH\r\n"
                       "Elapsed Time \\(ms\\),RPM,CTS,Batt Volts\\*10,Address7\r\n"
                       "40,1003,19,150.00,30\r\n"
                       "80,1003,19,150.00,30\r\n"
                       "120,1003,19,150.00,30\r\n\\z"));
    EXPECT_TRUE(layout.match(QString::fromStdString(file)).hasMatch()) << file;
}

// "Record all values" from the tool, read back by logstat: every catalogue value a column after
// the four, the figures those of the fixed engine.
TEST_F(CliLog, EveryValueIsRecordedAndLogstatGivesItsFigures)
{
    const std::filesystem::path out = Dir() / "all.csv";
    std::vector<std::string> args = kFixedEngine;
    args.insert(args.end(),
        { "--channels", "RPM,CTS,Batt Volts*10,Address7", "--all-values", "--samples", "3", "--out",
            out.string() });
    const CliRun log = RunCli(args);
    ASSERT_EQ(log.status, 0) << log.err;

    const CliRun stat = RunCli({ "--json", "logstat", out.string() });
    ASSERT_EQ(stat.status, 0) << stat.err;
    EXPECT_EQ(stat.err, "");
    const QJsonObject json = QJsonDocument::fromJson(QByteArray::fromStdString(stat.out)).object();
    EXPECT_EQ(json["path"].toString().toStdString(), out.string());
    EXPECT_EQ(json["rows"].toInt(), 3);
    EXPECT_EQ(json["first_ms"].toInt(), 40);
    EXPECT_EQ(json["last_ms"].toInt(), 120);
    const QJsonArray channels = json["channels"].toArray();
    ASSERT_GT(channels.size(), 40);
    const auto channel = [&channels](int index) { return channels[index].toObject(); };
    EXPECT_EQ(channel(0)["name"].toString(), "RPM");
    EXPECT_EQ(channel(0)["count"].toInt(), 3);
    EXPECT_EQ(channel(0)["empty"].toInt(), 0);
    EXPECT_EQ(channel(0)["min"].toDouble(), 1003);
    EXPECT_EQ(channel(0)["max"].toDouble(), 1003);
    EXPECT_EQ(channel(0)["mean"].toDouble(), 1003);
    EXPECT_EQ(channel(2)["name"].toString(), "Batt Volts*10");
    EXPECT_EQ(channel(2)["mean"].toDouble(), 150);
    // Every other value after the four chosen, none of them twice.
    EXPECT_EQ(channel(4)["name"].toString(), "Target Idle");
    std::set<QString> names;
    for (int i = 0; i < channels.size(); ++i) {
        EXPECT_TRUE(names.insert(channel(i)["name"].toString()).second)
            << channel(i)["name"].toString().toStdString();
        EXPECT_EQ(channel(i)["count"].toInt() + channel(i)["empty"].toInt(), 3) << i;
    }
}

// As fast as the line allows: a row each time the four channels have all been read again, stamped
// with when they were; the times are the line's own (uneven) and come faster than any interval.
TEST_F(CliLog, AsFastAsTheLineAllowsEachRowIsStampedWithWhenItsValuesCame)
{
    const std::filesystem::path out = Dir() / "fast.csv";
    constexpr int Rows = 40;
    const CliRun run = RunCli({ "--simulate=17E2", "--sim-pace", "--sim-bytes", "4=1,5=0,7=30,8=100,22=204",
        "--poll", "fast", "--gather-reads", "log", "--channels", "RPM,CTS,Batt Volts*10,Address7",
        "--time-base", "fast", "--samples", std::to_string(Rows), "--out", out.string() });
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string file = ReadFileBytes(out);
    const std::string header = "Elapsed Time (ms),RPM,CTS,Batt Volts*10,Address7\r\n";
    std::size_t at = file.find(header);
    ASSERT_NE(at, std::string::npos) << file;
    at += header.size();
    std::vector<long> times;
    for (std::size_t end = file.find("\r\n", at); end != std::string::npos; end = file.find("\r\n", at)) {
        const std::string row = file.substr(at, end - at);
        const std::size_t comma = row.find(',');
        EXPECT_EQ(row.substr(comma), ",1003,19,150.00,30") << row;
        times.push_back(std::stol(row.substr(0, comma)));
        at = end + 2;
    }
    ASSERT_EQ(times.size(), static_cast<std::size_t>(Rows));
    std::set<long> gaps;
    for (std::size_t k = 1; k < times.size(); ++k) {
        EXPECT_GE(times[k], times[k - 1]) << "row " << k + 1;
        gaps.insert(times[k] - times[k - 1]);
    }
    EXPECT_GT(gaps.size(), 1U) << "the times are measured, not counted";
    constexpr long FastestInterval = 40; // of the other time bases
    EXPECT_LT(times.back() - times.front(), FastestInterval * (Rows - 1)) << file;
}

// The simulated engine's coolant warms by about a degree a second from 15 °C: waiting for it to
// pass 22 keeps only the 0.4 s of rows before (ten rows of 40 ms, counted from the first kept), then
// the row where it passes and every row after, until 0.2 s after it first passes 23.
TEST_F(CliLog, AStartConditionKeepsThePreTriggerRowsAndAStopConditionEndsItAfterItsDelay)
{
    const std::filesystem::path out = Dir() / "event.csv";
    const CliRun run = RunCli({ "--simulate", "log", "--time-base", "1", "--channels", "RPM,MAP,CTS,IAT",
        "--start-when", "CTS>22", "--pre-trigger", "0.4", "--stop-when", "CTS>23", "--stop-delay", "0.2",
        "--samples", "100000", "--out", out.string() });
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, out.string() + "\n");
    struct Row {
        long ms;
        int coolant;
    };
    std::vector<Row> rows;
    const std::string file = ReadFileBytes(out);
    const std::string header = "Elapsed Time (ms),RPM,MAP,CTS,IAT\r\n";
    ASSERT_NE(file.find(header), std::string::npos) << file;
    for (std::size_t at = file.find(header) + header.size(); at < file.size();) {
        const std::size_t end = file.find("\r\n", at);
        const QStringList fields = QString::fromStdString(file.substr(at, end - at)).split(',');
        ASSERT_EQ(fields.size(), 5) << file;
        rows.push_back({ fields[0].toLong(), fields[3].toInt() });
        at = end + 2;
    }
    const auto passing = [&rows](int degrees) {
        return std::find_if(
            rows.begin(), rows.end(), [degrees](const Row& row) { return row.coolant > degrees; });
    };
    constexpr int PreTriggerRows = 10;
    ASSERT_EQ(passing(22) - rows.begin(), PreTriggerRows) << file;
    EXPECT_EQ(rows.front().ms, 40) << "times count from the first row kept";
    EXPECT_EQ(passing(22)->ms, 40 * (PreTriggerRows + 1));
    for (std::size_t k = 1; k < rows.size(); ++k)
        EXPECT_EQ(rows[k].ms - rows[k - 1].ms, 40) << "no row missing or doubled: " << k;
    ASSERT_NE(passing(23), rows.end()) << file;
    EXPECT_EQ(rows.back().ms, passing(23)->ms + 200) << file;
}

// A broken file: each fault named on standard error by line and column, the rest counted. Figures
// hold the digits the log gave, not the rounding of reading them (17.3, not 17.2999992).
TEST_F(CliLog, LogstatSaysWhatItCouldNotReadAndCountsTheRest)
{
    const std::filesystem::path file = Dir() / "other.csv";
    WriteFileBytes(file, "Time (s);RPM;MAP;CTS\n0.5;800;1000;17.3\n1.0;x;;17.4\n1.5;900;1020;17.3\n2.0;9");
    const CliRun stat = RunCli({ "logstat", file.string() });
    ASSERT_EQ(stat.status, 0) << stat.err;
    EXPECT_EQ(stat.err,
        "dazederir-cli: logstat: " + file.string()
            + ": line 3, column 2: RPM: \"x\" is not a number; read as a gap\n"
              "dazederir-cli: logstat: "
            + file.string() + ": line 5: the last line is cut short and is not read\n");
    EXPECT_EQ(stat.out,
        file.string()
            + ": 3 rows, 500 ms to 1500 ms\n"
              "RPM: count 2, empty 1, min 800, max 900, mean 850\n"
              "MAP: count 2, empty 1, min 1000, max 1020, mean 1010\n"
              "CTS: count 3, empty 0, min 17.3, max 17.4, mean 17.33333\n");
    EXPECT_EQ(RunCli({ "logstat", (Dir() / "missing.csv").string() }).status, 2);

    // Decimal commas where ";" separates; a file of which nothing could be read is no empty success.
    const std::filesystem::path commas = Dir() / "commas.csv";
    WriteFileBytes(commas, "Time (s);CTS (°C)\n0,5;13,9\n1,0;14,1\n");
    EXPECT_EQ(RunCli({ "logstat", commas.string() }).out,
        commas.string()
            + ": 2 rows, 500 ms to 1000 ms\nCTS: unit °C, count 2, empty 0, min 13.9, max 14.1, mean 14\n");
    const std::filesystem::path nothing = Dir() / "nothing.csv";
    WriteFileBytes(nothing, "Time (s),CTS\n0.5,x\n1.0,\n");
    const CliRun refused = RunCli({ "logstat", nothing.string() });
    EXPECT_EQ(refused.status, 2);
    EXPECT_EQ(refused.out, "");
    EXPECT_EQ(refused.err,
        "dazederir-cli: logstat: nothing could be read from " + nothing.string()
            + ": no value could be read (line 2, column 2: CTS: \"x\" is not a number; read as a gap)\n");
}

// A log taken in Fahrenheit, converted for the engine-tuning log viewers and read back: the same
// figures and units, the time in seconds under a units line.
TEST_F(CliLog, AConvertedLogReadsBackWithTheSameFiguresAndUnits)
{
    const std::filesystem::path log = Dir() / "drive.csv";
    std::vector<std::string> args = kFixedEngine;
    args.insert(args.begin(), { "--temp-units", "F" });
    args.insert(args.end(),
        { "--channels", "RPM,CTS,INJ PW B1,Address7", "--all-values", "--samples", "3", "--out",
            log.string() });
    ASSERT_EQ(RunCli(args).status, 0);

    const CliRun convert = RunCli({ "convert", log.string(), "--to", "msl" });
    const std::filesystem::path msl = Dir() / "drive.msl";
    ASSERT_EQ(convert.status, 0) << convert.err;
    EXPECT_EQ(convert.out, msl.string() + "\n");
    const QStringList lines = QString::fromStdString(ReadFileBytes(msl)).split(QStringLiteral("\r\n"));
    ASSERT_GT(lines.size(), 5);
    EXPECT_TRUE(lines[2].startsWith(QStringLiteral("Time\tRPM\tCTS\tINJ PW B1\tAddress7\tTarget Idle\t")));
    EXPECT_TRUE(lines[3].startsWith(QStringLiteral("s\trpm\t°F\tms\t\trpm\t")));
    EXPECT_TRUE(lines[4].startsWith(QStringLiteral("0.04\t")));

    const auto figures = [](const std::filesystem::path& file) {
        const CliRun stat = RunCli({ "--json", "logstat", file.string() });
        EXPECT_EQ(stat.status, 0) << stat.err;
        QJsonObject json = QJsonDocument::fromJson(QByteArray::fromStdString(stat.out)).object();
        json.remove(QStringLiteral("path"));
        return json;
    };
    const QJsonObject original = figures(log);
    EXPECT_EQ(figures(msl), original);
    const QJsonObject cts = original["channels"].toArray()[1].toObject();
    EXPECT_EQ(cts["unit"].toString(), QStringLiteral("°F"));

    const CliRun again = RunCli({ "convert", msl.string(), "--to", "msl" });
    EXPECT_EQ(again.status, 2);
    EXPECT_NE(again.err.find("would replace"), std::string::npos) << again.err;
    EXPECT_EQ(RunCli({ "convert", log.string(), "--to", "msl", "--out", (Dir() / "none" / "x.msl").string() })
                  .status,
        4);
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

// Found before a sample is taken; nothing is left, and the reason comes with the path.
TEST_F(CliLog, AFileThatCannotBeWrittenExitsWith4NamingThePathAndWhy)
{
    const std::filesystem::path out = Dir() / "kodralog.csv";
    std::filesystem::create_directory(out);
    const CliRun blocked = RunCli({ "--simulate", "log", "--channels", "RPM,MAP,CTS,IAT", "--samples", "1",
        "--time-base", "1", "--out", out.string() });
    EXPECT_EQ(blocked.status, 4);
    EXPECT_EQ(blocked.out, "");
    EXPECT_NE(blocked.err.find(out.string() + ": it is a folder"), std::string::npos) << blocked.err;
    EXPECT_EQ(
        std::distance(std::filesystem::directory_iterator(Dir()), std::filesystem::directory_iterator()), 1);

    const CliRun noFolder = RunCli(
        { "--simulate", "log", "--channels", "RPM,MAP,CTS,IAT", "--out", (Dir() / "no/such.csv").string() });
    EXPECT_EQ(noFolder.status, 4);
    EXPECT_NE(noFolder.err.find((Dir() / "no").string()), std::string::npos) << noFolder.err;
}

} // namespace

namespace {

// The cable pulled while recording: rows keep their times with empty fields, and when the ECU
// does not come back within the timeout the file is finished, it says so and exits 3.
TEST_F(CliLog, RowsWithoutTheEcuAreEmptyAndAnEcuThatStaysAwayEndsItWith3)
{
    const std::filesystem::path out = Dir() / "gap.csv";
    const CliRun run = RunCli({ "--simulate", "--sim-unplug", "1.5:1.45", "--timeout", "1", "log",
        "--channels", "RPM,MAP,CTS,IAT", "--time-base", "1", "--samples", "100000", "--out", out.string() });
    EXPECT_EQ(run.status, 3) << run.err;
    EXPECT_EQ(run.out, out.string() + "\n");
    EXPECT_NE(run.err.find("stopped answering"), std::string::npos) << run.err;
    const std::string file = ReadFileBytes(out);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("\r\n\\d+,\\d+,\\d+,-?\\d+,-?\\d+\r\n\\d+,,,,\r\n"))
                    .match(QString::fromStdString(file))
                    .hasMatch())
        << file;
    EXPECT_TRUE(file.ends_with(",,,,\r\n")) << file;
}

// ---- a recording ended by a signal ----

constexpr int kRowsBeforeTheSignal = 10;
const std::string kFixedRowValues = ",1003,19,150.00,30\r\n";

std::optional<std::filesystem::path> RecordingIn(const std::filesystem::path& folder)
{
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().filename().string().starts_with(".kodralog-recording-"))
            return entry.path();
    }
    return std::nullopt;
}

// Waits for `rows` rows in the recording file; what the file holds then.
std::string WaitForRows(const std::filesystem::path& folder, int rows)
{
    const auto deadline = std::chrono::steady_clock::now() + ChildProcess::Patience;
    std::string text;
    while (std::chrono::steady_clock::now() < deadline) {
        if (const auto recording = RecordingIn(folder)) {
            text = ReadFileBytes(*recording);
            if (std::count(text.begin(), text.end(), '\n') >= rows + 3)
                return text;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return text;
}

// Every row is complete and is what the logger writes for it: the nominal time of its number
// and the fixed engine's fields. The count of rows.
int CheckRows(const std::string& file)
{
    std::size_t at = file.find("Address7\r\n");
    EXPECT_NE(at, std::string::npos) << file;
    if (at == std::string::npos)
        return 0;
    at += std::string("Address7\r\n").size();
    int rows = 0;
    for (; at < file.size(); ++rows) {
        const std::string row = std::to_string((rows + 1) * 40) + kFixedRowValues;
        EXPECT_EQ(file.substr(at, row.size()), row) << "row " << rows + 1;
        if (file.compare(at, row.size(), row) != 0)
            break;
        at += row.size();
    }
    return rows;
}

std::size_t LineCount(const std::string& text)
{
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

// Two programs asked to record into one file: the second is told which process records there and
// records under its dated name beside it; neither loses a row, and each names the file it wrote.
TEST_F(CliLog, ASecondRecordingIntoTheSameFileIsToldWhoRecordsThereAndGoesBesideIt)
{
    const std::filesystem::path out = Dir() / "kodralog.csv";
    const std::vector<std::string> log { "--simulate", "--json", "log", "--channels", "RPM,MAP,CTS,IAT",
        "--time-base", "1", "--out", out.string(), "--samples" };
    std::vector<std::string> longRun = log;
    longRun.push_back("100000");
    ChildProcess first(CLI_PROGRAM, longRun);
    ASSERT_TRUE(first.Started());
    ASSERT_GE(LineCount(WaitForRows(Dir(), 2)), 5U);

    std::vector<std::string> shortRun = log;
    shortRun.push_back("5");
    const CliRun second = RunCli(shortRun);
    ASSERT_EQ(second.status, 0) << second.err;
    const QJsonObject secondDone = QJsonDocument::fromJson(QByteArray::fromStdString(second.out)).object();
    const std::filesystem::path beside = secondDone.value(QStringLiteral("path")).toString().toStdString();
    EXPECT_EQ(beside.parent_path(), Dir());
    EXPECT_TRUE(beside.filename().string().starts_with("kodralog-")) << beside;
    EXPECT_EQ(second.err,
        "dazederir-cli: process " + std::to_string(first.Pid()) + " is recording into " + out.string()
            + "; this log goes to " + beside.string() + " instead\n");
    EXPECT_EQ(LineCount(ReadFileBytes(beside)), 3U + 5U);

    first.Signal(SIGINT);
    const std::optional<std::string> firstLine = first.ReadLine();
    ASSERT_TRUE(firstLine.has_value());
    EXPECT_EQ(first.Wait(), 0) << first.ErrorOutput();
    const QJsonObject firstDone = QJsonDocument::fromJson(QByteArray::fromStdString(*firstLine)).object();
    EXPECT_EQ(firstDone.value(QStringLiteral("path")).toString().toStdString(), out.string());
    EXPECT_EQ(LineCount(ReadFileBytes(out)),
        3U + static_cast<std::size_t>(firstDone.value(QStringLiteral("rows")).toInt()));
    EXPECT_EQ(LineCount(ReadFileBytes(beside)), 3U + 5U) << "the second log stays as it was";
}

class CliLogEndedBySignal : public testing::TestWithParam<int> {
protected:
    QTemporaryDir m_dir;
};

// SIGINT, SIGTERM and SIGHUP (the terminal closed) finish the log with every row taken and exit
// 0; after SIGKILL every complete
// row is on the disk, and "recover" finishes it into a log named after its start time.
TEST_P(CliLogEndedBySignal, KeepsEveryRowTakenByteForByte)
{
    const std::filesystem::path folder = m_dir.path().toStdString();
    const std::filesystem::path out = folder / "run.csv";
    std::vector<std::string> args = kFixedEngine;
    args.insert(args.end(),
        { "--channels", "RPM,CTS,Batt Volts*10,Address7", "--samples", "100000", "--out", out.string() });
    ChildProcess child(CLI_PROGRAM, args);
    ASSERT_TRUE(child.Started());
    const std::string before = WaitForRows(folder, kRowsBeforeTheSignal);
    ASSERT_GE(CheckRows(before), kRowsBeforeTheSignal);
    child.Signal(GetParam());
    const int status = child.Wait();

    std::filesystem::path log = out;
    if (GetParam() == SIGKILL) {
        EXPECT_EQ(status, -1);
        const CliRun recover = RunCli({ "recover", folder.string() });
        ASSERT_EQ(recover.status, 0) << recover.err;
        log = recover.out.substr(0, recover.out.find('\n'));
        EXPECT_TRUE(log.filename().string().starts_with("kodralog-")) << recover.out;
    } else {
        ASSERT_EQ(status, 0) << child.ErrorOutput();
        EXPECT_EQ(child.ReadLine(), out.string());
    }
    const std::string file = ReadFileBytes(log);
    EXPECT_TRUE(file.starts_with(before.substr(0, before.find("Address7\r\n")))) << file;
    EXPECT_GE(CheckRows(file), CheckRows(before));
    EXPECT_FALSE(RecordingIn(folder).has_value());
}

// The log's folder removed while it records takes the recording with it: the rows it held go
// to the home folder, and the message names the file.
TEST(CliLogFolderGone, TheRowsGoHomeAndTheMessageNamesWhere)
{
    QTemporaryDir dir;
    const std::filesystem::path folder = std::filesystem::path(dir.path().toStdString()) / "gone";
    const std::filesystem::path home = std::filesystem::path(dir.path().toStdString()) / "home";
    std::filesystem::create_directories(folder);
    std::filesystem::create_directories(home);
    const std::string oldHome = std::getenv("HOME") ? std::getenv("HOME") : "";
    ::setenv("HOME", home.c_str(), 1);
    std::vector<std::string> args = kFixedEngine;
    args.insert(args.end(),
        { "--channels", "RPM,CTS,Batt Volts*10,Address7", "--samples", "100000", "--out",
            (folder / "run.csv").string() });
    ChildProcess child(CLI_PROGRAM, args);
    ::setenv("HOME", oldHome.c_str(), 1);
    const int rowsBefore = CheckRows(WaitForRows(folder, kRowsBeforeTheSignal));
    ASSERT_GE(rowsBefore, kRowsBeforeTheSignal);
    std::filesystem::remove_all(folder);
    child.Signal(SIGTERM);
    EXPECT_EQ(child.Wait(), 4);

    const std::string error = child.ErrorOutput();
    const std::size_t at = error.find(home.string() + "/run-");
    ASSERT_NE(at, std::string::npos) << error;
    const std::string saved = error.substr(at, error.find(" instead", at) - at);
    EXPECT_GE(CheckRows(ReadFileBytes(saved)), rowsBefore) << saved;
}

INSTANTIATE_TEST_SUITE_P(Signals, CliLogEndedBySignal, testing::Values(SIGINT, SIGTERM, SIGHUP, SIGKILL),
    [](const auto& param) { return std::string(sigabbrev_np(param.param)); });

// Lines fed to "log" on standard input mark the row taken last, the line its note; the markers
// are on the disk as the rows are: killed outright, "recover" keeps them, and logstat lists them
// apart from the rows.
TEST(CliLogMarkers, LinesOnStandardInputAreMarkersThatSurviveAKill)
{
    QTemporaryDir dir;
    const std::filesystem::path folder = dir.path().toStdString();
    QStringList args;
    for (const std::string& arg : kFixedEngine)
        args << QString::fromStdString(arg);
    args << "--channels"
         << "RPM,CTS,Batt Volts*10,Address7"
         << "--samples"
         << "100000"
         << "--out" << QString::fromStdString((folder / "run.csv").string());
    QProcess log;
    log.start(QStringLiteral(CLI_PROGRAM), args);
    ASSERT_TRUE(log.waitForStarted());
    ASSERT_GE(CheckRows(WaitForRows(folder, kRowsBeforeTheSignal)), kRowsBeforeTheSignal);
    log.write("misfire at 3000, 2nd gear\nwheel noise\n");
    ASSERT_TRUE(log.waitForBytesWritten());
    const auto deadline = std::chrono::steady_clock::now() + ChildProcess::Patience;
    while (std::chrono::steady_clock::now() < deadline
        && ReadFileBytes(*RecordingIn(folder)).find("#marker,2,") == std::string::npos)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    ::kill(static_cast<pid_t>(log.processId()), SIGKILL);
    ASSERT_TRUE(log.waitForFinished());

    const CliRun recover = RunCli({ "--json", "recover", folder.string() });
    ASSERT_EQ(recover.status, 0) << recover.err;
    const QJsonObject recovered
        = QJsonDocument::fromJson(QByteArray::fromStdString(recover.out))["recovered"][0].toObject();
    const std::string path = recovered["path"].toString().toStdString();
    const CliRun stat = RunCli({ "--json", "logstat", path });
    ASSERT_EQ(stat.status, 0) << stat.err;
    EXPECT_EQ(stat.err, "") << "marker lines are no rows it cannot read";
    const QJsonObject json = QJsonDocument::fromJson(QByteArray::fromStdString(stat.out)).object();
    EXPECT_EQ(json["rows"].toInt(), recovered["rows"].toInt());
    const QJsonArray markers = json["markers"].toArray();
    ASSERT_EQ(markers.size(), 2) << stat.out;
    EXPECT_EQ(markers[0].toObject()["number"].toInt(), 1);
    EXPECT_EQ(markers[0].toObject()["note"].toString(), "misfire at 3000, 2nd gear");
    EXPECT_EQ(markers[1].toObject()["note"].toString(), "wheel noise");
    const int ms = markers[0].toObject()["ms"].toInt();
    EXPECT_GE(ms, kRowsBeforeTheSignal * 40);
    EXPECT_EQ(ms % 40, 0) << "the time of a row";
    EXPECT_LE(markers[1].toObject()["ms"].toInt() - ms, 40);
    const std::string text = RunCli({ "logstat", path }).out;
    EXPECT_NE(text.find("marker 1 at " + std::to_string(ms) + " ms: misfire at 3000, 2nd gear\n"),
        std::string::npos)
        << text;
}

// A disk whose every sync stalls for 800 ms (a preloaded library slows fdatasync): the log is
// synced all the same, and every row is there as without the stall, none lost or changed.
TEST(CliLogOnAStalledDisk, ChangesNoRowAndLosesNone)
{
    QTemporaryDir dir;
    const std::filesystem::path folder = dir.path().toStdString();
    const std::filesystem::path out = folder / "stalled.csv";
    const std::filesystem::path tally = folder / "syncs";
    constexpr int Samples = 50;
    std::string command = "DAZED_SLOW_SYNC_TALLY='" + tally.string()
        + "' LD_PRELOAD='" SLOW_SYNC_LIBRARY
          "' ASAN_OPTIONS=\"$ASAN_OPTIONS:verify_asan_link_order=0\" exec '" CLI_PROGRAM "'";
    std::vector<std::string> args = kFixedEngine;
    args.insert(args.end(),
        { "--channels", "RPM,CTS,Batt Volts*10,Address7", "--samples", std::to_string(Samples), "--out",
            out.string() });
    for (const std::string& arg : args)
        command += " '" + arg + "'";
    ChildProcess child("/bin/sh", { "-c", command });
    ASSERT_TRUE(child.Started());
    ASSERT_EQ(child.Wait(), 0) << child.ErrorOutput();

    EXPECT_EQ(CheckRows(ReadFileBytes(out)), Samples);
    const std::string syncs = ReadFileBytes(tally);
    EXPECT_GE(std::count(syncs.begin(), syncs.end(), '\n'), 2) << "synced while recording and at the end";
}

} // namespace
