// Pages of HEIC and AVIF photos: browsers show AVIF but not HEIC, so every
// full-size link of a HEIC goes to its JPEG copy beside the thumbnails.
#include "buildfixture.h"
#include "document/imageprobe.h"
#include "document/moderncopies.h"
#include "pagegen/buildgallerythread.h"
#include "pagegen/buildslideshowthread.h"
#include "pagegen/placementbuilder.h"

#include "imaging/imagingtestsupport.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QRegularExpression>

using namespace testsupport;

namespace {

class PhonePhotos : public BuildFixture {
protected:
    QString Img(const QString &name) const { return Site() + "img/" + name; }
    QString Copy(const QString &name) const { return Img("mini/small_" + name + ".full.jpg"); }
    // A real photo under the entry's name; thumbnail dimensions "" mean "no thumbnail".
    void AddPhoto(const QString &name, bool avif, const QString &thumbDims)
    {
        AddImage(name, "64x32", thumbDims, QString());
        const QByteArray bytes = EncodeHeif(Quadrants(64, 32), avif);
        ASSERT_FALSE(bytes.isEmpty()) << "no encoder";
        ASSERT_TRUE(WriteBytes(Img(name), bytes));
    }
    int RunSlideshow(bool thumbnails)
    {
        GalleryOptions o = m_doc->GetOptions();
        o.SlideshowPagePath = Page("show.html");
        o.Diaporama.AutoOrUser = thumbnails ? 2 : 0;
        m_doc->SetOptions(o);
        m_doc->SetSink(&m_sink);
        m_doc->SignalStartBuild();
        return thumbnails ? BuildThumbnailSlideshowThread(*m_doc) : BuildSlideshowThread(*m_doc);
    }
};

} // namespace

TEST_F(PhonePhotos, galleryLinksAndZipsTheHeicsJpegCopyAndTheAvifItself)
{
    GalleryOptions o = DesignOptions("design_sections.html");
    o.Links.ZipLink = 1;
    AddPhoto("IMG_1.HEIC", false, "32x16");
    AddPhoto("IMG_2.heic", false, QString()); // no thumbnail: the copy stands in for it
    AddPhoto("b.avif", true, "32x16");

    ASSERT_EQ(RunGallery(o), 0);
    EXPECT_TRUE(m_sink.Errors().empty());
    const QByteArray page = ReadFile(Page("index.html"));
    // Popup links, thumbnails, and the copy standing in for a missing thumbnail.
    EXPECT_TRUE(page.contains("Vorlex_Popup('../img/mini/small_IMG_1.HEIC.full.jpg'")) << page.toStdString();
    EXPECT_TRUE(page.contains("<img src=\"../img/mini/small_IMG_1.HEIC.jpg\""));
    EXPECT_TRUE(page.contains("Vorlex_Popup('../img/mini/small_IMG_2.heic.full.jpg'"));
    EXPECT_TRUE(page.contains("<img src=\"../img/mini/small_IMG_2.heic.full.jpg\""));
    EXPECT_TRUE(page.contains("Vorlex_Popup('../img/b.avif'"));
    EXPECT_FALSE(page.contains("img/IMG_1.HEIC"));
    EXPECT_FALSE(page.contains("img/IMG_2.heic"));
    for (const QString name : {"IMG_1.HEIC", "IMG_2.heic"})
        EXPECT_EQ(QImage::fromData(ReadFile(Copy(name)), "jpeg").size(), QSize(64, 32)) << name.toStdString();
    EXPECT_FALSE(QFile::exists(Copy("b.avif")));
    EXPECT_EQ(ZipNames(Page("images.zip")),
              (std::vector<std::string>{"img/IMG_1.HEIC.jpg", "img/IMG_2.heic.jpg", "img/b.avif"}));
}

// A copy already there is linked as it is; one that cannot be made is
// reported, and the page links the photo rather than a missing file.
TEST_F(PhonePhotos, reusesAPresentCopyAndReportsOneThatCannotBeMade)
{
    GalleryOptions o = DesignOptions("design_sections.html");
    AddPhoto("IMG_1.HEIC", false, "32x16");
    ASSERT_TRUE(WriteBytes(Copy("IMG_1.HEIC"), "kept"));
    AddImage("IMG_2.HEIC", "64x32", "32x16", QString()); // not a photo any more

    ASSERT_EQ(RunGallery(o), 0);
    EXPECT_EQ(ReadFile(Copy("IMG_1.HEIC")), "kept");
    EXPECT_EQ(m_sink.Errors(), std::vector<std::intptr_t>{THUMB_ERROR_OTHER});
    const QByteArray page = ReadFile(Page("index.html"));
    EXPECT_TRUE(page.contains("Vorlex_Popup('../img/mini/small_IMG_1.HEIC.full.jpg'"));
    EXPECT_TRUE(page.contains("Vorlex_Popup('../img/IMG_2.HEIC'"));
    EXPECT_FALSE(QFile::exists(Copy("IMG_2.HEIC")));
}

