#include "sim/SimulatedEnvironment.h"

#include <gtest/gtest.h>

#include <atomic>

namespace {

TEST(SimulatedEnvironment, TheLinkThreadsDriverServesTheEcuAndFollowsTheUnplugSchedule)
{
    std::atomic<double> now { 100.0 };
    SimulatorSettings settings;
    settings.unplug = UnplugSchedule(1.0, 0.5);
    const SimulatedEnvironment environment("17e2", settings, [&now] { return now.load(); });
    const D2xxDriverPtr driver = environment.DriverFactory()();

    std::uint32_t count = 0;
    ASSERT_EQ(driver->CreateDeviceInfoList(count), FtStatus::FT_OK);
    ASSERT_EQ(count, 1u);
    FtHandle handle = 0;
    ASSERT_EQ(driver->Open(0, handle), FtStatus::FT_OK);
    std::uint32_t written = 0;
    const EcuFrame identify = IdentifyRequest();
    ASSERT_EQ(driver->Write(handle, identify.Bytes(), written), FtStatus::FT_OK);
    std::array<std::uint8_t, 16> line {};
    std::uint32_t received = 0;
    ASSERT_EQ(driver->Read(handle, line, received), FtStatus::FT_OK);
    EXPECT_EQ(std::vector<std::uint8_t>(line.begin(), line.begin() + received),
        (std::vector<std::uint8_t> { 0x10, 0x03, 0xED, 0x10, 0x05, 0x17, 0xE2, 0xF2 }));
    EXPECT_EQ(environment.EcuId(), "17E2");
    EXPECT_EQ(environment.Counters().requests, 1);

    now = 101.2; // pulled from 1 s to 1.5 s
    std::uint32_t rx = 0;
    std::uint32_t tx = 0;
    std::uint32_t events = 0;
    EXPECT_NE(driver->GetStatus(handle, rx, tx, events), FtStatus::FT_OK);
    ASSERT_EQ(driver->CreateDeviceInfoList(count), FtStatus::FT_OK);
    EXPECT_EQ(count, 0u);

    now = 101.6;
    ASSERT_EQ(driver->CreateDeviceInfoList(count), FtStatus::FT_OK);
    EXPECT_EQ(count, 1u);
    EXPECT_TRUE(environment.Cable().IsPluggedIn());
}

} // namespace
