#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

// One port on offer, as the link thread sees it while looking for the interface cable.
struct PortListing {
    // What Open is given to reach this port: a device path, or a name the driver knows it by.
    std::string location;
    // The USB device's own product and serial-number strings; empty when it has none.
    std::string product;
    std::string serialNumber;
    // A port the user gave by its path: it is taken as the cable whatever its strings say.
    bool namedByUser = false;
};

// Why the last Open failed, for a message that can tell the user what to do (for instance to
// join the group that may use serial ports).
struct PortOpenError {
    bool permissionDenied = false;
    std::string text;
};

// The serial line to the interface cable, as the link thread uses it: list the ports, open one,
// move bytes, wait for bytes, close it. A serial port, the simulated cable or a wrapper that
// watches every byte (see ForwardingPortDriver) stands behind it. At most one port is open at a
// time. Every call but Interrupt is made from the one thread that owns the driver.
class PortDriver {
public:
    virtual ~PortDriver() = default;

    // The ports there are now, or nothing when the system cannot list them at all.
    virtual std::optional<std::vector<PortListing>> ListPorts() = 0;
    // Opens the listed port at `location` with 8 data bits, no parity and one stop bit, the only
    // framing the diagnostic line knows. False, with LastOpenError saying why, when it cannot be
    // opened or a port is open already.
    virtual bool Open(const std::string& location) = 0;
    // False when there was no port to close (it had gone away).
    virtual bool Close() = 0;
    // Sets the speed of the open port, rates off the standard list (7812, 15625) included; false
    // when it is refused or the port has failed.
    virtual bool SetBaudRate(int baudRate) = 0;
    // Moves the bytes received so far, at most buffer.size() of them, without waiting for more;
    // the count, or nothing when no port is open or it has failed (a pulled cable).
    virtual std::optional<std::size_t> Read(std::span<std::uint8_t> buffer) = 0;
    // Sends `bytes`, waiting a bounded time for them to leave; false when the port has failed.
    virtual bool Write(std::span<const std::uint8_t> bytes) = 0;
    // Blocks until received bytes are waiting, `timeout` has passed or Interrupt is called.
    // False when no port is open or it has failed.
    virtual bool WaitForData(std::chrono::milliseconds timeout) = 0;
    // Makes a WaitForData in progress, or the next one, return at once: the one call that may
    // come from another thread, so that bytes to send need not wait for the wait to end.
    virtual void Interrupt() = 0;
    virtual PortOpenError LastOpenError() const = 0;
    // How long the open port's interface holds received bytes before passing them on, in ms, as
    // read after asking for the lowest; nothing where the port has no such setting to read.
    virtual std::optional<int> ReceiveLatencyMs() const { return std::nullopt; }
};

using PortDriverPtr = std::shared_ptr<PortDriver>;
