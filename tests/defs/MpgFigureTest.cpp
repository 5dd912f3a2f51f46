#include "defs/EcuIdentification.h"
#include "defs/LiveValues.h"
#include "defs/RoleTable.h"

#include <gtest/gtest.h>

namespace {

LiveSettings MpgMode()
{
    LiveSettings settings;
    settings.idleGaugeMode = "MPG";
    settings.speedUnit = "KPH";
    return settings;
}

TEST(MpgFigure, SettlesAt99WithoutTheBank2PulseWidth)
{
    const EcuConstantsRow& constants = ConstantsRowAt(EcuRowOf("1103"));
    LiveValues values;
    values.rpm = 3000;
    values.injectorPw[0] = 3.5f; // bank 1 does not count
    ApplyRoleUpdate(values, RoleRoadSpeed, 50, constants, MpgMode());
    EXPECT_EQ(values.mpg, 24.75f); // 99 averaged over 4 with a figure of 0
    for (int update = 0; update < 100; ++update)
        ApplyRoleUpdate(values, RoleRoadSpeed, 50, constants, MpgMode());
    EXPECT_EQ(values.mpg, 99.0f);
    EXPECT_EQ(static_cast<int>(values.mpg), 99);
}

TEST(MpgFigure, StandingStillReads99)
{
    EXPECT_EQ(MpgReading(850, 2.5f, 0, 210), 99.0f);
}

TEST(MpgFigure, ReadingFromFuelAndDistance)
{
    // fuel 3000 x (2.64 - 0.64) x 2 x 0.001 x 210 x 0.0002199 = 0.5541481, distance 60/60.
    EXPECT_EQ(MpgReading(3000, 2.64f, 60, 210), 1.8045719f);

    const EcuConstantsRow& constants = ConstantsRowAt(DefaultEcuRow); // speed factor 1
    LiveValues values;
    values.rpm = 3000;
    values.injectorPw[1] = 2.64f;
    EXPECT_EQ(ApplyRoleUpdate(values, RoleRoadSpeed, 60, constants, MpgMode()), LiveValueKind::RoadSpeed);
    EXPECT_EQ(values.roadSpeed, 60);
    EXPECT_EQ(values.mpg, 0.45114297f); // a quarter of the reading
}

TEST(MpgFigure, ReadingIsLimitedTo99)
{
    EXPECT_EQ(MpgReading(800, 0.7f, 120, 210), 99.0f);
}

TEST(MpgFigure, NoFuelFlowReads99RatherThanANegativeOrInfiniteFigure)
{
    EXPECT_EQ(MpgReading(3000, 0.5f, 60, 210), 99.0f); // within the injector dead time
    EXPECT_EQ(MpgReading(0, 0.5f, 60, 210), 99.0f); // engine stopped
    EXPECT_EQ(MpgReading(0, 2.0f, 60, 210), 99.0f);
    EXPECT_EQ(MpgReading(3000, 2.64f, 60, 0), 99.0f); // no injector flow configured
}

TEST(MpgFigure, OnlyUpdatedInMpgMode)
{
    const EcuConstantsRow& constants = ConstantsRowAt(DefaultEcuRow);
    LiveValues values;
    LiveSettings settings = MpgMode();
    settings.idleGaugeMode = "IAC";
    ApplyRoleUpdate(values, RoleRoadSpeed, 60, constants, settings);
    EXPECT_EQ(values.roadSpeed, 60);
    EXPECT_EQ(values.mpg, 0.0f);
}

TEST(MpgFigure, ARecordWithoutAnAveragingCountTakesTheReadingAsItIs)
{
    LiveValues values;
    values.mpg = 40.0f;
    UpdateMpgFigure(values, EcuConstantsRow {}, MpgMode());
    EXPECT_EQ(values.mpg, 99.0f);
}

} // namespace
