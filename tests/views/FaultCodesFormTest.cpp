#include "ui/FaultCodesForm.h"

#include "tests/support/FakeEcuQueries.h"
#include "tests/support/UserActions.h"

#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTimer>
#include <algorithm>
#include <gtest/gtest.h>
#include <ostream>
#include <string>

namespace {

using FaultByteValues = std::array<int, 5>;

const QString Lambda1
    = "  Lambda Sensor Bank 1 - ECU will drive mixture rich or lean. If O2 reading doesn't change "
      "or is slow to change a fault is flagged";

class FaultCodesTest : public ::testing::Test {
protected:
    void Show(const char* ecuId, const FaultByteValues& bytes)
    {
        std::copy(bytes.begin(), bytes.end(), queries.faultBytes.begin());
        form.SetEcu(ecuId);
        TickTimer(form, "Timer1");
    }

    FakeEcuQueries queries;
    TFaultCodesForm form { queries };
};

TEST_F(FaultCodesTest, ShowsNothingAndWaitsUntilTheFirstIdentification)
{
    EXPECT_EQ(form.windowTitle(), "Dazederir Fault Code Viewer");
    const auto* timer = form.findChild<QTimer*>("Timer1");
    ASSERT_NE(timer, nullptr);
    EXPECT_FALSE(timer->isActive());
    EXPECT_EQ(form.CurrentText(), "");
    EXPECT_EQ(form.StoredText(), "");

    EXPECT_EQ(form.SetEcu("1103"), 0);
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), 100);
}

struct FaultCase {
    const char* name;
    const char* ecuId;
    FaultByteValues bytes;
    QString current;
    QString stored;
};

void PrintTo(const FaultCase& fault, std::ostream* out)
{
    *out << fault.name;
}

class FaultListTest : public FaultCodesTest, public ::testing::WithParamInterface<FaultCase> { };

TEST_P(FaultListTest, ListsCurrentAndStoredFaults)
{
    Show(GetParam().ecuId, GetParam().bytes);
    EXPECT_EQ(form.CurrentText(), GetParam().current);
    EXPECT_EQ(form.StoredText(), GetParam().stored);
}

INSTANTIATE_TEST_SUITE_P(Rows, FaultListTest,
    ::testing::Values(
        FaultCase { "NoFaults", "1103", { 0, 0, 0, 0, 0 }, "No Current Codes", "No Stored Codes" },
        FaultCase { "CurrentAndStored", "1103", { 0x01, 0, 0, 0x01, 0 }, "Code 13\n" + Lambda1 + "\n\n",
            "Code 33\n  Mass Airflow Sensor High\n\n" },
        FaultCase { "OnlyStored", "1103", { 0, 0, 0x81, 0, 0 }, "No Current Codes",
            "Code 13\n" + Lambda1
                + "\n\nCode 25\n  Air Temperature Sensor signal Low - ATS short circuit. Possibly signal "
                  "wire short "
                  "circuit or open circuit power connection\n\n" },
        FaultCase { "Unallocated", "1103", { 0, 0, 0, 0x08, 0 }, "No Current Codes",
            "Code   \n   Unallocated fault flag\n\n" },
        FaultCase { "Byte4IsCurrent", "1702", { 0, 0, 0, 0, 0x01 },
            "Code 61\n  Shift Solenoid Valve A (#1)\n\n", "No Stored Codes" },
        FaultCase { "ByteOrderWithinCurrent", "1103", { 0, 0x08, 0, 0, 0x80 },
            "Code 42\n  Crank Angle Sensor - CAS signal not present during cranking. Possibly faulty CAS or "
            "bad "
            "connection\n\nCode   \n   Unallocated fault flag\n\n",
            "No Stored Codes" }),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST_F(FaultCodesTest, ASecondIdentificationDecodesWithTheNewEcusTexts)
{
    Show("1103", { 0x02, 0, 0, 0, 0 });
    EXPECT_EQ(form.CurrentText(),
        "Code 14\n  Water Temperature Sensor signal High - Open circuit sensor or bad ground\n\n");
    Show("1601", { 0x02, 0, 0, 0, 0 });
    EXPECT_EQ(form.CurrentText(),
        "Code 26\n  Lambda Sensor Bank 2 - ECU will drive mixture rich or lean. If O2 reading doesn't change "
        "or is "
        "slow to change a fault is flagged\n\n");
}

TEST_F(FaultCodesTest, AnUnchangedListKeepsItsScrollPosition)
{
    form.show();
    Show("1112", { 0xFF, 0xFF, 0, 0, 0xFF });
    auto* memo = form.findChild<QPlainTextEdit*>("CFMemo");
    ASSERT_NE(memo, nullptr);
    QScrollBar* scroll = memo->verticalScrollBar();
    ASSERT_GT(scroll->maximum(), 0);
    scroll->setValue(scroll->maximum());
    const int position = scroll->value();
    int rewrites = 0;
    QObject::connect(memo, &QPlainTextEdit::textChanged, [&rewrites] { ++rewrites; });

    TickTimer(form, "Timer1");
    TickTimer(form, "Timer1");
    EXPECT_EQ(rewrites, 0);
    EXPECT_EQ(scroll->value(), position);

    queries.faultBytes[0] = 0x7F;
    TickTimer(form, "Timer1");
    EXPECT_EQ(rewrites, 1);
}

} // namespace
