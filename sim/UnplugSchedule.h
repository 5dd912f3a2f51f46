#pragma once

// When the simulated cable is pulled: every `every` seconds it comes out for `out` seconds, then
// goes back in. Time 0 is the moment the simulation started, with the cable in; the first pull
// happens at `every`. `out` must be shorter than `every`, or the cable would never come back.
class UnplugSchedule {
public:
    // The bounds of both periods, in seconds: beyond a day the times lose the precision a wait
    // needs (and overflow it far beyond), and below a millisecond the cable would only flicker.
    static constexpr double ShortestSeconds = 0.001;
    static constexpr double LongestSeconds = 86400;

    UnplugSchedule(double every, double out);

    double Every() const { return m_every; }
    double Out() const { return m_out; }

    bool IsPluggedIn(double seconds) const;
    // The first moment after `seconds` at which IsPluggedIn changes.
    double NextChangeAfter(double seconds) const;

private:
    double CycleOf(double seconds) const;

    double m_every;
    double m_out;
};
