#include "imaging/palettequantizer.h"

namespace {

int Distance(QRgb a, QRgb b)
{
    const int db = qBlue(a) - qBlue(b);
    const int dg = qGreen(a) - qGreen(b);
    const int dr = qRed(a) - qRed(b);
    const int da = qAlpha(a) - qAlpha(b);
    return db * db + dg * dg + dr * dr + da * da;
}

uchar NearestIndex(QRgb colour, const QList<QRgb> &palette)
{
    int best = 0x40000; // above 4 x 255^2, so entry 0 always qualifies
    uchar bestIndex = 0;
    for (qsizetype i = 0; i < palette.size(); ++i) {
        const int d = Distance(colour, palette[i]);
        if (d < best) {
            best = d;
            bestIndex = static_cast<uchar>(i);
            if (d == 0)
                break;
        }
    }
    return bestIndex;
}

} // namespace

QImage QuantizeToPalette(const QImage &picture, const QList<QRgb> &palette)
{
    if (palette.isEmpty() || palette.size() > 256 || picture.isNull())
        return QImage();
    const QImage source = picture.convertToFormat(QImage::Format_ARGB32);
    QImage indexed(source.size(), QImage::Format_Indexed8);
    if (source.isNull() || indexed.isNull())
        return QImage();
    indexed.setColorTable(palette);
    for (int y = 0; y < source.height(); ++y) {
        const auto *in = reinterpret_cast<const QRgb *>(source.constScanLine(y));
        uchar *out = indexed.scanLine(y);
        // Pictures come in runs of one colour: reuse the previous answer.
        QRgb last = 0;
        uchar lastIndex = 0;
        bool haveLast = false;
        for (int x = 0; x < source.width(); ++x) {
            if (!haveLast || in[x] != last) {
                last = in[x];
                lastIndex = NearestIndex(last, palette);
                haveLast = true;
            }
            out[x] = lastIndex;
        }
    }
    return indexed;
}

QList<QRgb> HalftonePalette()
{
    QList<QRgb> palette;
    palette.reserve(216);
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b)
                palette.append(qRgb(r * 51, g * 51, b * 51));
    return palette;
}
