#include "imaging/picture.h"

#include "imaging/gifcodec.h"
#include "imaging/imageformats.h"
#include "imagingtestsupport.h"

#include <QBuffer>
#include <QImageReader>
#include <QPainter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace testsupport;

namespace {

class ImageFiles : public ::testing::Test {
protected:
    QString Write(const QString &name, const QByteArray &bytes)
    {
        const QString path = m_dir.filePath(name);
        EXPECT_TRUE(WriteBytes(path, bytes));
        return path;
    }
    QTemporaryDir m_dir;
};

} // namespace

TEST_F(ImageFiles, everyLoadPathGivesTheSizeText)
{
    const QByteArray png = Encode(Quadrants(120, 80), "png");
    const QString path = Write("a.png", png);
    Picture fromFile, fromFileInMemory, fromMemory;
    ASSERT_TRUE(fromFile.LoadFromFile(path));
    ASSERT_TRUE(fromFileInMemory.LoadFromFileInMemory(path));
    ASSERT_TRUE(fromMemory.LoadFromMemory(png.constData(), png.size()));
    for (const Picture *image : {&fromFile, &fromFileInMemory, &fromMemory}) {
        EXPECT_EQ(image->GetSizeText(), "120x80");
        EXPECT_EQ(image->GetWidth(), 120u);
        EXPECT_EQ(image->GetHeight(), 80u);
        EXPECT_EQ(image->GetRawFormat(), "png");
    }
}

TEST_F(ImageFiles, decidesByContentNotByName)
{
    const QString text = Write("photo.jpg", "This is not a picture at all.\n");
    const QString png = Write("really-a-png.jpg", Encode(Quadrants(10, 6), "png"));
    Picture image;
    EXPECT_FALSE(image.LoadFromFile(text));
    EXPECT_EQ(image.GetSizeText(), "Not an Image");
    EXPECT_TRUE(image.LoadFromFile(png));
    EXPECT_EQ(image.GetRawFormat(), "png");

    // Every format read here passes the first-bytes test that spares asking
    // each image plug-in about a page; a page, even one holding a drawing, does not.
    for (const char *format : {"png", "jpeg", "gif", "bmp", "tiff", "webp", "ico"}) {
        QByteArray bytes = Encode(Quadrants(16, 16), format);
        if (QByteArray(format) == "gif") { // Qt reads GIF but does not write it
            QBuffer buffer(&bytes);
            ASSERT_TRUE(buffer.open(QIODevice::WriteOnly)
                        && WriteGif(Quadrants(16, 16).convertToFormat(QImage::Format_Indexed8), buffer));
        }
        EXPECT_TRUE(MayBeImageFile(bytes)) << format;
        const QString path = Write(QStringLiteral("f.") + QLatin1String(format), bytes);
        EXPECT_TRUE(image.LoadFromHead(path, bytes.left(Picture::HeadBytes()))) << format;
        EXPECT_EQ(image.GetSizeText(), "16x16") << format;
    }
    const QByteArray page = "<!DOCTYPE html><html><svg width=\"9\" height=\"9\"></svg></html>";
    EXPECT_FALSE(MayBeImageFile(page));
    EXPECT_FALSE(image.LoadFromHead(Write("page.jpg", page), page));
}

TEST_F(ImageFiles, aFailedLoadEmptiesTheObject)
{
    Picture image;
    ASSERT_TRUE(image.LoadFromFile(Write("a.png", Encode(Quadrants(10, 6), "png"))));
    EXPECT_FALSE(image.LoadFromFile(m_dir.filePath("missing.png")));
    EXPECT_EQ(image.GetWidth(), 0u);
    EXPECT_EQ(image.GetSizeText(), "Not an Image");
    EXPECT_EQ(image.BuildThumbnail({m_dir.filePath("t.png"), 10, 10, 1, 0xFFFFFF, 85}), THUMB_NO_IMAGE);
    EXPECT_FALSE(image.LoadFromMemory(nullptr, 10));
    EXPECT_FALSE(image.LoadFromMemory("x", 0));
    EXPECT_FALSE(image.LoadFromFileInMemory(m_dir.filePath("missing.png")));
}

