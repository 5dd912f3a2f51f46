#pragma once

#include "link/EcuFrame.h"

#include <array>
#include <cstdint>
#include <functional>
#include <span>

// Rebuilds EcuFrames from the bytes received on the line and hands on only the reply to the
// outstanding request: after the request's own echo, a frame of the request's type with that
// type's reply length. Any other complete valid frame (one nobody asked for, one before the echo,
// one of another type) is dropped and counted. Bytes outside a frame that start none are skipped,
// so the receiver finds the next frame after noise by itself.
//
// A reply carries no address, so on a line that is not quiet a frame nobody asked for (a flood's,
// or a slow ECU's reply to a request already given up) could pass for it: the reply is refused
// (its exchange fails, counted once) when such a frame came while it was awaited, or when any
// byte follows it in the same batch.
class FrameReceiver {
public:
    enum ParseState { psIdle, psLength, psData, psChecksum };
    // How the exchange awaited ended in one Feed.
    enum class ExchangeEnd { Open, Answered, Refused };

    using ReplyHandler = std::function<void(EcuFrameType type, std::span<const std::uint8_t> data)>;

    // `request` went out: its echo is awaited, then its reply.
    void RequestSent(const EcuFrame& request);
    // Parses `bytes` in order; a frame may be split over any number of calls. `handler` gets the
    // reply to the outstanding request once the batch is parsed; AwaitingReply is cleared after it
    // returns. A reply of the right type but the wrong length is not taken: the exchange fails at
    // its time-out.
    ExchangeEnd Feed(std::span<const std::uint8_t> bytes, const ReplyHandler& handler);
    // No valid reply came within a sample period: drop any half frame, forget the request and
    // count one failed exchange.
    void TimeOut();
    // The line was closed on purpose: any half frame and the request are forgotten, and nothing
    // counts as failed.
    void Abandon();
    // An exchange failed that never got its request out (the line never fell quiet): counted once.
    void CountFailedExchange() { ++m_rxErrorCount; }
    // Replies are on their way late (frames came while none was awaited): the next reply could be
    // one of them, and is refused.
    void DoubtNextReply() { m_doubtNextReply = true; }
    // Frames dropped while no reply was awaited, in all.
    int UnaskedFramesBetweenExchanges() const { return m_framesBetweenExchanges; }

    ParseState State() const { return m_state; }
    bool EchoPending() const { return m_echoPending; }
    bool AwaitingReply() const { return m_awaitingReply; }
    // Failed exchanges plus frames dropped because nobody asked for them.
    int RxErrorCount() const { return m_rxErrorCount; }
    // Data bytes stored of the frame being received.
    int DataCount() const { return m_dataCount; }

private:
    void Parse(std::uint8_t byte);
    void FrameComplete();
    ExchangeEnd SettleReply(const ReplyHandler& handler);
    std::span<const std::uint8_t> FrameData() const;
    bool IsEchoOfRequest() const;
    bool IsReplyToRequest() const;

    ParseState m_state = psIdle;
    int m_frameType = 0;
    int m_frameLength = 0;
    int m_dataLeft = 0;
    int m_dataCount = 0;
    std::array<std::uint8_t, EcuFrame::MaxDataBytes> m_data {};
    std::uint8_t m_sum = 0;

    EcuFrame m_request;
    bool m_echoPending = false;
    bool m_awaitingReply = false;
    // A frame nobody asked for came while the reply was awaited.
    bool m_strayFrameSeen = false;
    bool m_doubtNextReply = false;
    int m_framesBetweenExchanges = 0;
    // The reply, held until the end of its batch, and whether any byte followed it there.
    bool m_replyHeld = false;
    bool m_bytesAfterReply = false;
    EcuFrameType m_heldType = etIdentify;
    std::array<std::uint8_t, EcuFrame::MaxDataBytes> m_heldData {};
    int m_heldCount = 0;
    int m_rxErrorCount = 0;
};
