// Full-size JPEG copies of HEIC photos, which pages link instead of the photo.
#include "imaging/fullsizejpeg.h"

#include "document/fullsizecopy.h"
#include "document/imageprobe.h"

#include "imagingtestsupport.h"

#include <QColorSpace>
#include <QTemporaryDir>
#include <exiv2/exiv2.hpp>
#include <gtest/gtest.h>

using namespace testsupport;

namespace {

// A camera's EXIF saying "turn me": the copy is upright already and must not say so.
QByteArray CameraExif()
{
    Exiv2::ExifData exif;
    exif["Exif.Image.Make"] = "Phonemaker";
    exif["Exif.Image.Model"] = "Pocket 12";
    exif["Exif.Photo.ExposureTime"] = Exiv2::URational(1, 60);
    exif["Exif.Image.Orientation"] = uint16_t(6);
    Exiv2::Blob blob;
    Exiv2::ExifParser::encode(blob, Exiv2::littleEndian, exif);
    return QByteArray(reinterpret_cast<const char *>(blob.data()), static_cast<qsizetype>(blob.size()));
}

class FullSizeCopy : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        // Stored turned a quarter to the right: upright it is 32 x 64, yellow at the top left.
        const QByteArray heic = EncodeHeif(Quadrants(64, 32), false, 6, CameraExif());
        ASSERT_FALSE(heic.isEmpty()) << "no HEVC encoder";
        ASSERT_TRUE(WriteBytes(Path("IMG_1.HEIC"), heic));
    }
    QString Path(const QString &name) const { return m_dir.filePath(name); }
    QTemporaryDir m_dir;
};

} // namespace

TEST_F(FullSizeCopy, isAnUprightJpegOfTheAskedQualityWithTheCameraTextsButNoOrientation)
{
    const QString copy = Path("copy.jpg");
    ASSERT_EQ(WriteFullSizeJpeg(Path("IMG_1.HEIC"), copy, 77), FullSizeCopyResult::Written);
    const QByteArray bytes = ReadBytes(copy);
    const QImage picture = QImage::fromData(bytes, "jpeg");
    ASSERT_EQ(picture.size(), QSize(32, 64));
    EXPECT_EQ(ColourClass(picture.pixel(4, 4)), 'y');
    EXPECT_EQ(ColourClass(picture.pixel(27, 4)), 'r');
    EXPECT_EQ(ColourClass(picture.pixel(27, 60)), 'g');
    EXPECT_EQ(JpegQuality(bytes), 77);
    const auto exif = ExifOf(copy);
    EXPECT_EQ(exif.at("Exif.Image.Make"), "Phonemaker");
    EXPECT_EQ(exif.at("Exif.Image.Model"), "Pocket 12");
    EXPECT_EQ(exif.count("Exif.Image.Orientation"), 0u);
}

TEST_F(FullSizeCopy, keepsThePhotosColourProfile)
{
    const QByteArray p3 = QColorSpace(QColorSpace::DisplayP3).iccProfile();
    ASSERT_TRUE(WriteBytes(Path("p3.HEIC"), EncodeHeif(Quadrants(64, 32), false, 1, CameraExif(), {}, p3)));
    const QString copy = Path("copy.jpg");
    ASSERT_EQ(WriteFullSizeJpeg(Path("p3.HEIC"), copy, 85), FullSizeCopyResult::Written);
    const QImage picture = QImage::fromData(ReadBytes(copy), "jpeg");
    EXPECT_EQ(picture.colorSpace(), QColorSpace(QColorSpace::DisplayP3));
    EXPECT_EQ(ExifOf(copy).at("Exif.Image.Make"), "Phonemaker");
}

TEST_F(FullSizeCopy, failsWithoutTouchingAnOlderFile)
{
    const QString copy = Path("copy.jpg");
    ASSERT_TRUE(WriteBytes(copy, "older"));
    ASSERT_TRUE(WriteBytes(Path("cut.HEIC"), ReadBytes(Path("IMG_1.HEIC")).left(300)));
    ASSERT_TRUE(WriteBytes(Path("text.HEIC"), "not a photo"));
    EXPECT_EQ(WriteFullSizeJpeg(Path("cut.HEIC"), copy, 85), FullSizeCopyResult::NotLoaded);
    EXPECT_EQ(WriteFullSizeJpeg(Path("text.HEIC"), copy, 85), FullSizeCopyResult::NotLoaded);
    EXPECT_EQ(WriteFullSizeJpeg(Path("missing.HEIC"), copy, 85), FullSizeCopyResult::NotLoaded);
    EXPECT_EQ(WriteFullSizeJpeg(Path("IMG_1.HEIC"), Path("IMG_1.HEIC"), 85), FullSizeCopyResult::Failed);
    EXPECT_EQ(WriteFullSizeJpeg(Path("IMG_1.HEIC"), Path("no/folder/copy.jpg"), 85), FullSizeCopyResult::Failed);
    EXPECT_EQ(ReadBytes(copy), "older");
    EXPECT_FALSE(ReadBytes(Path("IMG_1.HEIC")).isEmpty());
}

// The thumbnail job makes the copy too, in the thumbnail's folder; a page
// build then finds it and makes none.
TEST_F(FullSizeCopy, isMadeByTheThumbnailJobAndThenReused)
{
    BuildVignetteOptions options; // "mini/small_" as a prefix
    const QString photo = Path("IMG_1.HEIC");
    ASSERT_EQ(MakeThumbnail(photo, options), 0);
    const QString copy = Path("mini/small_IMG_1.HEIC.full.jpg");
    ASSERT_EQ(FullSizeCopyPath(photo, options.PreSuffixe, options.WithPrefixe), copy);
    EXPECT_EQ(QImage::fromData(ReadBytes(copy), "jpeg").size(), QSize(32, 64));

    ASSERT_TRUE(WriteBytes(copy, "kept"));
    std::uint32_t failure = 1;
    EXPECT_EQ(FullSizeImage(photo, options, &failure), copy);
    EXPECT_EQ(failure, 0u);
    EXPECT_EQ(ReadBytes(copy), "kept");
}

// The copy shows see-through parts on white, as a browser would; the
// thumbnail keeps the gallery's background colour, so it is not made from
// the copy then.
TEST_F(FullSizeCopy, leavesSeeThroughPartsWhiteButTheThumbnailsInItsBackground)
{
    QImage picture = Quadrants(64, 32).convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            picture.setPixel(x, y, qRgba(255, 0, 0, 0));
    ASSERT_TRUE(WriteBytes(Path("alpha.HEIC"), EncodeHeif(picture, false)));
    BuildVignetteOptions options;
    options.BackgroundColor = 0xFF0000; // blue
    ASSERT_EQ(MakeThumbnail(Path("alpha.HEIC"), options), 0);
    const QImage copy = QImage::fromData(ReadBytes(Path("mini/small_alpha.HEIC.full.jpg")), "jpeg");
    const QImage thumb = QImage::fromData(ReadBytes(Path("mini/small_alpha.HEIC.jpg")), "jpeg");
    ASSERT_FALSE(copy.isNull());
    ASSERT_FALSE(thumb.isNull());
    EXPECT_EQ(ColourClass(copy.pixel(8, 8)), 'w');
    EXPECT_EQ(ColourClass(copy.pixel(50, 8)), 'g');
    EXPECT_EQ(ColourClass(thumb.pixel(thumb.width() / 8, thumb.height() / 4)), 'b');
}
