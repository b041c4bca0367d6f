#include "document/galleryoptions.h"
#include "platform/profile.h"

#include <QDir>
#include <QTemporaryDir>
#include <functional>
#include <vector>
#include <gtest/gtest.h>

#include "printers.h"

namespace {
GalleryOptions Changed()
{
    GalleryOptions o;
    o.WebPage1.PageTitle = QString::fromUtf8("Été à Paris");
    o.WebPage1.DefaultPage = 0;
    o.WebPage1.Link = 0x123456;
    o.WebPage2.NbImageOnOneLine = CountWithSwitch(7, false);
    o.WebPage2.NbLineOnOnePage = 3;
    o.WebPage2.RootPath = "/srv/www/";
    o.WebPage2.CommentUnderImage = 1;
    o.Links.LinkType = MakeLinkType(true, LINK_WINDOW_FULLSCREEN);
    o.Links.WindowFixedSize = {800, 600};
    o.Links.PopupBgColor = 0xFFEEDD;
    o.Links.ZipName = "photos.zip";
    o.BuildVignette.PreSuffixe = "thumbs/t_";
    o.BuildVignette.IfDoNotExistAction = 3;
    o.BuildVignette.FixedSize = {200, 150};
    o.BuildVignette.BackgroundColor = 0xFF00FF;
    o.Diaporama.Speed = 9;
    o.Diaporama.AutoOrUser = 2;
    o.Diaporama.Random = 1;
    return o;
}
} // namespace

TEST(GalleryOptions, aFreshProfileGivesTheBuiltInDefaults)
{
    QTemporaryDir dir;
    SettingsProfile profile(dir.filePath("s.ini"));
    GalleryOptions o;
    o.WebPage1.PageTitle = "changed";
    o.LoadFromRegistry(profile);
    EXPECT_FALSE(OptionsDiffer(o, GalleryOptions()));
    EXPECT_EQ(static_cast<unsigned>(o.WebPage2.NbLineOnOnePage), 0x80000005u);
    EXPECT_FALSE(CountLimitOn(o.WebPage2.NbLineOnOnePage));
    EXPECT_EQ(CountValue(o.WebPage2.NbLineOnOnePage), 5);
    EXPECT_TRUE(LinkNewWindow(o.Links.LinkType));
    EXPECT_EQ(LinkKind(o.Links.LinkType), LINK_WINDOW_SIZED_POPUP);
    EXPECT_EQ(o.BuildVignette.PreSuffixe, "mini" + QString(QDir::separator()) + "small_");
}

TEST(GalleryOptions, eachGroupSurvivesASaveAndALoad)
{
    QTemporaryDir dir;
    const QString ini = dir.filePath("s.ini");
    const GalleryOptions saved = Changed();
    {
        SettingsProfile profile(ini);
        saved.WebPage1.SaveToRegistry(profile);
        saved.WebPage2.SaveToRegistry(profile);
        saved.Links.SaveToRegistry(profile);
        saved.BuildVignette.SaveToRegistry(profile);
        saved.Diaporama.SaveToRegistry(profile);
        profile.Sync();
    }
    SettingsProfile profile(ini);
    GalleryOptions loaded;
    loaded.LoadFromRegistry(profile);
    EXPECT_FALSE(OptionsDiffer(saved, loaded));
    EXPECT_EQ(loaded.WebPage1.PageTitle, saved.WebPage1.PageTitle);
    EXPECT_EQ(loaded.WebPage2.NbImageOnOneLine, saved.WebPage2.NbImageOnOneLine);
}

TEST(GalleryOptions, storedPrefixesWithBackslashesReadWithTheNativeSeparator)
{
    QTemporaryDir dir;
    SettingsProfile profile(dir.filePath("s.ini"));
    profile.WriteString("LastOptions/BuildVignette", "PreSuffixe", "vign\\sub/t_");
    profile.WriteString("LastOptions/Links", "ZipName", "zips\\all.zip");
    GalleryOptions o;
    o.LoadFromRegistry(profile);
    const QString sep(QDir::separator());
    EXPECT_EQ(o.BuildVignette.PreSuffixe, "vign" + sep + "sub" + sep + "t_");
    EXPECT_EQ(o.Links.ZipName, "zips" + sep + "all.zip");
}

TEST(OptionsDiffer, seesAnyGroupFieldButNotThePagePaths)
{
    const GalleryOptions base;
    GalleryOptions other = base;
    other.PagePath = "/x/index.html";
    other.SlideshowPagePath = "/x/diaporama.html";
    EXPECT_FALSE(OptionsDiffer(base, other));

    other = base;
    other.Links.AllowFullSize = 1;
    EXPECT_TRUE(OptionsDiffer(base, other));
    other = base;
    other.Diaporama.NoLoop = 1;
    EXPECT_TRUE(OptionsDiffer(base, other));
    other = base;
    other.WebPage1.PageTitle += " ";
    EXPECT_TRUE(OptionsDiffer(base, other));
    other = base;
    other.BuildVignette.SmallestBiggestSize = 64;
    EXPECT_TRUE(OptionsDiffer(base, other));
}

