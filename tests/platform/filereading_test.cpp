#include "platform/filehead.h"
#include "platform/folderlisting.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

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
