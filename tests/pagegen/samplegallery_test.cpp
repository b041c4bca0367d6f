// Writes a complete sample site (gallery pages with popups and tooltips, and
// the four kinds of slideshow) from real images. Browser tests use it:
//   GALLORIM_SAMPLE_GALLERY=/some/folder test_pagegen --gtest_filter='SampleGallery.*'
// leaves the site and a manifest (sample.json) in that folder. Without the
// variable the site goes to a temporary folder and is checked, then removed.

#include "pagegen/buildgallerythread.h"
#include "pagegen/buildslideshowthread.h"
#include "platform/profile.h"
#include "document/gallerydocument.h"
#include "document/thumbnailpath.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct SampleImage {
    const char *name;
    int width, height;
    QRgb color;
    const char *comment;
    int toolTipOverride; // -1: the gallery's
};

const SampleImage kImages[] = {
    {"rouge.png", 640, 480, qRgb(200, 40, 40), "L'été \"chaud\" à Noël", -1},
    {"vert.png", 480, 640, qRgb(40, 160, 60), "Bulle scriptée n°?$VORLEX_VARIABLE_IMAGE_INDEX", 1},
    {"bleu.png", 1600, 1200, qRgb(40, 60, 200), "Grande image \\ 東京 </script>", -1},
    {"jaune.png", 300, 200, qRgb(220, 200, 40), "", -1},
};

void WriteImage(const QString &path, int w, int h, QRgb color)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(color);
    QPainter p(&img);
    p.fillRect(w / 4, h / 4, w / 2, h / 2, Qt::white);
    p.end();
    ASSERT_TRUE(img.save(path));
}

class SampleSite {
public:
    explicit SampleSite(const QString &root) : m_root(QDir(root).absolutePath() + "/") {}

    void Build()
    {
        QDir().mkpath(m_root + "img/mini");
        SettingsProfile profile(m_root + "settings.ini");
        GalleryDocument doc(profile, 1);
        GalleryOptions o;
        o.WebPage2.NbImageOnOneLine = 2;
        o.WebPage2.NbLineOnOnePage = 1;
        o.WebPage2.ToolTipType = 0;
        o.WebPage2.BorderSize = 2;
        o.Links.LinkType = 33;
        o.Links.SpecialPopupLink = 1;
        o.Diaporama.Speed = 1;
        doc.SetOptions(o);
        for (const SampleImage &s : kImages)
            AddEntry(doc, s);
        doc.SignalStartBuild();

        o.PagePath = m_root + "gallery/index.html";
        doc.SetOptions(o);
        EXPECT_EQ(BuildGalleryThread(doc), 0);

        const std::pair<const char *, int> shows[] = {
            {"slideshow-auto.html", 0}, {"slideshow-manual.html", 1}, {"slideshow-thumbs.html", 2}};
        for (const auto &[file, kind] : shows) {
            o.SlideshowPagePath = m_root + file;
            o.Diaporama.AutoOrUser = kind;
            doc.SetOptions(o);
            EXPECT_EQ(kind == 2 ? BuildThumbnailSlideshowThread(doc) : BuildSlideshowThread(doc), kSlideshowBuilt);
        }
        o.SlideshowPagePath = m_root + "slideshow-random.html";
        o.Diaporama.AutoOrUser = 0;
        o.Diaporama.Random = 1;
        doc.SetOptions(o);
        EXPECT_EQ(BuildSlideshowThread(doc), kSlideshowBuilt);
        WriteManifest();
    }

    QString Root() const { return m_root; }

private:
    void AddEntry(GalleryDocument &doc, const SampleImage &s)
    {
        ImageEntry e;
        e.Path = m_root + "img/" + s.name;
        WriteImage(e.Path, s.width, s.height, s.color);
        const QString thumb = ThumbnailPath(e.Path, doc.GetOptions().BuildVignette.PreSuffixe, 1);
        const double f = std::min(128.0 / s.width, 96.0 / s.height);
        const int tw = qRound(s.width * f), th = qRound(s.height * f);
        WriteImage(thumb, tw, th, s.color);
        e.Comment = QString::fromUtf8(s.comment);
        e.ImageDimensions = QStringLiteral("%1x%2").arg(s.width).arg(s.height);
        e.ThumbnailDimensions = QStringLiteral("%1x%2").arg(tw).arg(th);
        e.ImageSizeText = SizeText(e.Path, &e.ImageBytes);
        qint64 tb = 0;
        e.ThumbnailSizeText = SizeText(thumb, &tb);
        e.ThumbnailBytes = int(tb);
        if (s.toolTipOverride >= 0) {
            e.Options.Flags = IMGOPT_TOOLTIP_TYPE;
            e.Options.ToolTipType = s.toolTipOverride;
        }
        ASSERT_GE(doc.InsertEntry(e, QString(), QString(), false), 0);
    }

    void WriteManifest()
    {
        QJsonArray images;
        int index = 1;
        for (const SampleImage &s : kImages) {
            QString comment = QString::fromUtf8(s.comment);
            comment.replace("?$VORLEX_VARIABLE_IMAGE_INDEX", QString::number(index++));
            images.append(QJsonObject{{"file", QString("img/") + s.name},
                                      {"width", s.width},
                                      {"height", s.height},
                                      {"comment", comment},
                                      {"scriptTooltip", s.toolTipOverride == 1}});
        }
        const QJsonObject manifest{
            {"gallery", QJsonArray{"gallery/index.html", "gallery/index2.html"}},
            {"popup", "sized automatically, image reduced to fit, click toggles nothing (full size off)"},
            {"slideshows", QJsonObject{{"automatic", "slideshow-auto.html"},
                                       {"random", "slideshow-random.html"},
                                       {"manual", "slideshow-manual.html"},
                                       {"thumbnails", "slideshow-thumbs.html"}}},
            {"delayMs", 0},
            {"images", images}};
        QFile f(m_root + "sample.json");
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QJsonDocument(manifest).toJson());
    }

    QString m_root;
};

QByteArray Read(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

TEST(SampleGallery, writesAGalleryAndEverySlideshowFromRealImages)
{
    QTemporaryDir temp;
    const QByteArray target = qgetenv("GALLORIM_SAMPLE_GALLERY");
    SampleSite site(target.isEmpty() ? temp.path() : QString::fromLocal8Bit(target));
    site.Build();
    for (const char *file : {"gallery/index.html", "gallery/index2.html", "slideshow-auto.html",
                             "slideshow-manual.html", "slideshow-thumbs.html", "slideshow-random.html"}) {
        const QByteArray page = Read(site.Root() + file);
        SCOPED_TRACE(file);
        EXPECT_TRUE(page.startsWith("<!DOCTYPE html>"));
        EXPECT_TRUE(page.contains("<meta charset=\"utf-8\">"));
        EXPECT_FALSE(page.contains("?$VORLEX"));
        EXPECT_FALSE(page.toLower().contains("<vorlex_")); // no design tag left behind
        EXPECT_TRUE(page.trimmed().endsWith("</html>"));
    }
    const QByteArray first = Read(site.Root() + "gallery/index.html");
    EXPECT_TRUE(first.contains("function Vorlex_Popup"));
    EXPECT_TRUE(first.contains("function poplink"));
    EXPECT_TRUE(first.contains("<a OnClick=\"Vorlex_Popup('../img/rouge.png',640,480,-1,-1,1,0,"));
    // The comment's "</script>" cannot end the slideshow's script element.
    EXPECT_TRUE(Read(site.Root() + "slideshow-auto.html").contains("\\\\ \xe6\x9d\xb1\xe4\xba\xac <\\/script>',1);"));
}
