#include "pagegen/ziparchive.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <zip.h>

namespace {

struct Entry {
    QByteArray content;
    zip_uint16_t method = 0;
};

// What another zip reader finds in the archive: name -> content and method.
std::map<std::string, Entry> ReadArchive(const QString &path)
{
    std::map<std::string, Entry> entries;
    int error = 0;
    zip_t *archive = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY | ZIP_CHECKCONS, &error);
    if (!archive) {
        ADD_FAILURE() << "libzip cannot open " << path.toStdString() << " (error " << error << ")";
        return entries;
    }
    for (zip_int64_t i = 0; i < zip_get_num_entries(archive, 0); ++i) {
        zip_stat_t stat;
        zip_stat_index(archive, zip_uint64_t(i), 0, &stat);
        Entry entry;
        entry.method = stat.comp_method;
        entry.content.resize(qsizetype(stat.size));
        zip_file_t *file = zip_fopen_index(archive, zip_uint64_t(i), 0);
        const zip_int64_t got = zip_fread(file, entry.content.data(), stat.size);
        zip_fclose(file);
        EXPECT_EQ(got, zip_int64_t(stat.size)) << stat.name;
        entries[stat.name] = entry;
    }
    zip_discard(archive);
    return entries;
}

QByteArray Compressible() { return QByteArray("Une ligne qui se répète. ").repeated(2000); }

QByteArray Incompressible()
{
    QByteArray bytes(64 * 1024, Qt::Uninitialized);
    QRandomGenerator generator(42);
    for (char &c : bytes)
        c = char(generator.generate());
    return bytes;
}

class ZipArchiveTest : public ::testing::Test {
protected:
    QString Path(const QString &name) const { return m_dir.filePath(name); }
    QString Write(const QString &name, const QByteArray &content) const
    {
        const QString path = Path(name);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        return path;
    }

    QTemporaryDir m_dir;
};

TEST_F(ZipArchiveTest, createReplacesAnExistingFileWithAValidEmptyArchiveAtOnce)
{
    const QString zipPath = Write(QStringLiteral("images.zip"), "not a zip at all");
    ZipArchive archive;
    archive.Open(zipPath, ZipArchive::zipCreate, 0);
    EXPECT_TRUE(ReadArchive(zipPath).empty());
    archive.Close(0, false);
    EXPECT_TRUE(archive.IsClosed());
    // libzip removes archives closed without entries; the builder needs the file.
    ASSERT_TRUE(QFile::exists(zipPath));
    EXPECT_TRUE(ReadArchive(zipPath).empty());
}

TEST_F(ZipArchiveTest, closedArchiveHoldsEveryAddedFileUnderItsNameWithItsContent)
{
    const QString zipPath = Path(QStringLiteral("images.zip"));
    const QString text = Write(QStringLiteral("a.txt"), Compressible());
    const QString noise = Write(QStringLiteral("photos/2004/été.jpg"), Incompressible());
    ZipArchive archive;
    archive.Open(zipPath);
    EXPECT_TRUE(archive.AddNewFile(text, QStringLiteral("a.txt"), 5, ZipArchive::zipsmSafeSmart, 65536));
    EXPECT_TRUE(archive.AddNewFile(noise, QStringLiteral("photos/2004/été.jpg")));
    archive.Close(0, false);

    const auto entries = ReadArchive(zipPath);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries.at("a.txt").content, Compressible());
    EXPECT_EQ(entries.at("a.txt").method, ZIP_CM_DEFLATE);
    EXPECT_EQ(entries.at("photos/2004/été.jpg").content, Incompressible());
    // Deflating random bytes makes them larger: they are stored instead.
    EXPECT_EQ(entries.at("photos/2004/été.jpg").method, ZIP_CM_STORE);
    EXPECT_GT(QFileInfo(zipPath).size(), 64 * 1024);
}

TEST_F(ZipArchiveTest, withoutTheEfficiencyCheckAnUnhelpfulDeflateIsKept)
{
    const QString zipPath = Path(QStringLiteral("images.zip"));
    const QString noise = Write(QStringLiteral("n.bin"), Incompressible());
    ZipArchive archive;
    archive.Open(zipPath);
    ASSERT_TRUE(archive.AddNewFile(noise, QStringLiteral("n.bin"), 5, 0));
    archive.Close();
    EXPECT_EQ(ReadArchive(zipPath).at("n.bin").method, ZIP_CM_DEFLATE);
}

TEST_F(ZipArchiveTest, missingOrUnreadableFilesAreRefusedAndTheArchiveStaysUsable)
{
    const QString zipPath = Path(QStringLiteral("images.zip"));
    const QString good = Write(QStringLiteral("good.jpg"), "jpeg bytes");
    QDir().mkpath(Path(QStringLiteral("folder.jpg")));
    ZipArchive archive;
    archive.Open(zipPath);
    EXPECT_FALSE(archive.AddNewFile(Path(QStringLiteral("gone.jpg")), QStringLiteral("gone.jpg")));
    EXPECT_FALSE(archive.AddNewFile(Path(QStringLiteral("folder.jpg")), QStringLiteral("folder.jpg")));
    EXPECT_TRUE(archive.AddNewFile(good, QStringLiteral("good.jpg")));
    archive.Close();
    const auto entries = ReadArchive(zipPath);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries.at("good.jpg").content, QByteArray("jpeg bytes"));
}

