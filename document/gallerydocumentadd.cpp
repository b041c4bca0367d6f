// The add pipeline: requests queued by any thread, processed one at a time
// by the add worker.
#include "document/gallerydocument.h"

#include "document/addfacts.h"
#include "document/imageprobe.h"
#include "document/notifycodes.h"
#include "document/thumbnailpath.h"
#include "platform/folderentries.h"
#include "platform/pathcase.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <tuple>

void GalleryDocument::QueueAddRequest(const AddRequest &request)
{
    std::lock_guard lock(m_addQueueLock);
    m_addQueue.push_back(request);
    m_addEvent.Set();
}

void GalleryDocument::QueueAddRequests(const std::vector<AddRequest> &requests)
{
    std::lock_guard lock(m_addQueueLock);
    m_addQueue.insert(m_addQueue.end(), requests.begin(), requests.end());
    m_addEvent.Set();
}

void GalleryDocument::QueueAddRequestFromWorker(const AddRequest &request)
{
    // The worker drains its own additions without being woken.
    std::lock_guard lock(m_addQueueLock);
    m_addQueue.push_back(request);
}

void GalleryDocument::StopAdding()
{
    std::lock_guard lock(m_addQueueLock);
    m_addQueue.clear();
    m_addQueue.shrink_to_fit();
    DropAddWindowLocked();
}

void GalleryDocument::DropAddWindowLocked()
{
    // The worker sees the new generation and forgets what it read ahead.
    ++m_addGeneration;
    m_addInWindow = 0;
}

bool GalleryDocument::IsAddIdle() const
{
    return !m_addWorking && GetPendingAddCount() == 0;
}

int GalleryDocument::GetPendingAddCount() const
{
    std::lock_guard lock(m_addQueueLock);
    return static_cast<int>(m_addQueue.size()) + m_addInWindow;
}

// A batch of additions leaves the list with up to half its capacity unused;
// with thousands of entries that slack outweighs the entries' own fields.
void GalleryDocument::TrimImageList()
{
    // Only a saving: never keep the worker waiting for a list held elsewhere.
    std::unique_lock lock(m_listLock, std::try_to_lock);
    if (lock.owns_lock() && (m_imageList.capacity() - m_imageList.size() > m_imageList.size() / 16 + 16))
        m_imageList.shrink_to_fit();
}

namespace {
int AddHelperCount()
{
    const unsigned cores = std::thread::hardware_concurrency();
    return cores == 0 ? 1 : static_cast<int>(cores);
}

// Enough to keep every core busy past a slow file, small enough that a list
// of any length costs the same memory.
constexpr std::size_t kAddWindowSize = 64;
} // namespace

struct GalleryDocument::AddWindowItem {
    AddRequest request;
    std::uint64_t generation = 0;
    BuildVignetteOptions naming; // only the thumbnail naming and its rejection rule are used
};

void GalleryDocument::FillAddWindow(AddWindow &window)
{
    // Topped up by halves: the helpers are woken once per batch, not per file.
    const std::size_t held = window.Size();
    if (held > window.Capacity() / 2)
        return;
    const BuildVignetteOptions vignette = GetOptions().BuildVignette;
    std::vector<AddWindowItem> batch;
    {
        std::lock_guard lock(m_addQueueLock);
        while (!m_addQueue.empty() && held + batch.size() < window.Capacity()) {
            AddWindowItem item;
            item.request = std::move(m_addQueue.front());
            item.generation = m_addGeneration;
            item.naming = vignette;
            m_addQueue.pop_front();
            ++m_addInWindow;
            batch.push_back(std::move(item));
        }
    }
    window.PushAll(std::move(batch));
}

void GalleryDocument::AddWorker()
{
    const auto gather = [](const AddWindowItem &item) {
        return GatherAddFacts(item.request.Entry.Path, item.naming, item.request.SeenRegularFile);
    };
    for (;;) {
        PostNotify(NOTIFY_ADDING, 0);
        if (WaitForAny({&m_stopEvent, &m_addEvent}, kInfinite) == 0)
            return;
        m_addEvent.Reset();
        m_addWorking = true;
        // The files are read ahead on every core; only this thread decides
        // and inserts, in request order.
        AddWindow window(AddHelperCount(), kAddWindowSize, gather);
        for (;;) {
            PostNotify(NOTIFY_ADDING, 1);
            // A look at the event, not a 10 ms wait: thousands of files
            // would otherwise spend most of their time waiting.
            if (m_stopEvent.IsSet()) {
                PostNotify(NOTIFY_ADDING, 0);
                return;
            }
            FillAddWindow(window);
            if (window.IsEmpty()) {
                std::lock_guard lock(m_addQueueLock);
                if (m_addQueue.empty()) {
                    m_addQueue.shrink_to_fit();
                    break;
                }
                continue;
            }
            // Whatever is ready is taken at once: one meeting on the window's
            // lock for several files.
            for (auto &[item, facts] : window.PopReady(kAddWindowSize / 4)) {
                if (m_stopEvent.IsSet()) {
                    PostNotify(NOTIFY_ADDING, 0);
                    return;
                }
                {
                    std::lock_guard lock(m_addQueueLock);
                    // Stopped since it was read: nothing read before the stop is
                    // added. Requests queued after the stop may follow it in the
                    // window, so only this one is dropped.
                    if (item.generation != m_addGeneration)
                        continue;
                    --m_addInWindow;
                }
                PostNotify(NOTIFY_ADDING, 1);
                ProcessAddRequest(item.request, facts);
            }
        }
        TrimImageList();
        m_addWorking = false;
    }
}

