#include "imaging/jpegeighth.h"

#include "imaging/jpegcodec.h"
#include "imagingtestsupport.h"

#include <QPainter>
#include <QRandomGenerator>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <jpeglib.h>

using namespace testsupport;

namespace {

// A target as large as any test picture's eighth: libjpeg's own chroma.
constexpr QSize kWhole(100000, 100000);

struct Encoding {
    const char *name;
    bool grey = false;
    int lumaH = 1, lumaV = 1; // chroma stays 1 x 1
    int restartRows = 0, restartBlocks = 0;
    bool progressive = false, arithmetic = false, rgb = false, separateScans = false;
};

struct Jump {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

[[noreturn]] void JumpOut(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<Jump *>(info->err)->jump, 1);
}

void Quiet(j_common_ptr, int) { }

// Made with libjpeg itself, so that every choice a camera or editor may make
// (sampling, restart markers, scan layout) can be asked for.
QByteArray EncodeWith(const QImage &picture, const Encoding &e)
{
    const QImage image = picture.convertToFormat(QImage::Format_RGB888);
    jpeg_compress_struct info {};
    Jump error {};
    info.err = jpeg_std_error(&error.manager);
    error.manager.error_exit = JumpOut;
    unsigned char *buffer = nullptr;
    unsigned long size = 0;
    if (setjmp(error.jump)) {
        jpeg_destroy_compress(&info);
        std::free(buffer);
        ADD_FAILURE() << "libjpeg refused " << e.name;
        return {};
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = JDIMENSION(image.width());
    info.image_height = JDIMENSION(image.height());
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 90, TRUE);
    if (e.grey)
        jpeg_set_colorspace(&info, JCS_GRAYSCALE);
    if (e.rgb)
        jpeg_set_colorspace(&info, JCS_RGB);
    info.comp_info[0].h_samp_factor = e.lumaH;
    info.comp_info[0].v_samp_factor = e.lumaV;
    info.restart_in_rows = e.restartRows;
    info.restart_interval = JDIMENSION(e.restartBlocks);
    info.arith_code = e.arithmetic;
    if (e.progressive)
        jpeg_simple_progression(&info);
    jpeg_scan_info scans[3];
    if (e.separateScans) {
        for (int c = 0; c < 3; ++c)
            scans[c] = {1, {c, 0, 0, 0}, 0, 63, 0, 0};
        info.scan_info = scans;
        info.num_scans = 3;
    }
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        auto row = const_cast<JSAMPROW>(image.constScanLine(int(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    QByteArray out(reinterpret_cast<const char *>(buffer), qsizetype(size));
    std::free(buffer);
    return out;
}

// libjpeg's own decode at an eighth, warnings ignored as the program does;
// a null image when libjpeg gives up.
QImage LibjpegEighth(const QByteArray &bytes)
{
    jpeg_decompress_struct info {};
    Jump error {};
    info.err = jpeg_std_error(&error.manager);
    error.manager.error_exit = JumpOut;
    error.manager.emit_message = Quiet;
    QImage image;
    if (setjmp(error.jump)) {
        jpeg_destroy_decompress(&info);
        return QImage();
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(
        &info, reinterpret_cast<const unsigned char *>(bytes.constData()), (unsigned long)bytes.size());
    jpeg_read_header(&info, TRUE);
    info.out_color_space = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? JCS_EXT_BGRA : JCS_EXT_ARGB;
    info.scale_num = 1;
    info.scale_denom = 8;
    jpeg_start_decompress(&info);
    image = QImage(int(info.output_width), int(info.output_height), QImage::Format_RGB32);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = image.scanLine(int(info.output_scanline));
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return image;
}

// Detail in every block (edges, noise, colour), so that the AC data is long
// and varied and a coefficient stepped over wrongly shifts everything after.
QImage Busy(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient sky(0, 0, width, height);
    sky.setColorAt(0, QColor(0x20, 0x60, 0xe0));
    sky.setColorAt(1, QColor(0xf0, 0xa0, 0x30));
    painter.fillRect(image.rect(), sky);
    painter.setPen(QPen(QColor(0xff, 0xff, 0xff), 3));
    for (int x = 0; x < width; x += 23)
        painter.drawLine(x, 0, width - x, height);
    painter.end();
    QRandomGenerator random(11);
    for (int y = 0; y < height; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const int n = int(random.bounded(61)) - 30;
            const QRgb p = line[x];
            line[x] = qRgb(std::clamp(qRed(p) + n, 0, 255), std::clamp(qGreen(p) - n, 0, 255),
                std::clamp(qBlue(p) + n / 2, 0, 255));
        }
    }
    return image;
}

::testing::AssertionResult Same(const QImage &a, const QImage &b)
{
    if (a.size() != b.size())
        return ::testing::AssertionFailure()
            << "sizes " << a.width() << "x" << a.height() << " and " << b.width() << "x" << b.height();
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                return ::testing::AssertionFailure() << "pixel " << x << "," << y << ": " << std::hex
                                                     << a.pixel(x, y) << " and " << b.pixel(x, y);
    return ::testing::AssertionSuccess();
}

double MeanDifference(const QImage &a, const QImage &b)
{
    double total = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            total += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q))
                + std::abs(qBlue(p) - qBlue(q));
        }
    return total / (3.0 * a.width() * a.height());
}

} // namespace

