#pragma once
// The visual placement build: three temporary pages beside the first image
// of the list -- a frameset, a header holding the placement control and a
// body showing the whole gallery on one page, each picture behind a click
// link. Follows the document's start and cancel protocol like the gallery
// builder; on success it posts NOTIFY_PLACEMENT_READY 0, on failure or stop
// it removes whatever of the three pages it wrote.

#include <QString>
#include <functional>

class GalleryDocument;

inline const QString kPlacementBodySuffix = QStringLiteral(".vorlex_visual_placement_body.html");
inline const QString kPlacementHeaderSuffix = QStringLiteral(".vorlex_visual_placement_header.html");
inline const QString kPlacementMainSuffix = QStringLiteral(".vorlex_visual_placement_main.html");

// The message number written into the pages: the control posts it for an
// exchange, one more for an insertion, and it with (-1, -1) when it goes.
inline constexpr int kPlacementMessage = 1139;
inline constexpr int kPlacementInsertMessage = kPlacementMessage + 1;

struct PlacementPagePaths {
    QString body;
    QString header;
    QString main;
};

// The pages written for a list whose first image is `firstImagePath`.
PlacementPagePaths PlacementPagesFor(const QString &firstImagePath);
// The three pages named by the path of the main one; empty paths when
// `mainPath` does not end with the main suffix (compared without case).
PlacementPagePaths PlacementPagesFromMain(const QString &mainPath);

// Thread body. `viewNumber` answers, when the pages are written, the number
// of the view that is to receive the control's messages (0 when it is gone).
// Returns 160 when stopped before starting work, 170 when the design lacks
// the insertion block, 0 otherwise.
int BuildPlacementThread(GalleryDocument &doc, const std::function<int()> &viewNumber);
