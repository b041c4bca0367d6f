#include "docfixture.h"
#include "document/listsort.h"
#include "document/imageprobe.h"
#include "document/thumbnailpath.h"

#include <QRandomGenerator>
#include <algorithm>

namespace {
class Arrange : public DocFixture {
protected:
    // Entries straight into the list, without touching the disk.
    void Put(const QString &name, qint64 bytes = 0, const QString &dims = "10x10", const QString &date = {},
             const QString &time = {}, int thumbnailBytes = 0)
    {
        ImageEntry e;
        e.Path = Path(name);
        e.ImageBytes = bytes;
        e.ImageDimensions = dims;
        e.Camera[CAMERA_DATE] = date;
        e.Camera[CAMERA_TIME] = time;
        e.ThumbnailBytes = thumbnailBytes;
        ASSERT_GE(m_doc->InsertEntry(e, QString(), QString(), true), 0);
    }
    void PutNames(const QStringList &names)
    {
        for (const QString &n : names)
            Put(n);
    }
};
} // namespace

TEST_F(Arrange, moveEntryMovesOneEntryAndKeepsTheOthersInOrder)
{
    PutNames({"0", "1", "2", "3", "4"});
    m_doc->MoveEntry(3, 0, 4);
    EXPECT_EQ(EntryNames(), (QStringList{"3", "0", "1", "2", "4"}));
    m_doc->MoveEntry(1, 3, 1); // down one place: MoveEntry(i, i + 2, i)
    EXPECT_EQ(EntryNames(), (QStringList{"3", "1", "0", "2", "4"}));
    m_doc->MoveEntry(4, 5, 4); // to the very end
    EXPECT_EQ(EntryNames(), (QStringList{"3", "1", "0", "2", "4"}));
    m_doc->MoveEntry(0, 5, 0);
    EXPECT_EQ(EntryNames(), (QStringList{"1", "0", "2", "4", "3"}));
    EXPECT_TRUE(m_doc->IsModified());
}

TEST_F(Arrange, moveEntryRefusesIndexesThatWouldLoseOrDuplicateEntries)
{
    PutNames({"0", "1", "2"});
    m_doc->SetModifiedFlag(false);
    m_doc->MoveEntry(3, 0, 4);  // from beyond the list
    m_doc->MoveEntry(0, 4, 0);  // to beyond the end
    m_doc->MoveEntry(-1, 0, 0);
    m_doc->MoveEntry(2, 0, 2);  // the original sits at 3 after the copy
    m_doc->MoveEntry(0, 2, 1);
    EXPECT_EQ(EntryNames(), (QStringList{"0", "1", "2"}));
    EXPECT_FALSE(m_doc->IsModified());
}

TEST_F(Arrange, removeEntriesSkipsBadIndexesAndKeepsTheTotal)
{
    Put("0", 0, "1x1", {}, {}, 10);
    Put("1", 0, "1x1", {}, {}, 20);
    Put("2", 0, "1x1", {}, {}, 40);
    Put("3", 0, "1x1", {}, {}, 80);
    m_sink.Clear();
    m_doc->RemoveEntries({3, 1, 1, 9, -2});
    EXPECT_EQ(EntryNames(), (QStringList{"0", "2"}));
    EXPECT_EQ(m_doc->GetThumbnailBytes(), 50);
    QStringList deletes = m_sink.Calls().filter("delete");
    EXPECT_EQ(deletes, (QStringList{"delete 3", "delete 1"}));
    EXPECT_EQ(m_sink.ValuesOf(NOTIFY_COUNT), (std::vector<std::intptr_t>{3, 2}));
    EXPECT_EQ(m_sink.ValuesOf(NOTIFY_THUMBNAIL_BYTES), (std::vector<std::intptr_t>{70, 50}));
}

TEST_F(Arrange, sortingByNameIgnoresLetterCaseBothWays)
{
    PutNames({"beta.jpg", "Alpha.jpg", "gamma.jpg", "delta.jpg"});
    m_doc->SortList(1);
    EXPECT_EQ(EntryNames(), (QStringList{"Alpha.jpg", "beta.jpg", "delta.jpg", "gamma.jpg"}));
    m_doc->SortList(2);
    EXPECT_EQ(EntryNames(), (QStringList{"gamma.jpg", "delta.jpg", "beta.jpg", "Alpha.jpg"}));
}

