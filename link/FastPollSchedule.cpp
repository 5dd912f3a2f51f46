#include "link/FastPollSchedule.h"

#include <algorithm>

namespace {

constexpr int WidenFactor = 2;
constexpr int NarrowDivisor = 2;

} // namespace

void FastPollSchedule::SetGap(Duration gap)
{
    m_gap = std::clamp(gap, Duration::zero(), MaxGap);
    m_currentGap = m_gap;
    m_goodRun = 0;
}

void FastPollSchedule::SetRange(PollRange range)
{
    m_range = range;
    SetPriority({}, {});
}

void FastPollSchedule::SetPriority(std::vector<int> windows, const std::vector<std::uint8_t>& gathered)
{
    std::erase_if(windows, [this](int window) { return window < 0 || window >= WindowCount(); });
    std::sort(windows.begin(), windows.end());
    windows.erase(std::unique(windows.begin(), windows.end()), windows.end());
    m_gathered.clear();
    for (std::size_t first = 0; first < gathered.size(); first += EcuFrame::MaxDataBytes) {
        PollAddressList addresses {};
        std::copy(gathered.begin() + static_cast<std::ptrdiff_t>(first),
            gathered.begin()
                + static_cast<std::ptrdiff_t>(std::min(first + addresses.size(), gathered.size())),
            addresses.begin());
        m_gathered.push_back(addresses);
    }
    m_spareRoom = m_gathered.size() * EcuFrame::MaxDataBytes - gathered.size();
    m_spareOffset = 0;
    // Gathered reads stand in for the priority windows, so every window is swept in turn.
    m_priorityWindows = m_gathered.empty() ? std::move(windows) : std::vector<int> {};
    m_otherWindows.clear();
    for (int window = 0; window < WindowCount(); ++window) {
        if (!std::binary_search(m_priorityWindows.begin(), m_priorityWindows.end(), window))
            m_otherWindows.push_back(window);
    }
    m_step = 0;
    m_nextOther = 0;
    m_lastStep = 0;
    m_lastOther = 0;
    m_windowDue = Clock::time_point::min();
    m_lastWindowDue = m_windowDue;
    m_lastRead = {};
    m_readThisSweep.assign(static_cast<std::size_t>(WindowCount()), false);
}

void FastPollSchedule::RequestSent(Clock::time_point now, Duration replyTimeout)
{
    m_awaiting = true;
    m_sentAt = now;
    m_replyTimeout = replyTimeout;
    m_replyDeadline = now + replyTimeout;
}

void FastPollSchedule::ExchangeEnded(Clock::time_point now, bool good)
{
    m_awaiting = false;
    m_exchangeEnd = now;
    m_quietAfter = good ? Duration::zero() : m_replyTimeout;
    if (good) {
        if (m_currentGap != m_gap && ++m_goodRun >= GoodRunToNarrow) {
            m_goodRun = 0;
            m_currentGap = std::max(m_gap, m_currentGap / NarrowDivisor);
        }
    } else {
        m_goodRun = 0;
        m_currentGap = std::min(MaxGap, std::max(m_currentGap * WidenFactor, m_currentGap + WidenStep));
        m_lateRepliesOverAt = m_sentAt + LateReplyHorizon;
    }
    m_heldBackSince = SendTime();
}

bool FastPollSchedule::ReplyOverdue(Clock::time_point now) const
{
    return m_awaiting && now >= m_replyDeadline;
}

FastPollSchedule::Clock::time_point FastPollSchedule::QuietLineTime() const
{
    if (m_exchangeEnd == Clock::time_point::min())
        return m_exchangeEnd;
    return m_exchangeEnd + std::max(m_currentGap, m_quietAfter);
}

FastPollSchedule::Clock::time_point FastPollSchedule::SendTime() const
{
    return std::max(QuietLineTime(), m_lateRepliesOverAt);
}

bool FastPollSchedule::MaySend(Clock::time_point now) const
{
    return !m_awaiting && now >= SendTime();
}

FastPollSchedule::Clock::time_point FastPollSchedule::NextDeadline() const
{
    return m_awaiting ? m_replyDeadline : SendTime();
}

bool FastPollSchedule::HeldBackAnotherTimeOut(Clock::time_point now)
{
    if (m_awaiting || m_replyTimeout <= Duration::zero() || now < m_heldBackSince + m_replyTimeout)
        return false;
    m_heldBackSince = now;
    return true;
}

std::size_t FastPollSchedule::PassLength() const
{
    // Gathered passes read the other windows between them, when due (NextRead).
    if (!m_gathered.empty())
        return m_gathered.size();
    return m_priorityWindows.size() + (m_otherWindows.empty() ? 0 : 1);
}

