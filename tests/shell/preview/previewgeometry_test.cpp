// The preview's pure rules: fit and zoom placement, clicked points, panning,
// where the window opens, its stored options and the status bar texts.
#include "platform/profile.h"
#include "shell/preview/previewgeometry.h"
#include "shell/preview/previewoptions.h"
#include "shell/preview/previewstatusbar.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(PreviewGeometry, fitNeverEnlargesAndCentres)
{
    const PreviewPlacement p = PlacePreview(QSize(100, 50), QSize(400, 300), true, 3.0, QPoint(7, 7));
    EXPECT_DOUBLE_EQ(p.zoom, 1.0);
    EXPECT_EQ(p.destination, QRect(150, 125, 100, 50));
    EXPECT_EQ(p.source, QRect(0, 0, 100, 50));
}

TEST(PreviewGeometry, zoomInClickRecentresOnTheClickedPoint)
{
    const QSize image(2000, 1000), window(400, 300);
    const PreviewPlacement fitted = PlacePreview(image, window, true, 1.0, QPoint());
    EXPECT_DOUBLE_EQ(fitted.zoom, 0.2);
    EXPECT_EQ(fitted.destination, QRect(0, 50, 400, 200));

    const QPoint clicked = ImagePointAt(QPoint(200, 150), fitted, image);
    EXPECT_EQ(clicked, QPoint(1000, 500));
    const double zoom = ZoomedIn(fitted.zoom);
    EXPECT_NEAR(zoom, 0.2518, 1e-4);
    const PreviewPlacement zoomed
        = PlacePreview(image, window, false, zoom, fitted.source.topLeft(), clicked);
    EXPECT_EQ(zoomed.source.left(), 206);
    EXPECT_EQ(zoomed.source.right(), 1793);
    EXPECT_EQ(zoomed.destination.left(), 0);
    EXPECT_EQ(zoomed.destination.width(), 400);
    // The other axis still fits: centred, whole.
    EXPECT_EQ(zoomed.destination.top(), (300 - 251) >> 1);
    EXPECT_EQ(zoomed.source.height(), 1000);
    EXPECT_NEAR(ZoomedOut(zoom), 0.2, 1e-12);
}

TEST(PreviewGeometry, visiblePartStaysInsideThePicture)
{
    const QSize image(1000, 1000), window(200, 200);
    EXPECT_EQ(PlacePreview(image, window, false, 1.0, QPoint(-50, 5000)).source, QRect(0, 800, 200, 200));
    EXPECT_EQ(
        PlacePreview(image, window, false, 1.0, QPoint(), QPoint(990, 10)).source.topLeft(), QPoint(800, 0));
    // However far the zoom went, at least one pixel shows and nothing overflows.
    const PreviewPlacement huge = PlacePreview(image, window, false, 1e300, QPoint(), QPoint(500, 500));
    EXPECT_EQ(huge.source.size(), QSize(1, 1));
    EXPECT_TRUE(PlacePreview(image, window, false, 1e-300, QPoint()).destination.isEmpty());
}

TEST(PreviewGeometry, clickedPointsAreLimitedToThePicture)
{
    const PreviewPlacement p = PlacePreview(QSize(100, 50), QSize(400, 300), true, 1.0, QPoint());
    EXPECT_EQ(ImagePointAt(QPoint(10, 10), p, QSize(100, 50)), QPoint(0, 0));
    EXPECT_EQ(ImagePointAt(QPoint(399, 299), p, QSize(100, 50)), QPoint(100, 50));
    EXPECT_EQ(ImagePointAt(QPoint(160, 130), p, QSize(100, 50)), QPoint(10, 5));
}

TEST(PreviewGeometry, slowDragsAtHighZoomStillPan)
{
    // Each single-pixel move is less than an image pixel; measured from the
    // press, five of them are one pixel and a quarter.
    EXPECT_EQ(PannedOffset(QPoint(100, 100), QPoint(1, 0), 4.0), QPoint(100, 100));
    EXPECT_EQ(PannedOffset(QPoint(100, 100), QPoint(5, -8), 4.0), QPoint(99, 102));
    EXPECT_EQ(PannedOffset(QPoint(0, 0), QPoint(-30, 30), 0.5), QPoint(60, -60));
}

