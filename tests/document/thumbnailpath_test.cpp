#include "document/thumbnailpath.h"
#include "platform/pathcase.h"
#include "printers.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <chrono>
#include <future>
#include <gtest/gtest.h>
#ifndef Q_OS_WIN
#include <sys/stat.h>
#endif

namespace {
const QString kMini = QStringLiteral("mini\\small_"); // the stored default, with its backslash

QString N(const char *posix) { return QDir::toNativeSeparators(QString::fromUtf8(posix)); }

void WriteBytes(const QString &path, qint64 size)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(size, 'x'));
}
} // namespace

TEST(ThumbnailPath, buildsTheDescribedNames)
{
    struct Row {
        const char *image;
        QString affix;
        int prefix;
        const char *expected;
    } rows[] = {
        {"/images/test.jpg", kMini, 1, "/images/mini/small_test.jpg"},
        {"/images/test.jpg", kMini, 0, "/images/testmini/small_.jpg"},
        {"/images/test.jpg", QStringLiteral("_vign"), 0, "/images/test_vign.jpg"},
        {"//srv/share/a.jpg", kMini, 1, "//srv/share/mini/small_a.jpg"},
        {"//srv/share/a.jpg", QStringLiteral("_v"), 0, "//srv/share/a_v.jpg"},
        {"/images/test.jpg", QStringLiteral("mini\\\\small_"), 1, "/images/mini/small_test.jpg"},
        {"/images/test.jpg", QStringLiteral(".\\t_"), 1, "/images/t_test.jpg"},
        {"/images/test.jpg", QStringLiteral("\\mini\\"), 1, "/images/mini/test.jpg"},
        // The extension starts at the last dot of the whole path.
        {"/a.b/file", kMini, 1, "/mini/small_a.b/file"},
        {"test.jpg", kMini, 1, "mini/small_test.jpg"},
        // Thumbnails of these are JPEG, named apart from a same-named JPEG's.
        {"/images/IMG_1.HEIC", kMini, 1, "/images/mini/small_IMG_1.HEIC.jpg"},
        {"/images/a.heif", QStringLiteral("_v"), 0, "/images/a_v.heif.jpg"},
        {"/images/a.Avif", kMini, 1, "/images/mini/small_a.Avif.jpg"},
        {"/x.heic/file", kMini, 1, "/mini/small_x.heic/file"},
    };
    for (const Row &r : rows)
        EXPECT_EQ(ThumbnailPath(N(r.image), r.affix, r.prefix), N(r.expected)) << r.image;
}

TEST(ThumbnailPath, givesNothingForAPathWithoutDot)
{
    EXPECT_EQ(ThumbnailPath(N("/images/README"), kMini, 1), QString());
}

TEST(IsThumbnailName, recognisesOnlyFullThumbnailNames)
{
    EXPECT_TRUE(IsThumbnailName(N("/images/mini/small_test.jpg"), kMini, 1));
    EXPECT_FALSE(IsThumbnailName(N("/images/small_test.jpg"), kMini, 1));
    EXPECT_FALSE(IsThumbnailName(N("/images/test.jpg"), kMini, 1));
    EXPECT_TRUE(IsThumbnailName(N("/images/test_vign.jpg"), QStringLiteral("_vign"), 0));
    EXPECT_FALSE(IsThumbnailName(N("/images/test_vign.jpg"), QStringLiteral("_vign"), 1));
    // "\.\" in the affix stands for one separator.
    EXPECT_TRUE(IsThumbnailName(N("/images/sub/t_test.jpg"), QStringLiteral("sub\\.\\t_"), 1));
    // A HEIC's JPEG thumbnail, and its full-size copy, with the affix as a suffix too.
    EXPECT_TRUE(IsThumbnailName(N("/images/IMG_1_vign.HEIC.jpg"), QStringLiteral("_vign"), 0));
    EXPECT_TRUE(IsThumbnailName(N("/images/IMG_1_vign.HEIC.full.jpg"), QStringLiteral("_vign"), 0));
    EXPECT_FALSE(IsThumbnailName(N("/images/IMG_1_vign.PNG.jpg"), QStringLiteral("_vign"), 0));
    EXPECT_FALSE(IsThumbnailName(N("/images/IMG_1_vign.PNG.full.jpg"), QStringLiteral("_vign"), 0));
}

TEST(IsThumbnailName, findsTheAffixEvenWhenAFolderNameHoldsItFirst)
{
    EXPECT_TRUE(IsThumbnailName(N("/home/art_t_shots/t_a.jpg"), QStringLiteral("t_"), 1));
    EXPECT_FALSE(IsThumbnailName(N("/home/art_t_shots/a.jpg"), QStringLiteral("t_"), 1));
    EXPECT_TRUE(IsThumbnailName(N("/x_vign/pic_vign.jpg"), QStringLiteral("_vign"), 0));
}

TEST(IsThumbnailName, followsThePlatformLetterCaseRule)
{
    const bool folded = IsThumbnailName(N("/images/MINI/Small_test.jpg"), kMini, 1);
    EXPECT_EQ(folded, PathCaseSensitivity() == Qt::CaseInsensitive);
}

TEST(IsThumbnailName, anEmptyAffixNamesNoThumbnail)
{
    // Otherwise every file would be its own thumbnail and none could be added.
    EXPECT_FALSE(IsThumbnailName(N("/images/test.jpg"), QString(), 1));
    EXPECT_FALSE(IsThumbnailName(N("/images/test.jpg"), QString(), 0));
}

