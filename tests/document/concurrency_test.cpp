// Concurrency rules of the gallery's workers, with real threads. Suites are
// named Concurrency* so CTest labels them (and the ThreadSanitizer build runs them).
#include "docfixture.h"
#include "document/projectfile.h"

#include <QBuffer>
#include <algorithm>
#include <thread>

namespace {
constexpr auto kPatience = std::chrono::seconds(20);

// A thumbnail maker that holds every job until it is opened, and remembers
// which jobs ran and how many ran at once.
struct GatedMaker {
    std::mutex mutex;
    std::condition_variable changed;
    bool open = false;
    int running = 0;
    int mostAtOnce = 0;
    QStringList calls;

    int Run(const QString &path)
    {
        std::unique_lock lock(mutex);
        calls << QFileInfo(path).fileName();
        mostAtOnce = std::max(mostAtOnce, ++running);
        changed.notify_all();
        changed.wait_for(lock, kPatience, [&] { return open; });
        --running;
        return 1; // no thumbnail written: a failure the worker reports
    }
    bool WaitRunning(int n)
    {
        std::unique_lock lock(mutex);
        return changed.wait_for(lock, kPatience, [&] { return running >= n; });
    }
    void Open()
    {
        std::lock_guard lock(mutex);
        open = true;
        changed.notify_all();
    }
    QStringList Calls()
    {
        std::lock_guard lock(mutex);
        return calls;
    }
};

template <int Jobs> class Gated : public DocFixture {
protected:
    Gated() : DocFixture(Jobs)
    {
        m_doc->SetThumbnailMaker(
            [gate = m_gate](const QString &path, const BuildVignetteOptions &) { return gate->Run(path); });
    }
    ~Gated() override { m_gate->Open(); }

    void PutEntries(const QStringList &names)
    {
        for (const QString &n : names) {
            ImageEntry e;
            e.Path = Path(n);
            ASSERT_GE(m_doc->InsertEntry(e, QString(), QString(), true), 0);
        }
    }
    void Queue(const QStringList &names)
    {
        for (const QString &n : names)
            m_doc->QueueThumbnailJob(Path(n), m_doc->GetOptions().BuildVignette);
    }
    QStringList CellsWith(const QString &text) const
    {
        QStringList names;
        for (const QString &call : m_sink.Calls())
            if (call.startsWith("cell ") && call.endsWith("| " + text))
                names << QFileInfo(call.section(' ', 2).section(" | ", 0, 0)).fileName();
        return names;
    }

    std::shared_ptr<GatedMaker> m_gate = std::make_shared<GatedMaker>();
};

using ConcurrencyOneThumbnailThread = Gated<1>;
using ConcurrencyThreeThumbnailThreads = Gated<3>;

bool Posted(const std::vector<std::pair<int, std::intptr_t>> &posts, int code, std::intptr_t value)
{
    return std::find(posts.begin(), posts.end(), std::make_pair(code, value)) != posts.end();
}
} // namespace

TEST_F(ConcurrencyOneThumbnailThread, theSameImageQueuedTwiceKeepsOneJobAtTheEnd)
{
    PutEntries({"x.png", "a.png", "b.png"});
    m_sink.Clear();
    Queue({"x.png"});
    ASSERT_TRUE(m_gate->WaitRunning(1));
    Queue({"a.png", "b.png", "a.png"});
    EXPECT_EQ(m_doc->GetPendingThumbnailCount(), 3); // b, a, and x in progress
    m_gate->Open();
    WaitThumbnailsIdle();
    EXPECT_EQ(m_gate->Calls(), (QStringList{"x.png", "b.png", "a.png"}));
    EXPECT_EQ(CellsWith("Création programmée"), (QStringList{"x.png", "a.png", "b.png"}));
    EXPECT_EQ(Warnings(), (std::vector<std::intptr_t>(3, THUMB_ERROR_OTHER)));
}

TEST_F(ConcurrencyThreeThumbnailThreads, runUpToThreeJobsAtOnceStartedInQueueOrder)
{
    const QStringList names{"1.png", "2.png", "3.png", "4.png", "5.png", "6.png", "7.png"};
    PutEntries(names);
    m_sink.Clear();
    Queue(names);
    ASSERT_TRUE(m_gate->WaitRunning(3));
    m_gate->Open();
    WaitThumbnailsIdle();
    EXPECT_EQ(m_gate->mostAtOnce, 3);
    QStringList ran = m_gate->Calls();
    std::sort(ran.begin(), ran.end());
    EXPECT_EQ(ran, names);
    EXPECT_EQ(CellsWith("En cours de création"), names);
    EXPECT_EQ(CellsWith("Erreur de création").size(), names.size());
    // One busy period: "idle" only once every job has ended.
    EXPECT_EQ(m_sink.ValuesOf(NOTIFY_THUMBNAILS), (std::vector<std::intptr_t>{1, 0}));
    EXPECT_EQ(m_sink.ValuesOf(NOTIFY_THUMBNAIL_DONE).size(), names.size());
}

