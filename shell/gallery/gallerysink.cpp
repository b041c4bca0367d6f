#include "shell/gallery/gallerysink.h"

#include "document/notifycodes.h"
#include "shell/gallery/gallerymodel.h"

#include <QElapsedTimer>
#include <QThread>
#include <QTimer>
#include <vector>

namespace {
// One flush keeps the GUI thread for about this long; the rest follows in
// the next turn of the event loop so input and painting get their share.
constexpr qint64 kFlushBudgetMs = 12;
// Shortest time between two flushes woken by workers: each flush relays and
// repaints the list.
constexpr qint64 kFlushPauseMs = 30;
// Count and byte total are states: within one flush only the latest matters.
bool IsStateCode(int code)
{
    return code == NOTIFY_COUNT || code == NOTIFY_THUMBNAIL_BYTES;
}
} // namespace

GallerySink::GallerySink(GalleryModel *model, QObject *parent)
    : QObject(parent)
    , m_model(model)
    , m_pause(new QTimer(this))
{
    m_pause->setSingleShot(true);
    connect(m_pause, &QTimer::timeout, this, &GallerySink::Flush);
}

void GallerySink::Detach()
{
    m_alive = false;
    std::lock_guard lock(m_mutex);
    m_incoming.clear();
    m_processing.clear();
}

bool GallerySink::OnGuiThread() const
{
    return QThread::currentThread() == thread();
}

void GallerySink::WakeLocked()
{
    if (m_wakePending)
        return;
    m_wakePending = true;
    QMetaObject::invokeMethod(this, &GallerySink::OnWake, Qt::QueuedConnection);
}

void GallerySink::Enqueue(Item &&item)
{
    if (!m_alive)
        return;
    std::lock_guard lock(m_mutex);
    m_incoming.push_back(std::move(item));
    WakeLocked();
}

void GallerySink::TakeIncoming()
{
    std::lock_guard lock(m_mutex);
    m_wakePending = false;
    for (Item &item : m_incoming)
        m_processing.push_back(std::move(item));
    m_incoming.clear();
}

void GallerySink::Post(int code, std::intptr_t value)
{
    Enqueue({Kind::Post, code, value, {}, {}, {}});
}

void GallerySink::InsertRow(
    int index, const QString &path, const QString &info, const QString &thumbnailState)
{
    if (!OnGuiThread()) {
        Enqueue({Kind::Insert, index, 0, path, info, thumbnailState});
        return;
    }
    if (!m_alive)
        return;
    ApplyQueuedRows();
    ApplyInsert(index, path, info, thumbnailState);
}

void GallerySink::SetThumbnailCell(int index, const QString &path, const QString &text)
{
    if (!OnGuiThread()) {
        Enqueue({Kind::Thumbnail, index, 0, path, text, {}});
        return;
    }
    if (!m_alive)
        return;
    ApplyQueuedRows();
    if (m_model)
        m_model->SetThumbnailText(index, path, text);
}

void GallerySink::DeleteRow(int index)
{
    ApplyQueuedRows();
    if (!m_model || !m_alive)
        return;
    if (index >= m_model->rowCount())
        m_deletedAhead.insert(index);
    else
        m_model->RemoveRow(index);
}

void GallerySink::DeleteRows(int first, int count)
{
    ApplyQueuedRows();
    if (!m_model || !m_alive)
        return;
    // Rows whose inserts are still ahead are noted one by one, as DeleteRow does.
    if (first + count > m_model->rowCount() || !m_deletedAhead.empty()) {
        NotificationSink::DeleteRows(first, count);
        return;
    }
    m_model->RemoveRows(first, count);
}

void GallerySink::InsertRowRun(int first, const std::vector<RowTexts> &rows)
{
    if (!m_alive)
        return;
    ApplyQueuedRows();
    if (!m_model || !m_deletedAhead.empty()) {
        NotificationSink::InsertRowRun(first, rows);
        return;
    }
    std::vector<GalleryModel::RowTexts> texts;
    texts.reserve(rows.size());
    for (const RowTexts &row : rows)
        texts.push_back({row.path, row.info, row.thumbnailState});
    m_model->InsertRows(first, std::move(texts));
}

void GallerySink::MoveSelection(int fromRow, int toRow)
{
    if (!m_alive)
        return;
    ApplyQueuedRows();
    if (m_model)
        m_model->CopyThumbnailText(fromRow, toRow);
    Q_EMIT selectionMoved(fromRow, toRow);
}

void GallerySink::ReorderRows(const std::vector<int> &order)
{
    if (!m_alive)
        return;
    ApplyQueuedRows();
    if (m_model)
        m_model->ReorderRows(order);
}

void GallerySink::Invalidate()
{
    // From a worker it follows a row change, which repaints its own cells.
    if (!OnGuiThread())
        return;
    ApplyQueuedRows();
    Q_EMIT invalidated();
}

void GallerySink::ThumbnailFileChanged(const QString &thumbnailPath)
{
    Enqueue({Kind::FileChanged, 0, 0, thumbnailPath, {}, {}});
}

