#pragma once
// HEIC, HEIF and AVIF through libheif, which Qt cannot read. The pictures come
// out upright: libheif applies the file's rotation and mirroring, and an EXIF
// orientation in such a file is ignored, as the format asks.

#include "imaging/imagemetadata.h"

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

// "heif" or "avif" when the bytes start like such a file, else empty.
QByteArray HeifFormatOf(const QByteArray &head);

struct HeifInfo {
    QSize size; // upright
    ImageMetadata meta; // orientation always 1
};

// Reads the boxes only, no pixels. False when there is no primary image with
// both sides greater than 0. A file is given by path, or the bytes by value.
bool ProbeHeif(const QString &path, const QByteArray &bytes, HeifInfo *info);

// Decodes the primary image upright, or its stored preview when that is at
// least the wanted size; *memory is set when it would take more than the
// decoders' limit. Null on failure.
QImage DecodeHeif(const QString &path, const QByteArray &bytes, QSize wanted, bool *memory);

// The primary image at full size, upright, in its colour space when the file
// names one, with its bare EXIF block (empty when the file has none) for
// copies that keep the camera's data.
QImage DecodeHeifWithExif(const QString &path, QByteArray *exif, bool *memory);
