#pragma once
// What the add pipeline needs to know about one requested path, read from the
// disk alone. Gathering touches no document, so several files are read at
// once ahead of the add worker, which then decides in request order.

#include "document/imageprobe.h"
#include "document/imageentry.h"
#include "document/projectfile.h"

#include <QString>

struct AddFacts {
    enum class Kind {
        Missing,    // empty path or nothing there
        Folder,     // a folder (or a link to one)
        NotRegular, // a pipe, socket or device: never opened
        File,
    };
    Kind kind = Kind::Missing;
    bool readable = false;
    ProjectFormat project = ProjectFormat::NotAProject;
    QString onDiskPath;
    QString sizeText;
    qint64 bytes = 0;
    ImageInfo image; // camera date and time fall back on the file's time
    // The thumbnail as the naming below finds it; the worker looks again when
    // the gallery's naming changed meanwhile (a project being opened).
    QString thumbnailAffix;
    int thumbnailWithPrefixe = 0;
    ThumbnailOnDisk thumbnail;
};

// Reads everything the add worker uses; thread-safe. A file that turns out to
// be a project, an unreadable file or a non-image stops the gathering early.
AddFacts GatherAddFacts(const QString &path, const QString &thumbnailAffix, int thumbnailWithPrefixe);
