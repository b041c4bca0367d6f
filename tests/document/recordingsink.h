#pragma once
// A sink that records what the document sends, for tests. Thread-safe.

#include "platform/notificationsink.h"
#include "printers.h"

#include <QString>
#include <QStringList>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <utility>
#include <vector>

class RecordingSink : public NotificationSink {
public:
    bool IsAlive() const override { return m_alive; }
    void Post(int code, std::intptr_t value) override
    {
        std::lock_guard lock(m_mutex);
        m_posts.emplace_back(code, value);
        m_changed.notify_all();
    }
    void InsertRow(int index, const QString &path, const QString &info, const QString &state) override
    {
        Record(QStringLiteral("insert %1 %2 | %3 | %4").arg(index).arg(path, info, state));
    }
    void SetThumbnailCell(int index, const QString &path, const QString &text) override
    {
        Record(QStringLiteral("cell %1 %2 | %3").arg(index).arg(path, text));
    }
    void DeleteRow(int index) override { Record(QStringLiteral("delete %1").arg(index)); }
    void ReportSaveError(const QString &message) override { Record(QStringLiteral("save error ") + message); }

    void SetAlive(bool alive) { m_alive = alive; }

    std::vector<std::pair<int, std::intptr_t>> Posts() const
    {
        std::lock_guard lock(m_mutex);
        return m_posts;
    }
    std::vector<std::intptr_t> ValuesOf(int code) const
    {
        std::vector<std::intptr_t> values;
        for (const auto &[c, v] : Posts())
            if (c == code)
                values.push_back(v);
        return values;
    }
    QStringList Calls() const
    {
        std::lock_guard lock(m_mutex);
        return m_calls;
    }
    void Clear()
    {
        std::lock_guard lock(m_mutex);
        m_posts.clear();
        m_calls.clear();
    }
    // Waits (bounded) until `pred` holds over the posts; true when it did.
    template <typename Pred> bool WaitFor(Pred pred, int timeoutMs = 20000)
    {
        std::unique_lock lock(m_mutex);
        return m_changed.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] { return pred(m_posts); });
    }

private:
    void Record(const QString &call)
    {
        std::lock_guard lock(m_mutex);
        m_calls << call;
        m_changed.notify_all();
    }

    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<std::pair<int, std::intptr_t>> m_posts;
    QStringList m_calls;
    std::atomic<bool> m_alive{true};
};