TEST_F(PhonePhotos, slideshowsShowTheCopy)
{
    AddPhoto("IMG_1.HEIC", false, "32x16");
    for (bool thumbnails : {false, true}) {
        SCOPED_TRACE(thumbnails);
        QFile::remove(Copy("IMG_1.HEIC"));
        ASSERT_EQ(RunSlideshow(thumbnails), kSlideshowBuilt);
        const QByteArray page = ReadFile(Page("show.html"));
        EXPECT_TRUE(page.contains("'../img/mini/small_IMG_1.HEIC.full.jpg'")) << page.toStdString();
        EXPECT_FALSE(page.contains("IMG_1.HEIC'"));
        EXPECT_TRUE(QFile::exists(Copy("IMG_1.HEIC")));
    }
}

// The program's own browser cannot show HEIC either: without a thumbnail,
// the placement page shows the copy.
TEST_F(PhonePhotos, placementPagesShowTheCopyWhereTheThumbnailIsMissing)
{
    AddPhoto("IMG_1.HEIC", false, QString());
    m_doc->SetOptions(DesignOptions("design_sections.html"));
    m_doc->SetSink(&m_sink);
    m_doc->SignalStartBuild();
    ASSERT_EQ(BuildPlacementThread(*m_doc, [] { return 7; }), 0);
    const QByteArray body = ReadFile(PlacementPagesFor(Img("IMG_1.HEIC")).body);
    EXPECT_TRUE(body.contains("<img src=\"mini/small_IMG_1.HEIC.full.jpg\"")) << body.toStdString();
    EXPECT_TRUE(QFile::exists(Copy("IMG_1.HEIC")));
}

// Writes a gallery of one HEIC (stored turned, so its copy must come out
// upright) and one AVIF, thumbnails made as the thumbnail worker makes them.
// The browser test opens it:
//   GALLORIM_PHONE_GALLERY=/some/folder test_pagegen --gtest_filter='PhoneGallery.*'
TEST(PhoneGallery, writesAGalleryOfAHeicAndAnAvifForTheBrowser)
{
    QTemporaryDir temp;
    const QByteArray target = qgetenv("GALLORIM_PHONE_GALLERY");
    const QString root = (target.isEmpty() ? temp.path() : QString::fromLocal8Bit(target)) + "/";
    ASSERT_TRUE(QDir().mkpath(root + "img"));
    SettingsProfile profile(root + "settings.ini");
    GalleryDocument doc(profile, 1);
    GalleryOptions o;
    o.PagePath = root + "gallery/index.html";
    o.Links.LinkType = 1; // a plain link to the full-size picture, in a new window
    doc.SetOptions(o);
    const std::pair<const char *, bool> photos[] = {{"IMG_0001.HEIC", false}, {"IMG_0002.avif", true}};
    for (const auto &[name, avif] : photos) {
        ImageEntry e;
        e.Path = root + "img/" + name;
        ASSERT_TRUE(WriteBytes(e.Path, EncodeHeif(Quadrants(640, 480), avif, avif ? 1 : 6)));
        ASSERT_EQ(MakeThumbnail(e.Path, o.BuildVignette), 0) << name;
        e.ImageDimensions = ReadImageInfo(e.Path).SizeText;
        const ThumbnailOnDisk thumbnail = ExamineThumbnail(e.Path, o.BuildVignette);
        ASSERT_TRUE(thumbnail.IsPresent()) << name;
        e.ThumbnailDimensions = thumbnail.Dimensions;
        ASSERT_GE(doc.InsertEntry(e, QString(), QString(), false), 0);
    }
    doc.SignalStartBuild();
    EXPECT_EQ(BuildGalleryThread(doc), 0);
    const QByteArray page = ReadBytes(o.PagePath);
    EXPECT_TRUE(page.contains("href=\"../img/mini/small_IMG_0001.HEIC.full.jpg\"")) << page.toStdString();
    EXPECT_TRUE(page.contains("href=\"../img/IMG_0002.avif\""));
}

TEST_F(PhonePhotos, theModernDesignShowsAHeicThroughItsJpegCopy)
{
    AddPhoto("IMG_1.HEIC", false, QString());
    GalleryOptions o;
    o.PagePath = Page("index.html");
    o.WebPage1.ModernPage = 1;
    RunGallery(o);
    const QByteArray index = ReadFile(Page("index.html"));
    const QByteArray photo = ReadFile(Page("index-photos/img_1.html"));
    EXPECT_TRUE(index.contains("data-f=\"../img/mini/small_IMG_1.HEIC.full.jpg\"")) << index.toStdString();
    EXPECT_TRUE(photo.contains("href=\"../../img/mini/small_IMG_1.HEIC.full.jpg\" download"));
    const QRegularExpression heicLink(QStringLiteral("(href|src|srcset|data-f|data-s)=\"[^\"]*IMG_1\\.HEIC[\" ]"));
    EXPECT_FALSE(heicLink.match(QString::fromUtf8(index + photo)).hasMatch());
    for (int c = 0; c < MODERN_COPY_COUNT; ++c) {
        const QString copy = ModernCopyPath(Img("IMG_1.HEIC"), o.BuildVignette, ModernCopy(c));
        if (ModernCopySizes({64, 32})[c].isValid()) {
            EXPECT_TRUE(QFile::exists(copy)) << copy.toStdString();
        }
    }
}
