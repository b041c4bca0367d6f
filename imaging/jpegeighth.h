#pragma once
// Baseline JPEGs decoded at an eighth of their size from the DC coefficients
// alone. At that scale libjpeg still decodes every AC coefficient through its
// general Huffman decoder only to step over it; most thumbnails are made at
// that scale and the step-over is nearly all of their cost, so this decoder
// steps over them with tables that consume several coefficients per look.
//
// It takes on only the common case (8-bit baseline or extended Huffman, one
// interleaved scan, greyscale or YCbCr, chroma halved at most once each way)
// and refuses anything unusual or damaged, leaving it to libjpeg: a null
// image means "not for this decoder", never "not a picture". Its pixels are
// libjpeg's own at an eighth, to the bit: the DC value through libjpeg's 1 x 1
// inverse DCT, and for 4:2:0 chroma libjpeg's 2 x 2 one; except that where
// the 4:2:0 chroma grid is at least as large as `wanted` (the size the picture
// is about to be shrunk to), chroma is each block's DC value, repeated.
// Safe to call from any thread; nothing is shared between calls.

#include <QByteArray>
#include <QImage>
#include <QSize>

// Format_RGB32, ceil(width / 8) x ceil(height / 8), stored orientation.
// *memory is set (and a null image returned) when the picture would exceed
// `limitBytes`.
QImage DecodeJpegEighth(const QByteArray &bytes, QSize wanted, qint64 limitBytes, bool *memory);
