#include "buildfixture.h"
#include "pagegen/buildgallerythread.h"

#include <QDir>
#include <QFile>

namespace {
const std::pair<int, std::intptr_t> kBusyOn{NOTIFY_BUSY, 1}, kBusyOff{NOTIFY_BUSY, 0};
}

class BuildGalleryStop : public BuildFixture {
protected:
    GalleryOptions TenImages()
    {
        GalleryOptions o = DesignOptions("design_sections.html");
        o.WebPage2.NbImageOnOneLine = 4;
        o.WebPage2.NbLineOnOnePage = 2;
        o.Links.LinkType = 0;
        m_doc->SetOptions(o);
        for (int i = 1; i <= 10; ++i)
            AddImage(QStringLiteral("p%1.jpg").arg(i), "640x480", "128x96", QString());
        return o;
    }
};

TEST_F(BuildGalleryStop, cancelWhileWaitingForThumbnailsEndsAtOnceAndWritesNothing)
{
    const GalleryOptions o = TenImages();
    m_doc->SetSink(&m_sink);
    m_doc->CancelBuild();
    OpenRecord open;
    EXPECT_EQ(BuildGalleryThread(*m_doc, open.Environment()), kBuildStoppedWhileWaiting);
    EXPECT_EQ(m_sink.BuildPosts(), (std::vector<std::pair<int, std::intptr_t>>{kBusyOn, kBusyOff}));
    EXPECT_FALSE(QFile::exists(Page("index.html")));
    EXPECT_TRUE(open.opened.empty());
    EXPECT_FALSE(m_doc->IsBuilding());
}

TEST_F(BuildGalleryStop, closingTheDocumentWhileWaitingStopsTheBuildToo)
{
    TenImages();
    m_doc->SetSink(&m_sink);
    m_doc->OnCloseDocument();
    EXPECT_EQ(BuildGalleryThread(*m_doc), kBuildStoppedWhileWaiting);
    EXPECT_FALSE(QFile::exists(Page("index.html")));
}

TEST_F(BuildGalleryStop, cancelDuringTheImagesCompletesThatPageAndWritesNoOther)
{
    GalleryOptions o = TenImages();
    m_sink.onPost = [this](int code, std::intptr_t value) {
        if (code == NOTIFY_PROGRESS && value == 1)
            m_doc->CancelBuild();
    };
    OpenRecord open;
    EXPECT_EQ(RunGallery(o, open.Environment()), 0);
    const QByteArray page = ReadFile(Page("index.html"));
    EXPECT_TRUE(page.contains("[p2.jpg]"));
    EXPECT_FALSE(page.contains("[p3.jpg]"));
    // The line is closed with filler cells, then the footer and tail follow.
    EXPECT_TRUE(page.contains("<td>3.3 [] <br></td>\n<td>4.4 [] <br></td>\n</tr>\n</table>\n"));
    EXPECT_TRUE(page.endsWith("</body>\n</html>\n"));
    EXPECT_FALSE(QFile::exists(Page("index2.html")));
    EXPECT_EQ(m_sink.Progress(), (std::vector<std::intptr_t>{0, 1}));
    EXPECT_EQ(m_sink.BuildPosts().back(), kBusyOff);
    EXPECT_TRUE(open.opened.empty());
}

TEST_F(BuildGalleryStop, closingTheDocumentDuringTheImagesStopsAtTheNextImage)
{
    GalleryOptions o = TenImages();
    m_sink.onPost = [this](int code, std::intptr_t value) {
        if (code == NOTIFY_PROGRESS && value == 2)
            m_doc->OnCloseDocument();
    };
    OpenRecord open;
    EXPECT_EQ(RunGallery(o, open.Environment()), 0);
    const QByteArray page = ReadFile(Page("index.html"));
    EXPECT_TRUE(page.contains("[p3.jpg]"));
    EXPECT_FALSE(page.contains("[p4.jpg]"));
    EXPECT_TRUE(page.endsWith("</body>\n</html>\n"));
    EXPECT_FALSE(QFile::exists(Page("index2.html")));
    EXPECT_EQ(m_sink.BuildPosts().back(), kBusyOff);
    EXPECT_TRUE(open.opened.empty());
}

TEST_F(BuildGalleryStop, cancelBetweenPagesLeavesTheFirstPageWhole)
{
    GalleryOptions o = TenImages();
    m_sink.onPost = [this](int code, std::intptr_t value) {
        if (code == NOTIFY_PROGRESS && value == 7)
            m_doc->CancelBuild();
    };
    EXPECT_EQ(RunGallery(o), 0);
    EXPECT_TRUE(ReadFile(Page("index.html")).contains("[p8.jpg]"));
    EXPECT_FALSE(QFile::exists(Page("index2.html")));
}

