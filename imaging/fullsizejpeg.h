#pragma once
// Full-size JPEG copies of photos that browsers do not show (HEIC, HEIF),
// for pages to link instead of the original. Any thread may call this; it
// shares nothing.

#include <QString>

enum class FullSizeCopyResult {
    Written,
    NotLoaded,   // not a photo libheif can decode
    OutOfMemory, // beyond the decoders' limit, or an allocation failed
    Failed,      // encoding or writing failed, or the target is the source
};

// Decodes the photo upright at full size and writes it as a JPEG of the given
// quality (0..100) at `target`, with the camera's EXIF minus its orientation.
// The file appears whole or not at all: a failure leaves an older file as it
// was. Creates no folder. *seeThrough, when given, tells whether the photo
// had an alpha channel (the copy shows it on white).
FullSizeCopyResult WriteFullSizeJpeg(
    const QString &source, const QString &target, int quality, bool *seeThrough = nullptr);
