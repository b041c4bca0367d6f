#include "shell/preview/previewdecoder.h"

#include "imaging/heifreader.h"
#include "imaging/imageformats.h"
#include "imaging/imagemetadata.h"
#include "imaging/orientation.h"
#include "shell/preview/previewgeometry.h"

#include <QBuffer>
#include <QImageReader>
#include <cmath>

namespace {

// Reads fail once the load is abandoned, so a decoder stops at its next read
// instead of finishing a picture nobody will see.
class AbandonableBuffer : public QBuffer {
public:
    AbandonableBuffer(const QByteArray &bytes, const std::function<bool()> &abandoned)
        : m_abandoned(abandoned)
    {
        setData(bytes);
        open(QIODevice::ReadOnly);
    }

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        if (m_abandoned && m_abandoned())
            return -1;
        return QBuffer::readData(data, maxSize);
    }

private:
    const std::function<bool()> &m_abandoned;
};

// Animated frames beyond this are not kept: the first frame shows alone.
constexpr qint64 kMaxAnimationBytes = qint64(256) << 20;

// The largest size the decoders' memory limit lets through: JPEG decodes at
// M/8 of the stored size, the others at full size before any scaling.
QSize WithinDecodeLimit(QSize stored, QSize wanted, bool jpeg)
{
    const qint64 limit = DecodeLimitBytes();
    if (limit <= 0)
        return wanted;
    auto bytes = [](QSize s) { return qint64(s.width()) * s.height() * 4; };
    if (!jpeg || bytes(stored) <= limit)
        return wanted;
    for (int m = 8; m >= 1; --m) {
        const QSize decoded((stored.width() * m + 7) / 8, (stored.height() * m + 7) / 8);
        if (bytes(decoded) > limit)
            continue;
        if (decoded.width() >= wanted.width() && decoded.height() >= wanted.height())
            return wanted;
        return decoded;
    }
    return wanted;
}

PreviewImage DecodeFrames(const QByteArray &bytes, const std::function<bool()> &abandoned)
{
    PreviewImage image;
    image.timing = ReadGifTiming(bytes);
    AbandonableBuffer device(bytes, abandoned);
    QImageReader reader(&device, "gif");
    qint64 kept = 0;
    while (reader.canRead()) {
        QImage frame = reader.read();
        if (frame.isNull() || (abandoned && abandoned()))
            break;
        frame.convertTo(QImage::Format_ARGB32_Premultiplied);
        kept += frame.sizeInBytes();
        if (kept > kMaxAnimationBytes && !image.frames.isEmpty())
            break;
        image.frames.append(frame);
    }
    if (image.frames.size() < 2 || image.frames.size() < image.timing.frameCount) {
        // Too large or damaged past the first frame: a still picture.
        image.picture = image.frames.value(0);
        image.frames.clear();
        image.timing = GifTiming();
    }
    if (!image.isNull())
        image.fullSize = image.picture.isNull() ? image.frames.first().size() : image.picture.size();
    return image;
}

// Converted once into a fast format so repaints, zooms and pans only blit.
QImage ForDrawing(QImage picture)
{
    if (picture.format() != QImage::Format_RGB32 && picture.format() != QImage::Format_ARGB32_Premultiplied)
        picture.convertTo(
            picture.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    return picture;
}

// Qt has no reader for these; libheif gives them upright.
bool IsHeif(const QByteArray &bytes) { return !HeifFormatOf(bytes.left(64)).isEmpty(); }

PreviewImage DecodeHeifPreview(const QByteArray &bytes, QSize window, QSize target,
                               const std::function<bool()> &abandoned)
{
    HeifInfo info;
    if (!ProbeHeif(QString(), bytes, &info))
        return PreviewImage();
    const QSize wanted = target.isEmpty() ? FittedSize(info.size, window) : target.boundedTo(info.size);
    bool memory = false;
    QImage picture = DecodeHeif(QString(), bytes, wanted, &memory);
    if (picture.isNull() || (abandoned && abandoned()))
        return PreviewImage();
    if (picture.size() != wanted && !wanted.isEmpty())
        picture = picture.scaled(wanted, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    PreviewImage image;
    image.picture = ForDrawing(picture);
    image.fullSize = info.size;
    return image;
}

} // namespace

QSize PreviewImageSize(const QByteArray &bytes)
{
    if (IsHeif(bytes)) {
        HeifInfo info;
        return ProbeHeif(QString(), bytes, &info) ? info.size : QSize();
    }
    QBuffer device;
    device.setData(bytes);
    device.open(QIODevice::ReadOnly);
    QImageReader reader(&device);
    reader.setAutoTransform(false);
    if (!reader.canRead() || !IsImageFormat(reader.format()))
        return QSize();
    const QSize stored = reader.size();
    if (!stored.isValid() || stored.isEmpty())
        return QSize();
    return UprightSize(stored, ReadImageMetadata(bytes).orientation);
}

PreviewImage DecodePreview(
    const QByteArray &bytes, QSize window, QSize target, const std::function<bool()> &abandoned)
{
    if (IsHeif(bytes))
        return DecodeHeifPreview(bytes, window, target, abandoned);
    AbandonableBuffer device(bytes, abandoned);
    QImageReader reader(&device);
    reader.setAutoTransform(false);
    const QByteArray format = reader.format();
    if (!IsImageFormat(format))
        return PreviewImage();
    if (format == "gif" && reader.imageCount() > 1)
        return DecodeFrames(bytes, abandoned);
    const QSize stored = reader.size();
    const int orientation = ReadImageMetadata(bytes).orientation;
    const QSize upright = UprightSize(stored, orientation);
    QSize wanted = target.isEmpty() ? FittedSize(upright, window) : target.boundedTo(upright);
    if (stored.isValid() && !stored.isEmpty()) {
        const bool jpeg = format == "jpeg";
        wanted = WithinDecodeLimit(upright, wanted, jpeg);
        if (wanted != upright) {
            if (jpeg)
                reader.setQuality(75); // 50 or more keeps the smooth final scale
            reader.setScaledSize(UprightSize(wanted, orientation));
        }
    }
    QImage picture = reader.read();
    if (picture.isNull() || (abandoned && abandoned()))
        return PreviewImage();
    picture = ForDrawing(ToUpright(picture, orientation));
    if (abandoned && abandoned())
        return PreviewImage();
    PreviewImage image;
    image.picture = picture;
    image.fullSize = upright.isEmpty() ? picture.size() : upright;
    return image;
}
