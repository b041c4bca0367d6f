#pragma once
// One gallery: its ordered image list, its options, its add and thumbnail
// queues, six events and the three workers (add, thumbnail, save) that run for
// its whole life, plus at most one build thread at a time.
//
// Threads: list operations may be called from any thread; they take ListLock
// only for the time of their access and never hold it while the sink is
// called. Commands that rearrange the list (remove, move, sort, options) are
// meant for the user-interface thread. Background work reports only through
// the NotificationSink; with no live sink nothing is posted and the workers
// still run.

#include "document/galleryoptions.h"
#include "document/addfacts.h"
#include "document/imageentry.h"
#include "document/orderedprefetch.h"
#include "document/recoverystore.h"
#include "document/workitems.h"
#include "platform/manualresetevent.h"
#include "platform/notificationsink.h"

#include <QHash>
#include <QString>
#include <atomic>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <shared_mutex>
#include <thread>
#include <vector>

class Profile;
class QIODevice;
class RecoverySchedule;

class GalleryDocument {
public:
    // A build thread body; it follows the protocol of BuildScope below.
    using BuildProc = std::function<void(GalleryDocument &)>;
    struct Builders {
        BuildProc Gallery;            // gallery pages
        BuildProc ImageSlideshow;     // slideshow of images
        BuildProc ThumbnailSlideshow; // slideshow of thumbnails (AutoOrUser 2)
        BuildProc Placement;          // visual placement pages
    };
    // Builds the thumbnail of one job: 0 on success, else a thumbnail result
    // code (kThumbnailNotLoaded when the source does not load).
    using ThumbnailMaker = std::function<int(const QString &path, const BuildVignetteOptions &options)>;
    // Writes the project; false on failure (the old file must survive).
    using ProjectSaver =
        std::function<bool(const QString &path, const GalleryOptions &options, const ImageList &images)>;

    // Options come from `profile` (the user's saved defaults). `thumbnailJobs`
    // is how many thumbnails are built at once; 0 means one per core.
    explicit GalleryDocument(Profile &profile, int thumbnailJobs = 0);
    // Sets StopEvent, lets every thread finish its item in progress and joins them.
    ~GalleryDocument();
    GalleryDocument(const GalleryDocument &) = delete;
    GalleryDocument &operator=(const GalleryDocument &) = delete;

    // --- view ---------------------------------------------------------------
    // Attaches or detaches (nullptr) the first view. Returns only when no call
    // into the previous sink is running, so the caller may then destroy it.
    // Never call it from inside a sink call.
    void SetSink(NotificationSink *sink);
    bool HasView() const;
    void PostNotify(int code, std::intptr_t value);

    // --- options and document state ----------------------------------------
    // A copy: options may be replaced on another thread while it is used.
    GalleryOptions GetOptions() const;
    // The modern page design is chosen: thumbnail jobs make its copies too.
    bool WantsModernCopies() const;
    // Replaces the record as a whole, without re-examining the entries.
    void SetOptions(const GalleryOptions &options);
    Profile &GetProfile() const { return m_profile; }
    // The program's "open sub-folders" option, read at every folder scan.
    void SetRecursiveDir(bool recursive) { m_recursiveDir = recursive; }
    bool IsModified() const { return m_modified; }
    void SetModifiedFlag(bool modified = true);
    // How many times a change was marked since the document was made.
    std::uint64_t ChangeCount() const;
    QString GetPathName() const;
    void SetPathName(const QString &path);

    // --- entries -------------------------------------------------------------
    std::recursive_mutex &ListLock() const { return m_listLock; }
    int FindEntry(const QString &path) const;
    QString GetPath(int index) const;
    QString GetComment(int index) const;
    void SetComment(int index, const QString &text);
    bool GetOptionBlock(int index, ImageOptionBlock &block) const;
    bool SetOptionBlock(int index, const ImageOptionBlock &block);
    QString GetOptionsSummary(int index) const;
    bool GetEntry(int index, ImageEntry &entry) const;
    ImageList CopyEntries() const;
    int GetEntryCount() const;
    qint64 GetThumbnailBytes() const;
    // Appends the entry; -1 when the document is closing.
    int InsertEntry(const ImageEntry &entry, const QString &thumbnailState, const QString &information,
                    bool fromProject);
    void MarkThumbnailStarted(const QString &path);
    // Refreshes the entry's thumbnail fields from the disk after a job, or
    // when jobs are stopped (`withPage`: an absent thumbnail will be made by
    // the page build).
    void MarkThumbnailResult(const QString &path, bool withPage);

