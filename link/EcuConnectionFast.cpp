// Fast polling of EcuConnection: each request leaves as soon as the exchange before it is over.
#include "link/EcuConnection.h"

#include <algorithm>

namespace {

// Start bit, eight data bits, stop bit.
constexpr int BitsPerLineByte = 10;
// The request's echo and the longest reply.
constexpr int ExchangeLineBytes = 2 * EcuFrame::MaxLength;
constexpr std::int64_t MicrosecondsPerSecond = 1'000'000;

} // namespace

void EcuConnection::Service()
{
    if (m_pollMode != PollMode::Fast || m_inTick)
        return;
    m_inTick = true;
    if (m_link.IsPortOpen())
        FastStep();
    DeliverAfterTick();
    m_inTick = false;
}

std::optional<EcuConnection::Clock::time_point> EcuConnection::NextServiceTime() const
{
    if (m_pollMode != PollMode::Fast || !m_link.IsPortOpen())
        return std::nullopt;
    if (!m_receiver.AwaitingReply() && !m_requests.SomethingWanted())
        return std::nullopt;
    return m_fast.NextDeadline();
}

void EcuConnection::FastStep()
{
    const bool wasAwaiting = m_receiver.AwaitingReply();
    const int lateFramesBefore = m_receiver.UnaskedFramesBetweenExchanges();
    const Receipt receipt = ReceiveStep();
    // A whole frame while none was awaited is a late reply (or a flood's): more may be on their
    // way, and one of them could pass for the next reply.
    if (m_receiver.UnaskedFramesBetweenExchanges() != lateFramesBefore)
        m_receiver.DoubtNextReply();
    // Taken after the bytes: a reply that came in time but is handled late still counts as good.
    const Clock::time_point now = m_clock();
    if (receipt.end == FrameReceiver::ExchangeEnd::Answered) {
        m_fast.ExchangeEnded(now, true);
    } else if (receipt.end == FrameReceiver::ExchangeEnd::Refused) {
        FastExchangeFailed(now);
    } else if (!wasAwaiting && receipt.bytesCame) {
        // Bytes of an exchange already given up, or of a line that is not quiet: the next request
        // waits for a quiet line, and a line that stays busy fails the exchanges it holds back.
        m_fast.LineBusy(now);
        if (m_requests.SomethingWanted() && m_fast.HeldBackAnotherTimeOut(now)) {
            m_receiver.CountFailedExchange();
            ExchangeFailed();
        }
    } else if (m_receiver.AwaitingReply() && m_fast.ReplyOverdue(now)) {
        m_receiver.TimeOut();
        FastExchangeFailed(now);
    }
    if (!m_receiver.AwaitingReply() && m_fast.MaySend(now) && Send(m_requests.TakeNextFast(m_fast, m_clock)))
        m_fast.RequestSent(now, FastReplyTimeout());
}

void EcuConnection::FastExchangeFailed(Clock::time_point now)
{
    ExchangeFailed();
    m_fast.ExchangeEnded(now, false);
    m_fast.RepeatLastRead();
}

FastPollSchedule::Duration EcuConnection::FastReplyTimeout() const
{
    const int baud = std::max(m_baudText.toInt(), 1);
    const FastPollSchedule::Duration onTheLine { ExchangeLineBytes * BitsPerLineByte * MicrosecondsPerSecond
        / baud };
    return onTheLine + FastReplySlack;
}

void EcuConnection::SetPollMode(PollMode mode)
{
    if (mode == m_pollMode)
        return;
    m_pollMode = mode;
    // A request sent in the other mode still has its reply awaited: it gets a fast time-out.
    if (mode == PollMode::Tick) {
        emit m_events.SampleRateChanged(m_sampleRate);
        return;
    }
    if (m_receiver.AwaitingReply())
        m_fast.RequestSent(m_clock(), FastReplyTimeout());
    else
        m_fast.ForgetExchange();
    emit m_events.SweepRateMeasured(SweepsPerSecond());
}

void EcuConnection::SetFastGap(FastPollSchedule::Duration gap)
{
    m_fast.SetGap(gap);
}

void EcuConnection::SetGatherReads(bool gather)
{
    m_gatherReads = gather;
    ApplyPollPriority();
}

void EcuConnection::SetPollPriority(PollPriority priority)
{
    m_priority = std::move(priority);
    ApplyPollPriority();
}

void EcuConnection::ApplyPollPriority()
{
    const PollRange& range = m_requests.Range();
    std::vector<int> offsets;
    const auto take = [&offsets, &range](int offset) {
        if (range.Covers(offset) && std::find(offsets.begin(), offsets.end(), offset) == offsets.end())
            offsets.push_back(offset);
    };
    // Role by role, so that a high byte is read before the low byte it combines with.
    for (const int role : m_priority.roles) {
        for (int offset = 0; offset < RoleOffsetCount; ++offset) {
            if (m_roles[static_cast<std::size_t>(offset)] == role)
                take(offset);
        }
    }
    for (const int offset : m_priority.offsets)
        take(offset);

    m_priorityRefresh.SetOffsets(offsets);
    std::vector<int> windows;
    for (const int offset : offsets)
        windows.push_back(PollRange::WindowOf(offset));
    std::vector<std::uint8_t> gathered;
    if (m_gatherReads) {
        for (const int offset : offsets)
            gathered.push_back(range.AddressAt(offset));
    }
    m_fast.SetPriority(std::move(windows), gathered);
}
