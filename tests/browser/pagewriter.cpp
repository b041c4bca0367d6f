// Builds the pages the browser checks open, with the real page builders:
//   browser_page_writer PAGES.json
// PAGES.json names photos (written as PNG beside it, with their
// thumbnails 96 pixels high, unless marked missing) and pages, each built by
// its own gallery document in the same folder. Exit status 0 when every page
// was written without an error report.

#include "document/gallerydocument.h"
#include "document/imageprobe.h"
#include "document/notifycodes.h"
#include "document/thumbnailpath.h"
#include "pagegen/buildgallerythread.h"
#include "pagegen/buildslideshowthread.h"
#include "platform/notificationsink.h"
#include "platform/profile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <atomic>
#include <cstdio>
#include <map>

namespace {

class ErrorCount : public NotificationSink {
public:
    bool IsAlive() const override { return true; }
    void Post(int code, std::intptr_t) override { m_errors += code == NOTIFY_ERROR; }
    int Errors() const { return m_errors; }

private:
    std::atomic<int> m_errors {0};
};

struct Photo {
    QString path;
    int width = 0, height = 0;
};

// Per-photo overrides: tooltip, link, popup [w, h] (else sized to the
// picture), allow (full size in the popup) and commentUnder.
ImageOptionBlock Overrides(const QJsonObject &o)
{
    ImageOptionBlock b;
    if (o.contains("tooltip")) {
        b.Flags |= IMGOPT_TOOLTIP_TYPE;
        b.ToolTipType = o["tooltip"].toInt();
    }
    if (o.contains("link")) {
        b.Flags |= IMGOPT_LINK_TYPE;
        b.LinkType = o["link"].toInt();
    }
    if (o.contains("popup")) {
        b.Flags |= IMGOPT_POPUP_AUTO_SIZE | IMGOPT_POPUP_FIXED_SIZE;
        b.PopupWidth = o["popup"][0].toInt();
        b.PopupHeight = o["popup"][1].toInt();
    }
    if (o.contains("allow")) {
        b.Flags |= IMGOPT_POPUP_IMAGE_SIZE;
        b.AdaptImageSize = 1;
        b.AllowFullSize = o["allow"].toInt();
    }
    if (o.contains("commentUnder")) {
        b.Flags |= IMGOPT_COMMENT_UNDER_IMAGE;
        b.CommentUnderImage = o["commentUnder"].toBool();
    }
    return b;
}

// Thumbnails 96 pixels high, as the checks' frame sizes assume.
BuildVignetteOptions ThumbnailOptions()
{
    BuildVignetteOptions o;
    o.IsPercentSize = 5;
    o.SmallestBiggestSize = 96;
    return o;
}

GalleryOptions PageOptions(const QString &folder, const QJsonObject &page)
{
    GalleryOptions o;
    o.PagePath = o.SlideshowPagePath = folder + page["file"].toString();
    o.WebPage1.PageTitle = page["title"].toString();
    o.WebPage1.ProtectImage = page["protect"].toBool();
    o.WebPage2.ToolTipType = 0;
    o.Links.IsLink = page["links"].toBool(true);
    o.Links.LinkType = 33;
    o.Links.SpecialPopupLink = page["special"].toBool();
    o.BuildVignette = ThumbnailOptions();
    o.Diaporama.Speed = page["speed"].toInt(1);
    o.Diaporama.NoLoop = page["noLoop"].toBool();
    o.Diaporama.CloseOrBack = page["back"].toBool();
    o.Diaporama.AutoOrUser = page["manual"].toBool() ? 1 : 0;
    o.Diaporama.Random = page["random"].toBool();
    return o;
}

class PageWriter {
public:
    explicit PageWriter(const QString &folder)
        : m_folder(folder)
        , m_profile(folder + "writer-settings.ini")
    {
    }

    bool WritePhotos(const QJsonArray &photos)
    {
        const QRgb colours[] = {qRgb(204, 51, 51), qRgb(51, 204, 51), qRgb(51, 51, 204), qRgb(204, 204, 51),
            qRgb(51, 204, 204), qRgb(204, 51, 204), qRgb(153, 153, 153)};
        int n = 0;
        for (const QJsonValue &v : photos) {
            const QJsonObject p = v.toObject();
            Photo &photo = m_photos[p["name"].toString()];
            photo = {m_folder + p["name"].toString(), p["width"].toInt(), p["height"].toInt()};
            if (p["missing"].toBool())
                continue;
            QImage image(photo.width, photo.height, QImage::Format_RGB32);
            image.fill(colours[n++ % std::size(colours)]);
            if (!image.save(photo.path, "PNG") || MakeThumbnail(photo.path, ThumbnailOptions()))
                return Fail("cannot write " + photo.path);
        }
        return true;
    }

    bool WritePage(const QJsonObject &page)
    {
        const GalleryOptions options = PageOptions(m_folder, page);
        GalleryDocument doc(m_profile, 1);
        ErrorCount sink;
        doc.SetOptions(options);
        for (const QJsonValue &v : page["images"].toArray()) {
            const QJsonObject image = v.toObject();
            const auto photo = m_photos.find(image["file"].toString());
            if (photo == m_photos.end())
                return Fail("no photo " + image["file"].toString());
            if (doc.InsertEntry(Entry(photo->second, image, options), QString(), QString(), false) < 0)
                return Fail("cannot add " + photo->second.path);
        }
        doc.SetSink(&sink);
        doc.SignalStartBuild();
        const QString kind = page["kind"].toString();
        bool built = false;
        if (kind == "gallery")
            built = BuildGalleryThread(doc) == 0 && QFileInfo::exists(options.PagePath);
        else if (kind == "slideshow")
            built = BuildSlideshowThread(doc) == kSlideshowBuilt;
        else if (kind == "thumbnails")
            built = BuildThumbnailSlideshowThread(doc) == kSlideshowBuilt;
        doc.SetSink(nullptr);
        if (!built || sink.Errors())
            return Fail("cannot build " + options.PagePath);
        return true;
    }

private:
    ImageEntry Entry(const Photo &photo, const QJsonObject &image, const GalleryOptions &options) const
    {
        ImageEntry e;
        e.Path = photo.path;
        e.Comment = image["comment"].toString();
        e.ImageDimensions = QStringLiteral("%1x%2").arg(photo.width).arg(photo.height);
        e.ImageSizeText = SizeText(photo.path, &e.ImageBytes);
        const ThumbnailOnDisk t = ExamineThumbnail(photo.path, options.BuildVignette);
        e.ThumbnailDimensions = t.Dimensions;
        e.ThumbnailSizeText = t.SizeText;
        e.ThumbnailBytes = t.Bytes;
        e.Options = Overrides(image);
        return e;
    }

    static bool Fail(const QString &what)
    {
        std::fprintf(stderr, "browser_page_writer: %s\n", qPrintable(what));
        return false;
    }

    const QString m_folder;
    SettingsProfile m_profile;
    std::map<QString, Photo> m_photos;
};

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: browser_page_writer PAGES.json\n");
        return 2;
    }
    QFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::ReadOnly))
        return 1;
    const QJsonObject wanted = QJsonDocument::fromJson(file.readAll()).object();
    PageWriter writer(QFileInfo(file).absolutePath() + QLatin1Char('/'));
    if (!writer.WritePhotos(wanted["photos"].toArray()))
        return 1;
    for (const QJsonValue &page : wanted["pages"].toArray()) {
        if (!writer.WritePage(page.toObject()))
            return 1;
    }
    return 0;
}
