#include "cli/buildarguments.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {
GalleryOptions Applied(const QStringList &args)
{
    const BuildArguments a = ParseBuildArguments(args);
    EXPECT_TRUE(a.error.isEmpty()) << a.error.toStdString();
    GalleryOptions o;
    ApplyOptionFlags(a, o);
    return o;
}
} // namespace

TEST(BuildArguments, inputsPathsAndSwitches)
{
    const BuildArguments a = ParseBuildArguments(
        {"photos", "-o", "site/index.html", "--slideshow=site/d.html", "--save", "g.glr", "--jobs", "3", "-q",
         "--no-recursive", "--settings", "s.ini", "a.jpg", "--", "--title"});
    ASSERT_TRUE(a.error.isEmpty()) << a.error.toStdString();
    EXPECT_EQ(a.inputs, QStringList({"photos", "a.jpg", "--title"}));
    EXPECT_EQ(a.page, QDir::toNativeSeparators(QDir::current().absoluteFilePath("site/index.html")));
    EXPECT_EQ(a.slideshow, QDir::toNativeSeparators(QDir::current().absoluteFilePath("site/d.html")));
    EXPECT_EQ(a.saveProject, QDir::toNativeSeparators(QDir::current().absoluteFilePath("g.glr")));
    EXPECT_EQ(a.settings, "s.ini");
    EXPECT_EQ(a.jobs, 3);
    EXPECT_TRUE(a.quiet);
    EXPECT_FALSE(a.recursive);
    EXPECT_TRUE(a.changes.empty());
}

TEST(BuildArguments, optionFlagsChangeTheirOptionsOnly)
{
    const GalleryOptions o = Applied({"--title", "Vacances", "--per-line", "6", "--lines", "3", "--mode", "0",
                                      "--box", "160x120", "--quality", "70", "--zip", "tout.zip", "x"});
    GalleryOptions expected;
    expected.WebPage1.PageTitle = "Vacances";
    expected.WebPage2.NbImageOnOneLine = 6;
    expected.WebPage2.NbLineOnOnePage = 3;
    expected.BuildVignette.IsPercentSize = 0;
    expected.BuildVignette.FixedSize = {160, 120};
    expected.BuildVignette.JpegQuality = 70;
    expected.Links.ZipLink = 1;
    expected.Links.ZipName = "tout.zip";
    EXPECT_EQ(o.WebPage1, expected.WebPage1);
    EXPECT_EQ(o.WebPage2, expected.WebPage2);
    EXPECT_EQ(o.BuildVignette, expected.BuildVignette);
    EXPECT_EQ(o.Links, expected.Links);
    EXPECT_EQ(o.Diaporama, expected.Diaporama);
}

TEST(BuildArguments, zeroImagesPerLineTurnsBothLimitsOffAndKeepsTheCounts)
{
    const GalleryOptions o = Applied({"--per-line", "0", "x"});
    EXPECT_FALSE(CountLimitOn(o.WebPage2.NbImageOnOneLine));
    EXPECT_EQ(CountValue(o.WebPage2.NbImageOnOneLine), 4);
    EXPECT_FALSE(CountLimitOn(o.WebPage2.NbLineOnOnePage));
    EXPECT_EQ(CountValue(o.WebPage2.NbLineOnOnePage), 5);
    const GalleryOptions paged = Applied({"--lines", "2", "x"});
    EXPECT_TRUE(CountLimitOn(paged.WebPage2.NbLineOnOnePage));
    EXPECT_EQ(CountValue(paged.WebPage2.NbLineOnOnePage), 2);
}

TEST(BuildArguments, linkKindsGiveTheStoredLinkType)
{
    struct Row {
        const char *kind;
        int isLink;
        int linkType;
    };
    const Row rows[] = {{"none", 0, 0x21}, {"same", 1, 0x00}, {"window", 1, 0x01}, {"fullscreen", 1, 0x11},
                        {"popup", 1, 0x21}};
    for (const Row &row : rows) {
        const GalleryOptions o = Applied({"--link", row.kind, "x"});
        EXPECT_EQ(o.Links.IsLink, row.isLink) << row.kind;
        EXPECT_EQ(o.Links.LinkType, row.linkType) << row.kind;
    }
}

TEST(BuildArguments, designAndRootBecomeAbsolute)
{
    const GalleryOptions o = Applied({"--design", "modele.html", "--root", "site", "x"});
    EXPECT_EQ(o.WebPage1.DefaultPage, 0);
    EXPECT_EQ(o.WebPage1.PersonnalizedPagePath,
              QDir::toNativeSeparators(QDir::current().absoluteFilePath("modele.html")));
    EXPECT_EQ(o.WebPage2.RootRelativePath, 1);
    // The root is a folder: links are computed from inside it.
    EXPECT_EQ(o.WebPage2.RootPath, QDir::toNativeSeparators(QDir::current().absoluteFilePath("site") + "/"));
}

TEST(BuildArguments, refusesBadUsageWithAMessage)
{
    const QStringList bad[] = {
        {},
        {"--quiet"},
        {"--per-line", "-1", "x"},
        {"--mode", "6", "x"},
        {"--box", "12", "x"},
        {"--quality", "101", "x"},
        {"--link", "nouvelle", "x"},
        {"--jobs", "0", "x"},
        {"--frobnicate", "x"},
        {"x", "-o"},
        {"--zip", "", "x"},
    };
    for (const QStringList &args : bad)
        EXPECT_FALSE(ParseBuildArguments(args).error.isEmpty()) << args.join(' ').toStdString();
    EXPECT_TRUE(ParseBuildArguments({"--help"}).error.isEmpty());
}
