#include "buildfixture.h"
#include "pagegen/buildgallerythread.h"

#include <QDir>
#include <QFile>
#include "document/thumbnailpath.h"
#include "pagegen/htmlencoding.h"


namespace {

std::string Text(const QByteArray &b) { return b.toStdString(); }

ImageOptionBlock Override(std::uint32_t flag, int ImageOptionBlock::*field, int value)
{
    ImageOptionBlock b;
    b.Flags = flag;
    b.*field = value;
    return b;
}

} // namespace

class BuildGallery : public BuildFixture {
protected:
    // Five images: two per line, two lines per page -> 4 + 1 with one filler cell.
    void AddFive()
    {
        AddImage("p1.jpg", "640x480", "128x96", QString::fromUtf8("Premier été"));
        AddImage("p2.jpg", "480x640", "72x96", "Photo ?$VORLEX_VARIABLE_IMAGE_INDEX sur ?$VORLEX_VARIABLE_NUMBER_OF_IMAGES");
        AddImage("p3.jpg", "640x480", "128x96", "Il a dit \"oui\"");
        AddImage("p4.jpg", "640x480", QString(), QString()); // no thumbnail: the image stands in
        AddImage("p5.jpg", "800x600", "128x96", QString::fromUtf8("Dernière"));
    }
    GalleryOptions PaginatedOptions()
    {
        GalleryOptions o = DesignOptions("design_sections.html");
        o.WebPage2.NbImageOnOneLine = 2;
        o.WebPage2.NbLineOnOnePage = 2;
        o.WebPage2.ToolTipType = 0;
        o.Links.LinkType = 0;
        return o;
    }
};

TEST_F(BuildGallery, writesPaginatedPagesWithFillerCellsAndNavigation)
{
    const GalleryOptions o = PaginatedOptions();
    m_doc->SetOptions(o);
    AddFive();
    OpenRecord open;
    EXPECT_EQ(RunGallery(o, open.Environment()), 0);
    EXPECT_EQ(Text(ReadFile(Page("index.html"))), Text(Golden("pagination/index.html")));
    EXPECT_EQ(Text(ReadFile(Page("index2.html"))), Text(Golden("pagination/index2.html")));
    EXPECT_FALSE(QFile::exists(Page("index3.html")));
    EXPECT_TRUE(m_sink.Errors().empty());
    EXPECT_EQ(m_sink.Progress(), (std::vector<std::intptr_t>{0, 1, 2, 3, 4}));
    const auto posts = m_sink.BuildPosts();
    ASSERT_GE(posts.size(), 2u);
    EXPECT_EQ(posts.front(), std::make_pair(int(NOTIFY_BUSY), std::intptr_t(1)));
    EXPECT_EQ(posts.back(), std::make_pair(int(NOTIFY_BUSY), std::intptr_t(0)));
    EXPECT_EQ(open.opened, std::vector<QString>{Page("index.html")});
    EXPECT_FALSE(m_doc->IsBuilding());
}

TEST_F(BuildGallery, writesPopupScriptsAndEscapedCommentsOnOnePage)
{
    GalleryOptions o = DesignOptions("design_sections.html");
    o.WebPage2.NbImageOnOneLine = 3; // lines per page stay unlimited (the default)
    o.WebPage2.ToolTipType = 0;
    o.Links.LinkType = 33;
    o.Links.SpecialPopupLink = 1;
    m_doc->SetOptions(o);
    AddImage("p1.jpg", "640x480", "128x96", QString::fromUtf8("L'été \"chaud\" \\ fin"));
    AddImage("p2.jpg", "480x640", "72x96", QString::fromUtf8("</script><b>東京</b>"),
             Override(IMGOPT_TOOLTIP_TYPE, &ImageOptionBlock::ToolTipType, 1));
    AddImage("p3.jpg", "800x600", "128x96", "Ligne 1",
             Override(IMGOPT_COMMENT_UNDER_IMAGE, &ImageOptionBlock::CommentUnderImage, 1));
    EXPECT_EQ(RunGallery(o), 0);
    EXPECT_EQ(Text(ReadFile(Page("index.html"))), Text(Golden("popups/index.html")));
    EXPECT_FALSE(QFile::exists(Page("index2.html")));
}

TEST_F(BuildGallery, readsALowerCaseWindows1252DesignAndWritesInItsEncoding)
{
    GalleryOptions o = DesignOptions("design_lowercase_1252.html");
    o.WebPage2.NbImageOnOneLine = -1; // all on one line: no filler
    o.WebPage2.ToolTipType = 0;
    o.Links.IsLink = 0;
    o.Links.LinkType = 0;
    m_doc->SetOptions(o);
    AddImage("p1.jpg", "640x480", "128x96", QString::fromUtf8("東"));
    AddImage("p2.jpg", "640x480", "128x96", QString::fromUtf8("Éric"));
    EXPECT_EQ(RunGallery(o), 0);
    EXPECT_EQ(Text(ReadFile(Page("index.html"))), Text(Golden("lowercase1252/index.html")));
}

