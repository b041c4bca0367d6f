#include "buildfixture.h"

#include "document/moderncopies.h"
#include "document/thumbnailpath.h"
#include "pagegen/buildmoderngallery.h"
#include "pagegen/htmlencoding.h"
#include "pagegen/modernmarkup.h"
#include "pagegen/photopagenames.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QMap>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

TEST(PhotoPageNames, slugsAreLowerCaseAsciiWithoutAccentsOrSpaces)
{
    const QRegularExpression safe(QStringLiteral("^[a-z0-9_]+(-[a-z0-9_]+)*$"));
    for (const QString &name : {QStringLiteral("Été à Noël (2).JPG"), QStringLiteral("IMG_0001.heic"),
                                QStringLiteral("日本.png"), QStringLiteral("  a  b?#%.jpeg"), QStringLiteral(".jpg")})
        EXPECT_TRUE(safe.match(PhotoPageSlug(name)).hasMatch()) << PhotoPageSlug(name).toStdString();
    EXPECT_EQ(PhotoPageSlug(QStringLiteral("Été à Noël (2).JPG")), QStringLiteral("ete-a-noel-2"));
    EXPECT_EQ(PhotoPageSlug(QStringLiteral("日本.png")), QStringLiteral("photo"));
}

// Pages "written" by one assignment, as the next build reads them back.
QMap<QString, QString> Written(const QStringList &keys, const QStringList &names)
{
    QMap<QString, QString> pages;
    for (qsizetype i = 0; i < keys.size(); ++i)
        pages[names[i]] = keys[i];
    return pages;
}

QStringList Assign(const QStringList &keys, const QMap<QString, QString> &disk)
{
    return AssignPhotoPageNames(keys, [&](const QString &name) { return disk.value(name); });
}

TEST(PhotoPageNames, clashingNamesAreUniqueAndAddingAPhotoRenamesNoOther)
{
    const QStringList first{QStringLiteral("../b/IMG_1.jpg"), QStringLiteral("../c/img_1.JPG"),
                            QStringLiteral("../a/other.jpg")};
    const QStringList names = Assign(first, {});
    EXPECT_EQ(QSet<QString>(names.begin(), names.end()).size(), 3);
    EXPECT_EQ(names[0], QStringLiteral("img_1")); // the smallest key of the clash keeps the plain name
    EXPECT_EQ(names[1], HashedPhotoPageName(QStringLiteral("img_1"), first[1]));
    EXPECT_EQ(names[2], QStringLiteral("other"));

    // A new photo whose key sorts first, and a new one clashing with "other".
    const QStringList more = QStringList{QStringLiteral("../a/IMG_1.png"), QStringLiteral("../z/Other.gif")} + first;
    const QStringList again = Assign(more, Written(first, names));
    EXPECT_EQ(again.mid(2), names);
    EXPECT_NE(again[0], QStringLiteral("img_1"));
    EXPECT_NE(again[1], QStringLiteral("other"));

    // With the plain holder gone, the others keep the hashed names they were given.
    const QStringList fewer{first[1], first[2]};
    EXPECT_EQ(Assign(fewer, Written(more, again)), (QStringList{names[1], names[2]}));
}

TEST(PhotoPageNames, aPhotoListedTwiceGetsTwoPagesAndPagesNameTheirOwner)
{
    const QStringList keys = UniquePhotoKeys({QStringLiteral("../a.jpg"), QStringLiteral("../a.jpg")});
    const QStringList names = Assign(keys, {});
    EXPECT_NE(names[0], names[1]);
    const QString key = QStringLiteral("../l'\"été\" & <b>.jpg");
    EXPECT_EQ(PhotoPageOwnerIn(("<head>\n" + PhotoPageOwnerMarker(key) + "\n").toUtf8()), key);
}

TEST(ModernCopies, sizesNeverExceedThePhotoAndNamesAreTakenForThumbnails)
{
    for (const QSize photo : {QSize(4000, 3000), QSize(1500, 2000), QSize(800, 600), QSize(3000, 300)}) {
        const auto s = ModernCopySizes(photo);
        for (const QSize &c : s) {
            if (c.isValid()) {
                EXPECT_TRUE(c.width() <= photo.width() && c.height() <= photo.height());
            }
        }
        EXPECT_EQ(std::max(s[MODERN_SCREEN_1024].width(), s[MODERN_SCREEN_1024].height()),
                  std::min(1024, std::max(photo.width(), photo.height())));
        EXPECT_EQ(s[MODERN_SCREEN_2048].isValid(), std::max(photo.width(), photo.height()) > 1024);
        EXPECT_EQ(s[MODERN_GRID_2X].height(), std::min(2 * kModernGridHeight, photo.height()));
    }
    BuildVignetteOptions o;
    const QString copy = ModernCopyPath(QStringLiteral("/p/IMG 1.jpg"), o, MODERN_SCREEN_2048);
    EXPECT_TRUE(IsThumbnailName(copy, o.PreSuffixe, o.WithPrefixe)) << copy.toStdString();
    EXPECT_FALSE(IsThumbnailName(QStringLiteral("/p/IMG 1.jpg.s2048.jpg"), o.PreSuffixe, o.WithPrefixe));
}

