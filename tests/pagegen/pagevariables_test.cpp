#include "document/imageentry.h"
#include "pagegen/pagevariables.h"
#include "qstringprint.h"

#include <gtest/gtest.h>

namespace {

GalleryOptions Options(int perLine, int linesPerPage)
{
    GalleryOptions o;
    o.WebPage2.NbImageOnOneLine = perLine;
    o.WebPage2.NbLineOnOnePage = linesPerPage;
    return o;
}

QString V(const PageVariables &vars, PageVariable v)
{
    return vars.ReplacePageVariables(vars.ReplaceImageVariables(PageVariableName(v)));
}

} // namespace

TEST(ComputePageLayout, coversLimitedUnlimitedAndEmptyLists)
{
    struct Row {
        int count, perLineOption, linesOption;
        int perLine, linesPerPage, perPage, lines, pages;
        bool pagination, endOfLine;
    } rows[] = {
        {10, 4, 2, 4, 2, 8, 3, 2, true, true},
        {10, 4, -1, 4, 3, 12, 3, 1, false, true},   // unlimited lines: one page
        {10, -1, 2, 10, 1, 10, 1, 1, false, false}, // unlimited per line: one line
        {8, 4, 2, 4, 2, 8, 2, 1, false, true},      // exactly one page: no pagination
        {0, 4, 2, 4, 2, 8, 0, 0, false, true},
        {0, -1, -1, 0, 0, 0, 0, 0, false, false},   // empty and unlimited: no division by zero
        {5, 0, 0, 1, 1, 1, 5, 5, true, true},       // zero limits from a damaged file
        {3, 0x7FFFFFFF, 0x7FFFFFFF, 0x7FFFFFFF, 0x7FFFFFFF, 0x7FFFFFFF, 1, 1, false, true},
    };
    for (const Row &r : rows) {
        const PageLayout l = ComputePageLayout(r.count, r.perLineOption, r.linesOption);
        SCOPED_TRACE(testing::Message() << r.count << " " << r.perLineOption << " " << r.linesOption);
        EXPECT_EQ(l.perLine, r.perLine);
        EXPECT_EQ(l.linesPerPage, r.linesPerPage);
        EXPECT_EQ(l.perPage, r.perPage);
        EXPECT_EQ(l.lines, r.lines);
        EXPECT_EQ(l.pages, r.pages);
        EXPECT_EQ(l.pagination, r.pagination);
        EXPECT_EQ(l.endOfLine, r.endOfLine);
    }
}

TEST(PageVariables, placesImageNineOfTenOnTheSecondPage)
{
    const GalleryOptions o = Options(4, 2);
    PageVariables vars;
    vars.SetPage(&o, 10, "/site/index.html", 1);
    ImageEntry e;
    e.Path = "/site/img/p9.jpg";
    vars.SetImage(&e, 9);
    const std::pair<PageVariable, const char *> expected[] = {
        {VAR_IMAGE_INDEX, "9"},           {VAR_LINE_INDEX, "3"},           {VAR_PAGE_INDEX, "2"},
        {VAR_IMAGE_POS_IN_LINE, "1"},     {VAR_LINE_POS_IN_PAGE, "1"},     {VAR_IMAGE_POS_IN_PAGE, "1"},
        {VAR_NB_IMAGE_IN_THIS_LINE, "2"}, {VAR_NB_IMAGE_IN_THIS_PAGE, "2"}, {VAR_NB_LINE_IN_THIS_PAGE, "1"},
        {VAR_NUMBER_OF_PAGES, "2"},       {VAR_NB_IMAGE_PER_PAGE, "8"},    {VAR_IMAGE_NAME, "p9.jpg"},
        {VAR_VIGNETTE_NAME, "small_p9.jpg"},
    };
    for (const auto &[v, text] : expected)
        EXPECT_EQ(V(vars, v), text) << PageVariableName(v).toStdString();
}


TEST(PageVariables, writesColoursAsRedGreenBlue)
{
    GalleryOptions o;
    o.WebPage1.BackgroundColor = 0xFF8040; // blue FF, green 80, red 40
    PageVariables vars;
    vars.SetPage(&o, 1, {}, 1);
    EXPECT_EQ(vars.ReplacePageVariables("?$VORLEX_VARIABLE_BGCOLOR"), "#4080FF");
    EXPECT_EQ(ColorText(0x0000FF), "#FF0000");
}

TEST(PageVariables, substitutesInsertedTextWithLaterVariables)
{
    GalleryOptions o;
    o.WebPage1.PageTitle = "?$VORLEX_VARIABLE_NUMBER_OF_IMAGES photos";
    PageVariables vars;
    vars.SetPage(&o, 7, {}, 1);
    EXPECT_EQ(vars.ReplacePageVariables("<h1>?$VORLEX_VARIABLE_TITLE</h1>"), "<h1>7 photos</h1>");
    // A variable replaced before the one whose value brings it in stays as written.
    o.WebPage1.PageTitle = "?$VORLEX_VAR_INSERT_ZIP_LINK ?$VORLEX_VARX";
    vars.SetPage(&o, 7, {}, 1);
    vars.SetValue(VAR_INSERT_ZIP_LINK, "zip");
    EXPECT_EQ(vars.ReplacePageVariables("?$VORLEX_VAR_INSERT_ZIP_LINK ?$VORLEX_VARIABLE_TITLE"),
              "zip ?$VORLEX_VAR_INSERT_ZIP_LINK ?$VORLEX_VARX");
    // The comment is only put in by image sections.
    EXPECT_EQ(vars.ReplacePageVariables("?$VORLEX_VARIABLE_IMAGE_COMMENTS"), "?$VORLEX_VARIABLE_IMAGE_COMMENTS");
}

