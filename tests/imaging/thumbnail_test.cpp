#include "imaging/picture.h"

#include "imaging/gifcodec.h"
#include "imagingtestsupport.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace testsupport;

namespace {

constexpr COLORREF kWhite = 0xFFFFFF;
constexpr COLORREF kMagenta = 0xFF00FF;

class Thumbnails : public ::testing::Test {
protected:
    // Loads the bytes through memory, as the thumbnail worker does, and builds.
    ThumbnailResult Build(
        const QByteArray &source, int w, int h, int stretch, COLORREF bg = kWhite, int quality = 85)
    {
        Picture image;
        const QString src = m_dir.filePath("source");
        WriteBytes(src, source);
        EXPECT_TRUE(image.LoadFromFileInMemory(src));
        return image.BuildThumbnail({Target(), w, h, stretch, bg, quality});
    }
    QString Target() const { return m_dir.filePath("thumb"); }
    QImage ReadBack(QByteArray *format = nullptr) const
    {
        QImageReader reader(Target());
        if (format)
            *format = reader.format();
        return reader.read();
    }
    QTemporaryDir m_dir;
};

QImage Indexed(int colours, int w, int h)
{
    QImage image(w, h, QImage::Format_Indexed8);
    QList<QRgb> table;
    for (int i = 0; i < colours; ++i)
        table.append(qRgb((i * 37) % 256, (i * 91) % 256, (i * 53) % 256));
    image.setColorTable(table);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, (x / 4 + y / 4) % colours);
    return image;
}

QByteArray Gif(const QImage &indexed)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(WriteGif(indexed, buffer));
    return bytes;
}

} // namespace

TEST_F(Thumbnails, jpegKeepsQualityAndCarriesOnlyTheSoftwareTag)
{
    const QString src = m_dir.filePath("camera.jpg");
    WriteBytes(src, Encode(Quadrants(800, 600), "jpeg", 92));
    ASSERT_TRUE(SetExif(src, {{"Exif.Image.Make", "Nikon"}, {"Exif.Photo.FNumber", "28/10"}}));
    Picture image;
    ASSERT_TRUE(image.LoadFromFileInMemory(src));
    ASSERT_EQ(image.BuildThumbnail({Target(), 171, 128, 1, kWhite, 70}), THUMB_WRITTEN);
    const QByteArray written = ReadBytes(Target());
    EXPECT_EQ(JpegQuality(written), 70);
    const auto exif = ExifOf(Target());
    ASSERT_EQ(exif.size(), 1u);
    EXPECT_EQ(exif.begin()->first, "Exif.Image.Software");
    EXPECT_EQ(exif.begin()->second, "Vorlex Gallorim v3");
    QByteArray format;
    const QImage back = ReadBack(&format);
    EXPECT_EQ(format, "jpeg");
    EXPECT_EQ(back.size(), QSize(171, 128));
    EXPECT_EQ(ColourClass(back.pixel(5, 5)), 'r');
    EXPECT_EQ(ColourClass(back.pixel(165, 122)), 'b');
}

TEST_F(Thumbnails, fixedBoxCentresWithBackgroundMargins)
{
    ASSERT_EQ(Build(Encode(Quadrants(1000, 1000), "png"), 128, 96, 0, kMagenta), THUMB_WRITTEN);
    const QImage back = ReadBack();
    ASSERT_EQ(back.size(), QSize(128, 96));
    // drawn 96 x 96 at x = 16: bands of 16 pixels on both sides
    for (int x : {0, 15, 112, 127})
        EXPECT_EQ(back.pixel(x, 50), qRgb(255, 0, 255)) << x;
    EXPECT_EQ(ColourClass(back.pixel(17, 1)), 'r');
    EXPECT_EQ(ColourClass(back.pixel(110, 94)), 'b');
}

TEST_F(Thumbnails, fixedBoxEnlargesASmallSourceToTouchTheBox)
{
    ASSERT_EQ(Build(Encode(Quadrants(64, 48), "png"), 128, 96, 0, kMagenta), THUMB_WRITTEN);
    const QImage back = ReadBack();
    EXPECT_EQ(ColourClass(back.pixel(0, 0)), 'r');
    EXPECT_EQ(ColourClass(back.pixel(127, 95)), 'b');
}

