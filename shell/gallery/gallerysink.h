#pragma once
// The list view's side of the document's notification channel. Workers call
// it from their threads: every call is queued, in arrival order, under one
// mutex, and the GUI thread is woken once per burst (one queued invocation
// while the queue is non-empty). A worker never waits for the GUI.
//
// On the GUI thread the row calls are synchronous, as the document expects
// (it deletes the row it has just moved): queued row changes are applied
// first so the list never sees them out of order. Posted codes always stay
// queued, as posted messages do.

#include "platform/notificationsink.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <atomic>
#include <cstdint>
#include <deque>
#include <mutex>
#include <set>

class GalleryModel;
class QTimer;

class GallerySink : public QObject, public NotificationSink {
    Q_OBJECT
public:
    explicit GallerySink(GalleryModel *model, QObject *parent = nullptr);

    // After this the sink reports itself dead; queued work is dropped.
    void Detach();

    bool IsAlive() const override { return m_alive; }
    void Post(int code, std::intptr_t value) override;
    void InsertRow(
        int index, const QString &path, const QString &info, const QString &thumbnailState) override;
    void SetThumbnailCell(int index, const QString &path, const QString &text) override;
    void DeleteRow(int index) override;
    void DeleteRows(int first, int count) override;
    void InsertRowRun(int first, const std::vector<RowTexts> &rows) override;
    void MoveSelection(int fromRow, int toRow) override;
    void ReorderRows(const std::vector<int> &order) override;
    // Applies queued row changes now, leaving the posts queued in order.
    void ApplyQueuedRows();
    void Invalidate() override;
    void ThumbnailFileChanged(const QString &thumbnailPath) override;
    void ReportSaveError(const QString &message) override;

    // Handles everything queued so far (GUI thread). Normally runs by itself.
    void Flush();

Q_SIGNALS:
    void posted(int code, qintptr value);
    // The document moved the entry of row `fromRow` to row `toRow`.
    void selectionMoved(int fromRow, int toRow);
    void invalidated();
    void thumbnailFileChanged(const QString &thumbnailPath);
    void saveFailed(const QString &message);

private:
    enum class Kind { Post, Insert, Thumbnail, FileChanged, SaveError };
    struct Item {
        Kind kind;
        int index;
        std::intptr_t value;
        QString path;
        QString text;
        QString extra;
    };

    // The queued wake: flushes, or waits for the rest of a short pause after
    // the previous flush, so a stream of rows repaints the list a bounded
    // number of times per second.
    void OnWake();
    bool OnGuiThread() const;
    void Enqueue(Item &&item);
    void WakeLocked();
    void TakeIncoming();
    bool IsKnownRow(const Item &item) const;
    // Applies the inserts that follow `it` as one model insert; returns past them.
    std::deque<Item>::iterator ApplyInsertRun(std::deque<Item>::iterator it, std::deque<Item>::iterator end);
    void ApplyRowItem(const Item &item);
    void ApplyInsert(int index, const QString &path, const QString &info, const QString &thumbnail);
    void Deliver(const Item &item);

    QPointer<GalleryModel> m_model;
    std::atomic<bool> m_alive {true};

    std::mutex m_mutex;
    std::deque<Item> m_incoming; // under m_mutex
    bool m_wakePending = false; // under m_mutex

    // GUI thread only.
    std::deque<Item> m_processing;
    QElapsedTimer m_sinceFlush;
    QTimer *m_pause = nullptr;
    // Rows deleted before their insert reached the list: that insert is dropped.
    std::multiset<int> m_deletedAhead;
};