FastPollSchedule::Read FastPollSchedule::PassRead(std::size_t step) const
{
    if (step + 1 == m_gathered.size() && m_spareRoom > 0) {
        Read read { Read::Gathered, m_gathered[step], m_spareRoom };
        std::size_t windowIndex = m_nextOther;
        std::size_t offset = m_spareOffset;
        for (std::size_t k = read.addresses.size() - m_spareRoom; k < read.addresses.size(); ++k) {
            read.addresses[k] = m_range.Address(m_otherWindows[windowIndex], offset);
            if (++offset == PollRange::WindowSize) {
                offset = 0;
                windowIndex = (windowIndex + 1) % m_otherWindows.size();
            }
        }
        return read;
    }
    if (step < m_gathered.size())
        return { Read::Gathered, m_gathered[step] };
    step -= m_gathered.size();
    const int window
        = step < m_priorityWindows.size() ? m_priorityWindows[step] : m_otherWindows[m_nextOther];
    return { window, m_range.WindowAddresses(window) };
}

FastPollSchedule::Read FastPollSchedule::NextRead(Clock::time_point now)
{
    m_lastStep = m_step;
    m_lastOther = m_nextOther;
    m_lastWindowDue = m_windowDue;
    if (!m_gathered.empty() && now >= m_windowDue) {
        const int window = m_otherWindows[m_nextOther];
        m_nextOther = (m_nextOther + 1) % m_otherWindows.size();
        // Evenly spread; after a stall the windows catch up by one read, not by a burst.
        const Duration spacing = WindowSpacing();
        m_windowDue = m_windowDue == Clock::time_point::min()
            ? now + spacing
            : std::max(m_windowDue + spacing, now - spacing);
        m_lastRead = { window, m_range.WindowAddresses(window) };
        return m_lastRead;
    }
    m_lastRead = PassRead(m_step);
    const std::size_t length = PassLength();
    if (m_gathered.empty() && !m_otherWindows.empty() && m_step + 1 == length)
        m_nextOther = (m_nextOther + 1) % m_otherWindows.size();
    m_step = (m_step + 1) % length;
    return m_lastRead;
}

void FastPollSchedule::RepeatLastRead()
{
    m_step = m_lastStep;
    m_nextOther = m_lastOther;
    m_windowDue = m_lastWindowDue;
}

FastPollSchedule::Duration FastPollSchedule::WindowSpacing() const
{
    return EveryWindowWithin / static_cast<Duration::rep>(std::max<std::size_t>(m_otherWindows.size(), 1));
}

bool FastPollSchedule::LastReadAnswered(Clock::time_point now)
{
    if (m_lastRead.window == Read::Gathered)
        return SpareRoomRead(m_lastRead.windowAddresses, now);
    // A window read on its own is read whole: what the spare room had read of it counts no more.
    if (!m_gathered.empty())
        m_spareOffset = 0;
    return WindowRead(m_lastRead.window, now);
}

bool FastPollSchedule::SpareRoomRead(std::size_t addresses, Clock::time_point now)
{
    bool sweepCompleted = false;
    for (m_spareOffset += addresses; m_spareOffset >= PollRange::WindowSize;
         m_spareOffset -= PollRange::WindowSize) {
        const int window = m_otherWindows[m_nextOther];
        m_nextOther = (m_nextOther + 1) % m_otherWindows.size();
        // The next window is due on its own only if the spare room does not bring it in time.
        m_windowDue = now + WindowSpacing();
        sweepCompleted = WindowRead(window, now) || sweepCompleted;
    }
    return sweepCompleted;
}

bool FastPollSchedule::WindowRead(int window, Clock::time_point now)
{
    m_readThisSweep[static_cast<std::size_t>(window)] = true;
    if (!std::all_of(m_readThisSweep.begin(), m_readThisSweep.end(), [](bool read) { return read; }))
        return false;
    m_readThisSweep.assign(static_cast<std::size_t>(WindowCount()), false);
    m_sweepTimes[m_sweepCount % RateSpan] = now;
    ++m_sweepCount;
    return true;
}

double FastPollSchedule::SweepsPerSecond(Clock::time_point now) const
{
    const std::size_t count = std::min(m_sweepCount, RateSpan);
    if (count < 2)
        return 0.0;
    const Clock::time_point newest = m_sweepTimes[(m_sweepCount - 1) % RateSpan];
    const Clock::time_point oldest = m_sweepTimes[(m_sweepCount - count) % RateSpan];
    if (now - newest > RateStaleAfter || newest <= oldest)
        return 0.0;
    const std::chrono::duration<double> span = newest - oldest;
    return static_cast<double>(count - 1) / span.count();
}
