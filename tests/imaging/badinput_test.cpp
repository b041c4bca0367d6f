// Damaged and hostile files: each must give "Not an Image" or a result code,
// quickly and without a large allocation.
#include "imaging/picture.h"

#include "imaging/gifcodec.h"
#include "imagingtestsupport.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

using namespace testsupport;

namespace {

class BadInput : public ::testing::Test {
protected:
    QString Write(const QByteArray &bytes, const QString &name = QStringLiteral("bad.jpg"))
    {
        const QString path = m_dir.filePath(name);
        EXPECT_TRUE(WriteBytes(path, bytes));
        return path;
    }
    ThumbnailResult Thumb(Picture &image)
    {
        return image.BuildThumbnail({m_dir.filePath("thumb"), 64, 48, 0, 0xFFFFFF, 85});
    }
    QTemporaryDir m_dir;
};

// A little-endian TIFF of 4x4 grey pixels whose IFD chain points back at itself.
QByteArray LoopingTiff()
{
    QByteArray t("II*\0", 4);
    auto u16 = [&t](quint16 v) {
        char b[2];
        qToLittleEndian(v, b);
        t.append(b, 2);
    };
    auto u32 = [&t](quint32 v) {
        char b[4];
        qToLittleEndian(v, b);
        t.append(b, 4);
    };
    u32(8);
    const quint16 entries = 8;
    u16(entries);
    const quint32 pixels = 8 + 2 + entries * 12 + 4;
    auto entry = [&](quint16 tag, quint16 type, quint32 value) {
        u16(tag);
        u16(type);
        u32(1);
        if (type == 3) {
            u16(quint16(value));
            u16(0);
        } else {
            u32(value);
        }
    };
    entry(256, 3, 4); // width
    entry(257, 3, 4); // height
    entry(258, 3, 8); // bits per sample
    entry(259, 3, 1); // no compression
    entry(262, 3, 1); // black is zero
    entry(273, 4, pixels); // strip offset
    entry(278, 3, 4); // rows per strip
    entry(279, 4, 16); // strip bytes
    u32(8); // next IFD: this one again
    t.append(QByteArray(16, '\x80'));
    return t;
}

} // namespace

TEST_F(BadInput, zeroByteFileIsNotAnImage)
{
    const QString path = Write({});
    Picture image;
    EXPECT_FALSE(image.LoadFromFile(path));
    EXPECT_FALSE(image.LoadFromFileInMemory(path));
    EXPECT_EQ(image.GetSizeText(), "Not an Image");
}

TEST_F(BadInput, jpegCutInsideItsHeaderIsNotAnImage)
{
    const QByteArray jpeg = Encode(Quadrants(200, 100), "jpeg");
    Picture image;
    EXPECT_FALSE(image.LoadFromMemory(jpeg.left(100)));
}

TEST_F(BadInput, jpegCutInItsDataStillGivesAThumbnail)
{
    const QByteArray jpeg = Encode(Quadrants(400, 300), "jpeg");
    Picture image;
    ASSERT_TRUE(image.LoadFromMemory(jpeg.left(jpeg.size() / 2)));
    EXPECT_EQ(image.GetSizeText(), "400x300");
    EXPECT_EQ(Thumb(image), THUMB_WRITTEN);
}

TEST_F(BadInput, pngDeclaringAHugeSizeIsRefusedWithoutDecoding)
{
    Picture image;
    ASSERT_TRUE(image.LoadFromMemory(PngDeclaring(100000, 100000)));
    EXPECT_EQ(image.GetSizeText(), "100000x100000");
    EXPECT_EQ(Thumb(image), THUMB_OUT_OF_MEMORY);
    EXPECT_FALSE(QFile::exists(m_dir.filePath("thumb")));
}

TEST_F(BadInput, gifWithoutAnyColourTableStillWritesAGif)
{
    QImage picture(8, 8, QImage::Format_Indexed8);
    picture.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    picture.fill(1);
    QByteArray gif;
    QBuffer buffer(&gif);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(WriteGif(picture, buffer));
    // Drop the global table: clear its flag and cut its two entries out.
    ASSERT_EQ(GifGlobalTableSize(gif), 2);
    gif[10] = char(uchar(gif[10]) & 0x78);
    gif.remove(13, 6);
    ASSERT_EQ(GifGlobalTableSize(gif), 0);

    Picture image;
    ASSERT_TRUE(image.LoadFromMemory(gif));
    EXPECT_EQ(image.GetSizeText(), "8x8");
    EXPECT_EQ(Thumb(image), THUMB_WRITTEN);
    EXPECT_GT(GifGlobalTableSize(ReadBytes(m_dir.filePath("thumb"))), 0);
}

TEST_F(BadInput, tiffWithALoopingDirectoryChainEnds)
{
    Picture image;
    const QString path = Write(LoopingTiff(), "loop.tif");
    ASSERT_TRUE(image.LoadFromFile(path));
    EXPECT_EQ(image.GetSizeText(), "4x4");
    EXPECT_EQ(Thumb(image), THUMB_WRITTEN);
}

TEST_F(BadInput, foldersAndEmptyPathsAreNotImages)
{
    Picture image;
    EXPECT_FALSE(image.LoadFromFile(m_dir.path()));
    EXPECT_FALSE(image.LoadFromFileInMemory(m_dir.path()));
    EXPECT_FALSE(image.LoadFromFile(QString()));
    EXPECT_FALSE(image.LoadFromFileInMemory(QString()));
}

// Files that refuse to be read for any user, root included: one refuses to
// open, the other opens and then fails every read.
TEST_F(BadInput, unreadableFilesAreNotImages)
{
    const QString refusesOpen = QStringLiteral("/proc/sys/vm/drop_caches");
    const QString failsReads = QStringLiteral("/proc/self/mem");
    QFile probe(refusesOpen);
    ASSERT_TRUE(QFileInfo(refusesOpen).isFile());
    ASSERT_FALSE(probe.open(QIODevice::ReadOnly));
    QFile reads(failsReads);
    ASSERT_TRUE(QFileInfo(failsReads).isFile());
    ASSERT_TRUE(reads.open(QIODevice::ReadOnly));
    ASSERT_EQ(reads.read(1).size(), 0);
    reads.close();

    for (const QString &path : {refusesOpen, failsReads}) {
        Picture image;
        EXPECT_FALSE(image.LoadFromFile(path)) << qPrintable(path);
        EXPECT_FALSE(image.LoadFromFileInMemory(path)) << qPrintable(path);
        EXPECT_EQ(image.GetSizeText(), "Not an Image");
    }
}
