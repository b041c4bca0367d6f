#include "document/gallerydocument.h"
#include "document/notifycodes.h"
#include "document/thumbnailpath.h"
#include "platform/profile.h"
#include "recordingsink.h"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
class ListDocTest : public ::testing::Test {
protected:
    QTemporaryDir m_dir;
    SettingsProfile m_profile{m_dir.filePath("settings.ini")};
    GalleryDocument m_doc{m_profile, 1};
    RecordingSink m_sink;

    ImageEntry Entry(const QString &name, int thumbnailBytes = 0)
    {
        ImageEntry e;
        e.Path = m_dir.filePath(name);
        e.ImageDimensions = "640x480";
        e.ImageSizeText = "12.0 ko";
        e.ThumbnailBytes = thumbnailBytes;
        if (thumbnailBytes) {
            e.ThumbnailDimensions = "128x96";
            e.ThumbnailSizeText = "1.00 ko";
        }
        return e;
    }
    int Insert(const QString &name, int thumbnailBytes = 0, bool fromProject = false)
    {
        return m_doc.InsertEntry(Entry(name, thumbnailBytes), QString(), QString(), fromProject);
    }
    QString ThumbnailOf(const QString &name)
    {
        const BuildVignetteOptions v = m_doc.GetOptions().BuildVignette;
        return ThumbnailPath(m_dir.filePath(name), v.PreSuffixe, v.WithPrefixe);
    }
};
} // namespace

TEST_F(ListDocTest, findEntryTellsPathsApartByLetterCase)
{
    Insert("a.jpg");
    Insert("A.jpg");
    EXPECT_EQ(m_doc.FindEntry(m_dir.filePath("a.jpg")), 0);
    EXPECT_EQ(m_doc.FindEntry(m_dir.filePath("A.jpg")), 1);
    EXPECT_EQ(m_doc.FindEntry(m_dir.filePath("b.jpg")), -1);
}

TEST_F(ListDocTest, findEntryFollowsRemovalsMovesAndEmptying)
{
    Insert("a.jpg");
    Insert("b.jpg");
    Insert("a.jpg"); // only a direct insertion can give a path twice
    m_doc.MoveEntry(1, 0, 2);
    EXPECT_EQ(m_doc.FindEntry(m_dir.filePath("b.jpg")), 0);
    m_doc.RemoveEntries({1});
    EXPECT_EQ(m_doc.FindEntry(m_dir.filePath("a.jpg")), 1);
    m_doc.RemoveEntries({0, 1});
    EXPECT_EQ(m_doc.FindEntry(m_dir.filePath("a.jpg")), -1);
    EXPECT_EQ(m_doc.FindEntry(m_dir.filePath("b.jpg")), -1);
    Insert("b.jpg");
    EXPECT_EQ(m_doc.FindEntry(m_dir.filePath("b.jpg")), 0);
    m_doc.DeleteContents();
    EXPECT_EQ(m_doc.FindEntry(m_dir.filePath("b.jpg")), -1);
}

TEST_F(ListDocTest, indexOperationsOutsideTheListAnswerNothing)
{
    Insert("a.jpg");
    m_doc.SetModifiedFlag(false);
    ImageOptionBlock block;
    block.Flags = IMGOPT_LINK_TYPE;
    for (int bad : {-1, 1, 100}) {
        EXPECT_EQ(m_doc.GetPath(bad), QString());
        EXPECT_EQ(m_doc.GetComment(bad), QString());
        EXPECT_EQ(m_doc.GetOptionsSummary(bad), QString());
        EXPECT_FALSE(m_doc.GetOptionBlock(bad, block));
        EXPECT_FALSE(m_doc.SetOptionBlock(bad, block));
        m_doc.SetComment(bad, "x");
    }
    EXPECT_FALSE(m_doc.IsModified());
    EXPECT_EQ(m_doc.GetEntryCount(), 1);
}

TEST_F(ListDocTest, insertReportsTheRowCountAndTotalAndMarksModifiedUnlessFromAProject)
{
    m_doc.SetSink(&m_sink);
    EXPECT_EQ(m_doc.InsertEntry(Entry("a.jpg", 300), "state", "info", true), 0);
    EXPECT_FALSE(m_doc.IsModified());
    EXPECT_EQ(Insert("b.jpg", 200), 1);
    EXPECT_TRUE(m_doc.IsModified());

    EXPECT_EQ(m_sink.ValuesOf(NOTIFY_COUNT), (std::vector<std::intptr_t>{1, 2}));
    EXPECT_EQ(m_sink.ValuesOf(NOTIFY_THUMBNAIL_BYTES), (std::vector<std::intptr_t>{300, 500}));
    EXPECT_EQ(m_doc.GetThumbnailBytes(), 500);
    EXPECT_EQ(m_sink.Calls().value(0), "insert 0 " + m_dir.filePath("a.jpg") + " | info | state");
    m_doc.SetSink(nullptr);
}

