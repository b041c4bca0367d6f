// The gallery's long-lived workers (add, thumbnails, save) and its build thread.
#include "document/gallerydocument.h"

#include "document/imageprobe.h"
#include "document/notifycodes.h"
#include "document/projectfile.h"
#include "document/recoveryschedule.h"
#include "platform/notificationsink.h"
#include "platform/profile.h"

#include <algorithm>

namespace {
int DefaultThumbnailJobs()
{
    const unsigned cores = std::thread::hardware_concurrency();
    return cores == 0 ? 1 : static_cast<int>(cores);
}

int ThumbnailErrorFlag(int result)
{
    switch (result) {
    case 2:
        return THUMB_ERROR_MEMORY;
    case 3:
        return THUMB_ERROR_FORMAT;
    default:
        return THUMB_ERROR_OTHER;
    }
}
} // namespace

GalleryDocument::GalleryDocument(Profile &profile, int thumbnailJobs)
    : m_profile(profile), m_thumbnailJobs(thumbnailJobs > 0 ? thumbnailJobs : DefaultThumbnailJobs())
{
    m_options.LoadFromRegistry(profile);
    m_slideshowDefaults = m_options.Diaporama;
    m_projectSaver = SaveProjectFile;
    m_addThread = std::thread([this] { AddWorker(); });
    for (int i = 0; i < m_thumbnailJobs; ++i)
        m_thumbnailThreads.emplace_back([this] { ThumbnailWorker(); });
    m_saveThread = std::thread([this] { SaveWorker(); });
}

GalleryDocument::~GalleryDocument()
{
    m_stopEvent.Set();
    m_addThread.join();
    for (std::thread &t : m_thumbnailThreads)
        t.join();
    m_saveThread.join();
    {
        std::lock_guard lock(m_buildThreadLock);
        if (m_buildThread.joinable())
            m_buildThread.join();
    }
    // Closed by the user: nothing to recover. Gone any other way (a crash
    // never gets here, but an exit that skipped the question does): kept.
    if (m_closedOnPurpose || !IsModified())
        DiscardRecoveryCopy();
}

// --- thumbnails -------------------------------------------------------------

void GalleryDocument::QueueThumbnailJob(const QString &path, const BuildVignetteOptions &options)
{
    if (path.isEmpty())
        return;
    std::lock_guard lock(m_thumbnailQueueLock);
    QueueThumbnailJobLocked(path, options);
}

void GalleryDocument::QueueThumbnailJobLocked(const QString &path, const BuildVignetteOptions &options)
{
    const auto queued = std::find_if(m_thumbnailQueue.begin(), m_thumbnailQueue.end(),
                                     [&](const ThumbnailJob &job) { return job.Path == path; });
    if (queued != m_thumbnailQueue.end()) {
        m_thumbnailQueue.erase(queued); // the new job goes to the end instead
    } else {
        const int index = FindEntry(path);
        // Posted under the queue lock so that no "started" can overtake it.
        if (index >= 0)
            WithView([&](NotificationSink &sink) {
                sink.SetThumbnailCell(index, path, ThumbnailStateText::Scheduled());
            });
    }
    m_thumbnailQueue.push_back(ThumbnailJob{path, options});
    m_thumbnailEvent.Set();
}

void GalleryDocument::StopThumbnails()
{
    std::deque<ThumbnailJob> dropped;
    {
        std::lock_guard lock(m_thumbnailQueueLock);
        dropped.swap(m_thumbnailQueue);
        // A view waiting for thumbnails must hear that none is left, even
        // when no thread had taken a job yet.
        if (m_activeThumbnailJobs == 0) {
            m_thumbnailsWorking = false;
            PostNotify(NOTIFY_THUMBNAILS, 0);
        }
    }
    for (const ThumbnailJob &job : dropped)
        MarkThumbnailResult(job.Path, true);
}

int GalleryDocument::GetPendingThumbnailCount() const
{
    std::lock_guard lock(m_thumbnailQueueLock);
    return static_cast<int>(m_thumbnailQueue.size()) + m_activeThumbnailJobs;
}

// Several of these run side by side. Jobs start in queue order; "working" is
// 1 from the first job taken until no job is queued or running any more.
void GalleryDocument::ThumbnailWorker()
{
    for (;;) {
        if (WaitForAny({&m_stopEvent, &m_thumbnailEvent}, kInfinite) == 0)
            break;
        ThumbnailJob job;
        {
            std::lock_guard order(m_thumbnailStartOrder);
            {
                std::lock_guard lock(m_thumbnailQueueLock);
                if (m_stopEvent.IsSet())
                    break;
                if (m_thumbnailQueue.empty()) {
                    m_thumbnailEvent.Reset();
                    m_thumbnailQueue.shrink_to_fit();
                    continue;
                }
                job = std::move(m_thumbnailQueue.front());
                m_thumbnailQueue.pop_front();
                ++m_activeThumbnailJobs;
                if (!m_thumbnailsWorking) {
                    m_thumbnailsWorking = true;
                    PostNotify(NOTIFY_THUMBNAILS, 1);
                }
            }
            MarkThumbnailStarted(job.Path);
        }
        RunThumbnailJob(job);
        std::lock_guard lock(m_thumbnailQueueLock);
        --m_activeThumbnailJobs;
        if (m_activeThumbnailJobs == 0 && m_thumbnailsWorking
            && (m_thumbnailQueue.empty() || m_stopEvent.IsSet())) {
            m_thumbnailsWorking = false;
            PostNotify(NOTIFY_THUMBNAILS, 0);
        }
    }
    std::lock_guard lock(m_thumbnailQueueLock);
    if (m_activeThumbnailJobs == 0 && m_thumbnailsWorking) {
        m_thumbnailsWorking = false;
        PostNotify(NOTIFY_THUMBNAILS, 0);
    }
}

