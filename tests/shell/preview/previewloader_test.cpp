// The preview loader: only the newest request is read and decoded, the shown
// file is not read again, hidden windows and "?" empty the view, pictures come
// shrunk to the window and upright, and a zoom gets the full pixels.
#include "shell/preview/previewloader.h"

#include "imaging/imagingtestsupport.h"

#include <QImage>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class PreviewLoaderTest : public ::testing::Test {
protected:
    QString Picture(const QString &name, QSize size, const char *format = "PNG")
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::darkCyan);
        const QString path = m_dir.filePath(name);
        EXPECT_TRUE(image.save(path, format));
        return path;
    }
    bool WaitIdle(PreviewLoader &loader)
    {
        return QTest::qWaitFor([&] { return loader.IsIdle(); }, 10000);
    }
    static PreviewImage Last(const QSignalSpy &spy) { return spy.last().first().value<PreviewImage>(); }

    QTemporaryDir m_dir;
};

} // namespace

TEST_F(PreviewLoaderTest, tenQuickRequestsDecodeOnlyTheLast)
{
    QStringList paths;
    for (int i = 0; i < 10; ++i)
        paths.append(Picture(QStringLiteral("p%1.png").arg(i), QSize(20 + i, 10)));
    PreviewLoader loader(nullptr, false);
    loader.SetViewSize(QSize(400, 300));
    QSignalSpy images(&loader, &PreviewLoader::imageReady);
    QSignalSpy opened(&loader, &PreviewLoader::fileOpened);
    for (const QString &path : paths)
        loader.RequestPreview(path);
    loader.Start();
    ASSERT_TRUE(images.wait(10000));
    ASSERT_TRUE(WaitIdle(loader));
    EXPECT_EQ(loader.DecodeCount(), 1);
    EXPECT_EQ(opened.size(), 1);
    EXPECT_EQ(Last(images).fullSize, QSize(29, 10));
}

TEST_F(PreviewLoaderTest, theShownFileIsNotReadAgainButQuestionMarkEmpties)
{
    const QString path = Picture(QStringLiteral("a.png"), QSize(30, 20));
    PreviewLoader loader;
    QSignalSpy images(&loader, &PreviewLoader::imageReady);
    QSignalSpy cleared(&loader, &PreviewLoader::cleared);
    loader.RequestPreview(path);
    ASSERT_TRUE(images.wait(10000));
    ASSERT_TRUE(WaitIdle(loader));
    loader.RequestPreview(path);
    ASSERT_TRUE(WaitIdle(loader));
    QCoreApplication::processEvents();
    EXPECT_EQ(cleared.size(), 1);
    EXPECT_EQ(loader.DecodeCount(), 1);

    loader.RequestPreview(QStringLiteral("?"));
    ASSERT_TRUE(cleared.wait(10000));
    // Once emptied, the same file loads again.
    loader.RequestPreview(path);
    ASSERT_TRUE(images.wait(10000));
    EXPECT_EQ(loader.DecodeCount(), 2);
}

TEST_F(PreviewLoaderTest, aHiddenWindowTurnsEveryRequestIntoAnEmptyView)
{
    const QString path = Picture(QStringLiteral("a.png"), QSize(30, 20));
    PreviewLoader loader;
    loader.SetWindowVisible(false);
    QSignalSpy images(&loader, &PreviewLoader::imageReady);
    QSignalSpy cleared(&loader, &PreviewLoader::cleared);
    loader.RequestPreview(path);
    ASSERT_TRUE(cleared.wait(10000));
    ASSERT_TRUE(WaitIdle(loader));
    QCoreApplication::processEvents();
    EXPECT_EQ(images.size(), 0);
    EXPECT_EQ(loader.DecodeCount(), 0);
}

