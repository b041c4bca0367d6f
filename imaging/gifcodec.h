#pragma once
// The GIF parts Qt lacks, through giflib: the palette of a GIF (without
// decoding its pixels) and writing an indexed picture as a GIF.

#include <QImage>
#include <QList>

class QIODevice;

// The first frame's local colour table, else the global one; the transparent
// entry (from the first graphic control block) gets alpha 0. Empty when the
// file has no colour table or is not a readable GIF.
QList<QRgb> ReadGifPalette(QIODevice &device);

// Writes an 8-bit indexed picture as a one-frame GIF. The first palette entry
// with alpha 0 becomes the transparent colour. False on any failure.
bool WriteGif(const QImage &indexed, QIODevice &device);
