#include "link/FrameReceiver.h"

#include <algorithm>

void FrameReceiver::RequestSent(const EcuFrame& request)
{
    m_request = request;
    m_echoPending = true;
    m_awaitingReply = true;
}

void FrameReceiver::Feed(std::span<const std::uint8_t> bytes, const ReplyHandler& handler)
{
    for (const std::uint8_t byte : bytes)
        Parse(byte, handler);
}

void FrameReceiver::TimeOut()
{
    m_echoPending = false;
    m_awaitingReply = false;
    m_state = psIdle;
    m_dataCount = 0;
    ++m_rxErrorCount;
}

void FrameReceiver::Parse(std::uint8_t byte, const ReplyHandler& handler)
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
            Parse(byte, handler);
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
            FrameComplete(handler);
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

void FrameReceiver::FrameComplete(const ReplyHandler& handler)
{
    if (m_echoPending && IsEchoOfRequest()) {
        m_echoPending = false; // the request coming back from the line
        return;
    }
    if (!m_awaitingReply || m_echoPending || m_frameType != m_request.Type()) {
        // Taking it would show values nobody asked for (a flooding line, a late or stray frame).
        ++m_rxErrorCount;
        return;
    }
    if (!IsReplyToRequest())
        return; // a short or overlong reply: the time-out counts the exchange and it is asked again
    if (handler)
        handler(static_cast<EcuFrameType>(m_frameType), FrameData());
    m_awaitingReply = false;
}