class BuildGalleryErrors : public BuildFixture {
protected:
    GalleryOptions TwoImages(const QString &design = "design_sections.html")
    {
        GalleryOptions o = DesignOptions(design);
        m_doc->SetOptions(o);
        AddImage("a.jpg", "640x480", "128x96", QString());
        AddImage("b.jpg", "640x480", "128x96", QString());
        return o;
    }
};

TEST_F(BuildGalleryErrors, rejectsADesignWithoutTheInsertionTagsAndWritesNothing)
{
    QFile design(m_dir.filePath("plain.html"));
    ASSERT_TRUE(design.open(QIODevice::WriteOnly));
    design.write("<html><body>VORLEX_INSERT_IMAGE</body></html>\n");
    design.close();
    GalleryOptions o = TwoImages();
    o.WebPage1.PersonnalizedPagePath = design.fileName();
    o.Links.ZipLink = 1;
    OpenRecord open;
    EXPECT_EQ(RunGallery(o, open.Environment()), kBuildTemplateRejected);
    EXPECT_EQ(m_sink.Errors(), std::vector<std::intptr_t>{BUILD_ERROR_TEMPLATE});
    EXPECT_EQ(m_sink.BuildPosts().back(), kBusyOff);
    EXPECT_FALSE(QFile::exists(Page("index.html")));
    EXPECT_FALSE(QFile::exists(Page("images.zip")));
    EXPECT_TRUE(open.opened.empty());
}

TEST_F(BuildGalleryErrors, rejectsADesignThatCannotBeRead)
{
    GalleryOptions o = TwoImages();
    o.WebPage1.PersonnalizedPagePath = m_dir.filePath("missing.html");
    EXPECT_EQ(RunGallery(o), kBuildTemplateRejected);
    EXPECT_EQ(m_sink.Errors(), std::vector<std::intptr_t>{BUILD_ERROR_TEMPLATE});
    o.WebPage1.PersonnalizedPagePath = m_dir.path(); // a folder is no design either
    EXPECT_EQ(RunGallery(o), kBuildTemplateRejected);
}

TEST_F(BuildGalleryErrors, reportsAWriteErrorWhenThePageFolderCannotBeMade)
{
    GalleryOptions o = TwoImages();
    QFile blocker(Site() + "gal");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly)); // a file where the page folder should be
    blocker.close();
    OpenRecord open;
    EXPECT_EQ(RunGallery(o, open.Environment()), 0);
    EXPECT_EQ(m_sink.Errors(), std::vector<std::intptr_t>{BUILD_ERROR_WRITE});
    EXPECT_EQ(m_sink.BuildPosts().back(), kBusyOff);
    EXPECT_TRUE(open.opened.empty());
}

TEST_F(BuildGalleryErrors, goesOnWithoutZipsWhenTheArchiveCannotBeCreated)
{
    GalleryOptions o = TwoImages();
    o.Links.ZipLink = 1;
    o.Links.ZipName = "blocked/images.zip";
    QDir().mkpath(Site() + "gal");
    QFile blocker(Site() + "gal/blocked");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    OpenRecord open;
    EXPECT_EQ(RunGallery(o, open.Environment()), 0);
    EXPECT_EQ(m_sink.Errors(), std::vector<std::intptr_t>{BUILD_ERROR_ZIP_CREATE});
    const QByteArray page = ReadFile(Page("index.html"));
    EXPECT_TRUE(page.contains("[b.jpg]"));
    EXPECT_FALSE(page.contains(".zip"));
    EXPECT_TRUE(open.opened.empty()); // the build did not fully succeed
}

TEST_F(BuildGalleryErrors, reportsEachImageThatCannotBeZippedAndKeepsTheOthers)
{
    GalleryOptions o = TwoImages();
    o.Links.ZipLink = 1;
    ASSERT_TRUE(QFile::remove(Site() + "img/a.jpg")); // vanished after it was listed
    OpenRecord open;
    EXPECT_EQ(RunGallery(o, open.Environment()), 0);
    EXPECT_EQ(m_sink.Errors(), std::vector<std::intptr_t>{BUILD_ERROR_ZIP_ADD});
    EXPECT_TRUE(ReadFile(Page("index.html")).contains("[a.jpg]"));
    EXPECT_TRUE(QFile::exists(Page("images.zip")));
    EXPECT_EQ(open.opened.size(), 1u);
}

TEST_F(BuildGalleryErrors, tellsTheUserWhenTheBuiltPageCannotBeOpened)
{
    GalleryOptions o = TwoImages();
    OpenRecord open;
    open.result = 2;
    EXPECT_EQ(RunGallery(o, open.Environment()), 0);
    EXPECT_EQ(open.errors, std::vector<int>{2});
}
