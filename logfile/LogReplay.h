#pragma once

#include "defs/LiveValueCatalogue.h"
#include "link/ReplayedQueries.h"
#include "logfile/LogReader.h"

#include <chrono>
#include <cstddef>
#include <functional>
#include <vector>

// Which value of the live value catalogue each column of a log holds (by its heading: a channel
// name or an identifier), and a row of the log as the live values it gives.
class ReplayColumns {
public:
    explicit ReplayColumns(const LogContents& log);

    // The values of `row`: a value the log does not hold, or leaves empty in that row, is not
    // held; a row with every such field empty was taken with the link lost.
    ReplayedValues ValuesAt(const LogContents& log, std::size_t row) const;
    // Whether any column is a value the windows know.
    bool HoldsAny() const { return !m_sources.empty(); }

private:
    struct Source {
        std::size_t column;
        const LiveValueRow* row;
        std::size_t index; // in the catalogue
    };
    std::vector<Source> m_sources;
};

// Where a replay is in a log and how it moves on: in real time times the speed while playing, by
// the clock it is given (so that tests need not wait), or a row at a time.
class LogPlayer {
public:
    using Clock = std::chrono::steady_clock;
    using Now = std::function<Clock::time_point()>;

    static constexpr double kSlowest = 0.25;
    static constexpr double kFastest = 8.0;

    // `timesMs` (the log's) outlive the player.
    LogPlayer(const std::vector<double>& timesMs, Now now);

    void Play();
    void Pause();
    // The next row, paused.
    void Step();
    // From kSlowest to kFastest times real time; others are held to that range.
    void SetSpeed(double speed);
    void Seek(std::size_t row);
    // Moves to the row the clock has reached; true when the row changed. Playing stops at the
    // last row.
    bool Advance();

    bool Playing() const { return m_playing; }
    double Speed() const { return m_speed; }
    std::size_t Row() const { return m_row; }
    std::size_t Rows() const { return m_timesMs.size(); }

private:
    void Anchor();

    const std::vector<double>& m_timesMs;
    Now m_now;
    bool m_playing = false;
    double m_speed = 1.0;
    std::size_t m_row = 0;
    Clock::time_point m_anchorClock;
    double m_anchorMs = 0;
};
