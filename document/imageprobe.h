#pragma once
// The document's door to the imaging code: what an added file is, and the
// building of one thumbnail. Kept to two calls so the workers do not depend
// on how images are decoded.

#include "document/galleryoptions.h"
#include "document/imageentry.h"

#include <QString>
#include <array>

struct ImageInfo {
    QString SizeText; // "WxH", or "Not an Image"
    std::array<QString, CAMERA_TEXT_COUNT> Camera;
    bool IsImage() const;
};

// Size and (when asked) camera texts of the file at `path`; reads headers only.
ImageInfo ReadImageInfo(const QString &path, bool withCamera = true);

// The same for a regular file whose first Picture::HeadBytes() (or all,
// when shorter) the caller has already read.
ImageInfo ReadImageInfo(const QString &path, const QByteArray &head);

// The same from a file's whole contents (for small files: one read instead
// of the several opens that reading headers in place costs).
ImageInfo ReadImageInfo(const QByteArray &contents, bool withCamera);

// "WxH" of the image at `path`, or "Not an Image".
QString DimensionText(const QString &path);

// Result of building one thumbnail: 0 success, the thumbnail builder's own
// codes on failure (2 out of memory, 3 format not writable), kThumbnailNotLoaded
// when the source does not load.
constexpr int kThumbnailNotLoaded = -1;

// Builds the thumbnail of `imagePath` where ThumbnailPath puts it, creating
// its folder; `options` is the job's own copy. With `modernCopies` the modern
// design's copies are made too, from the same decode where the thumbnail is a
// JPEG; a copy that fails is left for the page build to make and report.
int MakeThumbnail(const QString &imagePath, const BuildVignetteOptions &options, bool modernCopies = false);
