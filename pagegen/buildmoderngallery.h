#pragma once
// The modern page design: index pages of justified rows (paginated as the
// document says), one static page per photo, screen-size copies and a
// full-screen viewer that needs no page load. Runs on the gallery's build
// thread after the start event, with the classic builder's stop checks,
// progress and error flags.

#include "pagegen/buildenvironment.h"

#include <QString>

class BuildScope;
class GalleryDocument;
struct GalleryOptions;

// Returns 170 when a built-in design is missing, 0 otherwise.
int BuildModernGallery(GalleryDocument &doc, BuildScope &scope, const BuildEnvironment &env);

// Folder of the photo pages of a gallery whose first page is `pagePath`:
// "/site/index.html" -> "/site/index-photos/".
QString PhotoPagesFolder(const QString &pagePath);

// A link from `fromPage` to `target` that also survives a srcset list.
QString ModernLink(const GalleryOptions &options, const QString &fromPage, const QString &target);