void GalleryDocument::ProcessAddRequest(const AddRequest &request, const AddFacts &facts)
{
    const auto reportMissing = [&] {
        if (request.FromProject) {
            PostNotify(NOTIFY_ERROR, WARN_PROJECT_IMAGE_MISSING);
            SetModifiedFlag();
        }
    };
    switch (facts.kind) {
    case AddFacts::Kind::Missing:
        return reportMissing();
    case AddFacts::Kind::Folder:
        if (request.ScanFolder)
            ScanFolderContents(request);
        return;
    case AddFacts::Kind::NotRegular:
        // A pipe, socket or device: opening it could wait forever, and it is no image.
        return reportMissing();
    case AddFacts::Kind::File:
        break;
    }
    if (facts.project != ProjectFormat::NotAProject) {
        QFile file(request.Entry.Path);
        if (file.open(QIODevice::ReadOnly) && ImportProjectFile(file, request))
            return;
    }
    AddImageFile(request, facts);
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

void GalleryDocument::ScanFolderContents(const AddRequest &request)
{
    QString folder = request.Entry.Path;
    if (folder.isEmpty())
        return;
    if (!folder.endsWith(QDir::separator()))
        folder += QDir::separator();

    const bool recursive = m_recursiveDir;
    // Names only, sorted as QDir sorts by name ignoring case: a folder of
    // thousands of copies costs no list of full file information.
    struct Found {
        QString key; // lower case
        QString name;
        bool regular;
        bool operator<(const Found &other) const { return std::tie(key, name) < std::tie(other.key, other.name); }
    };
    std::vector<Found> names;
    for (FolderEntry &entry : ListFolder(folder)) {
        if (recursive && entry.link && entry.kind == FolderEntry::Kind::Folder
            && LeadsBackUp(folder, QFileInfo(folder + entry.name)))
            continue;
        // The listing tells a plain file from the rest without a look at each.
        const bool regular = !entry.link && entry.kind == FolderEntry::Kind::File;
        names.push_back({entry.name.toLower(), std::move(entry.name), regular});
    }
    std::sort(names.begin(), names.end());
    std::lock_guard lock(m_addQueueLock);
    for (Found &found : names) {
        AddRequest r;
        r.ScanFolder = recursive;
        r.SeenRegularFile = found.regular;
        r.Entry.Path = folder + found.name;
        m_addQueue.push_back(std::move(r));
    }
}

void GalleryDocument::AddImageFile(AddRequest request, AddFacts facts)
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
    if (!facts.readable)
        return rejectUnreadable();
    // The checks below see the absolute form: a relative path has no folder
    // in common with anything, and the same file spelt twice is one entry.
    ImageEntry &entry = request.Entry;
    entry.Path = facts.onDiskPath;
    if (entry.Path != path && FindEntry(entry.Path) >= 0)
        return;
    const bool sameNaming = facts.naming.PreSuffixe == vignette.PreSuffixe
        && facts.naming.WithPrefixe == vignette.WithPrefixe;
    // The reading ahead already named it when it read with the same rule.
    const auto thumbnailName = [&] {
        return sameNaming && facts.naming.RejectFileWithVignetteName
            ? facts.thumbnailName
            : IsThumbnailName(entry.Path, vignette.PreSuffixe, vignette.WithPrefixe);
    };
    if (vignette.RejectFileWithVignetteName && thumbnailName())
        return PostNotify(NOTIFY_ERROR, WARN_THUMBNAIL_NAME);
    const QString first = GetPath(0);
    if (!first.isEmpty() && RelativeFolder(first, entry.Path, 0) == UnreachablePathMarker())
        return PostNotify(NOTIFY_ERROR, WARN_OTHER_DRIVE);
    if (options.WebPage2.RootRelativePath
        && RelativeFolder(options.WebPage2.RootPath, entry.Path, 1) == UnreachablePathMarker())
        return PostNotify(NOTIFY_ERROR, WARN_OUTSIDE_ROOT);

    if (!facts.probed)
        ProbeAddedFile(facts, vignette); // the rule that skipped it changed meanwhile
    entry.ImageSizeText = SizeTextForBytes(facts.bytes);
    entry.ImageBytes = facts.bytes;
    if (!facts.image.IsImage())
        return rejectUnreadable();
    entry.ImageDimensions = facts.image.SizeText;
    entry.Camera = facts.image.Camera;
    // Local time costs a look at the time-zone file: only when it is needed.
    if (entry.Camera[CAMERA_DATE].isEmpty() && entry.Camera[CAMERA_TIME].isEmpty())
        ApplyFileTimeFallback(facts.file.lastModified(), entry.Camera[CAMERA_DATE], entry.Camera[CAMERA_TIME]);
    const QString information = JoinDimensionsAndSize(entry.ImageDimensions, entry.ImageSizeText);

    const ThumbnailOnDisk thumbnail
        = facts.probed && sameNaming ? facts.thumbnail : ExamineThumbnail(entry.Path, vignette);
    entry.ThumbnailDimensions = thumbnail.Dimensions;
    entry.ThumbnailSizeText = thumbnail.SizeText;
    entry.ThumbnailBytes = thumbnail.Bytes;
    QString state;
    bool queueJob = false;
    if (thumbnail.IsPresent()) {
        state = JoinDimensionsAndSize(thumbnail.Dimensions, thumbnail.SizeText);
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
    if (!queueJob) {
        InsertEntry(entry, state, information, request.FromProject);
        return;
    }
    // The job and the entry appear together under the queue lock: a build
    // started meanwhile counts the job, and no thumbnail thread can finish it
    // before the entry it refreshes exists.
    std::lock_guard lock(m_thumbnailQueueLock);
    m_thumbnailQueue.push_back(ThumbnailJob{entry.Path, vignette});
    if (InsertEntry(entry, state, information, request.FromProject) >= 0)
        m_thumbnailEvent.Set();
    else
        m_thumbnailQueue.pop_back();
}