TEST_F(Arrange, sortingBySizeMatchesAFullSortForManyShuffles)
{
    QRandomGenerator random(1234);
    for (int round = 0; round < 20; ++round) {
        m_doc->DeleteContents();
        const int count = 2 + round * 3;
        std::vector<qint64> sizes;
        for (int i = 0; i < count; ++i) {
            sizes.push_back(random.bounded(8)); // many equal keys
            Put(QStringLiteral("f%1").arg(i), sizes.back());
        }
        const int order = round % 2 ? 4 : 3;
        m_doc->SortList(order);
        std::sort(sizes.begin(), sizes.end());
        if (order == 4)
            std::reverse(sizes.begin(), sizes.end());
        std::vector<qint64> got;
        for (const ImageEntry &e : m_doc->CopyEntries())
            got.push_back(e.ImageBytes);
        ASSERT_EQ(got, sizes) << "round " << round;
    }
}

TEST_F(Arrange, sortingByDimensionsComparesAreasThenWidths)
{
    Put("wide", 0, "400x100");
    Put("big", 0, "300x300");
    Put("tall", 0, "100x400");
    Put("small", 0, "10x10");
    m_doc->SortList(5);
    EXPECT_EQ(EntryNames(), (QStringList{"small", "tall", "wide", "big"}));
    m_doc->SortList(6);
    EXPECT_EQ(EntryNames(), (QStringList{"big", "wide", "tall", "small"}));
}

TEST_F(Arrange, sortingByDatePutsUndatedImagesAtTheCurrentTime)
{
    Put("2004", 0, "1x1", "07/03/2004", "18:05:09");
    Put("undated");
    Put("1999", 0, "1x1", "31/12/1999", "23:59:59");
    Put("2004-early", 0, "1x1", "07/03/2004", "08:00:00");
    m_doc->SortList(7);
    EXPECT_EQ(EntryNames(), (QStringList{"1999", "2004-early", "2004", "undated"}));
    m_doc->SortList(8);
    EXPECT_EQ(EntryNames(), (QStringList{"undated", "2004", "2004-early", "1999"}));
}

TEST_F(Arrange, anUnchangedOptionsRecordTouchesNothing)
{
    Put("a.png");
    m_doc->SetModifiedFlag(false);
    EXPECT_FALSE(m_doc->DocumentOptionsChanged(m_doc->GetOptions()));
    EXPECT_FALSE(m_doc->IsModified());
}

TEST_F(Arrange, turningOnTheSiteRootRemovesEntriesOutsideItOnce)
{
    Put("site/a.png");
    Put("other/b.png");
    Put("other/c.png");
    GalleryOptions edited = m_doc->GetOptions();
    edited.WebPage2.RootRelativePath = 1;
    edited.WebPage2.RootPath = Path("site") + QDir::separator();
    m_sink.Clear();
    EXPECT_TRUE(m_doc->ApplyDocumentOptions(edited));
    EXPECT_EQ(EntryNames(), QStringList{"site/a.png"});
    EXPECT_EQ(Warnings(), std::vector<std::intptr_t>{WARN_REMOVED_OUTSIDE_ROOT});
    EXPECT_TRUE(m_doc->IsModified());
}

TEST_F(Arrange, newThumbnailNamesReexamineEveryEntry)
{
    SaveImage("a.png", 300, 200);
    SaveImage("b.png", 300, 200);
    SaveImage("t_a.png", 60, 40); // the thumbnail of a.png under the new naming
    Put("a.png", 0, "300x200", {}, {}, 999);
    Put("b.png");
    Put("t_a.png");
    const GalleryOptions before = m_doc->GetOptions();
    Options([](GalleryOptions &o) {
        o.BuildVignette.PreSuffixe = "t_";
        o.BuildVignette.IfDoNotExistAction = 3;
    });
    m_sink.Clear();
    EXPECT_TRUE(m_doc->DocumentOptionsChanged(before));

    // t_a.png is now a thumbnail name; b.png has no thumbnail and action 3 drops it.
    EXPECT_EQ(EntryNames(), QStringList{"a.png"});
    EXPECT_EQ(Warnings(), (std::vector<std::intptr_t>{WARN_REMOVED_THUMBNAIL_NAME, WARN_REMOVED_NO_THUMBNAIL}));
    ImageEntry e;
    ASSERT_TRUE(m_doc->GetEntry(0, e));
    EXPECT_EQ(e.ThumbnailDimensions, "60x40");
    EXPECT_EQ(m_doc->GetThumbnailBytes(), e.ThumbnailBytes);
    EXPECT_EQ(m_sink.ValuesOf(NOTIFY_THUMBNAIL_BYTES).back(), e.ThumbnailBytes);
}

