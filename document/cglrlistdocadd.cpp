// The add pipeline: requests queued by any thread, processed one at a time
// by the add worker.
#include "document/cglrlistdoc.h"

#include "document/imageprobe.h"
#include "document/notifycodes.h"
#include "document/thumbnailpath.h"
#include "platform/pathcase.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <climits>

void CGLRListDoc::QueueAddRequest(const AddRequest &request)
{
    std::lock_guard lock(m_addQueueLock);
    m_addQueue.push_back(request);
    m_addEvent.Set();
}

void CGLRListDoc::QueueAddRequestFromWorker(const AddRequest &request)
{
    // The worker drains its own additions without being woken.
    std::lock_guard lock(m_addQueueLock);
    m_addQueue.push_back(request);
}

void CGLRListDoc::StopAdding()
{
    std::lock_guard lock(m_addQueueLock);
    m_addQueue.clear();
    m_addQueue.shrink_to_fit();
}

int CGLRListDoc::GetPendingAddCount() const
{
    std::lock_guard lock(m_addQueueLock);
    return static_cast<int>(m_addQueue.size());
}

void CGLRListDoc::AddWorker()
{
    for (;;) {
        PostNotify(NOTIFY_ADDING, 0);
        if (WaitForAny({&m_stopEvent, &m_addEvent}, kInfinite) == 0)
            return;
        m_addEvent.Reset();
        for (;;) {
            PostNotify(NOTIFY_ADDING, 1);
            if (m_stopEvent.IsSet()) {
                PostNotify(NOTIFY_ADDING, 0);
                return;
            }
            AddRequest request;
            {
                std::lock_guard lock(m_addQueueLock);
                if (m_addQueue.empty()) {
                    m_addQueue.shrink_to_fit();
                    break;
                }
                request = std::move(m_addQueue.front());
                m_addQueue.pop_front();
            }
            ProcessAddRequest(request);
        }
    }
}

void CGLRListDoc::ProcessAddRequest(const AddRequest &request)
{
    const QString &path = request.Entry.Path;
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists()) {
        if (request.FromProject) {
            PostNotify(NOTIFY_ERROR, WARN_PROJECT_IMAGE_MISSING);
            SetModifiedFlag();
        }
        return;
    }
    if (info.isDir()) {
        if (request.ScanFolder)
            ScanFolderContents(request);
        return;
    }
    QFile file(path);
    if (file.open(QIODevice::ReadOnly) && ImportProjectFile(file, request))
        return;
    file.close();
    AddImageFile(request);
}

namespace {
// A linked folder whose target is the folder being scanned or one of the
// folders it was reached through: following it would never end.
bool LeadsBackUp(const QString &scannedFolder, const QFileInfo &link)
{
    const QString target = link.canonicalFilePath();
    if (target.isEmpty())
        return true; // dangling or unresolvable: nothing to scan there
    QString folder = QDir::cleanPath(QFileInfo(scannedFolder).absoluteFilePath());
    for (;;) {
        if (SamePath(QFileInfo(folder).canonicalFilePath(), target))
            return true;
        const qsizetype cut = folder.lastIndexOf(QLatin1Char('/'));
        if (cut <= 0)
            return SamePath(QStringLiteral("/"), target);
        folder.truncate(cut);
    }
}
} // namespace

void CGLRListDoc::ScanFolderContents(const AddRequest &request)
{
    QString folder = request.Entry.Path;
    if (folder.isEmpty())
        return;
    if (!folder.endsWith(QDir::separator()))
        folder += QDir::separator();

    const bool recursive = m_recursiveDir;
    // Sorted by name, as the directory search on the original platform gives them.
    const QFileInfoList found = QDir(folder).entryInfoList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    std::deque<AddRequest> requests;
    for (const QFileInfo &fi : found) {
        if (recursive && fi.isSymLink() && fi.isDir() && LeadsBackUp(folder, fi))
            continue;
        AddRequest r;
        r.ScanFolder = recursive;
        r.Entry.Path = folder + fi.fileName();
        requests.push_back(std::move(r));
    }
    std::lock_guard lock(m_addQueueLock);
    for (AddRequest &r : requests)
        m_addQueue.push_back(std::move(r));
}

