// Picture::BuildThumbnail: draw the upright picture into the box, paint
// the margins, go through the source's palette where the format keeps one,
// and save in the source's format (JPEG for HEIF and AVIF).
#include "imaging/picture.h"

#include "imaging/gifcodec.h"
#include "imaging/imageformats.h"
#include "imaging/imagemetadata.h"
#include "imaging/jpegcodec.h"
#include "imaging/palettequantizer.h"
#include "imaging/thumbnailbox.h"
#include "platform/atomicfile.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageWriter>
#include <QPainter>
#include <algorithm>

namespace {

QRgb OpaqueArgb(COLORREF colour)
{
    return qRgb(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

void PaintMargins(QPainter &painter, const ImagePlacement &p, int width, int height, QColor colour)
{
    if (p.x != 0)
        painter.fillRect(QRect(0, 0, p.x, height), colour);
    if (p.y != 0)
        painter.fillRect(QRect(0, 0, width, p.y), colour);
    if (p.x + p.width < width)
        painter.fillRect(QRect(p.x + p.width, 0, width - p.x - p.width, height), colour);
    if (p.y + p.height < height)
        painter.fillRect(QRect(0, p.y + p.height, width, height - p.y - p.height), colour);
}

// Colour depth of a TIFF thumbnail, from the source's pixel format: indexed
// sources stay 8-bit, sources with alpha or deep colour 32-bit, others 24.
int TiffDepth(QImage::Format sourceFormat)
{
    if (IsIndexedFormat(sourceFormat))
        return 8;
    const QImage probe(1, 1, sourceFormat);
    if (probe.hasAlphaChannel() || probe.depth() > 32)
        return 32;
    return 24;
}

QImage ForTiff(const QImage &canvas, int depth, QRgb background)
{
    if (depth == 8) {
        if (canvas.format() == QImage::Format_Indexed8)
            return canvas;
        QList<QRgb> palette = HalftonePalette();
        palette.append(background);
        return QuantizeToPalette(canvas, palette);
    }
    return canvas.convertToFormat(depth == 32 ? QImage::Format_ARGB32 : QImage::Format_RGB888);
}

bool WriteWithQt(
    const QImage &image, const char *format, QBuffer &out, int quality = -1, int compression = -1)
{
    QImageWriter writer(&out, format);
    if (quality >= 0)
        writer.setQuality(quality);
    if (compression >= 0)
        writer.setCompression(compression);
    return writer.write(image);
}

} // namespace

ThumbnailResult Picture::BuildThumbnail(const ThumbnailRequest &request)
{
    std::lock_guard lock(m_lock);
    if (!m_loaded)
        return THUMB_NO_IMAGE;
    if (request.width <= 0 || request.height <= 0)
        return THUMB_BAD_SIZE;
    if (!IsWritableFormat(ThumbnailFormat(m_format)))
        return THUMB_NO_ENCODER;
    if (!m_path.isEmpty() && QFileInfo(request.targetPath) == QFileInfo(m_path))
        return THUMB_FAILED;
    if (qint64(request.width) * request.height * 4 > DecodeLimitBytes())
        return THUMB_OUT_OF_MEMORY;

    ImagePlacement p
        = PlaceInThumbnail(request.width, request.height, GetWidth(), GetHeight(), request.stretch != 0);
    // A sliver of a picture still gets one pixel rather than none.
    p.width = std::max(p.width, 1);
    p.height = std::max(p.height, 1);
    QImage::Format sourceFormat = QImage::Format_Invalid;
    QList<QRgb> palette;
    bool memory = false;
    const QImage picture = DecodeUpright(QSize(p.width, p.height), &sourceFormat, &palette, &memory);
    if (picture.isNull())
        return memory ? THUMB_OUT_OF_MEMORY : THUMB_FAILED;
    if (m_format == "gif") {
        // Qt hands GIF frames over as 32-bit: the palette comes from the file.
        palette.clear();
        if (auto device = OpenSource())
            palette = ReadGifPalette(*device);
    }

    QImage canvas(request.width, request.height, QImage::Format_ARGB32_Premultiplied);
    if (canvas.isNull())
        return THUMB_OUT_OF_MEMORY;
    canvas.fill(Qt::transparent);
    const QRgb background = OpaqueArgb(request.background);
    {
        QPainter painter(&canvas);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(p.x, p.y, picture);
        PaintMargins(painter, p, request.width, request.height, QColor::fromRgb(background));
    }
    canvas = canvas.convertToFormat(QImage::Format_ARGB32);
    if (canvas.isNull())
        return THUMB_OUT_OF_MEMORY;

    if (!palette.isEmpty() && (m_format == "gif" || IsIndexedFormat(sourceFormat))) {
        if (palette.size() < 256)
            palette.append(background);
        const QImage indexed = QuantizeToPalette(canvas, palette);
        if (!indexed.isNull())
            canvas = indexed;
    }
    return SaveThumbnail(canvas, request, sourceFormat);
}

ThumbnailResult Picture::SaveThumbnail(
    QImage canvas, const ThumbnailRequest &request, QImage::Format sourceFormat) const
{
    const QRgb background = OpaqueArgb(request.background);
    const QByteArray format = ThumbnailFormat(m_format);
    if (format != m_format && canvas.hasAlphaChannel()) {
        // JPEG keeps no alpha: see-through parts take the background colour.
        QImage flat(canvas.size(), QImage::Format_RGB32);
        flat.fill(background);
        QPainter painter(&flat);
        painter.drawImage(0, 0, canvas);
        painter.end();
        canvas = flat;
    }
    QByteArray data;
    QBuffer out(&data);
    out.open(QIODevice::WriteOnly);
    bool written = false;
    if (format == "bmp") {
        if (!IsIndexedFormat(sourceFormat)) {
            canvas = canvas.convertToFormat(QImage::Format_RGB888);
            if (canvas.isNull())
                return THUMB_OUT_OF_MEMORY;
        }
        written = WriteWithQt(canvas, "bmp", out);
    } else if (format == "jpeg") {
        // The Software tag goes in as the file is written, not by a second pass.
        const QByteArray exif = SoftwareExifSegment(SoftwareText());
        written = !exif.isEmpty()
            && EncodeJpeg(canvas, std::clamp(request.jpegQuality, 0, 100), exif, &data);
    } else if (format == "tiff") {
        canvas = ForTiff(canvas, TiffDepth(sourceFormat), background);
        if (canvas.isNull())
            return THUMB_OUT_OF_MEMORY;
        written = WriteWithQt(canvas, "tiff", out, -1, 1); // 1 = LZW
    } else if (format == "gif") {
        if (canvas.format() != QImage::Format_Indexed8) {
            QList<QRgb> palette = HalftonePalette();
            palette.append(background);
            canvas = QuantizeToPalette(canvas, palette);
            if (canvas.isNull())
                return THUMB_OUT_OF_MEMORY;
        }
        written = WriteGif(canvas, out);
    } else {
        written = WriteWithQt(canvas, format.constData(), out);
    }
    out.close();
    if (!written)
        return THUMB_FAILED;
    return WriteFileAtomically(request.targetPath, data) ? THUMB_WRITTEN : THUMB_FAILED;
}