TEST_F(Thumbnails, pngStaysPngWithAlpha)
{
    QImage source(200, 100, QImage::Format_ARGB32);
    source.fill(qRgba(0, 0, 255, 128));
    ASSERT_EQ(Build(Encode(source, "png"), 20, 10, 1), THUMB_WRITTEN);
    const QByteArray bytes = ReadBytes(Target());
    EXPECT_EQ(PngColourType(bytes), 6); // RGBA
    const QImage back = ReadBack();
    EXPECT_EQ(back.size(), QSize(20, 10));
    EXPECT_NEAR(qAlpha(back.pixel(10, 5)), 128, 2);
}

TEST_F(Thumbnails, bmpKeepsItsDepth)
{
    const QImage rgb = Quadrants(300, 200);
    ASSERT_EQ(Build(Encode(rgb.convertToFormat(QImage::Format_RGB888), "bmp"), 30, 20, 1), THUMB_WRITTEN);
    EXPECT_EQ(BmpBitsPerPixel(ReadBytes(Target())), 24);
    EXPECT_EQ(ColourClass(ReadBack().pixel(2, 2)), 'r');

    const QImage eight = Indexed(16, 64, 64);
    ASSERT_EQ(Build(Encode(eight, "bmp"), 64, 80, 0, kMagenta), THUMB_WRITTEN);
    const QByteArray bytes = ReadBytes(Target());
    EXPECT_EQ(BmpBitsPerPixel(bytes), 8);
    const QImage back = ReadBack();
    ASSERT_EQ(back.format(), QImage::Format_Indexed8);
    EXPECT_EQ(back.colorTable().mid(0, 16), eight.colorTable());
    EXPECT_EQ(back.colorTable().value(16), qRgb(255, 0, 255)); // background appended
    EXPECT_EQ(back.pixel(10, 2), qRgb(255, 0, 255)); // top margin
}

TEST_F(Thumbnails, gifGoesThroughItsPaletteAndGainsTheBackground)
{
    ASSERT_EQ(Build(Gif(Indexed(16, 64, 64)), 64, 80, 0, kMagenta), THUMB_WRITTEN);
    QFile f(Target());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QList<QRgb> palette = ReadGifPalette(f);
    ASSERT_GE(palette.size(), 17);
    EXPECT_EQ(palette[16], qRgb(255, 0, 255));
    QByteArray format;
    const QImage back = ReadBack(&format);
    EXPECT_EQ(format, "gif");
    EXPECT_EQ(back.size(), QSize(64, 80));
    EXPECT_EQ(back.pixel(10, 2), qRgb(255, 0, 255));
}

TEST_F(Thumbnails, fullGifPaletteGetsNoExtraEntry)
{
    const QImage full = Indexed(256, 64, 64);
    ASSERT_EQ(Build(Gif(full), 64, 80, 0, kMagenta), THUMB_WRITTEN);
    QFile f(Target());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QList<QRgb> palette = ReadGifPalette(f);
    EXPECT_EQ(palette, full.colorTable());
    // the margin takes the nearest colour the palette has
    EXPECT_TRUE(full.colorTable().contains(ReadBack().pixel(10, 2)));
}

// The first frame brings its own colours; the global table holds only greys.
TEST_F(Thumbnails, gifFrameWithItsOwnTableUsesThatTable)
{
    const QImage picture = Quadrants(16, 16).convertToFormat(
        QImage::Format_Indexed8, {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(255, 255, 0)});
    QByteArray gif = Gif(picture);
    ASSERT_EQ(GifGlobalTableSize(gif), 4);
    const QByteArray local = gif.mid(13, 12);
    gif.replace(13, 12, QByteArray::fromHex("101010202020303030404040"));
    ASSERT_EQ(uchar(gif[25]), 0x2C) << "image descriptor right after the table";
    gif[34] = char(0x80 | 1); // a local table of 4 entries follows the descriptor
    gif.insert(35, local);

    ASSERT_EQ(Build(gif, 16, 20, 0, kMagenta), THUMB_WRITTEN);
    QFile f(Target());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(ReadGifPalette(f).mid(0, 5), picture.colorTable() + QList<QRgb> {qRgb(255, 0, 255)});
    const QImage back = ReadBack();
    EXPECT_EQ(back.pixel(2, 4), qRgb(255, 0, 0));
    EXPECT_EQ(back.pixel(13, 15), qRgb(0, 0, 255));
}

