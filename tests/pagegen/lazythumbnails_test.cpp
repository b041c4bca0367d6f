// Thumbnails of pages from the built-in design: the first screen loads at
// once, the rest lazily; pages from a user's design stay as they were.

#include "buildfixture.h"
#include "pagegen/buildgallerythread.h"
#include "pagegen/firstscreen.h"
#include "pagegen/htmlencoding.h"
#include "pagegen/placementbuilder.h"
#include "pagegen/templatetags.h"

#include <QFile>
#include <QRegularExpression>

namespace {

struct ScreenCase {
    int perLine;
    QString dimensions;
    int border;
    int eager; // thumbnails before the first lazy one
};

int EagerCount(const ScreenCase &c, int images)
{
    FirstScreen screen(c.perLine);
    int eager = 0;
    for (int i = 0; i < images; ++i) {
        const bool shown = screen.Place(c.dimensions, c.border);
        if (shown && eager != i)
            return -1; // a thumbnail on the first screen after one below it
        eager += shown ? 1 : 0;
    }
    return eager;
}

// One letter per thumbnail of a page, in order: 'l' marked lazy, 'e' loaded at once.
std::string LoadingMarks(const QByteArray &page)
{
    static const QRegularExpression img(QStringLiteral("<img src=\"[^\"]*\\.jpg\"[^>]*>"));
    std::string marks;
    for (const auto &m : img.globalMatch(QString::fromUtf8(page)))
        marks += m.captured(0).contains(QLatin1String(" loading=\"lazy\"")) ? 'l' : 'e';
    return marks;
}

} // namespace

TEST(FirstScreen, coversAFullHdWindowFromThePerLineCountAndTheThumbnailSizes)
{
    const ScreenCase cases[] = {
        {5, "128x96", 0, 45},   // lines 122 pixels apart: 9 lines start above 1080
        {5, "128x96", 2, 45},   // 4 pixels more per line: still 9 lines
        {5, "96x128", 0, 40},   // portrait: 154 pixels apart, 8 lines
        {4, "400x300", 0, 16},  // 4 lines of large thumbnails
        {2000, "128x96", 0, 154}, // one long line wraps at 14 per row, 11 rows
        {5, "", 0, 45},         // unknown size: the default box
        {5, "junk", 0, 45},
        {3, "4000x3000", 0, 1}, // a huge stand-in image fills the screen alone
    };
    for (const ScreenCase &c : cases) {
        SCOPED_TRACE(c.perLine);
        SCOPED_TRACE(c.dimensions.toStdString());
        EXPECT_EQ(EagerCount(c, 2000), c.eager);
    }
}

class LazyThumbnails : public BuildFixture {
protected:
    GalleryOptions BuiltInOptions(int perLine, int lines)
    {
        GalleryOptions o;
        o.PagePath = Page("index.html");
        o.WebPage1.DefaultPage = 1;
        o.WebPage2.NbImageOnOneLine = perLine;
        o.WebPage2.NbLineOnOnePage = lines;
        o.WebPage2.BorderSize = 0;
        o.Links.LinkType = 33;
        return o;
    }
    void AddImages(int count)
    {
        for (int i = 0; i < count; ++i)
            AddImage(QStringLiteral("p%1.jpg").arg(i), "640x480", i % 2 ? "128x96" : "96x128", "");
    }
};

TEST_F(LazyThumbnails, builtInPagesLoadTheirFirstScreenAtOnceAndTheRestLazily)
{
    AddImages(130); // 5 per line, 20 lines per page: pages of 100 and 30
    ASSERT_EQ(RunGallery(BuiltInOptions(5, 20)), 0);
    // Lines of 128-pixel-high thumbnails, 154 pixels apart: 8 lines of 5 above 1080 pixels.
    const std::string expected = std::string(40, 'e') + std::string(60, 'l');
    EXPECT_EQ(LoadingMarks(ReadFile(Page("index.html"))), expected);
    // The second page starts at its own top.
    EXPECT_EQ(LoadingMarks(ReadFile(Page("index2.html"))), expected.substr(0, 30));
    EXPECT_TRUE(ReadFile(Page("index.html")).contains("small_p41.jpg\" width=128 height=96 loading=\"lazy\" border=0"));
}

TEST_F(LazyThumbnails, aUserDesignWritesThePageOfTodayEvenWhenItIsTheBuiltInText)
{
    AddImages(60);
    GalleryOptions o = BuiltInOptions(5, -1);
    ASSERT_EQ(RunGallery(o), 0);
    const QByteArray builtIn = ReadFile(Page("index.html"));
    ASSERT_TRUE(builtIn.contains(" loading=\"lazy\""));

    const QString copy = Site() + "design.html";
    QFile file(copy);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(LoadHtmlResource(kBuiltInGalleryDesign).toUtf8());
    file.close();
    o.WebPage1.DefaultPage = 0;
    o.WebPage1.PersonnalizedPagePath = copy;
    ASSERT_EQ(RunGallery(o), 0);
    QByteArray withoutMarks = builtIn;
    withoutMarks.replace(" loading=\"lazy\"", "");
    EXPECT_EQ(ReadFile(Page("index.html")).toStdString(), withoutMarks.toStdString());
}

TEST_F(LazyThumbnails, placementPageOfTheBuiltInDesignMarksOnlyThumbnailsBelowTheFirstScreen)
{
    AddImages(60);
    GalleryOptions o = BuiltInOptions(5, 2); // layout pages of 10: the first screen ends with the first page
    m_doc->SetOptions(o);
    m_doc->SignalStartBuild();
    ASSERT_EQ(BuildPlacementThread(*m_doc, {}), 0);
    EXPECT_EQ(LoadingMarks(ReadFile(PlacementPagesFor(Site() + "img/p0.jpg").body)),
              std::string(10, 'e') + std::string(50, 'l'));
}
