// Recovery copies: where they go, who owns them, when the save worker writes
// and removes them.
#include "docfixture.h"
#include "document/projectfile.h"
#include "document/recoveryschedule.h"
#include "document/recoverystore.h"
#include "platform/processidentity.h"

#include <QDir>

using namespace std::chrono_literals;

namespace {
ImageList Entries(const QString &folder, int count)
{
    ImageList images(count);
    for (int i = 0; i < count; ++i) {
        images[i].Path = QDir(folder).filePath(QStringLiteral("p%1.jpg").arg(i));
        images[i].Comment = QStringLiteral("Commentaire %1 é").arg(i);
    }
    return images;
}

ProjectContents ReadCopy(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || ReadProjectHeader(file) != ProjectFormat::V3)
        return {};
    return ReadProjectV3(file, GalleryOptions(), DiaporamaOptions());
}

// This very process, as seen from a record written by an earlier one.
ProcessIdentity DeadOwner()
{
    ProcessIdentity self = CurrentProcessIdentity();
    ++self.StartTicks;
    return self;
}
} // namespace

TEST(RecoveryFolder, followsTheStateHomeOnlyWhenItIsAbsolute)
{
    EXPECT_EQ(RecoveryFolderFor("/var/st", "/home/u"), "/var/st/gallorim/recovery");
    EXPECT_EQ(RecoveryFolderFor("", "/home/u"), "/home/u/.local/state/gallorim/recovery");
    EXPECT_EQ(RecoveryFolderFor("rel/state", "/home/u"), "/home/u/.local/state/gallorim/recovery");
}

TEST(RecoveryStoreCopies, areOfferedOnlyWhenTheirOwnerIsGoneAndUntilClaimed)
{
    // An earlier process with this one's id is not this one.
    EXPECT_TRUE(IsProcessRunning(CurrentProcessIdentity()));
    EXPECT_FALSE(IsProcessRunning(DeadOwner()));
    QTemporaryDir dir;
    const QString folder = dir.filePath("state/recovery");
    const RecoveryStore dead(folder, DeadOwner());
    const RecoveryStore live(folder, CurrentProcessIdentity());
    const QString orphan = dead.NewCopyPath();
    const QString kept = live.NewCopyPath();
    ASSERT_NE(orphan, kept);
    ASSERT_TRUE(dead.Write(orphan, "/photos/voyage.glr", GalleryOptions(), Entries(dir.path(), 3)));
    ASSERT_TRUE(live.Write(kept, QString(), GalleryOptions(), Entries(dir.path(), 1)));
    EXPECT_EQ(QFileInfo(folder).permissions() & (QFile::ReadOther | QFile::ReadGroup), 0);

    // A third instance sees the dead one's copy, not the live one's.
    const RecoveryStore third(folder, ProcessIdentity{CurrentProcessIdentity().Pid, 1});
    QList<RecoveryCopy> offered = third.OrphanedCopies();
    ASSERT_EQ(offered.size(), 1);
    EXPECT_EQ(offered[0].CopyPath, orphan);
    EXPECT_EQ(offered[0].Name(), "voyage.glr");
    EXPECT_EQ(ReadCopy(orphan).images.size(), 3u);

    // Claimed by the live instance, it is no longer anybody else's to offer.
    ASSERT_TRUE(live.Claim(offered[0]));
    EXPECT_TRUE(third.OrphanedCopies().isEmpty());

    RecoveryStore::Remove(orphan);
    EXPECT_FALSE(QFile::exists(orphan));
    EXPECT_EQ(QDir(folder).entryList(QDir::Files).size(), 2); // the live copy and its record
}

TEST(RecoveryStoreCopies, aDamagedRecordIsNeitherOfferedNorRemoved)
{
    QTemporaryDir dir;
    const RecoveryStore dead(dir.path(), DeadOwner());
    const QString copy = dead.NewCopyPath();
    ASSERT_TRUE(dead.Write(copy, QString(), GalleryOptions(), Entries(dir.path(), 1)));
    const QString record = QDir(dir.path()).filePath(QFileInfo(copy).completeBaseName() + ".json");
    ASSERT_TRUE(QFile::resize(record, 10));
    EXPECT_TRUE(RecoveryStore(dir.path(), CurrentProcessIdentity()).OrphanedCopies().isEmpty());
    EXPECT_TRUE(QFile::exists(copy));
    EXPECT_TRUE(QFile::exists(record));
}

