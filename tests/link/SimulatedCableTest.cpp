#include "sim/SimulatedCable.h"

#include "MiniEcuResponder.h"

#include <gtest/gtest.h>

#include <atomic>
#include <future>

namespace {

struct OpenCable {
    OpenCable()
    {
        cable.SetResponder(responder);
        std::uint32_t count = 0;
        EXPECT_EQ(cable.CreateDeviceInfoList(count), FtStatus::FT_OK);
        EXPECT_EQ(cable.Open(count - 1, handle), FtStatus::FT_OK);
    }

    std::size_t Waiting()
    {
        std::uint32_t rx = 0, tx = 0, events = 0;
        EXPECT_EQ(cable.GetStatus(handle, rx, tx, events), FtStatus::FT_OK);
        return rx;
    }

    std::shared_ptr<MiniEcuResponder> responder = std::make_shared<MiniEcuResponder>();
    SimulatedCable cable;
    FtHandle handle = 0;
};

TEST(SimulatedCable, ListsOtherDevicesThenTheCableWithItsHandleWhileOpen)
{
    SimulatedCable cable;
    cable.SetOtherDevices({ { "A123", "USB Serial" }, { "R1XYZ", "VAD Interfac" } });
    std::uint32_t count = 0;
    ASSERT_EQ(cable.CreateDeviceInfoList(count), FtStatus::FT_OK);
    ASSERT_EQ(count, 3u);
    FtDeviceInfo info;
    ASSERT_EQ(cable.GetDeviceInfoDetail(2, info), FtStatus::FT_OK);
    EXPECT_EQ(info.description, "VAD Interface");
    EXPECT_EQ(info.handle, 0u);

    FtHandle handle = 0;
    EXPECT_EQ(cable.Open(0, handle), FtStatus::FT_DEVICE_NOT_OPENED) << "other devices are busy";
    ASSERT_EQ(cable.Open(2, handle), FtStatus::FT_OK);
    EXPECT_NE(handle, 0u);
    EXPECT_EQ(cable.Open(2, handle), FtStatus::FT_DEVICE_NOT_OPENED) << "opens once at a time";
    ASSERT_EQ(cable.GetDeviceInfoDetail(2, info), FtStatus::FT_OK);
    EXPECT_EQ(info.flags & FtFlagOpened, FtFlagOpened);
    EXPECT_EQ(info.handle, handle);
    EXPECT_EQ(cable.GetDeviceInfoDetail(3, info), FtStatus::FT_DEVICE_NOT_FOUND);
}

TEST(SimulatedCable, LongTextsAreCutAsTheLibraryBuffersCutThem)
{
    SimulatedCable cable;
    cable.SetIdentity({ std::string(40, 'S'), std::string(100, 'D') });
    std::uint32_t count = 0;
    ASSERT_EQ(cable.CreateDeviceInfoList(count), FtStatus::FT_OK);
    FtDeviceInfo info;
    ASSERT_EQ(cable.GetDeviceInfoDetail(0, info), FtStatus::FT_OK);
    EXPECT_EQ(info.serialNumber.size(), FtDeviceInfo::SerialNumberBuffer - 1);
    EXPECT_EQ(info.description.size(), FtDeviceInfo::DescriptionBuffer - 1);
}

TEST(SimulatedCable, WrittenBytesComeBackAsEchoThenReply)
{
    OpenCable open;
    const EcuFrame request = IdentifyRequest();
    std::uint32_t written = 0;
    ASSERT_EQ(open.cable.Write(open.handle, request.Bytes(), written), FtStatus::FT_OK);
    EXPECT_EQ(written, 3u);

    std::array<std::uint8_t, 32> buffer {};
    std::uint32_t got = 0;
    ASSERT_EQ(open.cable.Read(open.handle, buffer, got), FtStatus::FT_OK);
    const std::vector<std::uint8_t> expected { 0x10, 0x03, 0xED, 0x10, 0x05, 0x11, 0x03, 0xD7 };
    EXPECT_EQ(std::vector(buffer.begin(), buffer.begin() + got), expected);
    EXPECT_EQ(open.cable.GetRecord().written,
        std::vector<std::uint8_t>(request.Bytes().begin(), request.Bytes().end()));
}

TEST(SimulatedCable, PacedBytesArriveTenBitTimesApartOnTheGivenClock)
{
    OpenCable open;
    std::atomic<double> now { 100.0 };
    open.cable.SetPaced(true, [&now] { return now.load(); });
    ASSERT_EQ(open.cable.SetBaudRate(open.handle, 10000), FtStatus::FT_OK); // 1 ms per byte
    std::uint32_t written = 0;
    ASSERT_EQ(open.cable.Write(open.handle, IdentifyRequest().Bytes(), written), FtStatus::FT_OK);

    EXPECT_EQ(open.Waiting(), 0u);
    now = 100.0015;
    EXPECT_EQ(open.Waiting(), 1u);
    now = 100.0075;
    EXPECT_EQ(open.Waiting(), 7u);
    now = 100.0085;
    EXPECT_EQ(open.Waiting(), 8u);
    EXPECT_EQ(open.cable.WaitForData(open.handle, std::chrono::milliseconds(0)), FtStatus::FT_OK);
}

TEST(SimulatedCable, PullingOutEndsTheHandleAndDropsUnreadBytes)
{
    OpenCable open;
    std::uint32_t written = 0;
    ASSERT_EQ(open.cable.Write(open.handle, IdentifyRequest().Bytes(), written), FtStatus::FT_OK);
    open.cable.PullOut();

    std::array<std::uint8_t, 32> buffer {};
    std::uint32_t got = 0;
    EXPECT_NE(open.cable.Read(open.handle, buffer, got), FtStatus::FT_OK);
    EXPECT_NE(open.cable.Write(open.handle, IdentifyRequest().Bytes(), written), FtStatus::FT_OK);
    EXPECT_NE(open.cable.WaitForData(open.handle, std::chrono::milliseconds(1)), FtStatus::FT_OK);
    std::uint32_t count = 0;
    ASSERT_EQ(open.cable.CreateDeviceInfoList(count), FtStatus::FT_OK);
    EXPECT_EQ(count, 0u);

    open.cable.PlugIn();
    ASSERT_EQ(open.cable.CreateDeviceInfoList(count), FtStatus::FT_OK);
    FtHandle again = 0;
    ASSERT_EQ(open.cable.Open(0, again), FtStatus::FT_OK);
    EXPECT_NE(again, open.handle) << "a replugged cable gets a new handle";
    std::uint32_t rx = 0, tx = 0, events = 0;
    EXPECT_NE(open.cable.GetStatus(open.handle, rx, tx, events), FtStatus::FT_OK)
        << "the old handle stays dead";
}

} // namespace

namespace {

TEST(SimulatedCable, InterruptFromAnotherThreadEndsAWaitWithNothingToRead)
{
    OpenCable open;
    auto waiting = std::async(std::launch::async,
        [&] { return open.cable.WaitForData(open.handle, std::chrono::milliseconds(30000)); });
    open.cable.Interrupt();
    ASSERT_EQ(waiting.wait_for(std::chrono::seconds(10)), std::future_status::ready);
    EXPECT_EQ(waiting.get(), FtStatus::FT_OK);
    EXPECT_EQ(open.Waiting(), 0u);
}

} // namespace
