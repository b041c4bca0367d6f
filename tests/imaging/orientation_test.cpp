#include "imaging/picture.h"

#include "imaging/gifcodec.h"
#include "imaging/thumbnailbox.h"
#include "imagingtestsupport.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace testsupport;

namespace {

// The stored picture has red, green, blue and yellow corners (top-left
// clockwise). Per orientation: the colours that must end up in the upright
// picture's top-left and top-right corners, from the EXIF definitions.
struct Turn {
    int orientation;
    char topLeft, topRight;
    bool swapped;
};
const Turn kTurns[] = {
    {1, 'r', 'g', false},
    {2, 'g', 'r', false},
    {3, 'b', 'y', false},
    {4, 'y', 'b', false},
    {5, 'r', 'y', true},
    {6, 'y', 'r', true},
    {7, 'b', 'g', true},
    {8, 'g', 'b', true},
};

class Orientation : public ::testing::TestWithParam<Turn> {
protected:
    QString Source()
    {
        const QString path = m_dir.filePath("portrait.jpg");
        WriteBytes(path, Encode(Quadrants(120, 80), "jpeg", 95));
        EXPECT_TRUE(SetExif(path, {{"Exif.Image.Orientation", std::to_string(GetParam().orientation)}}));
        return path;
    }
    QTemporaryDir m_dir;
};

} // namespace

TEST_P(Orientation, headerProbeReportsTheUprightSize)
{
    Picture image;
    ASSERT_TRUE(image.LoadFromFile(Source()));
    EXPECT_EQ(image.GetSizeText(), GetParam().swapped ? "80x120" : "120x80");
    EXPECT_EQ(image.GetOrientation(), GetParam().orientation);
}

TEST_P(Orientation, thumbnailIsUpright)
{
    Picture image;
    ASSERT_TRUE(image.LoadFromFileInMemory(Source()));
    BuildVignetteOptions options;
    options.IsPercentSize = 1;
    options.PercentSize = 50;
    const ThumbnailBox box = ComputeThumbnailBox(options, image.GetWidth(), image.GetHeight());
    const QString target = m_dir.filePath("thumb.jpg");
    ASSERT_EQ(
        image.BuildThumbnail({target, box.width, box.height, box.stretch, 0xFFFFFF, 90}), THUMB_WRITTEN);
    QImageReader reader(target);
    reader.setAutoTransform(false); // the thumbnail itself must be upright
    const QImage back = reader.read();
    ASSERT_EQ(back.size(), GetParam().swapped ? QSize(40, 60) : QSize(60, 40));
    EXPECT_EQ(ColourClass(back.pixel(3, 3)), GetParam().topLeft);
    EXPECT_EQ(ColourClass(back.pixel(back.width() - 4, 3)), GetParam().topRight);
}

TEST_P(Orientation, drawFitIsUpright)
{
    Picture image;
    ASSERT_TRUE(image.LoadFromFile(Source()));
    QImage target(200, 200, QImage::Format_RGB32);
    {
        QPainter painter(&target);
        image.DrawFit(painter, target.rect(), Qt::white);
    }
    const ImagePlacement p = PlaceFitted(200, 200, image.GetWidth(), image.GetHeight());
    EXPECT_EQ(ColourClass(target.pixel(p.x + 3, p.y + 3)), GetParam().topLeft);
    EXPECT_EQ(ColourClass(target.pixel(p.x + p.width - 4, p.y + 3)), GetParam().topRight);
}

INSTANTIATE_TEST_SUITE_P(EightTurns, Orientation, ::testing::ValuesIn(kTurns),
    [](const auto &info) { return "orientation" + std::to_string(info.param.orientation); });

TEST(OrientationWithoutExif, pngAndGifAndInvalidValuesStayAsStored)
{
    QTemporaryDir dir;
    const QString jpeg = dir.filePath("odd.jpg");
    WriteBytes(jpeg, Encode(Quadrants(120, 80), "jpeg", 95));
    ASSERT_TRUE(SetExif(jpeg, {{"Exif.Image.Orientation", "9"}}));
    const QString png = dir.filePath("a.png");
    WriteBytes(png, Encode(Quadrants(120, 80), "png"));
    const QString gif = dir.filePath("a.gif");
    QByteArray gifBytes;
    QBuffer buffer(&gifBytes);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(WriteGif(Quadrants(120, 80).convertToFormat(QImage::Format_Indexed8), buffer));
    WriteBytes(gif, gifBytes);
    for (const QString &path : {jpeg, png, gif}) {
        Picture image;
        ASSERT_TRUE(image.LoadFromFileInMemory(path));
        EXPECT_EQ(image.GetSizeText(), "120x80") << path.toStdString();
        const QString target = dir.filePath("t." + QFileInfo(path).suffix());
        ASSERT_EQ(image.BuildThumbnail({target, 60, 40, 1, 0xFFFFFF, 90}), THUMB_WRITTEN);
        const QImage back(target);
        EXPECT_EQ(ColourClass(back.pixel(3, 3)), 'r');
        EXPECT_EQ(ColourClass(back.pixel(56, 3)), 'g');
    }
}