TEST(PreviewGeometry, fittedSizeIsWhatTheFitDraws)
{
    EXPECT_EQ(FittedSize(QSize(8000, 6000), QSize(400, 300)), QSize(400, 300));
    EXPECT_EQ(FittedSize(QSize(100, 50), QSize(400, 300)), QSize(100, 50));
    EXPECT_EQ(FittedSize(QSize(10000, 10), QSize(400, 300)), QSize(400, 1));
}

TEST(PreviewPlacementAtStart, savedRectangleOnAnyScreenIsKept)
{
    PreviewOptions o;
    o.ScreenX = 1920;
    o.rect = QRect(2000, 100, 300, 200);
    const QList<QRect> two = {QRect(0, 0, 1920, 1040), QRect(1920, 0, 1280, 1000)};
    EXPECT_EQ(PreviewStartRect(o, two, FrameMetrics()), o.rect);
}

TEST(PreviewPlacementAtStart, rightThirdWhenNothingSavedOrOffScreen)
{
    const QList<QRect> work = {QRect(0, 0, 1200, 900)};
    const FrameMetrics m {1, 20, 18};
    const QRect third(QPoint(800, 64), QPoint(1198, 363));
    PreviewOptions o;
    o.rect = QRect(10, 10, 300, 200); // ScreenX 0: never saved
    EXPECT_EQ(PreviewStartRect(o, work, m), third);
    o.ScreenX = 1600;
    o.rect = QRect(1500, 950, 300, 200);
    EXPECT_EQ(PreviewStartRect(o, work, m), third);
}

TEST(PreviewOptionsRecord, storesEveryValueUnderItsSection)
{
    QTemporaryDir dir;
    SettingsProfile profile(dir.filePath(QStringLiteral("p.ini")));
    PreviewOptions defaults;
    defaults.Load(profile);
    EXPECT_EQ(defaults, PreviewOptions());
    EXPECT_EQ(ToolBarArea(defaults.ToolBarPos), Qt::LeftToolBarArea);

    PreviewOptions o;
    o.ScreenX = 1280;
    o.Visible = 0;
    o.rect = QRect(10, 20, 300, 200);
    o.AutoBgColor = 1;
    o.BgColor = 0x123456;
    o.StatusBarVisible = 0;
    o.ToolBarVisible = 0;
    o.ToolBarPos = kToolBarBottom;
    o.Animation = 0;
    o.Save(profile);
    EXPECT_EQ(profile.GetInt(QStringLiteral("WindowState\\Preview"), QStringLiteral("right"), 0), 310);
    PreviewOptions back;
    back.Load(profile);
    EXPECT_EQ(back, o);
    EXPECT_EQ(ToolBarArea(back.ToolBarPos), Qt::BottomToolBarArea);
    EXPECT_EQ(ToolBarArea(12345), Qt::LeftToolBarArea);
}

TEST(PreviewStatusTexts, sizesCountInStepsOf1024)
{
    const struct {
        qint64 bytes;
        const char *text;
    } rows[] = {{1536, "1.5 Ko "}, {1024, "1024.0 Octets "}, {1, "1.0 Octets "}, {0, "  "},
        {qint64(5) << 20, "5.0 Mo "}, {(qint64(3) << 30) + (qint64(1) << 29), "3.5 Go "},
        {qint64(2) << 40, "2.0 To "}, {qint64(1) << 62, "4.0 "}};
    for (const auto &row : rows)
        EXPECT_EQ(PreviewSizeText(row.bytes), QString::fromLatin1(row.text)) << row.bytes;
}

TEST(PreviewStatusTexts, namesAndDimensions)
{
    EXPECT_EQ(PreviewNameText(QStringLiteral("/photos/2024/lac.jpg")), QStringLiteral("lac.jpg"));
    EXPECT_EQ(PreviewNameText(QStringLiteral("/photos/")), QStringLiteral("/photos/"));
    EXPECT_EQ(PreviewNameText(QStringLiteral("lac.jpg")), QStringLiteral("lac.jpg"));
    EXPECT_EQ(PreviewDimensionText(QSize(1280, 1024)), QStringLiteral("1280x1024"));
    EXPECT_EQ(PreviewDimensionText(QSize(0, 0)), QStringLiteral("  "));
}
