#include "port/UsbDeviceStrings.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

void WriteAttribute(const QString& path, const QByteArray& text)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
}

// A miniature /sys with one FTDI adapter (tty below the interface) and one ACM modem (tty
// link straight to the interface).
class FakeSysfs : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(root.isValid());
        const QDir dir(root.path());
        ASSERT_TRUE(dir.mkpath("devices/usb1/1-1/1-1:1.0/ttyUSB0"));
        WriteAttribute(dir.filePath("devices/usb1/1-1/product"), "VAD Interface\n");
        WriteAttribute(dir.filePath("devices/usb1/1-1/serial"), "R1234567\n");
        ASSERT_TRUE(dir.mkpath("devices/usb1/1-2/1-2:1.0"));
        WriteAttribute(dir.filePath("devices/usb1/1-2/product"), "VAD_Interface\n");
        ASSERT_TRUE(dir.mkpath("class/tty/ttyUSB0"));
        ASSERT_TRUE(dir.mkpath("class/tty/ttyACM0"));
        ASSERT_TRUE(dir.mkpath("class/tty/ttyS0"));
        ASSERT_TRUE(QFile::link(
            "../../../devices/usb1/1-1/1-1:1.0/ttyUSB0", dir.filePath("class/tty/ttyUSB0/device")));
        ASSERT_TRUE(
            QFile::link("../../../devices/usb1/1-2/1-2:1.0", dir.filePath("class/tty/ttyACM0/device")));
    }

    QTemporaryDir root;
};

TEST_F(FakeSysfs, FindsTheStringsOfTheUsbDeviceAboveThePort)
{
    const UsbDeviceStrings ftdi = ReadUsbDeviceStrings(root.path(), "ttyUSB0");
    EXPECT_TRUE(ftdi.found);
    EXPECT_EQ(ftdi.product, "VAD Interface");
    EXPECT_EQ(ftdi.serialNumber, "R1234567");
}

TEST_F(FakeSysfs, KeepsTheProductStringAsTheDeviceReportsIt)
{
    // udev's model property would read "VAD Interface" here and let this device pass.
    const UsbDeviceStrings acm = ReadUsbDeviceStrings(root.path(), "ttyACM0");
    EXPECT_TRUE(acm.found);
    EXPECT_EQ(acm.product, "VAD_Interface");
    EXPECT_EQ(acm.serialNumber, "");
}

TEST_F(FakeSysfs, PortsWithoutAUsbDeviceFindNothing)
{
    EXPECT_FALSE(ReadUsbDeviceStrings(root.path(), "ttyS0").found);
    EXPECT_FALSE(ReadUsbDeviceStrings(root.path(), "ttyUSB9").found);
}

} // namespace
