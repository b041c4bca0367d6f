// Writes a one-page gallery of 2,000 photos from the built-in design, with
// real thumbnails, for the browser test:
//   GALLORIM_LARGE_GALLERY=/some/folder test_pagegen --gtest_filter='LargeGallery.*'
// leaves large/index.html and large.json in that folder. The photos are hard
// links of three small JPEGs, and so are their thumbnails. Without the
// variable the gallery goes to a temporary folder and is checked, then removed.

#include "document/gallerydocument.h"
#include "document/imageprobe.h"
#include "document/thumbnailpath.h"
#include "pagegen/buildgallerythread.h"
#include "platform/profile.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

constexpr int kPhotos = 2000;
constexpr int kPerLine = 5;

struct Source {
    const char *name;
    int width, height;
    Qt::GlobalColor color;
};
const Source kSources[] = {
    {"paysage.jpg", 320, 240, Qt::darkGreen},
    {"portrait.jpg", 240, 320, Qt::darkBlue},
    {"large.jpg", 300, 200, Qt::darkRed},
};

bool HardLink(const QString &from, const QString &to)
{
    std::error_code error;
    std::filesystem::create_hard_link(QFile::encodeName(from).toStdString(), QFile::encodeName(to).toStdString(), error);
    return !error || QFile::copy(from, to);
}

// The gallery's photos and thumbnails on disk, and their entries in the document.
void AddPhotos(GalleryDocument &doc, const QString &folder)
{
    const BuildVignetteOptions thumbnails = doc.GetOptions().BuildVignette;
    for (const Source &s : kSources) {
        QImage image(s.width, s.height, QImage::Format_RGB32);
        image.fill(s.color);
        ASSERT_TRUE(image.save(folder + "src/" + s.name));
        ASSERT_EQ(MakeThumbnail(folder + "src/" + s.name, thumbnails), 0);
    }
    for (int i = 0; i < kPhotos; ++i) {
        const Source &s = kSources[i % 3];
        const QString photo = folder + QStringLiteral("p%1.jpg").arg(i, 4, 10, QLatin1Char('0'));
        ASSERT_TRUE(HardLink(folder + "src/" + s.name, photo));
        ASSERT_TRUE(HardLink(ThumbnailPath(folder + "src/" + s.name, thumbnails.PreSuffixe, thumbnails.WithPrefixe),
                             ThumbnailPath(photo, thumbnails.PreSuffixe, thumbnails.WithPrefixe)));
        ImageEntry e;
        e.Path = photo;
        e.ImageDimensions = ReadImageInfo(photo, false).SizeText;
        e.ImageSizeText = SizeText(photo, &e.ImageBytes);
        const ThumbnailOnDisk t = ExamineThumbnail(photo, thumbnails);
        ASSERT_TRUE(t.IsPresent());
        e.ThumbnailDimensions = t.Dimensions;
        e.ThumbnailSizeText = t.SizeText;
        e.ThumbnailBytes = t.Bytes;
        e.Comment = QStringLiteral("Photo %1").arg(i + 1);
        ASSERT_GE(doc.InsertEntry(e, QString(), QString(), false), 0);
    }
}

} // namespace

TEST(LargeGallery, writesOnePageOfTwoThousandThumbnailsFromTheBuiltInDesign)
{
    QTemporaryDir temp;
    const QByteArray target = qgetenv("GALLORIM_LARGE_GALLERY");
    const QString root = QDir(target.isEmpty() ? temp.path() : QString::fromLocal8Bit(target)).absolutePath() + "/";
    const QString folder = root + "large/";
    ASSERT_TRUE(QDir().mkpath(folder + "src/mini") && QDir().mkpath(folder + "mini"));

    SettingsProfile profile(root + "large-settings.ini");
    GalleryDocument doc(profile, 1);
    GalleryOptions o;
    o.PagePath = folder + "index.html";
    o.WebPage1.DefaultPage = 1;
    o.WebPage1.PageTitle = QStringLiteral("Deux mille photos");
    o.WebPage2.NbImageOnOneLine = kPerLine;
    o.WebPage2.NbLineOnOnePage = -1;
    o.WebPage2.BorderSize = 0;
    o.WebPage2.ToolTipType = 0;
    o.Links.LinkType = 0;
    o.BuildVignette.IsPercentSize = 3; // the larger side 128 pixels
    o.BuildVignette.SmallestBiggestSize = 128;
    doc.SetOptions(o);
    AddPhotos(doc, folder);
    doc.SignalStartBuild();
    ASSERT_EQ(BuildGalleryThread(doc), 0);

    QFile page(o.PagePath);
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    const QByteArray html = page.readAll();
    EXPECT_EQ(html.count("<img "), kPhotos);
    const qsizetype lazy = html.count(" loading=\"lazy\"");
    EXPECT_GT(lazy, kPhotos - 100);
    EXPECT_LT(lazy, kPhotos);

    QFile manifest(root + "large.json");
    ASSERT_TRUE(manifest.open(QIODevice::WriteOnly));
    manifest.write(QJsonDocument(QJsonObject{{"page", "large/index.html"}, {"count", kPhotos},
                                             {"perLine", kPerLine}, {"eager", int(kPhotos - lazy)}})
                       .toJson());
}
