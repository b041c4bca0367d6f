#pragma once
// Pure pieces of the modern page design: colours, the grid's thumbnails, the
// texts of a photo page. Values come in escaped for where they go; nothing
// here touches the disk.

#include "document/galleryoptions.h"

#include <QSize>
#include <QString>
#include <vector>

// Text for an HTML attribute or element: & < > " escaped.
QString HtmlText(const QString &text);
// The comment without its tags and with its spaces folded, for alt texts.
QString PlainText(const QString &html);
// Alt text of a photo, escaped: its comment, else its file name without extension.
QString PhotoAltText(const QString &comment, const QString &fileName);

// The page's colour variables. With the gallery's default colours the page
// follows the visitor's light or dark preference; other colours are used as set.
QString ModernColorStyle(const WebPage1Options &options);

// How many of the first thumbnails (of the given width/height ratios) a phone
// shows before any scrolling: those load at once, the others lazily.
int ModernFirstScreenCount(const std::vector<double> &ratios);

struct ModernGridItem {
    QString pageLink;      // the photo page, from the index page
    QString id;            // anchor of the thumbnail, for the photo page's way back
    QString grid1x, grid2x; // thumbnails for ordinary and dense screens
    QSize gridSize;        // of grid1x
    QString screenSrcset;  // "a 1024w, b 2048w"
    QSize screenSize;      // of the largest screen copy
    QString fullLink;      // the original (or its JPEG copy)
    QSize fullSize;
    QString alt;           // escaped
    QString caption;       // the expanded comment, as written by its author
    int position = 0;      // 0-based on its page
    int eagerCount = 1;
};
// <a href=photo page ...><img ...></a>; the data attributes feed the viewer.
QString ModernGridMarkup(const ModernGridItem &item);

// "Canon EOS 5D · 1/125 s · f/8 · 50 mm · 12/08/2004"; "" when nothing is known.
QString CameraLine(const std::array<QString, 9> &camera);

// srcset/sizes value: the picture fills at most the width and 85 % of the height.
QString ScreenSizes(QSize size);
