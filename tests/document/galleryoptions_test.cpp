#include "document/galleryoptions.h"
#include "platform/profile.h"

#include <QDir>
#include <QTemporaryDir>
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

TEST(GalleryOptions, groupsLiveInTheirOwnSectionsUnderTheDescribedNames)
{
    QTemporaryDir dir;
    SettingsProfile profile(dir.filePath("s.ini"));
    Changed().Links.SaveToRegistry(profile);
    Changed().BuildVignette.SaveToRegistry(profile);
    EXPECT_EQ(profile.GetInt("LastOptions/Links", "WindowFixedSize.cx", 0), 800);
    EXPECT_EQ(profile.GetInt("LastOptions/BuildVignette", "IfDoNotExistAction", 0), 3);
    EXPECT_EQ(profile.GetInt("LastOptions/WebPage1", "DefaultPage", -1), -1); // not saved
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
