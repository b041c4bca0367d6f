#include "document/imageentry.h"

#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>
#include <QTimeZone>
#include <gtest/gtest.h>

#include "printers.h"

TEST(GetOptionsSummary, namesEachGroupOnceInTheFixedOrder)
{
    struct Row {
        std::uint32_t flags;
        const char *expected;
    } rows[] = {
        {0, ""},
        {0x001 | 0x100 | 0x200, "Info Bulle; "},
        {0x004 | 0x020, "Taille du popup"},
        {0x008, "Taille de la bordure; "},
        {0x002 | 0x010, "Couleur de la bordure; Lien; "},
        {0x040 | 0x080, "Taille de l'image dans le popup" "Couleur de fond du popup"},
        {0x3FF, "Taille de la bordure; Couleur de la bordure; Info Bulle; Lien; Taille du popup"
                "Taille de l'image dans le popup" "Couleur de fond du popup"},
        {0x400, ""}, // bits above 0x200 mean nothing
    };
    for (const Row &r : rows)
        EXPECT_EQ(GetOptionsSummary(r.flags), QString::fromUtf8(r.expected)) << std::hex << r.flags;
}

TEST(DropMatchingOverrides, clearsOnlyFlagsWhoseValuesMatchTheGallery)
{
    GalleryOptions gallery;
    ImageOptionBlock block;
    block.Flags = IMGOPT_BORDER_SIZE | IMGOPT_LINK_TYPE | IMGOPT_POPUP_FIXED_SIZE | IMGOPT_POPUP_IMAGE_SIZE;
    block.BorderSize = gallery.WebPage2.BorderSize;       // same: dropped
    block.LinkType = gallery.Links.LinkType + 1;          // differs: kept
    block.PopupWidth = gallery.Links.WindowFixedSize.cx;  // width same,
    block.PopupHeight = gallery.Links.WindowFixedSize.cy + 1; // height differs: kept
    block.AdaptImageSize = gallery.Links.AdapImageSize;   // both same: dropped
    block.AllowFullSize = gallery.Links.AllowFullSize;

    const ImageOptionBlock out = DropMatchingOverrides(block, gallery);
    EXPECT_EQ(out.Flags, IMGOPT_LINK_TYPE | IMGOPT_POPUP_FIXED_SIZE);
    EXPECT_EQ(out.BorderSize, block.BorderSize); // values stay as they were
}

TEST(DropMatchingOverrides, anOverrideEqualToEveryGalleryValueLeavesNoFlag)
{
    GalleryOptions gallery;
    gallery.WebPage1.BorderColor = 0x112233;
    gallery.WebPage2.ToolTipType = 2;
    gallery.WebPage2.NoTooltipInPopups = 1;
    gallery.WebPage2.CommentUnderImage = 1;
    gallery.Links.WindowAutoSize = 0;
    gallery.Links.PopupBgColor = 0x445566;
    ImageOptionBlock block;
    block.Flags = 0x3FF;
    block.ToolTipType = 2;
    block.LinkType = gallery.Links.LinkType;
    block.PopupWidth = gallery.Links.WindowFixedSize.cx;
    block.PopupHeight = gallery.Links.WindowFixedSize.cy;
    block.PopupAutoSize = 0;
    block.AdaptImageSize = gallery.Links.AdapImageSize;
    block.AllowFullSize = gallery.Links.AllowFullSize;
    block.BorderSize = gallery.WebPage2.BorderSize;
    block.BorderColor = 0x112233;
    block.PopupBgColor = 0x445566;
    block.NoTooltipInPopups = 1;
    block.CommentUnderImage = 1;
    EXPECT_EQ(DropMatchingOverrides(block, gallery).Flags, 0u);

    block.PopupBgColor = 0;
    EXPECT_EQ(DropMatchingOverrides(block, gallery).Flags, static_cast<std::uint32_t>(IMGOPT_POPUP_BG_COLOR));
}

TEST(ApplyFileTimeFallback, fillsDateAndTimeFromTheLocalModificationTime)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("a.jpg");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    const QDateTime when(QDate(2004, 3, 7), QTime(18, 5, 9), Qt::LocalTime);
    ASSERT_TRUE(f.setFileTime(when, QFileDevice::FileModificationTime));
    f.close();

    QString date, time;
    EXPECT_TRUE(ApplyFileTimeFallback(path, date, time));
    EXPECT_EQ(date, "07/03/2004");
    EXPECT_EQ(time, "18:05:09");
}

TEST(ApplyFileTimeFallback, leavesCameraTextsAloneAndMissingFilesEmpty)
{
    QTemporaryDir dir;
    QString date = "01/02/2003", time;
    EXPECT_FALSE(ApplyFileTimeFallback(dir.path(), date, time));
    EXPECT_EQ(date, "01/02/2003");
    EXPECT_TRUE(time.isEmpty());

    QString d2, t2;
    EXPECT_FALSE(ApplyFileTimeFallback(dir.filePath("missing.jpg"), d2, t2));
    EXPECT_TRUE(d2.isEmpty() && t2.isEmpty());
}
