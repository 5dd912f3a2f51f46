#include "sim/UnplugSchedule.h"

#include <cmath>

UnplugSchedule::UnplugSchedule(double every, double out)
    : m_every(every)
    , m_out(out)
{
}

// Cycle k runs from k × every. Both queries place `seconds` in its cycle the same way and only
// ever hand out times computed as k × every (+ out), so they never disagree at a boundary. The
// division can land just below a whole number (0.9 / 0.3), hence the correction.
double UnplugSchedule::CycleOf(double seconds) const
{
    double cycle = std::floor(seconds / m_every);
    if ((cycle + 1) * m_every <= seconds)
        cycle += 1;
    else if (cycle * m_every > seconds)
        cycle -= 1;
    return cycle;
}

bool UnplugSchedule::IsPluggedIn(double seconds) const
{
    const double cycle = CycleOf(seconds);
    return cycle < 1 || seconds >= cycle * m_every + m_out;
}

double UnplugSchedule::NextChangeAfter(double seconds) const
{
    const double cycle = CycleOf(seconds);
    if (cycle < 1)
        return m_every;
    const double backIn = cycle * m_every + m_out;
    return seconds < backIn ? backIn : (cycle + 1) * m_every;
}
