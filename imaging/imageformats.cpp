#include "imaging/imageformats.h"

#include <QImageReader>
#include <cstring>

bool IsImageFormat(const QByteArray &format)
{
    return IsWritableFormat(format) || format == "ico" || format == "cur" || format == "heif"
        || format == "avif";
}

bool MayBeImageFile(const QByteArray &head)
{
    const auto starts = [&](const char *magic, qsizetype length) {
        return head.size() >= length && std::memcmp(head.constData(), magic, size_t(length)) == 0;
    };
    if (starts("\xFF\xD8", 2) || starts("\x89PNG", 4) || starts("GIF8", 4) || starts("BM", 2)
        || starts("II*\0", 4) || starts("MM\0*", 4) || starts("II+\0", 4) || starts("MM\0+", 4))
        return true;
    if (starts("RIFF", 4) && head.size() >= 12 && head.mid(8, 4) == "WEBP")
        return true;
    // ICONDIR: reserved 0, type 1 (icon) or 2 (cursor).
    if (head.size() >= 4 && head[0] == 0 && head[1] == 0 && (head[2] == 1 || head[2] == 2) && head[3] == 0)
        return true;
    // ISO base media files (HEIF, AVIF) are left to their readers to judge.
    return head.size() >= 8 && head.mid(4, 4) == "ftyp";
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