TEST(RelativeFolder, linksFilesAndRoots)
{
    struct Row {
        const char *from;
        const char *to;
        int rooted;
        const char *expected;
    } rows[] = {
        {"/site/gal/index.html", "/site/img/a.jpg", 0, "../img/"},
        {"/site/gal/index.html", "/site/gal/sub/a.jpg", 0, "sub/"},
        {"/site/gal/index.html", "/site/gal/a.jpg", 0, ""},
        {"/site/gal/sub/deep/index.html", "/site/a.jpg", 0, "../../../"},
        // Components match only whole: a shared beginning of a name is not a shared folder.
        {"/site/gal/index.html", "/site/gallery/a.jpg", 0, "../gallery/"},
        {"/site/gallery/index.html", "/site/gal/a.jpg", 0, "../gal/"},
        {"/site/", "/site/a/b/c.jpg", 1, "/a/b/"},
        {"/site/gal/", "/site/a.jpg", 1, "???PATH???"},
        {"/site/", "/site/img/a.jpg", 1, "/img/"},
        {"/site/", "/site/a.jpg", 1, "/"},
        {"/site/", "/other/a.jpg", 1, "???PATH???"},
        // A root given without its trailing separator stands for its parent.
        {"/site", "/site/img/a.jpg", 1, "/site/img/"},
        // Relative input shares no first component with an absolute path.
        {"gal/index.html", "/site/img/a.jpg", 0, "???PATH???"},
    };
    for (const Row &r : rows)
        EXPECT_EQ(RelativeFolder(N(r.from), N(r.to), r.rooted), QString::fromUtf8(r.expected))
            << r.from << " -> " << r.to;
}

TEST(RelativeFolder, comparesFoldersByThePlatformLetterCaseRule)
{
    const QString link = RelativeFolder(N("/Site/x.html"), N("/site/img/a.jpg"), 0);
    EXPECT_EQ(link, PathCaseSensitivity() == Qt::CaseInsensitive ? QString("img/") : QString("../site/img/"));
}

TEST(SizeText, formatsByteCountsWithTheirUnit)
{
    struct Row {
        qint64 bytes;
        const char *expected;
    } rows[] = {
        {0, "0.00 Octets"},
        {10, "10.00 Octets"},
        {11, "11.0 Octets"},
        {101, "101 Octets"},
        {1023, "1023 Octets"},
        {1024, "1.00 ko"},
        {102401, "100 ko"},      // just above 100: no decimal
        {1048575, "1024 ko"},    // rounds up without moving to the next unit
        {500, "500 Octets"},
        {1536, "1.50 ko"},
        {10 * 1024, "10.00 ko"},
        {100 * 1024, "100.0 ko"},
        {1048576, "1.00 Mo"},
        {5LL * 1024 * 1024 * 1024, "5.00 Go"}, // beyond 32 bits: the true size
        {qint64(1) << 62, "4194304 To"},       // past the last unit: it stays in To
    };
    for (const Row &r : rows)
        EXPECT_EQ(SizeTextForBytes(r.bytes), QString::fromUtf8(r.expected)) << r.bytes;
}

TEST(SizeText, readsTheFileLengthAndLeavesTheCountAloneWhenMissing)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("a.bin");
    WriteBytes(file, 1536);
    qint64 bytes = -7;
    EXPECT_EQ(SizeText(file, &bytes), "1.50 ko");
    EXPECT_EQ(bytes, 1536);

    bytes = -7;
    EXPECT_EQ(SizeText(dir.filePath("missing.bin"), &bytes), QString());
    EXPECT_EQ(bytes, -7);
}

#ifndef Q_OS_WIN
// Opening a pipe for reading waits for a writer: the size of such a file must
// not be asked by opening it, or a named pipe among the photos hangs the caller.
TEST(SizeText, givesNothingForANamedPipeWithoutWaitingOnIt)
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath("pipe.jpg");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    qint64 bytes = -7;
    auto answer = std::async(std::launch::async, [&] { return SizeText(fifo, &bytes); });
    if (answer.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
        // Release the blocked reader so the test can end, then fail.
        QFile writer(fifo);
        ASSERT_TRUE(writer.open(QIODevice::WriteOnly));
        writer.close();
        answer.wait();
        FAIL() << "SizeText waited on the pipe";
    }
    EXPECT_EQ(answer.get(), QString());
    EXPECT_EQ(bytes, -7);
}
#endif

TEST(CreateFolders, createsTheChainAndRefusesFilesAndNothing)
{
    QTemporaryDir dir;
    const QString deep = QDir::toNativeSeparators(dir.filePath("a/b/c"));
    EXPECT_TRUE(CreateFolders(deep));
    EXPECT_TRUE(QFileInfo(deep).isDir());
    EXPECT_TRUE(CreateFolders(deep + QDir::separator())); // existing, trailing separator

    const QString file = dir.filePath("plain");
    WriteBytes(file, 1);
    EXPECT_FALSE(CreateFolders(QDir::toNativeSeparators(file)));
    EXPECT_FALSE(CreateFolders(QDir::toNativeSeparators(file + "/sub")));
    EXPECT_FALSE(CreateFolders(QString()));
    EXPECT_FALSE(CreateFolders(QStringLiteral("no-separator-here")));
}

TEST(OnDiskPath, makesReadablePathsAbsoluteAndKeepsLinks)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("photo.jpg");
    WriteBytes(file, 3);
    ASSERT_TRUE(QDir(dir.path()).mkdir("sub"));
    const QString messy = dir.path() + "/./sub/../photo.jpg";
    EXPECT_EQ(OnDiskPath(messy), QDir::toNativeSeparators(file));

    const QString missing = dir.path() + "/./none.jpg";
    EXPECT_EQ(OnDiskPath(missing), missing);

#ifndef Q_OS_WIN
    const QString link = dir.filePath("link.jpg");
    ASSERT_TRUE(QFile::link(file, link));
    EXPECT_EQ(OnDiskPath(link), link);
#endif
}
