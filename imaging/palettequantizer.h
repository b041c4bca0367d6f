#pragma once
// Conversion of a 32-bit picture to 8-bit indexed colour through a given
// palette, for the formats that keep their source's palette (GIF, 8-bit BMP).

#include <QImage>
#include <QList>

// Nearest entry by squared distance over the four channels; ties go to the
// lower index. Answers a null image when the palette is empty or larger than
// 256 entries, or when the indexed picture cannot be allocated.
QImage QuantizeToPalette(const QImage &picture, const QList<QRgb> &palette);

// The 216 colours of the 6x6x6 cube, for writing a GIF whose source gave no
// palette of its own.
QList<QRgb> HalftonePalette();
