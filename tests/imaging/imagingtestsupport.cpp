#include "imagingtestsupport.h"

#include <QBuffer>
#include <QFile>
#include <QImageWriter>
#include <QPainter>
#include <QtEndian>
#include <exiv2/exiv2.hpp>
#include <libheif/heif.h>

namespace testsupport {

QImage Quadrants(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    QPainter p(&image);
    const int hw = width / 2, hh = height / 2;
    p.fillRect(0, 0, hw, hh, Qt::red);
    p.fillRect(hw, 0, width - hw, hh, Qt::green);
    p.fillRect(hw, hh, width - hw, height - hh, Qt::blue);
    p.fillRect(0, hh, hw, height - hh, Qt::yellow);
    return image;
}

QByteArray Encode(const QImage &image, const char *format, int quality)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    if (quality >= 0)
        writer.setQuality(quality);
    writer.write(image);
    return bytes;
}

bool WriteBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QByteArray ReadBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool SetExif(const QString &path, const std::map<std::string, std::string> &tags)
{
    try {
        auto image = Exiv2::ImageFactory::open(QFile::encodeName(path).toStdString());
        image->readMetadata();
        Exiv2::ExifData &exif = image->exifData();
        for (const auto &[key, value] : tags)
            exif[key].setValue(value);
        image->writeMetadata();
        return true;
    } catch (const std::exception &) {
        return false;
    }
}

std::map<std::string, std::string> ExifOf(const QString &path)
{
    std::map<std::string, std::string> keys;
    try {
        auto image = Exiv2::ImageFactory::open(QFile::encodeName(path).toStdString());
        image->readMetadata();
        for (const auto &d : image->exifData())
            keys[d.key()] = d.toString();
    } catch (const std::exception &) {
    }
    return keys;
}

int JpegQuality(const QByteArray &jpeg)
{
    static const int kLuminance[64] = {16, 11, 10, 16, 24, 40, 51, 61, 12, 12, 14, 19, 26, 58, 60, 55, 14, 13,
        16, 24, 40, 57, 69, 56, 14, 17, 22, 29, 51, 87, 80, 62, 18, 22, 37, 56, 68, 109, 103, 77, 24, 35, 55,
        64, 81, 104, 113, 92, 49, 64, 78, 87, 103, 121, 120, 101, 72, 92, 95, 98, 112, 100, 103, 99};
    static const int kNatural[64] = {0, 1, 8, 16, 9, 2, 3, 10, 17, 24, 32, 25, 18, 11, 4, 5, 12, 19, 26, 33,
        40, 48, 41, 34, 27, 20, 13, 6, 7, 14, 21, 28, 35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23, 30, 37,
        44, 51, 58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};
    const qsizetype dqt = jpeg.indexOf(QByteArray("\xFF\xDB", 2));
    if (dqt < 0 || dqt + 5 + 64 > jpeg.size() || (uchar(jpeg[dqt + 4]) != 0))
        return -1;
    const uchar *table = reinterpret_cast<const uchar *>(jpeg.constData() + dqt + 5);
    for (int q = 1; q <= 100; ++q) {
        const int scale = q < 50 ? 5000 / q : 200 - 2 * q;
        bool all = true;
        for (int k = 0; k < 64 && all; ++k) {
            const int v = std::clamp((kLuminance[kNatural[k]] * scale + 50) / 100, 1, 255);
            all = table[k] == v;
        }
        if (all)
            return q;
    }
    return -1;
}

char ColourClass(QRgb c)
{
    const int r = qRed(c), g = qGreen(c), b = qBlue(c);
    auto hi = [](int v) { return v > 180; };
    auto lo = [](int v) { return v < 80; };
    if (hi(r) && hi(g) && hi(b))
        return 'w';
    if (lo(r) && lo(g) && lo(b))
        return 'k';
    if (hi(r) && lo(g) && lo(b))
        return 'r';
    if (lo(r) && hi(g) && lo(b))
        return 'g';
    if (lo(r) && lo(g) && hi(b))
        return 'b';
    if (hi(r) && hi(g) && lo(b))
        return 'y';
    return '?';
}