// Settings written by other copies of the program are found only under the
// exact section and value names, so each one is written by name and read back.
TEST(GalleryOptions, readsEveryValueUnderItsSettingsName)
{
    struct IntRow {
        const char *section;
        const char *name;
        int value;
        std::function<int(const GalleryOptions &)> field;
    };
    const std::vector<IntRow> ints = {
        {"WebPage1", "DefaultPage", 0, [](auto &o) { return o.WebPage1.DefaultPage; }},
        {"WebPage1", "BackgroundColor", 0x010203, [](auto &o) { return int(o.WebPage1.BackgroundColor); }},
        {"WebPage1", "TextColor", 0x040506, [](auto &o) { return int(o.WebPage1.TextColor); }},
        {"WebPage1", "Link", 0x070809, [](auto &o) { return int(o.WebPage1.Link); }},
        {"WebPage1", "BorderColor", 0x0A0B0C, [](auto &o) { return int(o.WebPage1.BorderColor); }},
        {"WebPage1", "ProtectImage", 1, [](auto &o) { return o.WebPage1.ProtectImage; }},
        {"WebPage2", "NbImageOnOneLine", 6, [](auto &o) { return o.WebPage2.NbImageOnOneLine; }},
        {"WebPage2", "NbLineOnOnePage", 3, [](auto &o) { return o.WebPage2.NbLineOnOnePage; }},
        {"WebPage2", "EndLastLine", 0, [](auto &o) { return o.WebPage2.EndLastLine; }},
        {"WebPage2", "BorderSize", 2, [](auto &o) { return o.WebPage2.BorderSize; }},
        {"WebPage2", "ToolTipType", 1, [](auto &o) { return o.WebPage2.ToolTipType; }},
        {"WebPage2", "RootRelativePath", 1, [](auto &o) { return o.WebPage2.RootRelativePath; }},
        {"WebPage2", "NoTooltipInPopups", 1, [](auto &o) { return o.WebPage2.NoTooltipInPopups; }},
        {"WebPage2", "CommentUnderImage", 1, [](auto &o) { return o.WebPage2.CommentUnderImage; }},
        {"Links", "IsLink", 0, [](auto &o) { return o.Links.IsLink; }},
        {"Links", "LinkType", 0x11, [](auto &o) { return o.Links.LinkType; }},
        {"Links", "WindowAutoSize", 0, [](auto &o) { return o.Links.WindowAutoSize; }},
        {"Links", "WindowFixedSize.cx", 800, [](auto &o) { return o.Links.WindowFixedSize.cx; }},
        {"Links", "WindowFixedSize.cy", 600, [](auto &o) { return o.Links.WindowFixedSize.cy; }},
        {"Links", "AdapImageSize", 0, [](auto &o) { return o.Links.AdapImageSize; }},
        {"Links", "AllowFullSize", 1, [](auto &o) { return o.Links.AllowFullSize; }},
        {"Links", "PopupBgColor", 0x0D0E0F, [](auto &o) { return int(o.Links.PopupBgColor); }},
        {"Links", "SpecialPopupLink", 0, [](auto &o) { return o.Links.SpecialPopupLink; }},
        {"Links", "ZipLink", 1, [](auto &o) { return o.Links.ZipLink; }},
        {"BuildVignette", "WithPrefixe", 0, [](auto &o) { return o.BuildVignette.WithPrefixe; }},
        {"BuildVignette", "RejectFileWithVignetteName", 0,
         [](auto &o) { return o.BuildVignette.RejectFileWithVignetteName; }},
        {"BuildVignette", "IfDoNotExistAction", 2, [](auto &o) { return o.BuildVignette.IfDoNotExistAction; }},
        {"BuildVignette", "IsPercentSize", 4, [](auto &o) { return o.BuildVignette.IsPercentSize; }},
        {"BuildVignette", "PercentSize", 25, [](auto &o) { return o.BuildVignette.PercentSize; }},
        {"BuildVignette", "FixedSize.cx", 160, [](auto &o) { return o.BuildVignette.FixedSize.cx; }},
        {"BuildVignette", "FixedSize.cy", 120, [](auto &o) { return o.BuildVignette.FixedSize.cy; }},
        {"BuildVignette", "BackgroundColor", 0x102030, [](auto &o) { return int(o.BuildVignette.BackgroundColor); }},
        {"BuildVignette", "JpegQuality", 70, [](auto &o) { return o.BuildVignette.JpegQuality; }},
        {"BuildVignette", "SmallestBiggestSize", 200, [](auto &o) { return o.BuildVignette.SmallestBiggestSize; }},
        {"Diaporama", "Speed", 8, [](auto &o) { return o.Diaporama.Speed; }},
        {"Diaporama", "CloseOrBack", 1, [](auto &o) { return o.Diaporama.CloseOrBack; }},
        {"Diaporama", "AutoOrUser", 2, [](auto &o) { return o.Diaporama.AutoOrUser; }},
        {"Diaporama", "VignetteDiapoSizeMode", 1, [](auto &o) { return o.Diaporama.VignetteDiapoSizeMode; }},
        {"Diaporama", "VignetteDiapoSizeWidth", 150, [](auto &o) { return o.Diaporama.VignetteDiapoSizeWidth; }},
        {"Diaporama", "VignetteDiapoSizeHeight", 110, [](auto &o) { return o.Diaporama.VignetteDiapoSizeHeight; }},
        {"Diaporama", "NoLoop", 1, [](auto &o) { return o.Diaporama.NoLoop; }},
        {"Diaporama", "Random", 1, [](auto &o) { return o.Diaporama.Random; }},
    };
    struct TextRow {
        const char *section;
        const char *name;
        const char *value;
        std::function<QString(const GalleryOptions &)> field;
    };
    const std::vector<TextRow> texts = {
        {"WebPage1", "PageTitle", "Vacances", [](auto &o) { return o.WebPage1.PageTitle; }},
        {"WebPage1", "PersonnalizedPagePath", "/t/page.html", [](auto &o) { return o.WebPage1.PersonnalizedPagePath; }},
        {"WebPage1", "BackgroundImagePath", "/t/fond.jpg", [](auto &o) { return o.WebPage1.BackgroundImagePath; }},
        {"WebPage2", "RootPath", "/srv/www/", [](auto &o) { return o.WebPage2.RootPath; }},
        {"Links", "ZipName", "tout.zip", [](auto &o) { return o.Links.ZipName; }},
        {"BuildVignette", "PreSuffixe", "_v", [](auto &o) { return o.BuildVignette.PreSuffixe; }},
    };

    QTemporaryDir dir;
    SettingsProfile profile(dir.filePath("s.ini"));
    for (const IntRow &r : ints)
        profile.WriteInt(QStringLiteral("LastOptions\\") + r.section, r.name, r.value);
    for (const TextRow &r : texts)
        profile.WriteString(QStringLiteral("LastOptions\\") + r.section, r.name, r.value);
    GalleryOptions o;
    o.LoadFromRegistry(profile);
    for (const IntRow &r : ints)
        EXPECT_EQ(r.field(o), r.value) << r.section << "/" << r.name;
    for (const TextRow &r : texts)
        EXPECT_EQ(r.field(o), QString::fromUtf8(r.value)) << r.section << "/" << r.name;
}

