#include "platform/profile.h"
#include "shell/app/windowplacement.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
const QRect kWorkArea(0, 0, 1920, 1040);
}

TEST(WindowPlacement, firstStartOpensMaximised)
{
    const StartPlacement start = PlacementAtStart(StoredPlacement{}, kWorkArea);
    EXPECT_TRUE(start.maximized);
    EXPECT_TRUE(start.normalRect.isNull());
}

TEST(WindowPlacement, savedRectangleIsRestoredWithItsState)
{
    StoredPlacement stored{1920, QRect(100, 80, 800, 600), kShowRestore};
    StartPlacement start = PlacementAtStart(stored, kWorkArea);
    EXPECT_FALSE(start.maximized);
    EXPECT_EQ(start.normalRect, QRect(100, 80, 800, 600));
    stored.showState = kShowMaximized;
    start = PlacementAtStart(stored, kWorkArea);
    EXPECT_TRUE(start.maximized);
    EXPECT_EQ(start.normalRect, QRect(100, 80, 800, 600)); // kept for restore
}

TEST(WindowPlacement, rectangleOffTheScreensOrWithoutScreenWidthOpensMaximised)
{
    const StoredPlacement removedMonitor{3840, QRect(2000, 100, 800, 600), kShowRestore};
    EXPECT_TRUE(PlacementAtStart(removedMonitor, kWorkArea).maximized);
    EXPECT_TRUE(PlacementAtStart(removedMonitor, kWorkArea).normalRect.isNull());
    const StoredPlacement noScreen{0, QRect(100, 100, 800, 600), kShowRestore};
    EXPECT_TRUE(PlacementAtStart(noScreen, kWorkArea).maximized);
}

TEST(WindowPlacement, minimisedOrMaximisedWindowIsStoredMaximisedWithItsNormalRectangle)
{
    const StoredPlacement minimised = PlacementAtClose(QRect(10, 20, 640, 480), false, 1920);
    EXPECT_EQ(minimised.showState, kShowMaximized);
    EXPECT_EQ(minimised.rect, QRect(10, 20, 640, 480));
    EXPECT_EQ(minimised.screenX, 1920);
    EXPECT_EQ(PlacementAtClose(QRect(10, 20, 640, 480), true, 1920).showState, kShowRestore);
}

TEST(WindowPlacement, settingsRoundTripAsEdges)
{
    QTemporaryDir dir;
    SettingsProfile profile(dir.filePath(QStringLiteral("s.ini")));
    PlacementAtClose(QRect(10, 20, 640, 480), true, 1280).Save(profile);
    EXPECT_EQ(profile.GetInt(QStringLiteral("WindowState/MainFrame"), QStringLiteral("right"), 0), 650);
    EXPECT_EQ(profile.GetInt(QStringLiteral("WindowState/MainFrame"), QStringLiteral("bottom"), 0), 500);
    StoredPlacement loaded;
    loaded.Load(profile);
    EXPECT_EQ(loaded.rect, QRect(10, 20, 640, 480));
    EXPECT_EQ(loaded.showState, kShowRestore);
    EXPECT_EQ(loaded.screenX, 1280);
}
