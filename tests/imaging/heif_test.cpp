// HEIC and AVIF photos: made on the spot with libheif's encoders, read back
// through Picture like any other image.
#include "imaging/picture.h"

#include "document/imageentry.h"
#include "document/imageprobe.h"

#include "imagingtestsupport.h"

#include <QTemporaryDir>
#include <QtEndian>
#include <exiv2/exiv2.hpp>
#include <gtest/gtest.h>
#include <libheif/heif.h>

using namespace testsupport;

namespace {

struct Camera {
    std::string make = "Phonemaker";
    std::string model = "Pocket 12";
    int orientation = 0; // EXIF tag; 0 = none
};

QByteArray ExifTiff(const Camera &camera)
{
    Exiv2::ExifData exif;
    exif["Exif.Image.Make"] = camera.make;
    exif["Exif.Image.Model"] = camera.model;
    exif["Exif.Photo.ExposureTime"] = Exiv2::URational(1, 60);
    if (camera.orientation)
        exif["Exif.Image.Orientation"] = uint16_t(camera.orientation);
    Exiv2::Blob blob;
    Exiv2::ExifParser::encode(blob, Exiv2::littleEndian, exif);
    return QByteArray(reinterpret_cast<const char *>(blob.data()), static_cast<qsizetype>(blob.size()));
}

// The payload offsets of the boxes of that type (after size and type).
QList<qsizetype> BoxPayloads(const QByteArray &file, const char *type)
{
    QList<qsizetype> found;
    for (qsizetype at = file.indexOf(type); at >= 4; at = file.indexOf(type, at + 1))
        found.append(at + 4);
    return found;
}

struct Codec {
    heif_compression_format codec;
    const char *format;
    const char *name;
};

class HeifPhoto : public ::testing::TestWithParam<Codec> {
protected:
    QByteArray Make(heif_orientation rotation = heif_orientation_normal, const Camera &camera = {},
        QImage picture = Quadrants(64, 32))
    {
        const QByteArray bytes
            = EncodeHeif(picture, GetParam().codec == heif_compression_AV1, rotation, ExifTiff(camera));
        EXPECT_FALSE(bytes.isEmpty()) << "no encoder for " << GetParam().format;
        return bytes;
    }
    QString Path(const QString &name) const { return m_dir.filePath(name); }
    ThumbnailResult Thumb(Picture &image, const QString &target, int w = 32, int h = 16)
    {
        return image.BuildThumbnail({target, w, h, 0, 0xFFFFFF, 85});
    }
    QTemporaryDir m_dir;
};

TEST_P(HeifPhoto, ReadsSizeCameraTextsAndThumbnailsAsJpegFromFileAndMemory)
{
    const QByteArray bytes = Make();
    const QString source = Path(QStringLiteral("photo.") + GetParam().name);
    ASSERT_TRUE(WriteBytes(source, bytes));
    for (int fromMemory = 0; fromMemory < 2; ++fromMemory) {
        SCOPED_TRACE(fromMemory);
        Picture image;
        ASSERT_TRUE(fromMemory ? image.LoadFromFileInMemory(source) : image.LoadFromFile(source));
        EXPECT_EQ(image.GetSizeText(), "64x32");
        EXPECT_EQ(image.GetRawFormat(), GetParam().format);
        EXPECT_EQ(image.GetExifText(EXIF_MAKE), "Phonemaker");
        EXPECT_EQ(image.GetExifText(EXIF_MODEL), "Pocket 12");
        EXPECT_FALSE(image.GetExifText(EXIF_EXPOSURE).isEmpty());

        const QString target = Path(QStringLiteral("thumb%1").arg(fromMemory));
        ASSERT_EQ(Thumb(image, target), THUMB_WRITTEN);
        const QByteArray written = ReadBytes(target);
        ASSERT_TRUE(written.startsWith("\xFF\xD8")) << "not a JPEG";
        const QImage thumb = QImage::fromData(written, "jpeg");
        ASSERT_EQ(thumb.size(), QSize(32, 16));
        EXPECT_EQ(ColourClass(thumb.pixel(4, 3)), 'r');
        EXPECT_EQ(ColourClass(thumb.pixel(27, 3)), 'g');
        EXPECT_EQ(ColourClass(thumb.pixel(27, 12)), 'b');
        EXPECT_EQ(ColourClass(thumb.pixel(4, 12)), 'y');
    }
}

// The format's own rotation is the one that counts; an EXIF orientation in
// the same file must not turn the picture a second time.
TEST_P(HeifPhoto, TurnsOnceByTheFormatsRotationAndNeverByExif)
{
    struct Case {
        heif_orientation rotation;
        int exif;
        QSize size;
        char topLeft;
    };
    const Case cases[] = {
        {heif_orientation_rotate_90_cw, 6, {32, 64}, 'y'},
        {heif_orientation_normal, 6, {64, 32}, 'r'},
    };
    for (const Case &c : cases) {
        Camera camera;
        camera.orientation = c.exif;
        Picture image;
        ASSERT_TRUE(image.LoadFromMemory(Make(c.rotation, camera)));
        EXPECT_EQ(QSize(int(image.GetWidth()), int(image.GetHeight())), c.size);
        const QString target = Path(QStringLiteral("turned"));
        ASSERT_EQ(Thumb(image, target, c.size.width() / 2, c.size.height() / 2), THUMB_WRITTEN);
        const QImage thumb = QImage::fromData(ReadBytes(target), "jpeg");
        ASSERT_EQ(thumb.size(), c.size / 2);
        EXPECT_EQ(ColourClass(thumb.pixel(3, 3)), c.topLeft) << "rotation " << c.rotation;
    }
}

// Where the document makes and looks for thumbnails: a JPEG named after the
// photo, apart from the thumbnail of a JPEG of the same name beside it.
TEST_P(HeifPhoto, DocumentThumbnailIsAJpegBesideASameNamedJpegs)
{
    const QString heif = Path(QStringLiteral("IMG_1.") + QString::fromLatin1(GetParam().name).toUpper());
    const QString jpeg = Path(QStringLiteral("IMG_1.jpg"));
    ASSERT_TRUE(WriteBytes(heif, Make()));
    ASSERT_TRUE(WriteBytes(jpeg, Encode(Quadrants(32, 64), "jpeg", 90)));
    BuildVignetteOptions options;
    ASSERT_EQ(MakeThumbnail(heif, options), 0);
    ASSERT_EQ(MakeThumbnail(jpeg, options), 0);
    const ThumbnailOnDisk ofHeif = ExamineThumbnail(heif, options);
    const ThumbnailOnDisk ofJpeg = ExamineThumbnail(jpeg, options);
    ASSERT_TRUE(ofHeif.IsPresent());
    ASSERT_TRUE(ofJpeg.IsPresent());
    EXPECT_NE(ofHeif.Path, ofJpeg.Path);
    EXPECT_TRUE(ofHeif.Path.endsWith(QStringLiteral(".jpg")));
    EXPECT_TRUE(ReadBytes(ofHeif.Path).startsWith("\xFF\xD8"));
    // Landscape and portrait sources: neither thumbnail overwrote the other.
    EXPECT_GT(ofHeif.Dimensions.section(QLatin1Char('x'), 0, 0).toInt(),
        ofHeif.Dimensions.section(QLatin1Char('x'), 1, 1).toInt());
    EXPECT_LT(ofJpeg.Dimensions.section(QLatin1Char('x'), 0, 0).toInt(),
        ofJpeg.Dimensions.section(QLatin1Char('x'), 1, 1).toInt());
}

// A stored preview stands in for the photo only when it covers the wanted
// size and has the photo's shape.
TEST_P(HeifPhoto, UsesTheStoredPreviewOnlyWhereItCoversTheThumbnail)
{
    QImage white(16, 8, QImage::Format_RGB32);
    white.fill(Qt::white);
    QImage square(16, 16, QImage::Format_RGB32);
    square.fill(Qt::white);
    struct Case {
        QImage preview;
        QSize thumb;
        char topLeft;
    };
    const Case cases[] = {
        {white, {8, 4}, 'w'}, {white, {16, 8}, 'w'}, {white, {32, 16}, 'r'}, // larger than the preview
        {square, {8, 4}, 'r'}, // another shape
    };
    const bool avif = GetParam().codec == heif_compression_AV1;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.preview.width());
        SCOPED_TRACE(c.thumb.width());
        Picture image;
        ASSERT_TRUE(image.LoadFromMemory(EncodeHeif(Quadrants(64, 32), avif, 1, {}, c.preview)));
        EXPECT_EQ(image.GetSizeText(), "64x32");
        const QString target = Path(QStringLiteral("thumb"));
        ASSERT_EQ(Thumb(image, target, c.thumb.width(), c.thumb.height()), THUMB_WRITTEN);
        const QImage thumb = QImage::fromData(ReadBytes(target), "jpeg");
        ASSERT_EQ(thumb.size(), c.thumb);
        EXPECT_EQ(ColourClass(thumb.pixel(1, 1)), c.topLeft);
    }
}