TEST_F(Thumbnails, gifTransparencySurvives)
{
    QImage source = Indexed(4, 32, 32);
    QList<QRgb> table = source.colorTable();
    table[0] = qRgba(0, 0, 0, 0);
    source.setColorTable(table);
    source.fill(0);
    ASSERT_EQ(Build(Gif(source), 16, 16, 1), THUMB_WRITTEN);
    EXPECT_EQ(qAlpha(ReadBack().convertToFormat(QImage::Format_ARGB32).pixel(8, 8)), 0);
}

TEST_F(Thumbnails, tiffIsLzwAtTheSourceDepth)
{
    struct Row {
        QImage source;
        int bitsPerPixel;
    };
    QImage alpha(40, 40, QImage::Format_ARGB32);
    alpha.fill(qRgba(10, 200, 10, 100));
    const Row rows[] = {{Quadrants(40, 40), 24}, {alpha, 32}, {Indexed(16, 40, 40), 8}};
    for (const Row &r : rows) {
        ASSERT_EQ(Build(Encode(r.source, "tiff"), 20, 20, 1), THUMB_WRITTEN);
        const QByteArray bytes = ReadBytes(Target());
        ASSERT_TRUE(bytes.startsWith("II*") || bytes.startsWith("MM\0*")) << r.bitsPerPixel;
        QImageReader reader(Target());
        const QImage back = reader.read();
        EXPECT_EQ(back.size(), QSize(20, 20));
        EXPECT_EQ(back.depth() == 8 ? 8 : back.hasAlphaChannel() ? 32 : 24, r.bitsPerPixel);
        const auto tags = TiffTags(bytes);
        EXPECT_EQ(tags.at(259), 5u) << "LZW";
        EXPECT_EQ(tags.at(258) * (tags.count(277) ? tags.at(277) : 1), quint32(r.bitsPerPixel));
    }
}

TEST_F(Thumbnails, resultCodesForImpossibleRequests)
{
    const QByteArray png = Encode(Quadrants(40, 40), "png");
    EXPECT_EQ(Build(png, 0, 10, 1), THUMB_BAD_SIZE);
    EXPECT_EQ(Build(png, 10, -1, 0), THUMB_BAD_SIZE);
    EXPECT_FALSE(QFile::exists(Target()));
    EXPECT_EQ(Build(Encode(Quadrants(32, 32), "ico"), 16, 16, 1), THUMB_NO_ENCODER);
    EXPECT_FALSE(QFile::exists(Target()));
    EXPECT_EQ(Build(png, 100000, 100000, 1), THUMB_OUT_OF_MEMORY);
}

// An empty object answers 1 whatever the box; a bad box answers 4 before the
// format is looked at. None of them touches an older thumbnail.
TEST_F(Thumbnails, checksComeInOrderAndKeepTheOlderFile)
{
    ASSERT_TRUE(WriteBytes(Target(), "older"));
    Picture empty;
    EXPECT_EQ(empty.BuildThumbnail({Target(), 0, 0, 1, kWhite, 85}), THUMB_NO_IMAGE);
    const QByteArray icon = Encode(Quadrants(32, 32), "ico");
    EXPECT_EQ(Build(icon, 0, 16, 1), THUMB_BAD_SIZE);
    EXPECT_EQ(Build(icon, 16, 16, 1), THUMB_NO_ENCODER);
    EXPECT_EQ(Build(Encode(Quadrants(40, 40), "png"), 100000, 100000, 1), THUMB_OUT_OF_MEMORY);
    EXPECT_EQ(ReadBytes(Target()), "older");
}

