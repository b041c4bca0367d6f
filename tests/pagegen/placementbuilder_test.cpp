#include "buildfixture.h"

#include "document/thumbnailpath.h"
#include "pagegen/placementbuilder.h"
#include "placement/glrplace_ids.h"

#include <QDir>
#include <QFile>
#include <atomic>

namespace {

std::string Text(const QByteArray &b) { return b.toStdString(); }

int Occurrences(const QByteArray &text, const QByteArray &what) { return int(text.count(what)); }

} // namespace

class PlacementBuild : public BuildFixture {
protected:
    void SetUp() override
    {
        BuildFixture::SetUp();
        m_sink.onPost = [this](int code, std::intptr_t value) {
            if (code == NOTIFY_PLACEMENT_READY)
                m_ready.push_back(value);
            if (onPost)
                onPost(code, value);
        };
    }
    GalleryOptions Options(int perLine, int linesPerPage)
    {
        GalleryOptions o = DesignOptions("design_sections.html");
        o.WebPage2.NbImageOnOneLine = perLine;
        o.WebPage2.NbLineOnOnePage = linesPerPage;
        return o;
    }
    int Run(const GalleryOptions &o, std::function<int()> view)
    {
        m_doc->SetOptions(o);
        m_doc->SetSink(&m_sink);
        m_doc->SignalStartBuild();
        return BuildPlacementThread(*m_doc, view);
    }
    PlacementPagePaths Pages(const QString &firstImage) { return PlacementPagesFor(Site() + "img/" + firstImage); }
    bool AnyPageLeft(const QString &firstImage)
    {
        const PlacementPagePaths p = Pages(firstImage);
        return QFile::exists(p.body) || QFile::exists(p.header) || QFile::exists(p.main);
    }

    std::vector<std::intptr_t> m_ready;
    std::function<void(int, std::intptr_t)> onPost;
};

TEST_F(PlacementBuild, writesTheThreePagesBesideTheFirstImageWithEveryMarkerReplaced)
{
    const QString first = QString::fromUtf8("été #1.jpg");
    AddImage(first, "640x480", "128x96", "Un");
    AddImage("p2.jpg", "480x640", QString(), "Deux"); // no thumbnail: the image stands in
    GalleryOptions o = Options(3, 2);
    o.WebPage1.BackgroundColor = 0x332211; // "#112233"
    o.WebPage1.TextColor = 0xCCBBAA; // "#AABBCC"
    EXPECT_EQ(Run(o, [] { return 7; }), 0);

    const PlacementPagePaths pages = Pages(first);
    const QByteArray main = ReadFile(pages.main);
    EXPECT_NE(Text(main).find("src=\"été %231.jpg.vorlex_visual_placement_header.html\""), std::string::npos) << Text(main);
    EXPECT_NE(Text(main).find("src=\"été %231.jpg.vorlex_visual_placement_body.html\""), std::string::npos);
    EXPECT_NE(Text(main).find("rows=\"70,*\""), std::string::npos);

    const QByteArray header = ReadFile(pages.header);
    EXPECT_NE(Text(header).find("classid=\"clsid:" GLR_CLSID_BARE_TEXT "\""), std::string::npos);
    EXPECT_NE(Text(header).find("InitColors(0x112233,0xAABBCC)"), std::string::npos) << Text(header);
    EXPECT_NE(Text(header).find("value=\"1\" checked"), std::string::npos);

    const QByteArray body = ReadFile(pages.body);
    EXPECT_NE(Text(body).find("Init_Visual_Placement(0x112233,0xAABBCC,7,1139)"), std::string::npos);
    const QString thumb = ThumbnailPath(Site() + "img/" + first, o.BuildVignette.PreSuffixe, o.BuildVignette.WithPrefixe);
    const QString thumbLink = QDir(Site() + "img").relativeFilePath(thumb).replace("#", "%23");
    EXPECT_NE(Text(body).find(("<a href=\"javascript:VorlexClickImage(1)\"><img src=\"" + thumbLink
                               + "\" width=128 height=96 border=0 name=\"VorlexVisualPlacementImage\"></a>")
                                  .toStdString()),
              std::string::npos)
        << Text(body);
    EXPECT_NE(Text(body).find("<a href=\"javascript:VorlexClickImage(2)\"><img src=\"p2.jpg\" width=480 height=640"),
              std::string::npos);
    for (const QByteArray &page : {main, header, body}) {
        EXPECT_EQ(Occurrences(page, "??$"), 0);
        EXPECT_EQ(Occurrences(page, "?$$"), 0);
        EXPECT_EQ(Occurrences(page, "0x#"), 0);
        EXPECT_EQ(Occurrences(page, "?$VORLEX_VARIABLE"), 0);
    }
    EXPECT_EQ(m_ready, std::vector<std::intptr_t>{0});
    EXPECT_TRUE(m_sink.Errors().empty());
    EXPECT_EQ(m_sink.BuildPosts().back(), std::make_pair(int(NOTIFY_BUSY), std::intptr_t(0)));
    EXPECT_FALSE(m_doc->IsBuilding());
}