TEST_F(ImageFiles, readsTheNineCameraTexts)
{
    const QString path = Write("camera.jpg", Encode(Quadrants(64, 48), "jpeg", 90));
    ASSERT_TRUE(SetExif(path,
        {{"Exif.Image.Make", "Canon"}, {"Exif.Image.Model", "Canon EOS 300D DIGITAL"},
            {"Exif.Photo.DateTimeOriginal", "2004:05:12 10:20:30"},
            {"Exif.Image.DateTime", "2010:01:01 00:00:00"}, {"Exif.Photo.ExposureTime", "10/600"},
            {"Exif.Photo.FNumber", "56/10"}, {"Exif.Photo.FocalLength", "350/10"}, {"Exif.Photo.Flash", "25"},
            {"Exif.Photo.ISOSpeedRatings", "400"}}));
    Picture image;
    ASSERT_TRUE(image.LoadFromFileInMemory(path));
    const char *expected[]
        = {"Canon", "Canon EOS 300D DIGITAL", "12/05/2004", "10:20:30", "60", "5.6", "35", "On", "400"};
    for (int f = 0; f < kExifFieldCount; ++f)
        EXPECT_EQ(image.GetExifText(f), QString::fromLatin1(expected[f])) << "field " << f;
    EXPECT_EQ(image.GetExifText(9), "");
    EXPECT_EQ(image.GetExifText(-1), "");
}

TEST_F(ImageFiles, fallsBackToDateTimeAndLeavesAbsentTagsEmpty)
{
    const QString dated = Write("dated.jpg", Encode(Quadrants(64, 48), "jpeg"));
    ASSERT_TRUE(SetExif(dated, {{"Exif.Image.DateTime", "2004:05:12 10:20:30"}, {"Exif.Photo.Flash", "16"}}));
    const QString bare = Write("bare.jpg", Encode(Quadrants(64, 48), "jpeg"));
    Picture image;
    ASSERT_TRUE(image.LoadFromFile(dated));
    EXPECT_EQ(image.GetExifText(EXIF_DATE), "12/05/2004");
    EXPECT_EQ(image.GetExifText(EXIF_TIME), "10:20:30");
    EXPECT_EQ(image.GetExifText(EXIF_FLASH), "Off");
    EXPECT_EQ(image.GetExifText(EXIF_MAKE), "");
    ASSERT_TRUE(image.LoadFromFile(bare));
    for (int f = 0; f < kExifFieldCount; ++f)
        EXPECT_EQ(image.GetExifText(f), "") << "field " << f;
}

TEST(DrawFit, centresASmallPictureWithFaceColouredBands)
{
    const QByteArray png = Encode(Quadrants(100, 50), "png");
    Picture image;
    ASSERT_TRUE(image.LoadFromMemory(png));
    QImage target(200, 200, QImage::Format_RGB32);
    target.fill(Qt::black);
    {
        QPainter painter(&target);
        image.DrawFit(painter, QRect(0, 0, 200, 200), QColor(Qt::white));
    }
    EXPECT_EQ(ColourClass(target.pixel(50, 75)), 'r'); // drawn at (50, 75), not enlarged
    EXPECT_EQ(ColourClass(target.pixel(149, 124)), 'b');
    EXPECT_EQ(ColourClass(target.pixel(100, 74)), 'w'); // top band
    EXPECT_EQ(ColourClass(target.pixel(100, 125)), 'w'); // bottom band
    EXPECT_EQ(ColourClass(target.pixel(49, 100)), 'w');
    EXPECT_EQ(ColourClass(target.pixel(150, 100)), 'w');
}

