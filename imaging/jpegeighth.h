#pragma once
// Baseline JPEGs decoded at an eighth of their size from the DC coefficients
// alone. At that scale libjpeg still decodes every AC coefficient through its
// general Huffman decoder only to step over it; most thumbnails are made at
// that scale and the step-over is nearly all of their cost, so this decoder
// does nothing else, with tables that consume a whole coefficient per look.
//
// It takes on only the common case (8-bit baseline or extended Huffman, one
// interleaved scan, greyscale or YCbCr) and refuses anything unusual or
// damaged, leaving it to libjpeg: a null image means "not for this decoder",
// never "not a picture". Pixels are libjpeg's own at an eighth, to the bit,
// except where chroma is halved both ways (4:2:0): libjpeg then gives each
// chroma block four values and this decoder one, so such files are taken on
// only when their chroma grid still covers `wanted`, the size the picture
// will be shrunk to.
// Safe to call from any thread; nothing is shared between calls.

#include <QByteArray>
#include <QImage>
#include <QSize>

// Format_RGB32, ceil(width / 8) x ceil(height / 8), stored orientation.
// *memory is set (and a null image returned) when the picture would exceed
// `limitBytes`.
QImage DecodeJpegEighth(const QByteArray &bytes, QSize wanted, qint64 limitBytes, bool *memory);
