#include "imaging/fullsizejpeg.h"

#include "imaging/heifreader.h"
#include "imaging/imagemetadata.h"
#include "platform/atomicfile.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageWriter>
#include <QPainter>
#include <algorithm>

namespace {

// JPEG keeps no alpha: see-through parts are shown on white, as a browser would.
QImage Opaque(const QImage &picture)
{
    if (!picture.hasAlphaChannel())
        return picture;
    QImage flat(picture.size(), QImage::Format_RGB32);
    if (flat.isNull())
        return flat;
    flat.fill(Qt::white);
    QPainter painter(&flat);
    painter.drawImage(0, 0, picture);
    painter.end();
    return flat;
}

} // namespace

FullSizeCopyResult WriteFullSizeJpeg(const QString &source, const QString &target, int quality, bool *seeThrough)
{
    if (source.isEmpty() || target.isEmpty() || QFileInfo(source) == QFileInfo(target))
        return FullSizeCopyResult::Failed;
    QByteArray exif;
    bool memory = false;
    const QImage decoded = DecodeHeifWithExif(source, &exif, &memory);
    if (decoded.isNull())
        return memory ? FullSizeCopyResult::OutOfMemory : FullSizeCopyResult::NotLoaded;
    if (seeThrough)
        *seeThrough = decoded.hasAlphaChannel();
    const QImage picture = Opaque(decoded);
    if (picture.isNull())
        return FullSizeCopyResult::OutOfMemory;
    QByteArray jpeg;
    QBuffer out(&jpeg);
    out.open(QIODevice::WriteOnly);
    QImageWriter writer(&out, "jpeg");
    writer.setQuality(std::clamp(quality, 0, 100));
    if (!writer.write(picture))
        return FullSizeCopyResult::Failed;
    out.close();
    // A copy without the camera's texts is still the picture.
    SetUprightExif(jpeg, exif);
    return WriteFileAtomically(target, jpeg) ? FullSizeCopyResult::Written : FullSizeCopyResult::Failed;
}
