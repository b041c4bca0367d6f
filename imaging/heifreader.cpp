#include "imaging/heifreader.h"

#include "imaging/imageformats.h"

#include <QColorSpace>
#include <QFile>
#include <algorithm>
#include <cstdlib>
#include <libheif/heif.h>
#include <memory>

namespace {

struct ContextFree {
    void operator()(heif_context *c) const { heif_context_free(c); }
};
struct HandleFree {
    void operator()(heif_image_handle *h) const { heif_image_handle_release(h); }
};
struct ImageFree {
    void operator()(heif_image *i) const { heif_image_release(i); }
};
using Context = std::unique_ptr<heif_context, ContextFree>;
using Handle = std::unique_ptr<heif_image_handle, HandleFree>;
using Image = std::unique_ptr<heif_image, ImageFree>;

// The context must outlive the handle's use of the bytes, which are not copied.
Handle PrimaryImage(const QString &path, const QByteArray &bytes, Context &context)
{
    context.reset(heif_context_alloc());
    if (!context)
        return nullptr;
    heif_error error;
    if (!bytes.isEmpty())
        error = heif_context_read_from_memory_without_copy(
            context.get(), bytes.constData(), static_cast<size_t>(bytes.size()), nullptr);
    else if (!path.isEmpty())
        error = heif_context_read_from_file(context.get(), QFile::encodeName(path).constData(), nullptr);
    else
        return nullptr;
    if (error.code != heif_error_Ok)
        return nullptr;
    heif_image_handle *handle = nullptr;
    if (heif_context_get_primary_image_handle(context.get(), &handle).code != heif_error_Ok)
        return nullptr;
    return Handle(handle);
}

QByteArray ExifBlock(const heif_image_handle *handle)
{
    heif_item_id id = 0;
    if (heif_image_handle_get_list_of_metadata_block_IDs(handle, "Exif", &id, 1) < 1)
        return QByteArray();
    const size_t size = heif_image_handle_get_metadata_size(handle, id);
    // A camera's EXIF is tens of kilobytes; more is not a block we want.
    if (size < 4 || size > (size_t(16) << 20))
        return QByteArray();
    QByteArray block(static_cast<qsizetype>(size), Qt::Uninitialized);
    if (heif_image_handle_get_metadata(handle, id, block.data()).code != heif_error_Ok)
        return QByteArray();
    // The block starts with the big-endian offset of the TIFF header.
    const auto *b = reinterpret_cast<const uchar *>(block.constData());
    const quint32 offset = (quint32(b[0]) << 24) | (quint32(b[1]) << 16) | (quint32(b[2]) << 8) | b[3];
    if (offset > size - 4)
        return QByteArray();
    return block.mid(4 + static_cast<qsizetype>(offset));
}

// Phones store a small preview beside the photo. One that covers the wanted
// size and has the photo's shape spares decoding the whole picture; a
// preview of another shape (cropped, or not turned like the photo) is not
// the same picture.
Handle FittingThumbnail(const heif_image_handle *primary, QSize wanted)
{
    const qint64 w = heif_image_handle_get_width(primary);
    const qint64 h = heif_image_handle_get_height(primary);
    const int count = heif_image_handle_get_number_of_thumbnails(primary);
    if (count <= 0 || count > 16)
        return nullptr;
    heif_item_id ids[16];
    const int listed = heif_image_handle_get_list_of_thumbnail_IDs(primary, ids, count);
    Handle best;
    for (int i = 0; i < listed; ++i) {
        heif_image_handle *raw = nullptr;
        if (heif_image_handle_get_thumbnail(primary, ids[i], &raw).code != heif_error_Ok)
            continue;
        Handle thumb(raw);
        const qint64 tw = heif_image_handle_get_width(thumb.get());
        const qint64 th = heif_image_handle_get_height(thumb.get());
        const bool covers = tw >= wanted.width() && th >= wanted.height() && tw < w && th < h;
        const bool sameShape = std::abs(tw * h - th * w) <= std::max(w, h);
        if (covers && sameShape && (!best || tw < heif_image_handle_get_width(best.get())))
            best = std::move(thumb);
    }
    return best;
}

QImage DecodeHandle(const heif_image_handle *handle, bool *memory)
{
    const qint64 width = heif_image_handle_get_width(handle);
    const qint64 height = heif_image_handle_get_height(handle);
    if (width <= 0 || height <= 0)
        return QImage();
    // The decoded planes and the converted pixels are both held at once.
    if (width * height * 4 * 2 > DecodeLimitBytes()) {
        *memory = true;
        return QImage();
    }
    // Photos have no alpha: three bytes a pixel are less to convert, copy and
    // later flatten for JPEG.
    const bool alpha = heif_image_handle_has_alpha_channel(handle) != 0;
    const int depth = alpha ? 4 : 3;
    heif_image *raw = nullptr;
    if (heif_decode_image(handle, &raw, heif_colorspace_RGB,
            alpha ? heif_chroma_interleaved_RGBA : heif_chroma_interleaved_RGB, nullptr)
            .code
        != heif_error_Ok)
        return QImage();
    Image image(raw);
    int stride = 0;
    uint8_t *plane = heif_image_get_plane(image.get(), heif_channel_interleaved, &stride);
    const int w = heif_image_get_width(image.get(), heif_channel_interleaved);
    const int h = heif_image_get_height(image.get(), heif_channel_interleaved);
    if (!plane || w <= 0 || h <= 0 || qint64(w) * h > width * height || stride < w * depth)
        return QImage();
    // The picture keeps libheif's pixels rather than a copy of them: a 12 MP
    // photo is 36 MB less and one pass fewer.
    QImage picture(plane, w, h, stride, alpha ? QImage::Format_RGBA8888 : QImage::Format_RGB888,
        [](void *owned) { heif_image_release(static_cast<heif_image *>(owned)); }, image.get());
    if (picture.isNull())
        return QImage();
    image.release();
    return picture;
}

// Phones shoot in Display P3: a copy without the profile looks washed out.
QColorSpace ColourSpaceOf(const heif_image_handle *handle)
{
    const size_t size = heif_image_handle_get_raw_color_profile_size(handle);
    if (size > 0 && size <= (size_t(4) << 20)) {
        QByteArray icc(static_cast<qsizetype>(size), Qt::Uninitialized);
        if (heif_image_handle_get_raw_color_profile(handle, icc.data()).code == heif_error_Ok) {
            const QColorSpace space = QColorSpace::fromIccProfile(icc);
            if (space.isValid())
                return space;
        }
    }
    heif_color_profile_nclx *nclx = nullptr;
    if (heif_image_handle_get_nclx_color_profile(handle, &nclx).code != heif_error_Ok || !nclx)
        return QColorSpace();
    const bool p3 = nclx->color_primaries == heif_color_primaries_SMPTE_EG_432_1;
    heif_nclx_color_profile_free(nclx);
    return p3 ? QColorSpace(QColorSpace::DisplayP3) : QColorSpace();
}

} // namespace

