#pragma once
// The text of one photo page of the modern design: its design with the page
// and image variables already replaced, and these parts put in. Pure.

#include <QString>

struct ModernPhotoPageParts {
    QString owner;       // marker naming the photo, for the next build
    QString colors;      // colour style
    QString title;       // plain text, escaped
    QString description; // plain text, escaped
    QString previous, back, next; // links, "" where there is none
    QString picture;     // <img ...>
    QString caption;     // the comment as written
    QString details;     // camera line, download links
};

QString ModernPhotoPage(const QString &design, const ModernPhotoPageParts &parts);

// A navigation link of at least 44 px, or an inert place holder keeping the bar's layout.
QString PhotoNavLink(const QString &href, const QString &text, const QString &rel = QString());