TEST_F(ConcurrencyThreeThumbnailThreads, startBuildCountsQueuedAndRunningJobs)
{
    m_sink.Clear();
    EXPECT_EQ(m_doc->StartBuild([](GalleryDocument &) {}), 0);
    EXPECT_TRUE(Posted(m_sink.Posts(), NOTIFY_THUMBNAILS, 0));

    PutEntries({"1.png", "2.png", "3.png", "4.png", "5.png"});
    Queue({"1.png", "2.png", "3.png", "4.png", "5.png"});
    ASSERT_TRUE(m_gate->WaitRunning(3));
    int answer = -1;
    // The previous build thread may still be ending; a second one is refused meanwhile.
    for (int tries = 0; tries < 1000 && answer < 0; ++tries) {
        answer = m_doc->StartBuild([](GalleryDocument &) {});
        if (answer < 0)
            std::this_thread::yield();
    }
    EXPECT_EQ(answer, 5);
}

TEST_F(ConcurrencyOneThumbnailThread, startBuildCountsTheLastJobInProgress)
{
    PutEntries({"a.png"});
    Queue({"a.png"});
    ASSERT_TRUE(m_gate->WaitRunning(1));
    m_sink.Clear();
    EXPECT_EQ(m_doc->StartBuild([](GalleryDocument &) {}), 1);
    EXPECT_FALSE(Posted(m_sink.Posts(), NOTIFY_THUMBNAILS, 0));
}

TEST_F(ConcurrencyOneThumbnailThread, stoppingThumbnailsLeavesQueuedEntriesToThePageAndFinishesTheCurrentJob)
{
    PutEntries({"x.png", "a.png", "b.png", "c.png"});
    Queue({"x.png"});
    ASSERT_TRUE(m_gate->WaitRunning(1));
    Queue({"a.png", "b.png", "c.png"});
    m_sink.Clear();
    m_doc->StopThumbnails();
    EXPECT_EQ(CellsWith("Sera Crée avec la page web"), (QStringList{"a.png", "b.png", "c.png"}));
    EXPECT_EQ(m_doc->GetPendingThumbnailCount(), 1);
    m_gate->Open();
    ASSERT_TRUE(m_sink.WaitFor([](const auto &p) { return Posted(p, NOTIFY_THUMBNAILS, 0); }));
    EXPECT_EQ(m_gate->Calls(), QStringList{"x.png"});
}

TEST_F(ConcurrencyOneThumbnailThread, cancellingABuildThatWaitsForThumbnailsEndsItAtOnce)
{
    PutEntries({"a.png"});
    Queue({"a.png"});
    ASSERT_TRUE(m_gate->WaitRunning(1));
    m_sink.Clear();
    std::atomic<bool> wrote{false};
    ASSERT_EQ(m_doc->StartBuild([&wrote](GalleryDocument &doc) {
        BuildScope scope(doc);
        if (scope.WaitForStart())
            wrote = true;
    }),
              1);
    ASSERT_TRUE(m_sink.WaitFor([](const auto &p) { return Posted(p, NOTIFY_BUSY, 1); }));
    m_doc->CancelBuild();
    ASSERT_TRUE(m_sink.WaitFor([](const auto &p) { return Posted(p, NOTIFY_BUSY, 0); }));
    EXPECT_FALSE(wrote);
    m_gate->Open();
}

TEST_F(ConcurrencyOneThumbnailThread, closingEndsARunningBuildAtItsNextPoll)
{
    m_sink.Clear();
    std::atomic<int> items{0};
    ASSERT_EQ(m_doc->StartBuild([&items](GalleryDocument &doc) {
        BuildScope scope(doc);
        if (!scope.WaitForStart())
            return;
        while (!scope.ShouldStop())
            ++items;
    }),
              0);
    m_doc->SignalStartBuild();
    ASSERT_TRUE(m_sink.WaitFor([](const auto &p) { return Posted(p, NOTIFY_BUSY, 1); }));
    m_doc->OnCloseDocument();
    ASSERT_TRUE(m_sink.WaitFor([](const auto &p) { return Posted(p, NOTIFY_BUSY, 0); }));
    EXPECT_FALSE(m_doc->IsBuilding());
    m_doc.reset(); // joins every thread
}