TEST_F(PreviewLoaderTest, missingAndUndecodableFilesLeaveTheViewEmpty)
{
    QFile junk(m_dir.filePath(QStringLiteral("junk.jpg")));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write(QByteArray(70000, 'x'));
    junk.close();
    PreviewLoader loader;
    QSignalSpy images(&loader, &PreviewLoader::imageReady);
    QSignalSpy stepped(&loader, &PreviewLoader::stepped);
    QSignalSpy reset(&loader, &PreviewLoader::progressReset);
    loader.RequestPreview(junk.fileName());
    ASSERT_TRUE(reset.wait(10000));
    loader.RequestPreview(m_dir.filePath(QStringLiteral("absent.png")));
    ASSERT_TRUE(reset.wait(10000));
    ASSERT_TRUE(WaitIdle(loader));
    QCoreApplication::processEvents();
    EXPECT_EQ(images.size(), 0);
    EXPECT_EQ(stepped.size(), 3); // 70000 bytes: three chunks of 32 KiB
}

TEST_F(PreviewLoaderTest, largePicturesComeShrunkToTheWindowUntilAZoomNeedsMore)
{
    const QString path = Picture(QStringLiteral("big.jpg"), QSize(2000, 1000), "JPEG");
    PreviewLoader loader;
    loader.SetViewSize(QSize(400, 300));
    QSignalSpy images(&loader, &PreviewLoader::imageReady);
    QSignalSpy pixels(&loader, &PreviewLoader::pixelsReady);
    loader.RequestPreview(path);
    ASSERT_TRUE(images.wait(10000));
    const PreviewImage shown = Last(images);
    EXPECT_EQ(shown.fullSize, QSize(2000, 1000));
    EXPECT_EQ(shown.picture.size(), QSize(400, 200));

    loader.RequestPixels(shown.serial + 1, QSize(2000, 1000)); // not the picture shown
    loader.RequestPixels(shown.serial, QSize(2000, 1000));
    ASSERT_TRUE(pixels.wait(10000));
    ASSERT_TRUE(WaitIdle(loader));
    EXPECT_EQ(pixels.size(), 1);
    EXPECT_EQ(Last(pixels).picture.size(), QSize(2000, 1000));
}

TEST_F(PreviewLoaderTest, picturesAreTurnedUprightAsTheirOrientationSays)
{
    PreviewLoader loader;
    loader.SetViewSize(QSize(3000, 3000));
    QSignalSpy images(&loader, &PreviewLoader::imageReady);
    QSignalSpy dimensions(&loader, &PreviewLoader::dimensionsKnown);
    loader.RequestPreview(QStringLiteral(GALLORIM_SOURCE_DIR "/samples/phare-portrait.jpg"));
    ASSERT_TRUE(images.wait(10000));
    EXPECT_EQ(Last(images).picture.size(), QSize(1200, 1600));
    EXPECT_EQ(dimensions.last().first().toSize(), QSize(1200, 1600));
}

TEST_F(PreviewLoaderTest, animatedGifsKeepEveryFrameAndTheirTiming)
{
    PreviewLoader loader;
    QSignalSpy images(&loader, &PreviewLoader::imageReady);
    loader.RequestPreview(QStringLiteral(GALLORIM_SOURCE_DIR "/samples/balle-animee.gif"));
    ASSERT_TRUE(images.wait(10000));
    const PreviewImage image = Last(images);
    EXPECT_GT(image.frames.size(), 1);
    EXPECT_EQ(image.frames.size(), image.timing.frameCount);
    EXPECT_EQ(image.fullSize, QSize(800, 600));
}

TEST_F(PreviewLoaderTest, heicAndAvifPhotosShowUprightAndShrunk)
{
    for (const bool avif : {false, true}) {
        // Stored sideways with the format's own turn: shown 200 x 400.
        const QByteArray bytes = testsupport::EncodeHeif(testsupport::Quadrants(400, 200), avif, 6);
        if (bytes.isEmpty())
            GTEST_SKIP() << "no HEIF encoder";
        const QString path = m_dir.filePath(avif ? QStringLiteral("p.avif") : QStringLiteral("p.heic"));
        ASSERT_TRUE(testsupport::WriteBytes(path, bytes));
        PreviewLoader loader;
        loader.SetViewSize(QSize(100, 100));
        QSignalSpy images(&loader, &PreviewLoader::imageReady);
        loader.RequestPreview(path);
        ASSERT_TRUE(images.wait(10000)) << avif;
        EXPECT_EQ(Last(images).fullSize, QSize(200, 400)) << avif;
        EXPECT_EQ(Last(images).picture.size(), QSize(50, 100)) << avif;
    }
}