TEST(ModernMarkup, defaultColoursFollowTheVisitorAndOthersAreKept)
{
    WebPage1Options o;
    EXPECT_TRUE(ModernColorStyle(o).contains(QLatin1String("prefers-color-scheme")));
    o.BackgroundColor = 0x00FFEEDD;
    const QString own = ModernColorStyle(o);
    EXPECT_FALSE(own.contains(QLatin1String("prefers-color-scheme")));
    EXPECT_TRUE(own.contains(QLatin1String("--bg:#DDEEFF")));
}

TEST(ModernMarkup, theFirstScreenDependsOnlyOnTheFirstPhotos)
{
    const std::vector<double> few(3, 1.5), many(1000, 1.5), more(2000, 1.5);
    EXPECT_EQ(ModernFirstScreenCount(few), 3);
    EXPECT_EQ(ModernFirstScreenCount(many), ModernFirstScreenCount(more));
    EXPECT_LT(ModernFirstScreenCount(many), 40);
    EXPECT_GT(ModernFirstScreenCount(std::vector<double>(1000, 0.5)), ModernFirstScreenCount(many) / 2);
}

class ModernBuild : public BuildFixture {
protected:
    void AddPhoto(const QString &name, QSize size, const QString &comment)
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(QColor(40, 120, 200));
        ImageEntry e;
        e.Path = Site() + "img/" + name;
        ASSERT_TRUE(image.save(e.Path, "JPEG"));
        e.Comment = comment;
        e.ImageDimensions = QStringLiteral("%1x%2").arg(size.width()).arg(size.height());
        ASSERT_GE(m_doc->InsertEntry(e, QString(), QString(), false), 0);
    }
    GalleryOptions Options() const
    {
        GalleryOptions o;
        o.PagePath = Page("index.html");
        o.WebPage1.ModernPage = 1;
        o.WebPage2.NbImageOnOneLine = 2;
        o.WebPage2.NbLineOnOnePage = 1; // two photos a page
        o.Links.ZipLink = 1;
        return o;
    }
    QString Text(const QString &path) const { return QString::fromUtf8(ReadFile(path)); }
};

TEST_F(ModernBuild, indexPagesLinkEveryPhotoPageWithSharpThumbnailsAndLazyLoading)
{
    AddPhoto("Été.jpg", {2600, 1300}, "Plage ?$VORLEX_VARIABLE_IMAGE_INDEX");
    AddPhoto("b.jpg", {600, 900}, "");
    AddPhoto("c.jpg", {1200, 800}, "<i>Soir</i> \"ok\"");
    EXPECT_EQ(RunGallery(Options()), 0);
    EXPECT_TRUE(m_sink.Errors().empty());
    const QString first = Text(Page("index.html")), second = Text(Page("index2.html"));
    const QRegularExpression item(QStringLiteral("<a id=\"[^\"]+\" href=\"([^\"]+)\"[^>]*><img ([^>]*)></a>"));
    int n = 0;
    for (const QString &page : {first, second})
        for (const auto &m : item.globalMatch(page)) {
            ++n;
            EXPECT_TRUE(QFile::exists(Page(m.captured(1)))) << m.captured(1).toStdString();
            const QString img = m.captured(2);
            EXPECT_TRUE(QRegularExpression(QStringLiteral("srcset=\"\\S+ 1x, \\S+ 2x\"")).match(img).hasMatch());
            EXPECT_TRUE(QRegularExpression(QStringLiteral("width=\"\\d+\" height=\"\\d+\" alt=\"[^\"]+\"")).match(img).hasMatch());
        }
    EXPECT_EQ(n, 3);
    EXPECT_TRUE(first.contains(QLatin1String("alt=\"Plage 1\"")));
    EXPECT_TRUE(second.contains(QLatin1String("alt=\"Soir &quot;ok&quot;\"")));
    EXPECT_EQ(first.count(QLatin1String("fetchpriority=\"high\"")), 1);
    EXPECT_TRUE(first.contains(QLatin1String("href=\"index2.html\"")));
    EXPECT_TRUE(first.contains(QLatin1String("images.zip")) && QFile::exists(Page("images2.zip")));
    EXPECT_FALSE(first.contains(QLatin1String("user-scalable")));

    const QString photo = Page("index-photos/ete.html");
    const QString big = ModernCopyPath(Site() + "img/Été.jpg", Options().BuildVignette, MODERN_SCREEN_2048);
    EXPECT_EQ(QImageReader(big).size(), QSize(2048, 1024));
    const QString third = Text(Page("index-photos/c.html"));
    EXPECT_TRUE(third.contains(QLatin1String("href=\"../index2.html#p-c\"")));
    EXPECT_TRUE(third.contains(QLatin1String("<figcaption><i>Soir</i> \"ok\"</figcaption>")));
    EXPECT_TRUE(third.contains(QLatin1String("href=\"b.html\" rel=\"prev\"")));
    EXPECT_TRUE(Text(photo).contains(QLatin1String("1024w, ")) && Text(photo).contains(QLatin1String("2048w")));
}