TEST_F(ListDocTest, insertStoresAnOverrideEqualToTheGalleryWithoutItsFlag)
{
    // The gallery's current values decide, not the built-in defaults.
    GalleryOptions o = m_doc.GetOptions();
    o.WebPage2.BorderSize = 3;
    o.Links.PopupBgColor = 0x336699;
    m_doc.SetOptions(o);

    ImageEntry e = Entry("a.jpg");
    e.Options.Flags = IMGOPT_BORDER_SIZE | IMGOPT_POPUP_BG_COLOR;
    e.Options.BorderSize = 3;
    e.Options.PopupBgColor = GalleryOptions().Links.PopupBgColor;
    m_doc.InsertEntry(e, QString(), QString(), false);
    ImageOptionBlock block;
    ASSERT_TRUE(m_doc.GetOptionBlock(0, block));
    EXPECT_EQ(block.Flags, static_cast<std::uint32_t>(IMGOPT_POPUP_BG_COLOR));
    EXPECT_EQ(block.BorderSize, 3); // the value stays, only its flag goes
}

TEST_F(ListDocTest, aClosingDocumentAcceptsNoEntry)
{
    m_doc.OnCloseDocument();
    EXPECT_EQ(Insert("a.jpg"), -1);
    EXPECT_EQ(m_doc.GetEntryCount(), 0);
}

TEST_F(ListDocTest, nothingIsPostedWithoutALiveSink)
{
    Insert("a.jpg");
    m_doc.PostNotify(NOTIFY_PROGRESS, 3);
    m_sink.SetAlive(false);
    m_doc.SetSink(&m_sink);
    Insert("b.jpg");
    m_doc.PostNotify(NOTIFY_PROGRESS, 4);
    EXPECT_FALSE(m_doc.HasView());
    EXPECT_TRUE(m_sink.Posts().empty());
    EXPECT_TRUE(m_sink.Calls().isEmpty());

    m_sink.SetAlive(true);
    m_doc.PostNotify(NOTIFY_PROGRESS, 5);
    EXPECT_EQ(m_sink.ValuesOf(NOTIFY_PROGRESS), std::vector<std::intptr_t>{5});
    m_doc.SetSink(nullptr);
}

TEST_F(ListDocTest, aFailedThumbnailShowsAnErrorAndLeavesTheTotal)
{
    Insert("a.jpg", 1000);
    Insert("b.jpg", 24);
    m_doc.SetSink(&m_sink);
    m_doc.MarkThumbnailResult(m_dir.filePath("a.jpg"), false);

    ImageEntry e;
    ASSERT_TRUE(m_doc.GetEntry(0, e));
    EXPECT_EQ(e.ThumbnailBytes, 0);
    EXPECT_TRUE(e.ThumbnailDimensions.isEmpty());
    EXPECT_TRUE(e.ThumbnailSizeText.isEmpty());
    EXPECT_EQ(m_doc.GetThumbnailBytes(), 24);
    EXPECT_EQ(m_sink.Calls().value(0), "cell 0 " + m_dir.filePath("a.jpg") + " | Erreur de création");
    EXPECT_EQ(m_sink.ValuesOf(NOTIFY_THUMBNAIL_BYTES), std::vector<std::intptr_t>{24});
    EXPECT_EQ(m_sink.ValuesOf(NOTIFY_THUMBNAIL_DONE), std::vector<std::intptr_t>{0});

    m_doc.MarkThumbnailResult(m_dir.filePath("b.jpg"), true);
    EXPECT_TRUE(m_sink.Calls().last().endsWith("| Sera Crée avec la page web"));
    m_doc.SetSink(nullptr);
}

TEST_F(ListDocTest, aThumbnailOnDiskFillsTheEntryAndTheTotal)
{
    Insert("a.jpg");
    const QString thumb = ThumbnailOf("a.jpg");
    ASSERT_TRUE(CreateFolders(QFileInfo(thumb).absolutePath()));
    QImage image(128, 96, QImage::Format_RGB32);
    image.fill(Qt::blue);
    ASSERT_TRUE(image.save(thumb, "PNG"));
    qint64 bytes = 0;
    const QString size = SizeText(thumb, &bytes);

    m_doc.SetSink(&m_sink);
    m_doc.MarkThumbnailResult(m_dir.filePath("a.jpg"), false);
    ImageEntry e;
    ASSERT_TRUE(m_doc.GetEntry(0, e));
    EXPECT_EQ(e.ThumbnailDimensions, "128x96");
    EXPECT_EQ(e.ThumbnailSizeText, size);
    EXPECT_EQ(e.ThumbnailBytes, bytes);
    EXPECT_EQ(m_doc.GetThumbnailBytes(), bytes);
    EXPECT_EQ(m_sink.Calls().value(0), "cell 0 " + m_dir.filePath("a.jpg") + " | 128x96  " + size);
    m_doc.SetSink(nullptr);
}

