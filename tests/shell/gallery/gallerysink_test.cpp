#include "shell/gallery/gallerysink.h"

#include "document/gallerydocument.h"
#include "document/notifycodes.h"
#include "platform/profile.h"
#include "shell/gallery/gallerymodel.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <thread>

namespace {
class GallerySinkTest : public ::testing::Test {
protected:
    QString PathOf(int i) const { return QStringLiteral("/photos/p%1.jpg").arg(i); }

    // Rows inserted from a worker thread, all queued before the GUI runs.
    void InsertFromWorker(int first, int count)
    {
        std::thread worker([&] {
            for (int i = first; i < first + count; ++i)
                m_sink.InsertRow(
                    i, PathOf(i), QStringLiteral("40x30  1 ko"), ThumbnailStateText::Scheduled());
        });
        worker.join();
    }

    QTemporaryDir m_dir;
    SettingsProfile m_profile {m_dir.filePath(QStringLiteral("settings.ini"))};
    GalleryDocument m_document {m_profile};
    GalleryModel m_model {m_document};
    QAbstractItemModelTester m_tester {&m_model, QAbstractItemModelTester::FailureReportingMode::Fatal};
    GallerySink m_sink {&m_model};
};
} // namespace

TEST_F(GallerySinkTest, aBurstOfWorkerInsertsReachesTheModelAsOneInsertInOrder)
{
    QSignalSpy inserts(&m_model, &QAbstractItemModel::rowsInserted);
    InsertFromWorker(0, 1000);
    EXPECT_EQ(m_model.rowCount(), 0); // nothing touches the model off the GUI thread
    ASSERT_TRUE(QTest::qWaitFor([&] { return m_model.rowCount() == 1000; }, 5000));
    EXPECT_EQ(inserts.count(), 1);
    EXPECT_EQ(m_model.Path(0), PathOf(0));
    EXPECT_EQ(m_model.Path(999), PathOf(999));
    EXPECT_EQ(m_model.index(3, GalleryModel::FileColumn).data().toString(), QStringLiteral("p3.jpg"));
    EXPECT_EQ(m_model.index(3, GalleryModel::SizeColumn).data(Qt::AccessibleTextRole).toString(),
        QStringLiteral("40x30  1 ko"));
}

TEST_F(GallerySinkTest, guiThreadRowCallsApplyQueuedRowsFirstButLeavePostsQueued)
{
    QSignalSpy posted(&m_sink, &GallerySink::posted);
    std::thread worker([&] {
        m_sink.Post(NOTIFY_COUNT, 3);
        for (int i = 0; i < 3; ++i)
            m_sink.InsertRow(i, PathOf(i), QString(), QString());
    });
    worker.join();
    m_sink.DeleteRow(0); // the document deletes synchronously on the GUI thread
    ASSERT_EQ(m_model.rowCount(), 2);
    EXPECT_EQ(m_model.Path(0), PathOf(1));
    EXPECT_EQ(posted.count(), 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return posted.count() == 1; }, 5000));
    EXPECT_EQ(posted.at(0).at(0).toInt(), int(NOTIFY_COUNT));
}

TEST_F(GallerySinkTest, aThumbnailCellFollowsItsPathWhenTheRowHasMoved)
{
    InsertFromWorker(0, 5);
    m_sink.DeleteRow(0);
    m_sink.SetThumbnailCell(4, PathOf(4), QStringLiteral("128x96  4 ko")); // was row 4, now row 3
    EXPECT_EQ(m_model.ThumbnailText(3), QStringLiteral("128x96  4 ko"));
    EXPECT_TRUE(m_model.HasThumbnailFile(3));
    EXPECT_FALSE(m_model.HasThumbnailFile(2));
    EXPECT_TRUE(m_model.index(3, GalleryModel::ThumbnailColumn).data(Qt::DecorationRole).isValid());
    EXPECT_FALSE(m_model.index(2, GalleryModel::ThumbnailColumn).data(Qt::DecorationRole).isValid());
}

TEST_F(GallerySinkTest, aRowDeletedBeforeItsInsertArrivedNeverAppears)
{
    InsertFromWorker(0, 2);
    m_sink.Flush();
    m_sink.DeleteRow(2); // the entry at 2 went away before its insert reached the sink
    InsertFromWorker(2, 2);
    ASSERT_TRUE(QTest::qWaitFor([&] { return m_model.rowCount() >= 3; }, 5000));
    EXPECT_EQ(m_model.rowCount(), 3);
    EXPECT_EQ(m_model.Path(2), PathOf(3));
}

TEST_F(GallerySinkTest, aDetachedSinkIsDeadAndDropsWhatIsQueued)
{
    InsertFromWorker(0, 3);
    m_sink.Detach();
    EXPECT_FALSE(m_sink.IsAlive());
    m_sink.InsertRow(0, PathOf(9), QString(), QString());
    QCoreApplication::processEvents();
    EXPECT_EQ(m_model.rowCount(), 0);
}

TEST_F(GallerySinkTest, aWorkerInsertOfARowTheListAlreadyShowsIsDropped)
{
    m_model.InsertRows(0, {{PathOf(0), {}, {}}, {PathOf(1), {}, {}}}); // taken from the document
    std::thread worker([&] {
        m_sink.InsertRow(1, PathOf(1), QString(), QString());
        m_sink.InsertRow(2, PathOf(2), QString(), QString());
    });
    worker.join();
    m_sink.Flush();
    ASSERT_EQ(m_model.rowCount(), 3);
    EXPECT_EQ(m_model.Path(1), PathOf(1));
    EXPECT_EQ(m_model.Path(2), PathOf(2));
}
