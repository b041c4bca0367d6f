#pragma once
// The gallery page builder: a build thread that writes one or more pages of
// thumbnails (and one zip of originals per page) from the document's list and
// options. Follows the document's start and cancel protocol: it waits for the
// start event, polls the stop events before each page and image, reports
// busy state, progress and error flags through the document, and opens the
// first page when it succeeded and the environment asks for it.

#include "pagegen/buildenvironment.h"

class GalleryDocument;

inline constexpr int kBuildStoppedWhileWaiting = 160;
inline constexpr int kBuildTemplateRejected = 170;

// Thread body. Returns 160 when stopped before starting work, 170 when the
// design lacks the insertion block, 0 otherwise (nobody needs the value).
int BuildGalleryThread(GalleryDocument &doc, const BuildEnvironment &env = {});
