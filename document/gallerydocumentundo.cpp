// Undo's side of the document: entries put back with their serials, a
// whole reordering in one step, and options taken back as they were.
#include "document/gallerydocument.h"

#include "document/notifycodes.h"
#include "platform/notificationsink.h"

#include <algorithm>

void GalleryDocument::RestoreEntries(const std::vector<PlacedEntry> &entries)
{
    if (entries.empty())
        return;
    std::vector<QString> stale;
    // Entries at neighbouring indexes go back, and reach the view, as one run.
    for (auto run = entries.begin(); run != entries.end();) {
        auto end = run + 1;
        while (end != entries.end() && end->Index == (end - 1)->Index + 1)
            ++end;
        int first;
        int count;
        qint64 total;
        std::vector<NotificationSink::RowTexts> rows;
        rows.reserve(std::size_t(end - run));
        {
            std::lock_guard lock(m_listLock);
            first = std::clamp(run->Index, 0, static_cast<int>(m_imageList.size()));
            std::vector<ImageEntry> copies;
            copies.reserve(std::size_t(end - run));
            for (auto placed = run; placed != end; ++placed) {
                const ImageEntry &e = placed->Entry;
                copies.push_back(e);
                ++m_entryPaths[e.Path];
                m_lastSerial = std::max(m_lastSerial, e.Serial);
                m_thumbnailBytes += e.ThumbnailBytes;
                rows.push_back({e.Path, JoinDimensionsAndSize(e.ImageDimensions, e.ImageSizeText),
                                placed->ThumbnailText});
                // A job that ended while the entry was out of the list could
                // not report to it: the disk says how it went.
                if (placed->ThumbnailText == ThumbnailStateText::InProgress()
                    || placed->ThumbnailText == ThumbnailStateText::Scheduled())
                    stale.push_back(e.Path);
            }
            m_imageList.insert(m_imageList.begin() + first, std::make_move_iterator(copies.begin()),
                               std::make_move_iterator(copies.end()));
            count = static_cast<int>(m_imageList.size());
            total = m_thumbnailBytes;
        }
        WithView([&](NotificationSink &sink) {
            sink.InsertRowRun(first, rows);
            sink.Post(NOTIFY_COUNT, count);
            sink.Post(NOTIFY_THUMBNAIL_BYTES, static_cast<std::intptr_t>(total));
        });
        run = end;
    }
    WithView([](NotificationSink &sink) { sink.Invalidate(); });
    for (const QString &path : stale)
        MarkThumbnailResult(path, false);
    SetModifiedFlag();
}

void GalleryDocument::ReorderEntries(const std::vector<int> &order)
{
    {
        std::lock_guard lock(m_listLock);
        if (order.size() > m_imageList.size())
            return;
        std::vector<bool> seen(order.size());
        for (int from : order) {
            if (from < 0 || from >= static_cast<int>(order.size()) || seen[from])
                return;
            seen[from] = true;
        }
        ImageList reordered;
        reordered.reserve(m_imageList.size());
        for (int from : order)
            reordered.push_back(std::move(m_imageList[from]));
        for (std::size_t i = order.size(); i < m_imageList.size(); ++i)
            reordered.push_back(std::move(m_imageList[i]));
        m_imageList.swap(reordered);
    }
    WithView([&](NotificationSink &sink) {
        sink.ReorderRows(order);
        sink.Invalidate();
    });
    SetModifiedFlag();
}

void GalleryDocument::RestoreOptions(const GalleryOptions &options)
{
    const GalleryOptions previous = GetOptions();
    SetOptions(options);
    if (!OptionsDiffer(previous, options))
        return;
    WithView([](NotificationSink &sink) { sink.Invalidate(); });
    SetModifiedFlag();
    const BuildVignetteOptions &was = previous.BuildVignette;
    const BuildVignetteOptions &now = options.BuildVignette;
    if (was.WithPrefixe != now.WithPrefixe || was.PreSuffixe != now.PreSuffixe)
        ReexamineThumbnails(options, false);
}
