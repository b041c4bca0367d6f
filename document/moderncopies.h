#pragma once
// The extra pictures the modern page design shows for each photo: grid
// thumbnails for ordinary and high-density screens, and two screen-size
// copies. They sit beside the photo's thumbnail, named after it, so that
// adding a folder again takes them for thumbnails. All come from one decode
// of the photo (of its JPEG copy for HEIC and HEIF). Reentrant; any thread.

#include "imaging/thumbnailoptions.h"

#include <QSize>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>

enum ModernCopy { MODERN_GRID_1X, MODERN_GRID_2X, MODERN_SCREEN_1024, MODERN_SCREEN_2048, MODERN_COPY_COUNT };

// Heights of the grid thumbnails; the page's rows are sized so that neither is
// ever shown larger than it can be drawn sharply.
inline constexpr int kModernGridHeight = 240;

// Upright sizes of the four copies of a photo of upright size `photo`: the grid
// ones by height, the screen ones by long side, none larger than the photo.
// A screen copy that would equal the 1024 one is invalid (not made).
std::array<QSize, MODERN_COPY_COUNT> ModernCopySizes(QSize photo);

// Path of one copy; "" when the photo has no thumbnail name. Photos with
// see-through parts get PNG copies (`seeThrough`), the others JPEG.
QString ModernCopyPath(const QString &imagePath, const BuildVignetteOptions &options, ModernCopy copy,
                       bool seeThrough = false);

// Recognises a copy's name: the thumbnail path it was made from, or "".
QString ThumbnailOfModernCopy(const QString &path);

struct ModernCopyResult {
    std::uint32_t failure = 0; // the warning flag to report, 0 when all were written
    QSize photo;               // upright size of the photo
    bool seeThrough = false;
};

// Decodes the photo (or `source`, a JPEG copy standing for it) once at the
// scale the largest copy needs and writes the copies, each scaled from the
// smallest one already made that covers it. `largestJpeg` receives the bytes
// of the largest JPEG copy, from which the photo's own thumbnail can be made
// without decoding the photo again (empty for PNG copies).
ModernCopyResult MakeModernCopies(const QString &imagePath, const QString &source,
                                  const BuildVignetteOptions &options, QByteArray *largestJpeg = nullptr);

// The same from the photo's thumbnail path.
QString ModernCopyBeside(const QString &thumbnailPath, ModernCopy copy, bool seeThrough);

// True when every copy a photo of that upright size needs exists beside its
// thumbnail: `exists` answers for each (by default one look at the disk per copy).
bool ModernCopiesExist(const QString &thumbnailPath, QSize photo, bool *seeThrough,
                       const std::function<bool(const QString &)> &exists = {});
