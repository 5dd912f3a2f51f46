#pragma once

#include <QString>

#include <string>

// The USB product and serial-number strings of the device behind a serial port, exactly as the
// device reports them. (The port list's own description may come from udev's model property,
// where underscores have become blanks, and would let a look-alike pass as the cable.)
struct UsbDeviceStrings {
    std::string product;
    std::string serialNumber;
    bool found = false;
};

// Looks under `sysfsRoot` (normally "/sys") for the USB device of tty `portName` ("ttyUSB0").
UsbDeviceStrings ReadUsbDeviceStrings(const QString& sysfsRoot, const QString& portName);
