#include "manualresetevent.h"

#include <algorithm>
#include <chrono>

struct ManualResetEvent::Waiter {
    std::mutex mutex;
    std::condition_variable cv;
    bool woken = false;
};

void ManualResetEvent::Set()
{
    std::lock_guard lock(m_mutex);
    m_set = true;
    for (Waiter *w : m_waiters) {
        std::lock_guard wl(w->mutex);
        w->woken = true;
        w->cv.notify_all();
    }
}

void ManualResetEvent::Reset()
{
    std::lock_guard lock(m_mutex);
    m_set = false;
}

bool ManualResetEvent::IsSet() const
{
    std::lock_guard lock(m_mutex);
    return m_set;
}

void ManualResetEvent::Attach(Waiter *w)
{
    std::lock_guard lock(m_mutex);
    m_waiters.push_back(w);
    if (m_set) {
        std::lock_guard wl(w->mutex);
        w->woken = true;
    }
}

void ManualResetEvent::Detach(Waiter *w)
{
    std::lock_guard lock(m_mutex);
    m_waiters.erase(std::remove(m_waiters.begin(), m_waiters.end(), w), m_waiters.end());
}

namespace {
int FirstSet(const std::vector<ManualResetEvent *> &events)
{
    for (size_t i = 0; i < events.size(); ++i)
        if (events[i] && events[i]->IsSet())
            return static_cast<int>(i);
    return kWaitTimeout;
}
} // namespace

int WaitForAny(const std::vector<ManualResetEvent *> &events, int timeoutMs)
{
    if (timeoutMs == 0)
        return FirstSet(events);

    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(std::max(timeoutMs, 0));
    for (;;) {
        ManualResetEvent::Waiter waiter;
        for (ManualResetEvent *e : events)
            if (e)
                e->Attach(&waiter);
        {
            std::unique_lock lock(waiter.mutex);
            if (timeoutMs == kInfinite)
                waiter.cv.wait(lock, [&] { return waiter.woken; });
            else
                waiter.cv.wait_until(lock, deadline, [&] { return waiter.woken; });
        }
        for (ManualResetEvent *e : events)
            if (e)
                e->Detach(&waiter);
        const int index = FirstSet(events);
        // An event may have been reset between the wake and this look; an
        // unlimited wait then goes on waiting instead of reporting a time-out.
        if (index != kWaitTimeout || timeoutMs != kInfinite)
            return index;
    }
}