TEST_F(Thumbnails, replacesAnOlderFileAndKeepsItWhenWritingFails)
{
    ASSERT_TRUE(WriteBytes(Target(), "older"));
    ASSERT_EQ(Build(Encode(Quadrants(40, 40), "png"), 10, 10, 1), THUMB_WRITTEN);
    EXPECT_EQ(ReadBack().size(), QSize(10, 10));

    Picture image;
    ASSERT_TRUE(image.LoadFromMemory(Encode(Quadrants(40, 40), "png")));
    EXPECT_EQ(
        image.BuildThumbnail({m_dir.filePath("no/such/folder/t.png"), 10, 10, 1, kWhite, 85}), THUMB_FAILED);
    EXPECT_EQ(image.BuildThumbnail({QString(), 10, 10, 1, kWhite, 85}), THUMB_FAILED);
    EXPECT_EQ(image.BuildThumbnail({m_dir.path(), 10, 10, 1, kWhite, 85}), THUMB_FAILED);
}

// An empty or "./" affix makes the thumbnail path name the photo itself.
TEST_F(Thumbnails, neverWritesOverTheFileThePictureCameFrom)
{
    const QString src = m_dir.filePath("photo.png");
    const QByteArray original = Encode(Quadrants(40, 40), "png");
    ASSERT_TRUE(WriteBytes(src, original));
    const QString sameFile = m_dir.path() + "/./photo.png";
    Picture fromFile, fromFileInMemory;
    ASSERT_TRUE(fromFile.LoadFromFile(src));
    ASSERT_TRUE(fromFileInMemory.LoadFromFileInMemory(src));
    for (Picture *image : {&fromFile, &fromFileInMemory}) {
        EXPECT_EQ(image->BuildThumbnail({src, 10, 10, 1, kWhite, 85}), THUMB_FAILED);
        EXPECT_EQ(image->BuildThumbnail({sameFile, 10, 10, 1, kWhite, 85}), THUMB_FAILED);
        EXPECT_EQ(ReadBytes(src), original);
    }
    EXPECT_EQ(fromFileInMemory.BuildThumbnail({Target(), 10, 10, 1, kWhite, 85}), THUMB_WRITTEN);
}

TEST_F(Thumbnails, webpStaysWebp)
{
    ASSERT_EQ(Build(Encode(Quadrants(300, 200), "webp", 90), 60, 40, 1), THUMB_WRITTEN);
    QByteArray format;
    const QImage back = ReadBack(&format);
    EXPECT_EQ(format, "webp");
    EXPECT_EQ(back.size(), QSize(60, 40));
    EXPECT_EQ(ColourClass(back.pixel(3, 3)), 'r');
}

// With the decoders held to 8 MB, a 3000 x 3000 JPEG (36 MB at full size)
// still gives a thumbnail because it is decoded at an eighth of its size; a
// PNG has no such reduction and is refused as out of memory.
TEST_F(Thumbnails, shrinksJpegsWhileLoading)
{
    const QByteArray jpeg = Encode(Quadrants(3000, 3000), "jpeg", 80);
    const QByteArray png = Encode(Quadrants(3000, 3000), "png");
    const int previous = QImageReader::allocationLimit();
    QImageReader::setAllocationLimit(8);
    const ThumbnailResult fromJpeg = Build(jpeg, 128, 96, 0);
    const QImage back = ReadBack();
    const ThumbnailResult fromPng = Build(png, 128, 96, 0);
    QImageReader::setAllocationLimit(previous);
    EXPECT_EQ(fromJpeg, THUMB_WRITTEN);
    EXPECT_EQ(ColourClass(back.pixel(20, 5)), 'r');
    EXPECT_EQ(fromPng, THUMB_OUT_OF_MEMORY);
}

// 1400 x 1400 fits the 8 MB canvas, but the JPEG must then be decoded at half
// its size, 1500 x 1500 (9 MB): that is a lack of memory, not a broken file.
TEST_F(Thumbnails, aDecodeBeyondTheLimitIsOutOfMemory)
{
    const QByteArray jpeg = Encode(Quadrants(3000, 3000), "jpeg", 80);
    const int previous = QImageReader::allocationLimit();
    QImageReader::setAllocationLimit(8);
    const ThumbnailResult big = Build(jpeg, 1400, 1400, 1);
    const ThumbnailResult small = Build(jpeg, 1000, 1000, 1); // decoded at 3/8: 4.3 MB
    QImageReader::setAllocationLimit(previous);
    EXPECT_EQ(big, THUMB_OUT_OF_MEMORY);
    EXPECT_EQ(small, THUMB_WRITTEN);
}