// Every pixel is libjpeg's own arithmetic (1 x 1 inverse DCT, 2 x 2 for
// 4:2:0 chroma, chroma repeated as libjpeg repeats it): the pictures must be
// identical, whatever the size, the sampling, the restart markers or the
// blocks per MCU.
TEST(JpegEighth, matchesLibjpegExactly)
{
    const Encoding encodings[] = {
        {"grey", true},
        {"grey, a restart every row", true, 1, 1, 1},
        {"grey declared 2x2", true, 2, 2},
        {"4:4:4", false},
        {"4:4:4, a restart every 5 MCUs", false, 1, 1, 0, 5},
        {"4:2:0", false, 2, 2},
        {"4:2:0, a restart every 2 rows", false, 2, 2, 2},
        {"4:2:2", false, 2, 1},
        {"4:4:0", false, 1, 2},
        {"4:1:1, a restart every 3 MCUs", false, 4, 1, 0, 3},
        {"4:1:0", false, 4, 2},
    };
    for (const QSize size : {QSize(1, 1), QSize(13, 9), QSize(333, 201), QSize(700, 523)}) {
        for (const Encoding &e : encodings) {
            const QByteArray jpeg = EncodeWith(Busy(size.width(), size.height()), e);
            bool memory = true;
            const QImage ours = DecodeJpegEighth(jpeg, kWhole, qint64(1) << 30, &memory);
            EXPECT_FALSE(memory);
            ASSERT_FALSE(ours.isNull()) << e.name << " " << size.width();
            EXPECT_TRUE(Same(ours, LibjpegEighth(jpeg))) << e.name << " " << size.width();
        }
    }
    // Coded data several times the decoder's reading window, one segment or many.
    for (const Encoding &e :
        {Encoding {"large 4:2:0", false, 2, 2}, Encoding {"large 4:4:4, restarts", false, 1, 1, 0, 7}}) {
        const QByteArray jpeg = EncodeWith(Busy(1400, 1000), e);
        ASSERT_GT(jpeg.size(), 4 * 65536) << e.name;
        bool memory = false;
        EXPECT_TRUE(Same(DecodeJpegEighth(jpeg, kWhole, qint64(1) << 30, &memory), LibjpegEighth(jpeg)))
            << e.name;
    }
}

// Shrunk to no more than its chroma grid (here 44 x 33), a 4:2:0 picture
// keeps one chroma value per block: the same picture within a level or two
// on average. A larger target gets libjpeg's chroma again.
TEST(JpegEighth, repeatsChromaOnlyWhereTheTargetIsNoLargerThanItsGrid)
{
    const QByteArray jpeg = EncodeWith(Busy(700, 523), {"4:2:0", false, 2, 2});
    const QImage reference = LibjpegEighth(jpeg);
    bool memory = false;
    const QImage repeated = DecodeJpegEighth(jpeg, QSize(44, 33), qint64(1) << 30, &memory);
    ASSERT_EQ(repeated.size(), reference.size());
    EXPECT_FALSE(Same(repeated, reference));
    EXPECT_LT(MeanDifference(repeated, reference), 3.0);
    EXPECT_TRUE(Same(DecodeJpegEighth(jpeg, QSize(45, 33), qint64(1) << 30, &memory), reference));
    EXPECT_TRUE(Same(DecodeJpegEighth(jpeg, QSize(44, 34), qint64(1) << 30, &memory), reference));
}

