// Rearranging the list after images were added: removal, moves, sorting,
// and re-examining the entries after an options change.
#include "document/gallerydocument.h"

#include "document/listsort.h"
#include "document/notifycodes.h"
#include "document/thumbnailpath.h"
#include "platform/notificationsink.h"

#include <QDateTime>
#include <algorithm>
#include <climits>

void GalleryDocument::RemoveEntries(const std::vector<int> &indexes)
{
    std::vector<int> order = indexes;
    std::sort(order.begin(), order.end());
    order.erase(std::unique(order.begin(), order.end()), order.end());
    order.erase(order.begin(), std::lower_bound(order.begin(), order.end(), 0));
    // From the last run of neighbouring indexes to the first, so that earlier
    // indexes stay valid; each run leaves the list and the view in one go.
    auto end = order.end();
    while (end != order.begin()) {
        auto first = end - 1;
        while (first != order.begin() && *(first - 1) == *first - 1)
            --first;
        const int lo = *first;
        int count;
        int removed;
        qint64 total;
        {
            std::lock_guard lock(m_listLock);
            const int size = static_cast<int>(m_imageList.size());
            const int hi = std::min(*(end - 1), size - 1);
            removed = std::max(hi - lo + 1, 0);
            for (int index = lo; index < lo + removed; ++index) {
                m_thumbnailBytes -= m_imageList[index].ThumbnailBytes;
                if (const auto path = m_entryPaths.find(m_imageList[index].Path);
                    path != m_entryPaths.end() && --path.value() <= 0)
                    m_entryPaths.erase(path);
            }
            if (removed > 0)
                m_imageList.erase(m_imageList.begin() + lo, m_imageList.begin() + lo + removed);
            count = static_cast<int>(m_imageList.size());
            total = m_thumbnailBytes;
        }
        end = first;
        if (removed == 0)
            continue;
        WithView([&](NotificationSink &sink) {
            sink.DeleteRows(lo, removed);
            sink.Post(NOTIFY_COUNT, count);
            sink.Post(NOTIFY_THUMBNAIL_BYTES, static_cast<std::intptr_t>(total));
            sink.Invalidate();
        });
        SetModifiedFlag();
    }
    std::lock_guard lock(m_listLock);
    m_imageList.shrink_to_fit();
}

void GalleryDocument::MoveEntry(int from, int to, int removeAt)
{
    // The copy at `to` pushes the original down when it lands before it;
    // any other removal index would lose one entry and duplicate another.
    if (removeAt != (to <= from ? from + 1 : from))
        return;
    ImageEntry moved;
    {
        std::lock_guard lock(m_listLock);
        const int count = static_cast<int>(m_imageList.size());
        if (from < 0 || to < 0 || from >= count || to > count)
            return;
        moved = m_imageList[from];
        m_imageList.insert(m_imageList.begin() + to, moved);
    }
    const QString information = JoinDimensionsAndSize(moved.ImageDimensions, moved.ImageSizeText);
    const QString state = moved.ThumbnailDimensions.isEmpty()
                              ? QString()
                              : JoinDimensionsAndSize(moved.ThumbnailDimensions, moved.ThumbnailSizeText);
    WithView([&](NotificationSink &sink) {
        sink.InsertRow(to, moved.Path, information, state);
        sink.MoveSelection(removeAt, to);
    });
    {
        std::lock_guard lock(m_listLock);
        m_imageList.erase(m_imageList.begin() + removeAt);
    }
    WithView([&](NotificationSink &sink) { sink.DeleteRow(removeAt); });
    SetModifiedFlag();
}

void GalleryDocument::SortList(int order)
{
    if (order < 1 || order > 8)
        return;
    const int count = GetEntryCount();
    if (count < 2)
        return;
    // Entries without a shot date sort as "now"; one instant for the whole sort.
    const SortKeyMaker makeKey(order, QDateTime::currentDateTime());
    const auto keyAt = [&](int index) {
        ImageEntry e;
        GetEntry(index, e);
        return makeKey(e);
    };
    for (int i = 1; i < count; ++i) {
        const SortKey key = keyAt(i);
        if (!makeKey.Before(key, keyAt(i - 1)))
            continue;
        int lo = 0;
        int hi = i - 1;
        int position = -1;
        while (position < 0) {
            if (lo >= hi) {
                position = lo;
                break;
            }
            const int mid = lo + (hi - lo) / 2;
            const SortKey probe = keyAt(mid);
            if (makeKey.Before(probe, key)) {
                lo = mid + 1;
                if (lo > hi)
                    position = lo;
            } else if (makeKey.Before(key, probe)) {
                hi = mid;
            } else {
                position = mid;
            }
        }
        MoveEntry(i, position, i + 1);
    }
}

void GalleryDocument::RecreateThumbnails(const std::vector<int> &indexes, const BuildVignetteOptions &options)
{
    for (int index : indexes)
        QueueThumbnailJob(GetPath(index), options);
}

void GalleryDocument::DeleteContents()
{
    {
        std::lock_guard lock(m_addQueueLock);
        m_addQueue.clear();
        DropAddWindowLocked();
    }
    {
        std::lock_guard lock(m_thumbnailQueueLock);
        m_thumbnailQueue.clear();
    }
    std::lock_guard lock(m_listLock);
    m_imageList.clear();
    m_imageList.shrink_to_fit();
    m_entryPaths.clear();
    m_entryPaths.squeeze();
    m_thumbnailBytes = 0;
}

