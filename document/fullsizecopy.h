#pragma once
// Browsers show neither HEIC nor HEIF, so pages, popups, slideshows and zips
// take a full-size JPEG copy of such a photo instead, kept beside its
// thumbnail and named by the same affix rule. Like thumbnails, a copy is
// made when missing and reused when present. Reentrant; any thread.

#include "document/galleryoptions.h"

#include <QString>
#include <cstdint>

// True for the photos that get a copy: ".heic" and ".heif", in any case.
bool NeedsFullSizeCopy(const QString &imagePath);

// Path of the copy, or "" when the photo needs none. It is the thumbnail's
// name with ".full" before its ".jpg" ("mini\small_IMG_1.HEIC.full.jpg"
// beside "mini\small_IMG_1.HEIC.jpg"), so it is never the thumbnail, the
// photo or another photo's copy, even with an empty affix, and the
// thumbnail-name check recognises it when a folder is added again.
QString FullSizeCopyPath(const QString &imagePath, const QString &preSuffixe, int withPrefixe);

// Writes (or rewrites) the copy at the JPEG quality of `options`, creating
// its folder. 0 when written or not needed; else the warning flag to
// report: THUMB_ERROR_MEMORY or THUMB_ERROR_OTHER.
std::uint32_t MakeFullSizeCopy(const QString &imagePath, const BuildVignetteOptions &options);

// Makes the copy as MakeFullSizeCopy does and answers its path when the
// photo's thumbnail may be made from it (decoding a fraction of a JPEG
// rather than the whole photo again): not when the photo has see-through
// parts, which a thumbnail puts on its own background colour. "" otherwise.
QString MakeFullSizeCopyForThumbnail(const QString &imagePath, const BuildVignetteOptions &options);

// The file pages link and zips hold for the photo's full size: the photo
// itself when it needs no copy; the copy when it exists or has just been
// made; the photo again when the copy cannot be made, with *failure set to
// the warning flag (0 otherwise). A page never links a copy that is not there.
QString FullSizeImage(const QString &imagePath, const BuildVignetteOptions &options, std::uint32_t *failure);
