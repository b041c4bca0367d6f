#include "imaging/jpegcodec.h"

#include "imaging/imagemetadata.h"
#include "imaging/picture.h"
#include "imagingtestsupport.h"

#include <QBuffer>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace testsupport;

namespace {

// A photo-like scene: smooth sky, a dark ridge, sensor noise (fixed seed).
QImage CameraLike(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient sky(0, 0, 0, height);
    sky.setColorAt(0, QColor(0x4a, 0x7b, 0xd0));
    sky.setColorAt(1, QColor(0xf4, 0xc2, 0x7a));
    painter.fillRect(image.rect(), sky);
    painter.setBrush(QColor(0x3d, 0x4f, 0x63));
    painter.setPen(Qt::NoPen);
    painter.drawPolygon(QPolygon({QPoint(0, height * 2 / 3), QPoint(width / 4, height / 3),
        QPoint(width / 2, height * 3 / 5), QPoint(width * 3 / 4, height / 4), QPoint(width, height * 2 / 3),
        QPoint(width, height), QPoint(0, height)}));
    painter.end();
    QRandomGenerator random(7);
    for (int y = 0; y < height; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const int n = int(random.bounded(41)) - 20;
            const QRgb p = line[x];
            line[x] = qRgb(std::clamp(qRed(p) + n, 0, 255), std::clamp(qGreen(p) + n, 0, 255),
                std::clamp(qBlue(p) + n, 0, 255));
        }
    }
    return image;
}

double Luma(QRgb p)
{
    return 0.299 * qRed(p) + 0.587 * qGreen(p) + 0.114 * qBlue(p);
}

// Mean structural similarity of the luma over 8 x 8 windows.
double Ssim(const QImage &a, const QImage &b)
{
    constexpr double c1 = 6.5025, c2 = 58.5225; // (0.01 * 255)^2, (0.03 * 255)^2
    double total = 0;
    int windows = 0;
    for (int y0 = 0; y0 + 8 <= a.height(); y0 += 4) {
        for (int x0 = 0; x0 + 8 <= a.width(); x0 += 4) {
            double sa = 0, sb = 0, saa = 0, sbb = 0, sab = 0;
            for (int y = y0; y < y0 + 8; ++y)
                for (int x = x0; x < x0 + 8; ++x) {
                    const double la = Luma(a.pixel(x, y)), lb = Luma(b.pixel(x, y));
                    sa += la, sb += lb, saa += la * la, sbb += lb * lb, sab += la * lb;
                }
            const double ma = sa / 64, mb = sb / 64;
            const double va = saa / 64 - ma * ma, vb = sbb / 64 - mb * mb, cov = sab / 64 - ma * mb;
            total += (2 * ma * mb + c1) * (2 * cov + c2) / ((ma * ma + mb * mb + c1) * (va + vb + c2));
            ++windows;
        }
    }
    return windows ? total / windows : 0;
}

// The thumbnail as Qt's reader made it before: its own DCT reduction and
// smooth scale, then Qt's JPEG writer at the same quality.
QImage ThroughQt(const QByteArray &jpeg, QSize size, int quality)
{
    QBuffer in;
    in.setData(jpeg);
    in.open(QIODevice::ReadOnly);
    QImageReader reader(&in, "jpeg");
    reader.setQuality(75);
    reader.setScaledSize(size);
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(quality);
    EXPECT_TRUE(writer.write(reader.read()));
    return QImage::fromData(out, "jpeg");
}

QImage ThroughPicture(const QByteArray &jpeg, QSize size, int quality)
{
    QTemporaryDir dir;
    const QString source = dir.filePath("photo.jpg"), target = dir.filePath("thumb.jpg");
    WriteBytes(source, jpeg);
    Picture picture;
    EXPECT_TRUE(picture.LoadFromFileInMemory(source));
    EXPECT_EQ(picture.BuildThumbnail({target, size.width(), size.height(), 1, 0xFFFFFF, quality}), THUMB_WRITTEN);
    return QImage(target);
}

QByteArray Progressive(const QImage &image, int quality)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(quality);
    writer.setProgressiveScanWrite(true);
    EXPECT_TRUE(writer.write(image));
    return bytes;
}

} // namespace

TEST(JpegScale, takesTheSmallestEighthThatCoversTheBox)
{
    struct Row {
        QSize stored, wanted;
        int eighths;
    };
    const Row rows[] = {
        {{4000, 3000}, {128, 96}, 1},
        {{4000, 3000}, {500, 375}, 1},
        {{4000, 3000}, {501, 375}, 2},
        {{4000, 3000}, {1000, 1000}, 3}, // 1500 x 1125
        {{4001, 3001}, {501, 376}, 1}, // libjpeg rounds the scaled sides up
        {{1000, 1000}, {1000, 1000}, 8},
        {{100, 100}, {200, 200}, 8}, // enlarging starts from the full size
    };
    for (const Row &r : rows)
        EXPECT_EQ(JpegScaleEighths(r.stored, r.wanted), r.eighths) << r.stored.width() << " " << r.wanted.width();
}