TEST_F(Arrange, aRootThatWasAlreadySetAndIsUnchangedRemovesNothing)
{
    Options([&](GalleryOptions &o) {
        o.WebPage2.RootRelativePath = 1;
        o.WebPage2.RootPath = Path("site") + QDir::separator();
    });
    Put("other/b.png"); // straight into the list, as an older project could hold it
    GalleryOptions edited = m_doc->GetOptions();
    edited.WebPage1.PageTitle = "Autre titre";
    m_doc->SetModifiedFlag(false);
    m_sink.Clear();
    EXPECT_TRUE(m_doc->ApplyDocumentOptions(edited));
    EXPECT_EQ(EntryNames(), QStringList{"other/b.png"});
    EXPECT_TRUE(Warnings().empty());
    EXPECT_TRUE(m_doc->IsModified());

    edited.WebPage2.RootPath = Path("site2") + QDir::separator();
    EXPECT_TRUE(m_doc->ApplyDocumentOptions(edited));
    EXPECT_TRUE(EntryNames().isEmpty());
    EXPECT_EQ(Warnings(), std::vector<std::intptr_t>{WARN_REMOVED_OUTSIDE_ROOT});
}

TEST_F(Arrange, newThumbnailNamesScheduleOrDeferTheMissingThumbnails)
{
    struct Row {
        int action;
        QString state;
        bool job;
    };
    for (const Row &row : {Row{0, "Création programmée", true}, Row{1, "Sera Crée avec la page web", false},
                           Row{2, QString(), false}}) {
        SCOPED_TRACE(row.action);
        m_doc->DeleteContents();
        Options([](GalleryOptions &o) { o.BuildVignette.PreSuffixe = QStringLiteral("mini/small_"); });
        Put("a.png", 0, "300x200", {}, {}, 500);
        const GalleryOptions before = m_doc->GetOptions();
        GalleryOptions edited = before;
        edited.BuildVignette.PreSuffixe = "t_";
        edited.BuildVignette.IfDoNotExistAction = row.action;
        m_sink.Clear();
        EXPECT_TRUE(m_doc->ApplyDocumentOptions(edited));
        EXPECT_EQ(m_sink.Calls().value(0), "cell 0 " + Path("a.png") + " | " + row.state);
        if (row.job)
            EXPECT_TRUE(m_sink.WaitFor([](const auto &p) {
                return std::any_of(p.begin(), p.end(), [](const auto &post) { return post.first == NOTIFY_THUMBNAIL_DONE; });
            }));
        else
            EXPECT_EQ(m_doc->GetPendingThumbnailCount(), 0);
        EXPECT_EQ(m_doc->GetThumbnailBytes(), 0);
        EXPECT_EQ(m_sink.ValuesOf(NOTIFY_THUMBNAIL_BYTES).back(), 0);
        EXPECT_EQ(EntryNames(), QStringList{"a.png"});
    }
}

TEST_F(Arrange, recreatingThumbnailsUsesTheGivenSettingsAndLeavesTheGalleryOnes)
{
    const QString a = SaveImage("a.png", 400, 300);
    Put("a.png", 0, "400x300");
    Put("b.png"); // no such file: its job fails
    Options([](GalleryOptions &o) {
        o.BuildVignette.IsPercentSize = 0;
        o.BuildVignette.FixedSize = {128, 96};
    });
    const GalleryOptions gallery = m_doc->GetOptions();
    BuildVignetteOptions specific = gallery.BuildVignette;
    specific.FixedSize = {60, 45};
    m_sink.Clear();
    m_doc->RecreateThumbnails({0, 1, 7}, specific);
    WaitThumbnailsIdle();

    EXPECT_EQ(DimensionText(ThumbnailPath(a, gallery.BuildVignette.PreSuffixe, gallery.BuildVignette.WithPrefixe)),
              "60x45");
    EXPECT_FALSE(OptionsDiffer(m_doc->GetOptions(), gallery));
    ImageEntry e;
    ASSERT_TRUE(m_doc->GetEntry(0, e));
    EXPECT_EQ(e.ThumbnailDimensions, "60x45");
    EXPECT_EQ(m_sink.ValuesOf(NOTIFY_THUMBNAIL_DONE).size(), 2u); // index 7 is beyond the list
    EXPECT_EQ(Warnings(), std::vector<std::intptr_t>{THUMB_ERROR_OTHER});
}

TEST_F(Arrange, sortingByDateReadsDayMonthYearWithOrWithoutLeadingZeros)
{
    Put("march", 0, "1x1", "7/3/2004", "8:05:09");
    Put("february", 0, "1x1", "29/02/2004", "23:00:00");
    Put("december", 0, "1x1", "01/12/2003", "10:00:00");
    m_doc->SortList(7);
    EXPECT_EQ(EntryNames(), (QStringList{"december", "february", "march"}));
}
