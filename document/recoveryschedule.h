#pragma once
// When a recovery copy is due: at most one interval after the first change
// not yet in a copy, so a change waits an interval at most, and since the
// next deadline is only set by a change after a write, copies are an
// interval apart at least however fast changes come. Pure: the caller gives
// the time.

#include <chrono>

class RecoverySchedule {
public:
    using Clock = std::chrono::steady_clock;

    bool IsArmed() const { return m_armed; }
    // A change: the copy falls due one interval from now, unless it already is due sooner.
    void Changed(Clock::time_point now, std::chrono::milliseconds interval)
    {
        if (!m_armed)
            Retry(now, interval);
    }
    // The copy could not be written yet (the list is still being filled): try again soon.
    void Retry(Clock::time_point now, std::chrono::milliseconds delay)
    {
        m_deadline = now + delay;
        m_armed = true;
    }
    // A copy was written, or none is needed any more.
    void Done() { m_armed = false; }
    // Milliseconds to wait before the copy is due; -1 when none is.
    int WaitMs(Clock::time_point now) const
    {
        if (!m_armed)
            return -1;
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(m_deadline - now).count();
        return left > 0 ? static_cast<int>(left) : 0;
    }

private:
    bool m_armed = false;
    Clock::time_point m_deadline;
};
