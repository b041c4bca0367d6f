#pragma once
// Which reader formats count as images here and which of them we can write.

#include <QByteArray>
#include <QImage>
#include <QtGlobal>

// JPEG, PNG, GIF, BMP, TIFF, WebP, the icon formats, HEIF and AVIF. Other formats Qt can
// read (text-based ones especially) could take a plain text file for an image.
bool IsImageFormat(const QByteArray &format);
// False when a file starting with `head` cannot be any of the formats above:
// its first bytes match none of their signatures. Spares asking every image
// plug-in about the pages, scripts and copies a gallery folder is full of.
bool MayBeImageFile(const QByteArray &head);
// JPEG, PNG, GIF, BMP, TIFF and WebP; icons are read only.
bool IsWritableFormat(const QByteArray &format);
// The format a thumbnail of this source is written in: its own, or JPEG
// for the formats browsers do not show.
QByteArray ThumbnailFormat(const QByteArray &sourceFormat);
bool IsIndexedFormat(QImage::Format format);
// Bytes the decoders may allocate for one picture (Qt's reader limit).
qint64 DecodeLimitBytes();
