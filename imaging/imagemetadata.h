#pragma once
// What the imaging object needs from an image's metadata (through exiv2):
// the orientation and the nine camera texts. Reading never throws; damaged or
// absent metadata gives orientation 1 and empty texts.

#include "imaging/exiffield.h"

#include <QByteArray>
#include <QString>
#include <array>

struct ImageMetadata {
    int orientation = 1;
    std::array<QString, kExifFieldCount> texts;
};

ImageMetadata ReadImageMetadata(const QString &path);
ImageMetadata ReadImageMetadata(const QByteArray &bytes);
// From a bare EXIF block (the TIFF header and what follows), as HEIF keeps it.
ImageMetadata ReadExifMetadata(const QByteArray &tiff);

// The APP1 payload ("Exif\0\0" and a TIFF block) holding only the Software
// tag, for an encoder to write as it goes. Empty on failure.
QByteArray SoftwareExifSegment(const QString &software);

// Gives an encoded JPEG the camera's EXIF from a bare block (as HEIF keeps
// it), without its orientation tags: the JPEG's pixels are already upright.
// False (and the bytes untouched) when the block does not parse or exiv2 fails.
bool SetUprightExif(QByteArray &jpeg, const QByteArray &tiff);