using ConcurrencyAdding = DocFixture;

TEST_F(ConcurrencyAdding, closingWhileFiveHundredImagesAreAddedInsertsNothingAfterwards)
{
    for (int i = 0; i < 500; ++i)
        SaveImage(QStringLiteral("many/%1.png").arg(i, 3, 10, QLatin1Char('0')), 8, 8);
    m_sink.Clear();
    m_doc->QueueAddRequest(Request(Path("many"), true));
    ASSERT_TRUE(m_sink.WaitFor([](const auto &p) { return Posted(p, NOTIFY_COUNT, 20); }));
    m_doc->OnCloseDocument();
    const int atClose = m_doc->GetEntryCount();
    m_doc.reset();
    const auto counts = m_sink.ValuesOf(NOTIFY_COUNT);
    EXPECT_LE(*std::max_element(counts.begin(), counts.end()), atClose);
}

TEST_F(ConcurrencyAdding, aSaveWhileTheAddWorkerInsertsWritesAPrefixOfTheList)
{
    for (int i = 0; i < 300; ++i)
        SaveImage(QStringLiteral("many/%1.png").arg(i, 3, 10, QLatin1Char('0')), 8, 8);
    m_sink.Clear();
    m_doc->QueueAddRequest(Request(Path("many"), true));
    ASSERT_TRUE(m_sink.WaitFor([](const auto &p) { return Posted(p, NOTIFY_COUNT, 10); }));
    const QString project = Path("saved.glr");
    m_doc->OnSaveDocument(project);
    ASSERT_TRUE(m_sink.WaitFor([](const auto &p) { return DocFixture::EndsIdle(p, NOTIFY_SAVING); }));
    ASSERT_TRUE(m_sink.WaitFor([](const auto &p) { return DocFixture::EndsIdle(p, NOTIFY_ADDING); }));

    QFile file(project);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    ASSERT_EQ(ReadProjectHeader(file), ProjectFormat::V3);
    const ProjectContents saved = ReadProjectV3(file, GalleryOptions(), DiaporamaOptions());
    EXPECT_TRUE(saved.complete);
    const ImageList now = m_doc->CopyEntries();
    ASSERT_GE(saved.images.size(), 10u);
    ASSERT_LE(saved.images.size(), now.size());
    for (size_t i = 0; i < saved.images.size(); ++i)
        ASSERT_EQ(saved.images[i].Path, now[i].Path) << i;
}

TEST_F(ConcurrencyAdding, aFailedSaveIsReportedAndKeepsTheDocumentModified)
{
    m_doc->SetProjectSaver([](const QString &, const GalleryOptions &, const ImageList &) { return false; });
    m_doc->SetModifiedFlag(true);
    m_sink.Clear();
    m_doc->OnSaveDocument(Path("x.glr"));
    ASSERT_TRUE(m_sink.WaitFor([](const auto &p) { return DocFixture::EndsIdle(p, NOTIFY_SAVING); }));
    EXPECT_TRUE(m_doc->IsModified());
    EXPECT_TRUE(m_sink.Calls().contains(
        "save error Une erreur est survenue lors de l'enregistrement du fichier"));
}

TEST(ConcurrencySink, afterDetachingNoCallReachesTheOldSink)
{
    QTemporaryDir dir;
    SettingsProfile profile(dir.filePath("s.ini"));
    GalleryDocument doc(profile, 1);
    RecordingSink sink;
    std::atomic<bool> stop{false};
    std::atomic<int> posted{0};
    doc.SetSink(&sink);
    std::thread poster([&] {
        while (!stop) {
            doc.PostNotify(NOTIFY_PROGRESS, 1);
            ++posted;
        }
    });
    while (posted < 1000)
        std::this_thread::yield();
    doc.SetSink(nullptr);
    const size_t seen = sink.Posts().size();
    const int target = posted + 1000;
    while (posted < target)
        std::this_thread::yield();
    stop = true;
    poster.join();
    EXPECT_EQ(sink.Posts().size(), seen);
    EXPECT_GE(seen, 1000u);
}

