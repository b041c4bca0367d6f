#pragma once
// What the modern design knows of one photo once its files are ready.

#include "document/imageentry.h"
#include "document/moderncopies.h"

#include <QSize>
#include <QString>
#include <array>

struct ModernPhoto {
    ImageEntry entry;
    QString image;     // the full-size file pages link (a HEIC's JPEG copy)
    QString thumbnail; // the document's thumbnail, or the image standing in
    QString pageName;  // photo page, without ".html"
    QString key;       // the photo's path from the photo pages, its identity there
    QString caption;   // the comment with its variables expanded
    QSize size;        // upright size of the photo
    std::array<QString, MODERN_COPY_COUNT> copies; // "" where none exists
    std::array<QSize, MODERN_COPY_COUNT> copySizes;
};