void GalleryDocument::RunThumbnailJob(const ThumbnailJob &job)
{
    ThumbnailMaker maker;
    {
        std::lock_guard lock(m_optionsLock);
        maker = m_thumbnailMaker;
    }
    const int result
        = maker ? maker(job.Path, job.Options) : MakeThumbnail(job.Path, job.Options, WantsModernCopies());
    if (result != 0)
        PostNotify(NOTIFY_ERROR, ThumbnailErrorFlag(result));
    MarkThumbnailResult(job.Path, false);
}

// --- save -------------------------------------------------------------------

void GalleryDocument::OnSaveDocument(const QString &path)
{
    SetPathName(path);
    m_saveEvent.Set();
}

void GalleryDocument::SaveWorker()
{
    RecoverySchedule recovery;
    PostNotify(NOTIFY_SAVING, 0);
    for (;;) {
        const int woke = WaitForAny({&m_stopEvent, &m_saveEvent, &m_recoveryEvent},
                                    recovery.WaitMs(RecoverySchedule::Clock::now()));
        if (woke == 0)
            break;
        if (woke == 1) {
            SaveProjectNow();
            // Saved with nothing changed meanwhile: the copy has nothing left to keep.
            if (!IsModified())
                DiscardRecoveryCopy();
            PostNotify(NOTIFY_SAVING, 0);
        } else if (woke == 2) {
            m_recoveryEvent.Reset();
            RecoveryChanged(recovery);
        } else {
            RecoveryDue(recovery);
        }
    }
}

void GalleryDocument::SaveProjectNow()
{
    // Reset before writing: a save asked for during this one is not lost.
    m_saveEvent.Reset();
    ProjectSaver saver;
    {
        std::lock_guard lock(m_optionsLock);
        saver = m_projectSaver;
    }
    const QString path = GetPathName();
    bool saved = false;
    std::uint64_t changes = 0;
    {
        // The list and options stay as they are for the whole write.
        std::lock_guard lock(m_listLock);
        {
            std::lock_guard modified(m_modifiedLock);
            changes = m_changes;
        }
        PostNotify(NOTIFY_SAVING, 1);
        saved = saver && !path.isEmpty() && saver(path, GetOptions(), m_imageList);
    }
    if (saved)
        ClearModifiedUnlessChangedSince(changes);
    else
        WithView([](NotificationSink &sink) { sink.ReportSaveError(QString::fromUtf8(kProjectSaveErrorMessage)); });
}

void GalleryDocument::SetModifiedFlag(bool modified)
{
    {
        std::lock_guard lock(m_modifiedLock);
        m_modified = modified;
        if (modified)
            ++m_changes;
    }
    // Once the save worker has a deadline for the copy, further changes need not wake it.
    if (m_recoveryEnabled && (!modified || !m_recoveryArmed))
        m_recoveryEvent.Set();
}

std::uint64_t GalleryDocument::ChangeCount() const
{
    std::lock_guard lock(m_modifiedLock);
    return m_changes;
}

void GalleryDocument::ClearModifiedUnlessChangedSince(std::uint64_t changes)
{
    std::lock_guard lock(m_modifiedLock);
    if (m_changes == changes)
        m_modified = false;
}

// --- builds -----------------------------------------------------------------

int GalleryDocument::StartBuild(bool placement, bool slideshow)
{
    Builders builders;
    {
        std::lock_guard lock(m_optionsLock);
        builders = m_builders;
    }
    if (placement)
        return StartBuild(builders.Placement);
    if (slideshow)
        return StartBuild(GetOptions().Diaporama.AutoOrUser == 2 ? builders.ThumbnailSlideshow
                                                                 : builders.ImageSlideshow);
    return StartBuild(builders.Gallery);
}

int GalleryDocument::StartBuild(BuildProc proc)
{
    if (!proc)
        return -1;
    {
        std::lock_guard lock(m_buildThreadLock);
        // One build at a time: two would write the same pages. A build that
        // has announced its end only has its thread to finish: wait for it.
        if (m_building)
            return -1;
        if (m_buildThread.joinable())
            m_buildThread.join();
        m_cancelBuildEvent.Reset();
        m_startBuildEvent.Reset();
        // Marked here, not by the thread, so that a second start before the
        // thread runs is refused rather than waiting for the whole build.
        m_building = true;
        m_buildThread = std::thread([this, proc] {
            proc(*this);
            m_building = false;
        });
    }
    std::lock_guard lock(m_thumbnailQueueLock);
    const int pending = static_cast<int>(m_thumbnailQueue.size()) + m_activeThumbnailJobs;
    if (pending == 0)
        PostNotify(NOTIFY_THUMBNAILS, 0);
    return pending;
}

BuildScope::BuildScope(GalleryDocument &doc) : m_doc(doc)
{
    m_doc.SetBuildingMark(true);
    m_doc.PostNotify(NOTIFY_BUSY, 1);
}

BuildScope::~BuildScope()
{
    // Cleared first so that a view reacting to the 0 sees the build ended.
    m_doc.SetBuildingMark(false);
    m_doc.PostNotify(NOTIFY_BUSY, 0);
}

bool BuildScope::WaitForStart()
{
    return WaitForAny({&m_doc.StopEvent(), &m_doc.CancelBuildEvent(), &m_doc.StartBuildEvent()}, kInfinite) == 2;
}

bool BuildScope::ShouldStop()
{
    return WaitForAny({&m_doc.StopEvent(), &m_doc.CancelBuildEvent()}, 0) != kWaitTimeout;
}
