// dazederir-cli against a misbehaving ECU on a pseudo-terminal, in the ticked and the fast mode
// alike: what a flooding line or a slow ECU sends must never be logged or shown as the value of
// an address, and an ECU that no longer answers for itself must give empty rows and exit 3.
#include "ChildProcess.h"
#include "ScriptedPtyEcu.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace {

using namespace std::chrono_literals;

constexpr int ExitNoEcu = 3;
// Channels that log the bytes of these addresses as they are.
const char* const Channels = "Address0,Address1,Address8,Address9";
constexpr int ChannelAddresses[] = { 0, 1, 8, 9 };

// Waits, by looking again and again, until `done` holds or a generous bound has passed.
template <typename Condition> bool WaitFor(Condition done)
{
    const auto until = std::chrono::steady_clock::now() + 20s;
    while (!done() && std::chrono::steady_clock::now() < until)
        std::this_thread::sleep_for(5ms);
    return done();
}

struct LoggedRows {
    int withValues = 0;
    int empty = 0;
    QStringList wrong; // fields that are not their address's byte
    bool lastEmpty = false;
};

LoggedRows ReadRows(const QString& path)
{
    QFile file(path);
    LoggedRows rows;
    if (!file.open(QIODevice::ReadOnly))
        return rows;
    const QStringList lines
        = QString::fromLatin1(file.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    for (const QString& line : lines) {
        const QStringList fields = line.split(QLatin1Char(','));
        bool isRow = false;
        fields.value(0).toDouble(&isRow);
        if (!isRow || fields.size() < 5)
            continue; // the header
        int filled = 0;
        for (int i = 0; i < 4; ++i) {
            const QString field = fields[i + 1].trimmed();
            if (field.isEmpty())
                continue;
            ++filled;
            if (field != QString::number(ScriptedPtyEcu::AddressByte(ChannelAddresses[i])))
                rows.wrong << line;
        }
        ++(filled == 0 ? rows.empty : rows.withValues);
        rows.lastEmpty = filled == 0;
    }
    return rows;
}

// Rows of the recording being taken in `folder`, as they reach the disk.
int RowsOnTheDisk(const QString& folder)
{
    const QDir dir(folder);
    const QStringList recordings
        = dir.entryList({ QStringLiteral(".kodralog-recording-*") }, QDir::Files | QDir::Hidden);
    if (recordings.isEmpty())
        return 0;
    QFile file(dir.filePath(recordings.first()));
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    constexpr int HeaderLines = 3;
    return static_cast<int>(file.readAll().count('\n')) - HeaderLines;
}

enum class Misbehaviour { FloodOfValidFrames, FloodOfRandomBytes, RepliesLate };

struct Case {
    const char* name;
    const char* poll;
    Misbehaviour misbehaviour;
    // Ticked polling re-asks a failed window two periods later: 300 ms late at 200 ms periods,
    // each late reply lands halfway between a time-out and the next request. Fast polling
    // follows no period.
    const char* sampleRate = "200";
    int replyDelayMs = 300;
};

void PrintTo(const Case& c, std::ostream* out)
{
    *out << c.name;
}

class MisbehavingEcuCli : public testing::TestWithParam<Case> { };

// The ECU answers honestly at first; then it floods the line (without answering) or its replies
// start coming late, past the time-out of either mode.
TEST_P(MisbehavingEcuCli, NothingButTheAddressesOwnBytesIsLoggedAndASpoiltLineGivesEmptyRows)
{
    QTemporaryDir directory;
    ASSERT_TRUE(directory.isValid());
    ScriptedPtyEcu ecu;
    ASSERT_FALSE(ecu.Path().empty()) << ecu.Error();
    ecu.bytesByAddress = true;
    ecu.Start();
    const QString out = directory.filePath(QStringLiteral("log.csv"));
    ChildProcess cli(CLI_PROGRAM,
        { "--port", ecu.Path(), "--poll", GetParam().poll, "--sample-rate", GetParam().sampleRate,
            "--timeout", "2", "log", "--channels", Channels, "--time-base", "1", "--samples", "100000",
            "--out", out.toStdString() });

    constexpr int HonestRows = 10;
    ASSERT_TRUE(WaitFor([&] { return RowsOnTheDisk(directory.path()) >= HonestRows; }));
    switch (GetParam().misbehaviour) {
    case Misbehaviour::FloodOfValidFrames:
        ecu.silent = true;
        ecu.flood = true;
        break;
    case Misbehaviour::FloodOfRandomBytes:
        ecu.silent = true;
        ecu.randomFlood = true;
        break;
    case Misbehaviour::RepliesLate:
        ecu.replyDelayMs = GetParam().replyDelayMs;
        break;
    }

    EXPECT_EQ(cli.Wait(), ExitNoEcu) << cli.ErrorOutput();
    const LoggedRows rows = ReadRows(out);
    EXPECT_GT(rows.withValues, 0) << "the honest answers were logged";
    EXPECT_GT(rows.empty, 0);
    EXPECT_TRUE(rows.lastEmpty);
    EXPECT_TRUE(rows.wrong.isEmpty())
        << rows.wrong.size() << " wrong, first " << rows.wrong.value(0).toStdString();
}

INSTANTIATE_TEST_SUITE_P(Modes, MisbehavingEcuCli,
    testing::Values(Case { "TickFloodOfValidFrames", "tick", Misbehaviour::FloodOfValidFrames },
        Case { "FastFloodOfValidFrames", "fast", Misbehaviour::FloodOfValidFrames },
        Case { "TickFloodOfRandomBytes", "tick", Misbehaviour::FloodOfRandomBytes },
        Case { "FastFloodOfRandomBytes", "fast", Misbehaviour::FloodOfRandomBytes },
        Case { "TickRepliesLate", "tick", Misbehaviour::RepliesLate },
        Case { "FastRepliesLate", "fast", Misbehaviour::RepliesLate, "100", 350 },
        // Late by less than two reply time-outs: a reply lands on the request after the one that
        // asked again, which reads other addresses.
        Case { "FastRepliesLateBy230ms", "fast", Misbehaviour::RepliesLate, "100", 230 }),
    [](const auto& param) { return std::string(param.param.name); });

} // namespace
