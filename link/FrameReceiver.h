#pragma once

#include "link/EcuFrame.h"

#include <array>
#include <cstdint>
#include <functional>
#include <span>

// Rebuilds EcuFrames from the bytes received on the line, drops the echo of the program's own
// request, and hands every other complete valid frame to the caller. Bytes outside a frame that
// start none are skipped, so the receiver finds the next frame after noise by itself.
class FrameReceiver {
public:
    enum ParseState { psIdle, psLength, psData, psChecksum };

    using ReplyHandler = std::function<void(EcuFrameType type, std::span<const std::uint8_t> data)>;

    // A request went out: the next complete valid frame is its echo, and a reply is awaited.
    void RequestSent();
    // Appends `bytes` to the input ring and parses until it is empty. `handler` gets each
    // complete, valid, non-echo frame; AwaitingReply is cleared after it returns.
    void Feed(std::span<const std::uint8_t> bytes, const ReplyHandler& handler);
    // No valid reply came within a sample period: drop any half frame, forget the request and
    // count one failed exchange.
    void TimeOut();

    ParseState State() const { return m_state; }
    bool EchoPending() const { return m_echoPending; }
    bool AwaitingReply() const { return m_awaitingReply; }
    int RxErrorCount() const { return m_rxErrorCount; }
    // Data bytes stored of the frame being received.
    int DataCount() const { return m_dataCount; }

private:
    static constexpr int InputRingSize = 256;
    static constexpr int InputRingCapacity = InputRingSize - 1;

    void Parse(std::uint8_t byte, const ReplyHandler& handler);
    void FrameComplete(const ReplyHandler& handler);

    std::array<std::uint8_t, InputRingSize> m_input {};
    std::uint8_t m_inputOut = 0;
    std::uint8_t m_inputIn = 0;
    std::uint8_t m_inputCount = 0;

    ParseState m_state = psIdle;
    int m_frameType = 0;
    int m_frameLength = 0;
    int m_dataLeft = 0;
    int m_dataCount = 0;
    std::array<std::uint8_t, EcuFrame::MaxDataBytes> m_data {};
    std::uint8_t m_sum = 0;

    bool m_echoPending = false;
    bool m_awaitingReply = false;
    int m_rxErrorCount = 0;
};