// What this decoder does not take on is left to libjpeg, and the program's
// decode still gives libjpeg's picture for it.
TEST(JpegEighth, leavesOtherFilesToLibjpeg)
{
    const QImage picture = Busy(320, 240);
    const Encoding refused[] = {
        {"progressive", false, 2, 2, 0, 0, true},
        {"arithmetic", false, 2, 2, 0, 0, false, true},
        {"RGB", false, 1, 1, 0, 0, false, false, true},
        {"one scan per component", false, 1, 1, 0, 0, false, false, false, true},
    };
    for (const Encoding &e : refused) {
        const QByteArray jpeg = EncodeWith(picture, e);
        bool memory = true;
        EXPECT_TRUE(DecodeJpegEighth(jpeg, kWhole, qint64(1) << 30, &memory).isNull()) << e.name;
        EXPECT_FALSE(memory);
        // A progressive file is read only up to its DC scan, hence "close".
        const QImage decoded = DecodeJpegForSize(jpeg, QSize(40, 30), qint64(1) << 30, &memory);
        ASSERT_EQ(decoded.size(), QSize(40, 30)) << e.name;
        EXPECT_LT(MeanDifference(decoded, LibjpegEighth(jpeg)), e.progressive ? 3.0 : 1e-9) << e.name;
    }
    const QByteArray whole = EncodeWith(picture, {"4:4:4", false});
    bool memory = false;
    EXPECT_TRUE(DecodeJpegEighth(whole.left(whole.size() / 2), kWhole, qint64(1) << 30, &memory).isNull());
    EXPECT_TRUE(DecodeJpegEighth(Encode(picture, "png"), kWhole, qint64(1) << 30, &memory).isNull());
    EXPECT_TRUE(DecodeJpegEighth(whole, kWhole, 40 * 30 * 4 - 1, &memory).isNull());
    EXPECT_TRUE(memory);
}

// Damaged files: whatever this decoder accepts must be exactly what libjpeg
// makes of the same bytes; everything else it must refuse without reading
// outside the file. Bytes are changed, cut and repeated at random.
TEST(JpegEighth, damagedFilesGiveLibjpegsPictureOrAreRefused)
{
    const QByteArray originals[] = {
        EncodeWith(Busy(96, 80), {"grey, restarts", true, 1, 1, 1}),
        EncodeWith(Busy(120, 72), {"4:4:4", false}),
        EncodeWith(Busy(120, 72), {"4:4:4, restarts", false, 1, 1, 0, 4}),
        EncodeWith(Busy(136, 88), {"4:2:0, restarts", false, 2, 2, 0, 3}),
    };
    QRandomGenerator random(2026);
    int accepted = 0;
    for (int round = 0; round < 6000; ++round) {
        QByteArray bytes = originals[round % 4];
        const int edits = 1 + int(random.bounded(4));
        for (int i = 0; i < edits; ++i) {
            const int at = int(random.bounded(bytes.size()));
            switch (random.bounded(4)) {
            case 0:
                bytes[at] = char(random.bounded(256));
                break;
            case 1:
                bytes[at] = char(bytes[at] ^ (1 << random.bounded(8)));
                break;
            case 2:
                bytes.truncate(std::max(at, 4));
                break;
            default:
                bytes.insert(at, bytes.mid(at, int(random.bounded(16))));
            }
        }
        bool memory = false;
        const QImage ours = DecodeJpegEighth(bytes, kWhole, qint64(64) << 20, &memory);
        if (ours.isNull())
            continue;
        ++accepted;
        ASSERT_TRUE(Same(ours, LibjpegEighth(bytes))) << "round " << round;
    }
    EXPECT_GT(accepted, 100); // some edits leave a decodable file
}