TEST(PageVariables, expandsCommentsAndPutsThemIntoImageSections)
{
    const GalleryOptions o = Options(4, -1);
    PageVariables vars;
    vars.SetPage(&o, 3, {}, 1);
    ImageEntry e;
    e.Path = "/a/b.jpg";
    e.Camera[CAMERA_ISO] = "200";
    vars.SetImage(&e, 2);
    EXPECT_EQ(vars.ExpandComment("Photo ?$VORLEX_VARIABLE_IMAGE_INDEX sur ?$VORLEX_VARIABLE_NUMBER_OF_IMAGES"),
              "Photo 2 sur 3");
    EXPECT_EQ(vars.ExpandImageSection("[?$VORLEX_VARIABLE_IMAGE_COMMENTS|?$VORLEX_VARIABLE_APN_ISO]"),
              "[Photo 2 sur 3|200]");
}

TEST(PageVariables, fillerCellsKeepPositionsButLoseNames)
{
    const GalleryOptions o = Options(4, 2);
    PageVariables vars;
    vars.SetPage(&o, 10, "/s/index.html", 2);
    ImageEntry e;
    e.Path = "/s/x.jpg";
    e.ImageSizeText = "1 ko";
    vars.SetImage(&e, 10);
    const ImageEntry empty;
    vars.SetImage(&empty, 11);
    EXPECT_EQ(vars.ExpandImageSection("?$VORLEX_VARIABLE_IMAGE_INDEX,?$VORLEX_VARIABLE_IMAGE_POS_IN_LINE,"
                                      "?$VORLEX_VARIABLE_LINE_INDEX,[?$VORLEX_VARIABLE_IMAGE_NAME]"
                                      "[?$VORLEX_VARIABLE_IMAGE_SIZE][?$VORLEX_VARIABLE_VIGNETTE_NAME]"),
              "11,3,3,[][][]");
    // No entry: per-image values cleared, page values kept.
    vars.SetImage(nullptr, 0);
    EXPECT_EQ(vars.ExpandImageSection("[?$VORLEX_VARIABLE_IMAGE_INDEX]?$VORLEX_VARIABLE_NB_IMAGE_IN_THIS_PAGE"),
              "[]2");
}

TEST(PageVariables, usesTheImagesOwnBorderColourOnlyWhileItIsSet)
{
    GalleryOptions o;
    o.WebPage1.BorderColor = 0x00FF00;
    PageVariables vars;
    vars.SetPage(&o, 2, {}, 1);
    ImageEntry e;
    e.Path = "/a.jpg";
    e.Options.Flags = IMGOPT_BORDER_COLOR;
    e.Options.BorderColor = 0x0000FF;
    vars.SetImage(&e, 1);
    EXPECT_EQ(vars.ReplacePageVariables("?$VORLEX_VARIABLE_BORDERCOLOR"), "#FF0000");
    vars.SetImage(nullptr, 0);
    EXPECT_EQ(vars.ReplacePageVariables("?$VORLEX_VARIABLE_BORDERCOLOR"), "#00FF00");
}

TEST(PageVariables, linksTheBackgroundImageFromThePageOrTheRoot)
{
    struct Row {
        const char *background;
        int rooted;
        const char *pagePath;
        const char *expected;
    } rows[] = {
        {"/site/img/bg.jpg", 0, "/site/gal/index.html", "../img/bg.jpg"},
        {"/site/gal/bg.jpg", 0, "/site/gal/index.html", "bg.jpg"}, // next to the page
        {"/site/img/bg.jpg", 1, "/site/gal/index.html", "/img/bg.jpg"},
        {"/site/img/bg.jpg", 0, "", ""},   // no page yet
        {"/elsewhere/bg.jpg", 1, "/site/gal/index.html", ""}, // outside the root
        {"", 0, "/site/gal/index.html", ""},
    };
    for (const Row &r : rows) {
        GalleryOptions o;
        o.WebPage1.BackgroundImagePath = r.background;
        o.WebPage2.RootRelativePath = r.rooted;
        o.WebPage2.RootPath = "/site/";
        PageVariables vars;
        vars.SetPage(&o, 1, r.pagePath, 1);
        EXPECT_EQ(vars.ReplacePageVariables("?$VORLEX_VARIABLE_BACKGROUND_IMAGE"), r.expected) << r.background;
    }
}

TEST(PageVariables, leavesProtectionEmptyWhenImagesAreNotProtected)
{
    GalleryOptions o;
    o.WebPage1.ProtectImage = 0;
    PageVariables vars;
    vars.SetPage(&o, 1, {}, 1);
    EXPECT_EQ(vars.ReplacePageVariables("[?$VORLEX_VARIABLE_PROTECT_TOOLBAR_IMAGE?$VORLEX_VARIABLE_PROTECT_IMAGES_"
                                        "RIGHT_CLIC?$VORLEX_VARIABLE_PROTECT_IMAGES_BIS_RIGHT_CLIC]"),
              "[]");
}
