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
    const PortDriverPtr driver = environment.DriverFactory()();

    std::optional<std::vector<PortListing>> ports = driver->ListPorts();
    ASSERT_TRUE(ports.has_value());
    ASSERT_EQ(ports->size(), 1u);
    ASSERT_TRUE(driver->Open(ports->front().location));
    const EcuFrame identify = IdentifyRequest();
    ASSERT_TRUE(driver->Write(identify.Bytes()));
    std::array<std::uint8_t, 16> line {};
    const std::optional<std::size_t> received = driver->Read(line);
    ASSERT_TRUE(received.has_value());
    EXPECT_EQ(std::vector<std::uint8_t>(line.begin(), line.begin() + static_cast<std::ptrdiff_t>(*received)),
        (std::vector<std::uint8_t> { 0x10, 0x03, 0xED, 0x10, 0x05, 0x17, 0xE2, 0xF2 }));
    EXPECT_EQ(environment.EcuId(), "17E2");
    EXPECT_EQ(environment.Counters().requests, 1);

    now = 101.2; // pulled from 1 s to 1.5 s
    EXPECT_FALSE(driver->Read(line).has_value());
    ports = driver->ListPorts();
    ASSERT_TRUE(ports.has_value());
    EXPECT_EQ(ports->size(), 0u);

    now = 101.6;
    ports = driver->ListPorts();
    ASSERT_TRUE(ports.has_value());
    EXPECT_EQ(ports->size(), 1u);
    EXPECT_TRUE(environment.Cable().IsPluggedIn());
}

} // namespace