TEST_F(ModernBuild, stylesAndScriptsStayWithinTheirCompressedBudgets)
{
    AddPhoto("a.jpg", {800, 600}, "");
    RunGallery(Options());
    const QString page = Text(Page("index.html"));
    auto gzipped = [](const QString &text) { return qCompress(text.toUtf8(), 9).size() - 4 + 12; };
    QString styles, scripts;
    for (const auto &m : QRegularExpression(QStringLiteral("<style>(.*?)</style>"),
                                            QRegularExpression::DotMatchesEverythingOption)
                             .globalMatch(page))
        styles += m.captured(1);
    for (const auto &m : QRegularExpression(QStringLiteral("<script>(.*?)</script>"),
                                            QRegularExpression::DotMatchesEverythingOption)
                             .globalMatch(page))
        scripts += m.captured(1);
    EXPECT_GT(scripts.size(), 1000);
    EXPECT_LE(gzipped(styles), 6 * 1024);
    EXPECT_LE(gzipped(scripts), 15 * 1024);
    EXPECT_FALSE(page.contains(QLatin1String("http://")) || page.contains(QLatin1String("https://")));
}

TEST_F(ModernBuild, photoPagesMadeOnSeveralThreadsEachShowTheirOwnPhotoAndNeighbours)
{
    constexpr int kCount = 48; // enough for the pages to be shared among threads
    for (int i = 0; i < kCount; ++i)
        AddPhoto(QStringLiteral("p%1.jpg").arg(i, 2, 10, QLatin1Char('0')), {64, 48},
                 QStringLiteral("Photo n°?$VORLEX_VARIABLE_IMAGE_INDEX"));
    GalleryOptions o = Options();
    o.WebPage2.NbImageOnOneLine = 4;
    o.WebPage2.NbLineOnOnePage = 3;
    ASSERT_EQ(RunGallery(o), 0);
    const auto pageOf = [&](int i) { return Page(QStringLiteral("index-photos/p%1.html").arg(i, 2, 10, QLatin1Char('0'))); };
    std::vector<QDateTime> written;
    for (int i = 0; i < kCount; ++i) {
        const QString text = Text(pageOf(i));
        EXPECT_TRUE(text.contains(QStringLiteral("<figcaption>Photo n°%1</figcaption>").arg(i + 1))) << i;
        const QString index = i < 12 ? QStringLiteral("index.html") : QStringLiteral("index%1.html").arg(i / 12 + 1);
        EXPECT_TRUE(text.contains(QStringLiteral("href=\"../%1#p-p%2\"").arg(index).arg(i, 2, 10, QLatin1Char('0')))) << i;
        if (i > 0) {
            EXPECT_TRUE(text.contains(QStringLiteral("href=\"p%1.html\" rel=\"prev\"").arg(i - 1, 2, 10, QLatin1Char('0')))) << i;
        }
        written.push_back(QFileInfo(pageOf(i)).lastModified());
    }
    // Built again unchanged, no page is written again.
    ASSERT_EQ(RunGallery(o), 0);
    for (int i = 0; i < kCount; ++i)
        EXPECT_EQ(QFileInfo(pageOf(i)).lastModified(), written[size_t(i)]) << i;
}

TEST_F(ModernBuild, theClassicDesignIsUntouchedByTheModernSetting)
{
    AddPhoto("a.jpg", {800, 600}, "");
    GalleryOptions o = Options();
    o.WebPage1.DefaultPage = 0; // a user design wins over the modern setting
    o.WebPage1.PersonnalizedPagePath = QStringLiteral(GALLORIM_TEST_DATA "/pagegen/design_sections.html");
    RunGallery(o);
    EXPECT_FALSE(QDir(Page("index-photos")).exists());
}

} // namespace