    // --- adding and arranging ----------------------------------------------
    void QueueAddRequest(const AddRequest &request);
    // Several at once, in order (a drop or a command line of many paths).
    void QueueAddRequests(const std::vector<AddRequest> &requests);
    // Empties the add queue; a request being processed completes.
    void StopAdding();
    int GetPendingAddCount() const;
    // No request is queued, read ahead or being added. A NOTIFY_ADDING 0 may
    // reach the view after new requests were queued; this says how it is now.
    bool IsAddIdle() const;
    // `indexes` ascending; indexes at or beyond the count are skipped.
    void RemoveEntries(const std::vector<int> &indexes);
    void MoveEntry(int from, int to, int removeAt);
    // Orders 1 to 8: name, size, dimensions, date, each ascending then descending.
    void SortList(int order);
    // Queues a job for each index with `options` (a copy; the document's own
    // options are unchanged).
    void RecreateThumbnails(const std::vector<int> &indexes, const BuildVignetteOptions &options);
    // What the options command does once its dialog was accepted: takes the
    // edited record and re-examines the entries as the change requires
    // (removals with their warnings, thumbnail states and jobs, the byte
    // total). Answers whether anything changed. User-interface thread.
    bool ApplyDocumentOptions(const GalleryOptions &edited);
    // The same when the record was already replaced; `previous` is the old one.
    bool DocumentOptionsChanged(const GalleryOptions &previous);
    // Empties both queues and the list.
    void DeleteContents();

    // --- undo ------------------------------------------------------------------
    // An entry at its place in the list, with the text its thumbnail cell showed.
    struct PlacedEntry {
        int Index = 0;
        ImageEntry Entry;
        QString ThumbnailText;
    };
    // Puts entries back at their indexes, ascending, each with its serial.
    // User-interface thread.
    void RestoreEntries(const std::vector<PlacedEntry> &entries);
    // New entry i is old entry order[i], over the first order.size() entries.
    void ReorderEntries(const std::vector<int> &order);
    // Takes `options` back without the removals that accepting them makes
    // (the entries come back by themselves); thumbnails are re-examined when
    // their names change.
    void RestoreOptions(const GalleryOptions &options);

    // --- project -------------------------------------------------------------
    // Hands the project to the add worker; false (nothing queued) when the
    // file is not a project. The caller shows the message.
    bool OnOpenDocument(const QString &path);
    // Records the path and wakes the save worker; the write happens there.
    void OnSaveDocument(const QString &path);
    void SetProjectSaver(ProjectSaver saver);

    // --- recovery copy -------------------------------------------------------
    // While the gallery has unsaved changes the save worker keeps a copy of it
    // in the store, written at most one interval after a change and at most
    // once an interval, never while images are still being added. A copy
    // never touches the project file, the path or the modified mark. It is
    // removed when the gallery is saved or no longer modified, and at
    // destruction after CloseOnPurpose; otherwise it stays for the next start.
    // `adopted`: the copy this gallery was recovered from; it is claimed at
    // once and kept up to date as the gallery's own. User-interface thread.
    void EnableRecovery(RecoverySettings settings, const RecoveryCopy *adopted = nullptr);
    QString RecoveryCopyPath() const;
    // The user closed the gallery, saved or not: its copy goes with it.
    void CloseOnPurpose() { m_closedOnPurpose = true; }

    // --- thumbnails and builds ---------------------------------------------
    void QueueThumbnailJob(const QString &path, const BuildVignetteOptions &options);
    void StopThumbnails();
    int GetPendingThumbnailCount() const;
    void SetThumbnailMaker(ThumbnailMaker maker);
    void SetBuilders(Builders builders);
    // Starts the builder that the flags and options choose; answers how many
    // thumbnail jobs it waits for (queued plus in progress), or -1 while a
    // build is at work or when no builder is set. Once the previous build has
    // posted NOTIFY_BUSY 0, a new one may start (its thread is joined here).
    int StartBuild(bool placement, bool slideshow);
    int StartBuild(BuildProc proc);
    void SignalStartBuild() { m_startBuildEvent.Set(); }
    void CancelBuild() { m_cancelBuildEvent.Set(); }
    bool IsBuilding() const { return m_building; }
    // Marks the document as closing: every worker and build ends, and from
    // its return on no entry joins the list.
    void OnCloseDocument();

    ManualResetEvent &StopEvent() { return m_stopEvent; }
    ManualResetEvent &AddEvent() { return m_addEvent; }
    ManualResetEvent &ThumbnailEvent() { return m_thumbnailEvent; }
    ManualResetEvent &SaveEvent() { return m_saveEvent; }
    ManualResetEvent &CancelBuildEvent() { return m_cancelBuildEvent; }
    ManualResetEvent &StartBuildEvent() { return m_startBuildEvent; }

private:
    friend class BuildScope;

    // Sink calls are made under a shared lock so SetSink can wait them out.
    template <typename F> void WithView(F &&call)
    {
        std::shared_lock lock(m_sinkLock);
        if (m_sink && m_sink->IsAlive())
            call(*m_sink);
    }
    void SetBuildingMark(bool on) { m_building = on; }
    // Clears the modified mark unless a change was marked since `changes`
    // was read: a change made while the file was written is not in it.
    void ClearModifiedUnlessChangedSince(std::uint64_t changes);