QByteArray HeifFormatOf(const QByteArray &head)
{
    if (head.size() < 12)
        return QByteArray();
    const auto *data = reinterpret_cast<const uint8_t *>(head.constData());
    const int length = static_cast<int>(std::min<qsizetype>(head.size(), 4096));
    if (heif_check_filetype(data, length) != heif_filetype_yes_supported)
        return QByteArray();
    const heif_brand brand = heif_main_brand(data, length);
    return brand == heif_avif || brand == heif_avis ? QByteArrayLiteral("avif") : QByteArrayLiteral("heif");
}

bool ProbeHeif(const QString &path, const QByteArray &bytes, HeifInfo *info)
{
    Context context;
    const Handle handle = PrimaryImage(path, bytes, context);
    if (!handle)
        return false;
    // The handle's size already has the rotation applied.
    const QSize size(heif_image_handle_get_width(handle.get()), heif_image_handle_get_height(handle.get()));
    if (size.width() <= 0 || size.height() <= 0)
        return false;
    info->size = size;
    info->meta = ReadExifMetadata(ExifBlock(handle.get()));
    info->meta.orientation = 1;
    return true;
}

QImage DecodeHeif(const QString &path, const QByteArray &bytes, QSize wanted, bool *memory)
{
    *memory = false;
    Context context;
    const Handle handle = PrimaryImage(path, bytes, context);
    if (!handle)
        return QImage();
    if (const Handle thumbnail = FittingThumbnail(handle.get(), wanted)) {
        // A damaged preview is no reason to give up on the photo.
        const QImage preview = DecodeHandle(thumbnail.get(), memory);
        if (!preview.isNull())
            return preview;
        *memory = false;
    }
    return DecodeHandle(handle.get(), memory);
}

QImage DecodeHeifWithExif(const QString &path, QByteArray *exif, bool *memory)
{
    *memory = false;
    exif->clear();
    Context context;
    const Handle handle = PrimaryImage(path, QByteArray(), context);
    if (!handle)
        return QImage();
    *exif = ExifBlock(handle.get());
    QImage picture = DecodeHandle(handle.get(), memory);
    if (!picture.isNull())
        picture.setColorSpace(ColourSpaceOf(handle.get()));
    return picture;
}