void CGLRListDoc::AddImageFile(AddRequest request)
{
    const GalleryOptions options = GetOptions();
    const BuildVignetteOptions &vignette = options.BuildVignette;
    const QString path = request.Entry.Path;

    const auto rejectUnreadable = [&] {
        if (request.FromProject)
            PostNotify(NOTIFY_ERROR, WARN_PROJECT_IMAGE_MISSING);
        SetModifiedFlag();
    };

    if (FindEntry(path) >= 0)
        return;
    if (!QFileInfo(path).isReadable())
        return rejectUnreadable();
    if (vignette.RejectFileWithVignetteName && IsThumbnailName(path, vignette.PreSuffixe, vignette.WithPrefixe))
        return PostNotify(NOTIFY_ERROR, WARN_THUMBNAIL_NAME);
    const QString first = GetPath(0);
    if (!first.isEmpty() && RelativeFolder(first, path, 0) == UnreachablePathMarker())
        return PostNotify(NOTIFY_ERROR, WARN_OTHER_DRIVE);
    if (options.WebPage2.RootRelativePath
        && RelativeFolder(options.WebPage2.RootPath, path, 1) == UnreachablePathMarker())
        return PostNotify(NOTIFY_ERROR, WARN_OUTSIDE_ROOT);

    ImageEntry &entry = request.Entry;
    entry.Path = OnDiskPath(path);
    // The same file spelt differently ("./a.jpg", "a.jpg") is still a duplicate.
    if (entry.Path != path && FindEntry(entry.Path) >= 0)
        return;
    entry.ImageSizeText = SizeText(path, &entry.ImageBytes);

    const ImageInfo image = ReadImageInfo(path);
    if (!image.IsImage())
        return rejectUnreadable();
    entry.ImageDimensions = image.SizeText;
    entry.Camera = image.Camera;
    ApplyFileTimeFallback(path, entry.Camera[CAMERA_DATE], entry.Camera[CAMERA_TIME]);
    const QString information = JoinDimensionsAndSize(entry.ImageDimensions, entry.ImageSizeText);

    const QString tp = ThumbnailPath(entry.Path, vignette.PreSuffixe, vignette.WithPrefixe);
    const QString dims = tp.isEmpty() ? NotAnImageText() : DimensionText(tp);
    entry.ThumbnailBytes = 0;
    entry.ThumbnailDimensions.clear();
    entry.ThumbnailSizeText.clear();
    QString state;
    bool queueJob = false;
    if (dims != NotAnImageText()) {
        qint64 bytes = 0;
        entry.ThumbnailDimensions = dims;
        entry.ThumbnailSizeText = SizeText(tp, &bytes);
        entry.ThumbnailBytes = static_cast<int>(std::min<qint64>(bytes, INT_MAX));
        state = JoinDimensionsAndSize(dims, entry.ThumbnailSizeText);
    } else {
        switch (vignette.IfDoNotExistAction) {
        case 0:
            state = ThumbnailStateText::Scheduled();
            queueJob = true;
            break;
        case 1:
            state = ThumbnailStateText::WithPage();
            break;
        case 3:
            return PostNotify(NOTIFY_ERROR, WARN_NO_THUMBNAIL);
        default:
            break;
        }
    }
    // The job is queued once the entry exists, so that a fast job's result
    // cannot arrive before the entry it refreshes.
    if (InsertEntry(entry, state, information, request.FromProject) >= 0 && queueJob) {
        std::lock_guard lock(m_thumbnailQueueLock);
        m_thumbnailQueue.push_back(ThumbnailJob{entry.Path, vignette});
        m_thumbnailEvent.Set();
    }
}
