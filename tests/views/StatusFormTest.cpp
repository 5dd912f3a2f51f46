#include "ui/StatusForm.h"

#include "tests/support/FakeEcuQueries.h"
#include "tests/support/UserActions.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QTableWidget>
#include <QTimer>
#include <gtest/gtest.h>
#include <utility>
#include <vector>

namespace {

using Line = std::pair<QString, QString>;

class StatusFormTest : public ::testing::Test {
protected:
    void Show(const char* ecuId)
    {
        form.SetEcu(ecuId);
        TickTimer(form, "StatusTimer");
    }

    std::vector<Line> Rows(int count) const
    {
        std::vector<Line> rows;
        for (int row = 0; row < count; ++row)
            rows.emplace_back(form.CellText(0, row), form.CellText(1, row));
        return rows;
    }

    // Rows from `first` to the end of the grid hold nothing.
    bool EmptyFrom(int first) const
    {
        for (int row = first; row < TStatusForm::GridRows; ++row) {
            if (!form.CellText(0, row).isEmpty() || !form.CellText(1, row).isEmpty())
                return false;
        }
        return true;
    }

    FakeEcuQueries queries;
    TStatusForm form { queries };
};

TEST_F(StatusFormTest, HasAnEmptyHeaderlessGridAndWaitsUntilTheFirstIdentification)
{
    EXPECT_EQ(form.windowTitle(), "DazedErir Status Flag Viewer");
    const auto* grid = form.findChild<QTableWidget*>("StatusSG");
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->rowCount(), 40);
    EXPECT_EQ(grid->columnCount(), 2);
    EXPECT_EQ(grid->columnWidth(0), 300);
    EXPECT_TRUE(grid->horizontalHeader()->isHidden());
    EXPECT_TRUE(grid->verticalHeader()->isHidden());
    EXPECT_TRUE(EmptyFrom(0));

    const auto* timer = form.findChild<QTimer*>("StatusTimer");
    ASSERT_NE(timer, nullptr);
    EXPECT_FALSE(timer->isActive());
    EXPECT_EQ(form.SetEcu("1103"), 0);
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), 100);
}

TEST_F(StatusFormTest, ShowsTheFlagsOfEcu1103InPositionOrder)
{
    Show("1103");
    const std::vector<Line> expected {
        { "Evap. Can. Purge", "OFF" },
        { "EGR Valve", "OFF" },
        { "Rich/Lean Monitor", "LEAN" },
        { "Idle Position", "OPEN" },
        { "D Range Shift Switch", "PN" },
        { "AC Pressure Switch", "OFF" },
        { "PS Switch", "OFF" },
    };
    EXPECT_EQ(Rows(7), expected);
    EXPECT_TRUE(EmptyFrom(7));

    queries.statusBytes[0] = 0x01;
    queries.statusBytes[1] = 0x10;
    TickTimer(form, "StatusTimer");
    EXPECT_EQ(Rows(7)[2], Line("Rich/Lean Monitor", "RICH"));
    EXPECT_EQ(Rows(7)[3], Line("Idle Position", "IDLE"));
    EXPECT_EQ(Rows(7)[0], Line("Evap. Can. Purge", "OFF"));
}

TEST_F(StatusFormTest, FlagsOfTheUnfedLastByteStayClear)
{
    queries.statusBytes = { 0xFF, 0xFF, 0xFF, 0xFF };
    Show("F802");
    EXPECT_EQ(Rows(1)[0], Line("Fuel Cut", "ON"));
    const std::vector<Line> lastByte {
        { "4WD Low", "OFF" },
        { "Mode Select", "OFF" },
        { "OD", "OFF" },
        { "Brake Switch", "OFF" },
    };
    const std::vector<Line> rows = Rows(18);
    EXPECT_EQ(std::vector<Line>(rows.begin() + 14, rows.end()), lastByte);
    EXPECT_TRUE(EmptyFrom(18));
}

TEST_F(StatusFormTest, AnEcuWithFewerFlagsLeavesNoStaleRows)
{
    Show("1702");
    EXPECT_EQ(form.CellText(0, 13), "Shift Solenoid /#1");
    Show("1103");
    EXPECT_EQ(form.CellText(0, 6), "PS Switch");
    EXPECT_TRUE(EmptyFrom(7));
}

TEST_F(StatusFormTest, GridFollowsTheWindowSize)
{
    form.show();
    form.resize(600, 500);
    QCoreApplication::processEvents();
    const auto* grid = form.findChild<QTableWidget*>("StatusSG");
    ASSERT_EQ(form.size(), QSize(600, 500));
    EXPECT_EQ(grid->size(), QSize(600 - 15, 500 - 45));
}

} // namespace
