#pragma once
// The slideshow page builder: one page from a built-in slideshow design whose
// script gets one picture record per image. The image variant (AutoOrUser 0
// or 1) starts at once; the thumbnail variant (AutoOrUser 2) waits for the
// thumbnails like the gallery builder. A stopped or failed build leaves no
// slideshow file behind.

#include "pagegen/buildenvironment.h"

#include <QString>

class GalleryDocument;
struct GalleryOptions;
struct ImageEntry;
class PageVariables;

inline constexpr int kSlideshowBuilt = 221;

// Thread bodies. Return 221 after success, 0 after a failure or stop, 170
// without insertion block, 160 when stopped while waiting.
int BuildSlideshowThread(GalleryDocument &doc, const BuildEnvironment &env = {});          // full-size images
int BuildThumbnailSlideshowThread(GalleryDocument &doc, const BuildEnvironment &env = {}); // thumbnails

// Resource id of the design the options choose for the image or thumbnail variant.
int SlideshowDesignId(const GalleryOptions &options, bool thumbnails);

// "image_data_array[n] = new image_data(...);\n" of one picture. `entry` has
// its thumbnail stand-in applied; `comment` is its expanded comment.
QString ImageSlideshowLine(const GalleryOptions &options, const QString &pagePath, int n, const ImageEntry &entry,
                           const QString &comment);
QString ThumbnailSlideshowLine(const GalleryOptions &options, const QString &pagePath, int n,
                               const ImageEntry &entry, const QString &thumbnailPath, const QString &comment);