TEST_F(ConcurrencyOneThumbnailThread, aSecondBuildIsRefusedWhileOneWorksAndStartsOnceItHasEnded)
{
    ManualResetEvent tail;
    m_sink.Clear();
    ASSERT_EQ(m_doc->StartBuild([&tail](GalleryDocument &doc) {
        {
            BuildScope scope(doc);
            scope.WaitForStart();
        }
        // What a thread may still do after announcing its end.
        WaitForAny({&tail}, 20000);
    }),
              0);
    EXPECT_TRUE(m_doc->IsBuilding());
    EXPECT_EQ(m_doc->StartBuild([](GalleryDocument &) {}), -1);

    m_doc->SignalStartBuild();
    ASSERT_TRUE(m_sink.WaitFor([](const auto &p) { return Posted(p, NOTIFY_BUSY, 0); }));
    EXPECT_FALSE(m_doc->IsBuilding());
    // A view that reacts to the end by starting the next build (a slideshow after the pages).
    std::atomic<int> answer{-2};
    std::thread next([&] { answer = m_doc->StartBuild([](GalleryDocument &) {}); });
    tail.Set();
    next.join();
    EXPECT_EQ(answer, 0);
}

namespace {
// Notes, at each new row, how many thumbnail jobs a build started then would wait for.
class CountingSink : public RecordingSink {
public:
    GalleryDocument *doc = nullptr;
    std::vector<int> pendingAtInsert;
    void InsertRow(int index, const QString &path, const QString &info, const QString &state) override
    {
        pendingAtInsert.push_back(doc->GetPendingThumbnailCount());
        RecordingSink::InsertRow(index, path, info, state);
    }
};
} // namespace

TEST_F(ConcurrencyOneThumbnailThread, anAddedImageIsCountedByABuildAsSoonAsItsRowAppears)
{
    const QString a = SaveImage("a.png");
    Options([](GalleryOptions &o) { o.BuildVignette.IfDoNotExistAction = 0; });
    CountingSink sink;
    sink.doc = m_doc.get();
    m_doc->SetSink(&sink);
    m_doc->QueueAddRequest(Request(a));
    ASSERT_TRUE(sink.WaitFor([](const auto &p) { return Posted(p, NOTIFY_COUNT, 1); }));
    ASSERT_TRUE(m_gate->WaitRunning(1));
    m_doc->SetSink(&m_sink);
    EXPECT_EQ(sink.pendingAtInsert, std::vector<int>{1});
}

TEST_F(ConcurrencyAdding, stopAddingDropsTheQueueAndFinishesTheRequestInProgress)
{
    const QString a = SaveImage("a.png");
    const QString b = SaveImage("b.png");
    const QString c = SaveImage("c.png");
    m_sink.Clear();
    {
        // The worker takes a.png and then waits for the list.
        std::unique_lock list(m_doc->ListLock());
        m_doc->QueueAddRequests({Request(a), Request(b), Request(c)});
        const auto deadline = std::chrono::steady_clock::now() + kPatience;
        while (m_doc->GetPendingAddCount() != 2 && std::chrono::steady_clock::now() < deadline)
            std::this_thread::yield();
        ASSERT_EQ(m_doc->GetPendingAddCount(), 2);
        m_doc->StopAdding();
        EXPECT_EQ(m_doc->GetPendingAddCount(), 0);
    }
    ASSERT_TRUE(m_sink.WaitFor([](const auto &p) { return DocFixture::EndsIdle(p, NOTIFY_ADDING); }));
    EXPECT_EQ(EntryNames(), QStringList{"a.png"});
}

TEST_F(ConcurrencyAdding, aChangeMadeWhileTheProjectIsWrittenLeavesTheDocumentModified)
{
    const QString project = Path("saved.glr");
    m_doc->SetModifiedFlag(true);
    m_sink.Clear();
    m_doc->OnSaveDocument(project);
    ASSERT_TRUE(m_sink.WaitFor([](const auto &p) { return DocFixture::EndsIdle(p, NOTIFY_SAVING); }));
    EXPECT_FALSE(m_doc->IsModified());

    GalleryDocument *doc = m_doc.get();
    m_doc->SetProjectSaver([doc](const QString &path, const GalleryOptions &options, const ImageList &images) {
        const bool written = SaveProjectFile(path, options, images);
        // The user retitles the gallery once the options were written.
        std::thread user([doc] {
            GalleryOptions edited = doc->GetOptions();
            edited.WebPage1.PageTitle = "Nouveau titre";
            doc->ApplyDocumentOptions(edited);
        });
        user.join();
        return written;
    });
    m_sink.Clear();
    m_doc->OnSaveDocument(project);
    ASSERT_TRUE(m_sink.WaitFor([](const auto &p) { return DocFixture::EndsIdle(p, NOTIFY_SAVING); }));
    EXPECT_TRUE(m_doc->IsModified()); // the new title is not in the file
}
