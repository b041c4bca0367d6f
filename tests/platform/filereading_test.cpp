#include "platform/filehead.h"
#include "platform/folderentries.h"
#include "platform/folderlisting.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#endif

namespace {
void Write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}
} // namespace

TEST(FileHead, readsUpToTheAskedLengthAndTellsAnUnopenableFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("data.bin");
    QByteArray bytes;
    for (int i = 0; i < 100000; ++i)
        bytes.append(char(i * 7));
    Write(path, bytes);
    QByteArray head = "stale";
    ASSERT_TRUE(ReadFileHead(path, 70000, &head));
    EXPECT_EQ(head, bytes.left(70000));
    ASSERT_TRUE(ReadFileHead(path, 200000, &head));
    EXPECT_EQ(head, bytes); // a shorter file gives what it has
    Write(dir.filePath("empty"), {});
    ASSERT_TRUE(ReadFileHead(dir.filePath("empty"), 16, &head));
    EXPECT_TRUE(head.isEmpty());
    EXPECT_FALSE(ReadFileHead(dir.filePath("missing"), 16, &head));
    EXPECT_TRUE(head.isEmpty());
}

TEST(FolderListing, answersForFilesOnlyFromOneListingPerFolder)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir("sub"));
    Write(dir.filePath("sub/a.jpg"), "x");
    Write(dir.filePath("sub/.hidden"), "x");
    FolderListing listing;
    EXPECT_TRUE(listing.HasFile(dir.filePath("sub/a.jpg")));
    EXPECT_TRUE(listing.HasFile(QDir::toNativeSeparators(dir.filePath("sub/.hidden"))));
    EXPECT_FALSE(listing.HasFile(dir.filePath("sub/b.jpg")));
    EXPECT_FALSE(listing.HasFile(dir.filePath("sub"))); // a folder is no file
    EXPECT_FALSE(listing.HasFile(dir.filePath("nowhere/a.jpg")));
    EXPECT_FALSE(listing.HasFile(dir.filePath("sub/")));
#ifndef Q_OS_WIN
    EXPECT_FALSE(listing.HasFile(dir.filePath("sub/A.jpg")));
#endif
    // Listed once: a file made afterwards is not seen.
    Write(dir.filePath("sub/later.jpg"), "x");
    EXPECT_FALSE(listing.HasFile(dir.filePath("sub/later.jpg")));
    EXPECT_TRUE(FolderListing().HasFile(dir.filePath("sub/later.jpg")));
}

TEST(ListFolder, givesEveryEntryWithTheKindOfWhatItLeadsTo)
{
    QTemporaryDir dir;
    Write(dir.filePath("photo.jpg"), "x");
    Write(dir.filePath(".cache"), "x");
    ASSERT_TRUE(QDir(dir.path()).mkdir("sub"));
#ifndef Q_OS_WIN
    ASSERT_TRUE(QFile::link(dir.filePath("sub"), dir.filePath("to-sub")));
    ASSERT_TRUE(QFile::link(dir.filePath("photo.jpg"), dir.filePath("to-photo")));
    ASSERT_TRUE(QFile::link(dir.filePath("gone"), dir.filePath("broken")));
    ASSERT_EQ(mkfifo(QFile::encodeName(dir.filePath("pipe")).constData(), 0600), 0);
#endif
    std::map<QString, FolderEntry> found;
    for (const FolderEntry &entry : ListFolder(dir.path()))
        found[entry.name] = entry;
    using Kind = FolderEntry::Kind;
    EXPECT_EQ(found["photo.jpg"].kind, Kind::File);
    EXPECT_EQ(found[".cache"].kind, Kind::File);
    EXPECT_EQ(found["sub"].kind, Kind::Folder);
    EXPECT_FALSE(found["sub"].link);
#ifndef Q_OS_WIN
    ASSERT_EQ(found.size(), 7u);
    EXPECT_TRUE(found["to-sub"].link && found["to-sub"].kind == Kind::Folder);
    EXPECT_TRUE(found["to-photo"].link && found["to-photo"].kind == Kind::File);
    EXPECT_TRUE(found["broken"].link && found["broken"].kind == Kind::Other);
    EXPECT_EQ(found["pipe"].kind, Kind::Other);
#endif
    EXPECT_TRUE(ListFolder(dir.filePath("missing")).empty());
}