TEST_F(ListDocTest, refreshesForPathsNotInTheListAreIgnored)
{
    Insert("a.jpg", 10);
    m_doc.SetSink(&m_sink);
    m_doc.MarkThumbnailResult(m_dir.filePath("other.jpg"), false);
    m_doc.MarkThumbnailStarted(m_dir.filePath("other.jpg"));
    // The workers' own "idle" notices may arrive at any time after the sink is set.
    for (const auto &p : m_sink.Posts()) {
        const bool workerIdle = p.second == 0 && (p.first == NOTIFY_ADDING || p.first == NOTIFY_SAVING || p.first == NOTIFY_THUMBNAILS);
        EXPECT_TRUE(workerIdle) << "posted " << p.first << " " << p.second;
    }
    EXPECT_TRUE(m_sink.Calls().isEmpty());
    EXPECT_EQ(m_doc.GetThumbnailBytes(), 10);

    m_doc.MarkThumbnailStarted(m_dir.filePath("a.jpg"));
    EXPECT_EQ(m_sink.Calls().value(0), "cell 0 " + m_dir.filePath("a.jpg") + " | En cours de création");
    m_doc.SetSink(nullptr);
}

TEST_F(ListDocTest, aRefreshLooksForTheThumbnailUnderTheCurrentNaming)
{
    Insert("a.jpg", 50);
    GalleryOptions o = m_doc.GetOptions();
    o.BuildVignette.PreSuffixe = "_t";
    o.BuildVignette.WithPrefixe = 0;
    m_doc.SetOptions(o);
    QImage image(20, 10, QImage::Format_RGB32);
    image.fill(Qt::green);
    ASSERT_TRUE(image.save(m_dir.filePath("a_t.jpg"), "PNG"));

    m_doc.MarkThumbnailResult(m_dir.filePath("a.jpg"), false);
    ImageEntry e;
    ASSERT_TRUE(m_doc.GetEntry(0, e));
    EXPECT_EQ(e.ThumbnailDimensions, "20x10");
    EXPECT_EQ(m_doc.GetThumbnailBytes(), QFileInfo(m_dir.filePath("a_t.jpg")).size());
}

TEST(ListDocWithoutView, workersStillRunAndNothingReachesAClosedWindow)
{
    QTemporaryDir dir;
    SettingsProfile profile(dir.filePath("settings.ini"));
    RecordingSink closed;
    closed.SetAlive(false);
    GalleryDocument doc(profile, 1);
    doc.SetSink(&closed);
    ManualResetEvent made;
    doc.SetThumbnailMaker([&](const QString &, const BuildVignetteOptions &) {
        made.Set();
        return 0;
    });
    doc.QueueThumbnailJob(dir.filePath("a.jpg"), doc.GetOptions().BuildVignette);
    EXPECT_EQ(WaitForAny({&made}, 20000), 0) << "the thumbnail worker did not run";
    EXPECT_TRUE(closed.Posts().empty()); // the busy notice came before the job
    doc.SetSink(nullptr);
}

TEST_F(ListDocTest, startBuildChoosesTheBuilderFromItsFlagsAndTheSlideshowKind)
{
    struct Row {
        bool placement;
        bool slideshow;
        int autoOrUser;
        const char *builder;
    };
    const Row rows[] = {
        {false, false, 2, "gallery"},     {false, true, 0, "images"},   {false, true, 1, "images"},
        {false, true, 2, "thumbnails"},   {true, true, 2, "placement"}, {true, false, 0, "placement"},
    };
    std::mutex mutex;
    QString ran;
    ManualResetEvent done;
    const auto named = [&](const char *name) {
        return [&, name](GalleryDocument &doc) {
            { BuildScope scope(doc); }
            std::lock_guard lock(mutex);
            ran = name;
            done.Set();
        };
    };
    EXPECT_EQ(m_doc.StartBuild(false, false), -1); // no builder set
    m_doc.SetBuilders({named("gallery"), named("images"), named("thumbnails"), named("placement")});
    for (const Row &row : rows) {
        GalleryOptions o = m_doc.GetOptions();
        o.Diaporama.AutoOrUser = row.autoOrUser;
        m_doc.SetOptions(o);
        done.Reset();
        ASSERT_EQ(m_doc.StartBuild(row.placement, row.slideshow), 0);
        ASSERT_EQ(WaitForAny({&done}, 20000), 0);
        std::lock_guard lock(mutex);
        EXPECT_EQ(ran, row.builder) << row.placement << row.slideshow << row.autoOrUser;
    }
}