// JPEG has no alpha: see-through parts take the thumbnail's background.
TEST_P(HeifPhoto, SeeThroughPartsTakeTheBackgroundColour)
{
    QImage picture = Quadrants(64, 32).convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            picture.setPixel(x, y, qRgba(255, 0, 0, 0));
    Picture image;
    ASSERT_TRUE(image.LoadFromMemory(Make(heif_orientation_normal, {}, picture)));
    const QString target = Path(QStringLiteral("thumb"));
    ASSERT_EQ(image.BuildThumbnail({target, 32, 16, 0, 0xFF0000, 85}), THUMB_WRITTEN); // blue
    const QImage thumb = QImage::fromData(ReadBytes(target), "jpeg");
    ASSERT_EQ(thumb.size(), QSize(32, 16));
    EXPECT_EQ(ColourClass(thumb.pixel(4, 3)), 'b');
    EXPECT_EQ(ColourClass(thumb.pixel(27, 3)), 'g');
}

TEST_P(HeifPhoto, DamagedFilesAreNotImagesOrFailWithoutCrashing)
{
    const QByteArray good = Make();
    const QString target = Path(QStringLiteral("thumb"));

    // Cut inside the header boxes, and cut inside the coded picture; read
    // from memory and, through libheif's own file reading, from disk.
    const QString cut = Path(QStringLiteral("cut.heic"));
    for (qsizetype keep : {qsizetype(12), qsizetype(40), good.size() / 3, good.size() - 20}) {
        SCOPED_TRACE(keep);
        ASSERT_TRUE(WriteBytes(cut, good.left(keep)));
        for (int fromFile = 0; fromFile < 2; ++fromFile) {
            Picture image;
            if (fromFile ? image.LoadFromFile(cut) : image.LoadFromMemory(good.left(keep)))
                EXPECT_NE(Thumb(image, target), THUMB_WRITTEN) << fromFile;
            else
                EXPECT_EQ(image.GetSizeText(), "Not an Image") << fromFile;
        }
    }

    // A primary item that does not exist.
    QByteArray orphan = good;
    const QList<qsizetype> pitm = BoxPayloads(orphan, "pitm");
    ASSERT_EQ(pitm.size(), 1);
    qToBigEndian<quint16>(0x7777, orphan.data() + pitm[0] + 4);
    Picture noPrimary;
    EXPECT_FALSE(noPrimary.LoadFromMemory(orphan));
    EXPECT_EQ(noPrimary.GetSizeText(), "Not an Image");

    // A declared size far beyond memory: refused before any decoding.
    QByteArray huge = good;
    const QList<qsizetype> ispe = BoxPayloads(huge, "ispe");
    ASSERT_FALSE(ispe.isEmpty());
    for (qsizetype at : ispe) {
        qToBigEndian<quint32>(20000, huge.data() + at + 4);
        qToBigEndian<quint32>(20000, huge.data() + at + 8);
    }
    Picture big;
    if (big.LoadFromMemory(huge)) {
        EXPECT_EQ(big.GetSizeText(), "20000x20000");
        EXPECT_EQ(Thumb(big, target), THUMB_OUT_OF_MEMORY);
    } else {
        EXPECT_EQ(big.GetSizeText(), "Not an Image");
    }
}

INSTANTIATE_TEST_SUITE_P(Codecs, HeifPhoto,
    ::testing::Values(
        Codec {heif_compression_HEVC, "heif", "heic"}, Codec {heif_compression_AV1, "avif", "avif"}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
