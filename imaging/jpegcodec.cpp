#include "imaging/jpegcodec.h"

#include "imaging/jpegeighth.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>
#include <jerror.h>

namespace {

// libjpeg reports fatal errors through error_exit, which must not return:
// it jumps back to the setjmp of the step that called into the library.
// Warnings (a truncated file, a corrupt stretch) are ignored, as Qt does,
// so that what decodes still gives a picture.
struct ErrorJump {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

[[noreturn]] void JumpOnError(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<ErrorJump *>(info->err)->jump, 1);
}

void IgnoreMessage(j_common_ptr, int) {}

void InstallErrorJump(ErrorJump &error)
{
    jpeg_std_error(&error.manager);
    error.manager.error_exit = JumpOnError;
    error.manager.emit_message = IgnoreMessage;
}

// Bytes of a 32-bit pixel in QImage::Format_RGB32 order (0xFFRRGGBB in a
// native 32-bit word); libjpeg fills the fourth byte with 0xFF.
constexpr J_COLOR_SPACE kRgb32Space
    = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? JCS_EXT_BGRA : JCS_EXT_ARGB;

struct Decompressor {
    jpeg_decompress_struct info {};
    ErrorJump error {};
    bool created = false;
    ~Decompressor()
    {
        if (created)
            jpeg_destroy_decompress(&info);
    }
};

bool LooksLikeJpeg(const QByteArray &bytes)
{
    return bytes.size() > 3 && bytes.startsWith("\xFF\xD8\xFF");
}

// Each step holds its own setjmp so that a jump never crosses a C++ frame
// with objects to destroy; the steps keep only plain values on their stack.
bool ReadHeaderOnly(Decompressor &d, const QByteArray &bytes, bool keepApp1 = false)
{
    InstallErrorJump(d.error);
    d.info.err = &d.error.manager;
    if (setjmp(d.error.jump))
        return false;
    jpeg_create_decompress(&d.info);
    d.created = true;
    jpeg_mem_src(&d.info, reinterpret_cast<const unsigned char *>(bytes.constData()),
        static_cast<unsigned long>(bytes.size()));
    if (keepApp1)
        jpeg_save_markers(&d.info, JPEG_APP0 + 1, 0xFFFF);
    return jpeg_read_header(&d.info, TRUE) == JPEG_HEADER_OK;
}

bool ReadHeader(Decompressor &d, const QByteArray &bytes, QSize wanted)
{
    if (!ReadHeaderOnly(d, bytes))
        return false;
    if (setjmp(d.error.jump))
        return false;
    if (d.info.jpeg_color_space != JCS_YCbCr && d.info.jpeg_color_space != JCS_GRAYSCALE
        && d.info.jpeg_color_space != JCS_RGB)
        return false;
    d.info.out_color_space = kRgb32Space;
    d.info.scale_num = static_cast<unsigned>(JpegScaleEighths(
        QSize(static_cast<int>(d.info.image_width), static_cast<int>(d.info.image_height)), wanted));
    d.info.scale_denom = 8;
    jpeg_calc_output_dimensions(&d.info);
    return true;
}

void ReadRows(Decompressor &d, QImage &image)
{
    while (d.info.output_scanline < d.info.output_height) {
        JSAMPROW row = image.scanLine(static_cast<int>(d.info.output_scanline));
        if (jpeg_read_scanlines(&d.info, &row, 1) != 1)
            break;
    }
}

// libjpeg's usual script sends DC values less their lowest bit first and
// that bit near the end; without it a pixel is off by an eighth of a DC
// step (a grey level or two), so the first DC scan of each component does.
bool DcKnown(const jpeg_decompress_struct &info)
{
    for (int c = 0; c < info.num_components; ++c) {
        if (info.coef_bits[c][0] < 0 || info.coef_bits[c][0] > 1)
            return false;
    }
    return true;
}

bool ReadPixels(Decompressor &d, QImage &image)
{
    if (setjmp(d.error.jump))
        return false;
    // At an eighth each block is its DC value alone, and a progressive file
    // sends the DC values in its first scan: the rest of the file (most of
    // its bytes) need not be decoded at all.
    const bool dcOnly = d.info.progressive_mode && d.info.scale_num == 1 && d.info.scale_denom == 8;
    if (!dcOnly) {
        jpeg_start_decompress(&d.info);
        ReadRows(d, image);
        jpeg_finish_decompress(&d.info);
        return true;
    }
    d.info.buffered_image = TRUE;
    d.info.do_block_smoothing = FALSE; // would guess AC values from the DC ones
    jpeg_start_decompress(&d.info);
    for (;;) {
        const int status = jpeg_consume_input(&d.info);
        if (status == JPEG_REACHED_EOI || status == JPEG_SUSPENDED)
            break;
        if (status == JPEG_SCAN_COMPLETED && DcKnown(d.info))
            break;
    }
    jpeg_start_output(&d.info, d.info.input_scan_number);
    ReadRows(d, image);
    jpeg_finish_output(&d.info);
    return true; // the decompressor is dropped without reading the rest
}

struct Compressor {
    jpeg_compress_struct info {};
    ErrorJump error {};
    unsigned char *buffer = nullptr;
    unsigned long size = 0;
    bool created = false;
    ~Compressor()
    {
        if (created)
            jpeg_destroy_compress(&info);
        std::free(buffer); // allocated by libjpeg's memory destination
    }
};

bool Compress(Compressor &c, const QImage &image, int quality, const QByteArray &app1)
{
    InstallErrorJump(c.error);
    c.info.err = &c.error.manager;
    if (setjmp(c.error.jump))
        return false;
    jpeg_create_compress(&c.info);
    c.created = true;
    jpeg_mem_dest(&c.info, &c.buffer, &c.size);
    c.info.image_width = static_cast<JDIMENSION>(image.width());
    c.info.image_height = static_cast<JDIMENSION>(image.height());
    c.info.input_components = 4;
    c.info.in_color_space = kRgb32Space;
    jpeg_set_defaults(&c.info); // YCbCr 4:2:0, Huffman tables as standard
    jpeg_set_quality(&c.info, quality, TRUE);
    jpeg_start_compress(&c.info, TRUE);
    if (!app1.isEmpty())
        jpeg_write_marker(&c.info, JPEG_APP0 + 1, reinterpret_cast<const JOCTET *>(app1.constData()),
            static_cast<unsigned>(app1.size()));
    while (c.info.next_scanline < c.info.image_height) {
        auto row = const_cast<JSAMPROW>(image.constScanLine(static_cast<int>(c.info.next_scanline)));
        jpeg_write_scanlines(&c.info, &row, 1);
    }
    jpeg_finish_compress(&c.info);
    return true;
}

} // namespace

