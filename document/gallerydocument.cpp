#include "document/gallerydocument.h"

#include "document/notifycodes.h"
#include "document/thumbnailpath.h"
#include "platform/notificationsink.h"
#include "platform/profile.h"


void GalleryDocument::SetSink(NotificationSink *sink)
{
    std::unique_lock lock(m_sinkLock);
    m_sink = sink;
}

bool GalleryDocument::HasView() const
{
    std::shared_lock lock(m_sinkLock);
    return m_sink && m_sink->IsAlive();
}

void GalleryDocument::PostNotify(int code, std::intptr_t value)
{
    WithView([&](NotificationSink &sink) { sink.Post(code, value); });
}

GalleryOptions GalleryDocument::GetOptions() const
{
    std::lock_guard lock(m_optionsLock);
    return m_options;
}

bool GalleryDocument::WantsModernCopies() const
{
    std::lock_guard lock(m_optionsLock);
    return m_options.WebPage1.UsesModernPage();
}

void GalleryDocument::SetOptions(const GalleryOptions &options)
{
    std::lock_guard lock(m_optionsLock);
    m_options = options;
}

QString GalleryDocument::GetPathName() const
{
    std::lock_guard lock(m_optionsLock);
    return m_pathName;
}

void GalleryDocument::SetPathName(const QString &path)
{
    std::lock_guard lock(m_optionsLock);
    m_pathName = path;
}

void GalleryDocument::SetThumbnailMaker(ThumbnailMaker maker)
{
    std::lock_guard lock(m_optionsLock);
    m_thumbnailMaker = std::move(maker);
}

void GalleryDocument::SetProjectSaver(ProjectSaver saver)
{
    std::lock_guard lock(m_optionsLock);
    m_projectSaver = std::move(saver);
}

void GalleryDocument::SetBuilders(Builders builders)
{
    std::lock_guard lock(m_optionsLock);
    m_builders = std::move(builders);
}

void GalleryDocument::OnCloseDocument()
{
    std::lock_guard lock(m_listLock);
    m_stopEvent.Set();
}

// --- entries ----------------------------------------------------------------

int GalleryDocument::FindEntry(const QString &path) const
{
    std::lock_guard lock(m_listLock);
    if (!m_entryPaths.contains(path))
        return -1;
    for (size_t i = 0; i < m_imageList.size(); ++i)
        if (m_imageList[i].Path == path)
            return static_cast<int>(i);
    return -1;
}

int GalleryDocument::GetEntryCount() const
{
    std::lock_guard lock(m_listLock);
    return static_cast<int>(m_imageList.size());
}

qint64 GalleryDocument::GetThumbnailBytes() const
{
    std::lock_guard lock(m_listLock);
    return m_thumbnailBytes;
}

bool GalleryDocument::GetEntry(int index, ImageEntry &entry) const
{
    std::lock_guard lock(m_listLock);
    if (index < 0 || index >= static_cast<int>(m_imageList.size()))
        return false;
    entry = m_imageList[index];
    return true;
}

ImageList GalleryDocument::CopyEntries() const
{
    std::lock_guard lock(m_listLock);
    return m_imageList;
}

QString GalleryDocument::GetPath(int index) const
{
    ImageEntry e;
    return GetEntry(index, e) ? e.Path : QString();
}

QString GalleryDocument::GetComment(int index) const
{
    std::lock_guard lock(m_listLock);
    if (index < 0 || index >= static_cast<int>(m_imageList.size()))
        return QString();
    return m_imageList[index].Comment;
}

void GalleryDocument::SetComment(int index, const QString &text)
{
    {
        std::lock_guard lock(m_listLock);
        if (index < 0 || index >= static_cast<int>(m_imageList.size()))
            return;
        m_imageList[index].Comment = text;
    }
    SetModifiedFlag();
}

bool GalleryDocument::GetOptionBlock(int index, ImageOptionBlock &block) const
{
    std::lock_guard lock(m_listLock);
    if (index < 0 || index >= static_cast<int>(m_imageList.size()))
        return false;
    block = m_imageList[index].Options;
    return true;
}

bool GalleryDocument::SetOptionBlock(int index, const ImageOptionBlock &block)
{
    std::lock_guard lock(m_listLock);
    if (index < 0 || index >= static_cast<int>(m_imageList.size()))
        return false;
    m_imageList[index].Options = block;
    return true;
}

QString GalleryDocument::GetOptionsSummary(int index) const
{
    ImageOptionBlock block;
    return GetOptionBlock(index, block) ? ::GetOptionsSummary(block.Flags) : QString();
}

int GalleryDocument::InsertEntry(const ImageEntry &entry, const QString &thumbnailState, const QString &information,
                             bool fromProject)
{
    ImageEntry copy = entry;
    copy.Options = DropMatchingOverrides(copy.Options, GetOptions());

    int index;
    qint64 total;
    {
        std::lock_guard lock(m_listLock);
        // Tested under the lock that OnCloseDocument takes, so no entry slips in after it.
        if (m_stopEvent.IsSet())
            return -1;
        copy.Serial = ++m_lastSerial;
        m_imageList.push_back(copy);
        ++m_entryPaths[copy.Path];
        index = static_cast<int>(m_imageList.size()) - 1;
        m_thumbnailBytes += copy.ThumbnailBytes;
        total = m_thumbnailBytes;
    }
    WithView([&](NotificationSink &sink) {
        sink.InsertRow(index, copy.Path, information, thumbnailState);
        sink.Post(NOTIFY_COUNT, index + 1);
        sink.Post(NOTIFY_THUMBNAIL_BYTES, static_cast<std::intptr_t>(total));
        sink.Invalidate();
    });
    if (!fromProject)
        SetModifiedFlag();
    return index;
}

void GalleryDocument::MarkThumbnailStarted(const QString &path)
{
    const int index = FindEntry(path);
    if (index < 0)
        return;
    WithView([&](NotificationSink &sink) { sink.SetThumbnailCell(index, path, ThumbnailStateText::InProgress()); });
}

void GalleryDocument::MarkThumbnailResult(const QString &path, bool withPage)
{
    // The disk is examined before taking the lock so that other threads do not wait on it.
    const ThumbnailOnDisk t = ExamineThumbnail(path, GetOptions().BuildVignette);
    const bool present = t.IsPresent();
    int index;
    qint64 total;
    {
        std::lock_guard lock(m_listLock);
        index = -1;
        for (size_t i = 0; i < m_imageList.size() && index < 0; ++i)
            if (m_imageList[i].Path == path)
                index = static_cast<int>(i);
        if (index < 0)
            return;
        ImageEntry &e = m_imageList[index];
        m_thumbnailBytes -= e.ThumbnailBytes;
        e.ThumbnailDimensions = t.Dimensions;
        e.ThumbnailSizeText = t.SizeText;
        e.ThumbnailBytes = present ? t.Bytes : 0;
        m_thumbnailBytes += e.ThumbnailBytes;
        total = m_thumbnailBytes;
    }
    const QString state = present ? JoinDimensionsAndSize(t.Dimensions, t.SizeText)
                                  : (withPage ? ThumbnailStateText::WithPage() : ThumbnailStateText::Failed());
    WithView([&](NotificationSink &sink) {
        if (present)
            sink.ThumbnailFileChanged(t.Path);
        sink.SetThumbnailCell(index, path, state);
        sink.Post(NOTIFY_THUMBNAIL_BYTES, static_cast<std::intptr_t>(total));
        sink.Post(NOTIFY_THUMBNAIL_DONE, 0);
        sink.Invalidate();
    });
}