namespace {

quint32 Crc32(const QByteArray &data)
{
    quint32 crc = 0xFFFFFFFFu;
    for (char ch : data) {
        crc ^= uchar(ch);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

QByteArray Chunk(const char *type, const QByteArray &payload)
{
    QByteArray body = QByteArray(type, 4) + payload;
    QByteArray chunk(4, '\0');
    qToBigEndian<quint32>(quint32(payload.size()), chunk.data());
    chunk += body;
    QByteArray crc(4, '\0');
    qToBigEndian<quint32>(Crc32(body), crc.data());
    return chunk + crc;
}

} // namespace

QByteArray PngDeclaring(quint32 width, quint32 height)
{
    QByteArray ihdr(13, '\0');
    qToBigEndian<quint32>(width, ihdr.data());
    qToBigEndian<quint32>(height, ihdr.data() + 4);
    ihdr[8] = 8; // bit depth
    ihdr[9] = 6; // RGBA
    // A few bytes of deflate data: a stored empty block is enough for a header.
    const QByteArray idat = QByteArray::fromHex("789c030000000001");
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + Chunk("IHDR", ihdr) + Chunk("IDAT", idat) + Chunk("IEND", {});
}

int BmpBitsPerPixel(const QByteArray &bmp)
{
    return bmp.size() < 30 ? -1 : qFromLittleEndian<quint16>(bmp.constData() + 28);
}

int PngColourType(const QByteArray &png)
{
    return png.size() < 26 ? -1 : uchar(png[25]);
}

std::map<int, quint32> TiffTags(const QByteArray &tiff)
{
    std::map<int, quint32> tags;
    if (tiff.size() < 8)
        return tags;
    const bool little = tiff.startsWith("II");
    auto u16 = [&](qsizetype at) -> quint32 {
        if (at + 2 > tiff.size())
            return 0;
        return little ? qFromLittleEndian<quint16>(tiff.constData() + at)
                      : qFromBigEndian<quint16>(tiff.constData() + at);
    };
    auto u32 = [&](qsizetype at) -> quint32 {
        if (at + 4 > tiff.size())
            return 0;
        return little ? qFromLittleEndian<quint32>(tiff.constData() + at)
                      : qFromBigEndian<quint32>(tiff.constData() + at);
    };
    const quint32 ifd = u32(4);
    const quint32 count = u16(ifd);
    for (quint32 i = 0; i < count; ++i) {
        const qsizetype e = ifd + 2 + i * 12;
        const quint32 type = u16(e + 2), n = u32(e + 4);
        const quint32 size = type == 3 ? 2 : 4;
        const qsizetype at = n * size <= 4 ? e + 8 : u32(e + 8);
        tags[int(u16(e))] = size == 2 ? u16(at) : u32(at);
    }
    return tags;
}

int GifGlobalTableSize(const QByteArray &gif)
{
    if (gif.size() < 13)
        return -1;
    const uchar packed = uchar(gif[10]);
    return (packed & 0x80) ? 1 << ((packed & 0x07) + 1) : 0;
}

namespace {
heif_error AppendHeif(heif_context *, const void *data, size_t size, void *userdata)
{
    static_cast<QByteArray *>(userdata)->append(
        static_cast<const char *>(data), static_cast<qsizetype>(size));
    return heif_error {heif_error_Ok, heif_suberror_Unspecified, "ok"};
}
} // namespace

namespace {
heif_image *HeifImage(const QImage &picture)
{
    const bool alpha = picture.hasAlphaChannel();
    const QImage rgb = picture.convertToFormat(alpha ? QImage::Format_RGBA8888 : QImage::Format_RGB888);
    const heif_chroma chroma = alpha ? heif_chroma_interleaved_RGBA : heif_chroma_interleaved_RGB;
    heif_image *image = nullptr;
    if (heif_image_create(rgb.width(), rgb.height(), heif_colorspace_RGB, chroma, &image).code
        != heif_error_Ok)
        return nullptr;
    if (heif_image_add_plane(image, heif_channel_interleaved, rgb.width(), rgb.height(), 8).code
        != heif_error_Ok) {
        heif_image_release(image);
        return nullptr;
    }
    int stride = 0;
    uint8_t *plane = heif_image_get_plane(image, heif_channel_interleaved, &stride);
    for (int y = 0; y < rgb.height(); ++y)
        memcpy(plane + y * stride, rgb.constScanLine(y), size_t(rgb.width()) * (alpha ? 4 : 3));
    return image;
}

// Encodes the picture into the context; the handle, or null.
heif_image_handle *AddHeif(
    heif_context *context, heif_encoder *encoder, const QImage &picture, int rotation, const QByteArray &icc)
{
    heif_image *image = HeifImage(picture);
    if (!image)
        return nullptr;
    if (!icc.isEmpty())
        heif_image_set_raw_color_profile(image, "prof", icc.constData(), size_t(icc.size()));
    heif_encoding_options *options = heif_encoding_options_alloc();
    options->image_orientation = heif_orientation(rotation);
    heif_image_handle *handle = nullptr;
    if (heif_context_encode_image(context, image, encoder, options, &handle).code != heif_error_Ok)
        handle = nullptr;
    heif_encoding_options_free(options);
    heif_image_release(image);
    return handle;
}
} // namespace

QByteArray EncodeHeif(
    const QImage &picture, bool avif, int rotation, const QByteArray &exif, const QImage &preview,
    const QByteArray &icc)
{
    const heif_compression_format codec = avif ? heif_compression_AV1 : heif_compression_HEVC;
    heif_context *context = heif_context_alloc();
    heif_encoder *encoder = nullptr;
    heif_image_handle *handle = nullptr;
    heif_image_handle *previewHandle = nullptr;
    QByteArray out;
    if (heif_context_get_encoder_for_format(context, codec, &encoder).code == heif_error_Ok) {
        heif_encoder_set_lossy_quality(encoder, 90);
        handle = AddHeif(context, encoder, picture, rotation, icc);
        bool ok = handle != nullptr;
        if (ok && !preview.isNull()) {
            // libheif only stores a preview it has to shrink: give it one twice the size.
            heif_image *doubled = HeifImage(preview.scaled(preview.size() * 2));
            heif_encoding_options *options = heif_encoding_options_alloc();
            options->image_orientation = heif_orientation(rotation);
            ok = doubled
                && heif_context_encode_thumbnail(context, doubled, handle, encoder, options,
                       std::max(preview.width(), preview.height()), &previewHandle)
                        .code
                    == heif_error_Ok
                && previewHandle;
            heif_encoding_options_free(options);
            if (doubled)
                heif_image_release(doubled);
        }
        ok = ok
            && (exif.isEmpty()
                || heif_context_add_exif_metadata(context, handle, exif.constData(), int(exif.size())).code
                    == heif_error_Ok);
        heif_writer writer {1, &AppendHeif};
        if (!ok || heif_context_write(context, &writer, &out).code != heif_error_Ok)
            out.clear();
    }
    if (previewHandle)
        heif_image_handle_release(previewHandle);
    if (handle)
        heif_image_handle_release(handle);
    if (encoder)
        heif_encoder_release(encoder);
    heif_context_free(context);
    return out;
}

} // namespace testsupport