TEST_F(PlacementBuild, putsEveryLayoutPageIntoTheOneBody)
{
    for (int i = 1; i <= 5; ++i)
        AddImage(QStringLiteral("p%1.jpg").arg(i), "640x480", "128x96", QString());
    EXPECT_EQ(Run(Options(2, 1), [] { return 3; }), 0); // three pages of one line
    const QByteArray body = ReadFile(Pages("p1.jpg").body);
    EXPECT_EQ(Occurrences(body, "<table>"), 3);
    EXPECT_EQ(Occurrences(body, "</table>"), 3);
    EXPECT_EQ(Occurrences(body, "name=\"VorlexVisualPlacementImage\""), 5);
    EXPECT_EQ(Occurrences(body, "<h1>"), 1); // the design's head once
    EXPECT_LT(body.indexOf("VorlexClickImage(4)"), body.indexOf("VorlexClickImage(5)"));
    EXPECT_EQ(m_sink.Progress(), (std::vector<std::intptr_t>{0, 1, 2, 3, 4}));
}

TEST_F(PlacementBuild, namesViewZeroWhenTheViewIsGone)
{
    AddImage("p1.jpg", "640x480", "128x96", QString());
    AddImage("p2.jpg", "640x480", "128x96", QString());
    EXPECT_EQ(Run(Options(4, 4), [] { return 0; }), 0);
    EXPECT_NE(Text(ReadFile(Pages("p1.jpg").body)).find(",0,1139)"), std::string::npos);
    EXPECT_EQ(Run(Options(4, 4), nullptr), 0);
    EXPECT_NE(Text(ReadFile(Pages("p1.jpg").body)).find(",0,1139)"), std::string::npos);
}

TEST_F(PlacementBuild, removesItsPagesWhenAWriteFails)
{
    AddImage("p1.jpg", "640x480", "128x96", QString());
    AddImage("p2.jpg", "640x480", "128x96", QString());
    // A folder where the header page goes: the body is written, then the header fails.
    ASSERT_TRUE(QDir().mkpath(Pages("p1.jpg").header));
    EXPECT_EQ(Run(Options(4, 4), [] { return 1; }), 0);
    EXPECT_FALSE(QFile::exists(Pages("p1.jpg").body));
    EXPECT_FALSE(QFile::exists(Pages("p1.jpg").main));
    EXPECT_EQ(m_sink.Errors(), std::vector<std::intptr_t>{BUILD_ERROR_WRITE});
    EXPECT_TRUE(m_ready.empty());
    EXPECT_EQ(m_sink.BuildPosts().back(), std::make_pair(int(NOTIFY_BUSY), std::intptr_t(0)));
}

TEST_F(PlacementBuild, removesItsPagesWhenStoppedAndWritesNothingWhenStoppedBeforeStart)
{
    for (int i = 1; i <= 4; ++i)
        AddImage(QStringLiteral("p%1.jpg").arg(i), "640x480", "128x96", QString());
    onPost = [this](int code, std::intptr_t value) {
        if (code == NOTIFY_PROGRESS && value == 1)
            m_doc->CancelBuild();
    };
    EXPECT_EQ(Run(Options(4, 4), [] { return 1; }), 0);
    EXPECT_FALSE(AnyPageLeft("p1.jpg"));
    EXPECT_TRUE(m_ready.empty());
    EXPECT_TRUE(m_sink.Errors().empty());

    onPost = nullptr;
    m_doc->SetSink(&m_sink);
    EXPECT_EQ(BuildPlacementThread(*m_doc, [] { return 1; }), 160); // still cancelled, never started
    EXPECT_FALSE(AnyPageLeft("p1.jpg"));
}

TEST(PlacementPages, derivesTheThreeNamesFromTheMainPageWithoutRegardToCase)
{
    const PlacementPagePaths p = PlacementPagesFromMain("/g/A.JPG.VORLEX_VISUAL_PLACEMENT_MAIN.HTML");
    EXPECT_EQ(p.body, "/g/A.JPG.vorlex_visual_placement_body.html");
    EXPECT_EQ(p.header, "/g/A.JPG.vorlex_visual_placement_header.html");
    EXPECT_EQ(p.main, "/g/A.JPG.vorlex_visual_placement_main.html");
    EXPECT_TRUE(PlacementPagesFromMain("/g/index.html").main.isEmpty());
}