int JpegScaleEighths(QSize stored, QSize wanted)
{
    for (int m = 1; m < 8; ++m) {
        const qint64 w = (qint64(stored.width()) * m + 7) / 8;
        const qint64 h = (qint64(stored.height()) * m + 7) / 8;
        if (w >= wanted.width() && h >= wanted.height())
            return m;
    }
    return 8;
}

QSize JpegStoredSize(const QByteArray &bytes)
{
    bool mayTurn = true;
    return JpegStoredSize(bytes, &mayTurn);
}

QSize JpegStoredSize(const QByteArray &bytes, bool *mayTurn)
{
    *mayTurn = true;
    if (!LooksLikeJpeg(bytes))
        return QSize();
    Decompressor d;
    if (!ReadHeaderOnly(d, bytes, true) || d.info.image_width == 0 || d.info.image_height == 0)
        return QSize();
    // Tag 0x0112 as stored little-endian ("\x12\x01") or big-endian; finding
    // neither byte pair anywhere in the Exif segments rules it out.
    *mayTurn = false;
    for (jpeg_saved_marker_ptr m = d.info.marker_list; m && !*mayTurn; m = m->next) {
        const QByteArrayView data(reinterpret_cast<const char *>(m->data), qsizetype(m->data_length));
        *mayTurn = m->marker == JPEG_APP0 + 1
            && (data.contains(QByteArrayView("\x12\x01", 2)) || data.contains(QByteArrayView("\x01\x12", 2)));
    }
    return QSize(static_cast<int>(d.info.image_width), static_cast<int>(d.info.image_height));
}

QImage DecodeJpegForSize(const QByteArray &bytes, QSize wanted, qint64 limitBytes, bool *memory)
{
    *memory = false;
    if (!LooksLikeJpeg(bytes))
        return QImage();
    Decompressor d;
    if (!ReadHeader(d, bytes, wanted) || d.info.output_width == 0 || d.info.output_height == 0)
        return QImage();
    if (qint64(d.info.output_width) * d.info.output_height * 4 > limitBytes) {
        *memory = true;
        return QImage();
    }
    if (d.info.scale_num == 1 && !d.info.progressive_mode && !d.info.arith_code) {
        QImage eighth = DecodeJpegEighth(bytes, wanted, limitBytes, memory);
        if (!eighth.isNull() || *memory)
            return eighth;
    }
    QImage image(static_cast<int>(d.info.output_width), static_cast<int>(d.info.output_height),
        QImage::Format_RGB32);
    if (image.isNull()) {
        *memory = true;
        return QImage();
    }
    // A progressive file keeps every coefficient of the picture while it is
    // read; held to the same limit, libjpeg stops instead of growing.
    d.info.mem->max_memory_to_use = static_cast<long>(limitBytes);
    if (!ReadPixels(d, image)) {
        const int code = d.error.manager.msg_code;
        *memory = code == JERR_NO_BACKING_STORE || code == JERR_OUT_OF_MEMORY;
        return QImage();
    }
    return image;
}

bool EncodeJpeg(const QImage &image, int quality, const QByteArray &app1, QByteArray *out)
{
    if (image.isNull() || app1.size() > 65533)
        return false;
    const QImage rgb32 = image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32
        ? image
        : image.convertToFormat(QImage::Format_RGB32);
    Compressor c;
    if (!Compress(c, rgb32, quality, app1))
        return false;
    *out = QByteArray(reinterpret_cast<const char *>(c.buffer), static_cast<qsizetype>(c.size));
    return true;
}
