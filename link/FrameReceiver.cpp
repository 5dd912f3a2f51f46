#include "link/FrameReceiver.h"

#include <algorithm>

void FrameReceiver::RequestSent(const EcuFrame& request)
{
    m_request = request;
    m_echoPending = true;
    m_awaitingReply = true;
    m_strayFrameSeen = false;
}

FrameReceiver::ExchangeEnd FrameReceiver::Feed(
    std::span<const std::uint8_t> bytes, const ReplyHandler& handler)
{
    for (const std::uint8_t byte : bytes) {
        m_bytesAfterReply = m_bytesAfterReply || m_replyHeld;
        Parse(byte);
    }
    return m_replyHeld ? SettleReply(handler) : ExchangeEnd::Open;
}

FrameReceiver::ExchangeEnd FrameReceiver::SettleReply(const ReplyHandler& handler)
{
    m_replyHeld = false;
    const bool quiet = !m_strayFrameSeen && !m_bytesAfterReply && !m_doubtNextReply;
    m_strayFrameSeen = false;
    m_doubtNextReply = false;
    m_bytesAfterReply = false;
    if (!quiet) {
        m_awaitingReply = false;
        ++m_rxErrorCount;
        return ExchangeEnd::Refused;
    }
    if (handler)
        handler(m_heldType,
            std::span<const std::uint8_t>(m_heldData.data(), static_cast<std::size_t>(m_heldCount)));
    m_awaitingReply = false;
    return ExchangeEnd::Answered;
}

void FrameReceiver::TimeOut()
{
    Abandon();
    ++m_rxErrorCount;
}

void FrameReceiver::Abandon()
{
    m_echoPending = false;
    m_awaitingReply = false;
    m_state = psIdle;
    m_dataCount = 0;
}

void FrameReceiver::Parse(std::uint8_t byte)
{
    switch (m_state) {
    case psIdle:
        if (IsEcuFrameType(byte)) {
            m_frameType = byte;
            m_sum = byte;
            m_state = psLength;
        }
        break;
    case psLength:
        if (byte < EcuFrame::OverheadBytes || byte > EcuFrame::MaxLength) {
            // No frame is this long or this short: the start byte was noise. The rejected byte
            // may itself start the real frame, so it is looked at again from psIdle.
            m_state = psIdle;
            Parse(byte);
            break;
        }
        m_frameLength = byte;
        m_sum = static_cast<std::uint8_t>(m_sum + byte);
        m_dataLeft = m_frameLength - EcuFrame::OverheadBytes;
        m_dataCount = 0;
        m_state = m_dataLeft == 0 ? psChecksum : psData;
        break;
    case psData:
        m_data[static_cast<std::size_t>(m_dataCount++)] = byte;
        m_sum = static_cast<std::uint8_t>(m_sum + byte);
        if (--m_dataLeft == 0)
            m_state = psChecksum;
        break;
    case psChecksum:
        m_sum = static_cast<std::uint8_t>(m_sum + byte);
        m_state = psIdle;
        if (m_sum == 0)
            FrameComplete();
        break;
    }
}

std::span<const std::uint8_t> FrameReceiver::FrameData() const
{
    return { m_data.data(), static_cast<std::size_t>(m_dataCount) };
}

bool FrameReceiver::IsEchoOfRequest() const
{
    const std::span<const std::uint8_t> data = FrameData();
    const std::span<const std::uint8_t> sent = m_request.Data();
    return m_frameType == m_request.Type() && m_frameLength == m_request.length
        && std::equal(data.begin(), data.end(), sent.begin(), sent.end());
}

bool FrameReceiver::IsReplyToRequest() const
{
    const int expected = ReplyDataBytes(m_request.Type());
    return expected == AnyReplyLength || m_dataCount == expected;
}

void FrameReceiver::FrameComplete()
{
    if (m_echoPending && !m_replyHeld && IsEchoOfRequest()) {
        m_echoPending = false; // the request coming back from the line
        return;
    }
    if (!m_awaitingReply || m_replyHeld || m_echoPending || m_frameType != m_request.Type()) {
        // Taking it would show values nobody asked for (a flooding line, a late or stray frame),
        // and while a reply is awaited the reply after it could be one of those.
        ++m_rxErrorCount;
        m_strayFrameSeen = m_strayFrameSeen || m_awaitingReply;
        if (!m_awaitingReply)
            ++m_framesBetweenExchanges;
        return;
    }
    if (!IsReplyToRequest())
        return; // a short or overlong reply: the time-out counts the exchange and it is asked again
    m_replyHeld = true;
    m_heldType = static_cast<EcuFrameType>(m_frameType);
    m_heldData = m_data;
    m_heldCount = m_dataCount;
}
