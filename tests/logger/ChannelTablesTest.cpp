#include "logfile/ChannelTables.h"
#include "logfile/ChannelLists.h"
#include "tests/support/FakeEcuQueries.h"

#include <QLocale>
#include <functional>
#include <gtest/gtest.h>
#include <limits>
#include <locale>
#include <set>

namespace {

struct ChannelCase {
    const char* name;
    std::function<void(FakeEcuQueries&)> set;
    int chart;
    int offset;
    const char* field;
};

void PrintTo(const ChannelCase& c, std::ostream* os)
{
    *os << '"' << c.name << '"';
}

class ChannelTableTest : public ::testing::TestWithParam<ChannelCase> { };

TEST_P(ChannelTableTest, ChartsAndLogsTheQueryOfItsRow)
{
    const ChannelCase& c = GetParam();
    FakeEcuQueries ecu;
    c.set(ecu);
    int offset = -1;
    EXPECT_EQ(ChannelGraphValue(ecu, c.name, offset), c.chart);
    EXPECT_EQ(offset, c.offset);
    EXPECT_EQ(ChannelLogText(ecu, c.name), c.field);
}

using F = FakeEcuQueries;

// Every name of both tables and of the channel list, each with a value that tells its query
// (and bank or byte) apart from the others.
INSTANTIATE_TEST_SUITE_P(NamedChannels, ChannelTableTest,
    ::testing::Values( //
        ChannelCase { "RPM", [](F& e) { e.rpm = 850; }, 850, 0, "850" },
        ChannelCase { "MAP", [](F& e) { e.load8 = 101; }, 101, 0, "101" },
        ChannelCase { "AFM", [](F& e) { e.load16 = 1013; }, 1013, 0, "1013" },
        ChannelCase { "MAF", [](F& e) { e.load16 = 1014; }, 1014, 0, "1014" },
        ChannelCase { "Target Idle", [](F& e) { e.targetIdle = 900; }, 900, 0, "900" },
        ChannelCase { "TPS(Angle)", [](F& e) { e.tpsPercent = 12.6F; }, 12, 0, "12.6" },
        ChannelCase { "TPS(Volts)", [](F& e) { e.tpsVolts = 4.57F; }, 4, 0, "4.57" },
        ChannelCase { "CTS", [](F& e) { e.coolantTemp = 85.7F; }, 85, 1, "86" },
        ChannelCase { "IAT", [](F& e) { e.airTemp = 24.4F; }, 24, 1, "24" },
        ChannelCase { "VSS", [](F& e) { e.roadSpeed = 55; }, 55, 0, "55" },
        ChannelCase { "INJ PW B1",
            [](F& e) {
                e.injectorPw = { 2.6F, 9.4F };
            },
            2, 0, "2.600" },
        ChannelCase { "INJ PW B2",
            [](F& e) {
                e.injectorPw = { 2.6F, 9.4F };
            },
            9, 0, "9.400" },
        ChannelCase { "O2 Sensor B1",
            [](F& e) {
                e.o2Volts = { 0.48F, 1.5F };
            },
            0, 0, "0.480" },
        ChannelCase { "O2 Sensor B2",
            [](F& e) {
                e.o2Volts = { 0.48F, 1.5F };
            },
            1, 0, "1.500" },
        ChannelCase { "Ign Advance", [](F& e) { e.advance = 12; }, 12, 0, "12" },
        ChannelCase { "STFT B1",
            [](F& e) {
                e.stft = { -3.5F, 7.25F };
            },
            -3, 1, "-3.50" },
        ChannelCase { "STFT B2",
            [](F& e) {
                e.stft = { -3.5F, 7.25F };
            },
            7, 1, "7.25" },
        ChannelCase { "LTFT B1",
            [](F& e) {
                e.ltft = { 1.125F, -2.0F };
            },
            1, 1, "1.13" },
        ChannelCase { "LTFT B2",
            [](F& e) {
                e.ltft = { 1.125F, -2.0F };
            },
            -2, 1, "-2.00" },
        ChannelCase { "Batt Volts*10", [](F& e) { e.batteryVolts = 13.8F; }, 138, 0, "138.00" },
        ChannelCase { "IAC", [](F& e) { e.iac = 33; }, 33, 0, "33" },
        ChannelCase { "IAC Adj Mon", [](F& e) { e.iacAdjust = -4; }, -4, 0, "-4" },
        ChannelCase { "MPG", [](F& e) { e.mpg = 31.456F; }, 31, 0, "31.46" },
        ChannelCase { "Fault Codes 0",
            [](F& e) {
                e.faultBytes = { 1, 2, 4, 8, 16 };
            },
            1, 0, "1" },
        ChannelCase { "Fault Codes 4",
            [](F& e) {
                e.faultBytes = { 1, 2, 4, 8, 16 };
            },
            16, 0, "16" },
        ChannelCase { "Status Flags 1",
            [](F& e) {
                e.statusBytes = { 3, 5, 7, 9 };
            },
            3, 0, "3" },
        ChannelCase { "Status Flags 4",
            [](F& e) {
                e.statusBytes = { 3, 5, 7, 9 };
            },
            9, 0, "9" },
        ChannelCase { "EGR Flow", [](F& e) { e.egr = 44; }, 44, 0, "44" },
        ChannelCase { "EGR Temp", [](F& e) { e.egtTemp = 612.5F; }, 612, 1, "613" },
        ChannelCase { "Evap Purge", [](F& e) { e.purge = 17; }, 17, 0, "17" },
        ChannelCase { "VE", [](F& e) { e.ve = 88; }, 88, 0, "88" },
        ChannelCase { "Ign Trim", [](F& e) { e.ignitionTrim = -2; }, -2, 0, "-2" },
        ChannelCase { "ATM VSS", [](F& e) { e.atmVss = 61; }, 61, 0, "61" },
        ChannelCase { "ATM Pos", [](F& e) { e.atmPos = 3; }, 3, 0, "3" },
        ChannelCase { "ATM Status", [](F& e) { e.atmStatus = 129; }, 129, 0, "129" }));

// Names outside the channel list that one table or the other still answers to.
INSTANTIATE_TEST_SUITE_P(OtherTableNames, ChannelTableTest,
    ::testing::Values( //
        ChannelCase { "Address0", [](F& e) { e.raw[0] = 11; }, 11, 0, "11" },
        ChannelCase { "Address7", [](F& e) { e.raw[7] = 77; }, 77, 0, "77" },
        ChannelCase { "Address63", [](F& e) { e.raw[63] = 200; }, 200, 0, "200" },
        ChannelCase { "Fault Flags 2",
            [](F& e) {
                e.faultBytes = { 1, 2, 4, 8, 16 };
            },
            4, 0, "4" },
        ChannelCase { "CFT B2",
            [](F& e) {
                e.ltft = { 1.0F, -6.9F };
            },
            -6, 1, "0" },
        ChannelCase { "TFT B2",
            [](F& e) {
                e.tft = { 1.0F, 2.345F };
            },
            0, 0, "2.35" },
        ChannelCase { "TCM Pos", [](F& e) { e.atmPos = 2; }, 2, 0, "0" },
        ChannelCase { "EGR", [](F& e) { e.egr = 5; }, 5, 0, "0" },
        ChannelCase { "Can Purge", [](F& e) { e.purge = 6; }, 6, 0, "0" },
        ChannelCase { "Time From Start", [](F& e) { e.timeFromStart = 321; }, 321, 0, "0" }));

// Exact, case-sensitive names: anything else charts 0 without offset and logs "0".
INSTANTIATE_TEST_SUITE_P(UnknownNames, ChannelTableTest,
    ::testing::Values( //
        ChannelCase { "rpm", [](F& e) { e.rpm = 850; }, 0, 0, "0" },
        ChannelCase { "CTS ", [](F& e) { e.coolantTemp = 90; }, 0, 0, "0" },
        ChannelCase { "", [](F& e) { e.rpm = 850; }, 0, 0, "0" },
        ChannelCase { "Address", [](F& e) { e.raw[0] = 11; }, 0, 0, "0" },
        ChannelCase { "Address64", [](F& e) { e.raw[0] = 11; }, 0, 0, "0" },
        ChannelCase { "Address-1", [](F& e) { e.raw[1] = 11; }, 0, 0, "0" },
        ChannelCase { "Address7x", [](F& e) { e.raw[7] = 11; }, 0, 0, "0" },
        ChannelCase { "Address99999999999999", [](F& e) { e.raw[9] = 11; }, 0, 0, "0" },
        ChannelCase { "Status Flags 0",
            [](F& e) {
                e.statusBytes = { 3, 5, 7, 9 };
            },
            0, 0, "0" },
        ChannelCase { "Fault Codes 5",
            [](F& e) {
                e.faultBytes = { 1, 2, 4, 8, 16 };
            },
            0, 0, "0" }));

// A field keeps its decimals but never an exponent nor a lost integer digit, rounds half away
// from zero on the digits the value displays as, and never writes "-0".
struct FieldCase {
    const char* name;
    std::function<void(FakeEcuQueries&)> set;
    const char* field;
};

void PrintTo(const FieldCase& c, std::ostream* os)
{
    *os << '"' << c.name << "\" -> " << c.field;
}

class LogFieldTest : public ::testing::TestWithParam<FieldCase> { };

TEST_P(LogFieldTest, IsTheValueRoundedToItsDecimalsInFull)
{
    FakeEcuQueries ecu;
    GetParam().set(ecu);
    EXPECT_EQ(ChannelLogText(ecu, GetParam().name), GetParam().field);
}

INSTANTIATE_TEST_SUITE_P(Rounding, LogFieldTest,
    ::testing::Values( //
        FieldCase { "Batt Volts*10", [](F& e) { e.batteryVolts = 4.57F; }, "45.70" },
        FieldCase { "Batt Volts*10", [](F& e) { e.batteryVolts = 1234.5F; }, "12345.00" },
        FieldCase { "TPS(Volts)", [](F& e) { e.tpsVolts = 0.45F; }, "0.45" },
        FieldCase { "TPS(Volts)", [](F& e) { e.tpsVolts = 0.005F; }, "0.01" },
        FieldCase { "STFT B1", [](F& e) { e.stft[0] = -0.125F; }, "-0.13" },
        FieldCase { "STFT B1", [](F& e) { e.stft[0] = -0.001F; }, "0.00" },
        FieldCase { "CTS", [](F& e) { e.coolantTemp = -40.5F; }, "-41" },
        FieldCase { "CTS", [](F& e) { e.coolantTemp = -0.4F; }, "0" },
        FieldCase { "EGR Temp", [](F& e) { e.egtTemp = 1234.5F; }, "1235" },
        FieldCase { "RPM", [](F& e) { e.rpm = 123456789; }, "123456790" },
        FieldCase { "MPG", [](F& e) { e.mpg = 1e20F; }, "100000000000000000000.00" }));

TEST(ChannelGraphValueTest, RealsBeyondTheRangeOfIntClampInsteadOfWrapping)
{
    FakeEcuQueries ecu;
    int offset = 0;
    ecu.mpg = 1e20F;
    EXPECT_EQ(ChannelGraphValue(ecu, "MPG", offset), std::numeric_limits<int>::max());
    ecu.mpg = -1e20F;
    EXPECT_EQ(ChannelGraphValue(ecu, "MPG", offset), std::numeric_limits<int>::min());
    ecu.mpg = std::numeric_limits<float>::quiet_NaN();
    EXPECT_EQ(ChannelGraphValue(ecu, "MPG", offset), 0);
}

// Neither Qt's nor the C++ library's locale may bring a comma into a field.
struct CommaDecimals : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
};