TEST(RecoveryScheduleRule, coversEveryChangeWithinAnIntervalAndWritesAtMostOnceAnInterval)
{
    // Changes every 70 ms for 3 s, then silence; the worker writes when due.
    const auto interval = 500ms;
    RecoverySchedule schedule;
    const auto start = RecoverySchedule::Clock::time_point{};
    std::vector<RecoverySchedule::Clock::time_point> writes;
    std::optional<RecoverySchedule::Clock::time_point> oldestUnwritten;
    for (auto now = start; now < start + 5s; now += 10ms) {
        if (schedule.IsArmed() && schedule.WaitMs(now) == 0) {
            schedule.Done();
            writes.push_back(now);
            ASSERT_TRUE(oldestUnwritten);
            EXPECT_LE(now - *oldestUnwritten, interval);
            oldestUnwritten.reset();
        }
        if (now < start + 3s && (now - start) % 70ms == 0ms) {
            schedule.Changed(now, interval);
            if (!oldestUnwritten)
                oldestUnwritten = now;
        }
    }
    EXPECT_FALSE(oldestUnwritten) << "a change was never written";
    ASSERT_GE(writes.size(), 5u);
    for (size_t i = 1; i < writes.size(); ++i)
        EXPECT_GE(writes[i] - writes[i - 1], interval);
    EXPECT_EQ(RecoverySchedule().WaitMs(start), -1);
}

class RecoveryDocument : public DocFixture {
protected:
    // Recovery every 20 ms; each copy written sets m_written.
    void Enable(const RecoveryCopy *adopted = nullptr)
    {
        RecoverySettings settings;
        settings.Store = RecoveryStore(Path("recovery"), CurrentProcessIdentity());
        settings.Interval = 20ms;
        settings.Written = [this](const QString &) { m_written.Set(); };
        m_doc->EnableRecovery(settings, adopted);
    }
    bool WaitWritten()
    {
        const bool written = WaitForAny({&m_written}, 10000) == 0;
        m_written.Reset();
        return written;
    }
    // Waits for copies until one shows `comment` on entry `index`.
    bool WaitForCopyWith(int index, const QString &comment)
    {
        for (int i = 0; i < 50 && WaitWritten(); ++i) {
            const ImageList images = ReadCopy(m_doc->RecoveryCopyPath()).images;
            if (index < static_cast<int>(images.size()) && images[index].Comment == comment)
                return true;
        }
        return false;
    }
    int FilesInRecovery() const { return QDir(Path("recovery")).entryList(QDir::Files).size(); }

    ManualResetEvent m_written;
};

TEST_F(RecoveryDocument, anUnsavedGalleryGetsACopyThatLeavesPathAndMarkAloneAndGoesWhenSaved)
{
    Enable();
    const QString a = SaveImage("a.png");
    const QString b = SaveImage("b.png");
    AddAndWait({Request(a), Request(b)});
    m_doc->SetComment(1, QStringLiteral("Le phare"));
    ASSERT_TRUE(WaitForCopyWith(1, QStringLiteral("Le phare")));

    const QString copy = m_doc->RecoveryCopyPath();
    const ProjectContents contents = ReadCopy(copy);
    ASSERT_EQ(contents.images.size(), 2u);
    EXPECT_EQ(contents.images[1].Comment, "Le phare");
    EXPECT_TRUE(m_doc->GetPathName().isEmpty());
    EXPECT_TRUE(m_doc->IsModified());
    EXPECT_EQ(FilesInRecovery(), 2);

    m_sink.Clear();
    m_doc->OnSaveDocument(Path("g.glr"));
    ASSERT_TRUE(m_sink.WaitFor([](const auto &p) { return EndsIdle(p, NOTIFY_SAVING); }));
    EXPECT_EQ(m_doc->GetPathName(), Path("g.glr"));
    EXPECT_FALSE(m_doc->IsModified());
    EXPECT_EQ(FilesInRecovery(), 0);
    EXPECT_EQ(ReadCopy(Path("g.glr")).images.size(), 2u);
}

TEST_F(RecoveryDocument, theCopyStaysWhenTheGalleryEndsUnasked_andGoesWhenClosedOnPurpose)
{
    Enable();
    AddAndWait({Request(SaveImage("a.png"))});
    ASSERT_TRUE(WaitWritten());
    const QString copy = m_doc->RecoveryCopyPath();
    m_doc->SetSink(nullptr);
    m_doc.reset();
    EXPECT_TRUE(QFile::exists(copy));

    // A new gallery takes it over as its own: claimed, and removed with it.
    const QList<RecoveryCopy> left = RecoveryStore(Path("recovery"), DeadOwner()).OrphanedCopies();
    EXPECT_TRUE(left.isEmpty()) << "still owned by this process";
    RecoveryCopy adopted{copy, QString(), QDateTime::currentDateTimeUtc(), DeadOwner()};
    m_doc = std::make_unique<GalleryDocument>(m_profile, 1);
    m_doc->SetModifiedFlag();
    Enable(&adopted);
    EXPECT_EQ(m_doc->RecoveryCopyPath(), copy);
    m_doc->CloseOnPurpose();
    m_doc.reset();
    EXPECT_EQ(FilesInRecovery(), 0);
}
