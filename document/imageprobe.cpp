#include "document/imageprobe.h"

#include "document/thumbnailpath.h"

#include <QImageReader>

bool ImageInfo::IsImage() const
{
    return SizeText != NotAnImageText();
}

ImageInfo ReadImageInfo(const QString &path, bool /*withCamera*/)
{
    ImageInfo info;
    info.SizeText = NotAnImageText();
    QImageReader reader(path);
    const QSize size = reader.size();
    if (size.width() > 0 && size.height() > 0)
        info.SizeText = QStringLiteral("%1x%2").arg(size.width()).arg(size.height());
    return info;
}

int MakeThumbnail(const QString & /*imagePath*/, const BuildVignetteOptions & /*options*/)
{
    return kThumbnailNotLoaded;
}
