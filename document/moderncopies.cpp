#include "document/moderncopies.h"

#include "document/notifycodes.h"
#include "document/thumbnailpath.h"
#include "imaging/imagemetadata.h"
#include "imaging/jpegcodec.h"
#include "imaging/picture.h"
#include "platform/atomicfile.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImageWriter>
#include <algorithm>
#include <cmath>

namespace {

const std::array<QLatin1String, MODERN_COPY_COUNT> kTags{QLatin1String(".g1"), QLatin1String(".g2"),
                                                          QLatin1String(".s1024"), QLatin1String(".s2048")};

QSize ByHeight(QSize photo, int height)
{
    const int h = std::min(height, photo.height());
    const int w = std::max(1, int(std::lround(double(photo.width()) * h / photo.height())));
    return {w, h};
}

QSize ByLongSide(QSize photo, int side)
{
    const int longSide = std::max(photo.width(), photo.height());
    if (longSide <= side)
        return photo;
    const double f = double(side) / longSide;
    return {std::max(1, int(std::lround(photo.width() * f))), std::max(1, int(std::lround(photo.height() * f)))};
}

bool Covers(QSize big, QSize small) { return big.width() >= small.width() && big.height() >= small.height(); }

bool Encode(const QImage &image, bool png, int quality, QByteArray *out)
{
    if (!png)
        return EncodeJpeg(image, std::clamp(quality, 0, 100), SoftwareExifSegment(Picture::SoftwareText()), out);
    QBuffer buffer(out);
    buffer.open(QIODevice::WriteOnly);
    return QImageWriter(&buffer, "png").write(image);
}

} // namespace

std::array<QSize, MODERN_COPY_COUNT> ModernCopySizes(QSize photo)
{
    std::array<QSize, MODERN_COPY_COUNT> s;
    if (photo.width() <= 0 || photo.height() <= 0)
        return s;
    s[MODERN_GRID_1X] = ByHeight(photo, kModernGridHeight);
    s[MODERN_GRID_2X] = ByHeight(photo, 2 * kModernGridHeight);
    s[MODERN_SCREEN_1024] = ByLongSide(photo, 1024);
    const QSize large = ByLongSide(photo, 2048);
    if (large != s[MODERN_SCREEN_1024])
        s[MODERN_SCREEN_2048] = large;
    return s;
}

QString ModernCopyPath(const QString &imagePath, const BuildVignetteOptions &options, ModernCopy copy,
                       bool seeThrough)
{
    return ModernCopyBeside(ThumbnailPath(imagePath, options.PreSuffixe, options.WithPrefixe), copy, seeThrough);
}

QString ModernCopyBeside(const QString &thumbnailPath, ModernCopy copy, bool seeThrough)
{
    if (thumbnailPath.isEmpty())
        return {};
    return thumbnailPath + kTags[copy] + (seeThrough ? QLatin1String(".png") : QLatin1String(".jpg"));
}

QString ThumbnailOfModernCopy(const QString &path)
{
    for (const QLatin1String ext : {QLatin1String(".jpg"), QLatin1String(".png")}) {
        if (!path.endsWith(ext, Qt::CaseInsensitive))
            continue;
        const QStringView stem = QStringView(path).chopped(ext.size());
        for (const QLatin1String &tag : kTags)
            if (stem.endsWith(tag, Qt::CaseInsensitive))
                return path.chopped(tag.size() + ext.size());
    }
    return {};
}

ModernCopyResult MakeModernCopies(const QString &imagePath, const QString &source,
                                  const BuildVignetteOptions &options, QByteArray *largestJpeg)
{
    ModernCopyResult result;
    Picture picture;
    if (!picture.LoadFromFileInMemory(source.isEmpty() ? imagePath : source)) {
        result.failure = THUMB_ERROR_OTHER;
        return result;
    }
    result.photo = QSize(int(picture.GetWidth()), int(picture.GetHeight()));
    const std::array<QSize, MODERN_COPY_COUNT> sizes = ModernCopySizes(result.photo);
    QSize needed;
    for (const QSize &s : sizes)
        needed = needed.expandedTo(s);
    bool memory = false;
    const QImage decoded = picture.DecodeCovering(needed, &memory);
    if (decoded.isNull()) {
        result.failure = memory ? THUMB_ERROR_MEMORY : THUMB_ERROR_OTHER;
        return result;
    }
    result.seeThrough = decoded.hasAlphaChannel();
    // Largest first, so that each smaller copy is scaled from a near size.
    std::array<int, MODERN_COPY_COUNT> order{MODERN_GRID_1X, MODERN_GRID_2X, MODERN_SCREEN_1024, MODERN_SCREEN_2048};
    std::sort(order.begin(), order.end(), [&](int a, int b) {
        return qint64(sizes[a].width()) * sizes[a].height() > qint64(sizes[b].width()) * sizes[b].height();
    });
    std::array<QImage, MODERN_COPY_COUNT> made;
    qint64 largestArea = -1;
    for (int copy : order) {
        if (!sizes[copy].isValid())
            continue;
        const QImage *from = &decoded;
        for (const QImage &m : made)
            if (!m.isNull() && Covers(m.size(), sizes[copy]) && m.width() < from->width())
                from = &m;
        made[copy] = from->size() == sizes[copy]
            ? *from
            : from->scaled(sizes[copy], Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        const QString target = ModernCopyPath(imagePath, options, ModernCopy(copy), result.seeThrough);
        const QString folder = QFileInfo(target).absolutePath();
        if (!QFileInfo(folder).isDir())
            CreateFolders(QDir::toNativeSeparators(folder));
        QByteArray bytes;
        if (made[copy].isNull() || !Encode(made[copy], result.seeThrough, options.JpegQuality, &bytes)
            || !WriteFileAtomically(target, bytes)) {
            result.failure = made[copy].isNull() ? THUMB_ERROR_MEMORY : THUMB_ERROR_OTHER;
            continue;
        }
        const qint64 area = qint64(made[copy].width()) * made[copy].height();
        if (largestJpeg && !result.seeThrough && area > largestArea) {
            largestArea = area;
            *largestJpeg = bytes;
        }
    }
    return result;
}

bool ModernCopiesExist(const QString &thumbnail, QSize photo, bool *seeThrough,
                       const std::function<bool(const QString &)> &exists)
{
    const std::array<QSize, MODERN_COPY_COUNT> sizes = ModernCopySizes(photo);
    for (const bool png : {false, true}) {
        bool all = true;
        for (int copy = 0; copy < MODERN_COPY_COUNT && all; ++copy) {
            if (!sizes[copy].isValid())
                continue;
            const QString path = ModernCopyBeside(thumbnail, ModernCopy(copy), png);
            all = exists ? exists(path) : QFileInfo::exists(path);
        }
        if (all) {
            *seeThrough = png;
            return true;
        }
    }
    return false;
}
