#include "cli/commands.h"

#include <QBuffer>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QTemporaryDir>
#include <QTextStream>
#include <exiv2/exiv2.hpp>
#include <gtest/gtest.h>

namespace {

class Subcommands : public ::testing::Test {
protected:
    QString WritePicture(const QString &name, int w, int h, const char *format)
    {
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(Qt::darkCyan);
        QPainter(&image).fillRect(0, 0, w / 2, h / 2, Qt::red);
        const QString path = m_dir.filePath(name);
        EXPECT_TRUE(image.save(path, format));
        return path;
    }
    QString Text(const QString &name)
    {
        const QString path = m_dir.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("not a picture\n");
        return path;
    }
    int Run(int (*command)(const QStringList &, QTextStream &, QTextStream &), const QStringList &args)
    {
        m_out.clear();
        m_err.clear();
        QTextStream out(&m_out), err(&m_err);
        return command(args, out, err);
    }
    QTemporaryDir m_dir;
    QString m_out, m_err;
};

} // namespace

TEST_F(Subcommands, infoPrintsTheElevenLinesOfEachFile)
{
    const QString photo = WritePicture("photo.jpg", 64, 48, "jpeg");
    auto image = Exiv2::ImageFactory::open(QFile::encodeName(photo).toStdString());
    image->readMetadata();
    image->exifData()["Exif.Image.Make"] = "Canon";
    image->exifData()["Exif.Photo.DateTimeOriginal"] = "2004:05:12 10:20:30";
    image->exifData()["Exif.Photo.FNumber"] = Exiv2::URational(28, 10);
    image->writeMetadata();

    EXPECT_EQ(Run(RunInfo, {photo}), 0);
    const QString expected = photo
        + "\n  dimensions: 64x48\n  size: " + QString::number(QFileInfo(photo).size())
        + " Octets\n  make: Canon\n  model: \n  date: 12/05/2004\n  time: 10:20:30\n  exposure: \n"
          "  aperture: 2.8\n  focal: \n  flash: \n  iso: \n";
    EXPECT_EQ(m_out, expected);
}

TEST_F(Subcommands, infoFallsBackToTheFileTimeAndFlagsNonImages)
{
    const QString bare = WritePicture("bare.png", 10, 10, "png");
    const QString text = Text("text.jpg");
    EXPECT_EQ(Run(RunInfo, {bare, text}), 1);
    const QDateTime modified = QFileInfo(bare).lastModified();
    EXPECT_TRUE(m_out.contains(
        "  date: " + modified.toString("dd/MM/yyyy") + "\n  time: " + modified.toString("HH:mm:ss") + "\n"));
    EXPECT_TRUE(m_out.contains(text
        + "\n  dimensions: Not an Image\n  size: 14.0 Octets\n  make: \n  model: \n"
          "  date: \n  time: \n"));
}

TEST_F(Subcommands, thumbWritesWhereTheGalleryLooksAndReportsTheBox)
{
    const QString photo = WritePicture("photo.jpg", 400, 200, "jpeg");
    EXPECT_EQ(Run(RunThumb, {"--mode", "0", "--box", "128x96", photo}), 0) << m_err.toStdString();
    const QString thumb = m_dir.filePath("mini/small_photo.jpg");
    EXPECT_EQ(m_out, photo + " -> " + thumb + " 128x96\n");
    QImageReader reader(thumb);
    EXPECT_EQ(reader.format(), "jpeg");
    EXPECT_EQ(reader.size(), QSize(128, 96));

    EXPECT_EQ(Run(RunThumb, {"--presuffix", "_v", "--suffix", "--mode", "4", "--side", "50", photo}), 0);
    EXPECT_EQ(m_out, photo + " -> " + m_dir.filePath("photo_v.jpg") + " 50x25\n");
}

TEST_F(Subcommands, thumbReportsEachFailureWithItsCode)
{
    const QString good = WritePicture("good.png", 40, 40, "png");
    const QString text = Text("text.jpg");
    const QString icon = WritePicture("icon.ico", 32, 32, "ico");
    EXPECT_EQ(Run(RunThumb, {text}), 1);
    EXPECT_FALSE(QFileInfo::exists(m_dir.filePath("mini"))) << "no folder for a file that is not a picture";
    EXPECT_EQ(Run(RunThumb, {good, text, icon}), 1);
    const QStringList lines = m_out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[0].startsWith(good + " -> "));
    EXPECT_EQ(lines[1], text + ": 1 pas une image");
    EXPECT_EQ(lines[2], icon + ": 3 format en lecture seule");
    EXPECT_FALSE(QFile::exists(m_dir.filePath("mini/small_icon.ico")));
}

TEST_F(Subcommands, thumbNeverWritesOverItsSource)
{
    const QString photo = WritePicture("photo.png", 40, 20, "png");
    const QByteArray original = [&] {
        QFile f(photo);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    for (const char *affix : {"./", "/"}) {
        EXPECT_EQ(Run(RunThumb, {"--presuffix", affix, photo}), 1) << affix;
        EXPECT_EQ(m_out, photo + ": 5 la vignette remplacerait l'image\n") << affix;
        QFile f(photo);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(f.readAll(), original) << affix;
    }
}

TEST_F(Subcommands, thumbKeepsCommandLineOrderWhateverTheJobs)
{
    QStringList files;
    for (int i = 0; i < 6; ++i)
        files << WritePicture(QString("p%1.png").arg(i), 50 + 150 * (i % 3), 60, "png");
    EXPECT_EQ(Run(RunThumb, QStringList {"--jobs", "4"} + files), 0);
    const QStringList lines = m_out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), files.size());
    for (int i = 0; i < files.size(); ++i)
        EXPECT_TRUE(lines[i].startsWith(files[i] + " -> ")) << lines[i].toStdString();
}

TEST_F(Subcommands, badUsageExitsWithTwo)
{
    EXPECT_EQ(Run(RunThumb, {"--mode", "9", "a.jpg"}), 2);
    EXPECT_FALSE(m_err.isEmpty());
    EXPECT_EQ(Run(RunInfo, {}), 2);
}