TEST(DrawFit, shrinksALargePictureIntoAnOffsetRectangle)
{
    Picture image;
    ASSERT_TRUE(image.LoadFromMemory(Encode(Quadrants(400, 400), "jpeg", 95)));
    QImage target(300, 200, QImage::Format_RGB32);
    target.fill(Qt::black);
    {
        QPainter painter(&target);
        image.DrawFit(painter, QRect(100, 50, 200, 100), QColor(Qt::white));
    }
    EXPECT_EQ(ColourClass(target.pixel(50, 100)), 'k'); // outside the rectangle: untouched
    EXPECT_EQ(ColourClass(target.pixel(120, 100)), 'w'); // left band of the rectangle
    EXPECT_EQ(ColourClass(target.pixel(152, 52)), 'r'); // 100x100 picture at (150, 50)
    EXPECT_EQ(ColourClass(target.pixel(247, 147)), 'b');
    EXPECT_EQ(ColourClass(target.pixel(280, 100)), 'w');
}

TEST(DrawFit, fillsTheWholeRectangleWhenNothingIsHeld)
{
    Picture image;
    QImage target(20, 20, QImage::Format_RGB32);
    target.fill(Qt::black);
    {
        QPainter painter(&target);
        image.DrawFit(painter, QRect(0, 0, 20, 20), QColor(Qt::white));
    }
    EXPECT_EQ(ColourClass(target.pixel(10, 10)), 'w');
}

// With the decoders held to 1 MB a 1000 x 1000 picture (4 MB of pixels)
// cannot be decoded, so a load that succeeds has read the header only.
TEST_F(ImageFiles, loadingReadsOnlyTheHeaderInEveryFormat)
{
    const QImage picture = Quadrants(1000, 1000);
    QByteArray gif;
    {
        QBuffer buffer(&gif);
        buffer.open(QIODevice::WriteOnly);
        ASSERT_TRUE(WriteGif(picture.convertToFormat(QImage::Format_Indexed8), buffer));
    }
    const std::pair<const char *, QByteArray> files[] = {{"a.jpg", Encode(picture, "jpeg")},
        {"a.png", Encode(picture, "png")}, {"a.gif", gif}, {"a.bmp", Encode(picture, "bmp")},
        {"a.tif", Encode(picture, "tiff")}, {"a.webp", Encode(picture, "webp")}};
    QList<QString> paths;
    for (const auto &[name, bytes] : files)
        paths.append(Write(name, bytes));
    const int previous = QImageReader::allocationLimit();
    QImageReader::setAllocationLimit(1);
    QStringList failures;
    for (const QString &path : paths) {
        Picture fromFile, fromMemory;
        if (!fromFile.LoadFromFile(path) || fromFile.GetSizeText() != "1000x1000"
            || !fromMemory.LoadFromFileInMemory(path) || fromMemory.GetSizeText() != "1000x1000")
            failures.append(path);
    }
    QImageReader::setAllocationLimit(previous);
    EXPECT_TRUE(failures.isEmpty()) << failures.join(' ').toStdString();
}

// A header longer than the first read (comments before the EXIF block, as
// some editors leave) is read in place: the camera texts and the turn stay.
TEST_F(ImageFiles, findsTheExifBeyondALongHeader)
{
    const QString path = Write("long.jpg", Encode(Quadrants(64, 48), "jpeg", 90));
    ASSERT_TRUE(SetExif(path, {{"Exif.Image.Make", "Canon"}, {"Exif.Image.Orientation", "6"}}));
    QByteArray bytes = ReadBytes(path);
    const QByteArray comment = QByteArray("\xFF\xFE\xFF\xF0", 4) + QByteArray(0xFFF0 - 2, 'c');
    bytes.insert(2, comment + comment);
    const QString longer = Write("longer.jpg", bytes);
    for (const QString &file : {path, longer}) {
        Picture image;
        ASSERT_TRUE(image.LoadFromFile(file)) << qPrintable(file);
        EXPECT_EQ(image.GetSizeText(), "48x64") << qPrintable(file);
        EXPECT_EQ(image.GetExifText(EXIF_MAKE), "Canon") << qPrintable(file);
    }
}
