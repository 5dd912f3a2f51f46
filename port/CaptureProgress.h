#pragma once

#include <atomic>

// How far a replayed capture has got, told by the replayed cable on the link thread to the
// session on its own thread.
class CaptureProgress {
public:
    void MarkEnded() { m_ended.store(true); }
    // A request's recorded answers have run out: the cable answers nothing from then on.
    bool Ended() const { return m_ended.load(); }

private:
    std::atomic<bool> m_ended { false };
};