TEST(CountSwitch, keepsTheLastCountWhileTheLimitIsOff)
{
    struct Row {
        std::uint32_t stored;
        int count;
        bool limitOn;
    } rows[] = {
        {4, 4, true},
        {0x80000005u, 5, false},
        {0x80000000u, 0, false},
        {0x7FFFFFFFu, 0x7FFFFFFF, true},
    };
    for (const Row &r : rows) {
        const int stored = static_cast<int>(r.stored);
        EXPECT_EQ(CountValue(stored), r.count) << std::hex << r.stored;
        EXPECT_EQ(CountLimitOn(stored), r.limitOn) << std::hex << r.stored;
        EXPECT_EQ(static_cast<std::uint32_t>(CountWithSwitch(r.count, r.limitOn)), r.stored) << std::hex << r.stored;
    }
    // Switching the limit off and on again shows the same count.
    EXPECT_EQ(CountWithSwitch(CountValue(CountWithSwitch(7, false)), true), 7);
}

TEST(LinkTypeSplit, separatesTheNewWindowBitsFromTheWindowKind)
{
    struct Row {
        int linkType;
        bool newWindow;
        int kind;
    } rows[] = {
        {0x21, true, LINK_WINDOW_SIZED_POPUP},
        {0x11, true, LINK_WINDOW_FULLSCREEN},
        {0x01, true, LINK_WINDOW_NORMAL},
        {0x00, false, LINK_WINDOW_NORMAL},
        {0x20, false, LINK_WINDOW_SIZED_POPUP}, // kind kept while the current window is used
        {0x0F, true, LINK_WINDOW_NORMAL},       // any low bit means a new window
    };
    for (const Row &r : rows) {
        EXPECT_EQ(LinkNewWindow(r.linkType), r.newWindow) << r.linkType;
        EXPECT_EQ(LinkKind(r.linkType), r.kind) << r.linkType;
    }
    EXPECT_EQ(MakeLinkType(true, LINK_WINDOW_SIZED_POPUP), 0x21);
    EXPECT_EQ(MakeLinkType(false, LINK_WINDOW_FULLSCREEN), 0x10);
}
