#include "document/imageentry.h"

#include "document/imageprobe.h"
#include "document/thumbnailpath.h"
#include "platform/filehead.h"

#include <QDateTime>
#include <QFileInfo>
#include <algorithm>
#include <climits>

QString JoinDimensionsAndSize(const QString &dimensions, const QString &sizeText)
{
    return dimensions + QStringLiteral("  ") + sizeText;
}

QString GetOptionsSummary(std::uint32_t flags)
{
    QString text;
    if (flags & IMGOPT_BORDER_SIZE)
        text += QStringLiteral("Taille de la bordure; ");
    if (flags & IMGOPT_BORDER_COLOR)
        text += QStringLiteral("Couleur de la bordure; ");
    if (flags & (IMGOPT_TOOLTIP_TYPE | IMGOPT_NO_TOOLTIP_IN_POPUP | IMGOPT_COMMENT_UNDER_IMAGE))
        text += QStringLiteral("Info Bulle; ");
    if (flags & IMGOPT_LINK_TYPE)
        text += QStringLiteral("Lien; ");
    if (flags & (IMGOPT_POPUP_FIXED_SIZE | IMGOPT_POPUP_AUTO_SIZE))
        text += QStringLiteral("Taille du popup");
    if (flags & IMGOPT_POPUP_IMAGE_SIZE)
        text += QStringLiteral("Taille de l'image dans le popup");
    if (flags & IMGOPT_POPUP_BG_COLOR)
        text += QStringLiteral("Couleur de fond du popup");
    return text;
}

ImageOptionBlock DropMatchingOverrides(ImageOptionBlock block, const GalleryOptions &o)
{
    if (block.Flags == 0)
        return block;
    struct Rule {
        std::uint32_t flag;
        bool equal;
    };
    const Rule rules[] = {
        {IMGOPT_BORDER_SIZE, block.BorderSize == o.WebPage2.BorderSize},
        {IMGOPT_BORDER_COLOR, block.BorderColor == o.WebPage1.BorderColor},
        {IMGOPT_TOOLTIP_TYPE, block.ToolTipType == o.WebPage2.ToolTipType},
        {IMGOPT_LINK_TYPE, block.LinkType == o.Links.LinkType},
        {IMGOPT_POPUP_IMAGE_SIZE,
         block.AdaptImageSize == o.Links.AdapImageSize && block.AllowFullSize == o.Links.AllowFullSize},
        {IMGOPT_POPUP_AUTO_SIZE, block.PopupAutoSize == o.Links.WindowAutoSize},
        {IMGOPT_POPUP_FIXED_SIZE,
         block.PopupWidth == o.Links.WindowFixedSize.cx && block.PopupHeight == o.Links.WindowFixedSize.cy},
        {IMGOPT_POPUP_BG_COLOR, block.PopupBgColor == o.Links.PopupBgColor},
        {IMGOPT_NO_TOOLTIP_IN_POPUP, block.NoTooltipInPopups == o.WebPage2.NoTooltipInPopups},
        {IMGOPT_COMMENT_UNDER_IMAGE, block.CommentUnderImage == o.WebPage2.CommentUnderImage},
    };
    for (const Rule &r : rules)
        if ((block.Flags & r.flag) && r.equal)
            block.Flags &= ~r.flag;
    return block;
}

bool ApplyFileTimeFallback(const QString &path, QString &date, QString &time)
{
    if (!date.isEmpty() || !time.isEmpty())
        return false;
    return ApplyFileTimeFallback(QFileInfo(path).lastModified(), date, time);
}

bool ApplyFileTimeFallback(const QDateTime &modified, QString &date, QString &time)
{
    if (!date.isEmpty() || !time.isEmpty() || !modified.isValid())
        return false;
    const QDateTime local = modified.toLocalTime();
    date = local.toString(QStringLiteral("dd/MM/yyyy"));
    time = local.toString(QStringLiteral("HH:mm:ss"));
    return true;
}

ThumbnailOnDisk ExamineThumbnail(const QString &imagePath, const BuildVignetteOptions &options)
{
    ThumbnailOnDisk t;
    t.Path = ThumbnailPath(imagePath, options.PreSuffixe, options.WithPrefixe);
    if (t.Path.isEmpty())
        return t;
    // One look at the file gives both its kind and its size; the probe then
    // opens it once. Most photos of a new gallery have no thumbnail yet.
    const QFileInfo info(t.Path);
    if (!info.isFile())
        return t;
    // Thumbnails are small: read whole, they are probed without reopening.
    constexpr qint64 kSmall = qint64(1) << 20;
    qint64 bytes = info.size();
    QString dims;
    QByteArray contents;
    // Read at its known length: a buffer sized for the largest costs more
    // than the reading for thousands of small files.
    if (bytes <= kSmall && ReadFileHead(t.Path, bytes, &contents)) {
        bytes = contents.size();
        dims = ReadImageInfo(contents, false).SizeText;
    } else {
        dims = ReadImageInfo(t.Path, false).SizeText;
    }
    if (dims == NotAnImageText())
        return t;
    t.Dimensions = dims;
    t.SizeText = SizeTextForBytes(bytes);
    t.Bytes = static_cast<int>(std::min<qint64>(bytes, INT_MAX));
    return t;
}
