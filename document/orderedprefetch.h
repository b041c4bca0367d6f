#pragma once
// A bounded window of work items computed ahead on helper threads and handed
// back strictly in the order they were pushed. One consumer thread pushes and
// pops; while the item it wants is not done it computes that one or a later
// one itself rather than sleep. The caller keeps the window within its
// capacity, so a list of a million items costs no more memory than one of a
// hundred.
//
// The work function must touch nothing shared: it runs on several threads at once.

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>
#include <vector>

template <typename In, typename Out> class OrderedPrefetch {
public:
    using Work = std::function<Out(const In &)>;

    OrderedPrefetch(int helpers, std::size_t capacity, Work work)
        : m_capacity(capacity > 0 ? capacity : 1), m_work(std::move(work))
    {
        for (int i = 0; i < helpers; ++i)
            m_helpers.emplace_back([this] { HelperLoop(); });
    }

    // Items still being computed are finished by their helper and thrown away.
    ~OrderedPrefetch()
    {
        {
            std::lock_guard lock(m_mutex);
            m_stopping = true;
            m_items.clear();
        }
        m_toDo.notify_all();
        for (std::thread &t : m_helpers)
            t.join();
    }

    OrderedPrefetch(const OrderedPrefetch &) = delete;
    OrderedPrefetch &operator=(const OrderedPrefetch &) = delete;

    bool IsEmpty() const
    {
        std::lock_guard lock(m_mutex);
        return m_items.empty();
    }

    std::size_t Size() const
    {
        std::lock_guard lock(m_mutex);
        return m_items.size();
    }

    std::size_t Capacity() const { return m_capacity; }

    // Several at once wake the helpers once, not once per item.
    void PushAll(std::vector<In> ins)
    {
        if (ins.empty())
            return;
        {
            std::lock_guard lock(m_mutex);
            for (In &in : ins)
                m_items.push_back(std::make_shared<Item>(std::move(in)));
        }
        m_toDo.notify_all();
    }

    // The oldest item with its result, and after it those already done, up
    // to `most` in all; the window must not be empty.
    std::vector<std::pair<In, Out>> PopReady(std::size_t most)
    {
        std::vector<std::pair<In, Out>> ready;
        std::unique_lock lock(m_mutex);
        const std::shared_ptr<Item> oldest = m_items.front();
        // While a helper finishes the oldest, the consumer computes a later
        // one rather than sleep: a thread switch costs more than a small item.
        while (oldest->state != State::Done) {
            std::shared_ptr<Item> next = oldest->state == State::Waiting ? oldest : FirstWaiting();
            if (!next)
                break;
            Run(lock, *next);
        }
        m_done.wait(lock, [&] { return oldest->state == State::Done; });
        do {
            Item &item = *m_items.front();
            ready.emplace_back(std::move(item.in), std::move(*item.out));
            m_items.pop_front();
        } while (ready.size() < most && !m_items.empty() && m_items.front()->state == State::Done);
        return ready;
    }

private:
    enum class State { Waiting, Running, Done };
    struct Item {
        explicit Item(In value) : in(std::move(value)) {}
        In in;
        std::optional<Out> out;
        State state = State::Waiting;
    };

    // Runs a waiting item with the lock released: the item is the runner's
    // alone meanwhile, the consumer only waits for it.
    void Run(std::unique_lock<std::mutex> &lock, Item &item)
    {
        item.state = State::Running;
        lock.unlock();
        Out out = m_work(item.in);
        lock.lock();
        item.out = std::move(out);
        item.state = State::Done;
    }

    // Up to kClaim waiting items, oldest first, marked running. Taking several
    // at once keeps the helpers from meeting on the lock for every small item.
    std::vector<std::shared_ptr<Item>> ClaimWaiting()
    {
        std::vector<std::shared_ptr<Item>> claimed;
        for (const std::shared_ptr<Item> &item : m_items) {
            if (item->state != State::Waiting)
                continue;
            item->state = State::Running;
            claimed.push_back(item);
            if (claimed.size() == kClaim)
                break;
        }
        return claimed;
    }

    std::shared_ptr<Item> FirstWaiting() const
    {
        for (const std::shared_ptr<Item> &item : m_items)
            if (item->state == State::Waiting)
                return item;
        return nullptr;
    }

    bool AnyWaiting() const { return FirstWaiting() != nullptr; }

    void HelperLoop()
    {
        std::unique_lock lock(m_mutex);
        for (;;) {
            m_toDo.wait(lock, [&] { return m_stopping || AnyWaiting(); });
            if (m_stopping)
                return;
            const std::vector<std::shared_ptr<Item>> claimed = ClaimWaiting();
            lock.unlock();
            std::vector<Out> results;
            results.reserve(claimed.size());
            for (const std::shared_ptr<Item> &item : claimed)
                results.push_back(m_work(item->in));
            lock.lock();
            bool front = false;
            for (std::size_t i = 0; i < claimed.size(); ++i) {
                claimed[i]->out = std::move(results[i]);
                claimed[i]->state = State::Done;
                front = front || (!m_items.empty() && claimed[i] == m_items.front());
            }
            // Only the consumer waits for results, and only for the oldest.
            if (front)
                m_done.notify_one();
        }
    }

    static constexpr std::size_t kClaim = 4;

    const std::size_t m_capacity;
    const Work m_work;
    mutable std::mutex m_mutex;
    std::condition_variable m_toDo; // helpers: an item to compute, or the end
    std::condition_variable m_done;  // the consumer: the oldest item is ready
    std::deque<std::shared_ptr<Item>> m_items;
    bool m_stopping = false;
    std::vector<std::thread> m_helpers;
};
