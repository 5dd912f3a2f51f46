#pragma once

#include "port/PortDriver.h"

#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>

// The port the link has open, as a user may want to see it.
struct OpenPortDetails {
    std::string location;
    std::string product;
    std::string serialNumber;
    // How long the interface holds received bytes, in ms (see PortDriver::ReceiveLatencyMs).
    std::optional<int> latencyMs;
};

// The main window's side of the link to the interface cable. None of the calls waits for the
// link: they only set requests and move bytes through the two rings.
class InterfaceLink {
public:
    // The most bytes a ring holds, and so the most one ReceiveBytes call can return.
    static constexpr std::size_t RingCapacity = 255;
    using ReceiveBuffer = std::array<std::uint8_t, RingCapacity>;

    // Status texts.
    // The windows show these translated (context "LinkStatus"); compared and logged as they are.
    static constexpr const char* NoInterface = QT_TRANSLATE_NOOP("LinkStatus", "No Interface");
    static constexpr const char* BadDriver = QT_TRANSLATE_NOOP("LinkStatus", "Bad Driver");
    static constexpr const char* VadInterface = "VAD Interface";

    virtual ~InterfaceLink() = default;

    // Asks for the port to be opened at `baudText` (decimal). Returns 0, or 1 without making a
    // request when the text is not a positive whole number.
    virtual int OpenPort(const QString& baudText) = 0;
    // Asks for the port to be closed; a close asked for while an open is pending waits for it.
    virtual int ClosePort() = 0;
    virtual bool IsPortOpen() const = 0;
    // "No Interface", "Bad Driver" or "VAD Interface".
    virtual QString GetStatusText() const = 0;
    // Appends at most RingCapacity bytes to the transmit ring. Returns 0.
    virtual int SendBytes(std::span<const std::uint8_t> bytes) = 0;
    // Moves every received byte into `buffer`, oldest first; `count` gets how many. Returns 0.
    virtual int ReceiveBytes(ReceiveBuffer& buffer, std::uint8_t& count) = 0;
    // Changes the line speed of the open port. Returns 0 when a port is open and the text is a
    // positive whole number, 1 otherwise (and then changes nothing). The speed of the next open
    // stays the one OpenPort was given.
    virtual int SetBaudRate(const QString& baudText) = 0;
    // Why the last attempt to open the port failed; empty after a successful open.
    virtual PortOpenError GetOpenError() const { return {}; }
    // The port open now; nothing while none is (or for a link that cannot tell).
    virtual std::optional<OpenPortDetails> GetOpenPort() const { return std::nullopt; }
    // `notify` is called, on any thread, whenever received bytes have been put where ReceiveBytes
    // takes them (fast polling wakes up for them); an empty function stops the calls, and once
    // this returns the old one is not called any more. A link that cannot tell never calls it.
    virtual void SetArrivalNotifier(std::function<void()> /*notify*/) { }
};
