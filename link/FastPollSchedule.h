#pragma once

#include "link/EcuFrame.h"
#include "link/PollRange.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdint>
#include <vector>

// When fast polling may send and which read goes next. The next request may leave once the
// previous exchange is over (its reply complete, or its time-out passed) and the gap after it has
// passed. The gap widens at every failed exchange and narrows back, step by step, after a run of
// good ones, so an ECU that needs a pause gets it without the user tuning anything.
//
// A reply carries no address. After a failed exchange no request leaves until the failed one went
// out LateReplyHorizon ago and the line has been quiet for a whole reply time-out: a reply that
// comes late then arrives while nothing is awaited and is dropped, instead of being taken for the
// answer to a later request that asks for other addresses.
//
// Reads: the windows of eight addresses over the ECU's range, in turn; with priority windows, each
// pass reads all of them and then the next of the other windows, so the others are still swept.
// Gathered reads take the place of the priority windows: the listed addresses, eight to a request,
// are a pass of their own. The room the last request has to spare carries the windows' addresses in
// turn, so what is logged gets every exchange the line allows and the rest of the ECU is still read;
// a window that room has not brought within EveryWindowWithin is read on its own between passes.
// Pure logic on the times it is given: the connection asks it, tests drive it by hand.
class FastPollSchedule {
public:
    using Clock = std::chrono::steady_clock;
    using Duration = std::chrono::microseconds;

    // Two byte times at 7812 baud: long enough for an ECU to turn its line round after its reply
    // and be listening again, short enough to keep three quarters of the line's rate at 15625 baud.
    static constexpr Duration DefaultGap { 2500 };
    static constexpr Duration MaxGap { 100'000 };
    // A failed exchange at least doubles the gap, and adds this much to a gap of 0.
    static constexpr Duration WidenStep { 2000 };
    // Good exchanges in a row after which a widened gap is halved (never below the one set).
    static constexpr int GoodRunToNarrow = 4;
    // Sweep completions the measured rate is taken over.
    static constexpr std::size_t RateSpan = 8;
    // Without a completed sweep for this long, the measured rate reads 0.
    static constexpr Duration RateStaleAfter { 2'000'000 };
    // With gathered reads, every window is read at least once in this long: within a second, less
    // room for a reply that fails and is asked for again.
    static constexpr Duration EveryWindowWithin { 900'000 };
    // The latest an ECU's reply is still expected after its request: as long as ticked polling
    // waits for one at its slowest sample period.
    static constexpr Duration LateReplyHorizon { 500'000 };

    // What to read: a window's eight addresses (window from 0), or gathered addresses (window -1).
    struct Read {
        static constexpr int Gathered = -1;
        int window = Gathered;
        PollAddressList addresses {};
        // Of a gathered read: how many of its last addresses are the windows' (its spare room).
        std::size_t windowAddresses = 0;
    };

    // The gap the user set; the current gap starts there again.
    void SetGap(Duration gap);
    Duration Gap() const { return m_gap; }
    Duration CurrentGap() const { return m_currentGap; }

    // The ECU's range. Starts the sweep afresh at window 0 and forgets the priority reads (they are
    // given again for the new range).
    void SetRange(PollRange range);
    // Windows read every pass (indexes into the range), and addresses read every pass instead of
    // them (gathered reads, in the order given, eight to a request); both may be empty.
    void SetPriority(std::vector<int> windows, const std::vector<std::uint8_t>& gathered);

    // Timing.
    void RequestSent(Clock::time_point now, Duration replyTimeout);
    // The exchange ended: its reply complete (`good`) or its time-out passed.
    void ExchangeEnded(Clock::time_point now, bool good);
    // Bytes came while no reply was awaited: the gap starts again from now.
    void LineBusy(Clock::time_point now) { m_exchangeEnd = std::max(m_exchangeEnd, now); }
    // True once for every reply time-out that a busy line has held the next request back: that
    // many exchanges could not take place.
    bool HeldBackAnotherTimeOut(Clock::time_point now);
    // No reply is awaited any more (one that another mode of polling timed out).
    void ForgetExchange() { m_awaiting = false; }
    bool ReplyOverdue(Clock::time_point now) const;
    bool MaySend(Clock::time_point now) const;
    // When the schedule has something to do without any byte arriving: the reply's time-out while
    // one is awaited, the end of the gap otherwise.
    Clock::time_point NextDeadline() const;

    // The next read at `now`, which becomes the one outstanding.
    Read NextRead(Clock::time_point now);
    // The outstanding read failed: it is the next one again.
    void RepeatLastRead();
    // The outstanding read was answered. True when that completed a sweep: every window read since
    // the last completed one.
    bool LastReadAnswered(Clock::time_point now);

    // Complete sweeps a second over the last few sweeps; 0 until two have completed or when none
    // has for a while.
    double SweepsPerSecond(Clock::time_point now) const;

private:
    Clock::time_point SendTime() const;
    // When the next request could leave if late replies were not waited out.
    Clock::time_point QuietLineTime() const;
    int WindowCount() const { return m_range.WindowCount(); }
    Read PassRead(std::size_t step) const;
    std::size_t PassLength() const;
    Duration WindowSpacing() const;
    // The window has been read whole: true when that completed a sweep.
    bool WindowRead(int window, Clock::time_point now);
    // A gathered read was answered: the windows' addresses in its spare room count as read.
    bool SpareRoomRead(std::size_t addresses, Clock::time_point now);

    Duration m_gap = DefaultGap;
    Duration m_currentGap = DefaultGap;
    int m_goodRun = 0;
    bool m_awaiting = false;
    Duration m_replyTimeout {};
    // Quiet needed after the exchange on top of the gap: a reply time-out after a failed one.
    Duration m_quietAfter {};
    Clock::time_point m_heldBackSince {};
    Clock::time_point m_sentAt {};
    // After a failed exchange: no request before its late reply could no longer come.
    Clock::time_point m_lateRepliesOverAt = Clock::time_point::min();
    Clock::time_point m_replyDeadline {};
    Clock::time_point m_exchangeEnd = Clock::time_point::min(); // the first request waits for nothing

    PollRange m_range;
    std::vector<int> m_priorityWindows;
    std::vector<PollAddressList> m_gathered;
    std::size_t m_spareRoom = 0; // addresses the last gathered request has to spare
    std::size_t m_spareOffset = 0; // how far the spare room has read the window m_nextOther names
    std::vector<int> m_otherWindows {}; // the windows not read every pass, in turn
    std::size_t m_step = 0; // within the pass
    std::size_t m_nextOther = 0;
    Read m_lastRead;
    std::size_t m_lastStep = 0;
    std::size_t m_lastOther = 0;
    // Gathered reads: when the next window is due, and as it was before the outstanding read.
    Clock::time_point m_windowDue = Clock::time_point::min();
    Clock::time_point m_lastWindowDue = Clock::time_point::min();
    std::vector<bool> m_readThisSweep;

    std::array<Clock::time_point, RateSpan> m_sweepTimes {};
    std::size_t m_sweepCount = 0;
};