void GallerySink::ReportSaveError(const QString &message)
{
    Enqueue({Kind::SaveError, 0, 0, {}, message, {}});
}

void GallerySink::ApplyInsert(int index, const QString &path, const QString &info, const QString &thumbnail)
{
    auto skipped = m_deletedAhead.find(index);
    if (skipped != m_deletedAhead.end()) {
        m_deletedAhead.erase(skipped);
        return;
    }
    if (!m_model)
        return;
    std::vector<GalleryModel::RowTexts> rows;
    rows.push_back({path, info, thumbnail});
    m_model->InsertRows(index, std::move(rows));
}

bool GallerySink::IsKnownRow(const Item &item) const
{
    return m_model && item.index < m_model->rowCount() && m_model->Path(item.index) == item.path;
}

std::deque<GallerySink::Item>::iterator GallerySink::ApplyInsertRun(
    std::deque<Item>::iterator it, std::deque<Item>::iterator end)
{
    // A worker appends, so a row already showing this path at this index is
    // this entry: the view took it from the document when it was created.
    if (IsKnownRow(*it))
        return it + 1;
    if (!m_deletedAhead.empty()) {
        ApplyRowItem(*it);
        return it + 1;
    }
    // Consecutive inserts at consecutive indexes (the add worker appending)
    // reach the model as one insert.
    const int first = it->index;
    std::vector<GalleryModel::RowTexts> rows;
    while (it != end && it->kind == Kind::Insert && it->index == first + int(rows.size())
        && (rows.empty() || !IsKnownRow(*it))) {
        rows.push_back({std::move(it->path), std::move(it->text), std::move(it->extra)});
        ++it;
    }
    if (m_model)
        m_model->InsertRows(first, std::move(rows));
    return it;
}

void GallerySink::ApplyRowItem(const Item &item)
{
    if (item.kind == Kind::Insert)
        ApplyInsert(item.index, item.path, item.text, item.extra);
    else if (item.kind == Kind::Thumbnail && m_model)
        m_model->SetThumbnailText(item.index, item.path, item.text);
}

void GallerySink::ApplyQueuedRows()
{
    if (!m_alive)
        return;
    TakeIncoming();
    if (m_processing.empty())
        return;
    std::deque<Item> posts;
    for (auto it = m_processing.begin(); it != m_processing.end();) {
        if (it->kind == Kind::Insert) {
            it = ApplyInsertRun(it, m_processing.end());
        } else if (it->kind == Kind::Thumbnail) {
            ApplyRowItem(*it);
            ++it;
        } else {
            posts.push_back(std::move(*it));
            ++it;
        }
    }
    m_processing = std::move(posts);
    if (!m_processing.empty()) {
        std::lock_guard lock(m_mutex);
        WakeLocked();
    }
}

void GallerySink::Deliver(const Item &item)
{
    switch (item.kind) {
    case Kind::Post:
        Q_EMIT posted(item.index, qintptr(item.value));
        break;
    case Kind::FileChanged:
        Q_EMIT thumbnailFileChanged(item.path);
        break;
    case Kind::SaveError:
        Q_EMIT saveFailed(item.text);
        break;
    default:
        ApplyRowItem(item);
        break;
    }
}

void GallerySink::OnWake()
{
    const qint64 since = m_sinceFlush.isValid() ? m_sinceFlush.elapsed() : kFlushPauseMs;
    if (since >= kFlushPauseMs)
        Flush();
    else if (!m_pause->isActive())
        m_pause->start(int(kFlushPauseMs - since));
}

void GallerySink::Flush()
{
    m_pause->stop();
    m_sinceFlush.start();
    if (!m_alive)
        return;
    TakeIncoming();
    QElapsedTimer clock;
    clock.start();
    // Latest count and byte total not yet delivered; -1 when none.
    std::intptr_t count = -1;
    std::intptr_t bytes = -1;
    const auto deliverStates = [&] {
        if (count >= 0)
            Q_EMIT posted(NOTIFY_COUNT, qintptr(count));
        if (bytes >= 0)
            Q_EMIT posted(NOTIFY_THUMBNAIL_BYTES, qintptr(bytes));
        count = -1;
        bytes = -1;
    };
    int handled = 0;
    while (!m_processing.empty() && m_alive) {
        if (++handled % 64 == 0 && clock.elapsed() > kFlushBudgetMs)
            break;
        if (m_processing.front().kind == Kind::Insert) {
            auto next = ApplyInsertRun(m_processing.begin(), m_processing.end());
            m_processing.erase(m_processing.begin(), next);
            continue;
        }
        Item item = std::move(m_processing.front());
        m_processing.pop_front();
        if (item.kind == Kind::Post && IsStateCode(item.index)) {
            (item.index == NOTIFY_COUNT ? count : bytes) = item.value;
            continue;
        }
        if (item.kind == Kind::Post)
            deliverStates();
        // A handler may re-enter the sink (a build started from a slot).
        Deliver(item);
    }
    deliverStates();
    if (!m_processing.empty() && m_alive) {
        std::lock_guard lock(m_mutex);
        WakeLocked();
    }
}
