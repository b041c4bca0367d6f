#include "document/galleryoptions.h"
#include "pagegen/gallerynavigation.h"
#include "pagegen/pagelinks.h"
#include "qstringprint.h"

#include <gtest/gtest.h>

TEST(InsertPageNumber, putsTheNumberBeforeTheExtensionOfTheFileName)
{
    struct Row {
        const char *path;
        const char *expected;
    } rows[] = {
        {"/site/index.html", "/site/index3.html"},
        {"/site/images.zip", "/site/images3.zip"},
        {"/site/page", "/site/page3"},             // no extension: at the very end
        {"/site.d/page", "/site.d/page3"},         // a dot in a folder is no extension
        {"/site/archive.tar.gz", "/site/archive.tar3.gz"},
    };
    for (const Row &r : rows)
        EXPECT_EQ(InsertPageNumber(r.path, 3), r.expected);
}


TEST(FileLink, linksRelativeToThePageOrToTheRoot)
{
    GalleryOptions o;
    EXPECT_EQ(FileLink(o, "/site/gal/index.html", "/site/img/a b.jpg"), "../img/a b.jpg");
    EXPECT_EQ(FileLink(o, "/site/gal/index.html", "/site/gal/sub/#1.jpg"), "sub/%231.jpg");
    o.WebPage2.RootRelativePath = 1;
    o.WebPage2.RootPath = "/site/";
    EXPECT_EQ(FileLink(o, "/site/gal/index.html", "/site/img/a.jpg"), "/img/a.jpg");
}



TEST(ComposeNavigation, dropsTheAnchorAndItsTextWhereThereIsNoNeighbour)
{
    PageDesign d;
    ASSERT_TRUE(ParsePageDesign("<VORLEX_INSERT_IMAGE>"
                                "<VORLEX_BEFORE_PREVIOUS_LINK>[</VORLEX_BEFORE_PREVIOUS_LINK>"
                                "<VORLEX_INSIDE_PREVIOUS_LINK>prev</VORLEX_INSIDE_PREVIOUS_LINK>"
                                "<VORLEX_AFTER_PREVIOUS_LINK>]</VORLEX_AFTER_PREVIOUS_LINK>"
                                "<VORLEX_BEFORE_NEXT_LINK>(</VORLEX_BEFORE_NEXT_LINK>"
                                "<VORLEX_INSIDE_NEXT_LINK>next</VORLEX_INSIDE_NEXT_LINK>"
                                "<VORLEX_AFTER_NEXT_LINK>)</VORLEX_AFTER_NEXT_LINK>"
                                "<VORLEX_INSIDE_ZIP_LINK>zip</VORLEX_INSIDE_ZIP_LINK>"
                                "</VORLEX_INSERT_IMAGE>",
                                d));
    const auto link = [](const QString &f) { return FileNameOf(f); };
    PageNames n{"/s/index.html", "/s/images.zip", QString(), "/s/index2.html"};
    NavigationValues v = ComposeNavigation(d, n, true, link);
    EXPECT_EQ(v.previous, "[]");
    EXPECT_EQ(v.next, "(<a href=\"index2.html\">next</a>)");
    EXPECT_EQ(v.zip, "<a href=\"images.zip\">zip</a>");
    v = ComposeNavigation(d, PageNames{"/s/index.html", QString(), QString(), QString()}, false, link);
    EXPECT_TRUE(v.previous.isEmpty() && v.next.isEmpty() && v.zip.isEmpty());
}