TEST(ChannelLogTextTest, FieldsUseAFullStopWhateverTheLocale)
{
    const QLocale qtBefore;
    const std::locale stdBefore = std::locale::global(std::locale(std::locale::classic(), new CommaDecimals));
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    FakeEcuQueries ecu;
    ecu.tpsVolts = 4.57F;
    ecu.batteryVolts = 1234.5F;
    ecu.raw[3] = 123456;
    const std::string tps = ChannelLogText(ecu, "TPS(Volts)");
    const std::string battery = ChannelLogText(ecu, "Batt Volts*10");
    const std::string raw = ChannelLogText(ecu, "Address3");
    QLocale::setDefault(qtBefore);
    std::locale::global(stdBefore);
    EXPECT_EQ(tps, "4.57");
    EXPECT_EQ(battery, "12345.00");
    EXPECT_EQ(raw, "123456");
}

TEST(ChannelListTest, EveryListedChannelIsKnownToTheLogAndDistinct)
{
    const std::vector<std::string> named = NamedChannelList();
    EXPECT_EQ(named.size(), 39U);
    EXPECT_EQ(named.front(), "RPM");
    EXPECT_EQ(named.back(), "ATM Status");
    EXPECT_EQ(std::set<std::string>(named.begin(), named.end()).size(), named.size());
    for (const std::string& name : named)
        EXPECT_TRUE(IsLogChannel(name)) << name;

    const std::vector<std::string> addresses = AddressChannelList();
    ASSERT_EQ(addresses.size(), 42U);
    EXPECT_EQ(addresses.front(), "Address0");
    EXPECT_EQ(addresses[7], "Address7");
    EXPECT_EQ(addresses.back(), "Address41");
    for (const std::string& name : addresses)
        EXPECT_TRUE(IsLogChannel(name)) << name;
    EXPECT_FALSE(IsLogChannel("rpm"));
}

TEST(ChannelNameProblemTest, TakesListedLoggedAndAddressNamesOnly)
{
    for (const char* good : { "RPM", "IAC", "TFT B1", "Address0", "Address63", "Address063" })
        EXPECT_EQ(ChannelNameProblem(good), std::nullopt) << good;
    for (const char* bad : { "Address64", "Address99", "Address99999999999999", "RPM,MAP", "A\r\nB",
             "Addressx", "Whatever", "rpm" }) {
        const std::optional<std::string> problem = ChannelNameProblem(bad);
        ASSERT_TRUE(problem.has_value()) << bad;
        EXPECT_NE(problem->find(bad), std::string::npos) << *problem;
    }
    EXPECT_NE(ChannelNameProblem("Address99")->find("0 to 63"), std::string::npos);
}

} // namespace