TEST_F(ZipArchiveTest, aFileThatVanishesAfterItWasAddedIsStillWritten)
{
    const QString zipPath = Path(QStringLiteral("images.zip"));
    const QString image = Write(QStringLiteral("short-lived.jpg"), Compressible());
    ZipArchive archive;
    archive.Open(zipPath);
    ASSERT_TRUE(archive.AddNewFile(image, QStringLiteral("short-lived.jpg")));
    ASSERT_TRUE(QFile::remove(image));
    archive.Close();
    EXPECT_EQ(ReadArchive(zipPath).at("short-lived.jpg").content, Compressible());
}

TEST_F(ZipArchiveTest, sameNameTwiceGetsANumberedSecondEntryInsteadOfOverwriting)
{
    const QString zipPath = Path(QStringLiteral("images.zip"));
    const QString first = Write(QStringLiteral("x/a.jpg"), "first");
    const QString second = Write(QStringLiteral("y/A.jpg"), "second");
    const QString third = Write(QStringLiteral("z/a.jpg"), "third");
    ZipArchive archive;
    archive.Open(zipPath);
    EXPECT_TRUE(archive.AddNewFile(first, QStringLiteral("a.jpg")));
    EXPECT_TRUE(archive.AddNewFile(second, QStringLiteral("A.jpg")));
    EXPECT_TRUE(archive.AddNewFile(third, QStringLiteral("a.jpg")));
    archive.Close();
    const auto entries = ReadArchive(zipPath);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries.at("a.jpg").content, QByteArray("first"));
    EXPECT_EQ(entries.at("A (2).jpg").content, QByteArray("second"));
    EXPECT_EQ(entries.at("a (3).jpg").content, QByteArray("third"));
}

TEST_F(ZipArchiveTest, manyFilesOnOnePageAreAllWrittenAndJudged)
{
    const QString zipPath = Path(QStringLiteral("images.zip"));
    ZipArchive archive;
    archive.Open(zipPath);
    const int count = 300; // more than the files held open at once
    for (int i = 0; i < count; ++i) {
        const QByteArray content = i % 2 ? Incompressible().left(2000 + i) : Compressible().left(3000 + i);
        const QString name = QStringLiteral("f%1.bin").arg(i);
        ASSERT_TRUE(archive.AddNewFile(Write(name, content), name));
    }
    archive.Close();
    const auto entries = ReadArchive(zipPath);
    ASSERT_EQ(entries.size(), size_t(count));
    for (int i = 0; i < count; ++i) {
        const Entry &entry = entries.at(QStringLiteral("f%1.bin").arg(i).toStdString());
        EXPECT_EQ(entry.content.size(), i % 2 ? 2000 + i : 3000 + i);
        EXPECT_EQ(entry.method, i % 2 ? ZIP_CM_STORE : ZIP_CM_DEFLATE) << i;
    }
}

TEST_F(ZipArchiveTest, openingInAFolderThatDoesNotExistThrowsAFileError)
{
    ZipArchive archive;
    try {
        archive.Open(Path(QStringLiteral("missing/images.zip")));
        FAIL() << "no exception";
    } catch (const ZipException &e) {
        EXPECT_EQ(e.cause(), ZipException::FileError);
    }
    EXPECT_TRUE(archive.IsClosed());
}

TEST_F(ZipArchiveTest, volumesAreRefused)
{
    ZipArchive archive;
    EXPECT_THROW(archive.Open(Path(QStringLiteral("images.zip")), ZipArchive::zipCreate, 1024), ZipException);
    EXPECT_FALSE(QFile::exists(Path(QStringLiteral("images.zip"))));
}

TEST_F(ZipArchiveTest, aFailedCloseKeepsTheArchiveOpenUntilItIsReleased)
{
    const QString folder = Path(QStringLiteral("site"));
    QDir().mkpath(folder);
    const QString image = Write(QStringLiteral("a.jpg"), Compressible());
    ZipArchive archive;
    archive.Open(folder + QStringLiteral("/images.zip"));
    ASSERT_TRUE(archive.AddNewFile(image, QStringLiteral("a.jpg")));
    ASSERT_TRUE(QDir(folder).removeRecursively()); // nowhere left to write to
    EXPECT_THROW(archive.Close(0, false), ZipException);
    EXPECT_FALSE(archive.IsClosed());
    archive.CloseFileAfterTestFailed();
    EXPECT_TRUE(archive.IsClosed());
    EXPECT_NO_THROW(archive.Close(0, false));
}

TEST_F(ZipArchiveTest, closeAfterAnExceptionDropsWhatWasPending)
{
    const QString zipPath = Path(QStringLiteral("images.zip"));
    ZipArchive archive;
    archive.Open(zipPath);
    ASSERT_TRUE(archive.AddNewFile(Write(QStringLiteral("a.jpg"), "a"), QStringLiteral("a.jpg")));
    archive.Close(1, false);
    EXPECT_TRUE(archive.IsClosed());
    EXPECT_TRUE(ReadArchive(zipPath).empty());
}

TEST(ZipEntryName, keepsSubFoldersAndDropsClimbingSteps)
{
    const struct {
        const char *folder;
        const char *file;
        const char *expected;
    } rows[] = {
        {"", "a.jpg", "a.jpg"},
        {"photos/2004/", "a.jpg", "photos/2004/a.jpg"},
        {"../other/", "a.jpg", "other/a.jpg"},
        {"../../", "a.jpg", "a.jpg"},
        {"../../x/y/", "b c.jpg", "x/y/b c.jpg"},
        {"./sub/", "a.jpg", "sub/a.jpg"},
        {"x../", "a.jpg", "x../a.jpg"},
        {"???PATH???", "a.jpg", "a.jpg"},
    };
    for (const auto &row : rows) {
        EXPECT_EQ(ZipEntryName(QString::fromUtf8(row.folder), QString::fromUtf8(row.file)).toStdString(),
                  row.expected)
            << row.folder;
    }
}

} // namespace