    // add pipeline
    void AddWorker();
    void TrimImageList();
    struct AddWindowItem;
    using AddWindow = OrderedPrefetch<AddWindowItem, AddFacts>;
    void FillAddWindow(AddWindow &window);
    // Under m_addQueueLock: what was read ahead is not to be added.
    void DropAddWindowLocked();
    void ProcessAddRequest(const AddRequest &request, const AddFacts &facts);
    void ScanFolderContents(const AddRequest &request);
    void AddImageFile(AddRequest request, AddFacts facts);
    bool ImportProjectFile(QIODevice &file, const AddRequest &request);
    void QueueAddRequestFromWorker(const AddRequest &request);
    // workers
    void ThumbnailWorker();
    void RunThumbnailJob(const ThumbnailJob &job);
    void SaveWorker();
    void SaveProjectNow();
    // recovery copy, on the save worker
    void RecoveryChanged(RecoverySchedule &schedule);
    void RecoveryDue(RecoverySchedule &schedule);
    void DiscardRecoveryCopy();
    void JoinBuildThread();
    // DocumentOptions steps
    void RemoveOutsideRoot(const GalleryOptions &options);
    void RemoveThumbnailNames(const GalleryOptions &options);
    // `mayRemove`: entries left without a thumbnail are removed when the
    // options say so (not when options are taken back by undo).
    void ReexamineThumbnails(const GalleryOptions &options, bool mayRemove = true);
    void QueueThumbnailJobLocked(const QString &path, const BuildVignetteOptions &options);

    Profile &m_profile;
    const int m_thumbnailJobs;

    mutable std::recursive_mutex m_listLock;
    ImageList m_imageList;
    // How many entries have each path, so that adding thousands of files
    // does not compare each with every entry. Under m_listLock.
    QHash<QString, int> m_entryPaths;
    qint64 m_thumbnailBytes = 0;
    quint64 m_lastSerial = 0; // under m_listLock

    mutable std::recursive_mutex m_addQueueLock;
    std::deque<AddRequest> m_addQueue;
    // Requests taken from the queue and being read ahead; a stop makes the
    // generation move on so the worker drops them. Both under m_addQueueLock.
    int m_addInWindow = 0;
    std::uint64_t m_addGeneration = 0;

    mutable std::recursive_mutex m_thumbnailQueueLock;
    std::deque<ThumbnailJob> m_thumbnailQueue;
    int m_activeThumbnailJobs = 0;  // under m_thumbnailQueueLock
    bool m_thumbnailsWorking = false; // under m_thumbnailQueueLock
    // Keeps "started" notices in queue order across parallel thumbnail threads.
    std::mutex m_thumbnailStartOrder;

    mutable std::mutex m_optionsLock;
    GalleryOptions m_options;
    QString m_pathName;
    DiaporamaOptions m_slideshowDefaults; // the user's, as read when a project was opened
    ThumbnailMaker m_thumbnailMaker;
    ProjectSaver m_projectSaver;
    Builders m_builders;

    mutable std::shared_mutex m_sinkLock;
    NotificationSink *m_sink = nullptr;

    ManualResetEvent m_stopEvent;
    ManualResetEvent m_addEvent;
    ManualResetEvent m_thumbnailEvent;
    ManualResetEvent m_saveEvent;
    ManualResetEvent m_cancelBuildEvent;
    ManualResetEvent m_startBuildEvent;

    // From StartBuild until the build thread's work has ended.
    std::atomic<bool> m_building{false};
    std::atomic<bool> m_modified{false};
    mutable std::mutex m_modifiedLock;
    std::uint64_t m_changes = 0; // under m_modifiedLock; one more at every change marked
    std::atomic<bool> m_recursiveDir{true};
    std::atomic<bool> m_addWorking{false}; // the add worker has requests in hand

    // The recovery copy: settings, file and the change count it holds are
    // under m_recoveryLock; "armed" means the save worker has a deadline, so
    // further changes need not wake it.
    mutable std::mutex m_recoveryLock;
    std::optional<RecoverySettings> m_recovery;
    QString m_recoveryCopy;
    std::uint64_t m_recoveryChanges = 0;
    std::atomic<bool> m_recoveryEnabled{false};
    std::atomic<bool> m_recoveryArmed{false};
    std::atomic<bool> m_closedOnPurpose{false};
    ManualResetEvent m_recoveryEvent;

    std::mutex m_buildThreadLock;
    std::thread m_buildThread;
    std::thread m_addThread;
    std::vector<std::thread> m_thumbnailThreads;
    std::thread m_saveThread;
};

// The start and cancel protocol of a build thread. Construct it first thing
// in the thread: it sets the build-running mark and posts NOTIFY_BUSY 1; its
// destructor posts NOTIFY_BUSY 0 and clears the mark on every exit path.
class BuildScope {
public:
    explicit BuildScope(GalleryDocument &doc);
    ~BuildScope();
    BuildScope(const BuildScope &) = delete;
    BuildScope &operator=(const BuildScope &) = delete;

    // Waits until the view says the thumbnails are done; false when the
    // document closes or the build is cancelled first.
    bool WaitForStart();
    // Checked before each page and image: true means stop now.
    bool ShouldStop();

private:
    GalleryDocument &m_doc;
};
