#pragma once
// Pieces of writing pictures into a page, shared by the gallery and the
// placement builders.

#include <functional>

class GalleryDocument;
class PageVariables;
class QString;
struct BuildVignetteOptions;
struct ImageEntry;
struct PageDesign;
struct PageLayout;

// After `counter` pictures of a page, the last written being number
// `lastWritten` (1-based): when the line is incomplete, empty cells fill it
// (when `fillLastLine`, at most a few thousand), then the end-of-line section.
void EndLastImageLine(const PageLayout &layout, bool fillLastLine, const PageDesign &design, int counter,
                      int lastWritten, PageVariables &vars, const std::function<void(const QString &)> &writeImageText);

// Entry `index` as a page shows it, and the file that stands as its
// thumbnail: the thumbnail, or the image itself (with its sizes) while it has
// none. An entry gone meanwhile comes back empty.
QString EntryForPage(const GalleryDocument &doc, int index, const BuildVignetteOptions &thumbnails, ImageEntry &entry);
