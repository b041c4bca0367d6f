// The width and height a built page gives each thumbnail are those of the
// thumbnail file the build wrote, for turned photos and other formats too.

#include "cli/commands.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextStream>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

// A JPEG whose EXIF asks for a quarter turn clockwise (orientation 6).
QByteArray TurnedJpeg(int storedWidth, int storedHeight)
{
    QImage image(storedWidth, storedHeight, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QByteArray jpeg;
    {
        QBuffer buffer(&jpeg);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "JPEG");
    }
    const QByteArray tiff = QByteArray::fromHex("4d4d002a00000008" "0001" "011200030000000100060000" "00000000");
    QByteArray app1 = QByteArray::fromHex("ffe1");
    const int length = 2 + 6 + int(tiff.size());
    app1 += char(length >> 8);
    app1 += char(length & 0xFF);
    app1 += QByteArray("Exif\0\0", 6) + tiff;
    return jpeg.left(2) + app1 + jpeg.mid(2);
}

struct ImgTag {
    QString src;
    int width = 0, height = 0;
};

std::vector<ImgTag> ImgTags(const QString &page)
{
    static const QRegularExpression img(QStringLiteral("<img src=\"([^\"]*)\" width=(\\d+) height=(\\d+)"));
    std::vector<ImgTag> tags;
    for (const auto &m : img.globalMatch(page))
        tags.push_back({QUrl::fromPercentEncoding(m.captured(1).toUtf8()), m.captured(2).toInt(), m.captured(3).toInt()});
    return tags;
}

} // namespace

TEST(PageThumbnailSizes, areTheSizesOfTheThumbnailFilesTheBuildWrote)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString photos = dir.filePath("photos");
    ASSERT_TRUE(QDir().mkpath(photos));
    QFile turned(photos + "/tourne.jpg");
    ASSERT_TRUE(turned.open(QIODevice::WriteOnly));
    turned.write(TurnedJpeg(320, 200));
    turned.close();
    QImage plain(300, 200, QImage::Format_RGB32);
    plain.fill(Qt::darkYellow);
    ASSERT_TRUE(plain.save(photos + "/droit.jpg"));
    ASSERT_TRUE(plain.save(photos + "/large.png"));
    ASSERT_TRUE(plain.transformed(QTransform().rotate(90)).save(photos + "/haut.tif"));

    QString out, err;
    QTextStream outStream(&out), errStream(&err);
    ASSERT_EQ(RunBuild({"-q", "--mode", "3", "--side", "64", photos}, outStream, errStream), 0)
        << err.toStdString();
    QFile page(photos + "/index.html");
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    const std::vector<ImgTag> tags = ImgTags(QString::fromUtf8(page.readAll()));
    ASSERT_EQ(tags.size(), 4u);
    for (const ImgTag &tag : tags) {
        SCOPED_TRACE(tag.src.toStdString());
        EXPECT_TRUE(tag.src.contains(QLatin1String("small_"))) << "a thumbnail, not the photo standing in";
        QImageReader stored(photos + "/" + tag.src);
        stored.setAutoTransform(false);
        EXPECT_EQ(stored.size(), QSize(tag.width, tag.height));
        QImageReader upright(photos + "/" + tag.src);
        upright.setAutoTransform(true);
        EXPECT_EQ(upright.read().size(), QSize(tag.width, tag.height)) << "nothing left to turn";
        EXPECT_EQ(std::max(tag.width, tag.height), 64);
        const bool portrait = tag.src.contains(QLatin1String("tourne")) || tag.src.contains(QLatin1String("haut"));
        EXPECT_EQ(tag.width < tag.height, portrait);
    }
}
