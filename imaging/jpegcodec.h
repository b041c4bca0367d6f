#pragma once
// Thumbnail-sized JPEG decoding and small JPEG encoding straight through
// libjpeg-turbo: the DCT does the first shrink at any M/8 (Qt's reader only
// offers 1/2, 1/4, 1/8), pixels land directly in a 32-bit QImage, and the
// encode writes the EXIF block as it goes instead of rewriting the file.
// Safe to call from any thread; nothing is shared between calls.

#include <QByteArray>
#include <QImage>
#include <QSize>

// The smallest M in 1..8 for which the stored picture decoded at M/8 still
// covers `wanted` on both sides (libjpeg rounds the scaled sides up); 8 when
// none does. Pure, so that the choice can be checked with tables.
int JpegScaleEighths(QSize stored, QSize wanted);

// The stored size from the JPEG's header alone; an invalid size when the
// bytes are not a JPEG that libjpeg can start to read.
QSize JpegStoredSize(const QByteArray &bytes);
// The same, and whether an Exif block may turn the picture: false only when
// no APP1 segment holds the orientation tag's number in either byte order,
// so that a caller who wants only the upright size can skip the metadata.
QSize JpegStoredSize(const QByteArray &bytes, bool *mayTurn);

// Decodes the JPEG at the scale above, as Format_RGB32 in stored orientation.
// A null image when libjpeg cannot decode it or the colour space is one this
// path leaves to Qt (CMYK, YCCK); *memory is set when the decoded picture,
// or the coefficients a progressive file needs, would exceed `limitBytes`.
QImage DecodeJpegForSize(const QByteArray &bytes, QSize wanted, qint64 limitBytes, bool *memory);

// Baseline JPEG, 4:2:0, standard tables scaled to `quality`, with `app1` (a
// complete APP1 payload such as "Exif\0\0" + TIFF) written after the JFIF
// header when not empty. False on failure.
bool EncodeJpeg(const QImage &image, int quality, const QByteArray &app1, QByteArray *out);