TEST_F(BuildGallery, linksFromTheSiteRootWhenAsked)
{
    GalleryOptions o = PaginatedOptions();
    o.WebPage2.RootRelativePath = 1;
    o.WebPage2.RootPath = Site();
    m_doc->SetOptions(o);
    AddFive();
    EXPECT_EQ(RunGallery(o), 0);
    const QByteArray first = ReadFile(Page("index.html"));
    EXPECT_TRUE(first.contains("<a href=\"/img/p1.jpg\"><img src=\"/img/mini/small_p1.jpg\""));
    EXPECT_TRUE(first.contains("<a href=\"/gal/index2.html\">Suivante &gt;</a>"));
    EXPECT_TRUE(ReadFile(Page("index2.html")).contains("<a href=\"/gal/index.html\">&lt; Pr&eacute;c"));
}

TEST_F(BuildGallery, writesOneZipPerPageWithThatPagesImages)
{
    GalleryOptions o = DesignOptions("design_sections.html");
    o.WebPage2.NbImageOnOneLine = 1;
    o.WebPage2.NbLineOnOnePage = 1;
    o.Links.ZipLink = 1;
    m_doc->SetOptions(o);
    QDir().mkpath(Site() + "gal/sub");
    AddImage("a.jpg", "10x10", "10x10", QString());
    AddImage("b.jpg", "10x10", "10x10", QString());
    // One image inside the page folder's sub-folder keeps its sub-folder in the archive.
    ImageEntry e;
    e.Path = Page("sub/c.jpg");
    QFile f(e.Path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("c");
    f.close();
    e.ImageDimensions = e.ThumbnailDimensions = "10x10";
    m_doc->InsertEntry(e, QString(), QString(), false);

    EXPECT_EQ(RunGallery(o), 0);
    EXPECT_TRUE(m_sink.Errors().empty());
    EXPECT_EQ(ZipNames(Page("images.zip")), std::vector<std::string>{"img/a.jpg"});
    EXPECT_EQ(ZipNames(Page("images2.zip")), std::vector<std::string>{"img/b.jpg"});
    EXPECT_EQ(ZipNames(Page("images3.zip")), std::vector<std::string>{"sub/c.jpg"});
    for (const QString name : {"index.html", "index2.html", "index3.html"}) {
        const QString zip = name == "index.html" ? "images.zip" : QString(name).replace("index", "images").replace("html", "zip");
        const QByteArray expected = "<p>Zip de 1 images (" + SizeText(Page(zip)).toUtf8() + ") : <a href=\""
                                    + zip.toUtf8() + "\">t&eacute;l&eacute;charger</a></p>";
        EXPECT_TRUE(ReadFile(Page(name)).contains(expected)) << name.toStdString();
    }
}

TEST_F(BuildGallery, keepsEveryImageOnOnePageWhenLinesAreUnlimited)
{
    GalleryOptions o = PaginatedOptions();
    o.WebPage2.NbLineOnOnePage = -1;
    m_doc->SetOptions(o);
    AddFive();
    EXPECT_EQ(RunGallery(o), 0);
    const QByteArray page = ReadFile(Page("index.html"));
    EXPECT_FALSE(QFile::exists(Page("index2.html")));
    EXPECT_TRUE(page.contains("<td>6.2 [] <br></td>\n</tr>\n</table>\n")); // filler closes line 3
    EXPECT_FALSE(page.contains("<a href=\"index")); // no navigation
    EXPECT_TRUE(page.contains("page 1 sur 1"));
}

TEST_F(BuildGallery, putsEveryImageOnOneLineWithoutFillerWhenLinesAreUnlimitedInWidth)
{
    GalleryOptions o = PaginatedOptions();
    o.WebPage2.NbImageOnOneLine = -1;
    m_doc->SetOptions(o);
    AddFive();
    EXPECT_EQ(RunGallery(o), 0);
    const QByteArray page = ReadFile(Page("index.html"));
    EXPECT_EQ(page.count("<tr class="), 1);
    EXPECT_EQ(page.count("</tr>"), 1);
    EXPECT_TRUE(page.contains("<td>5.5 [p5.jpg]"));
    EXPECT_FALSE(page.contains("<td>6."));
}

TEST_F(BuildGallery, writesNothingForAnEmptyList)
{
    OpenRecord open;
    EXPECT_EQ(RunGallery(PaginatedOptions(), open.Environment()), 0);
    EXPECT_FALSE(QFile::exists(Page("index.html")));
    EXPECT_TRUE(m_sink.Errors().empty());
    EXPECT_TRUE(open.opened.empty()); // there is no page to show
}

TEST_F(BuildGallery, protectsImagesWithTheProtectedPopupAndTheBuiltInDesign)
{
    GalleryOptions o;
    o.PagePath = Page("index.html");
    o.WebPage1.ProtectImage = 1;
    m_doc->SetOptions(o);
    AddImage("a.jpg", "640x480", "128x96", "x");
    EXPECT_EQ(RunGallery(o), 0);
    const QByteArray page = ReadFile(Page("index.html"));
    EXPECT_TRUE(page.contains(LoadHtmlResource(194).toUtf8()));
    EXPECT_FALSE(page.contains(LoadHtmlResource(162).toUtf8()));
    for (int id : {195, 196, 197})
        EXPECT_TRUE(page.contains(LoadHtmlResource(id).toUtf8())) << id;
    EXPECT_FALSE(page.contains("?$VORLEX"));
    EXPECT_FALSE(page.toLower().contains("<vorlex_"));
}
