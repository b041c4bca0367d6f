#include "imaging/imageformats.h"

#include <QImageReader>

bool IsImageFormat(const QByteArray &format)
{
    return IsWritableFormat(format) || format == "ico" || format == "cur" || format == "heif"
        || format == "avif";
}

bool IsWritableFormat(const QByteArray &format)
{
    return format == "jpeg" || format == "png" || format == "gif" || format == "bmp" || format == "tiff"
        || format == "webp";
}

QByteArray ThumbnailFormat(const QByteArray &sourceFormat)
{
    return sourceFormat == "heif" || sourceFormat == "avif" ? QByteArrayLiteral("jpeg") : sourceFormat;
}

bool IsIndexedFormat(QImage::Format format)
{
    return format == QImage::Format_Indexed8 || format == QImage::Format_Mono
        || format == QImage::Format_MonoLSB;
}

qint64 DecodeLimitBytes()
{
    const int megabytes = QImageReader::allocationLimit();
    return megabytes > 0 ? qint64(megabytes) << 20 : qint64(256) << 20;
}
