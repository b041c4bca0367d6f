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
    for (const PlacedEntry &placed : entries) {
        int index;
        int count;
        qint64 total;
        {
            std::lock_guard lock(m_listLock);
            index = std::clamp(placed.Index, 0, static_cast<int>(m_imageList.size()));
            m_imageList.insert(m_imageList.begin() + index, placed.Entry);
            ++m_entryPaths[placed.Entry.Path];
            m_lastSerial = std::max(m_lastSerial, placed.Entry.Serial);
            m_thumbnailBytes += placed.Entry.ThumbnailBytes;
            count = static_cast<int>(m_imageList.size());
            total = m_thumbnailBytes;
        }
        const ImageEntry &e = placed.Entry;
        WithView([&](NotificationSink &sink) {
            sink.InsertRow(index, e.Path, JoinDimensionsAndSize(e.ImageDimensions, e.ImageSizeText),
                           placed.ThumbnailText);
            sink.Post(NOTIFY_COUNT, count);
            sink.Post(NOTIFY_THUMBNAIL_BYTES, static_cast<std::intptr_t>(total));
        });
        // A job that ended while the entry was out of the list could not
        // report to it: the disk says how it went.
        if (placed.ThumbnailText == ThumbnailStateText::InProgress()
            || placed.ThumbnailText == ThumbnailStateText::Scheduled())
            stale.push_back(e.Path);
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
