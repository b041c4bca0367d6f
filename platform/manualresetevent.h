#pragma once
// Manual-reset event: once set it stays set (and wakes every waiter) until reset.
// WaitForAny mirrors "wait for any of these, with time-out": it answers the
// lowest index among the events that are set, or kWaitTimeout.

#include <condition_variable>
#include <initializer_list>
#include <mutex>
#include <vector>

class ManualResetEvent {
public:
    ManualResetEvent() = default;
    ManualResetEvent(const ManualResetEvent &) = delete;
    ManualResetEvent &operator=(const ManualResetEvent &) = delete;

    void Set();
    void Reset();
    bool IsSet() const;

private:
    friend int WaitForAny(const std::vector<ManualResetEvent *> &, int);
    struct Waiter;
    void Attach(Waiter *w);
    void Detach(Waiter *w);

    mutable std::mutex m_mutex;
    bool m_set = false;
    std::vector<Waiter *> m_waiters;
};

constexpr int kWaitTimeout = -1;
constexpr int kInfinite = -1;

// timeoutMs = kInfinite waits without limit; 0 only polls.
int WaitForAny(const std::vector<ManualResetEvent *> &events, int timeoutMs);
inline int WaitForAny(std::initializer_list<ManualResetEvent *> events, int timeoutMs)
{
    return WaitForAny(std::vector<ManualResetEvent *>(events), timeoutMs);
}