TEST(JpegDecode, givesTheScaledSizeAndRefusesBeyondTheLimit)
{
    const QByteArray jpeg = Encode(Quadrants(1600, 1200), "jpeg", 90);
    bool memory = true;
    const QImage small = DecodeJpegForSize(jpeg, QSize(128, 96), qint64(1) << 30, &memory);
    EXPECT_FALSE(memory);
    EXPECT_EQ(small.size(), QSize(200, 150));
    EXPECT_EQ(ColourClass(small.pixel(10, 10)), 'r');
    EXPECT_EQ(ColourClass(small.pixel(190, 140)), 'b');
    EXPECT_TRUE(DecodeJpegForSize(jpeg, QSize(1600, 1200), 1 << 20, &memory).isNull());
    EXPECT_TRUE(memory);
    EXPECT_TRUE(DecodeJpegForSize(Encode(Quadrants(64, 64), "png"), QSize(8, 8), 1 << 20, &memory).isNull());
    EXPECT_FALSE(memory);
    // Small output, but a progressive file's coefficients (5.8 MB) are over the limit.
    const QByteArray progressive = Progressive(Quadrants(1600, 1200), 90);
    EXPECT_TRUE(DecodeJpegForSize(progressive, QSize(128, 96), 1 << 20, &memory).isNull());
    EXPECT_TRUE(memory);
    EXPECT_EQ(DecodeJpegForSize(progressive, QSize(128, 96), 16 << 20, &memory).size(), QSize(200, 150));
}

TEST(JpegDecode, grayscaleComesOutAsGreyPixels)
{
    QImage grey(320, 240, QImage::Format_Grayscale8);
    grey.fill(90);
    bool memory = false;
    const QImage decoded = DecodeJpegForSize(Encode(grey, "jpeg", 95), QSize(40, 30), qint64(1) << 30, &memory);
    ASSERT_EQ(decoded.size(), QSize(40, 30));
    const QRgb p = decoded.pixel(20, 15);
    EXPECT_NEAR(qRed(p), 90, 2);
    EXPECT_EQ(qRed(p), qGreen(p));
    EXPECT_EQ(qGreen(p), qBlue(p));
}

// The direct libjpeg path must look like what Qt's reader and writer made.
TEST(JpegThumbnails, matchTheEarlierQtOutputOnPhotos)
{
    const QByteArray camera = Encode(CameraLike(2400, 1800), "jpeg", 92);
    const QByteArray sample = ReadBytes(QStringLiteral(GALLORIM_SOURCE_DIR "/samples/lac-montagne.jpg"));
    ASSERT_FALSE(sample.isEmpty());
    for (const QSize size : {QSize(128, 96), QSize(400, 300), QSize(1000, 750)}) {
        const QImage now = ThroughPicture(camera, size, 85);
        const QImage before = ThroughQt(camera, size, 85);
        ASSERT_EQ(now.size(), size);
        EXPECT_GE(Ssim(now, before), 0.98) << size.width();
    }
    const QSize sampleBox(160, 107);
    EXPECT_GE(Ssim(ThroughPicture(sample, sampleBox, 85), ThroughQt(sample, sampleBox, 85)), 0.98);
}

// At an eighth a progressive file is read only up to its DC scan: the result
// must still be the picture, and a file cut after that scan must still do.
TEST(JpegThumbnails, progressiveFilesAtAnEighthMatchTheEarlierQtOutput)
{
    const QByteArray progressive = Progressive(CameraLike(2400, 1800), 92);
    const QImage now = ThroughPicture(progressive, QSize(128, 96), 85);
    ASSERT_EQ(now.size(), QSize(128, 96));
    EXPECT_GE(Ssim(now, ThroughQt(progressive, QSize(128, 96), 85)), 0.98);
    bool memory = false;
    const QImage cut = DecodeJpegForSize(progressive.left(progressive.size() / 3), QSize(128, 96), qint64(1) << 30, &memory);
    ASSERT_EQ(cut.size(), QSize(300, 225));
    EXPECT_GE(Ssim(cut.scaled(128, 96, Qt::IgnoreAspectRatio, Qt::SmoothTransformation),
                  ThroughQt(progressive, QSize(128, 96), 100)), 0.98);
}

TEST(JpegSizeOnly, anOrientationInEitherByteOrderIsReadAndOurOwnExifBlockIsSkipped)
{
    const QImage picture = CameraLike(60, 40);
    const auto check = [&](const QByteArray &app1, bool turns, const char *upright) {
        QByteArray jpeg;
        ASSERT_TRUE(EncodeJpeg(picture, 90, app1, &jpeg));
        bool mayTurn = !turns;
        EXPECT_EQ(JpegStoredSize(jpeg, &mayTurn), QSize(60, 40));
        EXPECT_EQ(mayTurn, turns);
        Picture image;
        ASSERT_TRUE(image.LoadSizeFromMemory(jpeg));
        EXPECT_EQ(image.GetSizeText(), upright);
    };
    // Exif with one entry, Orientation = 6 (turned a quarter), in both byte orders.
    check(QByteArray("Exif\0\0MM\0\x2a\0\0\0\x08\0\x01\x01\x12\0\x03\0\0\0\x01\0\x06\0\0\0\0\0\0", 32), true, "40x60");
    check(QByteArray("Exif\0\0II\x2a\0\x08\0\0\0\x01\0\x12\x01\x03\0\x01\0\0\0\x06\0\0\0\0\0\0\0", 32), true, "40x60");
    check(SoftwareExifSegment(Picture::SoftwareText()), false, "60x40");
}