// --- after an options change ------------------------------------------------

bool GalleryDocument::ApplyDocumentOptions(const GalleryOptions &edited)
{
    const GalleryOptions previous = GetOptions();
    SetOptions(edited);
    return DocumentOptionsChanged(previous);
}

bool GalleryDocument::DocumentOptionsChanged(const GalleryOptions &previous)
{
    const GalleryOptions current = GetOptions();
    if (!OptionsDiffer(previous, current))
        return false;
    WithView([](NotificationSink &sink) { sink.Invalidate(); });
    SetModifiedFlag();

    const WebPage2Options &was = previous.WebPage2;
    const WebPage2Options &now = current.WebPage2;
    if (now.RootRelativePath && (!was.RootRelativePath || was.RootPath != now.RootPath))
        RemoveOutsideRoot(current);

    const BuildVignetteOptions &oldNames = previous.BuildVignette;
    const BuildVignetteOptions &newNames = current.BuildVignette;
    if (oldNames.WithPrefixe == newNames.WithPrefixe && oldNames.PreSuffixe == newNames.PreSuffixe)
        return true;
    if (newNames.RejectFileWithVignetteName)
        RemoveThumbnailNames(current);
    ReexamineThumbnails(current);
    return true;
}

void GalleryDocument::RemoveOutsideRoot(const GalleryOptions &options)
{
    std::vector<int> outside;
    {
        std::lock_guard lock(m_listLock);
        for (size_t i = 0; i < m_imageList.size(); ++i)
            if (RelativeFolder(options.WebPage2.RootPath, m_imageList[i].Path, 1) == UnreachablePathMarker())
                outside.push_back(static_cast<int>(i));
    }
    if (outside.empty())
        return;
    PostNotify(NOTIFY_ERROR, WARN_REMOVED_OUTSIDE_ROOT);
    RemoveEntries(outside);
}

void GalleryDocument::RemoveThumbnailNames(const GalleryOptions &options)
{
    const BuildVignetteOptions &v = options.BuildVignette;
    std::vector<int> named;
    {
        std::lock_guard lock(m_listLock);
        for (size_t i = 0; i < m_imageList.size(); ++i)
            if (IsThumbnailName(m_imageList[i].Path, v.PreSuffixe, v.WithPrefixe))
                named.push_back(static_cast<int>(i));
    }
    if (named.empty())
        return;
    PostNotify(NOTIFY_ERROR, WARN_REMOVED_THUMBNAIL_NAME);
    RemoveEntries(named);
}

void GalleryDocument::ReexamineThumbnails(const GalleryOptions &options, bool mayRemove)
{
    const BuildVignetteOptions &v = options.BuildVignette;
    // The disk is read without the lock; results are applied by path.
    std::vector<QString> paths;
    {
        std::lock_guard lock(m_listLock);
        for (const ImageEntry &e : m_imageList)
            paths.push_back(e.Path);
    }
    std::vector<ThumbnailOnDisk> found;
    found.reserve(paths.size());
    for (const QString &path : paths)
        found.push_back(ExamineThumbnail(path, v));

    struct Cell {
        int index;
        QString path;
        QString text;
    };
    std::vector<Cell> cells;
    std::vector<int> rejected;
    std::vector<QString> jobs;
    qint64 total = 0;
    {
        std::lock_guard lock(m_listLock);
        for (size_t k = 0; k < paths.size(); ++k) {
            const auto it = std::find_if(m_imageList.begin(), m_imageList.end(),
                                         [&](const ImageEntry &e) { return e.Path == paths[k]; });
            if (it == m_imageList.end())
                continue;
            const int index = static_cast<int>(it - m_imageList.begin());
            const ThumbnailOnDisk &t = found[k];
            it->ThumbnailDimensions = t.Dimensions;
            it->ThumbnailSizeText = t.SizeText;
            it->ThumbnailBytes = t.Bytes;
            QString text;
            if (t.IsPresent()) {
                text = JoinDimensionsAndSize(t.Dimensions, t.SizeText);
            } else if (v.IfDoNotExistAction == 0) {
                text = ThumbnailStateText::Scheduled();
                jobs.push_back(it->Path);
            } else if (v.IfDoNotExistAction == 1) {
                text = ThumbnailStateText::WithPage();
            } else if (v.IfDoNotExistAction == 3) {
                if (mayRemove)
                    rejected.push_back(index);
                continue;
            }
            cells.push_back(Cell{index, it->Path, text});
        }
        for (const ImageEntry &e : m_imageList)
            total += e.ThumbnailBytes;
        m_thumbnailBytes = total;
    }
    WithView([&](NotificationSink &sink) {
        for (const Cell &c : cells)
            sink.SetThumbnailCell(c.index, c.path, c.text);
    });
    for (const QString &path : jobs)
        QueueThumbnailJob(path, v);
    if (!rejected.empty()) {
        PostNotify(NOTIFY_ERROR, WARN_REMOVED_NO_THUMBNAIL);
        RemoveEntries(rejected);
    }
    PostNotify(NOTIFY_THUMBNAIL_BYTES, static_cast<std::intptr_t>(GetThumbnailBytes()));
}
